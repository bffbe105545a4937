// The style files embedded as resources: in the test program and in the real program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>

#include "appearance/style_catalogue.h"
#include "appearance/style_resources_win.h"
#include "platform/system_services.h"
#include "shell/path_parts.h"

namespace tw::appearance {
namespace {

std::vector<std::wstring> ListedOrder(std::vector<std::wstring> names) {
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](wchar_t x, wchar_t y) { return std::towlower(x) < std::towlower(y); });
    });
    return names;
}

// With the system look they make up the listed catalogue, and every listed name loads its own
// style, whatever the case it is asked in; "Windows" loads nothing.
void ExpectTheCatalogue(HMODULE module) {
    std::vector<std::wstring> names = EmbeddedStyleNames(module);
    EXPECT_EQ(names.size(), 66u);
    names.emplace_back(SystemStyleName);
    EXPECT_EQ(ListedOrder(names), StyleNames());

    for (const std::wstring& name : StyleNames()) {
        if (name == SystemStyleName) {
            continue;
        }
        std::wstring lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](wchar_t c) { return std::towlower(c); });
        for (const std::wstring& asked : {name, lower}) {
            const std::optional<Style> style = LoadEmbeddedStyle(asked, module);
            ASSERT_TRUE(style) << asked;
            EXPECT_EQ(style->name, name);
        }
    }
}

TEST(EmbeddedStyles, TestProgramCarriesTheCatalogue) { ExpectTheCatalogue(nullptr); }

TEST(EmbeddedStyles, ProgramFileCarriesTheCatalogue) {
    const std::wstring program = ParentPath(ParentPath(WinPaths().ProgramFile())) + L"\\Tapwhile.exe";
    HMODULE module =
        LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr) << "build Tapwhile.exe first";
    ExpectTheCatalogue(module);
    FreeLibrary(module);
}

TEST(EmbeddedStyles, NamesOutsideTheCatalogueLoadNothing) {
    // Resource WINDOWS exists and holds "Windows10", but "Windows" is the plain system look;
    // WINDOWSMODERNDARK holds the Windows11 style, not a Windows10 one.
    ASSERT_TRUE(LoadEmbeddedStyle(L"Windows10"));
    for (const std::wstring_view name : {L"Windows", L"WINDOWS", L"windows", L"Windows10 Modern Dark", L"Windows 10",
                                         L"", L" ", L"#1", L"Glow!", L"No Such Style"}) {
        EXPECT_FALSE(LoadEmbeddedStyle(name)) << std::wstring(name);
    }
}

}  // namespace
}  // namespace tw::appearance
