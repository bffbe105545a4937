// The real input services on an ordinary desktop: unlocked, connected, the user's own desktop,
// with a window of ours in front. Here input must reach, and nothing may count as elevated.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/input_services.h"
#include "pump.h"

namespace tw {
namespace {

TEST(WinInputServicesTest, OnAnOrdinaryDesktopAPressGoesInWholeAndNothingHoldsTheWorkersBack) {
    WinInputServices input;
    HWND window = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"front", WS_POPUP | WS_VISIBLE, 0, 0, 80, 40, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    SetForegroundWindow(window);
    test::Pump(50);
    ASSERT_EQ(GetForegroundWindow(), window);

    EXPECT_EQ(input.Reach(), InputReach::Reaches);
    EXPECT_FALSE(input.ForegroundElevated());  // our own window
    EXPECT_FALSE(input.SessionLocked());
    EXPECT_TRUE(input.RegisterSessionNotification(window));
    input.UnregisterSessionNotification(window);

    LASTINPUTINFO before{sizeof(LASTINPUTINFO), 0};
    input.GetLastInputInfo(before);
    test::Pump(50);
    const KeyStroke press[] = {{0x9F, 0}, {0x9F, KEYEVENTF_KEYUP}};
    Injection done = input.SendKeys(press);
    EXPECT_EQ(done.injected, 2u);
    EXPECT_EQ(done.error, 0u);
    test::Pump(50);
    LASTINPUTINFO after{sizeof(LASTINPUTINFO), 0};
    input.GetLastInputInfo(after);
    EXPECT_NE(after.dwTime, before.dwTime);
    DestroyWindow(window);
}

}  // namespace
}  // namespace tw
