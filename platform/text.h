#pragma once
// Small text helpers around Win32 calls.
#include <windows.h>

#include <string>
#include <string_view>

namespace tw {

std::wstring Utf8ToWide(std::string_view text);
std::wstring WindowText(HWND hwnd);
// The system's message for a Windows error code, without trailing blanks, line breaks and full
// stops; empty for a code the system does not know.
std::wstring SystemErrorText(DWORD code);
// The system text of GetLastError(), with its code.
std::wstring LastErrorText();
// Whole texts equal without regard to case, the same under every locale.
bool SameTextIgnoringCase(std::wstring_view a, std::wstring_view b);

}  // namespace tw
