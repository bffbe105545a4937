// The key-press simulator and the browser reloader: each measures once a run, acts when its
// interval has passed, and checks afterwards that the system registered the injected input.
#include "app/tapwhile_form.h"
#include "engine/duration_text.h"
#include "engine/workers.h"
#include "platform/text.h"
#include "runtime/ticks.h"

namespace tw {

namespace {
constexpr std::uint8_t kF5 = 0x74;
}

double TTapwhileForm::UniformRandom() { return std::uniform_real_distribution<double>(0, 1)(random_); }

void TTapwhileForm::DrawInterval1() {
    Interval1 = DrawInterval(NumberBox1.Value(), NumberBox3.Value(), [this] { return UniformRandom(); });
}

// ---- Shared by both workers ------------------------------------------------------------------

std::int32_t TTapwhileForm::MeasureWorker(const WorkerTrace& trace, bool untouched, LASTINPUTINFO& lii,
                                          std::uint32_t lastHit, std::int32_t interval) {
    InputServices& input = services_.input;
    std::int32_t diff = 0;
    if (untouched) {
        input.GetLastInputInfo(lii);
        diff = TickDiff(input.TickCount(), lii.dwTime);
        AddLog(trace.lastInput + std::to_wstring(lii.dwTime) + trace.diff + std::to_wstring(diff) + trace.interval +
               std::to_wstring(interval));
    } else {
        diff = TickDiff(input.TickCount(), lastHit);
        AddLog(trace.lastHit + std::to_wstring(lastHit) + trace.diff + std::to_wstring(diff) + trace.interval +
               std::to_wstring(interval));
    }
    return diff;
}

std::wstring TTapwhileForm::InputBlockedTrace() {
    if (sessionLocked_) return L"Session locked, not operated";
    if (sessionDisconnected_) return L"Session disconnected, not operated";
    switch (services_.input.Reach()) {
        case InputReach::Reaches: return {};
        case InputReach::OtherDesktop: return L"Input desktop not default, not operated";
        case InputReach::SessionNotActive: return L"Session not active, not operated";
        case InputReach::NoForegroundWindow: return L"No foreground window, not operated";
    }
    return {};
}

bool TTapwhileForm::InjectPress(std::uint8_t key) {
    InputServices& input = services_.input;
    const KeyStroke press[] = {{key, 0}, {key, KEYEVENTF_KEYUP}};
    Injection done = input.SendKeys(press);
    if (done.injected == 2) return true;
    // A key that went down alone must not stay held.
    if (done.injected == 1) input.SendKeys(std::span(press).subspan(1));
    AddLog(L"SendInput failed, injected=" + std::to_wstring(done.injected) + L" of 2, error=" +
           std::to_wstring(done.error) + L" " + SystemErrorText(done.error));
    return false;
}

void TTapwhileForm::AttemptAndCheck(LASTINPUTINFO& lii, const std::function<bool()>& attempt) {
    InputServices& input = services_.input;
    input.GetLastInputInfo(lii);
    std::uint32_t before = lii.dwTime;
    bool pressed = attempt();
    // Injected input shows in the last-input tick a moment later; the idle display must not
    // take that tick for the user's.
    input.Sleep(1000);
    input.GetLastInputInfo(lii);
    SendKeyLastInput3 = lii.dwTime;
    // Only a press that went in and left no trace means injected input stopped registering.
    if (!pressed || lii.dwTime != before) return;
    if (input.ForegroundElevated()) {
        // An elevated window in front drops our input silently; a new instance would fare no better.
        AddLog(L"Foreground elevated, not restarted");
        return;
    }
    SelfRestart();
}

// ---- Key-press simulator ---------------------------------------------------------------------

void TTapwhileForm::Timer1Timer(ui::Object*) {
    if (!CheckBoxSendKey.Checked()) return;
    static const WorkerTrace trace{L"dw=", L"LH1=", L",Diff1=", L",Interval1="};
    Diff1 = MeasureWorker(trace, CheckBoxSendKeyUntouch.Checked(), LII1, LastHit1, Interval1);
    StatusBar1.SetPanelText(1, DurationText(Diff1));
    if (Diff1 <= Interval1) return;
    if (std::wstring blocked = InputBlockedTrace(); !blocked.empty()) {
        AddLog(blocked);
        return;
    }

    AddLog(L"Diff1 > Interval1, not operated, go work1");
    AttemptAndCheck(LII1, [this] { return SendKeyWork(); });
}

bool TTapwhileForm::SendKeyWork() {
    if (!CheckBoxSendKey.Checked()) return false;
    InputServices& input = services_.input;
    int code = SelectedKeyCode();
    if (!InjectPress(static_cast<std::uint8_t>(code))) return false;
    ++Count1;
    input.GetLastInputInfo(LII1);
    LastHit1 = LII1.dwTime;
    AddLog(L"Tapwhile=" + std::to_wstring(LII1.dwTime));

    const DateTime now = services_.clock.LocalNow();
    Label1.SetText(CountLabel(Count1, now, services_.format));
    std::int64_t sinceClose = now.Milliseconds() - LastClose1.Milliseconds();
    std::int64_t ms = sinceClose < 0 ? -sinceClose : sinceClose;
    std::int64_t mean = MinutesToInterval(NumberBox1.Value());
    std::wstring suffix;
    if (ms < 60'000) {
        // The first press within a minute of a self-restart's close.
        suffix = AfterSuffix(ms, mean, services_.format);
        LastClose1 = DateTime::FromParts(2000, 1, 1).value();
    } else if (CheckBoxNormalDistribution.Checked()) {
        suffix = AfterSuffix(Interval1, mean, services_.format);
        DrawInterval1();
    } else {
        Interval1 = static_cast<std::int32_t>(mean);
    }
    AddLog(PressMessage(Count1, code, suffix));
    return true;
}

void TTapwhileForm::CheckBoxSendKeyClick(ui::Object*) {
    bool on = CheckBoxSendKey.Checked();
    for (ui::Control* control : std::initializer_list<ui::Control*>{&NumberBox1, &Label1, &CheckBoxNormalDistribution,
                                                                    &NumberBox3, &Label11, &Label13,
                                                                    &CheckBoxSendKeyUntouch}) {
        control->SetEnabled(on);
    }
    Timer1.SetEnabled(on);
    LastHit1 = on ? services_.input.TickCount() : 0;
    AddLog(on ? L"SendKey time start" : L"SendKey time stop");
}

void TTapwhileForm::CheckBoxNormalDistributionClick(ui::Object*) {
    bool on = CheckBoxNormalDistribution.Checked();
    NumberBox3.SetEnabled(on);
    Label13.SetEnabled(on);
}

void TTapwhileForm::NumberBox1Change(ui::Object*) {
    Interval1 = MinutesToInterval(NumberBox1.Value());
    if (NumberBox1.Text() == L"0") NumberBox1.SetText(L"1");
}

void TTapwhileForm::NumberBox3Change(ui::Object*) { DrawInterval1(); }

// ---- The session's lock and connection ------------------------------------------------------

void TTapwhileForm::WMWtsSessionChange(WPARAM code) {
    // Nothing else changes: at unlock or reconnection the workers go on with their intervals as
    // they were.
    switch (code) {
        case WTS_SESSION_LOCK: sessionLocked_ = true; break;
        case WTS_SESSION_UNLOCK: sessionLocked_ = false; break;
        case WTS_CONSOLE_DISCONNECT:
        case WTS_REMOTE_DISCONNECT: sessionDisconnected_ = true; break;
        case WTS_CONSOLE_CONNECT:
        case WTS_REMOTE_CONNECT: sessionDisconnected_ = false; break;
        default: break;
    }
}

void TTapwhileForm::StartSessionNotification() {
    InputServices& input = services_.input;
    sessionNotified_ = input.RegisterSessionNotification(Handle());
    // At logon the terminal services may not be ready yet: ask again until they are.
    SessionRegistrationRetry.SetEnabled(!sessionNotified_);
    // Read after registering, so that no change falls between the two; without notifications
    // this reading is all there is.
    sessionLocked_ = input.SessionLocked();
}

LRESULT TTapwhileForm::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The system wants the notification ended while the window still exists. An override, not
    // an event: once this object is gone (the base class destroying the window), it is not called.
    if (message == WM_DESTROY) EndSessionNotification();
    return ui::Form::WindowProc(message, wParam, lParam);
}

