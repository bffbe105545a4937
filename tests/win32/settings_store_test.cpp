// The settings store's files on a real file system, in a throwaway folder under the temp folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/error.h"
#include "settings/settings_store.h"

namespace tw {
namespace {

using namespace std::string_literals;

class SettingsStore : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
        folder_ = std::wstring(temp) + L"tw_settings_test_" + std::to_wstring(GetCurrentProcessId());
        RemoveFolder();
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
        path_ = folder_ + L"\\Tapwhile.ini";
    }

    void TearDown() override { RemoveFolder(); }

    void RemoveFolder() {
        for (const std::wstring& name : FilesInFolder()) {
            const std::wstring file = folder_ + L"\\" + name;
            SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(file.c_str());
        }
        RemoveDirectoryW(folder_.c_str());
    }

    std::vector<std::wstring> FilesInFolder() const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW data;
        const HANDLE find = FindFirstFileW((folder_ + L"\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) {
            return names;
        }
        do {
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                names.emplace_back(data.cFileName);
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
        return names;
    }

    static void WriteBytes(const std::wstring& path, const std::string& bytes) {
        const HANDLE file =
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
        CloseHandle(file);
    }

    static std::string ReadBytes(const std::wstring& path) {
        std::string bytes;
        const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(file, INVALID_HANDLE_VALUE);
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
            bytes.append(buffer, read);
        }
        CloseHandle(file);
        return bytes;
    }

    // The message of the tw::Error that the call throws; empty when it throws none.
    template <typename Call>
    static std::wstring ErrorOf(Call call) {
        try {
            call();
        } catch (const Error& error) {
            return error.Message();
        }
        return {};
    }

    // A failure message names the file on its first line and gives the system's reason after.
    void ExpectFileMessage(const std::wstring& message, const std::wstring& path) const {
        const std::size_t lineEnd = message.find(L"\r\n");
        ASSERT_NE(lineEnd, std::wstring::npos) << testing::PrintToString(message);
        EXPECT_NE(message.substr(0, lineEnd).find(path), std::wstring::npos);
        EXPECT_GT(message.size(), lineEnd + 2) << "no reason given";
    }

    std::wstring folder_;
    std::wstring path_;
};

TEST_F(SettingsStore, SafeWriteCreatesTheFileAndLeavesNothingElse) {
    WriteTextFileSafely(path_, L"[PROGRAM]\r\nName=Tapwhile.exe\r\n\r\n", TextEncoding::Ansi);
    EXPECT_EQ(ReadBytes(path_), "[PROGRAM]\r\nName=Tapwhile.exe\r\n\r\n");
    EXPECT_EQ(FilesInFolder(), std::vector<std::wstring>{L"Tapwhile.ini"});
}

