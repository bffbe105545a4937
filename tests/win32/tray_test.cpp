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
