#pragma once
// Stand-ins for the operating system's services: scripted ticks and last input, a settable
// clock, and a record of injected keys.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/input_services.h"

namespace tw::test {

struct KeyEvent {
    std::uint8_t key;
    std::uint32_t flags;
};

class FakeInput : public InputServices {
public:
    std::uint32_t tick = 1'000'000;
    std::uint32_t lastInput = 1'000'000;
    bool injectedInputRegisters = true;  // keybd_event moves the last-input tick
    HWND foreground = nullptr;
    std::wstring foregroundClass;
    std::vector<KeyEvent> keys;
    std::vector<std::uint32_t> sleeps;

    std::uint32_t TickCount() override { return tick; }
    void GetLastInputInfo(LASTINPUTINFO& info) override { info.dwTime = lastInput; }
    void KeybdEvent(std::uint8_t key, std::uint32_t flags) override {
        keys.push_back({key, flags});
        if (injectedInputRegisters) lastInput = tick;
    }
    void Sleep(std::uint32_t ms) override {
        sleeps.push_back(ms);
        tick += ms;
    }
    HWND ForegroundWindow() override { return foreground; }
    std::wstring ClassName(HWND window) override { return window ? foregroundClass : std::wstring(); }
    void LockSetForegroundWindow(UINT) override {}
    void SetForegroundWindow(HWND window) override { foreground = window; }
    void ShowWindow(HWND, int) override {}

    // The user touches the mouse now.
    void UserInput() { lastInput = tick; }
    void Advance(std::uint32_t ms) { tick += ms; }
};

class FakeClock : public Clock {
public:
    DateTime now = DateTime::FromParts(2025, 10, 9, 14, 5, 0).value();
    DateTime LocalNow() override { return now; }
};

// What the default error display would have shown.
std::vector<std::wstring>& ShownErrors();

}  // namespace tw::test
