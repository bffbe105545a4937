#pragma once
// Modal boxes. A modal loop dispatches every message of the thread, so while a box is open every
// other window of the program is disabled: no second close, no second box, no tray menu behind
// the box's back.
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace tw::ui {

// Disables every enabled top-level window of this thread (the application window, the tray
// window and every form and box included) for its lifetime, and enables exactly those again
// when it ends, however it ends. Spared windows are left alone: the box itself, and an owner
// that the box disables and enables again itself before it goes, so that the owner becomes the
// active window again.
class ModalScope {
public:
    explicit ModalScope(std::initializer_list<HWND> spared = {});
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

    // True while a scope is open on this thread.
    static bool Active();
    // The box the user has to answer: the window of this thread that shows and that the open
    // scopes left enabled. Null when no box is open.
    static HWND Box();

private:
    std::vector<HWND> disabled_;
};

// The loop of a box of the program's own: handles this thread's messages (the timers' too), with
// the box's keyboard interface (Tab, Enter, Esc), until done() is true. A quit message ends it
// and is left for the application's own loop. Run it inside a ModalScope that spares the box.
void RunModalLoop(HWND box, const std::function<bool()>& done);

// The one way the program shows a system message box: owned by the application's active window
// (the application window when none is active), inside a ModalScope. Returns the button chosen
// (IDOK, IDYES, IDNO, IDCANCEL).
int ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT flags);

}  // namespace tw::ui
