#pragma once
// Where the settings file lives: a per-user file named after the program file, and the file
// beside the program file that serves when the per-user one is missing.
#include <string>
#include <string_view>

namespace tw {

// appData\Brackwater\<base name>\<base name>.ini, joined by one backslash each; no backslash
// follows a part that already ends in one, and an empty appData leaves the path relative.
std::wstring IniFilePath(std::wstring_view appDataFolder, std::wstring_view programFile);

// The program file's path with the extension of its name (after its last dot) replaced by
// ".ini", or ".ini" added to a name without a dot.
std::wstring FileBesideProgram(std::wstring_view programFile);

// The program file's name without folder and extension ("Tapwhile").
std::wstring ProgramBaseName(std::wstring_view programFile);
// The program file's name without folder ("Tapwhile.exe").
std::wstring ProgramFileName(std::wstring_view programFile);
// The program file's folder ending in "\" (empty for a bare file name).
std::wstring ProgramFolder(std::wstring_view programFile);

}  // namespace tw
