#include "platform/clock.h"

#include <windows.h>

namespace tw {

DateTime WinClock::LocalNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return DateTime::FromParts(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
                               now.wMilliseconds)
        .value_or(DateTime{});
}

}  // namespace tw
