#include "platform/input_services.h"

namespace tw {

std::uint32_t WinInputServices::TickCount() { return ::GetTickCount(); }

void WinInputServices::GetLastInputInfo(LASTINPUTINFO& info) {
    // The result is not examined: a failed call keeps the previous tick.
    ::GetLastInputInfo(&info);
}

void WinInputServices::KeybdEvent(std::uint8_t virtualKey, std::uint32_t flags) {
    ::keybd_event(virtualKey, 0, flags, 0);
}

void WinInputServices::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

HWND WinInputServices::ForegroundWindow() { return ::GetForegroundWindow(); }

std::wstring WinInputServices::ClassName(HWND window) {
    if (!window) return {};
    wchar_t buffer[256] = {};
    int length = ::GetClassNameW(window, buffer, 256);
    return length > 0 ? std::wstring(buffer, static_cast<size_t>(length)) : std::wstring();
}

void WinInputServices::LockSetForegroundWindow(UINT lockCode) { ::LockSetForegroundWindow(lockCode); }

void WinInputServices::SetForegroundWindow(HWND window) { ::SetForegroundWindow(window); }

void WinInputServices::ShowWindow(HWND window, int command) { ::ShowWindow(window, command); }

}  // namespace tw
