#include "shell/shortcut_win.h"

#include <shellapi.h>
#include <shlobj.h>

#include "platform/text.h"
#include "runtime/error.h"
#include "shell/path_parts.h"
#include "shell/shell_launch_win.h"
#include "shell/shell_messages.h"

namespace tw {
namespace {

[[noreturn]] void ThrowFailure(const wchar_t* what, HRESULT hr) {
    throw Error(HresultFailureText(what, hr, SystemErrorText(static_cast<DWORD>(hr))));
}

void Check(HRESULT hr, const wchar_t* what) {
    if (hr != S_OK) ThrowFailure(what, hr);
}

}  // namespace

std::wstring SpecialFolderPath(int folderId, HWND owner) {
    PIDLIST_ABSOLUTE list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(owner, folderId, &list)) || !list) return {};
    wchar_t path[MAX_PATH + 1] = {};
    BOOL found = SHGetPathFromIDListW(list, path);
    ILFree(list);
    if (!found || path[0] == L'\0') return {};
    return WithTrailingSeparator(path);
}

IShellLinkW& CreateShortcut(IShellLinkW& link, const std::wstring& target, const std::wstring& arguments,
                            const std::wstring& workingDirectory, const std::wstring& description) {
    Check(link.SetPath(Quoted(target).c_str()), L"SetPath Failed HRESULT=");
    if (!arguments.empty()) Check(link.SetArguments(Quoted(arguments).c_str()), L"SetArguments Failed HRESULT=");
    Check(link.SetWorkingDirectory(workingDirectory.c_str()), L"SetWorkingDirectory Failed HRESULT=");
    Check(link.SetDescription(description.c_str()), L"SetDescription HRESULT=");
    return link;
}

HRESULT SaveShortcut(const std::wstring& linkPath, const std::wstring& target, const std::wstring& workingDirectory,
                     const std::wstring& description) {
    ComRef<IShellLinkW> link;
    HRESULT hr = CoCreateInstance(ShellLinkClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                  ShellLinkInterface, link.Put());
    if (FAILED(hr)) ThrowFailure(L"CoCreateInstance ShellLink Failed HRESULT=", hr);
    CreateShortcut(*link, target, L"", workingDirectory, description);
    ComRef<IPersistFile> file;
    hr = link->QueryInterface(PersistFileInterface, file.Put());
    if (FAILED(hr)) ThrowFailure(L"QueryInterface IPersistFile Failed HRESULT=", hr);
    return file->Save(linkPath.c_str(), FALSE);
}

bool ShellDeleteFile(Dialogs& dialogs, const std::wstring& path, HWND owner,
                     const std::function<void()>& processMessages) {
    if (path.empty() || !FileExists(path)) return true;
    std::wstring from = path;
    from += L'\0';  // a list of one name: c_str() adds the second null that ends it
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = owner;
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.pTo = nullptr;
    operation.fFlags = FOF_ALLOWUNDO;
    operation.fAnyOperationsAborted = FALSE;
    if (SHFileOperationW(&operation) != 0) {
        dialogs.PlainMessage(DeleteFailedText(FileNamePart(path)));
        processMessages();
        return false;
    }
    if (operation.fAnyOperationsAborted) {
        dialogs.PlainMessage(L"Operations Aborted.");
        processMessages();
        return false;
    }
    return true;
}

}  // namespace tw
