#pragma once
// The notification-area icon with its tool tip, pop-up menu and double-click event.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/control.h"
#include "platform/window_handler.h"

namespace tw::ui {

class MenuItem : public Object {
public:
    MenuItem(std::wstring caption, HBITMAP picture = nullptr) : caption(std::move(caption)), picture(picture) {}
    std::wstring caption;
    HBITMAP picture;  // owned by the item
    Event OnClick;
    ~MenuItem() override {
        if (picture) DeleteObject(picture);
    }
};

class PopupMenu {
public:
    void Add(MenuItem* item) { items_.push_back(item); }
    const std::vector<MenuItem*>& Items() const { return items_; }
    // Shows the menu at a screen point for the owner window and runs the chosen item's handler.
    void Popup(HWND owner, POINT at) const;
    // The menu as shown: item i has the command i + 1. The caller destroys it.
    HMENU Build() const;
    // In a style of our own the items are drawn by the owner through these two.
    static bool MeasureItem(MEASUREITEMSTRUCT& measure);
    static bool DrawItem(const DRAWITEMSTRUCT& draw);

private:
    std::vector<MenuItem*> items_;
};

class TrayIcon : public Object, public WindowHandler {
public:
    TrayIcon();
    ~TrayIcon() override;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    void SetIcon(HICON icon) { icon_ = icon; }
    void SetHint(const std::wstring& hint) { hint_ = hint; }
    const std::wstring& Hint() const { return hint_; }
    void SetPopupMenu(PopupMenu* menu) { menu_ = menu; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    Event OnDblClick;
    // The hidden window that receives the icon's clicks.
    HWND Handle() const { return hwnd_; }

private:
    LRESULT HandleWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool Notify(DWORD message);
    HWND hwnd_ = nullptr;
    HICON icon_ = nullptr;
    std::wstring hint_;
    PopupMenu* menu_ = nullptr;
    bool visible_ = false;
    UINT taskbarCreated_ = 0;
};

}  // namespace tw::ui
