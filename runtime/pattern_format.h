#pragma once

#include <string>
#include <string_view>

#include "runtime/date_time.h"
#include "runtime/format_settings.h"

namespace tw {

// Date-time patterns, codes matched without regard to case:
//   yyyy  4-digit year          yy  2-digit year
//   m mm  month (minutes when the code before was an hour code)
//   mmmm  month name            d dd  day           aaaa  weekday name
//   h hh  hour 0-23             n nn  minute        s ss  second
//   z zzz milliseconds (zzz: 3 digits)
// One letter gives the number without leading zero. "/" and ":" print the settings' date and
// time separators; text in double or single quotes is copied without the quotes; any other
// character is copied.
std::wstring FormatDateTime(std::wstring_view pattern, DateTime t, const FormatSettings& fs);

// Number patterns: "0" a digit always shown, "#" a digit shown when significant, "," anywhere
// before the point groups thousands, "." the decimal point followed by the decimals ("0"
// always shown, "#" only when not a trailing zero). The first unquoted run of these characters
// that holds a "0" or "#" is the number; everything else (quotes removed) is copied around it.
// Rounds half away from zero on the shortest decimal form of the value, so 0.15 with one
// decimal gives 0.2; a value shown as zero has no minus sign. NaN prints "NaN", infinities
// "INF" and "-INF".
std::wstring FormatNumber(std::wstring_view pattern, double value, const FormatSettings& fs);

// Reads a date and time as the settings write them: a date of three numbers in the order of
// ShortDateFormat, optionally followed by blanks and a time h:n[:s[.fraction]] with an optional
// AM/PM; or a time alone (on day 0). Numbers are separated by the settings' separators or by the
// literal text that the settings' patterns put between them; blanks around the whole are
// allowed. A year of one or two digits falls in 1950-2049. When ShortDateFormat does not begin
// with the year, a first number of three or four digits still is one and the date is read
// year-month-day: history time stamps ("yyyy/mm/dd hh:mm:ss") read back under every locale.
// Does not allocate: the history reader calls it for every line.
bool TryParseDateTime(std::wstring_view text, const FormatSettings& fs, DateTime& out);

// The settings-file form of a date-time: ShortDateFormat, one space and LongTimeFormat; the
// time and its space are left out at exactly midnight. TryParseDateTime reads it back.
std::wstring DateTimeToText(DateTime t, const FormatSettings& fs);

}  // namespace tw