void TTapwhileForm::EndSessionNotification() {
    SessionRegistrationRetry.SetEnabled(false);
    if (!sessionNotified_) return;
    sessionNotified_ = false;
    services_.input.UnregisterSessionNotification(Handle());
}

// ---- Browser reloader ------------------------------------------------------------------------

void TTapwhileForm::Timer2Timer(ui::Object*) {
    if (!CheckBoxSendReload.Checked()) return;
    static const WorkerTrace trace{L"dwTime=", L"LH2=", L",Diff2=", L",Interval2="};
    Diff2 = MeasureWorker(trace, CheckBoxSendReloadUntouch.Checked(), LII2, LastHit2, Interval2);
    StatusBar1.SetPanelText(2, DurationText(Diff2));
    if (Diff2 <= Interval2) return;
    if (std::wstring blocked = InputBlockedTrace(); !blocked.empty()) {
        AddLog(blocked);
        return;
    }

    AddLog(L"Diff2 > Interval2, not operated, go work2");
    AttemptAndCheck(LII2, [this] { return SendReloadWork(); });
}

bool TTapwhileForm::SendReloadWork() {
    if (!CheckBoxSendReload.Checked()) return false;
    InputServices& input = services_.input;
    if (input.ForegroundWindow() == Handle()) {
        ui::Application::Instance().Minimize();
        AddLog(L"Application minimized from topmost");
    }
    std::wstring className = input.ClassName(input.ForegroundWindow());
    AddLog(L"ClassName1=" + className);
    LastHit2 = input.TickCount();
    if (!IsBrowserClass(className, BrowserClass1)) {
        AddLog(L"TopMost not browser");
        return false;
    }
    if (!InjectPress(kF5)) return false;
    ++Count2;
    input.GetLastInputInfo(LII2);
    AddLog(L"Tapwhile=" + std::to_wstring(LII2.dwTime));
    Label2.SetText(CountLabel(Count2, services_.clock.LocalNow(), services_.format));
    AddLog(ReloadMessage(Count2));
    return true;
}

void TTapwhileForm::CheckBoxSendReloadClick(ui::Object*) {
    bool on = CheckBoxSendReload.Checked();
    for (ui::Control* control :
         std::initializer_list<ui::Control*>{&NumberBox2, &Label2, &Label3, &CheckBoxSendReloadUntouch}) {
        control->SetEnabled(on);
    }
    Timer2.SetEnabled(on);
    LastHit2 = on ? services_.input.TickCount() : 0;
    AddLog(on ? L"SendReload Time start" : L"SendReload Time stop");
}

void TTapwhileForm::NumberBox2Change(ui::Object*) {
    Interval2 = MinutesToInterval(NumberBox2.Value());
    if (NumberBox2.Text() == L"0") NumberBox2.SetText(L"1");
}

}  // namespace tw
