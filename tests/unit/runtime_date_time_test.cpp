#include "runtime/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace tw {
namespace {

constexpr std::int64_t Day = DateTime::MsPerDay;

DateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0) {
    const std::optional<DateTime> t = DateTime::FromParts(year, month, day, hour, minute, second, ms);
    EXPECT_TRUE(t.has_value()) << year << '-' << month << '-' << day;
    return t.value_or(DateTime());
}

struct CalendarCase {
    int year, month, day;
    std::int64_t dayNumber;
    int dayOfWeek;
};

TEST(DateTime, CalendarDaysAroundTheEpochAndAtTheLimits) {
    const CalendarCase cases[] = {
        {1899, 12, 30, 0, 6},  // day 0, a Saturday
        {1899, 12, 31, 1, 0},    {1900, 1, 1, 2, 1},      {1899, 12, 29, -1, 5}, {1800, 1, 1, -36522, 3},
        {2025, 10, 9, 45939, 4}, {2000, 2, 29, 36585, 2}, {1, 1, 1, -693593, 1}, {9999, 12, 31, 2958465, 5},
    };
    for (const CalendarCase& c : cases) {
        const DateTime t = At(c.year, c.month, c.day);
        EXPECT_EQ(t.Milliseconds(), c.dayNumber * Day) << c.year << '-' << c.month << '-' << c.day;
        const DateTime::Parts parts = t.ToParts();
        EXPECT_EQ(parts.year, c.year);
        EXPECT_EQ(parts.month, c.month);
        EXPECT_EQ(parts.day, c.day);
        EXPECT_EQ(parts.dayOfWeek, c.dayOfWeek) << c.year << '-' << c.month << '-' << c.day;
    }
}

TEST(DateTime, TimeOfDayBeforeDayZeroCountsForwardFromThatMidnight) {
    const DateTime t = At(1899, 12, 29, 6, 0, 0, 1);
    EXPECT_EQ(t.Milliseconds(), -Day + 6 * 3'600'000 + 1);
    const DateTime::Parts parts = t.ToParts();
    EXPECT_EQ(parts.day, 29);
    EXPECT_EQ(parts.hour, 6);
    EXPECT_EQ(parts.millisecond, 1);
    EXPECT_EQ(t.TimeOfDay(), 6 * 3'600'000 + 1);

    const DateTime::Parts last = DateTime::FromMilliseconds(-1).ToParts();
    EXPECT_EQ(last.day, 29);
    EXPECT_EQ(last.hour, 23);
    EXPECT_EQ(last.minute, 59);
    EXPECT_EQ(last.second, 59);
    EXPECT_EQ(last.millisecond, 999);
}

TEST(DateTime, PartsRoundTripAcrossTheWholeRange) {
    // A step that is not a whole number of days or hours visits every time-of-day field.
    const std::int64_t first = At(1, 1, 1).Milliseconds();
    const std::int64_t last = At(9999, 12, 31, 23, 59, 59, 999).Milliseconds();
    const std::int64_t step = 7'919 * 60'000LL + 12'345;
    for (std::int64_t ms = first; ms <= last; ms += step) {
        const DateTime t = DateTime::FromMilliseconds(ms);
        const DateTime::Parts p = t.ToParts();
        const std::optional<DateTime> back =
            DateTime::FromParts(p.year, p.month, p.day, p.hour, p.minute, p.second, p.millisecond);
        ASSERT_TRUE(back.has_value()) << ms;
        ASSERT_EQ(back->Milliseconds(), ms);
    }
}

TEST(DateTime, FromPartsRejectsFieldsOutOfRange) {
    struct Fields {
        int year, month, day, hour, minute, second, ms;
    };
    const Fields invalid[] = {
        {0, 1, 1, 0, 0, 0, 0},     {10000, 1, 1, 0, 0, 0, 0},   {2025, 0, 1, 0, 0, 0, 0},  {2025, 13, 1, 0, 0, 0, 0},
        {2025, 1, 0, 0, 0, 0, 0},  {2025, 1, 32, 0, 0, 0, 0},   {2025, 4, 31, 0, 0, 0, 0}, {2023, 2, 29, 0, 0, 0, 0},
        {1900, 2, 29, 0, 0, 0, 0}, {2025, 1, 1, 24, 0, 0, 0},   {2025, 1, 1, -1, 0, 0, 0}, {2025, 1, 1, 0, 60, 0, 0},
        {2025, 1, 1, 0, 0, 60, 0}, {2025, 1, 1, 0, 0, 0, 1000}, {2025, 1, 1, 0, 0, 0, -1},
    };
    for (const Fields& f : invalid) {
        EXPECT_FALSE(DateTime::FromParts(f.year, f.month, f.day, f.hour, f.minute, f.second, f.ms))
            << f.year << '-' << f.month << '-' << f.day << ' ' << f.hour << ':' << f.minute << ':' << f.second << '.'
            << f.ms;
    }
    EXPECT_TRUE(DateTime::FromParts(2024, 2, 29));
    EXPECT_TRUE(DateTime::FromParts(2000, 2, 29, 23, 59, 59, 999));
}

