// Start-up runs to its end before anything else runs: a settings file that cannot be read is
// reported once start-up is complete, and the workers, whose timers run while the message is
// open, neither press nor restart. The window then runs with the defaults. A file too large to
// be read is set aside beside itself, so that the window can save and close.
#include "form_fixture.h"
#include "pump.h"
#include "runtime/error.h"

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
            test::Pump(1300);
            --openBoxes;
        };
    }
    void TearDown() override {
        ui::Application::Instance().errorDisplay = recording;
        FormFixture::TearDown();
    }

    // A file of that many bytes (sparse: quick to make whatever its size).
    static void MakeFileOfSize(const std::wstring& path, std::uint64_t bytes) {
        WriteBytes(path, "");
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        LARGE_INTEGER size{};
        size.QuadPart = static_cast<LONGLONG>(bytes);
        SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
        CloseHandle(file);
    }

    void ExpectTheDefaults() {
        EXPECT_EQ(form->Pages.ActivePageIndex(), 1);
        EXPECT_EQ(form->KeyPresser().MinutesBox().Value(), 1);
        EXPECT_EQ(form->Reloader().MinutesBox().Value(), 5);
        EXPECT_EQ(form->Reloader().Interval(), 300'000);
        EXPECT_TRUE(form->CheckBoxIdleOnTaskButton.Checked());
        EXPECT_TRUE(form->KeyPresser().TickTimer().Enabled());
        EXPECT_FALSE(form->Reloader().TickTimer().Enabled());
        EXPECT_EQ(form->KeyPresser().LastInput().cbSize, sizeof(LASTINPUTINFO));
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
    form->KeyPresser().Tick();
    ASSERT_EQ(input.keys.size(), 2u);
    EXPECT_EQ(input.keys[0].key, 0x9F);
    EXPECT_EQ(shell.terminated, 0);
    form->Close();
    EXPECT_TRUE(form->Closed());
    EXPECT_TRUE(Exists(UserIni()));  // saved where the user's file belongs
    EXPECT_EQ(shown.size(), 1u);
}

TEST_F(StartupTest, AFileOverTheLimitIsSetAsideReportedOnceAndTheWindowSavesAndCloses) {
    const std::uint64_t tooLarge = 64ull * 1024 * 1024 + 1;
    ASSERT_NO_FATAL_FAILURE(MakeFileOfSize(UserIni(), tooLarge));
    auto fileSize = [](const std::wstring& path) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::uint64_t{0};
        return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    };
    const std::wstring aside = UserIni() + L".too-large";
    Start();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find(UserIni()), std::wstring::npos);
    EXPECT_NE(shown[0].find(aside), std::wstring::npos);
    EXPECT_TRUE(input.keys.empty());
    ExpectTheDefaults();
    EXPECT_EQ(fileSize(aside), tooLarge);  // nothing of it lost
    EXPECT_FALSE(Exists(UserIni()));

    // The user's close: no further message, a new settings file, the window closed.
    SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_TRUE(form->Closed());
    std::optional<std::string> saved = ReadBytes(UserIni());
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->rfind("[PROGRAM]\r\n", 0), 0u);
    EXPECT_EQ(fileSize(aside), tooLarge);
}

TEST_F(StartupTest, AFileOverTheLimitBesideAnEarlierOneSetAsideTakesTheNextName) {
    WriteBytes(UserIni() + L".too-large", "earlier");
    ASSERT_NO_FATAL_FAILURE(MakeFileOfSize(UserIni(), 64ull * 1024 * 1024 + 1));
    Start();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find(UserIni() + L".too-large-2"), std::wstring::npos);
    EXPECT_EQ(ReadBytes(UserIni() + L".too-large").value_or(""), "earlier");
    EXPECT_TRUE(Exists(UserIni() + L".too-large-2"));
}

// A start-up that fails part-way shows what it had found wrong while its window's timers stay
// unarmed: none of them may run on the half-built window while the message is open.
TEST_F(StartupTest, AStartUpThatFailsShowsItsKeptErrorsWithoutRunningTheTimers) {
    ASSERT_TRUE(CreateDirectoryW(BesideIni().c_str(), nullptr));  // a kept error: unreadable settings
    int clockReads = 0;
    bool failed = false;
    int readsAfterFailure = 0;
    clock.onNow = [&] {
        if (failed) ++readsAfterFailure;
        if (++clockReads == 2) {  // the settings' own reading of the clock
            failed = true;
            throw Error(L"start-up failed");
        }
    };
    EXPECT_THROW(Start(), Error);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find(BesideIni()), std::wstring::npos);
    EXPECT_EQ(readsAfterFailure, 0) << "a timer ran on the half-built window";
    EXPECT_FALSE(ui::Application::Instance().EventsHeld());
    // Later windows start as usual.
    clock.onNow = nullptr;
    RemoveDirectoryW(BesideIni().c_str());
    Start();
    EXPECT_TRUE(form->KeyPresser().TickTimer().Enabled());
}

}  // namespace
}  // namespace tw
