#include "platform/input_services.h"

#include <wtsapi32.h>

#include <optional>
#include <vector>

#include "platform/text.h"

namespace tw {

namespace {

// The extended session record (WTSSessionInfoEx, level 1), as the system lays it out; not every
// header declares it.
constexpr WTS_INFO_CLASS kSessionInfoEx = static_cast<WTS_INFO_CLASS>(25);
constexpr LONG kSessionStateLock = 0;
struct SessionInfoExLevel1 {
    ULONG sessionId;
    WTS_CONNECTSTATE_CLASS sessionState;
    LONG sessionFlags;
    WCHAR winStationName[32 + 1];
    WCHAR userName[20 + 1];
    WCHAR domainName[17 + 1];
    LARGE_INTEGER logonTime;
    LARGE_INTEGER connectTime;
    LARGE_INTEGER disconnectTime;
    LARGE_INTEGER lastInputTime;
    LARGE_INTEGER currentTime;
    DWORD incomingBytes;
    DWORD outgoingBytes;
    DWORD incomingFrames;
    DWORD outgoingFrames;
    DWORD incomingCompressedBytes;
    DWORD outgoingCompressedBytes;
};
struct SessionInfoEx {
    DWORD level;
    union {
        SessionInfoExLevel1 level1;
    } data;
};

// The mandatory integrity level of a process (its token's label RID); nothing when it cannot be
// read.
std::optional<DWORD> IntegrityLevel(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return std::nullopt;
    DWORD size = 0;
    GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    std::optional<DWORD> level;
    if (size >= sizeof(TOKEN_MANDATORY_LABEL) &&
        GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size)) {
        PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
        UCHAR count = *GetSidSubAuthorityCount(sid);
        if (count > 0) level = *GetSidSubAuthority(sid, count - 1u);
    }
    CloseHandle(token);
    return level;
}

bool InputDesktopIsDefault() {
    // The lock screen's and the secure prompts' desktops cannot even be opened by the user's
    // programs: that counts as not the user's desktop.
    HDESK desktop = OpenInputDesktop(0, FALSE, DESKTOP_READOBJECTS);
    if (!desktop) return false;
    wchar_t name[64] = {};
    DWORD needed = 0;
    bool named = GetUserObjectInformationW(desktop, UOI_NAME, name, sizeof(name) - sizeof(wchar_t), &needed) != FALSE;
    CloseDesktop(desktop);
    return named && SameTextIgnoringCase(name, L"Default");
}

// True unless the system says the session is other than active (disconnected, only connected,
// or idle); a session whose state cannot be read counts as active.
bool SessionActive() {
    LPWSTR buffer = nullptr;
    DWORD bytes = 0;
    if (!WTSQuerySessionInformationW(WTS_CURRENT_SERVER_HANDLE, WTS_CURRENT_SESSION, WTSConnectState, &buffer,
                                     &bytes)) {
        return true;
    }
    bool active =
        bytes < sizeof(WTS_CONNECTSTATE_CLASS) || *reinterpret_cast<WTS_CONNECTSTATE_CLASS*>(buffer) == WTSActive;
    WTSFreeMemory(buffer);
    return active;
}

}  // namespace

std::uint32_t WinInputServices::TickCount() { return ::GetTickCount(); }

void WinInputServices::GetLastInputInfo(LASTINPUTINFO& info) {
    // The result is not examined: a failed call keeps the previous tick.
    ::GetLastInputInfo(&info);
}

Injection WinInputServices::SendKeys(std::span<const KeyStroke> strokes) {
    std::vector<INPUT> inputs(strokes.size());
    for (size_t i = 0; i < strokes.size(); ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = strokes[i].key;
        inputs[i].ki.dwFlags = strokes[i].flags;
    }
    SetLastError(ERROR_SUCCESS);
    UINT injected = ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return {injected, injected < inputs.size() ? GetLastError() : DWORD{0}};
}

void WinInputServices::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

HWND WinInputServices::ForegroundWindow() { return ::GetForegroundWindow(); }

std::wstring WinInputServices::ClassName(HWND window) {
    if (!window) return {};
    wchar_t buffer[256] = {};
    int length = ::GetClassNameW(window, buffer, 256);
    return length > 0 ? std::wstring(buffer, static_cast<size_t>(length)) : std::wstring();
}

void WinInputServices::LockSetForegroundWindow(UINT lockCode) { ::LockSetForegroundWindow(lockCode); }

void WinInputServices::SetForegroundWindow(HWND window) { ::SetForegroundWindow(window); }

void WinInputServices::ShowWindow(HWND window, int command) { ::ShowWindow(window, command); }

InputReach WinInputServices::Reach() {
    if (!InputDesktopIsDefault()) return InputReach::OtherDesktop;
    if (!SessionActive()) return InputReach::SessionNotActive;
    if (!::GetForegroundWindow()) return InputReach::NoForegroundWindow;
    return InputReach::Reaches;
}

bool WinInputServices::ForegroundElevated() {
    HWND window = ::GetForegroundWindow();
    if (!window) return false;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == GetCurrentProcessId()) return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) return true;
    std::optional<DWORD> theirs = IntegrityLevel(process);
    CloseHandle(process);
    std::optional<DWORD> ours = IntegrityLevel(GetCurrentProcess());
    return !theirs || (ours && *theirs > *ours);
}

bool WinInputServices::RegisterSessionNotification(HWND window) {
    return WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION) != FALSE;
}

void WinInputServices::UnregisterSessionNotification(HWND window) { WTSUnRegisterSessionNotification(window); }

bool WinInputServices::SessionLocked() {
    // Read as documented from Windows 10 on; Windows 7 reported the two states swapped.
    LPWSTR buffer = nullptr;
    DWORD bytes = 0;
    if (!WTSQuerySessionInformationW(WTS_CURRENT_SERVER_HANDLE, WTS_CURRENT_SESSION, kSessionInfoEx, &buffer, &bytes)) {
        return false;
    }
    const auto* info = reinterpret_cast<const SessionInfoEx*>(buffer);
    bool locked =
        bytes >= sizeof(SessionInfoEx) && info->level == 1 && info->data.level1.sessionFlags == kSessionStateLock;
    WTSFreeMemory(buffer);
    return locked;
}

}  // namespace tw
