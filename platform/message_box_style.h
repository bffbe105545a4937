#pragma once
// The program's own message boxes in the active style. While a scope lives, the next dialog box
// that this thread creates (the system message box the caller is about to show) takes the
// style's colours; no other window, and no box of another thread, is touched.
#include <windows.h>

namespace tw::ui {

class MessageBoxStyleScope {
public:
    MessageBoxStyleScope();
    ~MessageBoxStyleScope();
    MessageBoxStyleScope(const MessageBoxStyleScope&) = delete;
    MessageBoxStyleScope& operator=(const MessageBoxStyleScope&) = delete;

    // The scope that claims the next box of this thread: the newest one whose hook is in place.
    static const MessageBoxStyleScope* Innermost();
    // Installs a scope's hook on this thread (SetWindowsHookExW); a test may make it fail.
    using HookInstaller = HHOOK (*)(HOOKPROC proc);
    static HookInstaller installHook;

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hook_ = nullptr;
    bool claimed_ = false;
    MessageBoxStyleScope* outer_ = nullptr;
};

}  // namespace tw::ui
