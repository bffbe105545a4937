// What the About box reads from Windows: version resources, the Ukrainian locale's names and the
// local zone's offset from UTC.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "about/about_win.h"
#include "fakes.h"
#include "platform/clock.h"
#include "shell/path_parts.h"

namespace tw {
namespace {

TEST(FileVersionText, ReadsTheBuiltProgramsVersionAndNothingElse) {
    const std::wstring testProgram = WinPaths().ProgramFile();
    const std::wstring program = ParentPath(ParentPath(testProgram)) + L"\\Tapwhile.exe";
    ASSERT_NE(GetFileAttributesW(program.c_str()), INVALID_FILE_ATTRIBUTES) << "build Tapwhile.exe first";
    EXPECT_EQ(FileVersionText(program), L"2.9.0.0");
    EXPECT_EQ(FileVersionText(testProgram), L"");  // linked without a version resource
    EXPECT_EQ(FileVersionText(ParentPath(testProgram) + L"\\no such file.exe"), L"");
    EXPECT_EQ(FileVersionText(L""), L"");
}

TEST(UkraineTime, UsesTheUkrainianLocalesNames) {
    const FormatSettings fs = UkraineFormatSettings();
    EXPECT_EQ(fs.LongMonthNames[0], L"січень");
    EXPECT_EQ(fs.LongMonthNames[9], L"жовтень");
    EXPECT_EQ(fs.LongDayNames[0], L"неділя");
    EXPECT_EQ(fs.LongDayNames[4], L"четвер");

    test::FakeClock clock;
    clock.now = DateTime::FromParts(2025, 1, 5, 9, 7).value();  // a Sunday in Tokyo; 00:07 UTC
    clock.utcOffsetMinutes = 540;
    EXPECT_EQ(UkraineTimeText(clock), L"Peace For Ukraine\r\n5 січень 2025 неділя 02:07, Ukraine Standard Time");
}

// ---- The local zone's offset -----------------------------------------------------------------

DateTime FromSystemTime(const SYSTEMTIME& t) {
    return DateTime::FromParts(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds).value();
}

TEST(WinClock, LocalTimeLessTheOffsetIsUtc) {
    WinClock clock;
    SYSTEMTIME utcTime{};
    GetSystemTime(&utcTime);
    const DateTime local = clock.LocalNow();
    const DateTime utc = FromSystemTime(utcTime);
    const std::int64_t apart =
        local.AddMilliseconds(-std::int64_t{clock.UtcOffsetMinutes(local)} * 60'000).MillisecondsSince(utc);
    EXPECT_LT(std::abs(apart), 2000) << "offset " << clock.UtcOffsetMinutes(local);
}

// The day of a zone's yearly change: the n-th given weekday of the month, 5 meaning the last.
DateTime ChangeMoment(const SYSTEMTIME& rule, int year) {
    if (rule.wYear != 0) return FromSystemTime(rule);  // a date of that year only
    DateTime first = DateTime::FromParts(year, rule.wMonth, 1, rule.wHour, rule.wMinute).value();
    int day = 1 + (rule.wDayOfWeek - first.ToParts().dayOfWeek + 7) % 7 + 7 * (rule.wDay - 1);
    while (!DateTime::FromParts(year, rule.wMonth, day)) day -= 7;
    return DateTime::FromParts(year, rule.wMonth, day, rule.wHour, rule.wMinute).value();
}

TIME_ZONE_INFORMATION ZoneOfYear(int year) {
    TIME_ZONE_INFORMATION zone{};
    EXPECT_TRUE(GetTimeZoneInformationForYear(static_cast<USHORT>(year), nullptr, &zone));
    return zone;
}

// Wherever the tests run, this one runs once more with TZ=Europe/Berlin (tests/CMakeLists.txt),
// and that run says so, so that a zone which did not take fails instead of passing as a zone
// without daylight saving.
bool ZoneMustKeepDaylightSaving() { return GetEnvironmentVariableW(L"TAPWHILE_TEST_DAYLIGHT_ZONE", nullptr, 0) != 0; }

void ExpectOneOffsetAllYear(const TIME_ZONE_INFORMATION& zone, int year) {
    const int standard = -(zone.Bias + zone.StandardBias);
    for (int month = 1; month <= 12; ++month) {
        const DateTime moment = DateTime::FromParts(year, month, 15, 2, 30).value();
        EXPECT_EQ(WinClock().UtcOffsetMinutes(moment), standard) << month;
        WinClock atThatMoment([moment, standard] { return moment.AddMilliseconds(-std::int64_t{standard} * 60'000); });
        EXPECT_EQ(atThatMoment.UtcOffsetMinutes(moment), standard) << month;
    }
}

TEST(WinClock, TheRepeatedHourCountsAsStandardTime) {
    WinClock clock;
    const int year = clock.LocalNow().ToParts().year;
    const TIME_ZONE_INFORMATION zone = ZoneOfYear(year);
    if (zone.DaylightDate.wMonth == 0) {
        // A zone without daylight saving has one offset; the run in Europe/Berlin does the rest.
        EXPECT_FALSE(ZoneMustKeepDaylightSaving()) << "TZ=Europe/Berlin did not give a zone with daylight saving";
        ExpectOneOffsetAllYear(zone, year);
        return;
    }
    const int standard = -(zone.Bias + zone.StandardBias);
    const int daylight = -(zone.Bias + zone.DaylightBias);
    ASSERT_NE(standard, daylight);
    const std::int64_t minute = 60'000;
    const std::int64_t saving = std::int64_t{daylight - standard} * minute;

    // Clocks go forward at this local standard time and back at this local daylight time.
    const DateTime forward = ChangeMoment(zone.DaylightDate, year);
    const DateTime back = ChangeMoment(zone.StandardDate, year);
    struct Case {
        DateTime local;
        int offset;
    } cases[] = {
        {forward.AddMilliseconds(-minute), standard},
        {forward.AddMilliseconds(saving), daylight},  // the first minute that exists again
        {back.AddMilliseconds(-saving - minute), daylight},
        {back.AddMilliseconds(-saving), standard},  // the hour that comes twice
        {back.AddMilliseconds(-minute), standard},
        {back.AddMilliseconds(minute), standard},
    };
    for (const Case& c : cases) {
        const DateTime::Parts p = c.local.ToParts();
        EXPECT_EQ(clock.UtcOffsetMinutes(c.local), c.offset)
            << p.year << "-" << p.month << "-" << p.day << " " << p.hour << ":" << p.minute;
    }

    // A reading of the present in the repeated hour: the system's UTC time tells the first
    // pass (daylight) from the second (standard).
    const DateTime reading = back.AddMilliseconds(-saving / 2);
    const DateTime firstPass = reading.AddMilliseconds(-daylight * minute);
    const DateTime secondPass = reading.AddMilliseconds(-standard * minute);
    struct Present {
        DateTime utcNow;
        int offset;
    } presents[] = {
        {firstPass, daylight},
        {firstPass.AddMilliseconds(30'000), daylight},  // read a moment ago
        {secondPass, standard},
        {firstPass.AddMilliseconds(-2 * minute), standard},  // not the present: standard
    };
    for (const Present& p : presents) {
        WinClock atThatMoment([&p] { return p.utcNow; });
        EXPECT_EQ(atThatMoment.UtcOffsetMinutes(reading), p.offset)
            << "UTC now " << p.utcNow.MillisecondsSince(firstPass) << " ms after the first pass";
    }
}

}  // namespace
}  // namespace tw
