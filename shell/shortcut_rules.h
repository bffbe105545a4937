#pragma once
// How a shortcut to the program is named, described and shown in the explorer.
#include <string>
#include <string_view>

#include "runtime/date_time.h"
#include "runtime/format_settings.h"

namespace tw {

// The link file in a special folder: the folder (ending in a separator) + title + ".lnk". The
// name is the same in every folder.
std::wstring ShortcutPath(std::wstring_view folder, std::wstring_view title);

// The link's description: when it was made, by which program file and version, e.g.
// "2025/10/09 14:03:27 Created by Tapwhile V2.9".
std::wstring ShortcutDescription(DateTime now, std::wstring_view programFile, std::wstring_view version,
                                 const FormatSettings& fs);

// The explorer's parameter that opens the link's folder with the link selected: "/select," and
// the path. The explorer ends an unquoted path at a comma, so a path that holds one is quoted.
std::wstring ExplorerSelectParameter(std::wstring_view linkPath);

}  // namespace tw
