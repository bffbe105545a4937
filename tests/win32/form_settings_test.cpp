// The settings file as the main window reads it at start and writes it at close.
#include "form_fixture.h"

namespace tw {
namespace {

class SettingsFileTest : public test::FormFixture {
protected:
    std::string Expected(const std::string& option) {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof(wp);
        GetWindowPlacement(form->Handle(), &wp);
        auto n = [](long v) { return std::to_string(v); };
        std::string ini = Narrow(UserIni()), folder = Narrow(root + L"\\Program\\");
        return "[PROGRAM]\r\nName=Tapwhile.exe\r\nPath=" + folder + "\r\nVersion=V2.9\r\nIniFile=" + ini +
               "\r\nLastClose=2025/10/09 14:05:00\r\n\r\n[POSITION]\r\nFlags=" + n(wp.flags) +
               "\r\nShowCmd=" + n(wp.showCmd) + "\r\nMaxX=" + n(wp.ptMaxPosition.x) +
               "\r\nMaxY=" + n(wp.ptMaxPosition.y) + "\r\nLeft=" + n(wp.rcNormalPosition.left) +
               "\r\nTop=" + n(wp.rcNormalPosition.top) + "\r\nRight=" + n(wp.rcNormalPosition.right) +
               "\r\nBottom=" + n(wp.rcNormalPosition.bottom) + "\r\nState=0\r\n\r\n" + option;
    }
    static std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }
};

const char kDefaultOption[] =
    "[OPTION]\r\nCloseQuery=0\r\nSaveStatus=1\r\nUseTrayIcon=0\r\nSendKey=1\r\nSendKeyUntouch=1\r\nSendKeyWait=1\r\n"
    "SendKeyCode=9F\r\nNormalDistribution=1\r\nStandardDeviationRate=10\r\nSendReload=0\r\nSendReloadUntouch=0\r\n"
    "SendReloadWait=5\r\nStyleName=Windows\r\nShowUnUse=1\r\nTaskButton=1\r\nHoldUnUse=10\r\nShowHint=0\r\n\r\n";

TEST_F(SettingsFileTest, AFirstCloseWritesTheSectionsInOrderAsAnsiText) {
    Start();
    std::string expected = Expected(kDefaultOption);
    form->Close();
    ASSERT_TRUE(form->Closed());
    std::optional<std::string> saved = ReadBytes(UserIni());
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved, expected);
}

