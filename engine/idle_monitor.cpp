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
    // The hold compares what the display would show with the hold's own text, so the rule reads
    // in the units the user sees. For holds of 1 to 30 seconds it is the same as comparing
    // seconds: texts below a minute all have the form 0:ss, and every longer one starts with a
    // digit 1..9, above the hold's 0. Until the idle text passes the hold, a returning user's
    // absence stays on show.
    reading.passesHold = TextGreater(reading.idleText, HoldText(holdSeconds));
    return reading;
}

}  // namespace tw
