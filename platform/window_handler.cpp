#include "platform/window_handler.h"

namespace tw::ui {

WindowHandler* WindowHandler::FromHandle(HWND hwnd) {
    return hwnd ? reinterpret_cast<WindowHandler*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)) : nullptr;
}

LRESULT CALLBACK WindowHandler::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    WindowHandler* self = FromHandle(hwnd);
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    // The handler hears nothing after the window's last message.
    if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    return self->HandleWindowMessage(hwnd, message, wParam, lParam);
}

namespace {
struct Forwarded {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
}  // namespace

void ForwardToChildren(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
    Forwarded forwarded{message, wParam, lParam};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) {
            const auto* f = reinterpret_cast<const Forwarded*>(data);
            SendMessageW(child, f->message, f->wParam, f->lParam);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&forwarded));
}

}  // namespace tw::ui
