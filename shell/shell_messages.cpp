#include "shell/shell_messages.h"

namespace tw {
namespace {

// "フォルダ " + folder + link + CR LF + name + CR LF + outcome: the shape of every shortcut text.
std::wstring FolderText(std::wstring_view folder, std::wstring_view link, std::wstring_view name,
                        std::wstring_view outcome) {
    std::wstring text = L"フォルダ ";
    text += folder;
    text += link;
    text += L"\r\n";
    text += name;
    text += L"\r\n";
    text += outcome;
    return text;
}

}  // namespace

std::wstring AskUpdateShortcutText(std::wstring_view folder, std::wstring_view name) {
    return FolderText(folder, L" に", name,
                      L"は既に存在します。更新しますか？\r\n\r\n[はい]: 更新, [いいえ]: 削除, [ｷｬﾝｾﾙ]: 取消し");
}

std::wstring ShortcutUpdatedText(std::wstring_view folder, std::wstring_view name) {
    return FolderText(folder, L" の", name, L"を更新しました。");
}

std::wstring ShortcutUpdateFailedText(std::wstring_view folder, std::wstring_view name, std::int32_t hresult,
                                      std::wstring_view systemText) {
    return FolderText(folder, L" の", name,
                      HresultFailureText(L"を更新できませんでした。HRESULT=", hresult, systemText));
}

std::wstring ShortcutDeletedText(std::wstring_view folder, std::wstring_view name) {
    return FolderText(folder, L" から ", name, L"を削除しました。");
}

std::wstring ShortcutDeleteFailedText(std::wstring_view folder, std::wstring_view name) {
    return FolderText(folder, L" から ", name, L"を削除できませんでした。");
}

std::wstring ShortcutCreatedText(std::wstring_view folder, std::wstring_view name) {
    return FolderText(folder, L" に", name, L"を新規作成しました。");
}

std::wstring ShortcutCreateFailedText(std::wstring_view folder, std::wstring_view name, std::int32_t hresult,
                                      std::wstring_view systemText) {
    return FolderText(folder, L" に", name,
                      HresultFailureText(L"を新規作成できませんでした。HRESULT=", hresult, systemText));
}

std::wstring AskOpenFolderText(std::wstring_view folder) {
    std::wstring text = L"フォルダ ";
    text += folder;
    text += L" を開きますか？";
    return text;
}

std::wstring FolderNotFoundText(std::wstring_view folder) {
    std::wstring text = L"フォルダ ";
    text += folder;
    text += L" の場所を取得できませんでした。";
    return text;
}

std::wstring DeleteFailedText(std::wstring_view name) {
    std::wstring text = L"Delete \"";
    text += name;
    text += L"\" Failed.";
    return text;
}

std::wstring HresultFailureText(std::wstring_view what, std::int32_t hresult, std::wstring_view systemText) {
    std::wstring text(what);
    text += std::to_wstring(hresult);
    text += L"\r\n";
    text += systemText;
    return text;
}

std::wstring OpenFailedText(long long code, std::wstring_view systemText, std::wstring_view target) {
    std::wstring text = L"Open Failed " + std::to_wstring(code) + L"\r\n";
    text += systemText;
    text += L"\r\n";
    text += target;
    return text;
}

std::wstring OpenByFailedText(long long code, std::wstring_view systemText, std::wstring_view program,
                              std::wstring_view parameter) {
    std::wstring text = L"OpenBy Failed " + std::to_wstring(code) + L"\r\n";
    text += systemText;
    text += L"\r\n";
    text += program;
    text += L"\r\n";
    text += parameter;
    return text;
}

std::wstring PropertiesFailedText(std::wstring_view fileName) {
    std::wstring text = L"プロパティを表示できませんでした\r\n";
    text += fileName;
    return text;
}

std::wstring HelpFileNotFoundText(std::wstring_view helpFileName) {
    std::wstring text = L"HelpFile Not Found.\r\n\r\n";
    text += helpFileName;
    return text;
}

}  // namespace tw