TEST_F(SettingsFileTest, MinutesTypedInFullWidthDigitsAreSavedAsTheirValue) {
    Start();
    auto typeIn = [](ui::NumberBox& box, const std::wstring& text) {
        SendMessageW(box.Handle(), EM_SETSEL, 0, -1);
        for (wchar_t c : text) SendMessageW(box.Handle(), WM_CHAR, c, 0);
    };
    typeIn(form->KeyPresser().MinutesBox(), L"\xFF11\xFF15");
    typeIn(form->Reloader().MinutesBox(),
           L"\xFF12"
           L"0");
    EXPECT_EQ(form->KeyPresser().Interval(), 15 * 60'000);
    EXPECT_EQ(form->Reloader().Interval(), 20 * 60'000);
    form->Close();
    ASSERT_TRUE(form->Closed());
    std::optional<std::string> saved = ReadBytes(UserIni());
    ASSERT_TRUE(saved);
    EXPECT_NE(saved->find("\r\nSendKeyWait=15\r\n"), std::string::npos) << *saved;
    EXPECT_NE(saved->find("\r\nSendReloadWait=20\r\n"), std::string::npos) << *saved;
}

TEST_F(SettingsFileTest, OptionsAreReadInTheirOrderAndFireTheHandlersAsAUsersChangeWould) {
    WriteBytes(UserIni(),
               "[option]\r\nsendkeywait=$1F\r\nStandardDeviationRate=0x0\r\nSendKeyCode=0\r\nCloseQuery=2\r\n"
               "UseTrayIcon=yes\r\nSendReload=1\r\nSendReloadWait=0x1F\r\nHoldUnUse=31\r\nShowHint=1\r\n");
    Start();
    EXPECT_EQ(form->KeyPresser().MinutesBox().Value(), 31);
    EXPECT_EQ(form->NumberBoxDeviationRate.Value(), 0);
    EXPECT_EQ(form->KeyPresser().Interval(), 31 * 60'000);  // a rate of 0 draws exactly the minutes
    EXPECT_EQ(form->KeyCodeList.ItemIndex(), 0);
    EXPECT_TRUE(form->CheckBoxCloseQuery.Checked());  // 2 is true
    EXPECT_FALSE(form->CheckBoxTrayIcon.Checked());   // "yes" gives the default
    EXPECT_TRUE(form->Reloader().OnSwitch().Checked());
    EXPECT_TRUE(form->Reloader().TickTimer().Enabled());
    EXPECT_EQ(form->Reloader().Interval(), 31 * 60'000);
    EXPECT_EQ(form->NumberBoxIdleHold.Value(), 30);  // clamped to the box's range
    EXPECT_TRUE(ui::Application::Instance().ShowHint());
    form->CheckBoxHint.SetChecked(false);
}

TEST_F(SettingsFileTest, UnchangedValuesRunNoHandler) {
    WriteBytes(UserIni(), "[OPTION]\r\nSendKeyWait=1\r\nStandardDeviationRate=1\r\nSendReloadWait=1\r\n");
    Start();
    EXPECT_EQ(form->KeyPresser().Interval(), 0);  // the first run presses at once; the press sets the next
    // The reload worker never sets its interval itself: it takes the minutes at start.
    EXPECT_EQ(form->Reloader().Interval(), 60'000);
}

TEST_F(SettingsFileTest, StoredKeyCodesSelectRows) {
    struct Case {
        const char* stored;
        int row;
    } cases[] = {{"9f", 0x9F}, {"XYZ", 0x9F}, {"A", 0x0A}, {"74", 0x74}, {"1FF", -1}, {"", 0x9F}};
    for (const Case& c : cases) {
        WriteBytes(UserIni(), std::string("[OPTION]\r\nSendKeyCode=") + c.stored + "\r\n");
        Start();
        EXPECT_EQ(form->KeyCodeList.ItemIndex(), c.row) << c.stored;
        if (c.row >= 0) {
            EXPECT_TRUE(form->KeyCodeList.CheckedAt(c.row)) << c.stored;
        }
        form.reset();
    }
}

TEST_F(SettingsFileTest, MissingPositionKeysTakeTheirDefaults) {
    // Right and Bottom default to twice Left and Top as read (Top is read first).
    WriteBytes(UserIni(), "[POSITION]\r\nTop=100\r\nLeft=300\r\n");
    Start();
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    GetWindowPlacement(form->Handle(), &wp);
    EXPECT_EQ(wp.rcNormalPosition.left, 300);
    EXPECT_EQ(wp.rcNormalPosition.top, 100);
    EXPECT_EQ(wp.rcNormalPosition.right, 600);
    EXPECT_EQ(wp.rcNormalPosition.bottom, 200);
    EXPECT_FALSE(form->Showing());
}

TEST_F(SettingsFileTest, ASaveKeepsOtherSectionsAndUnknownProgramKeysAndRewritesTheRest) {
    WriteBytes(UserIni(),
               "[DATA]\r\nStale=1\r\n\r\n[PROGRAM]\r\nName=old\r\nMine=keep me\r\n\r\n[OPTION]\r\nUnknown=lost\r\n\r\n"
               "[Other]\r\nA=1\r\n");
    Start();
    form->Close();
    std::string saved = ReadBytes(UserIni()).value();
    EXPECT_EQ(saved.find("[DATA]"), std::string::npos);
    EXPECT_EQ(saved.find("Unknown=lost"), std::string::npos);
    EXPECT_NE(saved.find("[PROGRAM]\r\nName=Tapwhile.exe\r\nMine=keep me\r\nPath="), std::string::npos);
    size_t program = saved.find("[PROGRAM]"), other = saved.find("[Other]\r\nA=1\r\n\r\n");
    size_t position = saved.find("[POSITION]"), option = saved.find(kDefaultOption);
    EXPECT_LT(program, other);
    EXPECT_LT(other, position);
    EXPECT_LT(position, option);
    EXPECT_NE(option, std::string::npos);
}

TEST_F(SettingsFileTest, WithoutSaveStatusOnlyProgramStaysAndTheNextStartUsesDefaults) {
    Start();
    form->CheckBoxSaveStatus.SetChecked(false);
    form->CheckBoxIdleOnTaskButton.SetChecked(false);
    form->Close();
    std::string saved = ReadBytes(UserIni()).value();
    EXPECT_EQ(saved.find("[POSITION]"), std::string::npos);
    EXPECT_EQ(saved.find("[OPTION]"), std::string::npos);
    EXPECT_EQ(saved.substr(0, 9), "[PROGRAM]");
    Start();
    EXPECT_TRUE(form->CheckBoxSaveStatus.Checked());
    EXPECT_TRUE(form->CheckBoxIdleOnTaskButton.Checked());
}

TEST_F(SettingsFileTest, TheFileBesideTheProgramServesUntilTheFirstSave) {
    WriteBytes(BesideIni(), "[OPTION]\r\nSendKeyWait=7\r\n");
    Start();
    EXPECT_EQ(form->KeyPresser().MinutesBox().Value(), 7);
    form->Close();
    EXPECT_EQ(ReadBytes(BesideIni()).value(), "[OPTION]\r\nSendKeyWait=7\r\n");
    EXPECT_NE(ReadBytes(UserIni()).value().find("SendKeyWait=7\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, AUtf16FileIsWrittenBackInUtf16) {
    std::wstring text = L"[OPTION]\r\nSendKeyWait=3\r\n";
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    WriteBytes(UserIni(), bytes);
    Start();
    EXPECT_EQ(form->KeyPresser().MinutesBox().Value(), 3);
    form->Close();
    std::string saved = ReadBytes(UserIni()).value();
    ASSERT_GE(saved.size(), 4u);
    EXPECT_EQ(saved.substr(0, 4), std::string("\xFF\xFE[\0", 4));
}

TEST_F(SettingsFileTest, DamagedFilesStartWithTheDefaults) {
    std::string garbage;
    for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) % 256);
    for (const std::string& bytes : {std::string(), garbage, std::string("\xFF\xFE[\0O", 5)}) {
        WriteBytes(UserIni(), bytes);
        Start();
        EXPECT_EQ(form->Reloader().MinutesBox().Value(), 5);
        EXPECT_TRUE(form->CheckBoxIdleOnTaskButton.Checked());
        form.reset();
    }
}

TEST_F(SettingsFileTest, AReadOnlyFileFailsTheSaveWithAMessageAndKeepsTheWindowOpen) {
    WriteBytes(UserIni(), "[OPTION]\r\nSendKeyWait=2\r\n");
    SetFileAttributesW(UserIni().c_str(), FILE_ATTRIBUTE_READONLY);
    Start();
    SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form->Closed());
    const std::vector<std::wstring> errors = test::TakeShownErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find(UserIni()), std::wstring::npos);
    EXPECT_EQ(ReadBytes(UserIni()).value(), "[OPTION]\r\nSendKeyWait=2\r\n");
}

}  // namespace
}  // namespace tw
