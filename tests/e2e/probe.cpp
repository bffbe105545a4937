// The end-to-end tests' helper: watches what the real Tapwhile.exe injects and drives it from
// outside, the way the system and a user would. Every command finds the program by the class
// names of its windows in a process of Tapwhile.exe.
//
//   probe watch <seconds> <out.txt> [follow] [swallow=<vk>:<n>]
//                                     a browser-like foreground window and a low-level keyboard
//                                     hook; writes one line per event until the program ends or
//                                     the seconds have passed. With follow it goes on watching
//                                     the program's next instance after one ends; with swallow
//                                     the hook drops the first n injected presses of the code
//                                     (down and up), so that they never reach the system
//   probe page [<index>]              prints the main window's page, or selects one as a click
//                                     on its tab would
//   probe touch                       a key press (Shift) of a user at the keyboard
//   probe endsession                  sends WM_QUERYENDSESSION to the main window, prints the answer
//   probe history <out.txt>           writes the history page's text to the file as UTF-8
//   probe minimize                    minimises the application window, prints the state of the
//                                     windows before sending and after the answer
//   probe restore                     restores it the same way
//   probe close                       asks the main window to close, waits for the process to end
//
// A watch line is "<kind> <ms since the probe started> <Unix ms> <details>": key (the hook: code,
// down or up, injected), wm_keydown and wm_syskeydown (what the window itself receives),
// program_shown (with the process's creation time), foreground, windows (task-bar button, main
// window, notification area), take_foreground, program_ended. Unix milliseconds are the clock
// that the driving script reads too.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

const wchar_t kProgramFile[] = L"Tapwhile.exe";
const wchar_t kMainWindowClass[] = L"TwForm";
const wchar_t kApplicationWindowClass[] = L"TwApplication";
// A class name that the reload worker takes for a browser's.
const wchar_t kBrowserClass[] = L"Chrome_WidgetWin_1";
const DWORD kSendTimeoutMs = 15000;
// Under Wine without a task bar the notification area is a window of Wine's own, shown while it
// holds at least one icon.
const wchar_t kWineTrayTitle[] = L"Wine System Tray";

std::int64_t UnixMs(FILETIME ft) {
    ULARGE_INTEGER value;
    value.LowPart = ft.dwLowDateTime;
    value.HighPart = ft.dwHighDateTime;
    const std::uint64_t kUnixEpochIn100ns = 116444736000000000ULL;
    return static_cast<std::int64_t>((value.QuadPart - kUnixEpochIn100ns) / 10000);
}

std::int64_t NowUnixMs() {
    FILETIME ft;
    GetSystemTimePreciseAsFileTime(&ft);
    return UnixMs(ft);
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    if (!hwnd || GetClassNameW(hwnd, name, 256) == 0) return {};
    return name;
}

