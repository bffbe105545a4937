// The shell launch helpers and the Help page's buttons, with a recording shell and a real folder
// tree for the help file.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/tapwhile_form.h"
#include "fakes.h"
#include "platform/text.h"
#include "shell/shell_launch_win.h"

namespace tw {
namespace {

class ShellLaunchTest : public testing::Test {
protected:
    test::FakeInput input;
    test::FakeClock clock;
    test::FakeDialogs dialogs;
    test::FakeShell shell;
    test::FakePaths paths;
    TTapwhileForm form{{input, clock, dialogs, shell, paths, FormatSettings::Japanese()}};

    void SetUp() override { test::ShownErrors().clear(); }
    void TearDown() override { EXPECT_TRUE(test::ShownErrors().empty()); }

    void ExpectOneOpen(const std::wstring& file, const std::wstring& parameters) {
        ASSERT_EQ(shell.launches.size(), 1u);
        EXPECT_EQ(shell.launches[0].verb, L"open");
        EXPECT_EQ(shell.launches[0].file, file);
        EXPECT_EQ(shell.launches[0].parameters, parameters);
        EXPECT_EQ(shell.launches[0].directory, L"");
        EXPECT_EQ(shell.launches[0].show, SW_SHOWNORMAL);
        EXPECT_EQ(shell.launches[0].zone, ZoneCheck::Run);  // a downloaded document is checked
    }
};

TEST_F(ShellLaunchTest, OpenDocumentTakesAbove32AsSuccessAndReportsTheRest) {
    struct Case {
        INT_PTR result;
        bool reported;
    } cases[] = {{33, false}, {42, false}, {32, true}, {31, true}, {2, true}, {0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "ShellExecuteW returned " << c.result);
        shell.launches.clear();
        dialogs.shown.clear();
        shell.result = c.result;
        OpenDocument(shell, dialogs, L"\"C:\\a b\\Tapwhile.chm\"");
        ExpectOneOpen(L"\"C:\\a b\\Tapwhile.chm\"", L"");
        if (!c.reported) {
            EXPECT_TRUE(dialogs.shown.empty());
            continue;
        }
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].flags, 0u);  // a plain message
        // The system text is the system's own; its trimming is checked, not its words.
        const std::wstring systemText = SystemErrorText(static_cast<DWORD>(c.result));
        EXPECT_EQ(dialogs.shown[0].text, L"Open Failed " + std::to_wstring(c.result) + L"\r\n" + systemText +
                                             L"\r\n\"C:\\a b\\Tapwhile.chm\"");
    }
}

TEST_F(ShellLaunchTest, OpenWithProgramReportsFourLines) {
    shell.result = 33;
    OpenWithProgram(shell, dialogs, L"explorer.exe", L"/select,C:\\x\\カタコト号.lnk");
    ExpectOneOpen(L"explorer.exe", L"/select,C:\\x\\カタコト号.lnk");
    EXPECT_TRUE(dialogs.shown.empty());

    shell.launches.clear();
    shell.result = 2;
    OpenWithProgram(shell, dialogs, L"explorer.exe", L"/select,C:\\x\\カタコト号.lnk");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              L"OpenBy Failed 2\r\n" + SystemErrorText(2) + L"\r\nexplorer.exe\r\n/select,C:\\x\\カタコト号.lnk");
}

TEST_F(ShellLaunchTest, SystemTextHasNoTrailingBlanksLineBreaksOrFullStops) {
    for (DWORD code : {2u, 5u, 31u, 32u}) {
        const std::wstring text = SystemErrorText(code);
        if (text.empty()) continue;
        EXPECT_GT(text.back(), L' ') << code;
        EXPECT_NE(text.back(), L'.') << code;
    }
}

