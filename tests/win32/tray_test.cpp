// Minimising to the task bar or the notification area, restoring, and the first showing.
#include "form_fixture.h"
#include "platform/style_engine.h"
#include "platform/style_manager.h"
#include "pump.h"

#include <shellapi.h>

#include <string>

namespace tw {
namespace {

class TrayTest : public test::FormFixture {
protected:
    // The icon's hidden window: the only one of its class on this thread while one form lives.
    static HWND IconWindow() {
        HWND found = nullptr;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM out) {
                wchar_t name[32] = {};
                GetClassNameW(window, name, 32);
                if (std::wstring(name) != L"TwTrayIcon") return TRUE;
                *reinterpret_cast<HWND*>(out) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }
    // Whether the notification area holds the icon: only an icon it holds can be modified.
    static bool IconShown(HWND iconWindow) {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof(data);
        data.hWnd = iconWindow;
        data.uID = 1;
        return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
    }
    void MinimiseToTheTray() {
        form->CheckBoxTrayIcon.SetChecked(true);
        ui::Application::Instance().Minimize();
        ASSERT_TRUE(form->Tray.Visible());
    }
    // Whether the task-bar button was last hidden (true) or shown (false) by the program.
    bool TaskBarButtonHidden() const {
        HWND appWindow = ui::Application::Instance().Handle();
        for (auto it = input.shows.rbegin(); it != input.shows.rend(); ++it) {
            if (it->first == appWindow) return it->second == SW_HIDE;
        }
        return false;
    }
    // The width and height of an icon's picture.
    static SIZE IconSize(HICON icon) {
        ICONINFO info{};
        if (!icon || !GetIconInfo(icon, &info)) return {0, 0};
        BITMAP picture{};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(picture), &picture);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        // A monochrome icon's mask holds the AND and XOR pictures one above the other.
        return {picture.bmWidth, info.hbmColor ? picture.bmHeight : picture.bmHeight / 2};
    }

