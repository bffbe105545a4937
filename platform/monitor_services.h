#pragma once
// The monitors windows and menus open on: each one's rectangle and DPI. Behind an interface so
// tests can lay out monitors of different scaling, which a test display does not have.
#include <windows.h>

namespace tw {

struct MonitorInfo {
    RECT bounds{};  // on the virtual screen, in physical pixels
    UINT dpi = 96;  // effective DPI: 96 at 100 %
};

class MonitorServices {
public:
    virtual ~MonitorServices() = default;
    // The monitor that holds the larger part of the window, the nearest when none does.
    virtual MonitorInfo OfWindow(HWND window) = 0;
    // The monitor under a point of the screen, the nearest when none is.
    virtual MonitorInfo At(POINT point) = 0;
};

class WinMonitorServices final : public MonitorServices {
public:
    MonitorInfo OfWindow(HWND window) override;
    MonitorInfo At(POINT point) override;
};

}  // namespace tw
