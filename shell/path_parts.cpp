#include "shell/path_parts.h"

namespace tw {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

std::size_t LastSeparator(std::wstring_view path) { return path.find_last_of(L"\\/"); }

// Length of "server\share\" at the start of text (the separator after the share only if there).
std::size_t ServerShareLength(std::wstring_view text) {
    std::size_t server = text.find_first_of(L"\\/");
    if (server == std::wstring_view::npos) return text.size();
    std::size_t share = text.find_first_of(L"\\/", server + 1);
    return share == std::wstring_view::npos ? text.size() : share + 1;
}

std::size_t DriveRootLength(std::wstring_view path) {
    if (path.size() < 2 || path[1] != L':') return 0;
    return path.size() > 2 && IsSeparator(path[2]) ? 3 : 2;
}

}  // namespace

std::wstring FileNamePart(std::wstring_view path) {
    std::size_t separator = LastSeparator(path);
    return std::wstring(separator == std::wstring_view::npos ? path : path.substr(separator + 1));
}

std::wstring ParentPath(std::wstring_view path) {
    std::size_t separator = LastSeparator(path);
    if (separator == std::wstring_view::npos) return {};
    std::size_t root = RootLength(path);
    if (separator + 1 <= root) return std::wstring(path.substr(0, root));
    return std::wstring(path.substr(0, separator));
}

std::wstring BaseName(std::wstring_view path) {
    std::wstring name = FileNamePart(path);
    std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos) name.resize(dot);
    return name;
}

std::wstring ChangeExtension(std::wstring_view path, std::wstring_view extension) {
    std::size_t nameStart = path.size() - FileNamePart(path).size();
    std::size_t dot = path.rfind(L'.');
    std::wstring result(dot != std::wstring_view::npos && dot >= nameStart ? path.substr(0, dot) : path);
    result += extension;
    return result;
}

std::wstring WithTrailingSeparator(std::wstring_view path) {
    std::wstring result(path);
    if (result.empty() || !IsSeparator(result.back())) result += L'\\';
    return result;
}

std::size_t RootLength(std::wstring_view path) {
    constexpr std::wstring_view extended = L"\\\\?\\";
    constexpr std::wstring_view extendedUnc = L"\\\\?\\UNC\\";
    if (path.starts_with(extendedUnc)) return extendedUnc.size() + ServerShareLength(path.substr(extendedUnc.size()));
    if (path.starts_with(extended)) return extended.size() + DriveRootLength(path.substr(extended.size()));
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return 2 + ServerShareLength(path.substr(2));
    if (!path.empty() && IsSeparator(path[0])) return 1;
    return DriveRootLength(path);
}

std::wstring Quoted(std::wstring_view text) {
    std::wstring result = L"\"";
    for (wchar_t c : text) {
        if (c == L'"') result += L'"';
        result += c;
    }
    result += L'"';
    return result;
}

}  // namespace tw