    // Picks the menu's item (counted from 1) with the keyboard once the menu is open, as a
    // user would; a menu that is still open after a few seconds is closed.
    static inline int pickItem_ = 0;
    static inline int ticks_ = 0;
    static inline bool menuSeen_ = false;
    static inline HWND menuOwner_ = nullptr;
    static void CALLBACK PickWhenOpen(HWND, UINT, UINT_PTR timer, DWORD) {
        HWND menu = FindWindowW(L"#32768", nullptr);
        // Keys that reach the menu before its loop reads them are lost now and then: they go
        // again while the menu stays open.
        if (menu && IsWindowVisible(menu) && ticks_ % 10 == 0) {
            menuSeen_ = true;
            // The menu's loop reads the keys of its owner's thread. Home first: a menu that
            // opens under the pointer may have an item selected already.
            auto press = [](WPARAM key) {
                PostMessageW(menuOwner_, WM_KEYDOWN, key, 0);
                PostMessageW(menuOwner_, WM_KEYUP, key, 0);
            };
            press(VK_HOME);
            for (int i = 1; i < pickItem_; ++i) press(VK_DOWN);
            press(VK_RETURN);
        }
        if (++ticks_ > 100) {
            EndMenu();
            KillTimer(nullptr, timer);
        }
    }
    void ChooseFromMenu(int item) {
        HWND iconWindow = IconWindow();
        ASSERT_NE(iconWindow, nullptr);
        pickItem_ = item;
        menuOwner_ = iconWindow;
        ticks_ = 0;
        menuSeen_ = false;
        UINT_PTR timer = SetTimer(nullptr, 0, 50, PickWhenOpen);
        // What the notification area tells the icon's window when the user right-clicks it.
        SendMessageW(iconWindow, WM_APP + 1, 1, WM_RBUTTONUP);
        KillTimer(nullptr, timer);
        EXPECT_TRUE(menuSeen_) << "the icon's menu did not open";
    }
};

TEST_F(TrayTest, MinimisingFollowsTheTrayOption) {
    Start();
    HWND appWindow = ui::Application::Instance().Handle();
    form->ApplicationMinimize(&ui::Application::Instance());
    EXPECT_FALSE(form->Tray.Visible());
    EXPECT_TRUE(input.shows.empty());  // stays on the task bar

    form->CheckBoxTrayIcon.SetChecked(true);
    form->ApplicationMinimize(&ui::Application::Instance());
    EXPECT_TRUE(form->Tray.Visible());
    ASSERT_EQ(input.shows.size(), 1u);
    EXPECT_EQ(input.shows[0], std::make_pair(appWindow, SW_HIDE));

    form->Pages.SetActivePageIndex(3);
    form->HistoryMemo.SetLines(std::vector<std::wstring>(300, L"2025/10/09 14:00:00 #1 $9F"));
    form->TrayDblClick(&form->Tray);
    EXPECT_FALSE(form->Tray.Visible());
    EXPECT_EQ(input.shows.back(), std::make_pair(appWindow, SW_SHOW));
    EXPECT_GT(form->HistoryMemo.FirstVisibleLine(), 250);  // the visible page was brought up to date
}

TEST_F(TrayTest, TheMenuShowsRestoreWithItsPictureAndCloseWithout) {
    Start();
    HMENU menu = form->TrayMenu.Build();
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    const int size = MulDiv(32, static_cast<int>(GetDpiForSystem()), 96);
    wchar_t caption[64] = {};
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_BITMAP | MIIM_STRING | MIIM_ID;
    item.dwTypeData = caption;
    item.cch = 64;
    ASSERT_TRUE(GetMenuItemInfoW(menu, 0, TRUE, &item));
    EXPECT_EQ(std::wstring(caption), L"元の大きさに戻す");
    ASSERT_NE(item.hbmpItem, nullptr);
    BITMAP picture{};
    ASSERT_TRUE(GetObjectW(item.hbmpItem, sizeof(picture), &picture));
    EXPECT_EQ(picture.bmWidth, size);
    EXPECT_EQ(picture.bmHeight, size);
    EXPECT_EQ(picture.bmBitsPixel, 32);
    // Drawn from the icon: not an empty picture.
    const auto* pixels = static_cast<const std::uint32_t*>(picture.bmBits);
    ASSERT_NE(pixels, nullptr);
    int opaque = 0;
    for (int i = 0; i < size * size; ++i) opaque += (pixels[i] >> 24) != 0;
    EXPECT_GT(opaque, size * size / 8);

    caption[0] = 0;
    item.cch = 64;
    ASSERT_TRUE(GetMenuItemInfoW(menu, 1, TRUE, &item));
    EXPECT_EQ(std::wstring(caption), L"終了");
    EXPECT_EQ(item.hbmpItem, nullptr);
    DestroyMenu(menu);
}

TEST_F(TrayTest, ShowingTheWindowPressesAltAndTakesTheForeground) {
    Start();
    input.keys.clear();
    form->Show();
    ASSERT_EQ(input.keys.size(), 2u);
    EXPECT_EQ(input.keys[0].key, VK_MENU);
    EXPECT_EQ(input.keys[0].flags, 0u);
    EXPECT_EQ(input.keys[1].key, VK_MENU);
    EXPECT_EQ(input.keys[1].flags, static_cast<std::uint32_t>(KEYEVENTF_KEYUP));
    ASSERT_EQ(input.locks.size(), 1u);
    EXPECT_EQ(input.locks[0], static_cast<UINT>(LSFW_UNLOCK));
    EXPECT_EQ(input.foreground, form->Handle());
    // Hiding runs nothing of it.
    form->Hide();
    EXPECT_EQ(input.keys.size(), 2u);
}

TEST_F(TrayTest, TheIconComesBackWhenTheTaskBarIsCreatedAgain) {
    Start();
    HWND iconWindow = IconWindow();
    ASSERT_NE(iconWindow, nullptr);
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    // Not shown: a new task bar gets no icon.
    SendMessageTimeoutW(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    EXPECT_FALSE(IconShown(iconWindow));

    MinimiseToTheTray();
    ASSERT_TRUE(IconShown(iconWindow));
    // The notification area restarts empty, then announces itself to every top-level window.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = iconWindow;
    data.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));
    ASSERT_FALSE(IconShown(iconWindow));
    SendMessageTimeoutW(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    EXPECT_TRUE(IconShown(iconWindow));
    EXPECT_TRUE(form->Tray.Visible());
    form->TrayDblClick(&form->Tray);
    EXPECT_FALSE(IconShown(iconWindow));
}

TEST_F(TrayTest, AnIconTheNotificationAreaRefusesIsOfferedAgainAndTheTaskBarButtonStaysUntilItIsShown) {
    Start();
    HWND iconWindow = IconWindow();
    ASSERT_NE(iconWindow, nullptr);

    // At logon the task bar may not be there yet.
    shell.notificationArea = false;
    MinimiseToTheTray();
    EXPECT_FALSE(form->Tray.Shown());
    EXPECT_FALSE(TaskBarButtonHidden()) << "neither icon nor button: no way back";
    // Then it is, and the icon gets there on its own.
    shell.notificationArea = true;
    for (int i = 0; i < 100 && !form->Tray.Shown(); ++i) test::Pump(100);
    EXPECT_TRUE(form->Tray.Shown());
    EXPECT_TRUE(IconShown(iconWindow));
    EXPECT_TRUE(TaskBarButtonHidden());
    form->TrayDblClick(&form->Tray);
    EXPECT_FALSE(IconShown(iconWindow));
    EXPECT_FALSE(TaskBarButtonHidden());

    // A task bar that announces itself gets the icon at once.
    shell.notificationArea = false;
    MinimiseToTheTray();
    EXPECT_FALSE(TaskBarButtonHidden());
    shell.notificationArea = true;
    SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    EXPECT_TRUE(form->Tray.Shown());
    EXPECT_TRUE(TaskBarButtonHidden());

    // Restored before the notification area took it: no icon turns up later.
    form->TrayDblClick(&form->Tray);
    shell.notificationArea = false;
    MinimiseToTheTray();
    form->TrayDblClick(&form->Tray);
    shell.notificationArea = true;
    const size_t requests = shell.iconRequests.size();
    test::Pump(2500);
    EXPECT_EQ(shell.iconRequests.size(), requests);
    EXPECT_FALSE(IconShown(iconWindow));
    EXPECT_FALSE(TaskBarButtonHidden());
}

TEST_F(TrayTest, TheIconIsTheSmallIconOfTheNotificationAreasDpiAndIsDrawnAgainForANewTaskBar) {
    Start();
    HWND iconWindow = IconWindow();
    ASSERT_NE(iconWindow, nullptr);
    const int size = GetSystemMetricsForDpi(SM_CXSMICON, GetDpiForWindow(iconWindow));
    MinimiseToTheTray();
    ASSERT_FALSE(shell.iconRequests.empty());
    ASSERT_EQ(shell.iconRequests.back().message, static_cast<DWORD>(NIM_ADD));
    HICON first = shell.iconRequests.back().icon;
    SIZE drawn = IconSize(first);
    EXPECT_EQ(drawn.cx, size);
    EXPECT_EQ(drawn.cy, size);

    // The shell announces a new task bar also when its DPI changed: the icon is drawn again for
    // it, and the icon still in the notification area is replaced, not added twice.
    SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    ASSERT_EQ(shell.iconRequests.back().message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_NE(shell.iconRequests.back().icon, first);
    EXPECT_EQ(IconSize(shell.iconRequests.back().icon).cx, size);
    EXPECT_TRUE(IconShown(iconWindow));
    form->TrayDblClick(&form->Tray);
}

TEST_F(TrayTest, TheStyledMenuKeepsItsTextsForScreenReaders) {
    Start();
    ui::StyleManager::Instance().Activate(L"Jet");
    const bool styled = ui::Styled();
    HMENU menu = form->TrayMenu.Build();
    ui::StyleManager::Instance().Activate(L"Windows");
    ASSERT_TRUE(styled);
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        wchar_t text[64] = {};
        EXPECT_GT(GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION), 0);
        EXPECT_EQ(std::wstring(text), form->TrayMenu.Items()[static_cast<size_t>(i)]->caption);
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE;
        ASSERT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item));
        EXPECT_TRUE(item.fType & MFT_OWNERDRAW);  // still drawn in the style's colours
    }
    DestroyMenu(menu);
}

TEST_F(TrayTest, TheIconsMenuRestoresOrCloses) {
    Start();
    ASSERT_EQ(form->TrayMenu.Items().size(), 2u);
    EXPECT_EQ(form->TrayMenu.Items()[0]->caption, L"元の大きさに戻す");
    EXPECT_EQ(form->TrayMenu.Items()[1]->caption, L"終了");

    MinimiseToTheTray();
    ChooseFromMenu(1);
    EXPECT_FALSE(form->Tray.Visible());
    EXPECT_FALSE(ui::Application::Instance().Minimized());
    EXPECT_FALSE(form->Closed());

    MinimiseToTheTray();
    ChooseFromMenu(2);
    EXPECT_TRUE(form->Closed());
    EXPECT_TRUE(Exists(UserIni()));         // closed the ordinary way, with the save
    ui::Application::Instance().Restore();  // the program would have ended here
}

}  // namespace
}  // namespace tw
