// Starts a program and reports, in milliseconds, when its window is usable: visible, of a real
// size, and answering a message (so its thread has reached the message loop). Then it keeps
// asking for a while and reports the longest wait for an answer, and, given a line count, when an
// edit control of the program first holds that many lines (and stops asking then). Ends the
// program it started.
// Usage: start_probe <program.exe> [watch-seconds [lines]]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>

namespace {

LARGE_INTEGER frequency;

double Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    RECT r{};
    if (pid == search->pid && IsWindowVisible(hwnd) && GetWindowRect(hwnd, &r) && r.right - r.left >= 100 &&
        r.bottom - r.top >= 50) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK MostLines(HWND hwnd, LPARAM param) {
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    if (_wcsicmp(name, L"Edit") == 0) {
        DWORD_PTR lines = 0;
        if (SendMessageTimeoutW(hwnd, EM_GETLINECOUNT, 0, 0, SMTO_NORMAL, 5000, &lines)) {
            auto* most = reinterpret_cast<long*>(param);
            *most = std::max(*most, static_cast<long>(lines));
        }
    }
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: start_probe <program.exe> [watch-seconds [lines]]\n");
        return 2;
    }
    QueryPerformanceFrequency(&frequency);
    double watch = argc > 2 ? _wtof(argv[2]) * 1000.0 : 0;
    long wantLines = argc > 3 ? _wtol(argv[3]) : 0;

    std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    double start = Now();
    if (!CreateProcessW(argv[1], command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "start_probe: cannot start the program (error %lu)\n", GetLastError());
        return 1;
    }
    Search search{pi.dwProcessId, nullptr};
    int rc = 0;
    // Asking the window server over and over competes with the program for it: wait quietly
    // until the program first waits for input, then look (and poll only if its window is not
    // there yet).
    WaitForInputIdle(pi.hProcess, 60000);
    while (!search.found) {
        if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) break;
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
    }
    DWORD_PTR ignored = 0;
    if (!search.found || !SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored)) {
        std::fprintf(stderr, "start_probe: the program showed no answering window\n");
        rc = 1;
    } else {
        double usable = Now() - start;
        std::printf("usable %.1f\n", usable);
        // The program's own processor time until then, which the machine's other load does not
        // lengthen as it does the time on the clock.
        FILETIME created, exited, kernel, user;
        if (GetProcessTimes(pi.hProcess, &created, &exited, &kernel, &user)) {
            auto ms = [](FILETIME t) {
                return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
            };
            std::printf("cpu %.1f\n", ms(kernel) + ms(user));
        }
        double longest = 0;
        double linesAt = -1;
        double end = Now() + watch;
        while (Now() < end && linesAt < 0) {
            double asked = Now();
            if (!SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored)) break;
            longest = std::max(longest, Now() - asked);
            if (wantLines > 0 && linesAt < 0) {
                long most = 0;
                EnumChildWindows(search.found, MostLines, reinterpret_cast<LPARAM>(&most));
                if (most >= wantLines) linesAt = Now() - start;
            }
            Sleep(20);
        }
        if (watch > 0) std::printf("longest_answer %.1f\n", longest);
        if (wantLines > 0) std::printf("lines_shown %.1f\n", linesAt);
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return rc;
}