DWORD ProcessOf(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

// The Windows tests make windows of the same classes, maybe in the same Wine server: only the
// program file's windows count.
bool IsProgramProcess(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return false;
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    bool named = QueryFullProcessImageNameW(process, 0, path, &size) != FALSE;
    CloseHandle(process);
    if (!named) return false;
    std::wstring_view image(path, size);
    size_t slash = image.find_last_of(L'\\');
    std::wstring_view name = slash == std::wstring_view::npos ? image : image.substr(slash + 1);
    return CompareStringOrdinal(name.data(), static_cast<int>(name.size()), kProgramFile, -1, TRUE) == CSTR_EQUAL;
}

struct TopLevelQuery {
    const wchar_t* className;
    DWORD pid;  // 0: the first process of the program file
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM param) {
    auto* query = reinterpret_cast<TopLevelQuery*>(param);
    if (ClassOf(hwnd) != query->className) return TRUE;
    DWORD pid = ProcessOf(hwnd);
    if (query->pid != 0 ? pid != query->pid : !IsProgramProcess(pid)) return TRUE;
    query->found = hwnd;
    return FALSE;
}

HWND FindTopLevel(const wchar_t* className, DWORD pid = 0) {
    TopLevelQuery query{className, pid, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

bool TrayVisible() {
    HWND tray = FindWindowW(nullptr, kWineTrayTitle);
    return tray && IsWindowVisible(tray);
}

HWND MainWindowOrComplain() {
    HWND hwnd = FindTopLevel(kMainWindowClass);
    if (!hwnd) std::fprintf(stderr, "probe: no window of class TwForm in a process of Tapwhile.exe\n");
    return hwnd;
}

// ---- watch ------------------------------------------------------------------------------------

struct WatchLog {
    std::FILE* out = nullptr;
    std::int64_t startMs = 0;
    HWND window = nullptr;

    void Line(const char* kind, const std::string& rest) {
        std::int64_t now = NowUnixMs();
        std::fprintf(out, "%s %lld %lld %s\n", kind, static_cast<long long>(now - startMs), static_cast<long long>(now),
                     rest.c_str());
        // The driving script reads the file while the watch goes on.
        std::fflush(out);
    }
};

WatchLog watch;
// The program's Alt release, the last step of showing its window, after which it no longer
// pushes itself to the front.
bool programAltReleased = false;

std::string Hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

// The injected key that the hook drops, and how many of its presses are still to drop.
unsigned swallowKey = 0;
int swallowPresses = 0;

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        bool down = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
        const bool injected = (event->flags & LLKHF_INJECTED) != 0;
        if (event->vkCode == VK_MENU && !down && injected) programAltReleased = true;
        const bool swallow = injected && event->vkCode == swallowKey && swallowPresses > 0;
        watch.Line("key", Hex(event->vkCode) + (down ? " down" : " up") + " injected=" + (injected ? "1" : "0") +
                              (swallow ? " swallowed" : ""));
        if (swallow) {
            if (!down) --swallowPresses;
            return 1;  // the system never sees it
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK BrowserWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN: watch.Line("wm_keydown", Hex(static_cast<unsigned>(wParam))); return 0;
        case WM_SYSKEYDOWN: watch.Line("wm_syskeydown", Hex(static_cast<unsigned>(wParam))); break;
        case WM_SYSCOMMAND:
            // A lone Alt (the program presses one when it shows) would open the window menu, and
            // keys would then go to the menu instead of the window.
            if ((wParam & 0xFFF0) == SC_KEYMENU) return 0;
            break;
        default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND CreateBrowserWindow() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = BrowserWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kBrowserClass;
    RegisterClassExW(&wc);
    HWND hwnd = CreateWindowExW(0, kBrowserClass, L"probe browser", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 320, 200,
                                nullptr, nullptr, wc.hInstance, nullptr);
    return hwnd;
}

int Watch(int seconds, const char* outPath, bool follow) {
    watch.out = std::fopen(outPath, "wb");
    if (!watch.out) {
        std::fprintf(stderr, "probe: cannot write %s\n", outPath);
        return 2;
    }
    watch.startMs = NowUnixMs();
    watch.Line("start", "");
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHook, GetModuleHandleW(nullptr), 0);
    watch.window = CreateBrowserWindow();
    if (!hook || !watch.window) {
        watch.Line("error", hook ? "window" : "hook");
        std::fclose(watch.out);
        return 2;
    }

    HANDLE program = nullptr;
    bool tookForeground = false;
    std::int64_t shownAt = 0;
    std::wstring lastForeground = L"?";
    std::string lastWindows;
    const std::int64_t endMs = watch.startMs + static_cast<std::int64_t>(seconds) * 1000;
    while (NowUnixMs() < endMs) {
        DWORD count = program ? 1 : 0;
        DWORD woke = MsgWaitForMultipleObjects(count, &program, FALSE, 50, QS_ALLINPUT);
        if (program && woke == WAIT_OBJECT_0) {
            watch.Line("program_ended", "");
            if (!follow) break;
            CloseHandle(program);
            program = nullptr;
            tookForeground = false;
            programAltReleased = false;
            lastWindows.clear();
            continue;
        }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }

        if (!program) {
            HWND main = FindTopLevel(kMainWindowClass);
            if (main && IsWindowVisible(main)) {
                DWORD pid = ProcessOf(main);
                program = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
                FILETIME created{}, exited{}, kernel{}, user{};
                std::int64_t createdMs = 0;
                if (program && GetProcessTimes(program, &created, &exited, &kernel, &user)) createdMs = UnixMs(created);
                shownAt = NowUnixMs();
                watch.Line("program_shown", "pid=" + std::to_string(pid) + " created=" + std::to_string(createdMs));
            }
        }
        // The program pushes its window to the front when it shows it; then the browser window
        // takes the front back, as a user reading a page would.
        if (program && !tookForeground && (programAltReleased || NowUnixMs() - shownAt >= 1000)) {
            tookForeground = true;
            BOOL ok = SetForegroundWindow(watch.window);
            watch.Line("take_foreground", ok ? "ok" : "failed");
        }
        if (program) {
            // The task-bar button, the main window and the notification area over time.
            HWND main = FindTopLevel(kMainWindowClass, GetProcessId(program));
            HWND application = FindTopLevel(kApplicationWindowClass, GetProcessId(program));
            std::string windows = std::string("application_visible=") + (IsWindowVisible(application) ? "1" : "0") +
                                  " application_iconic=" + (IsIconic(application) ? "1" : "0") +
                                  " main_visible=" + (IsWindowVisible(main) ? "1" : "0") +
                                  " tray_visible=" + (TrayVisible() ? "1" : "0");
            if (windows != lastWindows) {
                lastWindows = windows;
                watch.Line("windows", windows);
            }
        }
        HWND front = GetForegroundWindow();
        std::wstring frontClass = front ? ClassOf(front) : L"(none)";
        if (frontClass != lastForeground) {
            lastForeground = frontClass;
            watch.Line("foreground", Utf8(frontClass));
        }
    }
    watch.Line("end", "");
    UnhookWindowsHookEx(hook);
    DestroyWindow(watch.window);
    if (program) CloseHandle(program);
    std::fclose(watch.out);
    return 0;
}

// ---- endsession -------------------------------------------------------------------------------

int EndSession() {
    HWND main = MainWindowOrComplain();
    if (!main) return 2;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &answer)) {
        std::fprintf(stderr, "probe: WM_QUERYENDSESSION got no answer (error %lu)\n", GetLastError());
        return 2;
    }
    std::printf("%llu\n", static_cast<unsigned long long>(answer));
    return 0;
}

