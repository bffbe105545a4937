#include "platform/system_services.h"

#include <shellapi.h>
#include <shlobj.h>

#include "platform/application.h"
#include "platform/modal.h"

namespace tw {

int WinDialogs::QuestionBox(const std::wstring& text, UINT flags) {
    ui::Application& app = ui::Application::Instance();
    return ui::ShowMessageBox(text, app.Title(), flags);
}

void WinDialogs::PlainMessage(const std::wstring& text) {
    ui::Application& app = ui::Application::Instance();
    ui::ShowMessageBox(text, app.Title(), MB_OK);
}

INT_PTR WinShell::Execute(HWND owner, const std::wstring& verb, const std::wstring& file,
                          const std::wstring& parameters, const std::wstring& directory, int show, ZoneCheck zone) {
    auto text = [](const std::wstring& s) { return s.empty() ? nullptr : s.c_str(); };
    if (zone == ZoneCheck::Run) {
        return reinterpret_cast<INT_PTR>(
            ShellExecuteW(owner, text(verb), file.c_str(), text(parameters), text(directory), show));
    }
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // As ShellExecuteW, without its error boxes, and finished before the caller goes on: the
    // caller may end the process right after.
    info.fMask = SEE_MASK_NOZONECHECKS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = owner;
    info.lpVerb = text(verb);
    info.lpFile = file.c_str();
    info.lpParameters = text(parameters);
    info.lpDirectory = text(directory);
    info.nShow = show;
    const BOOL started = ShellExecuteExW(&info);
    // hInstApp carries what ShellExecuteW would have returned: above 32 on success, an error
    // code of 32 or less on failure.
    const INT_PTR code = reinterpret_cast<INT_PTR>(info.hInstApp);
    if (started) return code > 32 ? code : 33;
    return code <= 32 ? code : 0;
}

bool WinShell::ShowProperties(HWND owner, const std::wstring& path) {
    return SHObjectProperties(owner, SHOP_FILEPATH, path.c_str(), nullptr) != FALSE;
}

void WinShell::Terminate() { ui::Application::Instance().Terminate(); }

bool WinShell::NotifyIcon(DWORD message, NOTIFYICONDATAW& data) { return Shell_NotifyIconW(message, &data) != FALSE; }

std::wstring WinPaths::ProgramFile() {
    std::wstring path(MAX_PATH, L'\0');
    while (true) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring WinPaths::RoamingAppData() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
    return folder;
}

std::wstring WinPaths::TempFolder() {
    wchar_t shortPath[MAX_PATH + 1] = {};
    DWORD length = GetTempPathW(MAX_PATH + 1, shortPath);
    if (length == 0) return {};
    std::wstring longPath(32768, L'\0');
    DWORD longLength = GetLongPathNameW(shortPath, longPath.data(), static_cast<DWORD>(longPath.size()));
    if (longLength == 0 || longLength >= longPath.size()) return shortPath;
    longPath.resize(longLength);
    return longPath;
}

}  // namespace tw
