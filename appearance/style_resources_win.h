#pragma once
// The style files embedded in the program as resources of type StyleResourceType, one per
// style, named by StyleResourceName (tools/pack-styles.py writes them).
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "appearance/style.h"

namespace tw::appearance {

inline constexpr wchar_t StyleResourceType[] = L"TWSTYLE";

// The names stored in the embedded style files of `module` (the program itself when null), in
// the order of their resources. Resources that do not decode are left out.
std::vector<std::wstring> EmbeddedStyleNames(HMODULE module = nullptr);

// The embedded style listed as `listedName` (ignoring case), or nullopt when there is none.
// "Windows" is the plain system look, not a style file: it loads nothing, although resource
// WINDOWS exists (it holds "Windows10").
std::optional<Style> LoadEmbeddedStyle(std::wstring_view listedName, HMODULE module = nullptr);

}  // namespace tw::appearance
