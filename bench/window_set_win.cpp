// The program's windows and nothing else: the same top-level windows, and the same child windows
// of the same classes and styles in the same nesting (seven pages, the one a first start shows
// showing), created at the size of a first start and shown as the program shows them (the
// application window, which owns the task-bar button, first), with no settings, texts, images,
// layout or handlers. bench/compare.sh starts it as it starts the program: the gap between this
// and the bare window is what the window set alone costs under Wine, the floor of the program's
// start.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <initializer_list>

namespace {

HINSTANCE instance;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY && !GetParent(hwnd) && GetWindow(hwnd, GW_OWNER)) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND Child(const wchar_t* className, DWORD style, HWND parent, int x, int y, int w, int h, DWORD exStyle = 0) {
    return CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                           instance, nullptr);
}

HWND Panel(HWND parent, int x, int y, int w, int h) {
    return Child(L"SetPanel", WS_CLIPCHILDREN | WS_CLIPSIBLINGS, parent, x, y, w, h, WS_EX_CONTROLPARENT);
}

// The controls of one kind, side by side in a panel.
void Row(HWND parent, const wchar_t* className, DWORD style, int count, int y, DWORD exStyle = 0) {
    for (int i = 0; i < count; ++i) Child(className, style, parent, 4 + i * 90, y, 86, 22, exStyle);
}

void NumberBox(HWND parent, int x, int y) {
    Child(WC_EDITW, WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL | ES_CENTER, parent, x, y, 60, 22, WS_EX_CLIENTEDGE);
    Child(UPDOWN_CLASSW, UDS_ARROWKEYS | UDS_NOTHOUSANDS, parent, x + 60, y, 16, 22);
}

constexpr DWORD kCheck = WS_TABSTOP | BS_MULTILINE | BS_AUTOCHECKBOX;
constexpr DWORD kPush = WS_TABSTOP;
constexpr DWORD kGroup = WS_CLIPSIBLINGS | BS_GROUPBOX;
constexpr DWORD kLabel = SS_NOTIFY | SS_NOPREFIX | SS_CENTERIMAGE | SS_RIGHT;
constexpr DWORD kList =
    WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int show) {
    instance = hInstance;
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    for (const wchar_t* name : {L"SetApplication", L"SetForm", L"SetPanel", L"SetTray"}) {
        wc.lpszClassName = name;
        RegisterClassW(&wc);
    }
    // The owner window without any area, which carries the task-bar button, and the
    // notification-area window, as the program has them.
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    HWND application = CreateWindowExW(0, L"SetApplication", L"Window set",
                                       WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                                       screenWidth / 2, screenHeight / 2, 0, 0, nullptr, nullptr, instance, nullptr);
    CreateWindowExW(WS_EX_TOOLWINDOW, L"SetTray", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    // The middle third of the screen, where a first start puts the program's window.
    HWND form = CreateWindowExW(WS_EX_CONTROLPARENT, L"SetForm", L"Window set", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                screenWidth / 3, screenHeight / 3, screenWidth / 3, screenHeight / 3, application,
                                nullptr, instance, nullptr);
    CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0, form,
                    nullptr, instance, nullptr);
    Child(STATUSCLASSNAMEW, CCS_NORESIZE | CCS_NOPARENTALIGN, form, 0, 250, 460, 22);
    HWND tabs = Child(WC_TABCONTROLW, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TCS_FOCUSNEVER | TCS_FIXEDWIDTH, form, 0, 0,
                      460, 250);
    HWND pages[7];
    for (int i = 0; i < 7; ++i) pages[i] = Panel(tabs, 4, 26, 440, 220);

    // The file page: three group boxes of buttons, check boxes and a number box.
    HWND grid = Panel(pages[0], 0, 0, 440, 220);
    for (int i = 0; i < 3; ++i) {
        HWND box = Panel(grid, i * 146, 0, 146, 220);
        Child(WC_BUTTONW, kGroup, box, 0, 0, 146, 220);
        HWND cells = Panel(box, 4, 16, 138, 200);
        if (i == 0) Row(cells, WC_BUTTONW, kPush, 3, 0);
        if (i == 1) Row(cells, WC_BUTTONW, kCheck, 3, 0);
        if (i == 2) {
            Row(cells, WC_BUTTONW, kCheck, 2, 0);
            Child(WC_STATICW, kLabel, cells, 4, 60, 60, 22);
            NumberBox(cells, 70, 60);
        }
    }
    // The view page: the key-press and reload groups.
    HWND view = Panel(pages[1], 0, 0, 440, 220);
    for (int i = 0; i < 2; ++i) {
        HWND group = Panel(view, 0, i * 110, 440, 110);
        Row(group, WC_BUTTONW, kCheck, i == 0 ? 3 : 2, 0);
        Child(WC_STATICW, kLabel, group, 4, 30, 60, 22);
        NumberBox(group, 70, 30);
        Child(WC_STATICW, kLabel, group, 160, 30, 200, 22);
        if (i == 0) {
            Child(WC_STATICW, kLabel, group, 4, 60, 60, 22);
            NumberBox(group, 70, 60);
        }
    }
    // The key list, the history, the summary and the style list.
    Child(WC_LISTBOXW, kList, pages[2], 0, 0, 440, 220);
    for (int i = 3; i < 5; ++i) {
        Child(WC_EDITW,
              WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL,
              pages[i], 0, 0, 440, 220);
    }
    Child(WC_LISTBOXW, kList, pages[5], 0, 0, 440, 220);
    // The help page: five buttons and the hint switch.
    HWND help = Panel(pages[6], 0, 0, 440, 220);
    Row(help, WC_BUTTONW, kPush, 3, 0);
    Row(help, WC_BUTTONW, kPush, 2, 40);
    Row(help, WC_BUTTONW, kCheck, 1, 80);
    // The view page shows, as at a first start.
    for (int i = 0; i < 7; ++i) {
        if (i != 1) ShowWindow(pages[i], SW_HIDE);
    }

    ShowWindow(application, SW_SHOWNOACTIVATE);
    ShowWindow(form, show);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(form, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    OleUninitialize();
    return 0;
}
