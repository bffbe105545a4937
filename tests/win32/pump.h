#pragma once
// Lets the thread's messages (timers, mouse input, tool tips) be handled for a while, as a
// message loop would while the user waits.
#include <windows.h>

namespace tw::test {

inline void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace tw::test
