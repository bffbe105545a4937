#pragma once

#include <cstdint>

namespace tw {

// The system's millisecond counter; it wraps to 0 after about 49.7 days.
using Tick = std::uint32_t;

// Milliseconds from `earlier` to `later`, correct across the wrap of the counter as long as the
// two ticks lie less than 2^31 ms apart; negative when `later` is in fact the earlier tick.
constexpr std::int32_t TickDiff(Tick later, Tick earlier) {
    return static_cast<std::int32_t>(static_cast<Tick>(later - earlier));
}

}  // namespace tw
