// Shortcut registration against the real special folders (under Wine: a throwaway prefix whose
// HOME and XDG_DATA_HOME lie in the build folder), with scripted answers and a recording shell.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <thread>

#include "app/tapwhile_form.h"
#include "fakes.h"
#include "platform/text.h"
#include "runtime/error.h"
#include "shell/shortcut_win.h"

namespace tw {
namespace {

const std::wstring LinkName = L"カタコト号.lnk";

constexpr int LinkTextSize = 1024;

struct LinkContents {
    std::wstring target, arguments, workingDirectory, description;
};

// Reads a link file back through the shell link object.
LinkContents ReadLink(const std::wstring& path) {
    LinkContents contents;
    ComRef<IShellLinkW> link;
    ComRef<IPersistFile> file;
    if (FAILED(CoCreateInstance(ShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, ShellLinkInterface, link.Put())) ||
        FAILED(link->QueryInterface(PersistFileInterface, file.Put())) || file->Load(path.c_str(), STGM_READ) != S_OK) {
        ADD_FAILURE() << "cannot load the link " << testing::PrintToString(path);
        return contents;
    }
    wchar_t text[LinkTextSize] = {};
    link->GetPath(text, LinkTextSize, nullptr, SLGP_RAWPATH);
    contents.target = text;
    text[0] = 0;
    link->GetArguments(text, LinkTextSize);
    contents.arguments = text;
    text[0] = 0;
    link->GetWorkingDirectory(text, LinkTextSize);
    contents.workingDirectory = text;
    text[0] = 0;
    link->GetDescription(text, LinkTextSize);
    contents.description = text;
    return contents;
}

bool FileThere(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring ModulePath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

// The freedesktop trash's files folder as a Windows path (Wine maps the Linux root to Z:);
// empty on Windows.
std::wstring TrashFilesFolder() {
    wchar_t data[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"XDG_DATA_HOME", data, MAX_PATH)) return {};
    std::wstring folder = std::wstring(L"Z:") + data + L"/Trash/files";
    for (wchar_t& c : folder)
        if (c == L'/') c = L'\\';
    return folder;
}

std::set<std::wstring> FolderEntries(const std::wstring& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do
        if (std::wstring(found.cFileName) != L"." && std::wstring(found.cFileName) != L"..")
            names.insert(found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// Answers the shell's own confirmation box (a dialog of this process) with one of its buttons,
// from a second thread while the shell's modal loop runs on the test's thread.
class ShellConfirmationAnswer {
public:
    explicit ShellConfirmationAnswer(int button) : button_(button), thread_([this] { Run(); }) {}
    ~ShellConfirmationAnswer() {
        stop_ = true;
        thread_.join();
    }
    bool Answered() const { return answered_; }

private:
    void Run() {
        auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!stop_ && !answered_ && std::chrono::steady_clock::now() < until) {
            EnumWindows(&ShellConfirmationAnswer::Visit, reinterpret_cast<LPARAM>(this));
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    static BOOL CALLBACK Visit(HWND window, LPARAM self) {
        auto* answer = reinterpret_cast<ShellConfirmationAnswer*>(self);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        HWND button = GetDlgItem(window, answer->button_);
        if (process != GetCurrentProcessId() || !IsWindowVisible(window) || std::wstring(className) != L"#32770" ||
            !button)
            return TRUE;
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(answer->button_, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        answer->answered_ = true;
        return FALSE;
    }

    int button_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> answered_{false};
    std::thread thread_;
};

// Scripted answers, and something to do while a question is open.
class ScriptedDialogs : public test::FakeDialogs {
public:
    std::function<void()> whileAsking;
    int QuestionBox(const std::wstring& text, UINT flags) override {
        if (whileAsking) whileAsking();
        return FakeDialogs::QuestionBox(text, flags);
    }
};

struct FolderRow {
    int id;
    const wchar_t* word;
    ui::Button TTapwhileForm::*button;
};
const FolderRow Folders[] = {
    {CSIDL_DESKTOP, L"デスクトップ", &TTapwhileForm::ButtonDeskTop},
    {CSIDL_PROGRAMS, L"スタートメニューのプログラム", &TTapwhileForm::ButtonStartMenu},
    {CSIDL_STARTUP, L"スタートアップ", &TTapwhileForm::ButtonStartUp},
};

class ShellShortcutTest : public testing::Test {
protected:
    test::FakeInput input;
    test::FakeClock clock;
    ScriptedDialogs dialogs;
    test::FakeShell shell;
    test::FakePaths paths;
    TTapwhileForm form{{input, clock, dialogs, shell, paths, FormatSettings::Japanese()}};
    ui::Application& app = ui::Application::Instance();

    void SetUp() override {
        test::ShownErrors().clear();
        paths.programFile = ModulePath();
        paths.temp = WinPaths().TempFolder();
        clock.now = DateTime::FromParts(2025, 10, 9, 14, 3, 27).value();
        // On a real desktop the user's own links step aside for the test and come back after it;
        // a link that cannot be set aside is not touched.
        for (const FolderRow& row : Folders) {
            const std::wstring link = LinkPath(row.id);
            if (GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES &&
                !MoveFileExW(link.c_str(), Backup(row.id).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
                GTEST_SKIP() << "cannot set the existing link aside: " << testing::PrintToString(link);
            movedAside_.push_back(row.id);
        }
    }
    void TearDown() override {
        for (int folderId : movedAside_) {
            const std::wstring link = LinkPath(folderId);
            DeleteFileW(link.c_str());
            RemoveDirectoryW(link.c_str());
            MoveFileExW(Backup(folderId).c_str(), link.c_str(), MOVEFILE_COPY_ALLOWED);
        }
        EXPECT_TRUE(test::ShownErrors().empty()) << testing::PrintToString(test::ShownErrors());
    }
    std::wstring Backup(int folderId) const {
        return paths.temp + L"tw_link_backup_" + std::to_wstring(folderId) + L".lnk";
    }
    std::vector<int> movedAside_;  // folders whose link place is the test's until TearDown
    static std::wstring Folder(int folderId) {
        return SpecialFolderPath(folderId, ui::Application::Instance().Handle());
    }
    static std::wstring LinkPath(int folderId) { return Folder(folderId) + LinkName; }

    void Click(const FolderRow& row, std::vector<int> answers) {
        dialogs.shown.clear();
        dialogs.answers = std::move(answers);
        shell.launches.clear();
        (form.*row.button).Click();
    }
    std::vector<std::wstring> ShownTexts() const {
        std::vector<std::wstring> texts;
        for (const auto& shown : dialogs.shown) texts.push_back(shown.text);
        return texts;
    }
};

std::wstring AskUpdate(const std::wstring& f) {
    return L"フォルダ " + f +
           L" に\r\nカタコト号.lnk\r\nは既に存在します。更新しますか？\r\n\r\n[はい]: 更新, [いいえ]: 削除, [ｷｬﾝｾﾙ]: "
           L"取消し";
}
std::wstring AskOpenFolder(const std::wstring& f) { return L"フォルダ " + f + L" を開きますか？"; }

TEST_F(ShellShortcutTest, SpecialFoldersEndInASeparator) {
    for (const FolderRow& row : Folders) {
        wchar_t expected[MAX_PATH] = {};
        ASSERT_EQ(SHGetFolderPathW(nullptr, row.id, nullptr, SHGFP_TYPE_CURRENT, expected), S_OK);
        EXPECT_EQ(Folder(row.id), std::wstring(expected) + L"\\");
    }
}

TEST_F(ShellShortcutTest, FirstClickCreatesARealLinkWithoutAskingThenOffersTheFolder) {
    for (const FolderRow& row : Folders) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.word)));
        app.SetTitle(AppTitle + L" 12:34");  // as the idle display leaves it
        Click(row, {IDNO});
        EXPECT_EQ(app.Title(), AppTitle);
        const std::wstring f = row.word;
        EXPECT_EQ(ShownTexts(),
                  (std::vector<std::wstring>{L"フォルダ " + f + L" に\r\nカタコト号.lnk\r\nを新規作成しました。",
                                             AskOpenFolder(f)}));
        ASSERT_EQ(dialogs.shown.size(), 2u);
        EXPECT_EQ(dialogs.shown[0].flags, 0u);
        EXPECT_EQ(dialogs.shown[1].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
        EXPECT_EQ(dialogs.shown[1].flags, 0x24u);
        EXPECT_TRUE(shell.launches.empty());

        ASSERT_TRUE(FileThere(LinkPath(row.id)));
        LinkContents link = ReadLink(LinkPath(row.id));
        EXPECT_EQ(link.target, paths.programFile);
        EXPECT_EQ(link.arguments, L"");
        EXPECT_EQ(link.workingDirectory, paths.temp);
        EXPECT_EQ(link.description, L"2025/10/09 14:03:27 Created by win32_tests V2.9");
    }
}

TEST_F(ShellShortcutTest, SecondClickAsksAndCancelChangesNothing) {
    const FolderRow& row = Folders[0];
    Click(row, {IDNO});
    const LinkContents before = ReadLink(LinkPath(row.id));
    clock.now = clock.now.AddMilliseconds(3'600'000);

    for (int answer : {IDCANCEL, IDOK}) {  // IDOK: any other answer counts as Cancel
        Click(row, {answer});
        EXPECT_EQ(ShownTexts(), (std::vector<std::wstring>{AskUpdate(row.word)}));
        EXPECT_EQ(dialogs.shown[0].flags, 0x23u);
        EXPECT_TRUE(shell.launches.empty());
        EXPECT_EQ(ReadLink(LinkPath(row.id)).description, before.description);
    }
}

TEST_F(ShellShortcutTest, YesUpdatesTheLinkAndOpensTheExplorerWithTheLinkSelected) {
    const FolderRow& row = Folders[1];
    Click(row, {IDNO});
    clock.now = DateTime::FromParts(2026, 1, 2, 3, 4, 5).value();
    Click(row, {IDYES, IDYES});
    const std::wstring f = row.word;
    EXPECT_EQ(ShownTexts(),
              (std::vector<std::wstring>{AskUpdate(f), L"フォルダ " + f + L" の\r\nカタコト号.lnk\r\nを更新しました。",
                                         AskOpenFolder(f)}));
    EXPECT_EQ(ReadLink(LinkPath(row.id)).description, L"2026/01/02 03:04:05 Created by win32_tests V2.9");
    ASSERT_EQ(shell.launches.size(), 1u);
    EXPECT_EQ(shell.launches[0].verb, L"open");
    EXPECT_EQ(shell.launches[0].file, L"explorer.exe");
    EXPECT_EQ(shell.launches[0].parameters, L"/select," + LinkPath(row.id));
    EXPECT_EQ(shell.launches[0].show, SW_SHOWNORMAL);
}

TEST_F(ShellShortcutTest, NoMovesTheLinkToTheRecycleBinThenOpensTheFolderItself) {
    const FolderRow& row = Folders[0];
    Click(row, {IDNO});
    const std::wstring trash = TrashFilesFolder();
    const std::set<std::wstring> trashBefore = FolderEntries(trash);
    {
        ShellConfirmationAnswer yes(IDYES);
        Click(row, {IDNO, IDYES});
    }
    const std::wstring f = row.word;
    EXPECT_EQ(ShownTexts(),
              (std::vector<std::wstring>{
                  AskUpdate(f), L"フォルダ " + f + L" から \r\nカタコト号.lnk\r\nを削除しました。", AskOpenFolder(f)}));
    EXPECT_FALSE(FileThere(LinkPath(row.id)));
    if (!trash.empty()) {
        std::set<std::wstring> added;
        for (const std::wstring& name : FolderEntries(trash))
            if (!trashBefore.count(name)) added.insert(name);
        ASSERT_EQ(added.size(), 1u) << "one new item in the trash";
        EXPECT_EQ(added.begin()->rfind(L"カタコト号", 0), 0u) << testing::PrintToString(*added.begin());
        // Empty it again: the trash is the throwaway home's, but runs should not pile up there.
        DeleteFileW((trash + L"\\" + *added.begin()).c_str());
        DeleteFileW((trash + L"\\..\\info\\" + *added.begin() + L".trashinfo").c_str());
    }
    // The link is gone: the folder itself opens, without its trailing separator.
    std::wstring folder = Folder(row.id);
    folder.pop_back();
    ASSERT_EQ(shell.launches.size(), 1u);
    EXPECT_EQ(shell.launches[0].file, folder);
    EXPECT_EQ(shell.launches[0].parameters, L"");
}

TEST_F(ShellShortcutTest, DecliningTheShellsConfirmationKeepsTheLinkAndReportsTwice) {
    const FolderRow& row = Folders[2];
    Click(row, {IDNO});
    bool answered = false;
    {
        ShellConfirmationAnswer no(IDNO);
        Click(row, {IDNO, IDNO});
        answered = no.Answered();
    }
    if (!answered) GTEST_SKIP() << "the shell deleted without asking; nothing to decline here";
    const std::wstring f = row.word;
    ASSERT_EQ(dialogs.shown.size(), 4u) << testing::PrintToString(ShownTexts());
    EXPECT_EQ(dialogs.shown[0].text, AskUpdate(f));
    EXPECT_TRUE(dialogs.shown[1].text == L"Operations Aborted." ||
                dialogs.shown[1].text == L"Delete \"カタコト号.lnk\" Failed.")
        << testing::PrintToString(dialogs.shown[1].text);
    EXPECT_EQ(dialogs.shown[2].text, L"フォルダ " + f + L" から \r\nカタコト号.lnk\r\nを削除できませんでした。");
    EXPECT_EQ(dialogs.shown[3].text, AskOpenFolder(f));
    EXPECT_TRUE(FileThere(LinkPath(row.id)));
}

TEST_F(ShellShortcutTest, ALinkGoneWhileTheQuestionIsOpenCountsAsDeleted) {
    const FolderRow& row = Folders[2];
    Click(row, {IDNO});
    const std::wstring link = LinkPath(row.id);
    dialogs.whileAsking = [&] { DeleteFileW(link.c_str()); };
    Click(row, {IDNO, IDNO});
    const std::wstring f = row.word;
    EXPECT_EQ(ShownTexts(),
              (std::vector<std::wstring>{
                  AskUpdate(f), L"フォルダ " + f + L" から \r\nカタコト号.lnk\r\nを削除しました。", AskOpenFolder(f)}));
}

// The text after "HRESULT=" in a failure message: the code, then a line break and the system text.
void ExpectFailureTail(const std::wstring& text, const std::wstring& head) {
    ASSERT_EQ(text.substr(0, head.size()), head) << testing::PrintToString(text);
    std::size_t lineBreak = text.find(L"\r\n", head.size());
    ASSERT_NE(lineBreak, std::wstring::npos);
    const long hr = std::stol(text.substr(head.size(), lineBreak - head.size()));
    EXPECT_LT(hr, 0);
    EXPECT_EQ(text.substr(lineBreak + 2), SystemErrorText(static_cast<DWORD>(hr)));
}

TEST_F(ShellShortcutTest, ASaveThatFailsIsReportedWithItsHresultAndTheFlowGoesOn) {
    // A folder of the link's name: no file is there, so the link is made, and its save fails.
    const FolderRow& row = Folders[2];
    ASSERT_TRUE(CreateDirectoryW(LinkPath(row.id).c_str(), nullptr));
    Click(row, {IDYES});
    const std::wstring f = row.word;
    ASSERT_EQ(dialogs.shown.size(), 2u) << testing::PrintToString(ShownTexts());
    ExpectFailureTail(dialogs.shown[0].text,
                      L"フォルダ " + f + L" に\r\nカタコト号.lnk\r\nを新規作成できませんでした。HRESULT=");
    EXPECT_EQ(dialogs.shown[1].text, AskOpenFolder(f));
    // Still no file of that name: Yes opens the folder itself.
    ASSERT_EQ(shell.launches.size(), 1u);
    EXPECT_EQ(shell.launches[0].file + L"\\", Folder(row.id));
}

TEST_F(ShellShortcutTest, AnUpdateThatCannotWriteIsReportedWithItsHresult) {
    const FolderRow& row = Folders[0];
    Click(row, {IDNO});
    const LinkContents before = ReadLink(LinkPath(row.id));
    HANDLE lock = CreateFileW(LinkPath(row.id).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    clock.now = clock.now.AddMilliseconds(60'000);
    Click(row, {IDYES, IDNO});
    CloseHandle(lock);
    const std::wstring f = row.word;
    ASSERT_EQ(dialogs.shown.size(), 3u) << testing::PrintToString(ShownTexts());
    EXPECT_EQ(dialogs.shown[0].text, AskUpdate(f));
    ExpectFailureTail(dialogs.shown[1].text,
                      L"フォルダ " + f + L" の\r\nカタコト号.lnk\r\nを更新できませんでした。HRESULT=");
    EXPECT_EQ(dialogs.shown[2].text, AskOpenFolder(f));
    EXPECT_EQ(ReadLink(LinkPath(row.id)).description, before.description);
}

TEST_F(ShellShortcutTest, AFolderWithoutAPathIsNamedAndNothingElseHappens) {
    // The control panel is a folder of the shell with no file-system path; 0x7F is no folder.
    for (int folderId : {CSIDL_CONTROLS, 0x7F}) {
        dialogs.shown.clear();
        form.RegisterShortcut(folderId, L"コントロールパネル", paths.programFile);
        EXPECT_EQ(ShownTexts(),
                  (std::vector<std::wstring>{L"フォルダ コントロールパネル の場所を取得できませんでした。"}));
        EXPECT_TRUE(shell.launches.empty());
    }
}

// A link object that records its setters and fails the one it is told to.
class RecordingLink : public IShellLinkW {
public:
    std::wstring failing;  // the setter that fails
    HRESULT failure = E_INVALIDARG;
    std::vector<std::wstring> calls;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE SetPath(LPCWSTR text) override { return Set(L"SetPath", text); }
    HRESULT STDMETHODCALLTYPE SetArguments(LPCWSTR text) override { return Set(L"SetArguments", text); }
    HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCWSTR text) override { return Set(L"SetWorkingDirectory", text); }
    HRESULT STDMETHODCALLTYPE SetDescription(LPCWSTR text) override { return Set(L"SetDescription", text); }
    HRESULT STDMETHODCALLTYPE GetPath(LPWSTR, int, WIN32_FIND_DATAW*, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDList(PIDLIST_ABSOLUTE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetIDList(PCIDLIST_ABSOLUTE) override { return Unexpected(L"SetIDList"); }
    HRESULT STDMETHODCALLTYPE GetDescription(LPWSTR, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPWSTR, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetArguments(LPWSTR, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetHotkey(WORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetHotkey(WORD) override { return Unexpected(L"SetHotkey"); }
    HRESULT STDMETHODCALLTYPE GetShowCmd(int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetShowCmd(int) override { return Unexpected(L"SetShowCmd"); }
    HRESULT STDMETHODCALLTYPE GetIconLocation(LPWSTR, int, int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetIconLocation(LPCWSTR, int) override { return Unexpected(L"SetIconLocation"); }
    HRESULT STDMETHODCALLTYPE SetRelativePath(LPCWSTR, DWORD) override { return Unexpected(L"SetRelativePath"); }
    HRESULT STDMETHODCALLTYPE Resolve(HWND, DWORD) override { return Unexpected(L"Resolve"); }

private:
    HRESULT Set(const wchar_t* name, LPCWSTR text) {
        calls.push_back(std::wstring(name) + L"(" + text + L")");
        return failing == name ? failure : S_OK;
    }
    HRESULT Unexpected(const wchar_t* name) {
        calls.push_back(name);
        return S_OK;
    }
};

TEST_F(ShellShortcutTest, CreateShortcutQuotesTheTargetAndSetsOnlyWhatItMust) {
    RecordingLink link;
    EXPECT_EQ(&CreateShortcut(link, L"C:\\Program Files\\Tapwhile\\Tapwhile.exe", L"", L"C:\\Temp\\", L"d"), &link);
    EXPECT_EQ(link.calls, (std::vector<std::wstring>{L"SetPath(\"C:\\Program Files\\Tapwhile\\Tapwhile.exe\")",
                                                     L"SetWorkingDirectory(C:\\Temp\\)", L"SetDescription(d)"}));
    RecordingLink withArguments;
    CreateShortcut(withArguments, L"C:\\T.exe", L"a \"b\"", L"C:\\Temp\\", L"d");
    EXPECT_EQ(withArguments.calls[1], L"SetArguments(\"a \"\"b\"\"\")");
}

TEST_F(ShellShortcutTest, CreateShortcutStopsAtTheFirstFailingSetterWithItsWords) {
    struct Case {
        const wchar_t* failing;
        HRESULT failure;
        const wchar_t* words;
        std::size_t calls;
    } cases[] = {
        {L"SetPath", E_INVALIDARG, L"SetPath Failed HRESULT=", 1},
        {L"SetArguments", E_OUTOFMEMORY, L"SetArguments Failed HRESULT=", 2},
        {L"SetWorkingDirectory", E_FAIL, L"SetWorkingDirectory Failed HRESULT=", 3},
        {L"SetDescription", S_FALSE, L"SetDescription HRESULT=", 4},  // anything but 0 fails
    };
    for (const Case& c : cases) {
        RecordingLink link;
        link.failing = c.failing;
        link.failure = c.failure;
        try {
            CreateShortcut(link, L"C:\\T.exe", L"x", L"C:\\Temp\\", L"d");
            ADD_FAILURE() << "no error for " << testing::PrintToString(std::wstring(c.failing));
        } catch (const Error& error) {
            EXPECT_EQ(error.Message(),
                      c.words + std::to_wstring(c.failure) + L"\r\n" + SystemErrorText(static_cast<DWORD>(c.failure)));
        }
        EXPECT_EQ(link.calls.size(), c.calls);
    }
}

}  // namespace
}  // namespace tw
