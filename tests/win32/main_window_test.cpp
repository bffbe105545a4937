// The main window as start-up leaves it, and the idle display driven through its timer handler.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "engine/key_code_table.h"
#include "form_fixture.h"

#include <commctrl.h>

namespace tw {
namespace {

class MainWindowTest : public test::FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        Start();
    }
    ui::Application& app = ui::Application::Instance();

    // Makes a control of the window as wide as given by resizing the window: the layout keeps
    // the difference between the control and the window fixed.
    void SizeWindowSo(int controlWidthNow, int width) {
        RECT outer{};
        GetWindowRect(form->Handle(), &outer);
        const int windowWidth = (outer.right - outer.left) + width - controlWidthNow;
        SetWindowPos(form->Handle(), nullptr, 0, 0, windowWidth, outer.bottom - outer.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The status panels' widths as the status bar itself holds them.
    std::vector<int> PanelWidths() const {
        int edges[8] = {};
        const int count = static_cast<int>(
            SendMessageW(form->StatusPanels.Handle(), SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges)));
        std::vector<int> widths;
        for (int i = 0; i < count; ++i) widths.push_back(edges[i] - (i > 0 ? edges[i - 1] : 0));
        return widths;
    }
};

TEST_F(MainWindowTest, StartUpLeavesTheDefinedWindow) {
    EXPECT_EQ(form->Caption(), L"カタコト号");
    // With no settings file the window takes the middle third of the primary screen.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(form->Handle(), &placement);
    int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(placement.rcNormalPosition.left, cx / 3);
    EXPECT_EQ(placement.rcNormalPosition.top, cy / 3);
    EXPECT_EQ(placement.rcNormalPosition.right, 2 * (cx / 3));
    EXPECT_EQ(placement.rcNormalPosition.bottom, 2 * (cy / 3));
    EXPECT_FALSE(form->Showing());

    const wchar_t* captions[] = {L"ファイル", L"表 示", L"設 定", L"履 歴", L"集 計", L"スタイル", L"ヘルプ"};
    ASSERT_EQ(form->Pages.PageCount(), 7);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(form->Pages.PageAt(i)->Caption(), captions[i]);
    EXPECT_EQ(form->Pages.ActivePageIndex(), 1);

    EXPECT_EQ(form->HistoryMemo.LineCount(), 0);
    EXPECT_EQ(form->HistoryMemo.Text(), L"");
    EXPECT_EQ(form->SummaryMemo.Text(), L"");
    EXPECT_EQ(form->KeyPresser().CountLabel().Text(), L"");
    EXPECT_EQ(form->Reloader().CountLabel().Text(), L"");
    EXPECT_TRUE(form->KeyPresser().CountLabel().Enabled());
    EXPECT_FALSE(form->Reloader().CountLabel().Enabled());
    EXPECT_EQ(form->StatusPanels.PanelText(1), L"");
    EXPECT_EQ(form->StatusPanels.PanelText(2), L"");

    EXPECT_TRUE(form->ClockTimer.Enabled());
    EXPECT_EQ(form->KeyPresser().TickTimer().Enabled(), form->KeyPresser().OnSwitch().Checked());
    EXPECT_EQ(form->Reloader().TickTimer().Enabled(), form->Reloader().OnSwitch().Checked());
    EXPECT_EQ(form->ClockTimer.Interval(), 997u);
    EXPECT_EQ(form->KeyPresser().TickTimer().Interval(), 991u);
    EXPECT_EQ(form->Reloader().TickTimer().Interval(), 983u);
    EXPECT_EQ(form->KeyPresser().LastInput().cbSize, 8u);
    EXPECT_EQ(form->IdleInput().cbSize, 8u);
    EXPECT_EQ(form->BrowserClasses()[0], L"Chrome_WidgetWin");
    EXPECT_EQ(form->BrowserClasses()[3], L"IEFrame");
    EXPECT_EQ(form->Tray.Hint(), L"カタコト号");
    EXPECT_FALSE(form->Tray.Visible());
}

TEST_F(MainWindowTest, AFirstStartDerivesTheIntervalsFromTheDefaultSettings) {
    EXPECT_EQ(form->Reloader().Interval(), 300'000);
    // The rate changed from 1 to 10, so a first interval was drawn around one minute (a
    // deviation of 6 s), not set to the minute itself.
    EXPECT_NE(form->KeyPresser().Interval(), 60'000);
    EXPECT_GE(form->KeyPresser().Interval(), 60'000 - 5 * 6'000);
    EXPECT_LE(form->KeyPresser().Interval(), 60'000 + 5 * 6'000);
}

TEST_F(MainWindowTest, ControlsCarryTheirDefinedTextsStatesAndRanges) {
    EXPECT_EQ(form->Reloader().OnSwitch().Text(), L"ブラウザが最前面だったら、「更新」キーを押す　");
    EXPECT_EQ(form->KeyPresser().OnSwitch().Text(), L"設定したコードで、キーを押したことにする");
    EXPECT_EQ(form->ButtonStartMenu.Text(), L"スタートメニュー");
    EXPECT_EQ(form->ButtonProperties.Text(), L"プロパティ表示");
    EXPECT_EQ(form->CheckBoxHint.Text(), L"Show Item Hint");
    EXPECT_EQ(form->LabelIdleHold.Text(), L"残留(秒)");
    EXPECT_EQ(form->LabelDeviationRate.Text(), L"標準偏差率(%)");

    struct Box {
        ui::NumberBox* box;
        int min, max, value;
    } boxes[] = {{&form->KeyPresser().MinutesBox(), 1, 60, 1},
                 {&form->Reloader().MinutesBox(), 1, 60, 5},
                 {&form->NumberBoxDeviationRate, 0, 50, 10},
                 {&form->NumberBoxIdleHold, 1, 30, 10}};
    for (const Box& b : boxes) {
        EXPECT_EQ(b.box->MinValue(), b.min);
        EXPECT_EQ(b.box->MaxValue(), b.max);
        EXPECT_EQ(b.box->Value(), b.value);
    }
    form->NumberBoxDeviationRate.SetValue(80);
    EXPECT_EQ(form->NumberBoxDeviationRate.Value(), 50);

    EXPECT_FALSE(form->CheckBoxTrayIcon.Checked());
    EXPECT_FALSE(form->CheckBoxCloseQuery.Checked());
    EXPECT_TRUE(form->CheckBoxSaveStatus.Checked());
    EXPECT_TRUE(form->CheckBoxIdleOnForm.Checked());
    EXPECT_TRUE(form->CheckBoxIdleOnTaskButton.Checked());  // the settings default differs from the definition
    EXPECT_TRUE(form->KeyPresser().OnSwitch().Checked());
    EXPECT_TRUE(form->KeyPresser().IdleOnlySwitch().Checked());
    EXPECT_TRUE(form->CheckBoxNormalDistribution.Checked());
    EXPECT_FALSE(form->Reloader().IdleOnlySwitch().Checked());
    EXPECT_FALSE(form->CheckBoxHint.Checked());

    EXPECT_EQ(form->CheckBoxTrayIcon.Hint(), L"To TaskTray at minimize");
    EXPECT_EQ(form->Reloader().OnSwitch().Hint(), L"[F5] for Blowser");
    EXPECT_EQ(form->NumberBoxDeviationRate.Hint(), L"0 .. 100");
    EXPECT_FALSE(form->KeyPresser().CountLabel().ShowHint());
    EXPECT_FALSE(form->Reloader().CountLabel().ShowHint());
    EXPECT_TRUE(form->KeyPresser().MinutesCaption().ShowHint());
    EXPECT_EQ(form->KeyPresser().OnSwitch().Hint(), L"Send KeyCode");
    EXPECT_EQ(form->Reloader().MinutesBox().Hint(), L"1 .. 60");
    const std::pair<ui::Button*, const wchar_t*> buttons[] = {
        {&form->ButtonDeskTop, L"To DeskTop"},  {&form->ButtonStartMenu, L"To StartMenu"},
        {&form->ButtonStartUp, L"To StartUp"},  {&form->ButtonHelp, L"Show HelpFile"},
        {&form->ButtonAbout, L"About Version"}, {&form->ButtonProperties, L"Show Properties"},
        {&form->ButtonDonation, L"Donation"},   {&form->ButtonHomeSite, L"Home Site"}};
    for (const auto& [button, hint] : buttons) EXPECT_EQ(button->Hint(), hint) << button->Text();
    // Hints follow the switch, which is off with the check box.
    EXPECT_FALSE(app.ShowHint());
    form->CheckBoxHint.SetChecked(true);
    EXPECT_TRUE(app.ShowHint());
    form->CheckBoxHint.SetChecked(false);
    EXPECT_FALSE(app.ShowHint());
}

TEST_F(MainWindowTest, KeyCodeListStartsAt9FAndAClickKeepsOneCheckMark) {
    ASSERT_EQ(form->KeyCodeList.Count(), 256);
    EXPECT_EQ(form->KeyCodeList.Item(0), L"00    (Undefined)");
    EXPECT_EQ(form->KeyCodeList.Item(255), L"FF    (Undefined)");
    EXPECT_EQ(form->KeyCodeList.ItemIndex(), 0x9F);
    EXPECT_EQ(form->SelectedKeyCode(), 0x9F);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(form->KeyCodeList.CheckedAt(i), i == 0x9F) << i;

    // The user selects row 0D: the list notifies its click.
    form->KeyCodeList.SetItemIndex(0x0D);
    SendMessageW(form->KeyCodeList.Parent()->Handle(), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(form->KeyCodeList.Handle()));
    for (int i = 0; i < 256; ++i) EXPECT_EQ(form->KeyCodeList.CheckedAt(i), i == 0x0D) << i;
    EXPECT_EQ(form->SelectedKeyCode(), 0x0D);

    // The space bar takes the check mark off; the selected row still gives the code.
    SendMessageW(form->KeyCodeList.Handle(), WM_CHAR, L' ', 0);
    EXPECT_FALSE(form->KeyCodeList.CheckedAt(0x0D));
    EXPECT_EQ(form->SelectedKeyCode(), 0x0D);
}

TEST_F(MainWindowTest, StoredKeyCodesSelectTheirRows) {
    form->SelectStoredKeyCode(L"74");
    EXPECT_EQ(form->KeyCodeList.Item(form->KeyCodeList.ItemIndex()), L"74  VK_F5  [F5] Browser Reload");
    EXPECT_TRUE(form->KeyCodeList.CheckedAt(0x74));
    EXPECT_EQ(form->SelectedKeyCode(), 0x74);
    // A code no row matches leaves no row selected; the worker then presses 9F.
    form->KeyCodeListClick(form.get());
    form->SelectStoredKeyCode(L"1FF");
    EXPECT_EQ(form->KeyCodeList.ItemIndex(), -1);
    EXPECT_EQ(form->SelectedKeyCode(), 0x9F);
}

TEST_F(MainWindowTest, ClockPanelShowsDateAndTimeEachRun) {
    clock.now = DateTime::FromParts(2025, 1, 2, 3, 4, 59).value();
    form->ClockTick(&form->ClockTimer);
    EXPECT_EQ(form->StatusPanels.PanelText(0), L"2025/01/02  03:04");
}

// The clock lets pending messages run inside its tick; a box that one of them opens (here the
// close question) must not stop the clock while it is open.
TEST_F(MainWindowTest, TheClockGoesOnWhileABoxOpenedInsideItsOwnTickIsOpen) {
    form->CheckBoxCloseQuery.SetChecked(true);
    dialogs.answers = {IDNO};
    const ui::Event clockTick = form->ClockTimer.OnTimer;
    bool closeAsked = false;
    form->ClockTimer.OnTimer = [&](ui::Object* sender) {
        if (!closeAsked) {
            closeAsked = true;  // the user's click on the close button arrives during the tick
            PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
        }
        clockTick(sender);
    };
    auto pumpUntil = [](const std::function<bool()>& done, DWORD ms) {
        const DWORD start = GetTickCount();
        while (!done() && GetTickCount() - start < ms) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    };
    std::wstring clockWhileOpen;
    dialogs.whileOpen = [&] {
        clock.now = DateTime::FromParts(2026, 1, 2, 3, 4).value();
        pumpUntil([&] { return form->StatusPanels.PanelText(0) == L"2026/01/02  03:04"; }, 3000);
        clockWhileOpen = form->StatusPanels.PanelText(0);
    };
    pumpUntil([&] { return !dialogs.shown.empty(); }, 3000);
    form->ClockTimer.OnTimer = clockTick;
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, L"終了してもよいですか？");
    EXPECT_EQ(clockWhileOpen, L"2026/01/02  03:04");
    EXPECT_FALSE(form->Closed());
}

TEST_F(MainWindowTest, IdleTimeIsHeldThenFollowedOnPanelAndTaskButton) {
    // The user was away 12 min 34 s, then moves the mouse.
    input.lastInput = input.tick;
    input.Advance(754'000);
    form->ClockTick(&form->ClockTimer);
    EXPECT_EQ(form->StatusPanels.PanelText(3), L"12:34");
    EXPECT_EQ(app.Title(), L"カタコト号 12:34");
    form->CheckBoxIdleOnTaskButton.SetChecked(false);
    EXPECT_EQ(app.Title(), L"カタコト号");

    input.UserInput();
    input.Advance(10'900);
    form->ClockTick(&form->ClockTimer);
    EXPECT_EQ(form->IdleElapsed(), 10'900);
    EXPECT_EQ(form->StatusPanels.PanelText(3), L"12:34");  // held

    form->CheckBoxIdleOnTaskButton.SetChecked(true);
    input.Advance(100);
    form->ClockTick(&form->ClockTimer);
    EXPECT_EQ(form->StatusPanels.PanelText(3), L"0:11");
    EXPECT_EQ(app.Title(), L"カタコト号 0:11");

    // Off: each update empties the panel; the click handler resets the title at once.
    form->CheckBoxIdleOnForm.SetChecked(false);
    EXPECT_EQ(form->StatusPanels.PanelText(3), L"");
    input.Advance(1'000);
    form->ClockTick(&form->ClockTimer);
    EXPECT_EQ(form->StatusPanels.PanelText(3), L"");
    EXPECT_EQ(app.Title(), L"カタコト号 0:12");
    form->CheckBoxIdleOnTaskButton.SetChecked(false);
    EXPECT_EQ(app.Title(), L"カタコト号");
}

TEST_F(MainWindowTest, InjectedInputDoesNotRestartTheIdleTime) {
    input.UserInput();
    input.Advance(1'000);
    form->ClockTick(&form->ClockTimer);  // sees the user's input
    input.Advance(69'000);
    // A worker presses, waits a second and records the tick as its own.
    const KeyStroke press[] = {{0x9F, 0}, {0x9F, KEYEVENTF_KEYUP}};
    input.SendKeys(press);
    input.Sleep(1'000);
    form->SetOwnLastInput(input.lastInput);
    form->ClockTick(&form->ClockTimer);
    EXPECT_EQ(form->StatusPanels.PanelText(3), L"1:11");
}

TEST_F(MainWindowTest, ResizingSharesOutTabsPanelsAndIntervalBoxes) {
    // The page control at the design width of 378: eight tab widths, one per page and one spare.
    SizeWindowSo(form->Pages.Width(), 378);
    ASSERT_EQ(form->Pages.Width(), 378);
    RECT tab{};
    ASSERT_TRUE(TabCtrl_GetItemRect(form->Pages.Handle(), 0, &tab));
    EXPECT_EQ(tab.right - tab.left, 47);

    // The clock panel: its text plus one fifth; the other three share the rest equally.
    const int clientWidth = form->ClientWidth();
    const int text = form->StatusPanels.TextWidth(form->StatusPanels.PanelText(0));
    ASSERT_GT(text, 50);
    const std::vector<int> widths = PanelWidths();
    ASSERT_EQ(widths.size(), 4u);
    EXPECT_EQ(widths[0], text * 12 / 10);
    for (int panel = 1; panel <= 3; ++panel) EXPECT_EQ(widths[panel], (clientWidth - widths[0]) / 3) << panel;

    // The interval boxes (edit and spin buttons): a fifth of the key-press panel each, the
    // reload box in its own panel too.
    const int box = form->GridPanelSendKey.ClientWidth() / 5;
    EXPECT_EQ(form->KeyPresser().MinutesBox().placement.width, box);
    EXPECT_EQ(form->Reloader().MinutesBox().placement.width, box);
    EXPECT_EQ(form->NumberBoxDeviationRate.placement.width, box);
    EXPECT_EQ(form->Reloader().MinutesBox().Width(), form->KeyPresser().MinutesBox().Width());  // as laid out on screen

    // Wider: everything follows.
    SizeWindowSo(form->Pages.Width(), 560);
    ASSERT_TRUE(TabCtrl_GetItemRect(form->Pages.Handle(), 0, &tab));
    EXPECT_EQ(tab.right - tab.left, 70);
    EXPECT_EQ(PanelWidths()[1], (form->ClientWidth() - widths[0]) / 3);
    EXPECT_EQ(form->Reloader().MinutesBox().placement.width, form->GridPanelSendKey.ClientWidth() / 5);
}

TEST_F(MainWindowTest, TheHintCheckBoxStaysCentredInItsCell) {
    ASSERT_EQ(form->CheckBoxHint.placement.width, 106);  // at 96 dots per inch
    SizeWindowSo(form->GridPanelHelp.ClientWidth(), 370);
    ASSERT_EQ(form->GridPanelHelp.ClientWidth(), 370);
    EXPECT_EQ(form->CheckBoxHint.placement.margins.left, 39);
}

TEST_F(MainWindowTest, ANarrowWindowLeavesNoNegativeWidthsOrMargins) {
    // So narrow that the clock panel is wider than the window (a long clock text, as large
    // fonts make it) and the help cell narrower than the hint check box: the formulas go
    // below zero.
    form->StatusPanels.SetPanelText(0, L"2025/10/09  14:05  2025/10/09  14:05");
    SizeWindowSo(form->ClientWidth(), 60);
    ASSERT_LT(form->ClientWidth(), form->StatusPanels.TextWidth(form->StatusPanels.PanelText(0)));
    ASSERT_LT(form->GridPanelHelp.ClientWidth() / 2, form->CheckBoxHint.placement.width);
    for (int width : PanelWidths()) EXPECT_GE(width, 0);
    EXPECT_GE(form->KeyPresser().MinutesBox().placement.width, 0);
    EXPECT_EQ(form->CheckBoxHint.placement.margins.left, 0);
    // And back to a usable size with nothing lost.
    SizeWindowSo(form->Pages.Width(), 378);
    const std::vector<int> widths = PanelWidths();
    ASSERT_EQ(widths.size(), 4u);
    EXPECT_GT(widths[1], 0);
    EXPECT_EQ(widths[1], widths[3]);
}

}  // namespace
}  // namespace tw
