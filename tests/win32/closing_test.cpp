// Closing with and without the question, the end of the session, and the self-restart with its
// hand-over to the next instance.
#include "form_fixture.h"

namespace tw {
namespace {

class ClosingTest : public test::FormFixture {};

TEST_F(ClosingTest, WithoutTheOptionClosingNeverAsksAndSaves) {
    Start().Close();
    EXPECT_TRUE(form->Closed());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(Exists(UserIni()));
}

TEST_F(ClosingTest, NoKeepsTheWindowAndTheFileUntouchedYesClosesAndSaves) {
    WriteBytes(UserIni(), "[OPTION]\r\nCloseQuery=1\r\n");
    Start();
    ui::Application::Instance().SetTitle(L"カタコト号 12:34");
    dialogs.answers = {IDNO, IDYES};
    SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form->Closed());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, L"終了してもよいですか？");
    EXPECT_EQ(dialogs.shown[0].flags, 0x24u);
    EXPECT_EQ(ReadBytes(UserIni()).value(), "[OPTION]\r\nCloseQuery=1\r\n");

    form->ExitClick(&form->TrayMenuClose);  // the tray menu's item closes the same way
    EXPECT_TRUE(form->Closed());
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EXPECT_NE(ReadBytes(UserIni()).value().find("LastClose="), std::string::npos);
}

TEST_F(ClosingTest, ASecondCloseWhileTheQuestionIsOpenDoesNothingAndYesSavesEverySection) {
    WriteBytes(UserIni(), "[OPTION]\r\nCloseQuery=1\r\nSendKeyWait=7\r\n");
    Start();
    ui::Application& app = ui::Application::Instance();
    app.SetMainForm(form.get());
    form->NumberBoxIdleHold.SetValue(20);
    bool reached = false;
    dialogs.whileOpen = [&] {
        if (reached) return;  // once: a broken guard would ask again and again
        reached = true;
        // The task bar's "close window", a close message and the tray menu's item.
        SendMessageW(app.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        SendMessageW(app.Handle(), WM_CLOSE, 0, 0);
        form->ExitClick(&form->TrayMenuClose);
        EXPECT_FALSE(form->Closed());
        EXPECT_TRUE(IsWindow(form->Handle()));
    };
    SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the main window's end posted it
    app.SetMainForm(nullptr);

    EXPECT_TRUE(reached);
    EXPECT_TRUE(form->Closed());
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(test::ShownErrors().empty());
    std::string saved = ReadBytes(UserIni()).value();
    for (const char* expected : {"[PROGRAM]\r\n", "[POSITION]\r\n", "[OPTION]\r\n", "CloseQuery=1\r\n",
                                 "SendKeyWait=7\r\n", "HoldUnUse=20\r\n", "SendKeyCode=9F\r\n"}) {
        EXPECT_NE(saved.find(expected), std::string::npos) << expected;
    }
}

TEST_F(ClosingTest, TheEndOfTheSessionNeverAsksAndAnswersWithTheSave) {
    WriteBytes(UserIni(), "[OPTION]\r\nCloseQuery=1\r\n");
    Start();
    EXPECT_EQ(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, 0), 1);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_FALSE(form->EndingSession());
    EXPECT_NE(ReadBytes(UserIni()).value().find("[PROGRAM]"), std::string::npos);

    SetFileAttributesW(UserIni().c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, 0), 0);  // the save failed
    EXPECT_EQ(test::TakeShownErrors().size(), 1u);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ClosingTest, ASelfRestartHandsHistoryCountersAndPageToTheNextInstance) {
    WriteBytes(UserIni(), "[Other]\r\nA=1\r\n\r\n[OPTION]\r\nSaveStatus=0\r\n");
    Start();
    form->Pages.SetActivePageIndex(3);
    clock.now = DateTime::FromParts(2025, 10, 9, 14, 6, 0).value();
    form->AddLog(L"#1 $9F");
    form->AddLog(L"#2 $9F");
    form->KeyPresser().SetCount(2);
    form->Reloader().SetCount(4);
    form->SelfRestart();

    EXPECT_EQ(shell.terminated, 1);
    ASSERT_EQ(shell.launches.size(), 1u);
    EXPECT_EQ(shell.launches[0].verb, L"open");
    EXPECT_EQ(shell.launches[0].file, paths.programFile);
    EXPECT_EQ(shell.launches[0].show, SW_SHOWNORMAL);
    EXPECT_EQ(shell.launches[0].zone, ZoneCheck::Skip);  // a downloaded copy restarts unasked
    std::wstring handOver = form->HandOverFile();
    ASSERT_EQ(handOver.rfind(paths.temp, 0), 0u);
    EXPECT_EQ(ReadBytes(handOver).value(), "2025/10/09 14:06:00 #1 $9F\r\n2025/10/09 14:06:00 #2 $9F\r\n");
    std::string saved = ReadBytes(UserIni()).value();
    EXPECT_NE(saved.find("SaveStatus=1"), std::string::npos);
    EXPECT_NE(saved.find("[DATA]\r\nPrevLogFileName="), std::string::npos);
    EXPECT_NE(saved.find("Count1=2\r\nCount2=4\r\nPrevPage=3\r\n"), std::string::npos);
    EXPECT_NE(saved.find("AttachTime=2025/10/09 14:05:00\r\n"), std::string::npos);
    // The sections that stay keep their place; the options written after the hand-over data
    // still go into OPTION, and DATA comes last.
    size_t other = saved.find("[Other]\r\nA=1\r\n\r\n"), program = saved.find("[PROGRAM]");
    size_t position = saved.find("[POSITION]"), option = saved.find("[OPTION]\r\nCloseQuery=");
    EXPECT_EQ(other, 0u);
    EXPECT_LT(other, program);
    EXPECT_LT(program, position);
    EXPECT_LT(position, option);
    EXPECT_NE(saved.find("SendReloadWait=5\r\nStyleName=Windows\r\nShowUnUse=1\r\nTaskButton=1\r\nHoldUnUse=10\r\n"
                         "ShowHint=0\r\n\r\n[DATA]\r\nPrevLogFileName="),
              std::string::npos);

    // The successor.
    form.reset();
    clock.now = DateTime::FromParts(2025, 10, 9, 14, 6, 2).value();
    Start();
    ASSERT_EQ(form->HistoryMemo.LineCount(), 2);
    EXPECT_EQ(form->HistoryMemo.Lines()[1], L"2025/10/09 14:06:00 #2 $9F");
    EXPECT_FALSE(Exists(handOver));
    EXPECT_TRUE(form->HandOverFile().empty());
    EXPECT_EQ(form->KeyPresser().Count(), 2);
    EXPECT_EQ(form->Reloader().Count(), 4);
    EXPECT_EQ(form->Pages.ActivePageIndex(), 3);
    EXPECT_EQ(form->KeyPresser().CountLabel().Text(), L"");
    EXPECT_TRUE(form->CheckBoxSaveStatus.Checked());
    EXPECT_EQ(form->PredecessorClose(), DateTime::FromParts(2025, 10, 9, 14, 6, 0).value());
    EXPECT_EQ(form->AttachTime(), DateTime::FromParts(2025, 10, 9, 14, 5, 0).value());
}