TEST_F(SettingsStore, SafeWriteReplacesTheContentAndKeepsTheAttributes) {
    WriteBytes(path_, "[OLD]\r\nlonger old content that must not survive\r\n");
    ASSERT_TRUE(SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_HIDDEN));
    WriteTextFileSafely(path_, L"[NEW]\r\n", TextEncoding::Ansi);
    EXPECT_EQ(ReadBytes(path_), "[NEW]\r\n");
    EXPECT_NE(GetFileAttributesW(path_.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(FilesInFolder(), std::vector<std::wstring>{L"Tapwhile.ini"});
}

TEST_F(SettingsStore, ReadOnlyFileIsNotWrittenAndStaysAsItWas) {
    const std::string old = "[PROGRAM]\r\nName=old\r\n";
    WriteBytes(path_, old);
    ASSERT_TRUE(SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::wstring message =
        ErrorOf([&] { WriteTextFileSafely(path_, L"[PROGRAM]\r\nName=new\r\n", TextEncoding::Ansi); });
    ExpectFileMessage(message, path_);
    EXPECT_EQ(ReadBytes(path_), old);
    EXPECT_EQ(FilesInFolder(), std::vector<std::wstring>{L"Tapwhile.ini"});
}

TEST_F(SettingsStore, LockedFileIsNotWrittenAndStaysAsItWas) {
    const std::string old = "[PROGRAM]\r\nName=old\r\n";
    WriteBytes(path_, old);
    const HANDLE lock =
        CreateFileW(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    const std::wstring writeMessage =
        ErrorOf([&] { WriteTextFileSafely(path_, L"[PROGRAM]\r\nName=new\r\n", TextEncoding::Ansi); });
    const std::wstring readMessage = ErrorOf([&] { ReadTextFile(path_); });
    CloseHandle(lock);
    ExpectFileMessage(writeMessage, path_);
    ExpectFileMessage(readMessage, path_);
    EXPECT_EQ(ReadBytes(path_), old);
    EXPECT_EQ(FilesInFolder(), std::vector<std::wstring>{L"Tapwhile.ini"});
}

TEST_F(SettingsStore, WriteIntoAMissingFolderFailsWithTheMessage) {
    const std::wstring path = folder_ + L"\\missing\\Tapwhile.ini";
    ExpectFileMessage(ErrorOf([&] { WriteTextFileSafely(path, L"x", TextEncoding::Ansi); }), path);
    ExpectFileMessage(ErrorOf([&] { WriteTextFilePlain(path, L"x", TextEncoding::Ansi); }), path);
}

TEST_F(SettingsStore, ByteOrderMarksAreReadAndWrittenBack) {
    const std::wstring text = L"[OPTION]\r\nStyleName=\u8A2D\u5B9A\U0001F600\r\n";
    for (const TextEncoding encoding : {TextEncoding::Utf8Bom, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
        WriteTextFileSafely(path_, text, encoding);
        const TextFile file = ReadTextFile(path_);
        EXPECT_EQ(file.encoding, encoding);
        EXPECT_EQ(file.text, text);
    }
    WriteTextFileSafely(path_, L"A", TextEncoding::Utf16LE);
    EXPECT_EQ(ReadBytes(path_),
              "\xFF\xFE"
              "A\0"s);
}

TEST_F(SettingsStore, AnsiTextIsWrittenWithoutMarkUnlessTheCodePageCannotHoldIt) {
    WriteTextFileSafely(path_, L"[PROGRAM]\r\n", TextEncoding::Ansi);
    EXPECT_EQ(ReadBytes(path_), "[PROGRAM]\r\n");
    EXPECT_EQ(ReadTextFile(path_).encoding, TextEncoding::Ansi);

    if (GetACP() == 932) {
        WriteTextFilePlain(path_, L"\u8A2D\u5B9A", TextEncoding::Ansi);
        EXPECT_EQ(ReadBytes(path_), "\x90\xDD\x92\xE8");
    }

    // No ANSI code page holds this character: '?' would lose it, UTF-8 keeps it.
    const std::wstring text = L"C:\\Users\\\U0001F600\\AppData\\Local\\Temp\\tmp1A.tmp";
    WriteTextFilePlain(path_, text, TextEncoding::Ansi);
    const TextFile file = ReadTextFile(path_);
    EXPECT_EQ(file.encoding, TextEncoding::Utf8Bom);
    EXPECT_EQ(file.text, text);
}

TEST_F(SettingsStore, HandOverFileInAnotherEncodingStillLoads) {
    WriteBytes(path_, "\xFE\xFF\0#\0\r\0\n"s);
    EXPECT_EQ(ReadTextFile(path_).text, L"#\r\n");
    WriteBytes(path_, "\xEF\xBB\xBF#\xE3\x81\x82\r\n");
    EXPECT_EQ(ReadTextFile(path_).text, L"#\u3042\r\n");
}

TEST_F(SettingsStore, BadFilesReadWithoutCrashing) {
    WriteBytes(path_, "");
    EXPECT_EQ(ReadTextFile(path_).text, L"");
    WriteBytes(path_, "\xFF\xFE\x41\x00\x42"s);  // UTF-16 of odd length
    EXPECT_EQ(ReadTextFile(path_).text, L"A");
    std::string garbage(70000, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i) {
        garbage[i] = static_cast<char>((i * 7919 + i / 13) & 0xFF);
    }
    WriteBytes(path_, garbage);
    EXPECT_NO_THROW(ReadTextFile(path_));
}

TEST_F(SettingsStore, FileOverTheSizeLimitIsRefusedWithTheMessage) {
    const HANDLE file =
        CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size{};
    size.QuadPart = static_cast<LONGLONG>(MaxTextFileBytes) + 1;
    ASSERT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file));
    CloseHandle(file);
    ExpectFileMessage(ErrorOf([&] { ReadTextFile(path_); }), path_);
}

TEST_F(SettingsStore, MissingFilesAndFolders) {
    EXPECT_FALSE(ReadTextFileIfExists(path_).has_value());
    EXPECT_FALSE(ReadTextFileIfExists(folder_ + L"\\no\\such.ini").has_value());
    ExpectFileMessage(ErrorOf([&] { ReadTextFile(path_); }), path_);
    EXPECT_FALSE(FileExists(path_));
    EXPECT_FALSE(FileExists(folder_));  // a folder is no file
    WriteBytes(path_, "x");
    EXPECT_TRUE(FileExists(path_));
    EXPECT_EQ(ReadTextFileIfExists(path_)->text, L"x");
}

TEST_F(SettingsStore, EnsureFolderCreatesAllMissingParents) {
    const std::wstring nested = folder_ + L"\\Brackwater\\Tapwhile";
    EXPECT_TRUE(EnsureFolder(nested));
    EXPECT_NE(GetFileAttributesW(nested.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_TRUE(EnsureFolder(nested + L"\\"));  // already there
    WriteBytes(path_, "x");
    EXPECT_FALSE(EnsureFolder(path_));                  // a file is in the way
    EXPECT_FALSE(EnsureFolder(path_ + L"\\Tapwhile"));  // under a file
    RemoveDirectoryW(nested.c_str());
    RemoveDirectoryW((folder_ + L"\\Brackwater").c_str());
}

TEST_F(SettingsStore, PlainWriteOverwritesTheHandOverFile) {
    WriteBytes(path_, "old content, longer than the new one");
    WriteTextFilePlain(path_, L"#1\r\n", TextEncoding::Ansi);
    EXPECT_EQ(ReadBytes(path_), "#1\r\n");
    WriteTextFilePlain(path_, L"", TextEncoding::Ansi);
    EXPECT_EQ(ReadBytes(path_), "");
}

}  // namespace
}  // namespace tw
