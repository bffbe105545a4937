#pragma once
// The texts that the shell helpers show. For the shortcut texts, folder is the word for the
// special folder ("デスクトップ") and name the link's file name, never its folder path.
#include <cstdint>
#include <string>
#include <string_view>

namespace tw {

// Shortcut registration: the questions and their outcomes.
std::wstring AskUpdateShortcutText(std::wstring_view folder, std::wstring_view name);
std::wstring ShortcutUpdatedText(std::wstring_view folder, std::wstring_view name);
std::wstring ShortcutUpdateFailedText(std::wstring_view folder, std::wstring_view name, std::int32_t hresult,
                                      std::wstring_view systemText);
std::wstring ShortcutDeletedText(std::wstring_view folder, std::wstring_view name);
std::wstring ShortcutDeleteFailedText(std::wstring_view folder, std::wstring_view name);
std::wstring ShortcutCreatedText(std::wstring_view folder, std::wstring_view name);
std::wstring ShortcutCreateFailedText(std::wstring_view folder, std::wstring_view name, std::int32_t hresult,
                                      std::wstring_view systemText);
std::wstring AskOpenFolderText(std::wstring_view folder);
// The special folder has no file-system path the link could go to.
std::wstring FolderNotFoundText(std::wstring_view folder);

// The recycle-bin deletion failed; name is the file's name without its folder.
std::wstring DeleteFailedText(std::wstring_view name);

// A failed call of the shell link object: what + the HRESULT in signed decimal, a line break and
// the system text. what names the call, e.g. "SetPath Failed HRESULT=".
std::wstring HresultFailureText(std::wstring_view what, std::int32_t hresult, std::wstring_view systemText);

// Launches that the shell refused; code is the value the shell returned (32 or less).
std::wstring OpenFailedText(long long code, std::wstring_view systemText, std::wstring_view target);
std::wstring OpenByFailedText(long long code, std::wstring_view systemText, std::wstring_view program,
                              std::wstring_view parameter);
std::wstring PropertiesFailedText(std::wstring_view fileName);
std::wstring HelpFileNotFoundText(std::wstring_view helpFileName);

}  // namespace tw
