// The About box opened through the main window's button handler, read and closed the way a user
// would, while its own message loop runs.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "about/about_dialog_win.h"
#include "about/about_text.h"
#include "app/maker_info.h"
#include "app/tapwhile_form.h"
#include "fakes.h"
#include "platform/style_paint.h"
#include "platform/text.h"
#include "shell/path_parts.h"
#include "two_monitors.h"

namespace tw {
namespace {

// ---- Driving a modal box from inside its loop ------------------------------------------------

// One step runs at every tick of a thread timer while the box is open, until it returns true.
// A box still open after ten seconds is cancelled, so a broken test fails instead of hanging.
struct ModalScript {
    std::function<bool(HWND dialog)> step;
    bool done = false;
    bool inStep = false;  // a step that lets messages through must not start itself again
    int ticks = 0;
};
ModalScript* script = nullptr;

BOOL CALLBACK FindAboutBox(HWND hwnd, LPARAM found) {
    if (AboutDialog::FromHandle(hwnd) && IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND OpenAboutBox() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindAboutBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK ScriptTick(HWND, UINT, UINT_PTR, DWORD) {
    if (!script) return;
    HWND dialog = OpenAboutBox();
    if (!dialog) return;
    if (++script->ticks > 500) {
        ADD_FAILURE() << "the About box was still open after ten seconds";
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    if (script->done || script->inStep) return;
    script->inStep = true;
    script->done = script->step(dialog);
    script->inStep = false;
}

// Runs show (which shows the box modally) with the steps acting on the open box.
void WithOpenBox(const std::function<void()>& show, std::function<bool(HWND dialog)> step) {
    ModalScript run{std::move(step)};
    script = &run;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, ScriptTick);
    show();
    KillTimer(nullptr, timer);
    script = nullptr;
    EXPECT_TRUE(run.done) << "the box closed before the test was done with it";
}

// ---- Reading the box -------------------------------------------------------------------------

std::vector<std::wstring> Lines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

HWND Part(HWND dialog, int id) { return GetDlgItem(dialog, id); }

BOOL CALLBACK FindTooltip(HWND hwnd, LPARAM found) {
    auto* result = reinterpret_cast<std::pair<HWND, HWND>*>(found);  // owner, tool tip
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    if (GetWindow(hwnd, GW_OWNER) != result->first || lstrcmpiW(name, TOOLTIPS_CLASSW) != 0) return TRUE;
    result->second = hwnd;
    return FALSE;
}

// The tool tip window that the box owns.
HWND TooltipOf(HWND dialog) {
    std::pair<HWND, HWND> found{dialog, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&found));
    return found.second;
}

// A key as the keyboard delivers it: to the window with the focus, through the box's loop.
void PressKey(HWND dialog, WPARAM key) {
    HWND focus = GetFocus();
    PostMessageW(focus ? focus : Part(dialog, AboutDialog::OkId), WM_KEYDOWN, key, 1);
}

// A click of the left mouse button in the middle of a window, as the user's mouse gives it.
void ClickAt(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
}

bool Near(COLORREF a, COLORREF b) {
    auto close = [](int x, int y) { return std::abs(x - y) <= 24; };
    return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) && close(GetBValue(a), GetBValue(b));
}

std::wstring BuiltProgramFile() {
    // tests/win32_tests.exe sits one folder below the program.
    return ParentPath(ParentPath(WinPaths().ProgramFile())) + L"\\Tapwhile.exe";
}

class AboutBoxTest : public testing::Test {
protected:
    AboutBoxTest() {
        test::ShownErrors().clear();
        clock.now = DateTime::FromParts(2025, 10, 9, 14, 5, 0).value();  // Tokyo: 05:05 UTC, a Thursday
        clock.utcOffsetMinutes = 540;
        form.SetAttachTime(clock.now.AddMilliseconds(-((2 * 24 + 3) * 3600 + 4 * 60 + 5) * 1000LL));
        paths.programFile = BuiltProgramFile();
    }
    void ShowAbout(std::function<bool(HWND dialog)> step) {
        WithOpenBox([this] { form.ButtonAbout.Click(); }, std::move(step));
    }

