// The history page and its summary as the main window keeps them.
#include <gtest/gtest.h>

#include "form_fixture.h"

namespace tw {
namespace {

class HistoryTest : public test::FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        Start();
        form->SetAttachTime(At(14, 0, 0));
    }
    static DateTime At(int h, int m, int s) { return DateTime::FromParts(2025, 10, 9, h, m, s).value(); }
};

TEST_F(HistoryTest, OnlyHashMessagesBecomeTimeStampedLinesAndEachRebuildsTheSummary) {
    clock.now = At(14, 3, 27);
    form->AddLog(L"dw=1000,Diff1=61000,Interval1=60000");
    form->AddLog(L"");
    EXPECT_EQ(form->HistoryMemo.LineCount(), 0);
    EXPECT_EQ(form->SummaryMemo.LineCount(), 0);  // no rebuild either

    form->AddLog(L"#12 $9F");
    clock.now = At(14, 35, 0);
    form->AddLog(L"#5 $74 [F5] Key");
    ASSERT_EQ(form->HistoryMemo.LineCount(), 2);
    EXPECT_EQ(form->HistoryMemo.Lines()[0], L"2025/10/09 14:03:27 #12 $9F");
    EXPECT_EQ(form->HistoryMemo.Lines()[1], L"2025/10/09 14:35:00 #5 $74 [F5] Key");
    EXPECT_EQ(form->SummaryMemo.AllText(), L"2025/10/09 14:00-14:29 * 1\r\n2025/10/09 14:30-14:59 * 1");
    // The edit control shows exactly what the memo holds.
    EXPECT_EQ(form->HistoryMemo.Text(), form->HistoryMemo.AllText());
    EXPECT_EQ(form->BornTime(), At(14, 0, 0));
}

