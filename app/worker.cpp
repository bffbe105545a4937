#include "app/worker.h"

#include <span>

#include "engine/duration_text.h"
#include "platform/text.h"
#include "runtime/ticks.h"

namespace tw {

Worker::Worker(ui::Container& panel, const WorkerTexts& texts, bool onAtStart, UINT tickMs, WorkerContext context)
    : texts_(texts),
      context_(context),
      onSwitch_(panel, texts.onSwitch, onAtStart),
      idleOnlySwitch_(panel, L"無操作時のみ", onAtStart),
      minutesCaption_(panel, L"経過時間(分)", ui::Label::Alignment::Right),
      minutesBox_(panel, 1, 60, 1),
      countLabel_(panel, texts.countLabel),
      timer_(tickMs) {
    followers_ = {&minutesBox_, &countLabel_, &minutesCaption_, &idleOnlySwitch_};
    timer_.OnTimer = [this](ui::Object*) { Tick(); };
    onSwitch_.OnClick = [this](ui::Object*) { SwitchClick(); };
    minutesBox_.OnChange = [this](ui::Object*) { MinutesChange(); };
}

Worker::~Worker() { timer_.OnTimer = nullptr; }

void Worker::FollowSwitch(std::initializer_list<ui::Control*> controls) {
    followers_.insert(followers_.end(), controls.begin(), controls.end());
}

void Worker::Tick() {
    if (!On()) return;
    elapsed_ = Measure();
    context_.statusBar.SetPanelText(context_.statusPanel, DurationText(elapsed_));
    if (elapsed_ <= interval_) return;
    if (std::wstring blocked = context_.host.InputBlockedTrace(); !blocked.empty()) {
        context_.host.AddLog(blocked);
        return;
    }

    context_.host.AddLog(texts_.due);
    AttemptAndCheck();
}

std::int32_t Worker::Measure() {
    InputServices& input = context_.input;
    std::int32_t elapsed = 0;
    if (idleOnlySwitch_.Checked()) {
        input.GetLastInputInfo(lastInput_);
        elapsed = TickDiff(input.TickCount(), lastInput_.dwTime);
        context_.host.AddLog(texts_.lastInput + std::to_wstring(lastInput_.dwTime) + texts_.elapsed +
                             std::to_wstring(elapsed) + texts_.interval + std::to_wstring(interval_));
    } else {
        elapsed = TickDiff(input.TickCount(), lastHit_);
        context_.host.AddLog(texts_.lastHit + std::to_wstring(lastHit_) + texts_.elapsed + std::to_wstring(elapsed) +
                             texts_.interval + std::to_wstring(interval_));
    }
    return elapsed;
}

void Worker::AttemptAndCheck() {
    InputServices& input = context_.input;
    input.GetLastInputInfo(lastInput_);
    std::uint32_t before = lastInput_.dwTime;
    bool pressed = On() && step_ && step_();
    // Injected input shows in the last-input tick a moment later; the idle display must not
    // take that tick for the user's.
    input.Sleep(1000);
    input.GetLastInputInfo(lastInput_);
    context_.host.NoteOwnInput(lastInput_.dwTime);
    // Only a press that went in and left no trace means injected input stopped registering.
    if (!pressed || lastInput_.dwTime != before) return;
    if (input.ForegroundElevated()) {
        // An elevated window in front drops our input silently; a new instance would fare no better.
        context_.host.AddLog(L"Foreground elevated, not restarted");
        return;
    }
    context_.host.SelfRestart();
}

std::optional<DateTime> Worker::Press(std::uint8_t key) {
    if (!InjectPress(key)) return std::nullopt;
    ++count_;
    context_.input.GetLastInputInfo(lastInput_);
    context_.host.AddLog(L"Tapwhile=" + std::to_wstring(lastInput_.dwTime));
    const DateTime now = context_.clock.LocalNow();
    countLabel_.SetText(tw::CountLabel(count_, now, context_.format));
    return now;
}

bool Worker::InjectPress(std::uint8_t key) {
    InputServices& input = context_.input;
    const KeyStroke press[] = {{key, 0}, {key, KEYEVENTF_KEYUP}};
    Injection done = input.SendKeys(press);
    if (done.injected == 2) return true;
    // A key that went down alone must not stay held.
    if (done.injected == 1) input.SendKeys(std::span(press).subspan(1));
    context_.host.AddLog(L"SendInput failed, injected=" + std::to_wstring(done.injected) + L" of 2, error=" +
                         std::to_wstring(done.error) + L" " + SystemErrorText(done.error));
    return false;
}

void Worker::HitNow() { lastHit_ = context_.input.TickCount(); }

void Worker::SwitchClick() {
    bool on = On();
    for (ui::Control* control : followers_) control->SetEnabled(on);
    timer_.SetEnabled(on);
    lastHit_ = on ? context_.input.TickCount() : 0;
    context_.host.AddLog(on ? texts_.started : texts_.stopped);
}

void Worker::MinutesChange() {
    TakeMinutes();
    if (minutesBox_.Text() == L"0") minutesBox_.SetText(L"1");
}

void Worker::Start() {
    timer_.SetEnabled(On());
    HitNow();
    context_.statusBar.SetPanelText(context_.statusPanel, L"");
    SwitchClick();
}

void Worker::TakeMinutes() { interval_ = MinutesToInterval(minutesBox_.Value()); }

void Worker::DrawInterval(int ratePercent, const UniformRandom& uniform) {
    interval_ = tw::DrawInterval(minutesBox_.Value(), ratePercent, uniform);
}

}  // namespace tw
