#pragma once
// A timer with an interval in milliseconds and an enabled switch; its event runs on the GUI
// thread from the message loop, also while a modal box is open, but never inside its own
// handler: a tick that finds the handler still running (in a box it opened) is dropped.
#include <windows.h>

#include "platform/control.h"

namespace tw::ui {

class Timer : public Object {
public:
    explicit Timer(UINT interval, bool enabled = true);
    ~Timer() override;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    UINT Interval() const { return interval_; }
    Event OnTimer;

    // Arms or disarms every enabled timer as the application's event hold says (start-up).
    static void UpdateAll();

private:
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD);
    void Update();
    UINT interval_;
    bool enabled_;
    bool running_ = false;
    UINT_PTR id_ = 0;
};

}  // namespace tw::ui
