#pragma once
// A timer with an interval in milliseconds and an enabled switch; its event runs on the GUI
// thread from the message loop, also while a modal box is open. By default never inside its own
// handler: a tick that finds the handler still running (in a box it opened) is dropped. A timer
// whose handler only reads and shows may run nested instead, so that it goes on while a box that
// something else opened from inside its handler is open.
#include <windows.h>

#include "platform/control.h"

namespace tw::ui {

enum class WhileRunning { DropTicks, RunNested };

class Timer : public Object {
public:
    explicit Timer(UINT interval, bool enabled = true, WhileRunning whileRunning = WhileRunning::DropTicks);
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
    WhileRunning whileRunning_;
    bool running_ = false;
    UINT_PTR id_ = 0;
};

}  // namespace tw::ui
