#pragma once
// Stand-ins for the operating system's services: scripted ticks and last input, a settable
// clock, and a record of injected keys.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/start_up.h"
#include "platform/application.h"
#include "platform/clock.h"
#include "platform/input_services.h"
#include "platform/modal.h"
#include "platform/system_services.h"

namespace tw::test {

struct KeyEvent {
    std::uint8_t key;
    std::uint32_t flags;
    std::uint32_t tick;
};

class FakeInput : public InputServices {
public:
    std::uint32_t tick = 1'000'000;
    std::uint32_t lastInput = 1'000'000;
    bool injectedInputRegisters = true;  // injected keys move the last-input tick
    HWND foreground = nullptr;
    std::wstring foregroundClass;
    std::vector<KeyEvent> keys;  // the events the system took
    std::vector<std::uint32_t> sleeps;
    // How many events of one injection the system takes (all when negative), and its error
    // when it takes fewer.
    int injectLimit = -1;
    DWORD injectError = ERROR_ACCESS_DENIED;
    std::vector<size_t> injections;  // the number of events of each call

    std::uint32_t TickCount() override { return tick; }
    // Like the system's: a record without its size fails and keeps its tick.
    void GetLastInputInfo(LASTINPUTINFO& info) override {
        if (info.cbSize == sizeof(LASTINPUTINFO)) info.dwTime = lastInput;
    }
    Injection SendKeys(std::span<const KeyStroke> strokes) override {
        injections.push_back(strokes.size());
        size_t taken = injectLimit < 0 ? strokes.size() : std::min(strokes.size(), static_cast<size_t>(injectLimit));
        for (size_t i = 0; i < taken; ++i) keys.push_back({strokes[i].key, strokes[i].flags, tick});
        if (taken > 0 && injectedInputRegisters) lastInput = tick;
        return {static_cast<std::uint32_t>(taken), taken < strokes.size() ? injectError : DWORD{0}};
    }
    std::function<void()> duringSleep;  // what happens while the caller sleeps
    void Sleep(std::uint32_t ms) override {
        sleeps.push_back(ms);
        tick += ms;
        if (duringSleep) duringSleep();
    }
    // The window the system brings to the front when the application minimises.
    HWND nextForeground = nullptr;
    // Class names of particular windows; any other window has foregroundClass.
    std::map<HWND, std::wstring> classes;
    HWND ForegroundWindow() override {
        return nextForeground && ui::Application::Instance().Minimized() ? nextForeground : foreground;
    }
    std::wstring ClassName(HWND window) override {
        auto named = classes.find(window);
        if (named != classes.end()) return named->second;
        return window ? foregroundClass : std::wstring();
    }
    std::vector<UINT> locks;
    std::vector<std::pair<HWND, int>> shows;
    void LockSetForegroundWindow(UINT code) override { locks.push_back(code); }
    void SetForegroundWindow(HWND window) override { foreground = window; }
    void ShowWindow(HWND window, int command) override { shows.emplace_back(window, command); }

    InputReach reach = InputReach::Reaches;
    InputReach Reach() override { return reach; }
    bool foregroundElevated = false;
    bool ForegroundElevated() override { return foregroundElevated; }

    // The session: its lock state, registrations that fail before one succeeds (the terminal
    // services not ready at logon), and whether each window was still there when unregistered.
    bool sessionLocked = false;
    int failingRegistrations = 0;
    int registrations = 0;
    std::vector<HWND> registered;
    std::vector<bool> unregisteredWhileWindowExists;
    bool RegisterSessionNotification(HWND window) override {
        ++registrations;
        if (failingRegistrations > 0) {
            --failingRegistrations;
            return false;
        }
        registered.push_back(window);
        return true;
    }
    void UnregisterSessionNotification(HWND window) override {
        unregisteredWhileWindowExists.push_back(IsWindow(window) != FALSE);
        std::erase(registered, window);
    }
    bool SessionLocked() override { return sessionLocked; }

    // The user touches the mouse now.
    void UserInput() { lastInput = tick; }
    void Advance(std::uint32_t ms) { tick += ms; }
};

class FakeClock : public Clock {
public:
    DateTime now = DateTime::FromParts(2025, 10, 9, 14, 5, 0).value();
    std::function<void()> onNow;  // runs at every reading, before it answers
    DateTime LocalNow() override {
        if (onNow) onNow();
        return now;
    }
    std::int32_t utcOffsetMinutes = 9 * 60;  // Japan
    std::int32_t UtcOffsetMinutes(DateTime) override { return utcOffsetMinutes; }
};

// Answers questions from a script (IDYES when it runs out) and records every text shown. Like
// the real boxes it keeps the program's windows disabled while "open", and whileOpen runs then
// (what else reaches the program while the user reads the box).
class FakeDialogs : public Dialogs {
public:
    std::vector<int> answers;
    struct Shown {
        std::wstring text;
        UINT flags;  // 0 for a plain message
    };
    std::vector<Shown> shown;
    std::function<void()> whileOpen;
    int QuestionBox(const std::wstring& text, UINT flags) override {
        shown.push_back({text, flags});
        Open();
        if (answers.empty()) return IDYES;
        int answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    void PlainMessage(const std::wstring& text) override {
        shown.push_back({text, 0});
        Open();
    }

private:
    void Open() {
        ui::ModalScope modal;
        if (whileOpen) whileOpen();
    }
};

// Records launches instead of making them.
class FakeShell : public Shell {
public:
    struct Launch {
        std::wstring verb, file, parameters, directory;
        int show;
        ZoneCheck zone;
    };
    std::vector<Launch> launches;
    INT_PTR result = 42;
    bool propertiesResult = true;
    std::vector<std::wstring> propertiesShown;
    int terminated = 0;
    INT_PTR Execute(HWND, const std::wstring& verb, const std::wstring& file, const std::wstring& parameters,
                    const std::wstring& directory, int show, ZoneCheck zone) override {
        launches.push_back({verb, file, parameters, directory, show, zone});
        return result;
    }
    bool ShowProperties(HWND, const std::wstring& path) override {
        propertiesShown.push_back(path);
        return propertiesResult;
    }
    void Terminate() override { ++terminated; }
    // The notification area: Wine's own, unless the test says that there is none yet. Every
    // request is recorded with the icon it carried.
    bool notificationArea = true;
    struct IconRequest {
        DWORD message;
        HICON icon;
    };
    std::vector<IconRequest> iconRequests;
    bool NotifyIcon(DWORD message, NOTIFYICONDATAW& data) override {
        iconRequests.push_back({message, data.hIcon});
        return notificationArea && Shell_NotifyIconW(message, &data) != FALSE;
    }
};

// Points the program at folders a test owns.
class FakePaths : public Paths {
public:
    std::wstring programFile = L"C:\\Tapwhile\\Tapwhile.exe";
    std::wstring appData;
    std::wstring temp;
    std::wstring ProgramFile() override { return programFile; }
    std::wstring RoamingAppData() override { return appData; }
    std::wstring TempFolder() override { return temp; }
};

// What the default error display would have shown. A test that expects an error takes it;
// any left at the end of a test fail it.
std::vector<std::wstring>& ShownErrors();
std::vector<std::wstring> TakeShownErrors();

}  // namespace tw::test
