#include "platform/monitor_services.h"

#include <shellscalingapi.h>

namespace tw {

namespace {

MonitorInfo Describe(HMONITOR monitor) {
    MonitorInfo result;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info)) {
        result.bounds = info.rcMonitor;
    } else {
        result.bounds = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    UINT dpiX = 0, dpiY = 0;
    if (SUCCEEDED(GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &dpiX, &dpiY)) && dpiX != 0) result.dpi = dpiX;
    return result;
}

}  // namespace

MonitorInfo WinMonitorServices::OfWindow(HWND window) {
    return Describe(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

MonitorInfo WinMonitorServices::At(POINT point) { return Describe(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST)); }

}  // namespace tw
