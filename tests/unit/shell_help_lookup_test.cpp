// The help file lookup over a folder tree given as a set of existing files.
#include "shell/help_lookup.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace tw {
namespace {

// A file system of the listed files that records every path it is asked about.
struct FakeFiles {
    std::set<std::wstring> files;
    std::vector<std::wstring> asked;
    FileExistsFunction Exists() {
        return [this](const std::wstring& path) {
            asked.push_back(path);
            return files.count(path) > 0;
        };
    }
};

TEST(ShellHelpLookup, TheNameFollowsTheProgramFile) {
    EXPECT_EQ(HelpFileName(L"C:\\Tapwhile\\Tapwhile.exe"), L"Tapwhile.chm");
    EXPECT_EQ(HelpFileName(L"C:\\Tapwhile\\Renamed.exe"), L"Renamed.chm");
    EXPECT_EQ(HelpFileName(L"C:\\Tapwhile\\my.tool.exe"), L"my.tool.chm");
}

TEST(ShellHelpLookup, NearestFolderFirstUpToTheRoot) {
    const wchar_t* program = L"C:\\Apps\\Tools\\Tapwhile\\Tapwhile.exe";
    struct Case {
        std::set<std::wstring> files;
        const wchar_t* found;  // nullptr: not found
    } cases[] = {
        {{L"C:\\Apps\\Tools\\Tapwhile\\Tapwhile.chm", L"C:\\Apps\\Tapwhile.chm"},
         L"C:\\Apps\\Tools\\Tapwhile\\Tapwhile.chm"},
        {{L"C:\\Apps\\Tapwhile.chm", L"C:\\Tapwhile.chm"}, L"C:\\Apps\\Tapwhile.chm"},
        {{L"C:\\Tapwhile.chm"}, L"C:\\Tapwhile.chm"},
        // Beside the program's folder or below an ancestor: never looked at.
        {{L"C:\\Apps\\Tools\\Help\\Tapwhile.chm", L"C:\\Apps\\Tools\\Tapwhile\\Help\\Tapwhile.chm"}, nullptr},
        // Another program's help file does not count.
        {{L"C:\\Apps\\Tools\\Tapwhile\\Other.chm"}, nullptr},
    };
    for (const Case& c : cases) {
        FakeFiles fs{c.files, {}};
        std::optional<std::wstring> found = FindHelpFile(program, fs.Exists());
        if (c.found) {
            EXPECT_EQ(found.value_or(L"(none)"), c.found);
        } else {
            EXPECT_FALSE(found.has_value()) << *found;
        }
    }
}

TEST(ShellHelpLookup, AsksEachFolderOnceNearestFirstAndStopsAtTheRoot) {
    FakeFiles fs;
    EXPECT_FALSE(FindHelpFile(L"D:\\a\\b\\Tapwhile.exe", fs.Exists()).has_value());
    EXPECT_EQ(fs.asked,
              (std::vector<std::wstring>{L"D:\\a\\b\\Tapwhile.chm", L"D:\\a\\Tapwhile.chm", L"D:\\Tapwhile.chm"}));

    // A program file in a root folder: that one candidate only.
    FakeFiles root;
    EXPECT_FALSE(FindHelpFile(L"C:\\Tapwhile.exe", root.Exists()).has_value());
    EXPECT_EQ(root.asked, (std::vector<std::wstring>{L"C:\\Tapwhile.chm"}));

    // On a network share the share is the root.
    FakeFiles share;
    EXPECT_FALSE(FindHelpFile(L"\\\\srv\\tools\\x\\Tapwhile.exe", share.Exists()).has_value());
    EXPECT_EQ(share.asked,
              (std::vector<std::wstring>{L"\\\\srv\\tools\\x\\Tapwhile.chm", L"\\\\srv\\tools\\Tapwhile.chm"}));
}

}  // namespace
}  // namespace tw
