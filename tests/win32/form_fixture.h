#pragma once
// A main window over fake services, with its settings, temporary and program folders in a
// throwaway folder of its own, started when the test says so (after preparing files).
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "app/tapwhile_form.h"
#include "fakes.h"

namespace tw::test {

class FormFixture : public testing::Test {
protected:
    FakeInput input;
    FakeClock clock;
    FakeDialogs dialogs;
    FakeShell shell;
    FakePaths paths;
    std::unique_ptr<TTapwhileForm> form;
    std::wstring root;  // the throwaway folder

    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        root = std::wstring(temp) + L"tw-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(counter_++);
        CreateDirectoryW(root.c_str(), nullptr);
        for (const wchar_t* folder : {L"\\AppData", L"\\Temp", L"\\Program"}) {
            CreateDirectoryW((root + folder).c_str(), nullptr);
        }
        paths.appData = root + L"\\AppData";
        paths.temp = root + L"\\Temp\\";
        paths.programFile = root + L"\\Program\\Tapwhile.exe";
        ShownErrors().clear();
    }

    void TearDown() override {
        form.reset();
        RemoveTree(root);
    }

    TTapwhileForm& Start() {
        form = std::make_unique<TTapwhileForm>(
            FormServices{input, clock, dialogs, shell, paths, FormatSettings::Japanese()});
        return *form;
    }

    std::wstring UserIni() const { return paths.appData + L"\\Brackwater\\Tapwhile\\Tapwhile.ini"; }
    std::wstring BesideIni() const { return root + L"\\Program\\Tapwhile.ini"; }

    static void WriteBytes(const std::wstring& path, const std::string& bytes) {
        std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
        SHCreateDirectory(folder);
        HANDLE file =
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }

    static std::optional<std::string> ReadBytes(const std::wstring& path) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return std::nullopt;
        std::string bytes(GetFileSize(file, nullptr), '\0');
        DWORD read = 0;
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        CloseHandle(file);
        bytes.resize(read);
        return bytes;
    }

    static bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

private:
    static void SHCreateDirectory(const std::wstring& folder) {
        for (size_t at = folder.find(L'\\', 3);; at = folder.find(L'\\', at + 1)) {
            CreateDirectoryW(folder.substr(0, at).c_str(), nullptr);
            if (at == std::wstring::npos) break;
        }
    }

    static void RemoveTree(const std::wstring& folder) {
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") continue;
                std::wstring path = folder + L"\\" + name;
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path);
                else
                    DeleteFileW(path.c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder.c_str());
    }

    static inline int counter_ = 0;
};

}  // namespace tw::test
