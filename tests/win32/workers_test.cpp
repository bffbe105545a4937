// The key-press simulator and the browser reloader driven through their timer handlers with
// scripted ticks and last input.
#include <algorithm>

#include "form_fixture.h"

namespace tw {
namespace {

class WorkersTest : public test::FormFixture {
protected:
    void Start(const std::string& options) {
        WriteBytes(UserIni(), "[OPTION]\r\n" + options);
        FormFixture::Start();
        input.keys.clear();
        traces.clear();
        form->OnLogMessage = [this](const std::wstring& message) { traces.push_back(message); };
    }
    // Both workers on, each measuring since its last act, both due; a browser in front.
    void StartBothDue() {
        Start(
            "StandardDeviationRate=0\r\nNormalDistribution=0\r\nSendKeyUntouch=0\r\nSendReload=1\r\n"
            "SendReloadUntouch=0\r\n");
        input.foreground = GetDesktopWindow();
        input.foregroundClass = L"Chrome_WidgetWin_1";
        form->KeyPresser().SetLastHit(input.tick - 1'000'000);
        form->Reloader().SetLastHit(input.tick - 1'000'000);
    }
    size_t Traced(const std::wstring& text) const {
        return static_cast<size_t>(std::count(traces.begin(), traces.end(), text));
    }
    std::vector<std::wstring> traces;  // every message the workers handed to AddLog
    // One tick of a worker's timer, its interval after the last.
    void RunKeyPresser() {
        input.Advance(991);
        form->KeyPresser().Tick();
    }
    void RunReloader() {
        input.Advance(983);
        form->Reloader().Tick();
    }
    std::vector<std::uint32_t> PressTicks(std::uint8_t key) const {
        std::vector<std::uint32_t> ticks;
        for (const test::KeyEvent& event : input.keys) {
            if (event.key == key && event.flags == 0) ticks.push_back(event.tick);
        }
        return ticks;
    }
    std::wstring LastLine() const { return std::wstring(form->HistoryMemo.Lines().back()); }
};

TEST_F(WorkersTest, UntouchedModePressesAMinuteAfterThePreviousPress) {
    Start("StandardDeviationRate=0\r\nNormalDistribution=0\r\n");
    input.UserInput();
    for (int i = 0; i < 200; ++i) RunKeyPresser();
    std::vector<std::uint32_t> presses = PressTicks(0x9F);
    ASSERT_GE(presses.size(), 3u);
    for (size_t i = 1; i < presses.size(); ++i) {
        std::uint32_t gap = presses[i] - presses[i - 1];
        EXPECT_GE(gap, 60'000u);
        EXPECT_LE(gap, 61'000u);
    }
    // Down and up at once, with the same code.
    EXPECT_EQ(input.keys[0].key, 0x9F);
    EXPECT_EQ(input.keys[1].key, 0x9F);
    EXPECT_EQ(input.keys[1].flags, static_cast<std::uint32_t>(KEYEVENTF_KEYUP));
    EXPECT_EQ(input.sleeps.back(), 1000u);
    EXPECT_EQ(form->KeyPresser().Count(), static_cast<std::int32_t>(presses.size()));
    EXPECT_EQ(LastLine().substr(20), L"#" + std::to_wstring(presses.size()) + L" $9F");
    EXPECT_EQ(form->KeyPresser().CountLabel().Text(), std::to_wstring(presses.size()) + L" 回め、2025/10/09 14:05");
    EXPECT_EQ(form->OwnLastInput(), presses.back());
    EXPECT_EQ(shell.terminated, 0);
}

TEST_F(WorkersTest, AUserWhoTypesNeverGetsAPressUnlessTheModeIsSinceThePress) {
    Start("StandardDeviationRate=0\r\nNormalDistribution=0\r\n");
    for (int i = 0; i < 150; ++i) {
        input.UserInput();
        RunKeyPresser();
    }
    EXPECT_TRUE(input.keys.empty());
    EXPECT_EQ(form->StatusPanels.PanelText(1), L"0:00");

    form->KeyPresser().IdleOnlySwitch().SetChecked(false);
    form->KeyPresser().OnSwitch().SetChecked(false);
    form->KeyPresser().OnSwitch().SetChecked(true);  // switching on restarts the measurement
    for (int i = 0; i < 150; ++i) {
        input.UserInput();
        RunKeyPresser();
    }
    EXPECT_EQ(PressTicks(0x9F).size(), 2u);
}

TEST_F(WorkersTest, TypedNumbersReadInRangeTheWorkersRunPromptlyAndTheFileHoldsThem) {
    struct Typed {
        const wchar_t* text;
        int minutes;  // boxes of 1 to 60
        int rate;     // 0 to 50
        int hold;     // 1 to 30
    };
    for (const Typed& typed : {Typed{L"", 1, 0, 1}, Typed{L"0", 1, 0, 1}, Typed{L"45", 45, 45, 30},
                               Typed{L"40000", 60, 50, 30}, Typed{L"999999999", 60, 50, 30}}) {
        SCOPED_TRACE(testing::Message() << "typed \"" << std::string(typed.text, typed.text + wcslen(typed.text))
                                        << "\"");
        Start("SendReload=1\r\nSendReloadUntouch=0\r\n");
        // The user types; nothing leaves the boxes, so their texts stay as typed.
        for (ui::NumberBox* box : {&form->KeyPresser().MinutesBox(), &form->Reloader().MinutesBox(),
                                   &form->NumberBoxDeviationRate, &form->NumberBoxIdleHold}) {
            SetWindowTextW(box->Handle(), typed.text);
        }
        EXPECT_EQ(form->KeyPresser().MinutesBox().Value(), typed.minutes);
        EXPECT_EQ(form->Reloader().MinutesBox().Value(), typed.minutes);
        EXPECT_EQ(form->NumberBoxDeviationRate.Value(), typed.rate);
        EXPECT_EQ(form->NumberBoxIdleHold.Value(), typed.hold);
        EXPECT_GE(form->KeyPresser().Interval(), 1);
        EXPECT_LE(form->KeyPresser().Interval(), 2 * typed.minutes * 60'000);
        EXPECT_EQ(form->Reloader().Interval(), typed.minutes * 60'000);

        // A run of each timer returns at once and, with the user just active, acts on nothing.
        input.UserInput();
        const size_t sleeps = input.sleeps.size();
        RunKeyPresser();
        RunReloader();
        form->ClockTick(&form->ClockTimer);
        EXPECT_TRUE(input.keys.empty());
        EXPECT_EQ(input.sleeps.size(), sleeps);

        SendMessageW(form->Handle(), WM_CLOSE, 0, 0);  // the caption button
        ASSERT_TRUE(form->Closed());
        std::string saved = ReadBytes(UserIni()).value();
        auto expect = [&](const std::string& key, int value) {
            EXPECT_NE(saved.find("\r\n" + key + "=" + std::to_string(value) + "\r\n"), std::string::npos) << key;
        };
        expect("SendKeyWait", typed.minutes);
        expect("SendReloadWait", typed.minutes);
        expect("StandardDeviationRate", typed.rate);
        expect("HoldUnUse", typed.hold);
        EXPECT_TRUE(test::ShownErrors().empty());
        form.reset();
    }
}

TEST_F(WorkersTest, WhileTheSessionIsLockedNeitherWorkerPressesNorRestartsAndBothResumeAtUnlock) {
    Start("StandardDeviationRate=0\r\nNormalDistribution=0\r\nSendReload=1\r\nSendReloadUntouch=0\r\n");
    input.foreground = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
    input.foregroundClass = L"Chrome_WidgetWin_1";
    const std::int32_t keyInterval = form->KeyPresser().Interval();
    const std::int32_t reloadInterval = form->Reloader().Interval();
    SendMessageW(form->Handle(), WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
    input.injectedInputRegisters = false;  // injected input cannot reach a locked session
    for (int i = 0; i < 700; ++i) {        // over eleven minutes
        RunKeyPresser();
        RunReloader();
    }
    EXPECT_TRUE(input.keys.empty());
    EXPECT_TRUE(input.sleeps.empty());
    EXPECT_TRUE(shell.launches.empty());
    EXPECT_EQ(shell.terminated, 0);
    EXPECT_EQ(form->HistoryMemo.LineCount(), 0);
    EXPECT_EQ(form->KeyPresser().Interval(), keyInterval);
    EXPECT_EQ(form->Reloader().Interval(), reloadInterval);
    EXPECT_FALSE(form->StatusPanels.PanelText(1).empty());  // the elapsed times go on showing

    SendMessageW(form->Handle(), WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
    input.injectedInputRegisters = true;
    RunKeyPresser();
    RunReloader();
    EXPECT_EQ(PressTicks(0x9F).size(), 1u);
    EXPECT_EQ(PressTicks(0x74).size(), 1u);
    EXPECT_EQ(form->HistoryMemo.LineCount(), 2);
    EXPECT_EQ(shell.terminated, 0);
}

TEST_F(WorkersTest, WhereInputCannotReachTheDesktopNeitherWorkerPressesNorRestartsUntilItCanAgain) {
    struct Condition {
        const char* name;
        std::function<void(TTapwhileForm&, test::FakeInput&)> block;
        std::function<void(TTapwhileForm&, test::FakeInput&)> lift;
        const wchar_t* trace;
    };
    auto reach = [](InputReach value) { return [value](TTapwhileForm&, test::FakeInput& in) { in.reach = value; }; };
    auto session = [](WPARAM code) {
        return [code](TTapwhileForm& f, test::FakeInput&) { SendMessageW(f.Handle(), WM_WTSSESSION_CHANGE, code, 0); };
    };
    const Condition conditions[] = {
        {"lock screen or secure prompt", reach(InputReach::OtherDesktop), reach(InputReach::Reaches),
         L"Input desktop not default, not operated"},
        {"session not active", reach(InputReach::SessionNotActive), reach(InputReach::Reaches),
         L"Session not active, not operated"},
        {"no foreground window", reach(InputReach::NoForegroundWindow), reach(InputReach::Reaches),
         L"No foreground window, not operated"},
        {"remote session disconnected", session(WTS_REMOTE_DISCONNECT), session(WTS_REMOTE_CONNECT),
         L"Session disconnected, not operated"},
        {"console disconnected", session(WTS_CONSOLE_DISCONNECT), session(WTS_CONSOLE_CONNECT),
         L"Session disconnected, not operated"},
        {"locked", session(WTS_SESSION_LOCK), session(WTS_SESSION_UNLOCK), L"Session locked, not operated"},
    };
    for (const Condition& condition : conditions) {
        SCOPED_TRACE(condition.name);
        StartBothDue();
        condition.block(*form, input);
        input.injectedInputRegisters = false;  // the system drops what would be injected
        for (int i = 0; i < 3; ++i) {
            RunKeyPresser();
            RunReloader();
        }
        EXPECT_TRUE(input.injections.empty());
        EXPECT_TRUE(input.sleeps.empty());
        EXPECT_TRUE(shell.launches.empty());
        EXPECT_EQ(shell.terminated, 0);
        EXPECT_EQ(form->HistoryMemo.LineCount(), 0);
        EXPECT_EQ(form->KeyPresser().Count(), 0);
        EXPECT_EQ(form->Reloader().Count(), 0);
        EXPECT_EQ(Traced(condition.trace), 6u);                 // each run of each worker says why
        EXPECT_FALSE(form->StatusPanels.PanelText(1).empty());  // measuring and showing go on
        EXPECT_FALSE(form->StatusPanels.PanelText(2).empty());

        condition.lift(*form, input);
        input.injectedInputRegisters = true;
        RunKeyPresser();
        RunReloader();
        EXPECT_EQ(PressTicks(0x9F).size(), 1u);
        EXPECT_EQ(PressTicks(0x74).size(), 1u);
        EXPECT_EQ(form->HistoryMemo.LineCount(), 2);
        EXPECT_EQ(shell.terminated, 0);
        form.reset();
        input = test::FakeInput{};
    }
}

TEST_F(WorkersTest, AStartInsideALockedSessionPausesBothWorkersUntilUnlock) {
    input.sessionLocked = true;  // a self-restart just before the lock, a scheduled start
    StartBothDue();
    EXPECT_TRUE(form->SessionLocked());
    input.injectedInputRegisters = false;
    for (int i = 0; i < 3; ++i) {
        RunKeyPresser();
        RunReloader();
    }
    EXPECT_TRUE(input.keys.empty());
    EXPECT_EQ(shell.terminated, 0);
    EXPECT_EQ(Traced(L"Session locked, not operated"), 6u);

    SendMessageW(form->Handle(), WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
    input.injectedInputRegisters = true;
    RunKeyPresser();
    RunReloader();
    EXPECT_EQ(PressTicks(0x9F).size(), 1u);
    EXPECT_EQ(PressTicks(0x74).size(), 1u);
    EXPECT_EQ(shell.terminated, 0);
}

TEST_F(WorkersTest, RegisteringForTheSessionsMessagesIsTriedAgainUntilTheSystemIsReady) {
    input.failingRegistrations = 2;  // the terminal services not yet running at logon
    StartBothDue();
    EXPECT_TRUE(input.registered.empty());
    ASSERT_TRUE(form->SessionRegistrationRetry.Enabled());
    form->SessionRegistrationRetry.OnTimer(&form->SessionRegistrationRetry);
    EXPECT_TRUE(input.registered.empty());
    EXPECT_TRUE(form->SessionRegistrationRetry.Enabled());
    input.sessionLocked = true;  // locked meanwhile, without a message to say so
    form->SessionRegistrationRetry.OnTimer(&form->SessionRegistrationRetry);
    EXPECT_EQ(input.registrations, 3);
    EXPECT_EQ(input.registered, std::vector<HWND>{form->Handle()});
    EXPECT_FALSE(form->SessionRegistrationRetry.Enabled());
    EXPECT_TRUE(form->SessionLocked());
}

TEST_F(WorkersTest, TheSessionsMessagesEndWhileTheWindowStillExists) {
    StartBothDue();
    ASSERT_EQ(input.registered, std::vector<HWND>{form->Handle()});
    SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(form->Closed());
    EXPECT_EQ(input.unregisteredWhileWindowExists, std::vector<bool>{true});
    form.reset();  // and not a second time
    EXPECT_EQ(input.unregisteredWhileWindowExists, std::vector<bool>{true});

    StartBothDue();  // a window that was never closed
    form.reset();
    EXPECT_EQ(input.unregisteredWhileWindowExists, (std::vector<bool>{true, true}));
    EXPECT_TRUE(input.registered.empty());
}

TEST_F(WorkersTest, AnInjectionTheSystemRefusesIsNoPressNoCountAndNoRestart) {
    for (int taken : {0, 1}) {
        SCOPED_TRACE(testing::Message() << taken << " of 2 taken");
        StartBothDue();
        input.injectLimit = taken;
        input.injectError = ERROR_ACCESS_DENIED;
        RunKeyPresser();
        RunReloader();
        EXPECT_EQ(input.injections.front(), 2u);  // down and up in one call
        EXPECT_EQ(form->KeyPresser().Count(), 0);
        EXPECT_EQ(form->Reloader().Count(), 0);
        EXPECT_EQ(form->HistoryMemo.LineCount(), 0);
        EXPECT_TRUE(form->KeyPresser().CountLabel().Text().empty());
        EXPECT_TRUE(form->Reloader().CountLabel().Text().empty());
        EXPECT_TRUE(shell.launches.empty());
        EXPECT_EQ(shell.terminated, 0);
        const std::wstring failed = L"SendInput failed, injected=" + std::to_wstring(taken) + L" of 2, error=5 ";
        size_t reported = 0;
        for (const std::wstring& trace : traces) {
            if (trace.starts_with(failed) && trace.size() > failed.size()) ++reported;  // with the system's text
        }
        EXPECT_EQ(reported, 2u);
        // A key that went down alone is let up again.
        for (size_t i = 0; i < input.keys.size(); i += 2) {
            EXPECT_EQ(input.keys[i].flags, 0u);
            ASSERT_LT(i + 1, input.keys.size());
            EXPECT_EQ(input.keys[i + 1].flags, static_cast<std::uint32_t>(KEYEVENTF_KEYUP));
            EXPECT_EQ(input.keys[i + 1].key, input.keys[i].key);
        }
        EXPECT_EQ(input.keys.size(), taken == 0 ? 0u : 4u);
        form.reset();
        input = test::FakeInput{};
    }
}

TEST_F(WorkersTest, APressAnElevatedWindowInFrontSwallowedIsMadeButRestartsNothing) {
    StartBothDue();
    input.foregroundElevated = true;
    input.injectedInputRegisters = false;  // dropped without a word, as the system does
    RunKeyPresser();
    RunReloader();
    EXPECT_EQ(form->KeyPresser().Count(), 1);
    EXPECT_EQ(form->Reloader().Count(), 1);
    EXPECT_EQ(form->HistoryMemo.LineCount(), 2);
    EXPECT_EQ(Traced(L"Foreground elevated, not restarted"), 2u);
    EXPECT_TRUE(shell.launches.empty());
    EXPECT_EQ(shell.terminated, 0);

    // In front of an ordinary window the same silence still means input stopped registering.
    input.foregroundElevated = false;
    form->KeyPresser().SetLastHit(input.tick - 1'000'000);
    RunKeyPresser();
    EXPECT_EQ(shell.terminated, 1);
}

TEST_F(WorkersTest, EqualIsNotDue) {
    Start("StandardDeviationRate=0\r\nNormalDistribution=0\r\nSendKeyUntouch=0\r\n");
    ASSERT_EQ(form->KeyPresser().Interval(), 60'000);
    form->KeyPresser().SetLastHit(input.tick - 60'000 + 991);
    RunKeyPresser();
    EXPECT_EQ(form->KeyPresser().Elapsed(), 60'000);
    EXPECT_TRUE(input.keys.empty());
    RunKeyPresser();
    EXPECT_EQ(PressTicks(0x9F).size(), 1u);
}

TEST_F(WorkersTest, RandomIntervalsWithRateZeroAreExactlyTheMinutes) {
    Start("StandardDeviationRate=0\r\nSendKeyWait=2\r\n");
    form->KeyPresser().SetCount(1233);
    form->KeyPresser().SetInterval(120'000);
    form->KeyPresser().SetLastHit(input.tick - 200'000);
    form->KeyPresser().IdleOnlySwitch().SetChecked(false);
    RunKeyPresser();
    EXPECT_EQ(LastLine().substr(20), L"#1234 $9F after 00:02:00.000 100.0%");
    EXPECT_EQ(form->KeyPresser().CountLabel().Text(), L"1,234 回め、2025/10/09 14:05");
    EXPECT_EQ(form->KeyPresser().Interval(), 120'000);
}

TEST_F(WorkersTest, TheFirstPressAfterASelfRestartIsTimedFromTheClose) {
    Start("StandardDeviationRate=10\r\nSendKeyWait=5\r\n");
    form->KeyPresser().SetCount(12);
    form->SetPredecessorClose(clock.now.AddMilliseconds(-2'750));
    form->KeyPresser().SetInterval(1);
    RunKeyPresser();
    EXPECT_EQ(LastLine().substr(20), L"#13 $9F after 00:00:02.750 0.9%");
    EXPECT_EQ(form->KeyPresser().Interval(), 1);  // kept
    EXPECT_EQ(form->PredecessorClose(), DateTime::FromParts(2000, 1, 1).value());
    clock.now = clock.now.AddMilliseconds(61'000);
    RunKeyPresser();
    EXPECT_EQ(LastLine().substr(20), L"#14 $9F after 00:00:00.001 0.0%");
    EXPECT_NE(form->KeyPresser().Interval(), 1);  // drawn anew
}

TEST_F(WorkersTest, TheSelectedRowGivesTheCodeAndNoRowMeans9F) {
    Start("StandardDeviationRate=0\r\nNormalDistribution=0\r\nSendKeyCode=74\r\nSendKeyUntouch=0\r\n");
    form->KeyPresser().SetLastHit(input.tick - 100'000);
    RunKeyPresser();
    EXPECT_EQ(PressTicks(0x74).size(), 1u);
    EXPECT_EQ(LastLine().substr(20), L"#1 $74");
    form->KeyCodeList.SetItemIndex(-1);
    form->KeyPresser().SetLastHit(input.tick - 100'000);
    RunKeyPresser();
    EXPECT_EQ(PressTicks(0x9F).size(), 1u);
    EXPECT_EQ(LastLine().substr(20), L"#2 $9F");
}

TEST_F(WorkersTest, APressThatDoesNotRegisterRestartsTheUtility) {
    Start("StandardDeviationRate=0\r\nNormalDistribution=0\r\nSendKeyUntouch=0\r\n");
    form->KeyPresser().SetLastHit(input.tick - 100'000);
    input.injectedInputRegisters = false;
    RunKeyPresser();
    EXPECT_EQ(shell.terminated, 1);
    EXPECT_EQ(shell.launches.size(), 1u);
}

TEST_F(WorkersTest, TheUserTouchingTheKeyboardDuringThePauseCountsAsRegistered) {
    Start("StandardDeviationRate=0\r\nNormalDistribution=0\r\nSendKeyUntouch=0\r\n");
    form->KeyPresser().SetLastHit(input.tick - 100'000);
    input.injectedInputRegisters = false;
    input.duringSleep = [this] { input.UserInput(); };
    RunKeyPresser();
    EXPECT_EQ(shell.terminated, 0);
    EXPECT_EQ(form->OwnLastInput(), input.lastInput);
}

TEST_F(WorkersTest, TheSwitchesEnableTheirControls) {
    Start("NormalDistribution=0\r\n");
    // The start-up switches the worker on last, which enables the rate box whatever the
    // random option says; the option's own click decides it from then on.
    EXPECT_TRUE(form->NumberBoxDeviationRate.Enabled());
    form->CheckBoxNormalDistribution.SetChecked(true);
    form->CheckBoxNormalDistribution.SetChecked(false);
    EXPECT_FALSE(form->NumberBoxDeviationRate.Enabled());
    EXPECT_FALSE(form->LabelDeviationRate.Enabled());
    form->KeyPresser().OnSwitch().SetChecked(false);
    EXPECT_FALSE(form->KeyPresser().TickTimer().Enabled());
    EXPECT_EQ(form->KeyPresser().LastHit(), 0u);
    EXPECT_FALSE(form->KeyPresser().MinutesBox().Enabled());
    EXPECT_FALSE(form->KeyPresser().IdleOnlySwitch().Enabled());
    form->KeyPresser().OnSwitch().SetChecked(true);
    EXPECT_TRUE(form->NumberBoxDeviationRate.Enabled());  // on enables it even with random intervals off
    EXPECT_EQ(form->KeyPresser().LastHit(), input.tick);

    SetWindowTextW(form->KeyPresser().MinutesBox().Handle(), L"0");  // the user types 0
    EXPECT_EQ(form->KeyPresser().MinutesBox().Text(), L"1");
    EXPECT_EQ(form->KeyPresser().Interval(), 60'000);
}

TEST_F(WorkersTest, F5GoesOnlyToAForegroundBrowser) {
    Start("SendReload=1\r\nSendReloadWait=1\r\n");
    EXPECT_TRUE(form->Reloader().TickTimer().Enabled());
    EXPECT_TRUE(form->Reloader().CountLabel().Enabled());
    HWND other = GetDesktopWindow();
    input.foreground = other;
    struct Case {
        const wchar_t* className;
        bool pressed;
    } cases[] = {{L"Chrome_WidgetWin_1", true},
                 {L"chrome_widgetwin_1", false},
                 {L"IEFram", false},
                 {L"MozillaWindowClass", true},
                 {L"Notepad", false}};
    int sent = 0;
    for (const Case& c : cases) {
        input.foregroundClass = c.className;
        input.keys.clear();
        form->Reloader().SetLastHit(input.tick - 100'000);
        form->Reloader().IdleOnlySwitch().SetChecked(false);
        RunReloader();
        EXPECT_EQ(PressTicks(0x74).size(), c.pressed ? 1u : 0u) << c.className;
        EXPECT_EQ(form->Reloader().LastHit(), input.tick - 1000) << c.className;  // every attempt, before the pause
        if (c.pressed) {
            ++sent;
            EXPECT_EQ(LastLine().substr(20), L"#" + std::to_wstring(sent) + L" $74 [F5] Key");
        }
    }
    EXPECT_EQ(form->Reloader().CountLabel().Text(), L"2 回め、2025/10/09 14:05");
    // Attempts that sent nothing left the tick unchanged, and never restart the utility.
    EXPECT_EQ(shell.terminated, 0);
}

TEST_F(WorkersTest, TheUtilityInFrontIsMinimisedFirst) {
    Start("SendReload=1\r\nSendReloadWait=1\r\nSendReloadUntouch=0\r\nUseTrayIcon=1\r\n");
    // The browser comes to the front only once the utility has gone: the class must be asked
    // of the window in front after minimising.
    const HWND browser = GetDesktopWindow();
    input.foreground = form->Handle();
    input.nextForeground = browser;
    input.classes = {{form->Handle(), L"TwForm"}, {browser, L"OperaWindowClass"}};
    form->Reloader().SetLastHit(input.tick - 100'000);
    RunReloader();
    EXPECT_TRUE(ui::Application::Instance().Minimized());
    EXPECT_TRUE(form->Tray.Visible());  // the tray option sends it to the notification area
    EXPECT_EQ(PressTicks(0x74).size(), 1u);
    form->TrayDblClick(&form->Tray);
    EXPECT_FALSE(ui::Application::Instance().Minimized());
    EXPECT_FALSE(form->Tray.Visible());
}

TEST_F(WorkersTest, AnF5ThatDoesNotRegisterRestartsTheUtility) {
    Start("SendReload=1\r\nSendReloadWait=1\r\nSendReloadUntouch=0\r\n");
    input.foreground = GetDesktopWindow();
    input.foregroundClass = L"IEFrame";
    input.injectedInputRegisters = false;
    form->Reloader().SetLastHit(input.tick - 100'000);
    RunReloader();
    EXPECT_EQ(shell.terminated, 1);
}

}  // namespace
}  // namespace tw
