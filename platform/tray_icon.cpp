#include "platform/tray_icon.h"

#include <shellapi.h>

#include <algorithm>

#include "platform/application.h"
#include "platform/image_list.h"
#include "platform/modal.h"
#include "platform/style_paint.h"

namespace tw::ui {

namespace {
const wchar_t kTrayClass[] = L"TwTrayIcon";
const UINT kCallbackMessage = WM_APP + 1;
// While the notification area refuses the icon, it is offered again at this pace.
const UINT_PTR kRetryTimer = 1;
const UINT kRetryMs = 2000;
}  // namespace

namespace {

// The system's menu font at a DPI; the caller deletes it.
HFONT MenuFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) return nullptr;
    return CreateFontIndirectW(&metrics.lfMenuFont);
}

SIZE PictureSize(HBITMAP picture) {
    BITMAP bitmap{};
    if (!picture || !GetObjectW(picture, sizeof(bitmap), &bitmap)) return {0, 0};
    return {bitmap.bmWidth, bitmap.bmHeight};
}

}  // namespace

MenuItem::~MenuItem() {
    if (picture_) DeleteObject(picture_);
}

HBITMAP MenuItem::Picture(UINT dpi) {
    if (!pictureIcon_ || dpi == pictureDpi_) return picture_;
    if (picture_) DeleteObject(picture_);
    picture_ = IconPicture(pictureIcon_, MulDiv(pictureSize96_, static_cast<int>(dpi), 96));
    pictureDpi_ = dpi;
    return picture_;
}

PopupMenu::~PopupMenu() {
    if (font_) DeleteObject(font_);
}

HFONT PopupMenu::Font() const {
    if (font_ && fontDpi_ == dpi_) return font_;
    if (font_) DeleteObject(font_);
    font_ = MenuFont(dpi_);
    fontDpi_ = dpi_;
    return font_;
}

bool PopupMenu::MeasureItem(MEASUREITEMSTRUCT& measure) const {
    if (measure.CtlType != ODT_MENU || !measure.itemData) return false;
    auto* item = reinterpret_cast<MenuItem*>(measure.itemData);
    const UINT dpi = dpi_;
    HDC dc = GetDC(nullptr);
    HFONT font = Font();
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SIZE text{};
    GetTextExtentPoint32W(dc, item->caption.c_str(), static_cast<int>(item->caption.size()), &text);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    SIZE picture = PictureSize(item->Picture(dpi));
    int pad = MulDiv(8, static_cast<int>(dpi), 96);
    int gutter = std::max<int>(picture.cx, MulDiv(16, static_cast<int>(dpi), 96)) + 2 * pad;
    measure.itemWidth = static_cast<UINT>(gutter + text.cx + 2 * pad);
    int pictureHeight = picture.cy + MulDiv(4, static_cast<int>(dpi), 96);
    measure.itemHeight = static_cast<UINT>(std::max<int>(pictureHeight, text.cy + pad));
    return true;
}

bool PopupMenu::DrawItem(const DRAWITEMSTRUCT& draw) const {
    if (draw.CtlType != ODT_MENU || !draw.itemData) return false;
    auto* item = reinterpret_cast<MenuItem*>(draw.itemData);
    HDC dc = draw.hDC;
    RECT r = draw.rcItem;
    bool selected = (draw.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &r, RoleBrush(selected ? ColorRole::Selection : ColorRole::Menu));
    const UINT dpi = dpi_;
    int pad = MulDiv(8, static_cast<int>(dpi), 96);
    HBITMAP pictureBitmap = item->Picture(dpi);
    SIZE picture = PictureSize(pictureBitmap);
    if (pictureBitmap) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ oldBitmap = SelectObject(memory, pictureBitmap);
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(dc, r.left + pad, r.top + (r.bottom - r.top - picture.cy) / 2, picture.cx, picture.cy, memory, 0, 0,
                   picture.cx, picture.cy, blend);
        SelectObject(memory, oldBitmap);
        DeleteDC(memory);
    }
    RECT textRect = r;
    textRect.left += std::max<int>(picture.cx, MulDiv(16, static_cast<int>(dpi), 96)) + 2 * pad;
    HFONT font = Font();
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RoleColor(selected ? ColorRole::SelectionText : ColorRole::MenuText));
    DrawTextW(dc, item->caption.c_str(), static_cast<int>(item->caption.size()), &textRect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    return true;
}

