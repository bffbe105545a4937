#include "engine/duration_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace tw {
namespace {

struct DurationCase {
    std::int32_t ms;
    const wchar_t* text;
};

TEST(DurationText, FormatsByMagnitude) {
    const DurationCase cases[] = {
        {0, L"0:00"},
        {999, L"0:00"},
        {7'000, L"0:07"},
        {10'999, L"0:10"},
        {59'999, L"0:59"},
        {60'000, L"1:00"},
        {754'000, L"12:34"},
        {3'599'999, L"59:59"},
        {3'600'000, L"1:00:00"},
        {3'661'000, L"1:01:01"},
        {100'000'000, L"27:46:40"},
        {360'000'000, L"100:00:00"},
        {std::numeric_limits<std::int32_t>::max(), L"596:31:23"},
    };
    for (const DurationCase& c : cases) {
        EXPECT_EQ(DurationText(c.ms), c.text) << "ms = " << c.ms;
    }
}

TEST(DurationText, NegativeCountReadsAsUnsigned) {
    // 4,294,967,295 ms and 2,147,483,648 ms: hours run on, no day part.
    EXPECT_EQ(DurationText(-1), L"1193:02:47");
    EXPECT_EQ(DurationText(std::numeric_limits<std::int32_t>::min()), L"596:31:23");
    EXPECT_EQ(DurationText(-1'000), L"1193:02:46");
}

}  // namespace
}  // namespace tw
