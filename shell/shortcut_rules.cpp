#include "shell/shortcut_rules.h"

#include "runtime/pattern_format.h"
#include "shell/path_parts.h"

namespace tw {

std::wstring ShortcutPath(std::wstring_view folder, std::wstring_view title) {
    std::wstring path(folder);
    path += title;
    path += L".lnk";
    return path;
}

std::wstring ShortcutDescription(DateTime now, std::wstring_view programFile, std::wstring_view version,
                                 const FormatSettings& fs) {
    std::wstring text = FormatDateTime(L"yyyy/mm/dd HH:NN:SS", now, fs);
    text += L" Created by ";
    text += BaseName(programFile);
    text += L" ";
    text += version;
    return text;
}

std::wstring ExplorerSelectParameter(std::wstring_view linkPath) {
    std::wstring parameter = L"/select,";
    parameter += linkPath.find(L',') == std::wstring_view::npos ? std::wstring(linkPath) : Quoted(linkPath);
    return parameter;
}

}  // namespace tw
