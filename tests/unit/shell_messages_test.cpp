// The shell helpers' texts, character by character.
#include "shell/shell_messages.h"

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

struct TextCase {
    std::wstring actual;
    const wchar_t* expected;
};

TEST(ShellMessages, ShortcutTextsJoinTheirPiecesWithTheirOwnSpaces) {
    const std::wstring F = L"デスクトップ";
    const std::wstring N = L"カタコト号.lnk";
    const TextCase cases[] = {
        {AskUpdateShortcutText(F, N),
         L"フォルダ デスクトップ に\r\nカタコト号.lnk\r\nは既に存在します。更新しますか？\r\n\r\n"
         L"[はい]: 更新, [いいえ]: 削除, [ｷｬﾝｾﾙ]: 取消し"},
        {ShortcutUpdatedText(F, N), L"フォルダ デスクトップ の\r\nカタコト号.lnk\r\nを更新しました。"},
        {ShortcutUpdateFailedText(F, N, -2147024891, L"Access is denied"),
         L"フォルダ デスクトップ の\r\nカタコト号.lnk\r\nを更新できませんでした。HRESULT=-2147024891\r\nAccess is "
         L"denied"},
        {ShortcutDeletedText(F, N), L"フォルダ デスクトップ から \r\nカタコト号.lnk\r\nを削除しました。"},
        {ShortcutDeleteFailedText(F, N), L"フォルダ デスクトップ から \r\nカタコト号.lnk\r\nを削除できませんでした。"},
        {ShortcutCreatedText(F, N), L"フォルダ デスクトップ に\r\nカタコト号.lnk\r\nを新規作成しました。"},
        {ShortcutCreateFailedText(L"スタートアップ", N, -2147287038, L""),
         L"フォルダ スタートアップ に\r\nカタコト号.lnk\r\nを新規作成できませんでした。HRESULT=-2147287038\r\n"},
        {AskOpenFolderText(L"スタートメニューのプログラム"), L"フォルダ スタートメニューのプログラム を開きますか？"},
        {FolderNotFoundText(L"スタートアップ"), L"フォルダ スタートアップ の場所を取得できませんでした。"},
        {DeleteFailedText(N), L"Delete \"カタコト号.lnk\" Failed."},
        {HresultFailureText(L"SetPath Failed HRESULT=", -2147024809, L"The parameter is incorrect"),
         L"SetPath Failed HRESULT=-2147024809\r\nThe parameter is incorrect"},
        {HresultFailureText(L"SetDescription HRESULT=", 1, L"Incorrect function"),
         L"SetDescription HRESULT=1\r\nIncorrect function"},
    };
    for (const TextCase& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(ShellMessages, TheCancelWordIsHalfWidthKatakana) {
    // ｷｬﾝｾﾙ is U+FF77 U+FF6C U+FF9D U+FF7E U+FF99, not the full-width キャンセル.
    const std::wstring question = AskUpdateShortcutText(L"F", L"N");
    EXPECT_NE(question.find(L"[\uFF77\uFF6C\uFF9D\uFF7E\uFF99]: 取消し"), std::wstring::npos);
    EXPECT_EQ(question.find(L"キャンセル"), std::wstring::npos);
}

TEST(ShellMessages, LaunchFailuresNameTheCodeTheSystemTextAndWhatWasLaunched) {
    const TextCase cases[] = {
        {OpenFailedText(31, L"A device attached to the system is not functioning", L"\"C:\\a b\\Tapwhile.chm\""),
         L"Open Failed 31\r\nA device attached to the system is not functioning\r\n\"C:\\a b\\Tapwhile.chm\""},
        // An unknown code has an empty system text; the line breaks around it stay.
        {OpenFailedText(0, L"", L"https://brackwater.example/"), L"Open Failed 0\r\n\r\nhttps://brackwater.example/"},
        {OpenByFailedText(2, L"The system cannot find the file specified", L"explorer.exe",
                          L"/select,C:\\x\\カタコト号.lnk"),
         L"OpenBy Failed 2\r\nThe system cannot find the file "
         L"specified\r\nexplorer.exe\r\n/select,C:\\x\\カタコト号.lnk"},
        {PropertiesFailedText(L"C:\\Tapwhile\\Tapwhile.exe"),
         L"プロパティを表示できませんでした\r\nC:\\Tapwhile\\Tapwhile.exe"},
        {HelpFileNotFoundText(L"Tapwhile.chm"), L"HelpFile Not Found.\r\n\r\nTapwhile.chm"},
    };
    for (const TextCase& c : cases) EXPECT_EQ(c.actual, c.expected);
}

}  // namespace
}  // namespace tw
