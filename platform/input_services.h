#pragma once
// The operating system's input, timing and foreground services that the workers and the idle
// display stand on, behind one interface so tests can script ticks and watch injected keys.
#include <windows.h>

#include <cstdint>
#include <string>

namespace tw {

class InputServices {
public:
    virtual ~InputServices() = default;
    virtual std::uint32_t TickCount() = 0;
    // Fills dwTime of a LASTINPUTINFO whose cbSize the caller set; a failed call leaves it alone.
    virtual void GetLastInputInfo(LASTINPUTINFO& info) = 0;
    virtual void KeybdEvent(std::uint8_t virtualKey, std::uint32_t flags) = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    virtual HWND ForegroundWindow() = 0;
    // The window's class name, cut to 255 UTF-16 units; empty when there is none.
    virtual std::wstring ClassName(HWND window) = 0;
    virtual void LockSetForegroundWindow(UINT lockCode) = 0;
    virtual void SetForegroundWindow(HWND window) = 0;
    virtual void ShowWindow(HWND window, int command) = 0;
};

// The real services of user32 and kernel32.
class WinInputServices final : public InputServices {
public:
    std::uint32_t TickCount() override;
    void GetLastInputInfo(LASTINPUTINFO& info) override;
    void KeybdEvent(std::uint8_t virtualKey, std::uint32_t flags) override;
    void Sleep(std::uint32_t milliseconds) override;
    HWND ForegroundWindow() override;
    std::wstring ClassName(HWND window) override;
    void LockSetForegroundWindow(UINT lockCode) override;
    void SetForegroundWindow(HWND window) override;
    void ShowWindow(HWND window, int command) override;
};

}  // namespace tw
