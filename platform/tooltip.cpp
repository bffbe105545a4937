#include "platform/tooltip.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/application.h"
#include "platform/style_engine.h"
#include "platform/subclass.h"

namespace tw::ui {

namespace {

// Hands the mouse messages of a tool's window to its tool tip (data), as the tool tip's own
// subclassing would, without a window-property read on every message of the window.
LRESULT RelayProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* data) {
    switch (message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: {
            DWORD pos = GetMessagePos();
            MSG msg{hwnd,
                    message,
                    wParam,
                    lParam,
                    static_cast<DWORD>(GetMessageTime()),
                    {GET_X_LPARAM(pos), GET_Y_LPARAM(pos)}};
            SendMessageW(static_cast<HWND>(data), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
            break;
        }
        default: break;
    }
    return CallNextSubclass(hwnd, message, wParam, lParam);
}

}  // namespace

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
    for (HWND window : relayed_) {
        if (SubclassData(window, RelayProc) == hwnd_) RemoveSubclass(window, RelayProc);
    }
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void Tooltip::SetWindowTool(HWND window, const std::wstring& text) {
    if (!hwnd_) return;
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND;
    info.hwnd = window;
    info.uId = reinterpret_cast<UINT_PTR>(window);
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(hwnd_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(hwnd_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    Relay(window);
}

void Tooltip::Relay(HWND window) {
    AddSubclass(window, RelayProc, hwnd_);
    relayed_.insert(window);
}

void Tooltip::SetAreaTool(HWND window, UINT_PTR id, const RECT& area, const std::wstring& text) {
    if (!hwnd_) return;
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = window;
    info.uId = id;
    info.rect = area;
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    // An existing area only moves and takes its text.
    if (areas_.insert({window, id}).second) {
        SendMessageW(hwnd_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        Relay(window);
    } else {
        SendMessageW(hwnd_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
        SendMessageW(hwnd_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

namespace {
LRESULT HandCursorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void*) {
    if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    return CallNextSubclass(hwnd, message, wParam, lParam);
}
}  // namespace

void SetHandCursor(HWND window, bool hand) {
    if (hand) {
        AddSubclass(window, HandCursorProc, nullptr);
    } else {
        RemoveSubclass(window, HandCursorProc);
    }
}

}  // namespace tw::ui
