#include "about/ukraine_time.h"

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

// English names make the texts readable here; the About box takes the Ukrainian ones.
FormatSettings English() {
    FormatSettings fs = FormatSettings::Japanese();
    fs.TimeSeparator = L'.';  // whatever the locale says, the text uses ":"
    fs.LongMonthNames = {L"January", L"February", L"March",     L"April",   L"May",      L"June",
                         L"July",    L"August",   L"September", L"October", L"November", L"December"};
    fs.LongDayNames = {L"Sunday", L"Monday", L"Tuesday", L"Wednesday", L"Thursday", L"Friday", L"Saturday"};
    return fs;
}

DateTime At(int year, int month, int day, int hour, int minute, int second = 0, int ms = 0) {
    return DateTime::FromParts(year, month, day, hour, minute, second, ms).value();
}

// The text for a UTC moment, read on a computer whose zone is offsetMinutes east of UTC.
std::wstring TextAtUtc(DateTime utc, int offsetMinutes = 0) {
    return UkraineTimeText(utc.AddMilliseconds(std::int64_t{offsetMinutes} * 60'000), offsetMinutes, English());
}

const std::wstring Standard = L"Peace For Ukraine\r\n";
const std::wstring Summer = L"Peace for Ukraine\r\n";
const std::wstring StandardTail = L", Ukraine Standard Time";
const std::wstring SummerTail = L", Ukraine Standard Time (in Daylight Saving Time)";

TEST(UkraineTimeText, DaylightSavingBoundsAreExclusiveToTheMillisecond) {
    struct Case {
        DateTime utc;
        std::wstring text;
    } cases[] = {
        // 2025: the last Sundays are March 30 and October 26.
        {At(2025, 3, 30, 0, 59, 59, 999), Standard + L"30 March 2025 Sunday 02:59" + StandardTail},
        {At(2025, 3, 30, 1, 0, 0, 0), Standard + L"30 March 2025 Sunday 03:00" + StandardTail},
        {At(2025, 3, 30, 1, 0, 0, 1), Summer + L"30 March 2025 Sunday 04:00" + SummerTail},
        {At(2025, 10, 26, 0, 59, 59, 999), Summer + L"26 October 2025 Sunday 03:59" + SummerTail},
        {At(2025, 10, 26, 1, 0, 0, 0), Standard + L"26 October 2025 Sunday 03:00" + StandardTail},
        {At(2025, 10, 26, 1, 0, 0, 1), Standard + L"26 October 2025 Sunday 03:00" + StandardTail},
        // A week before each change the other rule holds.
        {At(2025, 3, 23, 12, 0), Standard + L"23 March 2025 Sunday 14:00" + StandardTail},
        {At(2025, 10, 19, 12, 0), Summer + L"19 October 2025 Sunday 15:00" + SummerTail},
    };
    for (const Case& c : cases) EXPECT_EQ(TextAtUtc(c.utc), c.text);
}

TEST(UkraineTimeText, AMonthEndingOnASundayHasItsChangeOnThe31st) {
    // 2024: March 31 is a Sunday (October's last Sunday is the 27th).
    EXPECT_EQ(TextAtUtc(At(2024, 3, 31, 1, 0)), Standard + L"31 March 2024 Sunday 03:00" + StandardTail);
    EXPECT_EQ(TextAtUtc(At(2024, 3, 31, 1, 0, 0, 1)), Summer + L"31 March 2024 Sunday 04:00" + SummerTail);
    EXPECT_EQ(TextAtUtc(At(2024, 3, 24, 1, 30)), Standard + L"24 March 2024 Sunday 03:30" + StandardTail);
    // 2027: October 31 is a Sunday; the 24th is still summer time.
    EXPECT_EQ(TextAtUtc(At(2027, 10, 24, 1, 30)), Summer + L"24 October 2027 Sunday 04:30" + SummerTail);
    EXPECT_EQ(TextAtUtc(At(2027, 10, 31, 0, 59, 59, 999)), Summer + L"31 October 2027 Sunday 03:59" + SummerTail);
    EXPECT_EQ(TextAtUtc(At(2027, 10, 31, 1, 0)), Standard + L"31 October 2027 Sunday 03:00" + StandardTail);
}

TEST(UkraineTimeText, WinterMonthsAndTheYearsEdgesAreStandardTime) {
    EXPECT_EQ(TextAtUtc(At(2025, 1, 15, 8, 0)), Standard + L"15 January 2025 Wednesday 10:00" + StandardTail);
    EXPECT_EQ(TextAtUtc(At(2025, 12, 31, 22, 30)), Standard + L"1 January 2026 Thursday 00:30" + StandardTail);
    EXPECT_EQ(TextAtUtc(At(2025, 11, 30, 21, 59)), Standard + L"30 November 2025 Sunday 23:59" + StandardTail);
    EXPECT_EQ(TextAtUtc(At(2025, 7, 9, 20, 59)), Summer + L"9 July 2025 Wednesday 23:59" + SummerTail);
    EXPECT_EQ(TextAtUtc(At(2025, 7, 9, 21, 0)), Summer + L"10 July 2025 Thursday 00:00" + SummerTail);
}

TEST(UkraineTimeText, TheSameInstantGivesTheSameTextFromEveryZone) {
    const DateTime instants[] = {At(2025, 10, 9, 11, 5), At(2025, 3, 30, 1, 0), At(2025, 3, 30, 1, 0, 0, 1),
                                 At(2025, 12, 31, 23, 59)};
    // Tokyo, UTC, New York in summer, Kolkata, Chatham Islands in summer, Baker Island, Kyiv.
    const int offsets[] = {540, 0, -240, 330, 825, -720, 180};
    for (DateTime utc : instants) {
        const std::wstring expected = TextAtUtc(utc);
        for (int offset : offsets) EXPECT_EQ(TextAtUtc(utc, offset), expected) << offset;
    }
    EXPECT_EQ(TextAtUtc(At(2025, 10, 9, 11, 5), 540), Summer + L"9 October 2025 Thursday 14:05" + SummerTail);
}

}  // namespace
}  // namespace tw
