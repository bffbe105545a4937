#include "platform/tray_icon.h"

#include <shellapi.h>

#include "platform/application.h"

namespace tw::ui {

namespace {
const wchar_t kTrayClass[] = L"TwTrayIcon";
const UINT kCallbackMessage = WM_APP + 1;
}  // namespace

HMENU PopupMenu::Build() const {
    HMENU menu = CreatePopupMenu();
    for (size_t i = 0; i < items_.size(); ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING | MIIM_ID | (items_[i]->picture ? MIIM_BITMAP : 0);
        info.wID = static_cast<UINT>(i + 1);
        info.dwTypeData = const_cast<wchar_t*>(items_[i]->caption.c_str());
        info.hbmpItem = items_[i]->picture;
        InsertMenuItemW(menu, static_cast<UINT>(i), TRUE, &info);
    }
    return menu;
}

void PopupMenu::Popup(HWND owner, POINT at) const {
    HMENU menu = Build();
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    UINT chosen = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0,
                                                   owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    DestroyMenu(menu);
    if (chosen >= 1 && chosen <= items_.size()) {
        MenuItem* item = items_[chosen - 1];
        if (item->OnClick) Guard([item] { item->OnClick(item); });
    }
}

TrayIcon::TrayIcon() {
    HINSTANCE instance = Application::Instance().InstanceHandle();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowHandler::WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kTrayClass;
    RegisterClassExW(&wc);
    // A hidden top-level window (not message-only): it must receive the "TaskbarCreated" broadcast.
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kTrayClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                            static_cast<WindowHandler*>(this));
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
}

TrayIcon::~TrayIcon() {
    if (visible_) Notify(NIM_DELETE);
    if (hwnd_) DestroyWindow(hwnd_);
}

bool TrayIcon::Notify(DWORD message) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = hwnd_;
    data.uID = 1;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = icon_;
    lstrcpynW(data.szTip, hint_.c_str(), ARRAYSIZE(data.szTip));
    return Shell_NotifyIconW(message, &data) != FALSE;
}

void TrayIcon::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    Notify(visible ? NIM_ADD : NIM_DELETE);
}

LRESULT TrayIcon::HandleWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    TrayIcon* self = this;
    if (message == self->taskbarCreated_ && self->taskbarCreated_ != 0) {
        // Explorer restarted: its notification area forgot the icon.
        if (self->visible_) self->Notify(NIM_ADD);
        return 0;
    }
    if (message == kCallbackMessage) {
        // The icon's clicks are posted messages, which reach a disabled window too: while a
        // modal box has disabled it, the icon takes no clicks.
        if (!IsWindowEnabled(hwnd)) return 0;
        switch (LOWORD(lParam)) {
            case WM_LBUTTONDBLCLK:
                if (self->OnDblClick) Guard([self] { self->OnDblClick(self); });
                return 0;
            case WM_RBUTTONUP:
                if (self->menu_) {
                    POINT at{};
                    GetCursorPos(&at);
                    self->menu_->Popup(hwnd, at);
                }
                return 0;
            default:
                return 0;
        }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace tw::ui
