#include "platform/application.h"

#include <algorithm>

#include <commctrl.h>

#include "platform/form.h"
#include "platform/modal.h"
#include "platform/timer.h"
#include "runtime/error.h"

namespace tw::ui {

namespace {
const wchar_t kApplicationClass[] = L"TwApplication";
}

Application& Application::Instance() {
    static Application application;
    return application;
}

void Application::Initialize(HINSTANCE instance) {
    if (hwnd_) return;
    instance_ = instance;
    INITCOMMONCONTROLSEX init{
        sizeof(init), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&init);

    WNDCLASSEXW wc{};

    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowHandler::WindowProc;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // Both sizes: with the large one alone the system would make a small copy for each class.
    wc.hIcon = icon_;
    wc.hIconSm = smallIcon_;
    wc.lpszClassName = kApplicationClass;
    RegisterClassExW(&wc);
    Container::RegisterWindowClass();
    Form::RegisterWindowClass();

    // A window without any area: it only owns the task-bar button and carries the title.
    int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    int y = GetSystemMetrics(SM_CYSCREEN) / 2;
    hwnd_ = CreateWindowExW(0, kApplicationClass, title_.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0, 0, nullptr,
                            nullptr, instance_, static_cast<WindowHandler*>(this));
    if (!hwnd_) throw Error(L"Cannot create the application window");
    errorDisplay = [this](const std::wstring& message) {
        ShowMessageBox(ErrorDisplayText(message), title_, MB_OK | MB_ICONSTOP);
    };
}

void Application::SetTitle(const std::wstring& title) {
    if (title == title_) return;
    title_ = title;
    if (hwnd_) SetWindowTextW(hwnd_, title_.c_str());
}

void Application::SetIcons(HICON largeIcon, HICON smallIcon) {
    icon_ = largeIcon;
    smallIcon_ = smallIcon;
}

bool Application::Minimized() const { return IsIconic(hwnd_) != FALSE; }

void Application::Minimize() {
    if (Minimized()) return;
    // The main window goes with its minimised owner; said explicitly, since not every system
    // hides owned windows of an ordinary style on its own.
    HWND main = mainForm_ ? mainForm_->Handle() : nullptr;
    mainHiddenByMinimize_ = main && IsWindowVisible(main);
    ShowWindow(hwnd_, SW_MINIMIZE);
    if (mainHiddenByMinimize_) ShowWindow(main, SW_HIDE);
    if (OnMinimize) Guard([this] { OnMinimize(this); });
}

void Application::Restore() {
    if (!Minimized()) return;
    ShowWindow(hwnd_, SW_RESTORE);
    if (mainHiddenByMinimize_ && mainForm_ && mainForm_->Handle()) ShowWindow(mainForm_->Handle(), SW_SHOW);
    mainHiddenByMinimize_ = false;
    if (OnRestore) Guard([this] { OnRestore(this); });
}

void Application::BringToFront() {
    HWND target = GetLastActivePopup(hwnd_);
    if (target == hwnd_ && mainForm_) target = mainForm_->Handle();
    if (target && IsWindowVisible(target) && IsWindowEnabled(target)) SetForegroundWindow(target);
}

void Application::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit for the message loop itself.
            terminated_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (mainForm_ && mainForm_->Handle() && IsDialogMessageW(mainForm_->Handle(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Application::Terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

void Application::Run(Form& mainForm) {
    mainForm_ = &mainForm;
    if (!terminated_) {
        ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
        mainForm.Show();
    }
    MSG msg;
    while (!terminated_ && !mainForm.Closed()) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (mainForm.Handle() && IsDialogMessageW(mainForm.Handle(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Application::SetShowHint(bool show) {
    showHint_ = show;
    for (HWND tooltip : tooltips_) SendMessageW(tooltip, TTM_ACTIVATE, show, 0);
}

void Application::RegisterTooltip(HWND tooltip) {
    tooltips_.push_back(tooltip);
    SendMessageW(tooltip, TTM_ACTIVATE, showHint_, 0);
}

void Application::UnregisterTooltip(HWND tooltip) {
    tooltips_.erase(std::remove(tooltips_.begin(), tooltips_.end(), tooltip), tooltips_.end());
}

void Application::ShowError(const std::wstring& message) {
    if (EventsHeld()) {
        keptErrors_.push_back(message);
        return;
    }
    if (errorDisplay) errorDisplay(message);
}

void Application::HoldEvents() {
    ++holds_;
    Timer::UpdateAll();
}

void Application::ReleaseEvents() {
    if (holds_ == 0 || --holds_ > 0) return;
    Timer::UpdateAll();
    std::vector<std::wstring> kept;
    kept.swap(keptErrors_);
    for (const std::wstring& message : kept) ShowError(message);
}

void Application::AbandonEvents() {
    if (holds_ == 0) return;
    std::vector<std::wstring> kept;
    kept.swap(keptErrors_);
    for (const std::wstring& message : kept) {
        if (errorDisplay) errorDisplay(message);
    }
    // Timers made after this arm as usual; those of the failed window are destroyed with it.
    --holds_;
}

HWND Application::ActiveOwner() const {
    HWND active = GetActiveWindow();
    return active ? active : hwnd_;
}

LRESULT Application::HandleWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Application& app = *this;
    switch (message) {
        case WM_SYSCOMMAND:
            switch (wParam & 0xFFF0) {
                case SC_MINIMIZE: app.Minimize(); return 0;
                case SC_RESTORE: app.Restore(); return 0;
                default: break;
            }
            break;
        case WM_SETFOCUS:
            // Activating the task-bar button activates the main window.
            if (app.mainForm_ && app.mainForm_->Handle() && IsWindowVisible(app.mainForm_->Handle()) &&
                IsWindowEnabled(app.mainForm_->Handle())) {
                SetFocus(app.mainForm_->Handle());
                return 0;
            }
            break;
        case WM_CLOSE:
            // Disabled while a modal box is open: the box's caller is still running.
            if (!IsWindowEnabled(hwnd)) return 0;
            if (app.mainForm_) {
                Guard([&] { app.mainForm_->Close(); });
                return 0;
            }
            break;
        default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace tw::ui
