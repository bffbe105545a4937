#pragma once
// Shell links to the program in the user's special folders, and their removal to the recycle bin.
#include <windows.h>
#include <shobjidl.h>

#include <functional>
#include <string>

#include "platform/system_services.h"

namespace tw {

// The shell link object's class and the two interfaces used with it, as the Windows SDK defines
// them; spelled out so that no GUID library is needed at link time.
inline constexpr CLSID ShellLinkClass = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID ShellLinkInterface = {
    0x000214F9, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID PersistFileInterface = {
    0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Owns one reference to a COM interface.
template <class T>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() {
        if (pointer_) pointer_->Release();
    }
    void** Put() { return reinterpret_cast<void**>(&pointer_); }
    T* operator->() const { return pointer_; }
    T& operator*() const { return *pointer_; }

private:
    T* pointer_ = nullptr;
};

// The file-system path of a special folder (a CSIDL number), ending in a separator; empty when
// the folder has none. `owner` owns any box the shell shows on the way.
std::wstring SpecialFolderPath(int folderId, HWND owner);

// Fills a fresh link: the target and, when given, the arguments in quotation marks, then the
// working directory and the description. Throws Error at the first setter that fails, with the
// setter's words, its HRESULT and the system text for it.
IShellLinkW& CreateShortcut(IShellLinkW& link, const std::wstring& target, const std::wstring& arguments,
                            const std::wstring& workingDirectory, const std::wstring& description);

// Makes a link object, fills it with CreateShortcut (no arguments) and saves it at linkPath,
// replacing a file there. Returns the save's HRESULT: only 0 means saved. Throws Error when the
// object cannot be made or filled; then nothing was written.
HRESULT SaveShortcut(const std::wstring& linkPath, const std::wstring& target, const std::wstring& workingDirectory,
                     const std::wstring& description);

// Moves a file to the recycle bin, with the shell's own confirmation and progress owned by
// `owner`. True when it went or there was no file; false when the shell failed or the user
// cancelled, each reported in a plain message first, after which `processMessages` lets the
// caller's pending messages be handled.
bool ShellDeleteFile(Dialogs& dialogs, const std::wstring& path, HWND owner,
                     const std::function<void()>& processMessages);

}  // namespace tw
