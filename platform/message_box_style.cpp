#include "platform/message_box_style.h"

#include <commctrl.h>

#include "platform/control.h"
#include "platform/style_paint.h"
#include "platform/subclass.h"

namespace tw::ui {

namespace {

// The innermost scope of this thread: a box opened from a handler that runs inside another
// box's loop belongs to the newer scope.
MessageBoxStyleScope* current = nullptr;

constexpr ATOM kDialogAtom = 32770;

bool IsDialogClass(LPCWSTR className) {
    if (IS_INTRESOURCE(className)) return reinterpret_cast<ULONG_PTR>(className) == kDialogAtom;
    return lstrcmpW(className, L"#32770") == 0;
}

LRESULT BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void*) {
    switch (message) {
        case WM_NCDESTROY: RemoveSubclass(hwnd, BoxProc); break;
        case WM_INITDIALOG: {
            LRESULT result = CallNextSubclass(hwnd, message, wParam, lParam);
            StyleEngine::Instance().StyleTopLevel(hwnd);
            return result;
        }
        default: break;
    }
    // The system's box paints a light band behind its buttons; the whole client area takes the
    // style's background instead (text and icon are child windows).
    LRESULT painted = 0;
    if (PaintStyled(hwnd, message, BackgroundBrush(), ColorRole::Text, painted, [](HDC, const RECT&) {})) {
        return painted;
    }
    if (!Styled()) return CallNextSubclass(hwnd, message, wParam, lParam);
    switch (message) {
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, BackgroundColor());
            SetTextColor(dc, RoleColor(ColorRole::Text));
            return reinterpret_cast<LRESULT>(BackgroundBrush());
        }
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            LRESULT result = 0;
            if (header->code == NM_CUSTOMDRAW && CustomDrawButton(*reinterpret_cast<NMCUSTOMDRAW*>(header), result)) {
                return result;
            }
            break;
        }
        default: break;
    }
    return CallNextSubclass(hwnd, message, wParam, lParam);
}

}  // namespace

MessageBoxStyleScope::HookInstaller MessageBoxStyleScope::installHook = [](HOOKPROC proc) {
    return SetWindowsHookExW(WH_CBT, proc, nullptr, GetCurrentThreadId());
};

MessageBoxStyleScope::MessageBoxStyleScope() {
    if (!Styled()) return;
    hook_ = installHook(HookProc);
    // Without its hook the box keeps the plain look, and the scope stays out of the chain: a
    // destructor that does nothing must leave nothing behind.
    if (!hook_) return;
    outer_ = current;
    current = this;
}

const MessageBoxStyleScope* MessageBoxStyleScope::Innermost() { return current; }

MessageBoxStyleScope::~MessageBoxStyleScope() {
    if (!hook_) return;
    UnhookWindowsHookEx(hook_);
    current = outer_;
}

LRESULT CALLBACK MessageBoxStyleScope::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    MessageBoxStyleScope* scope = current;
    if (code == HCBT_CREATEWND && scope && !scope->claimed_) {
        auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
        if (IsDialogClass(create->lpcs->lpszClass)) {
            scope->claimed_ = true;
            AddSubclass(reinterpret_cast<HWND>(wParam), BoxProc, nullptr);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace tw::ui
