#include "about/ukraine_time.h"

#include "runtime/pattern_format.h"

namespace tw {

namespace {

constexpr std::int64_t MsPerMinute = 60'000;
constexpr std::int64_t KyivStandardOffset = 120 * MsPerMinute;
constexpr std::int64_t DaylightSaving = 60 * MsPerMinute;

// 03:00 on the UTC+2 clock (01:00 UTC) of the month's last Sunday. Both months have 31 days.
DateTime LastSundayAtThree(int year, int month) {
    const DateTime lastDay = DateTime::FromParts(year, month, 31, 3).value();
    return lastDay.AddMilliseconds(-lastDay.ToParts().dayOfWeek * DateTime::MsPerDay);
}

}  // namespace

std::wstring UkraineTimeText(DateTime localNow, std::int32_t utcOffsetMinutes, FormatSettings fs) {
    fs.TimeSeparator = L':';
    const DateTime utc = localNow.AddMilliseconds(-std::int64_t{utcOffsetMinutes} * MsPerMinute);
    DateTime kyiv = utc.AddMilliseconds(KyivStandardOffset);
    const int year = kyiv.ToParts().year;
    const bool daylightSaving = LastSundayAtThree(year, 3) < kyiv && kyiv < LastSundayAtThree(year, 10);
    if (daylightSaving) kyiv = kyiv.AddMilliseconds(DaylightSaving);

    std::wstring text = daylightSaving ? L"Peace for Ukraine\r\n" : L"Peace For Ukraine\r\n";
    text += FormatDateTime(L"d mmmm yyyy aaaa hh:nn", kyiv, fs);
    text += L", Ukraine Standard Time";
    if (daylightSaving) text += L" (in Daylight Saving Time)";
    return text;
}

}  // namespace tw
