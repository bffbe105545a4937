#pragma once
// The idle display's rule: which last-input tick counts as the user's, how long the user has
// been idle, and whether that passes the hold after the user comes back.
#include <cstdint>
#include <string>
#include <string_view>

namespace tw {

struct IdleReading {
    std::int32_t diff = 0;    // milliseconds since the user's last input (signed)
    std::wstring idleText;    // DurationText of diff
    bool passesHold = false;  // the display follows the idle time again
};

// One reading. A last-input tick equal to the workers' own injected tick is not the user's.
// When no positive idle time is measured, the records are resynchronised (human 0, injected 1)
// so that the next reading takes the system's tick as the user's whatever it is.
IdleReading ReadIdle(std::uint32_t lastInputTick, std::uint32_t now, std::uint32_t& humanLastInput,
                     std::uint32_t& sendKeyLastInput, int holdSeconds);

// "0:" and the hold seconds with at least two digits: 0:10 by default.
std::wstring HoldText(int holdSeconds);

// Code unit by code unit; when one text is a prefix of the other, the longer one is greater.
bool TextGreater(std::wstring_view a, std::wstring_view b);

}  // namespace tw