TEST(DateTime, ToPartsClampsValuesOutsideTheCalendarRange) {
    const DateTime::Parts low = DateTime::FromMilliseconds(std::numeric_limits<std::int64_t>::min()).ToParts();
    EXPECT_EQ(low.year, 1);
    EXPECT_EQ(low.month, 1);
    EXPECT_EQ(low.day, 1);
    const DateTime::Parts high = DateTime::FromMilliseconds(std::numeric_limits<std::int64_t>::max()).ToParts();
    EXPECT_EQ(high.year, 9999);
    EXPECT_EQ(high.millisecond, 999);
}

TEST(DateTime, ArithmeticAndOrder) {
    const DateTime a = At(2025, 12, 31, 23, 59, 59, 999);
    const DateTime b = a.AddMilliseconds(1);
    EXPECT_EQ(b, At(2026, 1, 1));
    EXPECT_EQ(b.MillisecondsSince(a), 1);
    EXPECT_EQ(a.MillisecondsSince(b), -1);
    EXPECT_LT(a, b);
    EXPECT_GT(b, a);
    EXPECT_NE(a, b);
    EXPECT_EQ(DateTime(), DateTime::FromMilliseconds(0));
}

TEST(DateTime, ClassicDayCount) {
    struct DaysCase {
        double days;
        DateTime t;
    };
    const DaysCase cases[] = {
        {0.0, At(1899, 12, 30)},         {45939.5, At(2025, 10, 9, 12)}, {2.25, At(1900, 1, 1, 6)},
        {-1.25, At(1899, 12, 29, 6)},  // whole part: the day; fraction: the time of that day
        {-36522.75, At(1800, 1, 1, 18)},
    };
    for (const DaysCase& c : cases) {
        EXPECT_EQ(DateTime::FromDays(c.days), c.t) << c.days;
        EXPECT_DOUBLE_EQ(c.t.ToDays(), c.days);
    }
    // Between -1 and 0 the time counts on day 0, as the classic encoding has it.
    EXPECT_EQ(DateTime::FromDays(-0.25), At(1899, 12, 30, 6));
}

TEST(DateTime, FromDaysRoundsToTheNearestMillisecond) {
    // 45939.1 is not exact in binary; the result must still be 02:24:00.000 sharp.
    EXPECT_EQ(DateTime::FromDays(45939.1), At(2025, 10, 9, 2, 24));
    EXPECT_EQ(DateTime::FromDays(45939.0 + 1.4 / Day), At(2025, 10, 9, 0, 0, 0, 1));
    EXPECT_EQ(DateTime::FromDays(45939.0 + 1.6 / Day), At(2025, 10, 9, 0, 0, 0, 2));
    EXPECT_EQ(DateTime::FromDays(45939.9999999999), At(2025, 10, 10));
    EXPECT_EQ(DateTime::FromDays(-1.9999999999), At(1899, 12, 30));
    const DateTime t = At(2025, 10, 9, 14, 5, 27, 123);
    EXPECT_EQ(DateTime::FromDays(t.ToDays()), t);
}

TEST(DateTime, FromDaysKeepsUnusableInputInsideTheCalendar) {
    EXPECT_EQ(DateTime::FromDays(std::nan("")), DateTime());
    EXPECT_EQ(DateTime::FromDays(1e300), At(9999, 12, 31, 23, 59, 59, 999));
    EXPECT_EQ(DateTime::FromDays(std::numeric_limits<double>::infinity()), At(9999, 12, 31, 23, 59, 59, 999));
    EXPECT_EQ(DateTime::FromDays(-1e300), At(1, 1, 1));
    EXPECT_EQ(DateTime::FromDays(2958465.9999999999), At(9999, 12, 31, 23, 59, 59, 999));
}

}  // namespace
}  // namespace tw