TEST_F(ShellLaunchTest, WebButtonsOpenTheMakersPages) {
    form.ButtonDonation.Click();
    ExpectOneOpen(AppDonationUrl, L"");
    shell.launches.clear();
    form.ButtonHomeSite.Click();
    ExpectOneOpen(AppHomeUrl, L"");
    EXPECT_TRUE(dialogs.shown.empty());
    for (const std::wstring* url : {&AppHomeUrl, &AppDonationUrl, &AppDownloadUrl})
        EXPECT_EQ(url->rfind(L"https://", 0), 0u) << *url;
}

TEST_F(ShellLaunchTest, PropertiesOfTheProgramFileAndTheirRefusal) {
    paths.programFile = L"C:\\Tapwhile\\Tapwhile.exe";
    form.ButtonProperties.Click();
    EXPECT_EQ(shell.propertiesShown, (std::vector<std::wstring>{L"C:\\Tapwhile\\Tapwhile.exe"}));
    EXPECT_TRUE(dialogs.shown.empty());

    shell.propertiesResult = false;
    form.ButtonProperties.Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, L"プロパティを表示できませんでした\r\nC:\\Tapwhile\\Tapwhile.exe");
    EXPECT_EQ(dialogs.shown[0].flags, 0u);
}

// A throwaway folder tree under the temporary folder: root\a\b holds the program file.
class ShellHelpTest : public ShellLaunchTest {
protected:
    std::wstring root;
    std::wstring a, b, sibling;

    void SetUp() override {
        ShellLaunchTest::SetUp();
        root = WinPaths().TempFolder() + L"tw_help_" + std::to_wstring(GetCurrentProcessId());
        a = root + L"\\a";
        b = a + L"\\b";
        sibling = a + L"\\c";
        for (const std::wstring* folder : {&root, &a, &b, &sibling}) CreateDirectoryW(folder->c_str(), nullptr);
        paths.programFile = b + L"\\HelpProbe.exe";
    }
    void TearDown() override {
        for (const std::wstring* folder : {&b, &sibling, &a, &root}) {
            DeleteFileW((*folder + L"\\HelpProbe.chm").c_str());
            RemoveDirectoryW((*folder + L"\\HelpProbe.chm").c_str());
            RemoveDirectoryW(folder->c_str());
        }
        ShellLaunchTest::TearDown();
    }
    static void Touch(const std::wstring& path) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot create " << testing::PrintToString(path);
        CloseHandle(file);
    }
};

TEST_F(ShellHelpTest, FoundBesideTheProgramFileOpensInQuotationMarks) {
    Touch(b + L"\\HelpProbe.chm");
    Touch(a + L"\\HelpProbe.chm");
    form.ButtonHelp.Click();
    ExpectOneOpen(L"\"" + b + L"\\HelpProbe.chm\"", L"");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ShellHelpTest, FoundInAnAncestorWhenTheNearerFolderHasOnlyAFolderOfThatName) {
    CreateDirectoryW((b + L"\\HelpProbe.chm").c_str(), nullptr);
    Touch(a + L"\\HelpProbe.chm");
    form.ButtonHelp.Click();
    ExpectOneOpen(L"\"" + a + L"\\HelpProbe.chm\"", L"");
}

TEST_F(ShellHelpTest, NeverFoundInASiblingFolderAndTheMessageNamesTheFileAlone) {
    Touch(sibling + L"\\HelpProbe.chm");
    form.ButtonHelp.Click();
    EXPECT_TRUE(shell.launches.empty());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, L"HelpFile Not Found.\r\n\r\nHelpProbe.chm");
    EXPECT_EQ(dialogs.shown[0].flags, 0u);
}

TEST_F(ShellHelpTest, AFailedLaunchShowsThePathWithItsQuotationMarks) {
    Touch(b + L"\\HelpProbe.chm");
    shell.result = 31;
    form.ButtonHelp.Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              L"Open Failed 31\r\n" + SystemErrorText(31) + L"\r\n\"" + b + L"\\HelpProbe.chm\"");
}

}  // namespace
}  // namespace tw
