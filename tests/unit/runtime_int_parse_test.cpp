#include "runtime/int_parse.h"
#include "runtime/ticks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace tw {
namespace {

struct IntegerCase {
    const wchar_t* text;
    std::optional<std::int32_t> value;
};

TEST(ParseInteger, SettingsFileRules) {
    const IntegerCase cases[] = {
        {L"2", 2},
        {L"0", 0},
        {L"-5", -5},
        {L"+7", 7},
        {L"007", 7},
        {L"2147483647", 2147483647},
        {L"-2147483648", -2147483647 - 1},
        {L"2147483648", std::nullopt},
        {L"-2147483649", std::nullopt},
        {L"99999999999999999999", std::nullopt},
        {L"$1F", 31},
        {L"$1f", 31},
        {L"$9F", 159},
        {L"$FFFFFFFF", -1},
        {L"$80000000", -2147483647 - 1},
        {L"$0000000001", 1},
        {L"$100000000", std::nullopt},
        {L"0x1F", 31},
        {L"0X1f", 31},
        {L"0x0", 0},
        {L"0xFFFFFFFF", -1},
        {L"0x", std::nullopt},
        {L"0X", std::nullopt},
        {L"0xG", std::nullopt},
        {L"$", std::nullopt},
        {L"$G", std::nullopt},
        {L"", std::nullopt},
        {L"yes", std::nullopt},
        {L"1F", std::nullopt},
        {L"9f", std::nullopt},
        {L"-", std::nullopt},
        {L"+", std::nullopt},
        {L"-$1F", std::nullopt},
        {L"$-1", std::nullopt},
        {L"-0x1", std::nullopt},
        {L" 1", std::nullopt},
        {L"1 ", std::nullopt},
        {L"1.0", std::nullopt},
        {L"１", std::nullopt},
    };
    for (const IntegerCase& c : cases) {
        EXPECT_EQ(ParseInteger(c.text), c.value) << c.text;
    }
}

TEST(HexUpper, PadsToTheMinimumDigits) {
    EXPECT_EQ(HexUpper(0x9F, 2), L"9F");
    EXPECT_EQ(HexUpper(0xA, 2), L"0A");
    EXPECT_EQ(HexUpper(0, 2), L"00");
    EXPECT_EQ(HexUpper(0, 0), L"0");
    EXPECT_EQ(HexUpper(0x1234, 2), L"1234");
    EXPECT_EQ(HexUpper(0xDEADBEEF, 8), L"DEADBEEF");
    EXPECT_EQ(HexUpper(255, 8), L"000000FF");
}

TEST(FoldFullWidthDigits, GivesTheAsciiDigitsAndLeavesTheRest) {
    EXPECT_EQ(FoldFullWidthDigits(L"\xFF11\xFF15"), L"15");
    EXPECT_EQ(FoldFullWidthDigits(L"\xFF12"
                                  L"0"),
              L"20");
    EXPECT_EQ(FoldFullWidthDigits(L"\xFF10\xFF19"), L"09");
    EXPECT_EQ(FoldFullWidthDigits(L""), L"");
    // Neighbours of the digit block, other letters and the full-width letter a stay as they are.
    EXPECT_EQ(FoldFullWidthDigits(L"\xFF0F\xFF1A"
                                  L"1a\xFF41"),
              L"\xFF0F\xFF1A"
              L"1a\xFF41");
}

TEST(TickDiff, ModuloTwoToTheThirtyTwo) {
    EXPECT_EQ(TickDiff(0x00000005u, 0xFFFFFFFBu), 10);
    EXPECT_EQ(TickDiff(0xFFFFFFFBu, 0x00000005u), -10);
    EXPECT_EQ(TickDiff(1000, 400), 600);
    EXPECT_EQ(TickDiff(400, 1000), -600);
    EXPECT_EQ(TickDiff(7, 7), 0);
    EXPECT_EQ(TickDiff(0x7FFFFFFFu, 0), 2147483647);
    EXPECT_EQ(TickDiff(0x80000000u, 0), -2147483647 - 1);
    static_assert(TickDiff(0x00000005u, 0xFFFFFFFBu) == 10);
}

}  // namespace
}  // namespace tw
