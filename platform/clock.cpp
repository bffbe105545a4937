#include "platform/clock.h"

#include <windows.h>

#include <cstdlib>

namespace tw {

DateTime WinClock::LocalNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return DateTime::FromParts(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds)
        .value_or(DateTime{});
}

DateTime SystemUtcNow() {
    SYSTEMTIME now{};
    GetSystemTime(&now);
    return DateTime::FromParts(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds)
        .value_or(DateTime{});
}

namespace {

SYSTEMTIME ToSystemTime(DateTime t) {
    DateTime::Parts p = t.ToParts();
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(p.year);
    st.wMonth = static_cast<WORD>(p.month);
    st.wDayOfWeek = static_cast<WORD>(p.dayOfWeek);
    st.wDay = static_cast<WORD>(p.day);
    st.wHour = static_cast<WORD>(p.hour);
    st.wMinute = static_cast<WORD>(p.minute);
    st.wSecond = static_cast<WORD>(p.second);
    st.wMilliseconds = static_cast<WORD>(p.millisecond);
    return st;
}

// Whether the zone's own conversion turns the UTC moment into exactly this local moment.
bool ReadsAs(const TIME_ZONE_INFORMATION& zone, DateTime utc, DateTime local) {
    SYSTEMTIME utcTime = ToSystemTime(utc);
    SYSTEMTIME localTime{};
    if (!SystemTimeToTzSpecificLocalTime(&zone, &utcTime, &localTime)) return false;
    DateTime::Parts p = local.ToParts();
    return localTime.wYear == p.year && localTime.wMonth == p.month && localTime.wDay == p.day &&
           localTime.wHour == p.hour && localTime.wMinute == p.minute && localTime.wSecond == p.second &&
           localTime.wMilliseconds == p.millisecond;
}

}  // namespace

std::int32_t WinClock::UtcOffsetMinutes(DateTime localMoment) {
    TIME_ZONE_INFORMATION zone{};
    if (!GetTimeZoneInformationForYear(static_cast<USHORT>(localMoment.ToParts().year), nullptr, &zone) &&
        GetTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID) {
        return 0;
    }
    const std::int32_t standard = -(zone.Bias + zone.StandardBias);
    const std::int32_t daylight = -(zone.Bias + zone.DaylightBias);
    if (zone.DaylightDate.wMonth == 0) return standard;  // the zone keeps no daylight saving
    const DateTime standardUtc = localMoment.AddMilliseconds(-std::int64_t{standard} * 60'000);
    const DateTime daylightUtc = localMoment.AddMilliseconds(-std::int64_t{daylight} * 60'000);
    if (!ReadsAs(zone, standardUtc, localMoment)) return daylight;
    if (!ReadsAs(zone, daylightUtc, localMoment)) return standard;
    // The hour the clocks repeat: the reading names two instants. For a reading of the present
    // the system's own UTC time tells which one it is; any other counts as standard time.
    const bool present = std::abs(daylightUtc.MillisecondsSince(utcNow_())) < 60'000;
    return present ? daylight : standard;
}

}  // namespace tw
