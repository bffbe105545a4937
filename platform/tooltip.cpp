#include "platform/tooltip.h"

#include <commctrl.h>

#include "platform/application.h"
#include "platform/style_engine.h"

namespace tw::ui {

Tooltip::Tooltip(HWND owner) {
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                            Application::Instance().InstanceHandle(), nullptr);
    if (!hwnd_) return;  // a window without hints still works
    UINT dpi = owner ? GetDpiForWindow(owner) : 96;
    SendMessageW(hwnd_, TTM_SETMAXTIPWIDTH, 0, MulDiv(400, dpi ? static_cast<int>(dpi) : 96, 96));
    Application::Instance().RegisterTooltip(hwnd_);
    // A tool tip made after a style switch takes the current look at once.
    if (Styled()) StyleEngine::Instance().StyleTooltip(hwnd_);
}

Tooltip::~Tooltip() {
    if (!hwnd_) return;
    Application::Instance().UnregisterTooltip(hwnd_);
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void Tooltip::SetWindowTool(HWND window, const std::wstring& text) {
    if (!hwnd_) return;
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = window;
    info.uId = reinterpret_cast<UINT_PTR>(window);
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(hwnd_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(hwnd_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void Tooltip::SetAreaTool(HWND window, UINT_PTR id, const RECT& area, const std::wstring& text) {
    if (!hwnd_) return;
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = window;
    info.uId = id;
    info.rect = area;
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    // Deleting a tool would also take the tool tip's hook off the window, which the window's
    // other areas still need: an existing area only moves and takes its text.
    if (areas_.insert({window, id}).second) {
        info.uFlags = TTF_SUBCLASS;
        SendMessageW(hwnd_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    } else {
        SendMessageW(hwnd_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
        SendMessageW(hwnd_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

namespace {
constexpr UINT_PTR kHandCursorSubclass = 0x7477;  // "tw"

LRESULT CALLBACK HandCursorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, HandCursorProc, kHandCursorSubclass);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}
}  // namespace

void SetHandCursor(HWND window, bool hand) {
    if (hand) {
        SetWindowSubclass(window, HandCursorProc, kHandCursorSubclass, 0);
    } else {
        RemoveWindowSubclass(window, HandCursorProc, kHandCursorSubclass);
    }
}

}  // namespace tw::ui
