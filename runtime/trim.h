#pragma once
// Blanks around a value in the program's text files (settings, style files): spaces and tabs.
#include <string_view>

namespace tw {

constexpr bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// The text without the spaces and tabs at either end.
constexpr std::wstring_view TrimBlanks(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace tw
