#pragma once
// The application object: a hidden window of its own that owns the task-bar button and carries
// the application title, the minimise and restore events, the message loop and the hint switch.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/control.h"
#include "platform/monitor_services.h"
#include "platform/window_handler.h"

namespace tw::ui {

class Form;

class Application : public Object, public WindowHandler {
public:
    static Application& Instance();

    void Initialize(HINSTANCE instance);
    HINSTANCE InstanceHandle() const { return instance_; }
    HWND Handle() const { return hwnd_; }

    void SetTitle(const std::wstring& title);
    const std::wstring& Title() const { return title_; }
    // The program's icon at the system's large and small sizes, for the classes of the
    // application window and the forms: set before Initialize, every such window shows it.
    void SetIcons(HICON largeIcon, HICON smallIcon);
    HICON Icon() const { return icon_; }
    HICON SmallIcon() const { return smallIcon_; }

    Event OnMinimize;
    Event OnRestore;
    void Minimize();
    void Restore();
    bool Minimized() const;
    // Makes the most recently active window the foreground window when it is visible and enabled.
    void BringToFront();

    // Lets every pending message of this thread be handled (other handlers may run inside).
    void ProcessMessages();
    // Ends the message loop once the current handler has returned.
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Shows the main form and runs the message loop until the form closes or Terminate is called.
    void Run(Form& mainForm);
    Form* MainForm() const { return mainForm_; }
    void SetMainForm(Form* form) { mainForm_ = form; }

    // The application-wide hint switch.
    void SetShowHint(bool show);
    bool ShowHint() const { return showHint_; }
    void RegisterTooltip(HWND tooltip);
    void UnregisterTooltip(HWND tooltip);

    // The default error display; replaceable so tests can record what a user would see.
    std::function<void(const std::wstring& message)> errorDisplay;
    // Shows the message at once, or keeps it while events are held.
    void ShowError(const std::wstring& message);

    // Start-up: while a form's creation handler runs nothing else may run, since a box's loop
    // would hand timer events to a window that is not ready. While held, timers stay unarmed
    // and errors are kept; released, the timers are armed and each kept error is shown.
    void HoldEvents();
    void ReleaseEvents();
    // A start-up that failed: each kept error is shown while the timers stay unarmed, and the
    // hold ends without arming them, since the window they serve is going.
    void AbandonEvents();
    bool EventsHeld() const { return holds_ > 0; }

    // The window that owns modal boxes: the active window, else the application window.
    HWND ActiveOwner() const;

    // The monitors: the system's, unless a test lays out its own (nullptr gives the system's back).
    MonitorServices& Monitors() { return monitors_ ? *monitors_ : systemMonitors_; }
    void SetMonitors(MonitorServices* monitors) { monitors_ = monitors; }

private:
    Application() = default;
    LRESULT HandleWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    HINSTANCE instance_ = nullptr;
    HWND hwnd_ = nullptr;
    HICON icon_ = nullptr;
    HICON smallIcon_ = nullptr;
    std::wstring title_;
    Form* mainForm_ = nullptr;
    bool terminated_ = false;
    bool mainHiddenByMinimize_ = false;
    bool showHint_ = true;
    std::vector<HWND> tooltips_;
    int holds_ = 0;
    std::vector<std::wstring> keptErrors_;
    WinMonitorServices systemMonitors_;
    MonitorServices* monitors_ = nullptr;
};

}  // namespace tw::ui
