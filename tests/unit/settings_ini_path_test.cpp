#include "settings/ini_path.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

struct PathCase {
    const wchar_t* appData;
    const wchar_t* programFile;
    const wchar_t* iniFile;
};

TEST(IniPath, PerUserFileIsNamedAfterTheProgramFile) {
    const PathCase cases[] = {
        {L"C:\\Users\\u\\AppData\\Roaming", L"C:\\Tools\\B.exe",
         L"C:\\Users\\u\\AppData\\Roaming\\Brackwater\\B\\B.ini"},
        {L"C:\\Users\\u\\AppData\\Roaming\\", L"C:\\Tools\\Tapwhile.exe",
         L"C:\\Users\\u\\AppData\\Roaming\\Brackwater\\Tapwhile\\Tapwhile.ini"},
        {L"", L"C:\\Tools\\Tapwhile.exe", L"Brackwater\\Tapwhile\\Tapwhile.ini"},
        {L"D:\\", L"C:\\dir.x\\my.tool.exe", L"D:\\Brackwater\\my.tool\\my.tool.ini"},
        {L"D:\\Roaming", L"C:\\dir.x\\prog", L"D:\\Roaming\\Brackwater\\prog\\prog.ini"},
    };
    for (const PathCase& c : cases) {
        EXPECT_EQ(IniFilePath(c.appData, c.programFile), c.iniFile) << c.programFile;
    }
}

TEST(IniPath, FileBesideTheProgramReplacesTheExtension) {
    EXPECT_EQ(FileBesideProgram(L"C:\\Tools\\B.exe"), L"C:\\Tools\\B.ini");
    EXPECT_EQ(FileBesideProgram(L"C:\\Tools\\my.tool.exe"), L"C:\\Tools\\my.tool.ini");
    EXPECT_EQ(FileBesideProgram(L"C:\\dir.x\\prog"), L"C:\\dir.x\\prog.ini");
    EXPECT_EQ(FileBesideProgram(L"prog"), L"prog.ini");
}

TEST(IniPath, PartsOfTheProgramFile) {
    EXPECT_EQ(ProgramFileName(L"C:\\Program Files\\Tapwhile\\Tapwhile.exe"), L"Tapwhile.exe");
    EXPECT_EQ(ProgramBaseName(L"C:\\Program Files\\Tapwhile\\Tapwhile.exe"), L"Tapwhile");
    EXPECT_EQ(ProgramFolder(L"C:\\Program Files\\Tapwhile\\Tapwhile.exe"), L"C:\\Program Files\\Tapwhile\\");
    EXPECT_EQ(ProgramBaseName(L"C:\\dir.x\\prog"), L"prog");
    EXPECT_EQ(ProgramFileName(L"Tapwhile.exe"), L"Tapwhile.exe");
    EXPECT_EQ(ProgramFolder(L"Tapwhile.exe"), L"");
}

}  // namespace
}  // namespace tw