// ---- history ----------------------------------------------------------------------------------

BOOL CALLBACK FirstReadOnlyMemo(HWND hwnd, LPARAM param) {
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    if (CompareStringOrdinal(ClassOf(hwnd).c_str(), -1, L"Edit", -1, TRUE) == CSTR_EQUAL && (style & ES_MULTILINE) &&
        (style & ES_READONLY)) {
        *reinterpret_cast<HWND*>(param) = hwnd;
        return FALSE;
    }
    return TRUE;
}

int History(const char* outPath) {
    HWND main = MainWindowOrComplain();
    if (!main) return 2;
    // Children are enumerated in creation order: the history memo comes before the summary's.
    HWND memo = nullptr;
    EnumChildWindows(main, FirstReadOnlyMemo, reinterpret_cast<LPARAM>(&memo));
    if (!memo) {
        std::fprintf(stderr, "probe: the main window has no read-only multi-line edit\n");
        return 2;
    }
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(memo, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &length)) {
        std::fprintf(stderr, "probe: WM_GETTEXTLENGTH got no answer\n");
        return 2;
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(memo, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                             kSendTimeoutMs, &copied)) {
        std::fprintf(stderr, "probe: WM_GETTEXT got no answer\n");
        return 2;
    }
    text.resize(copied);
    std::FILE* out = std::fopen(outPath, "wb");
    if (!out) {
        std::fprintf(stderr, "probe: cannot write %s\n", outPath);
        return 2;
    }
    std::string utf8 = Utf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), out);
    std::fclose(out);
    return 0;
}

// ---- minimize, restore ------------------------------------------------------------------------

void PrintWindowState(const char* when, HWND application, HWND main) {
    std::printf("%s %lld application_visible=%d application_iconic=%d main_visible=%d tray_visible=%d\n", when,
                static_cast<long long>(NowUnixMs()), IsWindowVisible(application) ? 1 : 0,
                IsIconic(application) ? 1 : 0, IsWindowVisible(main) ? 1 : 0, TrayVisible() ? 1 : 0);
}

