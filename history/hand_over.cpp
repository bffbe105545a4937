#include "history/hand_over.h"

namespace tw {

namespace {

wchar_t Lower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool EqualNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

bool IsHex(wchar_t c) {
    c = Lower(c);
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f');
}

}  // namespace

bool IsHandOverFilePath(std::wstring_view path, std::wstring_view tempFolder) {
    while (!tempFolder.empty() && (tempFolder.back() == L'\\' || tempFolder.back() == L'/')) {
        tempFolder.remove_suffix(1);
    }
    if (tempFolder.empty() || path.size() <= tempFolder.size() + 1) return false;
    if (!EqualNoCase(path.substr(0, tempFolder.size()), tempFolder) || path[tempFolder.size()] != L'\\') return false;
    std::wstring_view name = path.substr(tempFolder.size() + 1);
    if (name.size() < 8 || name.size() > 15) return false;  // "tmp" + 1 to 8 digits + ".tmp"
    if (!EqualNoCase(name.substr(0, 3), L"tmp") || !EqualNoCase(name.substr(name.size() - 4), L".tmp")) return false;
    for (wchar_t c : name.substr(3, name.size() - 7)) {
        if (!IsHex(c)) return false;
    }
    return true;
}

}  // namespace tw
