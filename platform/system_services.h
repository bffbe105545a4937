#pragma once
// Dialogs, shell launches and well-known paths, behind interfaces so tests can answer questions,
// record launches and point the program at throwaway folders.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace tw {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The system message box captioned with the application title as it is now; returns IDYES,
    // IDNO, IDCANCEL or IDOK.
    virtual int QuestionBox(const std::wstring& text, UINT flags) = 0;
    // A modal box with the text, no icon and one OK button, captioned with the application title.
    virtual void PlainMessage(const std::wstring& text) = 0;
};

// Whether the shell checks the security zone of the file it starts: a program downloaded from the
// web asks the user first when it does.
enum class ZoneCheck { Run, Skip };

class Shell {
public:
    virtual ~Shell() = default;
    // ShellExecuteW, or ShellExecuteExW without the zone check; the returned value is above 32
    // on success.
    virtual INT_PTR Execute(HWND owner, const std::wstring& verb, const std::wstring& file,
                            const std::wstring& parameters, const std::wstring& directory, int show,
                            ZoneCheck zone = ZoneCheck::Run) = 0;
    // SHObjectProperties for a file; false when the system refused.
    virtual bool ShowProperties(HWND owner, const std::wstring& path) = 0;
    // Ends the application once the current handler has returned.
    virtual void Terminate() = 0;
    // Shell_NotifyIconW: false when the notification area refused the request.
    virtual bool NotifyIcon(DWORD message, NOTIFYICONDATAW& data) = 0;
};

class Paths {
public:
    virtual ~Paths() = default;
    // Full path of the running program file.
    virtual std::wstring ProgramFile() = 0;
    // The user's roaming application-data folder; empty when it cannot be determined.
    virtual std::wstring RoamingAppData() = 0;
    // The temporary folder in its long form, ending in a backslash.
    virtual std::wstring TempFolder() = 0;
};

class WinDialogs final : public Dialogs {
public:
    int QuestionBox(const std::wstring& text, UINT flags) override;
    void PlainMessage(const std::wstring& text) override;
};

class WinShell final : public Shell {
public:
    INT_PTR Execute(HWND owner, const std::wstring& verb, const std::wstring& file, const std::wstring& parameters,
                    const std::wstring& directory, int show, ZoneCheck zone) override;
    bool ShowProperties(HWND owner, const std::wstring& path) override;
    void Terminate() override;
    bool NotifyIcon(DWORD message, NOTIFYICONDATAW& data) override;
};

class WinPaths final : public Paths {
public:
    std::wstring ProgramFile() override;
    std::wstring RoamingAppData() override;
    std::wstring TempFolder() override;
};

}  // namespace tw