TEST_F(HistoryTest, TheHistoryGrowsPastTheEditControlsDefaultLimit) {
    std::vector<std::wstring> lines(100'000, L"2025/10/09 13:00:00 #1 $9F after 00:00:57.600 96.0%");
    form->HistoryMemo.SetLines(lines);
    clock.now = At(14, 3, 27);
    form->AddLog(L"#100001 $9F");
    ASSERT_EQ(form->HistoryMemo.LineCount(), 100'001);
    EXPECT_EQ(GetWindowTextLengthW(form->HistoryMemo.Handle()), static_cast<int>(form->HistoryMemo.AllText().size()));
    EXPECT_EQ(form->HistoryMemo.Lines().back(), L"2025/10/09 14:03:27 #100001 $9F");
    EXPECT_EQ(form->SummaryMemo.AllText(), L"2025/10/09 14:00-14:29 * 1");
}

// A line added keeps what the user selected; a caret at the end, where it waits after the text
// is set, follows the end.
TEST_F(HistoryTest, ALineAddedKeepsTheSelectionAndACaretAtTheEndFollowsIt) {
    const HWND memo = form->HistoryMemo.Handle();
    auto selection = [memo] {
        DWORD start = 0, end = 0;
        SendMessageW(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return std::pair<DWORD, DWORD>(start, end);
    };
    auto length = [this] { return static_cast<DWORD>(form->HistoryMemo.AllText().size()); };
    form->HistoryMemo.SetLines({L"2025/10/09 13:00:00 #1 $9F", L"2025/10/09 13:00:01 #2 $9F"});
    EXPECT_EQ(selection(), std::pair(length(), length()));
    clock.now = At(14, 3, 0);
    form->AddLog(L"#3 $9F");
    EXPECT_EQ(selection(), std::pair(length(), length()));

    const std::pair<DWORD, DWORD> kept[] = {{2, 9}, {0, 0}, {5, 5}, {0, length()}};
    for (auto [start, end] : kept) {
        SendMessageW(memo, EM_SETSEL, start, static_cast<LPARAM>(end));
        form->AddLog(L"#4 $9F");
        EXPECT_EQ(selection(), std::pair(start, end));
    }
    EXPECT_EQ(form->HistoryMemo.LineCount(), 7);
    EXPECT_EQ(form->HistoryMemo.Text(), form->HistoryMemo.AllText());
}

// The summary is the whole history's after the memo's text was replaced, not only grown.
TEST_F(HistoryTest, TheSummaryFollowsAHistoryReplacedBetweenTwoLines) {
    clock.now = At(14, 3, 0);
    form->AddLog(L"#1 $9F");
    clock.now = At(14, 35, 0);
    form->AddLog(L"#2 $9F");
    ASSERT_EQ(form->SummaryMemo.AllText(), L"2025/10/09 14:00-14:29 * 1\r\n2025/10/09 14:30-14:59 * 1");
    form->HistoryMemo.SetLines({L"2025/10/09 14:05:00 #1 $9F", L"2025/10/09 14:06:00 #2 $9F",
                                L"2025/10/09 14:07:00 #3 $9F", L"2025/10/09 14:40:00 #4 $9F"});
    clock.now = At(15, 10, 0);
    form->AddLog(L"#5 $9F");
    EXPECT_EQ(form->SummaryMemo.AllText(),
              L"2025/10/09 14:00-14:29 *** 3\r\n2025/10/09 14:30-14:59 * 1\r\n2025/10/09 15:00-15:29 * 1");
    EXPECT_EQ(form->SummaryMemo.Text(), form->SummaryMemo.AllText());
}

// A long summary filled at once would hold up the window: the first rebuild after a long
// history was taken over shows it in steps, following its end on the summary page.
TEST_F(HistoryTest, ALongSummaryFillsTheEmptyMemoInStepsAndShowsItsEnd) {
    form->SetAttachTime(DateTime::FromParts(2025, 9, 9, 14, 0, 0).value());
    form->Pages.SetActivePageIndex(4);
    form->Show();
    clock.now = At(14, 3, 0);
    form->AddLog(L"#1 $9F");
    ASSERT_GT(form->SummaryMemo.LineCount(), 1400);
    EXPECT_TRUE(form->SummaryMemo.AllText().ends_with(L"2025/10/09 14:00-14:29 * 1"));
    ASSERT_FALSE(form->SummaryMemo.ShowingAll());
    EXPECT_LT(form->SummaryMemo.Text().size(), form->SummaryMemo.AllText().size());
    for (DWORD deadline = GetTickCount() + 30'000; !form->SummaryMemo.ShowingAll() && GetTickCount() < deadline;) {
        ui::Application::Instance().ProcessMessages();
    }
    ASSERT_TRUE(form->SummaryMemo.ShowingAll());
    EXPECT_EQ(form->SummaryMemo.Text(), form->SummaryMemo.AllText());
    EXPECT_GT(form->SummaryMemo.FirstVisibleLine(), form->SummaryMemo.LineCount() - 40);
    // A later line changes only the end, at once.
    clock.now = At(14, 4, 0);
    form->AddLog(L"#2 $9F");
    EXPECT_TRUE(form->SummaryMemo.ShowingAll());
    EXPECT_TRUE(form->SummaryMemo.Text().ends_with(L"2025/10/09 14:00-14:29 ** 2"));
    EXPECT_TRUE(test::ShownErrors().empty());
}

// A long handed-over history must not hold up the start: the memo has every line at once, and
// the edit control receives them in steps while the message loop runs.
TEST_F(HistoryTest, AHandedOverHistoryIsCompleteAtOnceAndShownInStepsWhileMessagesRun) {
    form.reset();
    std::string file;
    for (int i = 1; i <= 3000; ++i) file += "2025/10/09 13:00:00 #" + std::to_string(i) + " $9F\r\n";
    std::wstring handOver = paths.temp + L"tmp1A2B.tmp";
    WriteBytes(handOver, file);
    WriteBytes(UserIni(), "[DATA]\r\nPrevLogFileName=" + std::string(handOver.begin(), handOver.end()) +
                              "\r\nAttachTime=2025/10/09 13:00:00\r\nPrevPage=3\r\n");
    clock.now = At(14, 3, 27);
    Start();
    ASSERT_EQ(form->HistoryMemo.LineCount(), 3000);
    EXPECT_EQ(form->HistoryMemo.Lines()[0], L"2025/10/09 13:00:00 #1 $9F");
    EXPECT_EQ(form->HistoryMemo.Lines().back(), L"2025/10/09 13:00:00 #3000 $9F");
    EXPECT_FALSE(Exists(handOver));
    ASSERT_FALSE(form->HistoryMemo.ShowingAll());
    EXPECT_LT(form->HistoryMemo.Text().size(), form->HistoryMemo.AllText().size());

    // A press during the load is counted at once and shown after the handed-over lines.
    form->AddLog(L"#3001 $9F");
    ASSERT_EQ(form->HistoryMemo.LineCount(), 3001);
    EXPECT_EQ(form->SummaryMemo.AllText(), L"2025/10/09 13:00-13:29 " + std::wstring(3000, L'*') +
                                               L" 3000\r\n2025/10/09 13:30-13:59  0\r\n2025/10/09 14:00-14:29 * 1");
    // While the window is hidden the edit control receives nothing; once shown, all of it.
    size_t hiddenLength = form->HistoryMemo.Text().size();
    for (DWORD until = GetTickCount() + 500; GetTickCount() < until; Sleep(10)) {
        ui::Application::Instance().ProcessMessages();
    }
    EXPECT_EQ(form->HistoryMemo.Text().size(), hiddenLength);
    form->Show();
    for (DWORD deadline = GetTickCount() + 30'000; !form->HistoryMemo.ShowingAll() && GetTickCount() < deadline;) {
        ui::Application::Instance().ProcessMessages();
    }
    ASSERT_TRUE(form->HistoryMemo.ShowingAll());
    EXPECT_EQ(form->HistoryMemo.Text(), form->HistoryMemo.AllText());
    EXPECT_EQ(form->HistoryMemo.Lines().back(), L"2025/10/09 14:03:27 #3001 $9F");
    // The log page was showing its end, so it follows the end as the lines arrive.
    EXPECT_GT(form->HistoryMemo.FirstVisibleLine(), 2900);
    EXPECT_TRUE(test::ShownErrors().empty());
}

// A text set from code during a load replaces the whole text, shown and not yet shown.
TEST_F(HistoryTest, SettingTheLinesDuringALoadEndsTheLoad) {
    form->HistoryMemo.LoadLines(std::vector<std::wstring>(5000, L"2025/10/09 13:00:00 #1 $9F"));
    ui::Application::Instance().ProcessMessages();
    form->HistoryMemo.SetLines({L"2025/10/09 13:00:00 #1 $9F", L"2025/10/09 13:00:01 #2 $9F"});
    EXPECT_TRUE(form->HistoryMemo.ShowingAll());
    for (int i = 0; i < 20; ++i) {
        Sleep(15);
        ui::Application::Instance().ProcessMessages();
    }
    EXPECT_EQ(form->HistoryMemo.Text(), L"2025/10/09 13:00:00 #1 $9F\r\n2025/10/09 13:00:01 #2 $9F");
    EXPECT_EQ(form->HistoryMemo.LineCount(), 2);
    form->HistoryMemo.Clear();
    EXPECT_EQ(form->HistoryMemo.Text(), L"");
}

TEST_F(HistoryTest, ShowingTheLogPageScrollsToTheEnd) {
    std::vector<std::wstring> lines(500, L"2025/10/09 14:00:00 #1 $9F");
    form->HistoryMemo.SetLines(lines);
    form->Pages.SetActivePageIndex(3);
    form->HistoryMemo.ScrollLines(-1000);
    ASSERT_EQ(form->HistoryMemo.FirstVisibleLine(), 0);
    form->PagesChange(&form->Pages);
    EXPECT_GT(form->HistoryMemo.FirstVisibleLine(), 450);
}

TEST_F(HistoryTest, ARebuildScrollsTheSummaryOnlyWhileItsPageShows) {
    form->SetAttachTime(DateTime::FromParts(2025, 10, 1, 0, 0, 0).value());
    clock.now = At(14, 0, 0);
    form->Pages.SetActivePageIndex(1);
    form->UpdateSummary();
    ASSERT_GT(form->SummaryMemo.LineCount(), 400);
    EXPECT_EQ(form->SummaryMemo.FirstVisibleLine(), 0);
    form->Pages.SetActivePageIndex(4);
    form->PagesChange(&form->Pages);
    int end = form->SummaryMemo.FirstVisibleLine();
    EXPECT_GT(end, 380);
    // Back on another page, a rebuild leaves the scroll position alone.
    form->Pages.SetActivePageIndex(1);
    form->SummaryMemo.ScrollLines(-100);
    int before = form->SummaryMemo.FirstVisibleLine();
    form->AddLog(L"#1 $9F");
    EXPECT_EQ(form->SummaryMemo.FirstVisibleLine(), before);
}

TEST_F(HistoryTest, ShowingTheKeyCodePageCentresTheSelectedRow) {
    form->Pages.SetActivePageIndex(2);
    ASSERT_EQ(form->KeyCodeList.ItemIndex(), 159);
    // Nine whole rows visible and part of a tenth: row 155 comes to the top.
    const HWND list = form->KeyCodeList.Handle();
    const int row = form->KeyCodeList.ItemHeight();
    RECT outer{}, inner{};
    GetWindowRect(list, &outer);
    GetClientRect(list, &inner);
    const int frame = (outer.bottom - outer.top) - inner.bottom;
    SetWindowPos(list, nullptr, 0, 0, outer.right - outer.left, frame + 9 * row + row / 2, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_EQ(form->KeyCodeList.ClientHeight() / row, 9);
    form->KeyCodeList.SetTopIndex(0);
    form->PagesChange(&form->Pages);
    EXPECT_EQ(form->KeyCodeList.TopIndex(), 155);
}

}  // namespace
}  // namespace tw
