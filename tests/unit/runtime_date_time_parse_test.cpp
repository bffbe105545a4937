#include "runtime/pattern_format.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tw {
namespace {

DateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0) {
    const std::optional<DateTime> t = DateTime::FromParts(year, month, day, hour, minute, second, ms);
    EXPECT_TRUE(t.has_value());
    return t.value_or(DateTime());
}

DateTime TimeOnly(int hour, int minute, int second = 0, int ms = 0) {
    return DateTime::FromMilliseconds(((hour * 60LL + minute) * 60 + second) * 1000 + ms);
}

struct ParseCase {
    const wchar_t* text;
    DateTime t;
};

TEST(TryParseDateTime, ReadsJapaneseDatesAndTimes) {
    const FormatSettings fs = FormatSettings::Japanese();
    const ParseCase cases[] = {
        {L"2025/10/09 14:05:27", At(2025, 10, 9, 14, 5, 27)},
        {L"2025/10/09 4:05:00", At(2025, 10, 9, 4, 5)},
        {L"2025/10/09", At(2025, 10, 9)},
        {L"  2025/10/09\t14:05  ", At(2025, 10, 9, 14, 5)},
        {L"2025/1/2 3:4", At(2025, 1, 2, 3, 4)},
        {L"2025/10/09 14:05:27.123", At(2025, 10, 9, 14, 5, 27, 123)},
        {L"2025/10/09 14:05:27.5", At(2025, 10, 9, 14, 5, 27, 500)},
        {L"2025/10/09 2:05:27 PM", At(2025, 10, 9, 14, 5, 27)},
        {L"2025/10/09 12:05 am", At(2025, 10, 9, 0, 5)},
        {L"2025/10/09 12:05PM", At(2025, 10, 9, 12, 5)},
        {L"2024/02/29 23:59:59", At(2024, 2, 29, 23, 59, 59)},
        {L"2000/2/29", At(2000, 2, 29)},
        {L"0001/01/01", At(1, 1, 1)},
        {L"0005/01/02", At(5, 1, 2)},
        {L"9999/12/31 23:59:59.999", At(9999, 12, 31, 23, 59, 59, 999)},
        {L"1899/12/29 6:00", At(1899, 12, 29, 6)},
        {L"25/10/09", At(2025, 10, 9)},  // a two-digit year falls in 1950-2049
        {L"49/1/1", At(2049, 1, 1)},
        {L"50/1/1", At(1950, 1, 1)},
        {L"14:05", TimeOnly(14, 5)},  // a time alone is on day 0
        {L"0:00:01", TimeOnly(0, 0, 1)},
        {L"23:59:59.999", TimeOnly(23, 59, 59, 999)},
        {L"12:30 PM", TimeOnly(12, 30)},
    };
    for (const ParseCase& c : cases) {
        DateTime t = DateTime::FromMilliseconds(-42);
        EXPECT_TRUE(TryParseDateTime(c.text, fs, t)) << c.text;
        EXPECT_EQ(t, c.t) << c.text;
    }
}

TEST(TryParseDateTime, RejectsAnythingElseAndLeavesTheResultAlone) {
    const FormatSettings fs = FormatSettings::Japanese();
    const wchar_t* invalid[] = {
        L"",
        L"   ",
        L"yes",
        L"14",
        L"2025",
        L"2025/10",
        L"2025/10/",
        L"2025/10/09/01",
        L"2025-10-09",
        L"2025/13/01",
        L"2025/00/01",
        L"2025/10/32",
        L"2025/04/31",
        L"2023/02/29",
        L"1900/02/29",
        L"0000/01/01",
        L"10000/01/01",
        L"2025/10/009x",
        L"2025/10/09x",
        L"2025/10/09 x",
        L"2025/10/0914:05",
        L"2025/10/09 24:00:00",
        L"2025/10/09 14:60",
        L"2025/10/09 14:05:60",
        L"2025/10/09 14:05:",
        L"2025/10/09 14:",
        L"2025/10/09 14:05:27.1234",
        L"2025/10/09 14:05:27 x",
        L"2025/10/09 13:00 PM",
        L"2025/10/09 0:30 AM",
        L"2025/10/09 1:30 PN",
        L"+2025/10/09",
        L"2025/+10/09",
        L"14:05 2025/10/09",
        L"123:05",
        L"14:5:7:9",
        L"２０２５/10/09",
    };
    for (const wchar_t* text : invalid) {
        DateTime t = DateTime::FromMilliseconds(-42);
        EXPECT_FALSE(TryParseDateTime(text, fs, t)) << text;
        EXPECT_EQ(t.Milliseconds(), -42) << text;
    }
}

TEST(TryParseDateTime, FollowsTheDateOrderOfTheSettings) {
    FormatSettings dmy = FormatSettings::Japanese();
    dmy.DateSeparator = L'.';
    dmy.ShortDateFormat = L"dd/mm/yyyy";
    FormatSettings mdy = FormatSettings::Japanese();
    mdy.ShortDateFormat = L"m/d/yyyy";

    DateTime t;
    ASSERT_TRUE(TryParseDateTime(L"09.10.2025 14:05:27", dmy, t));
    EXPECT_EQ(t, At(2025, 10, 9, 14, 5, 27));
    ASSERT_TRUE(TryParseDateTime(L"10/9/2025", mdy, t));
    EXPECT_EQ(t, At(2025, 10, 9));
    ASSERT_TRUE(TryParseDateTime(L"10/9/25", mdy, t));
    EXPECT_EQ(t, At(2025, 10, 9));
    EXPECT_FALSE(TryParseDateTime(L"13/9/2025", mdy, t));

    // A first number of three or four digits is a year whatever the order: time stamps are
    // always written year first.
    ASSERT_TRUE(TryParseDateTime(L"2025.10.09 14:05:27", dmy, t));
    EXPECT_EQ(t, At(2025, 10, 9, 14, 5, 27));
    ASSERT_TRUE(TryParseDateTime(L"2025/10/09", mdy, t));
    EXPECT_EQ(t, At(2025, 10, 9));
}

