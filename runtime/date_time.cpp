#include "runtime/date_time.h"

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

// Days from 1899-12-30 in the proleptic Gregorian calendar; exact for any year.
constexpr std::int64_t DayNumber(std::int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 693899;  // 693899: days from 0000-03-01 to 1899-12-30
}

struct CivilDate {
    int year;
    int month;
    int day;
};

constexpr CivilDate CivilFromDayNumber(std::int64_t dayNumber) {
    const std::int64_t z = dayNumber + 693899;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;  // 0 = March
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

static_assert(DayNumber(1899, 12, 30) == 0);
static_assert(DayNumber(1900, 1, 1) == 2);

constexpr std::int64_t FirstDay = DayNumber(1, 1, 1);
constexpr std::int64_t LastDay = DayNumber(9999, 12, 31);
constexpr std::int64_t MinMs = FirstDay * DateTime::MsPerDay;
constexpr std::int64_t MaxMs = (LastDay + 1) * DateTime::MsPerDay - 1;

constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

}  // namespace

std::optional<DateTime> DateTime::FromParts(int year, int month, int day, int hour, int minute, int second, int ms) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour < 0 ||
        hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || ms < 0 || ms > 999) {
        return std::nullopt;
    }
    const std::int64_t timeOfDay = ((hour * 60 + minute) * 60 + second) * 1000LL + ms;
    return DateTime(DayNumber(year, month, day) * MsPerDay + timeOfDay);
}

DateTime::Parts DateTime::ToParts() const {
    const std::int64_t ms = std::clamp(ms_, MinMs, MaxMs);
    const std::int64_t dayNumber = FloorDiv(ms, MsPerDay);
    const CivilDate date = CivilFromDayNumber(dayNumber);
    const auto timeOfDay = static_cast<int>(ms - dayNumber * MsPerDay);
    Parts parts{};
    parts.year = date.year;
    parts.month = date.month;
    parts.day = date.day;
    parts.hour = timeOfDay / 3'600'000;
    parts.minute = timeOfDay / 60'000 % 60;
    parts.second = timeOfDay / 1000 % 60;
    parts.millisecond = timeOfDay % 1000;
    const std::int64_t weekday = (dayNumber + 6) % 7;  // day 0 was a Saturday
    parts.dayOfWeek = static_cast<int>(weekday < 0 ? weekday + 7 : weekday);
    return parts;
}

std::int64_t DateTime::TimeOfDay() const { return ms_ - FloorDiv(ms_, MsPerDay) * MsPerDay; }

double DateTime::ToDays() const {
    const std::int64_t dayNumber = FloorDiv(ms_, MsPerDay);
    const double fraction = static_cast<double>(TimeOfDay()) / MsPerDay;
    return dayNumber >= 0 ? static_cast<double>(dayNumber) + fraction : static_cast<double>(dayNumber) - fraction;
}

DateTime DateTime::FromDays(double days) {
    if (std::isnan(days)) {
        return DateTime();
    }
    const double whole = std::trunc(days);
    if (whole < static_cast<double>(FirstDay)) {
        return DateTime(MinMs);
    }
    if (whole > static_cast<double>(LastDay)) {
        return DateTime(MaxMs);
    }
    const std::int64_t timeOfDay = std::llround(std::fabs(days - whole) * MsPerDay);
    return DateTime(std::min(static_cast<std::int64_t>(whole) * MsPerDay + timeOfDay, MaxMs));
}

}  // namespace tw
