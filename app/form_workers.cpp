// The two workers' own steps, and the session's lock and connection that keeps them from acting.
#include "app/tapwhile_form.h"
#include "engine/workers.h"

namespace tw {

namespace {
constexpr std::uint8_t kF5 = 0x74;
}

double TTapwhileForm::UniformRandom() { return std::uniform_real_distribution<double>(0, 1)(random_); }

void TTapwhileForm::DrawKeyInterval() {
    keyPresser_.DrawInterval(NumberBoxDeviationRate.Value(), [this] { return UniformRandom(); });
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

// ---- Key-press simulator ---------------------------------------------------------------------

bool TTapwhileForm::PressChosenKey() {
    int code = SelectedKeyCode();
    std::optional<DateTime> pressed = keyPresser_.Press(static_cast<std::uint8_t>(code));
    if (!pressed) return false;
    keyPresser_.SetLastHit(keyPresser_.LastInput().dwTime);

    const DateTime now = *pressed;
    std::int64_t sinceClose = now.Milliseconds() - predecessorClose_.Milliseconds();
    std::int64_t ms = sinceClose < 0 ? -sinceClose : sinceClose;
    std::int64_t mean = MinutesToInterval(keyPresser_.MinutesBox().Value());
    std::wstring suffix;
    if (ms < 60'000) {
        // The first press within a minute of a self-restart's close.
        suffix = AfterSuffix(ms, mean, services_.format);
        predecessorClose_ = DateTime::FromParts(2000, 1, 1).value();
    } else if (CheckBoxNormalDistribution.Checked()) {
        suffix = AfterSuffix(keyPresser_.Interval(), mean, services_.format);
        DrawKeyInterval();
    } else {
        keyPresser_.SetInterval(static_cast<std::int32_t>(mean));
    }
    AddLog(PressMessage(keyPresser_.Count(), code, suffix));
    return true;
}

void TTapwhileForm::CheckBoxNormalDistributionClick(ui::Object*) {
    bool on = CheckBoxNormalDistribution.Checked();
    NumberBoxDeviationRate.SetEnabled(on);
    LabelDeviationRate.SetEnabled(on);
}

void TTapwhileForm::NumberBoxDeviationRateChange(ui::Object*) { DrawKeyInterval(); }

// ---- Browser reloader ------------------------------------------------------------------------

bool TTapwhileForm::ReloadBrowser() {
    InputServices& input = services_.input;
    if (input.ForegroundWindow() == Handle()) {
        ui::Application::Instance().Minimize();
        AddLog(L"Application minimized from topmost");
    }
    std::wstring className = input.ClassName(input.ForegroundWindow());
    AddLog(L"ClassName1=" + className);
    reloader_.HitNow();
    if (!IsBrowserClass(className, browserClasses_)) {
        AddLog(L"TopMost not browser");
        return false;
    }
    if (!reloader_.Press(kF5)) return false;
    AddLog(ReloadMessage(reloader_.Count()));
    return true;
}

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

}  // namespace tw
