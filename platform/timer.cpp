#include "platform/timer.h"

#include <map>

namespace tw::ui {

namespace {
// Thread timers report only their id; this finds the timer object behind it.
std::map<UINT_PTR, Timer*>& Timers() {
    static std::map<UINT_PTR, Timer*> timers;
    return timers;
}
}  // namespace

Timer::Timer(UINT interval, bool enabled) : interval_(interval), enabled_(enabled) { Update(); }

Timer::~Timer() {
    if (id_) {
        KillTimer(nullptr, id_);
        Timers().erase(id_);
    }
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Update();
}

void Timer::Update() {
    if (id_) {
        KillTimer(nullptr, id_);
        Timers().erase(id_);
        id_ = 0;
    }
    if (enabled_ && interval_ > 0) {
        id_ = SetTimer(nullptr, 0, interval_, Fire);
        if (id_) Timers()[id_] = this;
    }
}

void CALLBACK Timer::Fire(HWND, UINT, UINT_PTR id, DWORD) {
    auto found = Timers().find(id);
    if (found == Timers().end()) return;
    Timer* timer = found->second;
    if (timer->enabled_ && timer->OnTimer) Guard([timer] { timer->OnTimer(timer); });
}

}  // namespace tw::ui