    test::FakeInput input;
    test::FakeClock clock;
    test::FakeDialogs dialogs;
    test::FakeShell shell;
    test::FakePaths paths;
    TTapwhileForm form{{input, clock, dialogs, shell, paths, FormatSettings::Japanese()}};
};

TEST_F(AboutBoxTest, ShowsItsElevenLinesAndEscClosesIt) {
    ASSERT_NE(GetFileAttributesW(paths.programFile.c_str()), INVALID_FILE_ATTRIBUTES) << "build Tapwhile.exe first";
    HWND seen = nullptr;
    ShowAbout([&](HWND dialog) {
        seen = dialog;
        const std::vector<std::wstring> expected = {
            L"カタコト号 V2.9 (2.9.0.0) Release Build",
            paths.programFile,
            L"CurrentScreen " + std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L" x " +
                std::to_wstring(GetSystemMetrics(SM_CYSCREEN)) + L" / " + std::to_wstring(GetDpiForSystem()) +
                L"dpi x " + std::to_wstring(ScalePercent(static_cast<int>(GetDpiForSystem()))) + L"%",
            L"Elapsed 2d3h4m5s",
            L"",
            AppNotice,
            AppMail,
            AppHomeUrl,
            L"made in Japan",
            L"",
            L"Peace for Ukraine",
            L"9 жовтень 2025 четвер 08:05, Ukraine Standard Time (in Daylight Saving Time)",
            L"",  // after the last line break
        };
        EXPECT_EQ(Lines(WindowText(Part(dialog, AboutDialog::MessageId))), expected);

        // A tool window with the main window's caption and no title-bar buttons, owned by the
        // main window, which takes no input meanwhile.
        EXPECT_EQ(WindowText(dialog), L"カタコト号");
        const LONG style = GetWindowLongW(dialog, GWL_STYLE);
        EXPECT_TRUE(style & WS_CAPTION);
        EXPECT_FALSE(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
        EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), form.Handle());
        EXPECT_FALSE(IsWindowEnabled(form.Handle()));

        // Centred on the screen.
        RECT r{};
        GetWindowRect(dialog, &r);
        EXPECT_LE(std::abs((r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
        EXPECT_LE(std::abs((r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);

        // Icon, text, OK in that order; OK is the default button and has the focus.
        HWND ok = Part(dialog, AboutDialog::OkId);
        EXPECT_EQ(GetWindow(dialog, GW_CHILD), Part(dialog, AboutDialog::ImageId));
        EXPECT_EQ(GetWindow(Part(dialog, AboutDialog::ImageId), GW_HWNDNEXT), Part(dialog, AboutDialog::MessageId));
        EXPECT_EQ(GetWindow(Part(dialog, AboutDialog::MessageId), GW_HWNDNEXT), ok);
        EXPECT_EQ(WindowText(ok), L"OK");
        EXPECT_EQ(GetWindowLongW(ok, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
        EXPECT_EQ(GetFocus(), ok);

        // Every part of the box lies inside it.
        RECT client{};
        GetClientRect(dialog, &client);
        for (int id : {AboutDialog::ImageId, AboutDialog::MessageId, AboutDialog::OkId}) {
            RECT part{};
            GetWindowRect(Part(dialog, id), &part);
            MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&part), 2);
            EXPECT_TRUE(part.left >= 0 && part.top >= 0 && part.right <= client.right && part.bottom <= client.bottom)
                << id;
        }
        PressKey(dialog, VK_ESCAPE);
        return true;
    });
    EXPECT_FALSE(IsWindow(seen)) << "the box is destroyed once closed";
    EXPECT_TRUE(IsWindowEnabled(form.Handle()));
    EXPECT_TRUE(test::ShownErrors().empty());
}

TEST_F(AboutBoxTest, EnterEscAndTheOkButtonEachCloseTheBox) {
    const std::function<void(HWND)> closers[] = {
        [](HWND dialog) { PressKey(dialog, VK_RETURN); },
        [](HWND dialog) { PressKey(dialog, VK_ESCAPE); },
        [](HWND dialog) { ClickAt(Part(dialog, AboutDialog::OkId)); },
        // OK sent to the box itself, as a dialog takes it (the style gallery closes it so).
        [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); },
        // The clock's handler lets pending messages through without the box's loop: a key that
        // it hands on still closes the box.
        [](HWND dialog) {
            PressKey(dialog, VK_ESCAPE);
            ui::Application::Instance().ProcessMessages();
        },
    };
    for (const auto& close : closers) {
        int shown = 0;
        ShowAbout([&](HWND dialog) {
            ++shown;
            close(dialog);
            return true;
        });
        EXPECT_EQ(shown, 1);
    }
}

TEST_F(AboutBoxTest, TheIconOpensTheDownloadPageAndTheBoxStaysOpen) {
    enum class Phase { Look, FirstClick, Pause, FailingClick } phase = Phase::Look;
    DWORD firstClickHandled = 0;
    ShowAbout([&](HWND dialog) {
        HWND image = Part(dialog, AboutDialog::ImageId);
        switch (phase) {
            case Phase::Look: {
                EXPECT_TRUE(SendMessageW(image, STM_GETICON, 0, 0) != 0);
                // One hint in the box: the download page's address, on the icon.
                HWND tooltip = TooltipOf(dialog);
                EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
                wchar_t hint[256] = {};
                TTTOOLINFOW tool{};
                tool.cbSize = sizeof(tool);
                tool.lpszText = hint;
                EXPECT_TRUE(SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)));
                EXPECT_EQ(tool.uId, reinterpret_cast<UINT_PTR>(image));
                EXPECT_EQ(std::wstring(hint), AppDownloadUrl);

                // The hand cursor over the icon and the OK button.
                for (int id : {AboutDialog::ImageId, AboutDialog::OkId}) {
                    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
                    HWND part = Part(dialog, id);
                    SendMessageW(part, WM_SETCURSOR, reinterpret_cast<WPARAM>(part),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
                    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND)) << id;
                }
                ClickAt(image);
                phase = Phase::FirstClick;
                return false;
            }
            case Phase::FirstClick:
                if (shell.launches.empty()) return false;  // the click is on its way
                EXPECT_EQ(shell.launches.size(), 1u);
                EXPECT_EQ(shell.launches[0].verb, L"open");
                EXPECT_EQ(shell.launches[0].file, AppDownloadUrl);
                EXPECT_EQ(shell.launches[0].show, SW_SHOWNORMAL);
                EXPECT_TRUE(dialogs.shown.empty());
                EXPECT_TRUE(IsWindowVisible(dialog));
                firstClickHandled = GetTickCount();
                phase = Phase::Pause;
                return false;
            case Phase::Pause:
                // A second click soon after the first would be a double click.
                if (GetTickCount() - firstClickHandled <= GetDoubleClickTime()) return false;
                // A failed launch is reported by the launch itself; the box stays.
                shell.result = 2;
                ClickAt(image);
                phase = Phase::FailingClick;
                return false;
            case Phase::FailingClick:
                if (dialogs.shown.empty()) return false;
                EXPECT_EQ(shell.launches.size(), 2u);
                EXPECT_EQ(dialogs.shown.size(), 1u);
                EXPECT_TRUE(IsWindowVisible(dialog));
                PressKey(dialog, VK_ESCAPE);
                return true;
        }
        return true;
    });
}

TEST_F(AboutBoxTest, ThePlainLookPaintsAGradientFromWhiteThatChangesAtEveryRepaint) {
    ShowAbout([&](HWND dialog) {
        RECT client{};
        GetClientRect(dialog, &client);
        auto pixelsAfterRepaint = [&] {
            RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            HDC dc = GetDC(dialog);
            // Corners of the margin, where no part of the box sits.
            std::vector<COLORREF> corners = {GetPixel(dc, 1, 1), GetPixel(dc, client.right - 2, 1),
                                             GetPixel(dc, 1, client.bottom - 2),
                                             GetPixel(dc, client.right - 2, client.bottom - 2)};
            ReleaseDC(dialog, dc);
            return corners;
        };
        const std::vector<COLORREF> first = pixelsAfterRepaint();
        const COLORREF white = RGB(255, 255, 255);
        EXPECT_TRUE(Near(first[0], white));
        // Left to right: the top-right corner has the end colour, the bottom-left is white;
        // top to bottom the other way round.
        const bool horizontal = Near(first[1], first[3]) && Near(first[2], white);
        const bool vertical = Near(first[2], first[3]) && Near(first[1], white);
        EXPECT_TRUE(horizontal || vertical) << std::hex << first[1] << " " << first[2] << " " << first[3];

        // A new colour at a repaint (the same 24-bit colour twice in a row is as good as never).
        bool changed = false;
        for (int i = 0; i < 3 && !changed; ++i) changed = pixelsAfterRepaint()[3] != first[3];
        EXPECT_TRUE(changed);
        PressKey(dialog, VK_ESCAPE);
        return true;
    });
}

TEST_F(AboutBoxTest, OpensCentredOnTheMonitorOfTheMainWindow) {
    test::TwoMonitors monitors;
    ui::Application::Instance().SetMonitors(&monitors);
    for (const auto& placement : {std::pair{800, monitors.right}, std::pair{0, monitors.left}}) {
        const int x = placement.first;
        const RECT& screen = placement.second.bounds;
        SetWindowPos(form.Handle(), nullptr, x, 100, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
        ShowAbout([&](HWND dialog) {
            RECT r{};
            GetWindowRect(dialog, &r);
            EXPECT_LE(std::abs((r.left + r.right) / 2 - (screen.left + screen.right) / 2), 1) << "window at " << x;
            EXPECT_LE(std::abs((r.top + r.bottom) / 2 - (screen.top + screen.bottom) / 2), 1) << "window at " << x;
            PressKey(dialog, VK_ESCAPE);
            return true;
        });
    }
    ui::Application::Instance().SetMonitors(nullptr);
}

TEST_F(AboutBoxTest, TheWindowsTimersGoOnWhileTheBoxIsOpen) {
    int stepsWaited = 0;
    ShowAbout([&](HWND dialog) {
        if (stepsWaited++ == 0) {
            clock.now = DateTime::FromParts(2026, 1, 2, 3, 4).value();
            return false;
        }
        if (form.StatusPanels.PanelText(0) != L"2026/01/02  03:04") return false;  // the clock's next run
        PressKey(dialog, VK_ESCAPE);
        return true;
    });
    EXPECT_EQ(form.StatusPanels.PanelText(0), L"2026/01/02  03:04");
}

TEST_F(AboutBoxTest, AProgramFileWithoutVersionInformationShowsEmptyParentheses) {
    paths.programFile = WinPaths().ProgramFile();  // the test program carries no version resource
    ShowAbout([&](HWND dialog) {
        const std::vector<std::wstring> lines = Lines(WindowText(Part(dialog, AboutDialog::MessageId)));
        EXPECT_EQ(lines.at(0), L"カタコト号 V2.9 () Release Build");
        EXPECT_EQ(lines.at(1), paths.programFile);
        PressKey(dialog, VK_ESCAPE);
        return true;
    });
}

// ---- The dialog window on its own ------------------------------------------------------------

TEST(AboutDialog, WithoutAPaintHandlerTheBoxKeepsThePlainBackground) {
    AboutDialog box(nullptr, L"caption", L"line\r\n", 0, L"hint");
    WithOpenBox([&] { EXPECT_EQ(box.ShowModal(), IDOK); },
                [](HWND dialog) {
                    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
                    HDC dc = GetDC(dialog);
                    EXPECT_EQ(GetPixel(dc, 1, 1), GetSysColor(COLOR_BTNFACE));
                    ReleaseDC(dialog, dc);
                    // Without an icon resource the system's application icon stands in.
                    EXPECT_TRUE(SendMessageW(GetDlgItem(dialog, AboutDialog::ImageId), STM_GETICON, 0, 0) != 0);
                    PostMessageW(dialog, WM_CLOSE, 0, 0);
                    return true;
                });
    EXPECT_TRUE(box.Closed());
}

TEST(AboutDialog, AQuitMessageEndsTheBoxAndIsLeftForTheApplication) {
    AboutDialog box(nullptr, L"caption", L"line\r\n", 0, L"hint");
    WithOpenBox([&] { box.ShowModal(); },
                [](HWND) {
                    PostQuitMessage(7);
                    return true;
                });
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(FillGradient, RunsFromTheFirstColourToTheSecondAlongItsDirection) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 101;
    info.bmiHeader.biHeight = -101;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT area{0, 0, 101, 101};
    const COLORREF white = RGB(255, 255, 255);
    const COLORREF end = RGB(0x12, 0x80, 0xF0);

    ui::FillGradient(dc, area, white, end, true);
    EXPECT_TRUE(Near(GetPixel(dc, 0, 50), white));
    EXPECT_TRUE(Near(GetPixel(dc, 100, 50), end)) << std::hex << GetPixel(dc, 100, 50);
    EXPECT_TRUE(Near(GetPixel(dc, 50, 0), GetPixel(dc, 50, 100)));  // columns are even
    EXPECT_TRUE(Near(GetPixel(dc, 50, 50), RGB((255 + 0x12) / 2, (255 + 0x80) / 2, (255 + 0xF0) / 2)));

    ui::FillGradient(dc, area, white, end, false);
    EXPECT_TRUE(Near(GetPixel(dc, 50, 0), white));
    EXPECT_TRUE(Near(GetPixel(dc, 50, 100), end));
    EXPECT_TRUE(Near(GetPixel(dc, 0, 50), GetPixel(dc, 100, 50)));  // rows are even

    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

}  // namespace
}  // namespace tw