HMENU PopupMenu::Build() const {
    HMENU menu = CreatePopupMenu();
    const bool styled = Styled();
    for (size_t i = 0; i < items_.size(); ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.wID = static_cast<UINT>(i + 1);
        // The item keeps its text in both looks: screen readers read it from the menu.
        info.fMask = MIIM_STRING | MIIM_ID;
        info.dwTypeData = const_cast<wchar_t*>(items_[i]->caption.c_str());
        if (styled) {
            // Drawn by the owner in the style's colours (WM_MEASUREITEM, WM_DRAWITEM).
            info.fMask |= MIIM_FTYPE | MIIM_DATA;
            info.fType = MFT_OWNERDRAW;
            info.dwItemData = reinterpret_cast<ULONG_PTR>(items_[i]);
        } else if (HBITMAP picture = items_[i]->Picture(dpi_)) {
            info.fMask |= MIIM_BITMAP;
            info.hbmpItem = picture;
        }
        InsertMenuItemW(menu, static_cast<UINT>(i), TRUE, &info);
    }
    if (styled) {
        MENUINFO menuInfo{};
        menuInfo.cbSize = sizeof(menuInfo);
        menuInfo.fMask = MIM_BACKGROUND;
        menuInfo.hbrBack = RoleBrush(ColorRole::Menu);
        SetMenuInfo(menu, &menuInfo);
    }
    return menu;
}

void PopupMenu::Popup(HWND owner, POINT at) {
    dpi_ = Application::Instance().Monitors().At(at).dpi;
    HMENU menu = Build();
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr));
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
    shellCall_ = [](DWORD message, NOTIFYICONDATAW& data) { return Shell_NotifyIconW(message, &data) != FALSE; };
}

TrayIcon::~TrayIcon() {
    if (shown_) Notify(NIM_DELETE);
    if (hwnd_) DestroyWindow(hwnd_);
    if (icon_) DestroyIcon(icon_);
}

void TrayIcon::SetIconResource(int iconId) {
    iconId_ = iconId;
    LoadIconForDpi();
}

void TrayIcon::LoadIconForDpi() {
    int size = GetSystemMetricsForDpi(SM_CXSMICON, WindowDpi(hwnd_));
    HICON old = icon_;
    icon_ = iconId_ ? ImageList({iconId_}).LoadIcon(0, size) : nullptr;
    if (old) DestroyIcon(old);
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
    return shellCall_(message, data);
}

void TrayIcon::Add() {
    shown_ = Notify(NIM_ADD);
    if (!shown_) {
        SetTimer(hwnd_, kRetryTimer, kRetryMs, nullptr);
        return;
    }
    KillTimer(hwnd_, kRetryTimer);
    if (OnShown) Guard([this] { OnShown(this); });
}

void TrayIcon::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (visible) {
        Add();
        return;
    }
    KillTimer(hwnd_, kRetryTimer);
    if (shown_) Notify(NIM_DELETE);
    shown_ = false;
}

void TrayIcon::Clicked(UINT mouseMessage) {
    // The icon's clicks are posted messages, which reach a disabled window too. While a modal
    // box has disabled it, a click leads to the box instead: the box may be hidden behind other
    // programs, and the program would look frozen.
    if (!IsWindowEnabled(hwnd_)) {
        if (mouseMessage == WM_LBUTTONUP || mouseMessage == WM_LBUTTONDBLCLK || mouseMessage == WM_RBUTTONUP) {
            if (HWND box = ModalScope::Box()) SetForegroundWindow(box);
        }
        return;
    }
    switch (mouseMessage) {
        case WM_LBUTTONDBLCLK:
            if (OnDblClick) Guard([this] { OnDblClick(this); });
            break;
        case WM_RBUTTONUP:
            if (menu_) {
                POINT at{};
                GetCursorPos(&at);
                menu_->Popup(hwnd_, at);
            }
            break;
        default: break;
    }
}

LRESULT TrayIcon::HandleWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        // A new task bar (the shell started late or again) or a new DPI of the notification
        // area: the icon at the size it wants now, into the area if it forgot the icon.
        LoadIconForDpi();
        if (visible_ && !(shown_ && Notify(NIM_MODIFY))) Add();
        return 0;
    }
    if (message == WM_TIMER && wParam == kRetryTimer) {
        if (visible_ && !shown_) Add();
        return 0;
    }
    if (message == WM_MEASUREITEM && menu_ && menu_->MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) {
        return TRUE;
    }
    if (message == WM_DRAWITEM && menu_ && menu_->DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam))) {
        return TRUE;
    }
    if (message == kCallbackMessage) {
        Clicked(LOWORD(lParam));
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace tw::ui
