#pragma once

#include <compare>
#include <cstdint>
#include <optional>

namespace tw {

// A local date and time as whole milliseconds since 1899-12-30 00:00:00.000 (day 0). Integer
// milliseconds keep arithmetic exact; the floating day count exists only for conversions.
// Calendar fields are defined for the years 1 to 9999; ToParts clamps values outside them.
class DateTime {
public:
    static constexpr std::int64_t MsPerDay = 86'400'000;

    struct Parts {
        int year;
        int month;
        int day;
        int hour;
        int minute;
        int second;
        int millisecond;
        int dayOfWeek;  // 0 = Sunday .. 6 = Saturday
    };

    constexpr DateTime() = default;

    static constexpr DateTime FromMilliseconds(std::int64_t ms) { return DateTime(ms); }
    constexpr std::int64_t Milliseconds() const { return ms_; }

    // Empty when a field is out of range or the day does not exist in that month.
    static std::optional<DateTime> FromParts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                                             int ms = 0);
    Parts ToParts() const;

    // The classic floating day count: the whole part counts days from day 0 and the fraction's
    // magnitude is the time of day, also before day 0 (-1.25 is 1899-12-29 06:00). FromDays
    // rounds to the nearest millisecond; NaN gives day 0 and other values are clamped to the
    // years 1 to 9999.
    double ToDays() const;
    static DateTime FromDays(double days);

    constexpr DateTime AddMilliseconds(std::int64_t ms) const { return DateTime(ms_ + ms); }
    constexpr std::int64_t MillisecondsSince(DateTime earlier) const { return ms_ - earlier.ms_; }

    // Milliseconds since the start of this day (0 at midnight).
    std::int64_t TimeOfDay() const;

    friend constexpr bool operator==(DateTime, DateTime) = default;
    friend constexpr auto operator<=>(DateTime, DateTime) = default;

private:
    constexpr explicit DateTime(std::int64_t ms) : ms_(ms) {}

    std::int64_t ms_ = 0;
};

}  // namespace tw
