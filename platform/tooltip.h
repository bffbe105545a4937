#pragma once
// The hints of a window and its controls: one tool tip window, which follows the application's
// hint switch for as long as it lives.
#include <windows.h>

#include <set>
#include <string>
#include <utility>

namespace tw::ui {

class Tooltip {
public:
    // The tool tip window goes with its owner when the owner is destroyed first.
    explicit Tooltip(HWND owner);
    ~Tooltip();
    Tooltip(const Tooltip&) = delete;
    Tooltip& operator=(const Tooltip&) = delete;

    HWND Handle() const { return hwnd_; }

    // The hint of a window, shown while the mouse is over it.
    void SetWindowTool(HWND window, const std::wstring& text);
    // The hint of an area of a window's client area (id tells areas of one window apart), shown
    // while that window has the mouse there. A disabled child gets no mouse messages; its
    // parent gets them, so an area of the parent carries the child's hint then.
    void SetAreaTool(HWND window, UINT_PTR id, const RECT& area, const std::wstring& text);

private:
    // The tool tip hears the mouse over the window.
    void Relay(HWND window);
    HWND hwnd_ = nullptr;
    std::set<std::pair<HWND, UINT_PTR>> areas_;
    std::set<HWND> relayed_;
};

// The hand pointer over the window's client area.
void SetHandCursor(HWND window, bool hand);

}  // namespace tw::ui
