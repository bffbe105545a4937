// The process-kept subclass chain: order, passing on, removal while a handler runs, the window's
// own procedure restored, and nothing left behind when the window goes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/subclass.h"

namespace tw {
namespace {

using ui::AddSubclass;
using ui::CallNextSubclass;
using ui::RemoveSubclass;
using ui::SubclassData;

constexpr UINT kProbe = WM_APP + 7;

// Each handler appends its letter to the trace it is given, then passes the message on.
std::wstring* trace = nullptr;

LRESULT CALLBACK OwnProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbe) {
        *trace += L"W";
        return 100;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT HandlerA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void*) {
    if (message == kProbe) *trace += L"A";
    return CallNextSubclass(hwnd, message, wParam, lParam);
}

LRESULT HandlerB(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void*) {
    if (message == kProbe) *trace += L"B";
    return CallNextSubclass(hwnd, message, wParam, lParam) + 1;
}

// Takes itself out before passing the message on; the rest of the chain still hears it.
LRESULT Leaving(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void*) {
    if (message == kProbe) {
        *trace += L"L";
        RemoveSubclass(hwnd, Leaving);
    }
    return CallNextSubclass(hwnd, message, wParam, lParam);
}

// Sends the window a second message from inside its own handling (a nested message).
LRESULT Nesting(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void*) {
    if (message == kProbe && wParam == 0) {
        *trace += L"N(";
        SendMessageW(hwnd, kProbe, 1, 0);
        *trace += L")";
    }
    return CallNextSubclass(hwnd, message, wParam, lParam);
}

class SubclassTest : public testing::Test {
protected:
    std::wstring seen;
    HWND hwnd = nullptr;

    void SetUp() override {
        trace = &seen;
        WNDCLASSW wc{};
        wc.lpfnWndProc = OwnProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TwSubclassTest";
        RegisterClassW(&wc);
        hwnd =
            CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(hwnd, nullptr);
    }

    void TearDown() override {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
        trace = nullptr;
    }

    LRESULT Probe(WPARAM wParam = 0) {
        seen.clear();
        return SendMessageW(hwnd, kProbe, wParam, 0);
    }
};

TEST_F(SubclassTest, TheNewestHearsFirstAndTheWindowLast) {
    int data = 0;
    AddSubclass(hwnd, HandlerA, &data);
    AddSubclass(hwnd, HandlerB, nullptr);
    EXPECT_EQ(Probe(), 101);
    EXPECT_EQ(seen, L"BAW");
    EXPECT_EQ(SubclassData(hwnd, HandlerA), &data);
    EXPECT_EQ(SubclassData(hwnd, HandlerB), nullptr);

    // Adding one again gives it new data and leaves its place.
    int other = 0;
    AddSubclass(hwnd, HandlerA, &other);
    EXPECT_EQ(SubclassData(hwnd, HandlerA), &other);
    Probe();
    EXPECT_EQ(seen, L"BAW");
}

TEST_F(SubclassTest, TheLastRemovedRestoresTheWindowsOwnProcedure) {
    AddSubclass(hwnd, HandlerA, nullptr);
    AddSubclass(hwnd, HandlerB, nullptr);
    EXPECT_NE(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(OwnProc));
    RemoveSubclass(hwnd, HandlerB);
    Probe();
    EXPECT_EQ(seen, L"AW");
    RemoveSubclass(hwnd, HandlerA);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(OwnProc));
    EXPECT_EQ(Probe(), 100);
    EXPECT_EQ(seen, L"W");
    EXPECT_EQ(SubclassData(hwnd, HandlerA), nullptr);
}

TEST_F(SubclassTest, AHandlerThatLeavesWhileRunningStillPassesTheMessageOn) {
    AddSubclass(hwnd, HandlerA, nullptr);
    AddSubclass(hwnd, Leaving, nullptr);
    AddSubclass(hwnd, HandlerB, nullptr);
    EXPECT_EQ(Probe(), 101);
    EXPECT_EQ(seen, L"BLAW");
    Probe();
    EXPECT_EQ(seen, L"BAW");

    // Alone in the chain, leaving while it runs: the window's own procedure still answers, then
    // and afterwards.
    RemoveSubclass(hwnd, HandlerA);
    RemoveSubclass(hwnd, HandlerB);
    AddSubclass(hwnd, Leaving, nullptr);
    EXPECT_EQ(Probe(), 100);
    EXPECT_EQ(seen, L"LW");
    Probe();
    EXPECT_EQ(seen, L"W");
}

TEST_F(SubclassTest, ANestedMessageRunsTheWholeChainAndTheOuterOneGoesOnWhereItWas) {
    AddSubclass(hwnd, HandlerA, nullptr);
    AddSubclass(hwnd, Nesting, nullptr);
    AddSubclass(hwnd, HandlerB, nullptr);
    Probe();
    EXPECT_EQ(seen, L"BN(BAW)AW");
}

TEST_F(SubclassTest, NothingIsLeftWhenTheWindowGoes) {
    AddSubclass(hwnd, HandlerA, nullptr);
    AddSubclass(hwnd, HandlerB, nullptr);
    HWND gone = hwnd;
    DestroyWindow(hwnd);
    EXPECT_EQ(SubclassData(gone, HandlerA), nullptr);
    EXPECT_EQ(SubclassData(gone, HandlerB), nullptr);
    // Nothing happens for a window that is gone or never had a chain.
    RemoveSubclass(gone, HandlerA);
    AddSubclass(gone, HandlerA, nullptr);
    EXPECT_EQ(SubclassData(gone, HandlerA), nullptr);
}

}  // namespace
}  // namespace tw
