#pragma once
// The local clock, behind an interface so tests can set the moment.
#include <cstdint>
#include <functional>
#include <utility>

#include "runtime/date_time.h"

namespace tw {

class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime LocalNow() = 0;
    // The local zone's offset from UTC at a local moment, in minutes east of Greenwich, daylight
    // saving included. A moment in the hour repeated when the clocks go back counts as standard,
    // unless it is the present moment, whose instant the clock knows.
    virtual std::int32_t UtcOffsetMinutes(DateTime localMoment) = 0;
};

// The system's UTC time now.
DateTime SystemUtcNow();

class WinClock final : public Clock {
public:
    // utcNow tells which instant the present reading is; the system's UTC time unless a test
    // places the present in the repeated hour.
    explicit WinClock(std::function<DateTime()> utcNow = SystemUtcNow) : utcNow_(std::move(utcNow)) {}
    DateTime LocalNow() override;
    std::int32_t UtcOffsetMinutes(DateTime localMoment) override;

private:
    std::function<DateTime()> utcNow_;
};

}  // namespace tw
