#include "appearance/style_resources_win.h"

#include <cstdint>

#include "appearance/style_catalogue.h"

namespace tw::appearance {

namespace {

HMODULE ModuleOrProgram(HMODULE module) { return module != nullptr ? module : GetModuleHandleW(nullptr); }

std::optional<Style> DecodeResource(HMODULE module, const wchar_t* name) {
    HRSRC found = FindResourceW(module, name, StyleResourceType);
    if (found == nullptr) {
        return std::nullopt;
    }
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return std::nullopt;
    }
    return DecodeStyle(static_cast<const std::uint8_t*>(bytes), SizeofResource(module, found));
}

// Only the names the packer can produce: anything else (an empty name, "#12", which would
// ask for a numbered resource) cannot be one of ours.
bool IsPlainResourceName(const std::wstring& name) {
    if (name.empty()) {
        return false;
    }
    for (const wchar_t c : name) {
        if (!((c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9'))) {
            return false;
        }
    }
    return true;
}

BOOL CALLBACK AddStyleName(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR param) {
    if (!IS_INTRESOURCE(name)) {
        if (const std::optional<Style> style = DecodeResource(module, name)) {
            reinterpret_cast<std::vector<std::wstring>*>(param)->push_back(style->name);
        }
    }
    return TRUE;
}

}  // namespace

std::vector<std::wstring> EmbeddedStyleNames(HMODULE module) {
    std::vector<std::wstring> names;
    // Fails with ERROR_RESOURCE_TYPE_NOT_FOUND when no style is embedded: then the list is empty.
    EnumResourceNamesW(ModuleOrProgram(module), StyleResourceType, AddStyleName, reinterpret_cast<LONG_PTR>(&names));
    return names;
}

std::optional<Style> LoadEmbeddedStyle(std::wstring_view listedName, HMODULE module) {
    if (SameStyleName(listedName, SystemStyleName)) {
        return std::nullopt;
    }
    const std::wstring resource = StyleResourceName(listedName);
    if (!IsPlainResourceName(resource)) {
        return std::nullopt;
    }
    std::optional<Style> style = DecodeResource(ModuleOrProgram(module), resource.c_str());
    // Two names can share a resource ("Windows10 Dark", "Windows11 Dark"): the stored name decides.
    if (!style || !SameStyleName(style->name, listedName)) {
        return std::nullopt;
    }
    return style;
}

}  // namespace tw::appearance
