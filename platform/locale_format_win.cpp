#include "platform/locale_format.h"

#include <windows.h>

#include <cstddef>
#include <string>
#include <utility>

namespace tw {

namespace {

// The locale's answer, or an empty text when it has none.
std::wstring LocaleText(const wchar_t* localeName, LCTYPE type) {
    const int size = GetLocaleInfoEx(localeName, type, nullptr, 0);
    if (size <= 1) {
        return std::wstring();
    }
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    const int written = GetLocaleInfoEx(localeName, type, text.data(), size);
    text.resize(written > 0 ? static_cast<std::size_t>(written - 1) : 0);
    return text;
}

void ReadText(const wchar_t* localeName, LCTYPE type, std::wstring& field) {
    std::wstring text = LocaleText(localeName, type);
    if (!text.empty()) {
        field = std::move(text);
    }
}

void ReadSeparator(const wchar_t* localeName, LCTYPE type, wchar_t& field) {
    field = LocaleSeparator(LocaleText(localeName, type), field);
}

}  // namespace

FormatSettings LocaleFormatSettings(const wchar_t* localeName) {
    FormatSettings fs = FormatSettings::Japanese();
    ReadSeparator(localeName, LOCALE_SDATE, fs.DateSeparator);
    ReadSeparator(localeName, LOCALE_STIME, fs.TimeSeparator);
    ReadSeparator(localeName, LOCALE_STHOUSAND, fs.ThousandSeparator);
    ReadSeparator(localeName, LOCALE_SDECIMAL, fs.DecimalSeparator);

    std::wstring datePattern = ConvertLocaleDatePattern(LocaleText(localeName, LOCALE_SSHORTDATE), fs.DateSeparator);
    if (!datePattern.empty()) {
        fs.ShortDateFormat = std::move(datePattern);
    }
    std::wstring timePattern = ConvertLocaleTimePattern(LocaleText(localeName, LOCALE_STIMEFORMAT), fs.TimeSeparator);
    if (!timePattern.empty()) {
        fs.LongTimeFormat = std::move(timePattern);
    }

    static constexpr LCTYPE monthNames[12] = {LOCALE_SMONTHNAME1,  LOCALE_SMONTHNAME2,  LOCALE_SMONTHNAME3,
                                              LOCALE_SMONTHNAME4,  LOCALE_SMONTHNAME5,  LOCALE_SMONTHNAME6,
                                              LOCALE_SMONTHNAME7,  LOCALE_SMONTHNAME8,  LOCALE_SMONTHNAME9,
                                              LOCALE_SMONTHNAME10, LOCALE_SMONTHNAME11, LOCALE_SMONTHNAME12};
    for (std::size_t i = 0; i < 12; ++i) {
        ReadText(localeName, monthNames[i], fs.LongMonthNames[i]);
    }
    // Windows counts the week from Monday (SDAYNAME1); ours starts on Sunday.
    static constexpr LCTYPE dayNames[7] = {LOCALE_SDAYNAME7, LOCALE_SDAYNAME1, LOCALE_SDAYNAME2, LOCALE_SDAYNAME3,
                                           LOCALE_SDAYNAME4, LOCALE_SDAYNAME5, LOCALE_SDAYNAME6};
    for (std::size_t i = 0; i < 7; ++i) {
        ReadText(localeName, dayNames[i], fs.LongDayNames[i]);
    }
    return fs;
}

FormatSettings UserLocaleFormatSettings() { return LocaleFormatSettings(LOCALE_NAME_USER_DEFAULT); }

bool IsLocaleInstalled(const wchar_t* localeName) { return IsValidLocaleName(localeName) != FALSE; }

}  // namespace tw
