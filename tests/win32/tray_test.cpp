// Minimising to the task bar or the notification area, restoring, and the first showing.
#include "form_fixture.h"

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
        form->CheckBoxTrayIcon1.SetChecked(true);
        ui::Application::Instance().Minimize();
        ASSERT_TRUE(form->TrayIcon1.Visible());
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
    EXPECT_FALSE(form->TrayIcon1.Visible());
    EXPECT_TRUE(input.shows.empty());  // stays on the task bar

    form->CheckBoxTrayIcon1.SetChecked(true);
    form->ApplicationMinimize(&ui::Application::Instance());
    EXPECT_TRUE(form->TrayIcon1.Visible());
    ASSERT_EQ(input.shows.size(), 1u);
    EXPECT_EQ(input.shows[0], std::make_pair(appWindow, SW_HIDE));

    form->PageControl1.SetActivePageIndex(3);
    form->Memo1.SetLines(std::vector<std::wstring>(300, L"2025/10/09 14:00:00 #1 $9F"));
    form->TrayIcon1DblClick(&form->TrayIcon1);
    EXPECT_FALSE(form->TrayIcon1.Visible());
    EXPECT_EQ(input.shows.back(), std::make_pair(appWindow, SW_SHOW));
    EXPECT_GT(form->Memo1.FirstVisibleLine(), 250);  // the visible page was brought up to date
}

TEST_F(TrayTest, TheMenuShowsRestoreWithItsPictureAndCloseWithout) {
    Start();
    HMENU menu = form->PopupMenu1.Build();
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
    EXPECT_TRUE(form->TrayIcon1.Visible());
    form->TrayIcon1DblClick(&form->TrayIcon1);
    EXPECT_FALSE(IconShown(iconWindow));
}

TEST_F(TrayTest, TheIconsMenuRestoresOrCloses) {
    Start();
    ASSERT_EQ(form->PopupMenu1.Items().size(), 2u);
    EXPECT_EQ(form->PopupMenu1.Items()[0]->caption, L"元の大きさに戻す");
    EXPECT_EQ(form->PopupMenu1.Items()[1]->caption, L"終了");

    MinimiseToTheTray();
    ChooseFromMenu(1);
    EXPECT_FALSE(form->TrayIcon1.Visible());
    EXPECT_FALSE(ui::Application::Instance().Minimized());
    EXPECT_FALSE(form->Closed());

    MinimiseToTheTray();
    ChooseFromMenu(2);
    EXPECT_TRUE(form->Closed());
    EXPECT_TRUE(Exists(UserIni()));  // closed the ordinary way, with the save
    ui::Application::Instance().Restore();  // the program would have ended here
}

}  // namespace
}  // namespace tw