// Sends a system command to the application window, the one that owns the task-bar button, as
// the button's menu does.
int ApplicationCommand(WPARAM command) {
    HWND main = MainWindowOrComplain();
    if (!main) return 2;
    HWND application = FindTopLevel(kApplicationWindowClass, ProcessOf(main));
    if (!application) {
        std::fprintf(stderr, "probe: no window of class TwApplication in the program's process\n");
        return 2;
    }
    PrintWindowState("before", application, main);
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(application, WM_SYSCOMMAND, command, 0, SMTO_NORMAL, kSendTimeoutMs, &ignored)) {
        std::fprintf(stderr, "probe: WM_SYSCOMMAND got no answer\n");
        return 2;
    }
    // What follows, the watch records: the program's timers go on and may change it again.
    PrintWindowState("answered", application, main);
    return 0;
}

// ---- close ------------------------------------------------------------------------------------

int Close() {
    HWND main = MainWindowOrComplain();
    if (!main) return 2;
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ProcessOf(main));
    if (!process) {
        std::fprintf(stderr, "probe: cannot open the program's process (error %lu)\n", GetLastError());
        return 2;
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
    DWORD waited = WaitForSingleObject(process, kSendTimeoutMs);
    DWORD exitCode = 0;
    GetExitCodeProcess(process, &exitCode);
    CloseHandle(process);
    if (waited != WAIT_OBJECT_0) {
        std::printf("running\n");
        return 1;
    }
    std::printf("exited %lu\n", exitCode);
    return 0;
}

// ---- page, touch ------------------------------------------------------------------------------

int Page(int index) {
    HWND main = MainWindowOrComplain();
    if (!main) return 2;
    HWND tabs = nullptr;
    EnumChildWindows(
        main,
        [](HWND hwnd, LPARAM param) {
            if (ClassOf(hwnd) != WC_TABCONTROLW) return TRUE;
            *reinterpret_cast<HWND*>(param) = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&tabs));
    if (!tabs) {
        std::fprintf(stderr, "probe: the main window has no tab control\n");
        return 2;
    }
    DWORD_PTR result = 0;
    // Moving the focus to a tab selects it with the notifications that a click sends.
    if (index >= 0 && !SendMessageTimeoutW(tabs, TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0, SMTO_NORMAL,
                                           kSendTimeoutMs, &result)) {
        std::fprintf(stderr, "probe: TCM_SETCURFOCUS got no answer\n");
        return 2;
    }
    if (!SendMessageTimeoutW(tabs, TCM_GETCURSEL, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &result)) {
        std::fprintf(stderr, "probe: TCM_GETCURSEL got no answer\n");
        return 2;
    }
    std::printf("%d\n", static_cast<int>(static_cast<LRESULT>(result)));
    return 0;
}

int Touch() {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_SHIFT;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    // Read before the input: the moment printed is never later than the one the system noted.
    const std::int64_t before = NowUnixMs();
    if (SendInput(2, keys, sizeof(INPUT)) != 2) {
        std::fprintf(stderr, "probe: SendInput failed (error %lu)\n", GetLastError());
        return 2;
    }
    std::printf("%lld\n", static_cast<long long>(before));
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: probe watch <seconds> <out.txt> [follow] [swallow=<vk>:<n>] | endsession | history <out.txt> |"
                 " minimize | restore | close | page [<index>] | touch\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string command = argv[1];
    if (command == "watch" && argc >= 4) {
        bool follow = false;
        for (int i = 4; i < argc; ++i) {
            const std::string option = argv[i];
            unsigned key = 0;
            int presses = 0;
            if (option == "follow") {
                follow = true;
            } else if (std::sscanf(option.c_str(), "swallow=%x:%d", &key, &presses) == 2) {
                swallowKey = key;
                swallowPresses = presses;
            } else {
                return Usage();
            }
        }
        return Watch(std::atoi(argv[2]), argv[3], follow);
    }
    if (command == "page" && (argc == 2 || argc == 3)) return Page(argc == 3 ? std::atoi(argv[2]) : -1);
    if (command == "touch" && argc == 2) return Touch();
    if (command == "endsession" && argc == 2) return EndSession();
    if (command == "history" && argc == 3) return History(argv[2]);
    if (command == "minimize" && argc == 2) return ApplicationCommand(SC_MINIMIZE);
    if (command == "restore" && argc == 2) return ApplicationCommand(SC_RESTORE);
    if (command == "close" && argc == 2) return Close();
    return Usage();
}
