// Window subclassing kept inside the process. The common controls' own subclassing keeps its
// chain in a window property, and under Wine every property read is a round trip to the window
// server: several on every message of every control. This chain lives in a table of the
// process instead, with the same rules: the newest handler hears a message first and passes it
// on with CallNextSubclass; the chain ends with the window's own procedure.
#pragma once

#include <windows.h>

namespace tw::ui {

using SubclassProc = LRESULT (*)(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* data);

// Puts proc in front of the window's chain (or gives it new data if it is already there).
void AddSubclass(HWND hwnd, SubclassProc proc, void* data);
// Takes proc out of the chain; the window's own procedure is restored with the last one.
void RemoveSubclass(HWND hwnd, SubclassProc proc);
// The data proc was added with, or nullptr when proc is not in the window's chain.
void* SubclassData(HWND hwnd, SubclassProc proc);
// Inside a handler: passes the message on to the next one, in the end to the window itself.
LRESULT CallNextSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tw::ui
