// Start-up runs to its end before anything else runs: a settings file that cannot be read is
// reported once start-up is complete, and the workers, whose timers run while the message is
// open, neither press nor restart. The window then runs with the defaults.
#include "form_fixture.h"

namespace tw {
namespace {

class StartupTest : public test::FormFixture {
protected:
    // The error display as a user meets it: a box whose loop runs the program's timers while
    // the user reads it.
    std::vector<std::wstring> shown;
    int openBoxes = 0;
    int mostOpenAtOnce = 0;
    std::function<void(const std::wstring&)> recording;

    void SetUp() override {
        FormFixture::SetUp();
        ui::Application& app = ui::Application::Instance();
        recording = app.errorDisplay;
        app.errorDisplay = [this](const std::wstring& message) {
            shown.push_back(message);
            if (openBoxes >= 3) return;  // boxes stacking without end: enough seen
            ++openBoxes;
            mostOpenAtOnce = std::max(mostOpenAtOnce, openBoxes);
            ui::ModalScope modal;
            Pump(1300);
            --openBoxes;
        };
    }
    void TearDown() override {
        ui::Application::Instance().errorDisplay = recording;
        FormFixture::TearDown();
    }

    // Lets the thread's messages (the timers among them) be handled for a while.
    static void Pump(DWORD ms) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < ms) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }

    void ExpectTheDefaults() {
        EXPECT_EQ(form->PageControl1.ActivePageIndex(), 1);
        EXPECT_EQ(form->NumberBox1.Value(), 1);
        EXPECT_EQ(form->NumberBox2.Value(), 5);
        EXPECT_EQ(form->Interval2, 300'000);
        EXPECT_TRUE(form->CheckBoxTaskButton1.Checked());
        EXPECT_TRUE(form->Timer1.Enabled());
        EXPECT_FALSE(form->Timer2.Enabled());
        EXPECT_EQ(form->LII1.cbSize, sizeof(LASTINPUTINFO));
    }
};

TEST_F(StartupTest, AFolderInPlaceOfTheSettingsFileIsReportedOnceStartUpIsCompleteAndNothingIsPressed) {
    ASSERT_TRUE(CreateDirectoryW(BesideIni().c_str(), nullptr));
    Start();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find(BesideIni()), std::wstring::npos);
    EXPECT_TRUE(input.keys.empty());
    EXPECT_TRUE(shell.launches.empty());
    EXPECT_EQ(shell.terminated, 0);
    ExpectTheDefaults();

    // It runs: three idle minutes bring one press, which registers.
    input.Advance(3 * 60'000);
    form->Timer1Timer(&form->Timer1);
    ASSERT_EQ(input.keys.size(), 2u);
    EXPECT_EQ(input.keys[0].key, 0x9F);
    EXPECT_EQ(shell.terminated, 0);
    form->Close();
    EXPECT_TRUE(form->Closed());
    EXPECT_TRUE(Exists(UserIni()));  // saved where the user's file belongs
    EXPECT_EQ(shown.size(), 1u);
}

TEST_F(StartupTest, AFileOverTheLimitIsReportedOnceAndNoSaveReplacesIt) {
    {
        WriteBytes(UserIni(), "");
        HANDLE file = CreateFileW(UserIni().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        LARGE_INTEGER size{};
        size.QuadPart = 64ll * 1024 * 1024 + 1;
        SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
        CloseHandle(file);
    }
    auto fileSize = [this] {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExW(UserIni().c_str(), GetFileExInfoStandard, &data);
        return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    };
    const std::uint64_t before = fileSize();
    Start();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find(UserIni()), std::wstring::npos);
    EXPECT_TRUE(input.keys.empty());
    ExpectTheDefaults();

    // Injected input stops registering: the worker's restart cannot save, says so, and stays.
    // Its timer goes on ticking while that message is open; it must not start over inside it.
    input.injectedInputRegisters = false;
    input.Advance(3 * 60'000);
    Pump(3000);
    EXPECT_GE(shown.size(), 2u);
    EXPECT_EQ(mostOpenAtOnce, 1);
    EXPECT_TRUE(shell.launches.empty());
    EXPECT_EQ(shell.terminated, 0);
    EXPECT_EQ(fileSize(), before);

    // The user's close: one message, the file as it was, the window open.
    form->CheckBoxSendKey.SetChecked(false);
    const size_t seen = shown.size();
    SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(shown.size(), seen + 1);
    EXPECT_FALSE(form->Closed());
    EXPECT_EQ(fileSize(), before);
}

}  // namespace
}  // namespace tw
