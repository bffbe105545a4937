#pragma once
// Drives a system message box that the code under test opens: once the box shows, the step
// runs from a timer inside the box's own loop, as often as it asks, and closes the box itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

namespace tw::test {

// The system message box open on this thread, if any.
inline HWND OpenMessageBox() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM out) {
            wchar_t name[16] = {};
            GetClassNameW(hwnd, name, 16);
            if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
            *reinterpret_cast<HWND*>(out) = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Runs open() (which shows a box and returns when it closes) with step called for the open box
// every 50 ms until it returns true. A box still open after ten seconds fails the test and is
// cancelled.
template <typename Open>
auto WhileBoxOpen(std::function<bool(HWND box)> step, Open open) {
    static std::function<bool(HWND)>* current = nullptr;
    static int ticks = 0;
    current = &step;
    ticks = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND box = OpenMessageBox();
        if (!box || !current) return;
        if (++ticks > 200) {
            ADD_FAILURE() << "the box was still open after ten seconds";
            PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        // Not again from inside itself (a step may let messages be handled).
        std::function<bool(HWND)>* running = current;
        current = nullptr;
        if (!(*running)(box)) current = running;
    });
    struct End {
        UINT_PTR timer;
        ~End() {
            KillTimer(nullptr, timer);
            current = nullptr;
        }
    } end{timer};
    return open();
}

}  // namespace tw::test
