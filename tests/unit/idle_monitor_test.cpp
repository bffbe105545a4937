#include "engine/idle_monitor.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(IdleMonitor, HoldTextHasTwoDigits) {
    EXPECT_EQ(HoldText(10), L"0:10");
    EXPECT_EQ(HoldText(5), L"0:05");
    EXPECT_EQ(HoldText(30), L"0:30");
}

TEST(IdleMonitor, IdleTextPassesTheHoldOnlyAfterTheHoldSeconds) {
    struct Case {
        std::uint32_t idleMs;
        int hold;
        bool passes;
    } cases[] = {
        {10'900, 10, false}, {11'000, 10, true},  {30'999, 30, false}, {31'000, 30, true},
        {60'000, 30, true},  {754'000, 10, true}, {0, 1, false},       {2'000, 1, true},
    };
    for (const Case& c : cases) {
        std::uint32_t human = 1'000'000, injected = 5;
        IdleReading r = ReadIdle(human, human + c.idleMs, human, injected, c.hold);
        EXPECT_EQ(r.passesHold, c.passes) << c.idleMs << " ms, hold " << c.hold;
    }
}

TEST(IdleMonitor, TheWorkersOwnTickIsNotTheUsers) {
    std::uint32_t human = 100'000, injected = 160'500;
    IdleReading r = ReadIdle(160'500, 170'000, human, injected, 10);
    EXPECT_EQ(human, 100'000u);
    EXPECT_EQ(r.diff, 70'000);
    EXPECT_EQ(r.idleText, L"1:10");
    // Any other tick is the user's.
    r = ReadIdle(169'000, 170'000, human, injected, 10);
    EXPECT_EQ(human, 169'000u);
    EXPECT_EQ(r.diff, 1'000);
    EXPECT_FALSE(r.passesHold);
}

TEST(IdleMonitor, NoPositiveIdleTimeResynchronises) {
    std::uint32_t human = 0, injected = 0;
    IdleReading r = ReadIdle(50'000, 50'000, human, injected, 10);
    EXPECT_EQ(r.diff, 0);
    EXPECT_EQ(r.idleText, L"0:00");
    EXPECT_FALSE(r.passesHold);
    EXPECT_EQ(human, 0u);
    EXPECT_EQ(injected, 1u);
    // The next reading takes the system's tick as the user's again.
    r = ReadIdle(50'000, 62'000, human, injected, 10);
    EXPECT_EQ(human, 50'000u);
    EXPECT_EQ(r.idleText, L"0:12");
}

TEST(IdleMonitor, DifferencesSurviveTheTickWrap) {
    std::uint32_t human = 0, injected = 1;
    IdleReading r = ReadIdle(0xFFFF'F000u, 0x0000'2000u, human, injected, 10);
    EXPECT_EQ(r.diff, 0x3000);
    EXPECT_EQ(r.idleText, L"0:12");
    EXPECT_TRUE(r.passesHold);
}

TEST(IdleMonitor, ALastInputInTheFutureResynchronises) {
    std::uint32_t human = 0, injected = 1;
    IdleReading r = ReadIdle(10'500, 10'000, human, injected, 10);
    EXPECT_LT(r.diff, 0);
    EXPECT_EQ(human, 0u);
    EXPECT_EQ(injected, 1u);
    // A negative count reads as its unsigned value: a huge hour count, which passes the hold.
    EXPECT_TRUE(r.passesHold);
}

}  // namespace
}  // namespace tw
