#pragma once
// Pieces of Windows file paths, as text: no file system is asked.
#include <cstddef>
#include <string>
#include <string_view>

namespace tw {

// The part after the last "\" or "/": "C:\a\Tapwhile.exe" gives "Tapwhile.exe".
std::wstring FileNamePart(std::wstring_view path);

// The path without its last component and without the separator before it: "C:\a\b.lnk" gives
// "C:\a". A component that sits in a root keeps the root whole: "C:\b.lnk" gives "C:\".
std::wstring ParentPath(std::wstring_view path);

// The file name without its extension (the part from the last dot of the name on).
std::wstring BaseName(std::wstring_view path);

// The path with the extension of its file name replaced; a name without a dot gets it appended.
std::wstring ChangeExtension(std::wstring_view path, std::wstring_view extension);

// The path with one "\" at its end.
std::wstring WithTrailingSeparator(std::wstring_view path);

// How many leading characters of the path are its root: 3 for "C:\...", the server and share
// with their separators for "\\server\share\..." (also behind "\\?\UNC\"), the drive behind
// "\\?\", 1 for a path that begins with one separator, 0 for a relative path.
std::size_t RootLength(std::wstring_view path);

// The text in double quotation marks, a quotation mark inside it doubled, so that the shell
// reads it as one name even with blanks in it.
std::wstring Quoted(std::wstring_view text);

}  // namespace tw
