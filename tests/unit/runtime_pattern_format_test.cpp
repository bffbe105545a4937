#include "runtime/pattern_format.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tw {
namespace {

DateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0) {
    const std::optional<DateTime> t = DateTime::FromParts(year, month, day, hour, minute, second, ms);
    EXPECT_TRUE(t.has_value());
    return t.value_or(DateTime());
}

struct DateCase {
    const wchar_t* pattern;
    DateTime t;
    const wchar_t* text;
};

TEST(FormatDateTime, JapaneseSettings) {
    const FormatSettings fs = FormatSettings::Japanese();
    const DateTime t = At(2025, 10, 9, 14, 5, 27, 123);  // a Thursday
    const DateCase cases[] = {
        {L"yyyy/mm/dd  hh:nn", t, L"2025/10/09  14:05"},
        {L"yyyy/mm/dd hh:mm", t, L"2025/10/09 14:05"},  // mm after an hour code is minutes
        {L"hh:mm:ss", t, L"14:05:27"},
        {L"YYYY/MM/DD", t, L"2025/10/09"},
        {L"yyyy/mm/dd hh:mm:ss ", At(2025, 1, 2, 3, 4, 5), L"2025/01/02 03:04:05 "},
        {L"yyyy/mm/dd HH:nn-", At(2025, 10, 9, 14, 30), L"2025/10/09 14:30-"},
        {L"HH:nn ", At(2025, 10, 9, 14, 59, 59, 999), L"14:59 "},
        {L"hh:nn:ss.zzz", DateTime::FromMilliseconds(90 * 60'000), L"01:30:00.000"},
        {L"hh:nn:ss.zzz", DateTime::FromMilliseconds(4 * 60'000 + 48'123), L"00:04:48.123"},
        {L"d/m/yy h:n:s.z", At(2025, 1, 2, 3, 4, 5, 7), L"2/1/25 3:4:5.7"},
        {L"hh:nn mm", t, L"14:05 10"},  // after a minute code mm is the month again
        {L"yyyy\"年\"m\"月\"d\"日\"", t, L"2025年10月9日"},
        {L"\"a/b:c\" 'hh' yyyy", t, L"a/b:c hh 2025"},  // quoted separators and codes stay text
        {L"mmmm aaaa", t, L"10月 木曜日"},
        {L"aaaa", At(2025, 10, 12), L"日曜日"},
        {L"yyyy/mm/dd", At(5, 3, 1), L"0005/03/01"},
        {L"yyyy/mm/dd", At(1899, 12, 29, 23), L"1899/12/29"},
        {L"", t, L""},
    };
    for (const DateCase& c : cases) {
        EXPECT_EQ(FormatDateTime(c.pattern, c.t, fs), c.text) << c.pattern;
    }
}

TEST(FormatDateTime, TimeStampIsAlwaysTwentyCharacters) {
    const FormatSettings fs = FormatSettings::Japanese();
    for (const DateTime t : {At(2025, 1, 2, 3, 4, 5), At(2025, 12, 31, 23, 59, 59, 999), At(1, 1, 1)}) {
        EXPECT_EQ(FormatDateTime(L"yyyy/mm/dd hh:mm:ss ", t, fs).size(), 20u);
    }
}

TEST(FormatDateTime, SeparatorsAndNamesComeFromTheSettings) {
    FormatSettings fs = FormatSettings::Japanese();
    fs.DateSeparator = L'.';
    fs.TimeSeparator = L'-';
    fs.LongMonthNames[9] = L"жовтень";
    fs.LongDayNames[4] = L"четвер";
    const DateTime t = At(2025, 10, 9, 14, 5);
    EXPECT_EQ(FormatDateTime(L"yyyy/mm/dd hh:nn", t, fs), L"2025.10.09 14-05");
    fs.TimeSeparator = L':';
    EXPECT_EQ(FormatDateTime(L"d mmmm yyyy aaaa hh:nn", t, fs), L"9 жовтень 2025 четвер 14:05");
}

struct NumberCase {
    const wchar_t* pattern;
    double value;
    const wchar_t* text;
};

TEST(FormatNumber, PatternsOfTheProgram) {
    const FormatSettings fs = FormatSettings::Japanese();
    const NumberCase cases[] = {
        {L"00", 7, L"07"},
        {L"00", 123, L"123"},
        {L"#,0 回め、", 1234, L"1,234 回め、"},
        {L"#,0 回め、", 1, L"1 回め、"},
        {L"#,0", 0, L"0"},
        {L"#,0", 1234567, L"1,234,567"},
        {L"#,0", 123456, L"123,456"},
        {L"#,0", -1234, L"-1,234"},
        {L"#,0", 2147483647, L"2,147,483,647"},
        {L" #0.0", 96.0, L" 96.0"},
        {L" #0.0", 0.925, L" 0.9"},
        {L" #0.0", 150, L" 150.0"},
        {L" #0.0", 57600.0 / 60000 * 100, L" 96.0"},
        {L" #0.0", 2750.0 / 300000 * 100, L" 0.9"},
        {L" #0.0", 99.96, L" 100.0"},
        {L" #0.0", -0.04, L" 0.0"},  // no minus sign on a value shown as zero
        {L" #0.0", -12.34, L" -12.3"},
    };
    for (const NumberCase& c : cases) {
        EXPECT_EQ(FormatNumber(c.pattern, c.value, fs), c.text) << c.pattern << " " << c.value;
    }
}

TEST(FormatNumber, RoundsHalfAwayFromZeroOnTheWrittenDecimals) {
    const FormatSettings fs = FormatSettings::Japanese();
    const NumberCase cases[] = {
        {L"0", 2.5, L"3"},         {L"0", -2.5, L"-3"},       {L"0", 0.5, L"1"},       {L"0", 0.49, L"0"},
        {L"0.0", 0.25, L"0.3"},    {L"0.0", 0.15, L"0.2"},  // binary 0.1499999...; the decimal 0.15 rounds up
        {L"0.00", 1.005, L"1.01"}, {L"#,0", 999.5, L"1,000"}, {L"0.0", 9.96, L"10.0"},
    };
    for (const NumberCase& c : cases) {
        EXPECT_EQ(FormatNumber(c.pattern, c.value, fs), c.text) << c.pattern << " " << c.value;
    }
}

TEST(FormatNumber, PlaceholdersLiteralsAndSettings) {
    FormatSettings fs = FormatSettings::Japanese();
    const NumberCase cases[] = {
        {L"0.##", 1.5, L"1.5"},
        {L"0.##", 2, L"2"},
        {L"0.0#", 2, L"2.0"},
        {L"000", 5, L"005"},
        {L"#", 0, L""},
        {L"#.00", 0.5, L".50"},
        {L"\"No.\" 0 \"#,0\"", 5, L"No. 5 #,0"},
        {L"'x'0'y'", 5, L"x5y"},
        {L". 0", 5, L". 5"},  // a point without digits is plain text
        {L"0%", 42, L"42%"},
        {L"#,0", 1e15, L"1,000,000,000,000,000"},
        {L"abc", 5, L"abc"},
    };
    for (const NumberCase& c : cases) {
        EXPECT_EQ(FormatNumber(c.pattern, c.value, fs), c.text) << c.pattern << " " << c.value;
    }

    fs.ThousandSeparator = L'.';
    fs.DecimalSeparator = L',';
    EXPECT_EQ(FormatNumber(L"#,0.0", 1234.5, fs), L"1.234,5");
    fs.ThousandSeparator = L'\0';
    EXPECT_EQ(FormatNumber(L"#,0", 1234, fs), L"1234");
}

}  // namespace
}  // namespace tw
