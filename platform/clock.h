#pragma once
// The local clock, behind an interface so tests can set the moment.
#include "runtime/date_time.h"

namespace tw {

class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime LocalNow() = 0;
};

class WinClock final : public Clock {
public:
    DateTime LocalNow() override;
};

}  // namespace tw
