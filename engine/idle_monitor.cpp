#include "engine/idle_monitor.h"

#include "engine/duration_text.h"
#include "runtime/ticks.h"

namespace tw {

std::wstring HoldText(int holdSeconds) {
    std::wstring digits = std::to_wstring(holdSeconds);
    if (digits.size() < 2) digits.insert(0, 2 - digits.size(), L'0');
    return L"0:" + digits;
}

bool TextGreater(std::wstring_view a, std::wstring_view b) { return a.compare(b) > 0; }

IdleReading ReadIdle(std::uint32_t lastInputTick, std::uint32_t now, std::uint32_t& humanLastInput,
                     std::uint32_t& sendKeyLastInput, int holdSeconds) {
    if (lastInputTick != sendKeyLastInput) humanLastInput = lastInputTick;
    IdleReading reading;
    reading.diff = TickDiff(now, humanLastInput);
    if (reading.diff <= 0) {
        humanLastInput = 0;
        sendKeyLastInput = 1;
    }
    reading.idleText = DurationText(reading.diff);
    reading.passesHold = TextGreater(reading.idleText, HoldText(holdSeconds));
    return reading;
}

}  // namespace tw
