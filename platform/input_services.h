#pragma once
// The operating system's input, timing and foreground services that the workers and the idle
// display stand on, behind one interface so tests can script ticks and watch injected keys.
#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

namespace tw {

// One key event to inject: down (flags 0) or up (KEYEVENTF_KEYUP).
struct KeyStroke {
    std::uint8_t key;
    std::uint32_t flags;
};

// What an injection did: how many events the system took, and its error code when it took
// fewer than it was given.
struct Injection {
    std::uint32_t injected = 0;
    DWORD error = 0;
};

// Whether injected input can reach the user's desktop now, and if not, why. The system drops
// such input without saying so.
enum class InputReach {
    Reaches,
    OtherDesktop,        // the input desktop is not the user's: lock screen, secure prompt
    SessionNotActive,    // the session is not active and connected: a disconnected remote session
    NoForegroundWindow,  // nothing in front to take the input
};

class InputServices {
public:
    virtual ~InputServices() = default;
    virtual std::uint32_t TickCount() = 0;
    // Fills dwTime of a LASTINPUTINFO whose cbSize the caller set; a failed call leaves it alone.
    virtual void GetLastInputInfo(LASTINPUTINFO& info) = 0;
    // Injects the events in one call, so nothing else comes between them.
    virtual Injection SendKeys(std::span<const KeyStroke> strokes) = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    virtual HWND ForegroundWindow() = 0;
    // The window's class name, cut to 255 UTF-16 units; empty when there is none.
    virtual std::wstring ClassName(HWND window) = 0;
    virtual void LockSetForegroundWindow(UINT lockCode) = 0;
    virtual void SetForegroundWindow(HWND window) = 0;
    virtual void ShowWindow(HWND window, int command) = 0;

    virtual InputReach Reach() = 0;
    // True when the window in front belongs to a process of a higher integrity level than this
    // one (an elevated program), which silently drops our input; also when that process cannot
    // be asked.
    virtual bool ForegroundElevated() = 0;

    // The session's lock and connection messages (WM_WTSSESSION_CHANGE) to the window; false
    // when the system cannot register it yet (at logon, before its terminal services run).
    virtual bool RegisterSessionNotification(HWND window) = 0;
    virtual void UnregisterSessionNotification(HWND window) = 0;
    // True when the session is locked now; false when unlocked or unknown.
    virtual bool SessionLocked() = 0;
};

// The real services of user32, kernel32, advapi32 and wtsapi32.
class WinInputServices final : public InputServices {
public:
    std::uint32_t TickCount() override;
    void GetLastInputInfo(LASTINPUTINFO& info) override;
    Injection SendKeys(std::span<const KeyStroke> strokes) override;
    void Sleep(std::uint32_t milliseconds) override;
    HWND ForegroundWindow() override;
    std::wstring ClassName(HWND window) override;
    void LockSetForegroundWindow(UINT lockCode) override;
    void SetForegroundWindow(HWND window) override;
    void ShowWindow(HWND window, int command) override;
    InputReach Reach() override;
    bool ForegroundElevated() override;
    bool RegisterSessionNotification(HWND window) override;
    void UnregisterSessionNotification(HWND window) override;
    bool SessionLocked() override;
};

}  // namespace tw
