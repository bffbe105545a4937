#pragma once
// The one window procedure of the control layer's own window classes. A window created with a
// WindowHandler as its creation parameter hands every message, from WM_NCCREATE to
// WM_NCDESTROY, to that handler; messages before WM_NCCREATE and after WM_NCDESTROY get the
// default handling.
#include <windows.h>

namespace tw::ui {

class WindowHandler {
public:
    virtual ~WindowHandler() = default;

    // The window class procedure; pass static_cast<WindowHandler*>(this) as the creation
    // parameter of CreateWindowExW.
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The handler of a window of such a class, or nullptr.
    static WindowHandler* FromHandle(HWND hwnd);

protected:
    virtual LRESULT HandleWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

// Sends a message to every descendant of a window: what the system tells top-level windows
// alone (new system colours) and their controls must hear too.
void ForwardToChildren(HWND parent, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tw::ui
