#pragma once
// The notification-area icon with its tool tip, pop-up menu and double-click event.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/control.h"
#include "platform/window_handler.h"

namespace tw::ui {

class MenuItem : public Object {
public:
    // pictureIcon names an icon resource shown beside the caption, pictureSize96 pixels square
    // at 96 dpi; 0 for none.
    explicit MenuItem(std::wstring caption, int pictureIcon = 0, int pictureSize96 = 0)
        : caption(std::move(caption)), pictureIcon_(pictureIcon), pictureSize96_(pictureSize96) {}
    ~MenuItem() override;
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;
    std::wstring caption;
    Event OnClick;
    // The picture drawn for a DPI, null without one; the item keeps it until another DPI asks.
    HBITMAP Picture(UINT dpi);

private:
    int pictureIcon_;
    int pictureSize96_;
    HBITMAP picture_ = nullptr;
    UINT pictureDpi_ = 0;
};

class PopupMenu {
public:
    PopupMenu() : dpi_(GetDpiForSystem()) {}
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;
    void Add(MenuItem* item) { items_.push_back(item); }
    const std::vector<MenuItem*>& Items() const { return items_; }
    // Shows the menu at a screen point for the owner window and runs the chosen item's handler.
    // The menu takes the DPI of the monitor it opens on.
    void Popup(HWND owner, POINT at);
    // The DPI the menu is built for: the system's until it first opens.
    UINT Dpi() const { return dpi_; }
    // The menu as shown: item i has the command i + 1. The caller destroys it.
    HMENU Build() const;
    // In a style of our own the items are drawn by the owner through these two.
    bool MeasureItem(MEASUREITEMSTRUCT& measure) const;
    bool DrawItem(const DRAWITEMSTRUCT& draw) const;

private:
    // The menu font at the menu's DPI, made once for every item's measuring and drawing.
    HFONT Font() const;
    std::vector<MenuItem*> items_;
    UINT dpi_;
    mutable HFONT font_ = nullptr;
    mutable UINT fontDpi_ = 0;
};

class TrayIcon : public Object, public WindowHandler {
public:
    TrayIcon();
    ~TrayIcon() override;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // The icon resource shown, drawn at the small icon size of the notification area's DPI.
    void SetIconResource(int iconId);
    void SetHint(const std::wstring& hint) { hint_ = hint; }
    const std::wstring& Hint() const { return hint_; }
    void SetPopupMenu(PopupMenu* menu) { menu_ = menu; }
    // The call that talks to the notification area (Shell_NotifyIconW unless replaced).
    void SetShellCall(std::function<bool(DWORD message, NOTIFYICONDATAW& data)> call) { shellCall_ = std::move(call); }
    // Whether the icon is wanted in the notification area.
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // Whether the notification area holds the icon. A wanted icon that the notification area
    // refused (no task bar yet at logon, a busy shell) is offered again until it is taken.
    bool Shown() const { return shown_; }
    // Runs each time the wanted icon has gone into the notification area.
    Event OnShown;
    Event OnDblClick;
    // The hidden window that receives the icon's clicks.
    HWND Handle() const { return hwnd_; }

private:
    LRESULT HandleWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool Notify(DWORD message);
    void LoadIconForDpi();
    void Add();
    void Clicked(UINT mouseMessage);
    HWND hwnd_ = nullptr;
    int iconId_ = 0;
    HICON icon_ = nullptr;  // owned
    std::wstring hint_;
    PopupMenu* menu_ = nullptr;
    std::function<bool(DWORD, NOTIFYICONDATAW&)> shellCall_;
    bool visible_ = false;
    bool shown_ = false;
    UINT taskbarCreated_ = 0;
};

}  // namespace tw::ui
