#include "settings/value_codecs.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace tw {
namespace {

struct IntCase {
    std::optional<std::wstring> text;
    std::int32_t expected;  // read with the default 77
};

TEST(ValueCodecs, ReadIntTakesDecimalAndHexadecimalElseTheDefault) {
    const IntCase cases[] = {
        {std::nullopt, 77},  {L"2", 2},
        {L"-7", -7},         {L"0x1F", 31},
        {L"0X1f", 31},       {L"$1F", 31},
        {L"$FFFFFFFF", -1},  {L"0x", 77},
        {L"$", 77},          {L"yes", 77},
        {L"", 77},           {L"1.5", 77},
        {L"2147483648", 77}, {L"-2147483648", std::numeric_limits<std::int32_t>::min()},
    };
    for (const IntCase& c : cases) {
        EXPECT_EQ(ReadInt(c.text, 77), c.expected) << testing::PrintToString(c.text);
    }
}

struct BoolCase {
    std::optional<std::wstring> text;
    std::optional<bool> expected;  // empty: the default, whichever it is
};

TEST(ValueCodecs, ReadBoolIsTrueForAnyNumberButZero) {
    const BoolCase cases[] = {
        {L"1", true},        {L"2", true},           {L"-1", true},
        {L"$10", true},      {L"0", false},          {L"0x0", false},
        {L"$0", false},      {L"yes", std::nullopt}, {L"true", std::nullopt},
        {L"", std::nullopt}, {L"0x", std::nullopt},  {std::nullopt, std::nullopt},
    };
    for (const BoolCase& c : cases) {
        for (const bool defaultValue : {false, true}) {
            EXPECT_EQ(ReadBool(c.text, defaultValue), c.expected.value_or(defaultValue))
                << testing::PrintToString(c.text) << " default " << defaultValue;
        }
    }
}

TEST(ValueCodecs, BooleansAndIntegersReadBackWhatIsWritten) {
    EXPECT_EQ(WriteBool(true), L"1");
    EXPECT_EQ(WriteBool(false), L"0");
    EXPECT_EQ(WriteInt(-42), L"-42");
    for (const std::int32_t value :
         {0, 1, -1, 159, std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min()}) {
        EXPECT_EQ(ReadInt(WriteInt(value), 77), value);
    }
    EXPECT_TRUE(ReadBool(WriteBool(true), false));
    EXPECT_FALSE(ReadBool(WriteBool(false), true));
}

DateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    const std::optional<DateTime> t = DateTime::FromParts(year, month, day, hour, minute, second);
    EXPECT_TRUE(t.has_value());
    return t.value_or(DateTime());
}

TEST(ValueCodecs, DateTimesInTheLocaleShortDateAndLongTime) {
    const FormatSettings fs = FormatSettings::Japanese();
    const DateTime fallback = At(2000, 1, 1);
    EXPECT_EQ(WriteDateTime(At(2025, 10, 9, 14, 5, 27), fs), L"2025/10/09 14:05:27");
    EXPECT_EQ(WriteDateTime(At(2025, 10, 9), fs), L"2025/10/09");  // midnight: no time
    for (const DateTime t :
         {At(2025, 10, 9, 14, 5, 27), At(2025, 10, 9), At(1, 1, 1, 0, 0, 1), At(9999, 12, 31, 23, 59, 59)}) {
        EXPECT_EQ(ReadDateTime(WriteDateTime(t, fs), fallback, fs), t);
    }
    EXPECT_EQ(ReadDateTime(L"2025/10/09 9:05:00", fallback, fs), At(2025, 10, 9, 9, 5));
    EXPECT_EQ(ReadDateTime(L"2025/13/09", fallback, fs), fallback);
    EXPECT_EQ(ReadDateTime(L"yesterday", fallback, fs), fallback);
    EXPECT_EQ(ReadDateTime(L"", fallback, fs), fallback);
    EXPECT_EQ(ReadDateTime(std::nullopt, fallback, fs), fallback);
}

struct TickCase {
    std::uint32_t value;
    const wchar_t* text;
};

TEST(ValueCodecs, TicksAsEightHexDigitsOrAColourName) {
    const TickCase cases[] = {
        {0, L"clBlack"},
        {255, L"clRed"},
        {0x12345678, L"$12345678"},
        {1, L"$00000001"},
        {0xABCDEF, L"$00ABCDEF"},
        {0xFFFFFFFF, L"$FFFFFFFF"},
        {0xC0C0C0, L"clSilver"},
        {0xFFFFFF, L"clWhite"},
        {0xF0FBFF, L"clCream"},
        {0x1FFFFFFF, L"clNone"},
        {0x20000000, L"clDefault"},
        {0xFF000000, L"clScrollBar"},
        {0xFF000015, L"cl3DDkShadow"},
        {0xFF000018, L"clInfoBk"},
        {0xFF000019, L"$FF000019"},  // no system colour has this index
        {0xFF00001A, L"clHotLight"},
        {0xFF00001E, L"clMenuBar"},
        {0xFF00001F, L"$FF00001F"},
    };
    for (const TickCase& c : cases) {
        EXPECT_EQ(WriteTick(c.value), c.text) << std::hex << c.value;
    }
}

}  // namespace
}  // namespace tw
