// Monitors of different scaling. The test display has one DPI for everything and the system never
// tells a window that it moved onto another, so a fake lays out two monitors on the screen and a
// hook tells the main window what the system would: WM_DPICHANGED, with the rectangle rescaled by
// the change, from inside the move that took the window across.
#include "form_fixture.h"

#include <commctrl.h>

#include <map>
#include <string>

#include "platform/application.h"
#include "platform/monitor_services.h"
#include "platform/style_manager.h"
#include "platform/subclass.h"
#include "two_monitors.h"

namespace tw {
namespace {

// Sends the main window WM_DPICHANGED whenever a move leaves it on a monitor of another DPI, as
// the system does for a per-monitor aware window, suggesting its rectangle rescaled in place.
class DpiMessenger {
public:
    explicit DpiMessenger(MonitorServices& monitors) : monitors_(monitors) {
        active_ = this;
        hook_ = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterMessage, nullptr, GetCurrentThreadId());
    }
    ~DpiMessenger() {
        UnhookWindowsHookEx(hook_);
        active_ = nullptr;
    }
    bool Hooked() const { return hook_ != nullptr; }
    int sent = 0;
    RECT lastSuggested{};

private:
    static LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam) {
        const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && active_ && message->message == WM_WINDOWPOSCHANGED && IsMainWindow(message->hwnd)) {
            active_->Moved(message->hwnd);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static bool IsMainWindow(HWND hwnd) {
        wchar_t name[16] = {};
        GetClassNameW(hwnd, name, 16);
        return std::wstring(name) == L"TwForm";
    }
    void Moved(HWND hwnd) {
        UINT& was = dpis_.try_emplace(hwnd, 96u).first->second;  // created on the primary monitor
        const UINT now = monitors_.OfWindow(hwnd).dpi;
        if (now == was) return;
        RECT r{};
        GetWindowRect(hwnd, &r);
        RECT suggested{r.left, r.top, r.left + MulDiv(r.right - r.left, static_cast<int>(now), static_cast<int>(was)),
                       r.top + MulDiv(r.bottom - r.top, static_cast<int>(now), static_cast<int>(was))};
        was = now;
        ++sent;
        lastSuggested = suggested;
        SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(now, now), reinterpret_cast<LPARAM>(&suggested));
    }

    static inline DpiMessenger* active_ = nullptr;
    MonitorServices& monitors_;
    HHOOK hook_ = nullptr;
    std::map<HWND, UINT> dpis_;
};

// A tab control that keeps a height set with TCM_SETITEMSIZE through a change of font, as the
// system's does (Wine's measures its tabs again for the new font).
class FixedTabHeight {
public:
    explicit FixedTabHeight(HWND tabs) : tabs_(tabs) {
        RECT tab{};
        if (TabCtrl_GetItemRect(tabs_, 0, &tab)) height_ = static_cast<WORD>(tab.bottom - tab.top);
        ui::AddSubclass(tabs_, Proc, this);
    }
    ~FixedTabHeight() {
        if (IsWindow(tabs_)) ui::RemoveSubclass(tabs_, Proc);
    }

private:
    static LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void* data) {
        auto* self = static_cast<FixedTabHeight*>(data);
        if (message == TCM_SETITEMSIZE && HIWORD(lParam) != 0) self->height_ = HIWORD(lParam);
        LRESULT result = ui::CallNextSubclass(hwnd, message, wParam, lParam);
        if (message == WM_SETFONT && self->height_ != 0) {
            RECT tab{};
            TabCtrl_GetItemRect(hwnd, 0, &tab);
            ui::CallNextSubclass(hwnd, TCM_SETITEMSIZE, 0, MAKELPARAM(tab.right - tab.left, self->height_));
        }
        return result;
    }
    HWND tabs_;
    WORD height_ = 0;
};

class MixedDpiTest : public test::FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        ui::Application::Instance().SetMonitors(&monitors);
    }
    void TearDown() override {
        FormFixture::TearDown();
        ui::Application::Instance().SetMonitors(nullptr);
        ui::StyleManager::Instance().Activate(L"Windows");
    }

    RECT NormalRectangle() const {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof(wp);
        GetWindowPlacement(form->Handle(), &wp);
        return wp.rcNormalPosition;
    }
    int TabHeight() const {
        RECT tab{};
        EXPECT_TRUE(TabCtrl_GetItemRect(form->Pages.Handle(), 0, &tab));
        return tab.bottom - tab.top;
    }

    test::TwoMonitors monitors;
};

TEST_F(MixedDpiTest, APlacementRestoredOntoAMonitorOfOtherScalingKeepsItsRectangleThroughRestarts) {
    // Saved on the 150 % monitor: the window's size there, in that monitor's pixels.
    WriteBytes(UserIni(), "[POSITION]\r\nLeft=700\r\nTop=100\r\nRight=1240\r\nBottom=640\r\n");
    DpiMessenger messenger(monitors);
    ASSERT_TRUE(messenger.Hooked());
    for (int start = 1; start <= 2; ++start) {
        SCOPED_TRACE(start == 1 ? "first start" : "start after a close on that monitor");
        messenger.sent = 0;
        Start();
        EXPECT_EQ(messenger.sent, 1);  // the restore took the window across
        EXPECT_EQ(form->Dpi(), 144u);  // the window took the monitor's DPI on the way
        const RECT r = NormalRectangle();
        EXPECT_EQ(r.left, 700);
        EXPECT_EQ(r.top, 100);
        EXPECT_EQ(r.right, 1240);
        EXPECT_EQ(r.bottom, 640);
        form->ExitClick(&form->TrayMenuClose);
        ASSERT_TRUE(form->Closed());
        std::string saved = ReadBytes(UserIni()).value_or("");
        EXPECT_NE(saved.find("Left=700\r\nTop=100\r\nRight=1240\r\nBottom=640\r\n"), std::string::npos) << saved;
        form.reset();
    }
}