TEST_F(ClosingTest, AnEmptyHistoryHandsOverAnEmptyFile) {
    Start().SelfRestart();
    std::wstring handOver = form->HandOverFile();
    EXPECT_EQ(ReadBytes(handOver).value(), "");
    form.reset();
    Start();
    EXPECT_EQ(form->HistoryMemo.LineCount(), 0);
    EXPECT_FALSE(Exists(handOver));
}

TEST_F(ClosingTest, ASuccessorThatCannotStartIsReportedAndTheInstanceEndsAnyway) {
    shell.result = 2;
    Start().SelfRestart();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    const std::wstring& text = dialogs.shown[0].text;
    EXPECT_EQ(text.substr(0, text.find(L"\r\n")), L"Self Restart Failed 2");
    EXPECT_EQ(text.substr(text.rfind(L"\r\n") + 2), paths.programFile);
    EXPECT_EQ(dialogs.shown[0].flags, 0u);
    EXPECT_EQ(shell.terminated, 1);
}

TEST_F(ClosingTest, AHandOverPathOutsideTheTempFolderIsNeitherReadNorDeleted) {
    std::wstring elsewhere = root + L"\\Program\\tmp1234.tmp";
    WriteBytes(elsewhere, "2025/10/09 14:00:00 #1 $9F\r\n");
    std::string ini = "[DATA]\r\nPrevLogFileName=" + std::string(elsewhere.begin(), elsewhere.end()) +
                      "\r\nCount1=9\r\nPrevPage=3\r\n";
    WriteBytes(UserIni(), ini);
    Start();
    EXPECT_EQ(form->HistoryMemo.LineCount(), 0);
    EXPECT_TRUE(Exists(elsewhere));
    EXPECT_EQ(form->HandOverFile(), elsewhere);
    EXPECT_EQ(form->KeyPresser().Count(), 0);
    EXPECT_EQ(form->Pages.ActivePageIndex(), 6);  // the definition's page, as for a file that is gone
    form->Close();
    EXPECT_NE(ReadBytes(UserIni()).value().find("PrevLogFileName="), std::string::npos);  // saved again
}

TEST_F(ClosingTest, AHandOverFileThatCannotBeReadIsReportedAndTheStartGoesOn) {
    const std::wstring handOver = paths.temp + L"tmp5A1.tmp";
    WriteBytes(handOver, "2025/10/09 14:00:00 #1 $9F\r\n");
    WriteBytes(UserIni(), "[DATA]\r\nPrevLogFileName=" + std::string(handOver.begin(), handOver.end()) +
                              "\r\nCount1=9\r\nCount2=3\r\nPrevPage=3\r\n");
    // Another program holds the file open for itself alone.
    HANDLE held = CreateFileW(handOver.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Start();
    CloseHandle(held);
    const std::vector<std::wstring> errors = test::TakeShownErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find(handOver), std::wstring::npos) << testing::PrintToString(errors[0]);
    // The counters and the page still come over; the history that could not be read does not.
    EXPECT_EQ(form->KeyPresser().Count(), 9);
    EXPECT_EQ(form->Reloader().Count(), 3);
    EXPECT_EQ(form->Pages.ActivePageIndex(), 3);
    EXPECT_EQ(form->HistoryMemo.LineCount(), 0);
    // The window works on: its clock runs and a press becomes a history line.
    form->ClockTick(&form->ClockTimer);
    form->AddLog(L"#10 $9F");
    EXPECT_EQ(form->HistoryMemo.LineCount(), 1);
}

}  // namespace
}  // namespace tw