// Settings as the locale reader makes them from a locale's Windows pictures.
FormatSettings FromLocale(const wchar_t* date, wchar_t dateSeparator, const wchar_t* time, wchar_t timeSeparator) {
    FormatSettings fs = FormatSettings::Japanese();
    fs.DateSeparator = dateSeparator;
    fs.TimeSeparator = timeSeparator;
    fs.ShortDateFormat = ConvertLocaleDatePattern(date, dateSeparator);
    fs.LongTimeFormat = ConvertLocaleTimePattern(time, timeSeparator);
    EXPECT_FALSE(fs.ShortDateFormat.empty()) << date;
    EXPECT_FALSE(fs.LongTimeFormat.empty()) << time;
    return fs;
}

std::vector<FormatSettings> LocaleVariety() {
    std::vector<FormatSettings> settings;
    settings.push_back(FormatSettings::Japanese());
    settings.push_back(FromLocale(L"dd.MM.yyyy", L'.', L"HH:mm:ss", L':'));
    settings.push_back(FromLocale(L"M/d/yyyy", L'/', L"h:mm:ss tt", L':'));
    settings.push_back(FromLocale(L"dd/MM/yy", L'/', L"tt h:mm:ss", L':'));
    settings.push_back(FromLocale(L"d.M.yyyy 'г.'", L'.', L"H:mm:ss 'ч.'", L':'));
    settings.push_back(FromLocale(L"yyyy. MM. dd.", L'.', L"H:mm:ss", L':'));
    settings.push_back(FromLocale(L"d.M.yyyy", L'.', L"H.mm.ss", L'.'));
    settings.push_back(FromLocale(L"yyyy-MM-dd", L'-', L"HH' h 'mm' min 'ss' s'", L':'));
    settings.push_back(FromLocale(L"dd-MMM-yyyy", L'-', L"HH:mm:ss", L':'));
    settings.push_back(FromLocale(L"yyyy/MM/dd", L'-', L"H:mm:ss", L':'));
    settings.push_back(FromLocale(L"dd MM yyyy", L'/', L"H:mm:ss", L':'));
    // A right-to-left mark as the separator, followed by a literal "/".
    settings.push_back(FromLocale(L"d\u200F/M\u200F/yyyy", L'\u200F', L"hh:mm:ss tt", L':'));
    return settings;
}

std::vector<DateTime> AwkwardMoments() {
    return {At(2025, 10, 9, 14, 5, 27), At(2025, 10, 9),         At(2025, 1, 2, 3, 4, 5), At(2024, 2, 29, 23, 59, 59),
            At(1, 1, 1, 0, 0, 1),       At(99, 12, 31, 12),      At(100, 3, 1),           At(1899, 12, 30),
            At(1899, 12, 29, 6),        At(1949, 6, 1, 1, 2, 3), At(2050, 6, 1),          At(9999, 12, 31, 23, 59, 59)};
}

TEST(TryParseDateTime, ReadsBackWhatDateTimeToTextWrites) {
    for (const FormatSettings& fs : LocaleVariety()) {
        for (const DateTime t : AwkwardMoments()) {
            const std::wstring text = DateTimeToText(t, fs);
            DateTime back;
            EXPECT_TRUE(TryParseDateTime(text, fs, back)) << text << " / " << fs.ShortDateFormat;
            EXPECT_EQ(back, t) << text << " / " << fs.ShortDateFormat;
        }
    }
}

TEST(TryParseDateTime, ReadsBackTheFirstNineteenCharactersOfATimeStamp) {
    for (const FormatSettings& fs : LocaleVariety()) {
        for (const DateTime t : AwkwardMoments()) {
            const std::wstring stamp = FormatDateTime(L"yyyy/mm/dd hh:mm:ss ", t, fs);
            DateTime back;
            EXPECT_TRUE(TryParseDateTime(std::wstring_view(stamp).substr(0, 19), fs, back))
                << stamp << " / " << fs.ShortDateFormat;
            EXPECT_EQ(back, t) << stamp;
        }
    }
}

TEST(DateTimeToText, ShortDateAndLongTimeWithoutTimeAtMidnight) {
    const FormatSettings fs = FormatSettings::Japanese();
    EXPECT_EQ(DateTimeToText(At(2025, 10, 9, 14, 5, 27), fs), L"2025/10/09 14:05:27");
    EXPECT_EQ(DateTimeToText(At(2025, 1, 2, 3, 4, 5), fs), L"2025/01/02 3:04:05");
    EXPECT_EQ(DateTimeToText(At(2025, 10, 9), fs), L"2025/10/09");
    EXPECT_EQ(DateTimeToText(At(2025, 10, 9, 0, 0, 0, 1), fs), L"2025/10/09 0:00:00");
    EXPECT_EQ(DateTimeToText(At(2025, 10, 9, 14, 5, 27, 999), fs), L"2025/10/09 14:05:27");
}

}  // namespace
}  // namespace tw
