#include "platform/timer.h"

#include <map>
#include <set>

#include "platform/application.h"

namespace tw::ui {

namespace {
// Thread timers report only their id; this finds the timer object behind it.
std::map<UINT_PTR, Timer*>& Armed() {
    static std::map<UINT_PTR, Timer*> timers;
    return timers;
}
// Every timer alive, armed or not.
std::set<Timer*>& All() {
    static std::set<Timer*> timers;
    return timers;
}
}  // namespace

Timer::Timer(UINT interval, bool enabled, WhileRunning whileRunning)
    : interval_(interval), enabled_(enabled), whileRunning_(whileRunning) {
    All().insert(this);
    Update();
}

Timer::~Timer() {
    All().erase(this);
    if (id_) {
        KillTimer(nullptr, id_);
        Armed().erase(id_);
    }
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Update();
}

void Timer::Update() {
    bool arm = enabled_ && interval_ > 0 && !Application::Instance().EventsHeld();
    if (arm && id_) return;  // keeps its rhythm
    if (id_) {
        KillTimer(nullptr, id_);
        Armed().erase(id_);
        id_ = 0;
    }
    if (arm) {
        id_ = SetTimer(nullptr, 0, interval_, Fire);
        if (id_) Armed()[id_] = this;
    }
}

void Timer::UpdateAll() {
    for (Timer* timer : All()) timer->Update();
}

void CALLBACK Timer::Fire(HWND, UINT, UINT_PTR id, DWORD) {
    auto found = Armed().find(id);
    if (found == Armed().end()) return;
    Timer* timer = found->second;
    if (!timer->enabled_ || !timer->OnTimer) return;
    if (timer->whileRunning_ == WhileRunning::RunNested) {
        Guard([timer] { timer->OnTimer(timer); });
        return;
    }
    if (timer->running_) return;
    timer->running_ = true;
    Guard([timer] { timer->OnTimer(timer); });
    // The handler may have destroyed its window, not the timer: timers outlive their handlers.
    if (All().count(timer)) timer->running_ = false;
}

}  // namespace tw::ui
