#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tw {

// The process-wide date, time and number conventions, normally those of the user's locale.
// ShortDateFormat and LongTimeFormat are patterns in our own codes (see pattern_format.h),
// with "/" and ":" standing for DateSeparator and TimeSeparator.
struct FormatSettings {
    wchar_t DateSeparator{};
    wchar_t TimeSeparator{};
    std::wstring ShortDateFormat;
    std::wstring LongTimeFormat;
    wchar_t ThousandSeparator{};  // L'\0': no grouping
    wchar_t DecimalSeparator{};
    std::array<std::wstring, 12> LongMonthNames;
    std::array<std::wstring, 7> LongDayNames;  // Sunday first

    // The Japanese locale's conventions: fixed, for tests and as the fallback of the locale reader.
    static FormatSettings Japanese();
};

// The separator character of a locale's answer for LOCALE_SDATE, LOCALE_STIME, LOCALE_STHOUSAND
// or LOCALE_SDECIMAL: its first character that is not a blank (a blank when it has nothing
// else). Some answers are longer than one character: ". " gives '.'. A letter, digit or quote
// (" 'h' " is an hour mark, not a separator) and an empty answer give the fallback.
wchar_t LocaleSeparator(std::wstring_view answer, wchar_t fallback);

// Windows locale pictures (LOCALE_SSHORTDATE, LOCALE_STIMEFORMAT) in our pattern codes. The
// locale's separator becomes "/" or ":", quoted text stays literal, and the result always names
// one numeric year, month and day (or hour, minute and second, in that order) that reads back
// exactly: the year is always written with four digits, month names become month numbers,
// weekday names, eras and AM/PM markers are dropped (hours are always 0-23). An empty result
// means the picture cannot serve: it lacks one of those fields, or puts the day between a
// leading year and the month (year-first text is read year-month-day). The caller keeps its own
// pattern then.
std::wstring ConvertLocaleDatePattern(std::wstring_view pattern, wchar_t dateSeparator);
std::wstring ConvertLocaleTimePattern(std::wstring_view pattern, wchar_t timeSeparator);

}  // namespace tw
