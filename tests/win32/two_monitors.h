#pragma once
// Two monitors of different scaling side by side on the test display, which has only one: the
// screen's left half at 100 %, its right half at 150 %.
#include <windows.h>

#include "platform/monitor_services.h"

namespace tw::test {

class TwoMonitors final : public MonitorServices {
public:
    MonitorInfo left{{0, 0, 640, 800}, 96};
    MonitorInfo right{{640, 0, 1280, 800}, 144};

    // By the window's centre, which for these tests lies on the monitor holding most of it.
    MonitorInfo OfWindow(HWND window) override {
        RECT r{};
        GetWindowRect(window, &r);
        return At({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    MonitorInfo At(POINT point) override { return point.x >= right.bounds.left ? right : left; }
};

}  // namespace tw::test
