// Path pieces, quoting and the shortcut's name, description and explorer parameter.
#include <gtest/gtest.h>

#include <string>

#include "runtime/format_settings.h"
#include "shell/path_parts.h"
#include "shell/shortcut_rules.h"

namespace tw {
namespace {

TEST(ShellPaths, PiecesOfAPath) {
    struct Case {
        const wchar_t* path;
        const wchar_t* name;
        const wchar_t* parent;
        const wchar_t* base;
        std::size_t root;
    } cases[] = {
        {L"C:\\Tapwhile\\Tapwhile.exe", L"Tapwhile.exe", L"C:\\Tapwhile", L"Tapwhile", 3},
        {L"C:\\Users\\a\\Desktop\\カタコト号.lnk", L"カタコト号.lnk", L"C:\\Users\\a\\Desktop", L"カタコト号", 3},
        {L"C:\\Tapwhile.exe", L"Tapwhile.exe", L"C:\\", L"Tapwhile", 3},  // the root stays whole
        {L"C:\\tools.v2\\run", L"run", L"C:\\tools.v2", L"run", 3},       // a dot in a folder is no extension
        {L"C:\\a\\my.app.exe", L"my.app.exe", L"C:\\a", L"my.app", 3},
        {L"\\\\srv\\share\\x\\T.exe", L"T.exe", L"\\\\srv\\share\\x", L"T", 12},
        {L"\\\\srv\\share\\T.exe", L"T.exe", L"\\\\srv\\share\\", L"T", 12},
        {L"\\\\?\\C:\\T.exe", L"T.exe", L"\\\\?\\C:\\", L"T", 7},
        {L"\\\\?\\UNC\\srv\\share\\T.exe", L"T.exe", L"\\\\?\\UNC\\srv\\share\\", L"T", 18},
        {L"T.exe", L"T.exe", L"", L"T", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "path index " << (&c - cases));
        EXPECT_EQ(FileNamePart(c.path), c.name);
        EXPECT_EQ(ParentPath(c.path), c.parent);
        EXPECT_EQ(BaseName(c.path), c.base);
        EXPECT_EQ(RootLength(c.path), c.root);
    }
}

TEST(ShellPaths, ExtensionsAndSeparators) {
    EXPECT_EQ(ChangeExtension(L"C:\\a\\Tapwhile.exe", L".chm"), L"C:\\a\\Tapwhile.chm");
    EXPECT_EQ(ChangeExtension(L"C:\\a\\my.app.exe", L".chm"), L"C:\\a\\my.app.chm");
    EXPECT_EQ(ChangeExtension(L"C:\\a.b\\Tapwhile", L".chm"), L"C:\\a.b\\Tapwhile.chm");
    EXPECT_EQ(WithTrailingSeparator(L"C:\\Users\\a\\Desktop"), L"C:\\Users\\a\\Desktop\\");
    EXPECT_EQ(WithTrailingSeparator(L"C:\\"), L"C:\\");
}

TEST(ShellPaths, QuotingMakesOneNameAndDoublesInnerQuotes) {
    EXPECT_EQ(Quoted(L"C:\\Program Files\\Tapwhile\\Tapwhile.exe"), L"\"C:\\Program Files\\Tapwhile\\Tapwhile.exe\"");
    EXPECT_EQ(Quoted(L"say \"hi\""), L"\"say \"\"hi\"\"\"");
    EXPECT_EQ(Quoted(L""), L"\"\"");
}

TEST(ShellShortcutRules, OneNameInEveryFolder) {
    EXPECT_EQ(ShortcutPath(L"C:\\Users\\a\\Desktop\\", L"カタコト号"), L"C:\\Users\\a\\Desktop\\カタコト号.lnk");
    EXPECT_EQ(ShortcutPath(L"C:\\Users\\a\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\",
                           L"カタコト号"),
              L"C:\\Users\\a\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\カタコト号.lnk");
}

TEST(ShellShortcutRules, DescriptionCarriesTheMomentTheProgramAndTheVersion) {
    const DateTime t = DateTime::FromParts(2025, 10, 9, 14, 3, 27, 999).value();
    EXPECT_EQ(ShortcutDescription(t, L"C:\\Tapwhile\\Tapwhile.exe", L"V2.9", FormatSettings::Japanese()),
              L"2025/10/09 14:03:27 Created by Tapwhile V2.9");
    // Early hours keep their leading zero; the separators follow the settings.
    FormatSettings german = FormatSettings::Japanese();
    german.DateSeparator = L'.';
    german.TimeSeparator = L'-';
    EXPECT_EQ(
        ShortcutDescription(DateTime::FromParts(2026, 1, 2, 3, 4, 5).value(), L"D:\\x\\Renamed.exe", L"V2.9", german),
        L"2026.01.02 03-04-05 Created by Renamed V2.9");
}

TEST(ShellShortcutRules, ExplorerSelectsTheLinkByItsPath) {
    EXPECT_EQ(ExplorerSelectParameter(L"C:\\Users\\John Smith\\Desktop\\カタコト号.lnk"),
              L"/select,C:\\Users\\John Smith\\Desktop\\カタコト号.lnk");
    // The explorer would end the path at the comma: such a path goes in quotation marks.
    EXPECT_EQ(ExplorerSelectParameter(L"C:\\Users\\a\\OneDrive - Contoso, Ltd\\Desktop\\カタコト号.lnk"),
              L"/select,\"C:\\Users\\a\\OneDrive - Contoso, Ltd\\Desktop\\カタコト号.lnk\"");
}

}  // namespace
}  // namespace tw
