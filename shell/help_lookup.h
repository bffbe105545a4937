#pragma once
// Where the help file is: beside the program file, else in the nearest folder above it.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// Tells whether a file (not a folder) exists at a path.
using FileExistsFunction = std::function<bool(const std::wstring& path)>;

// The help file's name follows the program file's: "Tapwhile.exe" gives "Tapwhile.chm".
std::wstring HelpFileName(std::wstring_view programFile);

// The first existing help file in the program file's folder, then in each folder above it, up
// to and including the root of the path; folders beside those are never looked at. Empty when
// none of them holds one.
std::optional<std::wstring> FindHelpFile(std::wstring_view programFile, const FileExistsFunction& exists);

}  // namespace tw