TEST_F(MixedDpiTest, ADraggedWindowTakesTheSystemsRectangleAndItsTabsFollowTheFont) {
    DpiMessenger messenger(monitors);
    Start();  // no settings: the middle third of the screen, whose centre lies on the left monitor
    ASSERT_EQ(form->Dpi(), 96u);
    form->Show();
    FixedTabHeight systemTabs(form->Pages.Handle());
    const int tabAt96 = TabHeight();
    RECT before{};
    GetWindowRect(form->Handle(), &before);

    // The user drags the window onto the 150 % monitor.
    SetWindowPos(form->Handle(), nullptr, 700, before.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(messenger.sent, 1);
    EXPECT_EQ(form->Dpi(), 144u);
    RECT after{};
    GetWindowRect(form->Handle(), &after);
    EXPECT_TRUE(EqualRect(&after, &messenger.lastSuggested));
    // The tabs grow with their text, and the pages start below them.
    const int tabAt144 = TabHeight();
    EXPECT_GE(tabAt144, MulDiv(tabAt96, 144, 96) - 2) << tabAt96 << " at 96 dpi";
    RECT display{};
    GetClientRect(form->Pages.Handle(), &display);
    SendMessageW(form->Pages.Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    const RECT page = form->Pages.ActivePage()->BoundsRect();
    EXPECT_EQ(page.top, display.top);
    EXPECT_GE(page.top, tabAt144);

    // And back: the old height again.
    SetWindowPos(form->Handle(), nullptr, 100, before.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(messenger.sent, 2);
    EXPECT_EQ(form->Dpi(), 96u);
    EXPECT_EQ(TabHeight(), tabAt96);
}

// ---- The notification area's menu ------------------------------------------------------------

// What the open menu showed: its first item's picture and height. Read from inside the menu's
// loop, which it then ends.
struct OpenMenu {
    HWND owner = nullptr;
    bool seen = false;
    SIZE picture{};
    int itemHeight = 0;
    int ticks = 0;
};
OpenMenu* openMenu = nullptr;

void CALLBACK ReadOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
    if (!openMenu) return;
    HWND window = FindWindowW(L"#32768", nullptr);
    if (window && IsWindowVisible(window) && !openMenu->seen) {
        openMenu->seen = true;
        HMENU menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_BITMAP;
        BITMAP picture{};
        if (GetMenuItemInfoW(menu, 0, TRUE, &item) && item.hbmpItem &&
            GetObjectW(item.hbmpItem, sizeof(picture), &picture)) {
            openMenu->picture = {picture.bmWidth, picture.bmHeight};
        }
        RECT r{};
        if (GetMenuItemRect(openMenu->owner, menu, 0, &r)) openMenu->itemHeight = r.bottom - r.top;
        EndMenu();
    }
    if (++openMenu->ticks > 100) EndMenu();
}

TEST_F(MixedDpiTest, TheTrayMenuAndItsPictureTakeTheDpiOfTheMonitorItOpensOn) {
    Start();
    form->CheckBoxTrayIcon.SetChecked(true);
    ui::Application::Instance().Minimize();
    const HWND iconWindow = form->Tray.Handle();
    const int picture144 = MulDiv(32, 144, 96);
    struct Case {
        const wchar_t* style;
        POINT pointer;
        bool drawnByTheSystem;
        int pictureSize;  // drawn by the system: the item's bitmap
        int minimumHeight;
    };
    const Case cases[] = {
        {L"Windows", {1000, 400}, true, picture144, picture144},
        {L"Windows", {200, 400}, true, 32, 32},
        {L"Jet", {1000, 400}, false, 0, picture144},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.pointer.x > 640 ? "150 %, " : "100 %, ") << c.style);
        ui::StyleManager::Instance().Activate(c.style);
        SetCursorPos(c.pointer.x, c.pointer.y);
        OpenMenu seen;
        seen.owner = iconWindow;
        openMenu = &seen;
        UINT_PTR timer = SetTimer(nullptr, 0, 50, ReadOpenMenu);
        // What the notification area tells the icon's window when the user right-clicks it.
        SendMessageW(iconWindow, WM_APP + 1, 1, WM_RBUTTONUP);
        KillTimer(nullptr, timer);
        openMenu = nullptr;
        ASSERT_TRUE(seen.seen) << "the menu did not open";
        if (c.drawnByTheSystem) {
            EXPECT_EQ(seen.picture.cx, c.pictureSize);
            EXPECT_EQ(seen.picture.cy, c.pictureSize);
        }
        EXPECT_GE(seen.itemHeight, c.minimumHeight);
    }
    ui::Application::Instance().Restore();
}

}  // namespace
}  // namespace tw
