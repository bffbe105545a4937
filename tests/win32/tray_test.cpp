// Minimising to the task bar or the notification area, restoring, and the first showing.
#include "form_fixture.h"

namespace tw {
namespace {

class TrayTest : public test::FormFixture {};

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

}  // namespace
}  // namespace tw
