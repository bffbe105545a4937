#include "history/hand_over.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(HandOver, OnlySystemTemporaryNamesDirectlyInTheTempFolderAreTaken) {
    const wchar_t* temp = L"C:\\Users\\taro\\AppData\\Local\\Temp\\";
    struct Case {
        const wchar_t* path;
        bool taken;
    } cases[] = {
        {L"C:\\Users\\taro\\AppData\\Local\\Temp\\tmpA1B2.tmp", true},
        {L"c:\\users\\TARO\\appdata\\local\\temp\\TMP1.TMP", true},
        {L"C:\\Users\\taro\\AppData\\Local\\Temp\\tmpFFFFFFFF.tmp", true},
        {L"C:\\Users\\taro\\AppData\\Local\\Temp\\tmp123456789.tmp", false},  // nine digits
        {L"C:\\Users\\taro\\AppData\\Local\\Temp\\tmp.tmp", false},
        {L"C:\\Users\\taro\\AppData\\Local\\Temp\\tmpXYZ.tmp", false},
        {L"C:\\Users\\taro\\AppData\\Local\\Temp\\sub\\tmp1.tmp", false},
        {L"C:\\Users\\taro\\AppData\\Local\\Temp\\..\\tmp1.tmp", false},
        {L"C:\\Users\\taro\\Documents\\tmp1.tmp", false},
        {L"C:\\Users\\taro\\AppData\\Local\\Temp\\report.docx", false},
        {L"C:\\Users\\taro\\AppData\\Local\\Temp\\tmp1.tmp.lnk", false},
        {L"C:\\Users\\taro\\AppData\\Local\\Temptation\\tmp1.tmp", false},
        {L"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsHandOverFilePath(c.path, temp), c.taken) << c.path;
    EXPECT_TRUE(IsHandOverFilePath(L"C:\\Temp\\tmp1.tmp", L"C:\\Temp"));  // folder without its backslash
    EXPECT_FALSE(IsHandOverFilePath(L"\\tmp1.tmp", L""));                 // no temp folder known
}

}  // namespace
}  // namespace tw
