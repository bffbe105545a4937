#pragma once
// A worker of the main window: on each tick of its timer it measures how long the desktop (or the
// worker itself) has been still and, once its interval has passed, takes its step, waits a second
// and checks that the system registered what it injected. The key-press simulator and the
// browser reloader are two of these; only their step and their texts differ.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "engine/workers.h"
#include "platform/buttons.h"
#include "platform/clock.h"
#include "platform/input_services.h"
#include "platform/number_box.h"
#include "platform/panels.h"
#include "platform/status_bar.h"
#include "platform/timer.h"
#include "runtime/date_time.h"
#include "runtime/format_settings.h"

namespace tw {

// What a worker needs of the window it works in.
class WorkerHost {
public:
    // A history or trace message.
    virtual void AddLog(const std::wstring& message) = 0;
    // Why injected input cannot reach the user's desktop now; empty when it can.
    virtual std::wstring InputBlockedTrace() = 0;
    // The last-input tick after a worker's step: the idle display must not take it for the user's.
    virtual void NoteOwnInput(std::uint32_t tick) = 0;
    // Injected input stopped registering: a new instance takes over.
    virtual void SelfRestart() = 0;

protected:
    ~WorkerHost() = default;
};

// The texts that tell one worker from the other, in its controls and in the trace.
struct WorkerTexts {
    const wchar_t* onSwitch;    // the on switch's caption
    const wchar_t* onHint;      // and its hint
    const wchar_t* countLabel;  // the count label's text until the first count
    const wchar_t* started;     // trace when switched on
    const wchar_t* stopped;     // and off
    const wchar_t* lastInput;   // measure trace: the desktop's last input,
    const wchar_t* lastHit;     // or the worker's last hit,
    const wchar_t* elapsed;     // then the elapsed time
    const wchar_t* interval;    // and the interval
    const wchar_t* due;         // trace when the interval has passed
};

// The services a worker acts through, and where it shows its elapsed time.
struct WorkerContext {
    InputServices& input;
    Clock& clock;
    const FormatSettings& format;
    ui::StatusBar& statusBar;
    int statusPanel;
    WorkerHost& host;
};

class Worker {
public:
    // The worker's own step: true when it pressed its key.
    using Step = std::function<bool()>;

    Worker(ui::Container& panel, const WorkerTexts& texts, bool onAtStart, UINT tickMs, WorkerContext context);
    ~Worker();
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    void SetStep(Step step) { step_ = std::move(step); }
    // Controls enabled and disabled with the on switch, besides the worker's own.
    void FollowSwitch(std::initializer_list<ui::Control*> controls);

    // Event handlers: the timer's tick, the on switch's click, the minutes box's change.
    void Tick();
    void SwitchClick();
    void MinutesChange();

    // At start: the timer as the switch says, the worker's last hit now, no elapsed time shown.
    void Start();
    // The interval is the configured minutes.
    void TakeMinutes();
    // A new interval around the configured minutes, with the rate as standard deviation.
    void DrawInterval(int ratePercent, const UniformRandom& uniform);
    // One press of the key, counted and shown; the time of the press, or nothing (with the
    // system's error in the trace) when the system did not take it whole.
    std::optional<DateTime> Press(std::uint8_t key);
    // The worker's last hit is now (the reloader's at every attempt).
    void HitNow();

    bool On() const { return onSwitch_.Checked(); }
    ui::CheckBox& OnSwitch() { return onSwitch_; }
    ui::CheckBox& IdleOnlySwitch() { return idleOnlySwitch_; }
    ui::Label& MinutesCaption() { return minutesCaption_; }
    ui::NumberBox& MinutesBox() { return minutesBox_; }
    ui::Label& CountLabel() { return countLabel_; }
    const ui::Timer& TickTimer() const { return timer_; }
    const WorkerTexts& Texts() const { return texts_; }

    std::int32_t Interval() const { return interval_; }
    void SetInterval(std::int32_t interval) { interval_ = interval; }
    std::uint32_t LastHit() const { return lastHit_; }
    void SetLastHit(std::uint32_t tick) { lastHit_ = tick; }
    std::int32_t Elapsed() const { return elapsed_; }
    std::int32_t Count() const { return count_; }
    // A self-restart's predecessor hands its count over.
    void SetCount(std::int32_t count) { count_ = count; }
    const LASTINPUTINFO& LastInput() const { return lastInput_; }

private:
    // Milliseconds since the desktop's last input (idle only) or since the worker's last hit.
    std::int32_t Measure();
    // Runs the step, waits a second and records the last-input tick as the workers' own; a
    // press that left that tick unchanged restarts the utility.
    void AttemptAndCheck();
    bool InjectPress(std::uint8_t key);

    WorkerTexts texts_;
    WorkerContext context_;
    Step step_;
    ui::CheckBox onSwitch_;
    ui::CheckBox idleOnlySwitch_;
    ui::Label minutesCaption_;
    ui::NumberBox minutesBox_;
    ui::Label countLabel_;
    std::vector<ui::Control*> followers_;  // enabled with the on switch
    ui::Timer timer_;
    std::int32_t interval_ = 0;
    std::uint32_t lastHit_ = 0;
    std::int32_t elapsed_ = 0;  // at the last measure
    std::int32_t count_ = 0;    // presses of the current history
    LASTINPUTINFO lastInput_{sizeof(LASTINPUTINFO), 0};
};

}  // namespace tw
