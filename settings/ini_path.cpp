#include "settings/ini_path.h"

namespace tw {

namespace {

// Where the folder part of a path ends: after its last "\", "/" or drive colon.
std::size_t NameStart(std::wstring_view path) {
    const std::size_t separator = path.find_last_of(L"\\/:");
    return separator == std::wstring_view::npos ? 0 : separator + 1;
}

// The length of the path without the extension of its file name.
std::size_t ExtensionStart(std::wstring_view path) {
    const std::size_t dot = path.rfind(L'.');
    return dot == std::wstring_view::npos || dot < NameStart(path) ? path.size() : dot;
}

void AppendPart(std::wstring& path, std::wstring_view part) {
    if (!path.empty() && path.back() != L'\\') {
        path += L'\\';
    }
    path += part;
}

}  // namespace

std::wstring IniFilePath(std::wstring_view appDataFolder, std::wstring_view programFile) {
    const std::wstring baseName = ProgramBaseName(programFile);
    std::wstring path(appDataFolder);
    AppendPart(path, L"Brackwater");
    AppendPart(path, baseName);
    AppendPart(path, baseName + L".ini");
    return path;
}

std::wstring FileBesideProgram(std::wstring_view programFile) {
    return std::wstring(programFile.substr(0, ExtensionStart(programFile))) + L".ini";
}

std::wstring ProgramBaseName(std::wstring_view programFile) {
    const std::size_t start = NameStart(programFile);
    return std::wstring(programFile.substr(start, ExtensionStart(programFile) - start));
}

std::wstring ProgramFileName(std::wstring_view programFile) {
    return std::wstring(programFile.substr(NameStart(programFile)));
}

std::wstring ProgramFolder(std::wstring_view programFile) {
    return std::wstring(programFile.substr(0, NameStart(programFile)));
}

}  // namespace tw
