// The one-second duties and nothing else: the yardstick for what the program costs while it
// waits. Three timers of 997, 991 and 983 ms; each reads the last-input tick and writes its own
// status-bar panel, and the first also sets the title of the window that owns the task-bar
// button. bench/compare.sh measures its CPU beside the program's.
#include <windows.h>
#include <commctrl.h>

#include <cwchar>

namespace {

HWND statusBar = nullptr;

void IdleText(wchar_t* text, size_t size) {
    LASTINPUTINFO lii{sizeof(lii), 0};
    GetLastInputInfo(&lii);
    DWORD s = (GetTickCount() - lii.dwTime) / 1000;
    if (s < 3600) {
        std::swprintf(text, size, L"%lu:%02lu", s / 60, s % 60);
    } else {
        std::swprintf(text, size, L"%lu:%02lu:%02lu", s / 3600, s / 60 % 60, s % 60);
    }
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            statusBar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd, nullptr,
                                        nullptr, nullptr);
            int edges[] = {100, 200, 300, -1};
            SendMessageW(statusBar, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(edges));
            SetTimer(hwnd, 0, 997, nullptr);
            SetTimer(hwnd, 1, 991, nullptr);
            SetTimer(hwnd, 2, 983, nullptr);
            return 0;
        }
        case WM_SIZE: SendMessageW(statusBar, WM_SIZE, 0, 0); return 0;
        case WM_TIMER: {
            wchar_t text[64];
            IdleText(text, 64);
            SendMessageW(statusBar, SB_SETTEXTW, wParam, reinterpret_cast<LPARAM>(text));
            if (wParam == 0) {
                wchar_t title[80];
                std::swprintf(title, 80, L"Reference %ls", text);
                SetWindowTextW(hwnd, title);
            }
            return 0;
        }
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_BAR_CLASSES};
    InitCommonControlsEx(&init);
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"IdleReference";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Reference", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                500, 300, nullptr, nullptr, instance, nullptr);
    ShowWindow(hwnd, show);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
