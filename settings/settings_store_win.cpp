#include "settings/settings_store.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <stdexcept>

#include "platform/text.h"
#include "runtime/error.h"

namespace tw {

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

    // False when the system could not finish writing the file.
    bool Close() {
        const bool closed = !Valid() || CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

// The attributes a user may have given the settings file that its new content keeps.
constexpr DWORD KeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

[[noreturn]] void ThrowFileError(std::wstring_view words, const std::wstring& path, DWORD code) {
    std::wstring reason = SystemErrorText(code);
    if (reason.empty()) {
        reason = L"エラー " + std::to_wstring(code);
    }
    throw Error(std::wstring(words) + path + L"\r\n" + reason);
}

[[noreturn]] void ThrowReadError(const std::wstring& path, DWORD code) {
    ThrowFileError(L"ファイルを読み込めません: ", path, code);
}

[[noreturn]] void ThrowWriteError(const std::wstring& path, DWORD code) {
    ThrowFileError(L"ファイルを書き込めません: ", path, code);
}

int CheckedLength(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) {
        throw std::length_error("text too long for the code page conversion");
    }
    return static_cast<int>(size);
}

// Writes all bytes to an open file; 0 or the system's error code.
DWORD WriteAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) {
            return GetLastError();
        }
        if (written == 0) {
            return ERROR_WRITE_FAULT;
        }
        done += written;
    }
    return 0;
}

// The bytes to write: text the ANSI code page cannot hold goes out as UTF-8 instead.
std::string FileBytes(std::wstring_view text, TextEncoding encoding) {
    const SystemAnsiCodec ansi;
    return EncodeText(text, EncodingToWrite(text, encoding, ansi), ansi);
}

// The folder of a file path for GetTempFileNameW; "." for a bare file name.
std::wstring FolderOf(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring(L".") : path.substr(0, separator + 1);
}

// A new empty file with a unique name in the folder; 0 or the system's error code.
DWORD CreateUniqueFile(const std::wstring& folder, std::wstring& name) {
    wchar_t buffer[MAX_PATH];
    if (!GetTempFileNameW(folder.c_str(), L"tw", 0, buffer)) {
        return GetLastError();
    }
    name = buffer;
    return 0;
}

// Fills the (existing) file and flushes it to the disk; 0 or the system's error code.
DWORD WriteFlushed(const std::wstring& path, const std::string& bytes) {
    FileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        return GetLastError();
    }
    if (const DWORD error = WriteAll(file.Get(), bytes)) {
        return error;
    }
    if (!FlushFileBuffers(file.Get()) || !file.Close()) {
        return GetLastError();
    }
    return 0;
}

// Puts the written temporary file in the place of the existing target. The target goes to a
// backup name first: without one, some failures of ReplaceFileW leave no file at the target.
DWORD ReplaceExisting(const std::wstring& path, const std::wstring& temporary) {
    std::wstring backup;
    if (const DWORD error = CreateUniqueFile(FolderOf(path), backup)) {
        return error;
    }
    DeleteFileW(backup.c_str());  // only its unique name is wanted
    if (ReplaceFileW(path.c_str(), temporary.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr)) {
        DeleteFileW(backup.c_str());
        return 0;
    }
    const DWORD error = GetLastError();
    // The target has moved to the backup name and the new content could not follow: put the
    // old file back. Should even that fail, the backup stays, holding the old content.
    if (error != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 ||
        MoveFileExW(backup.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(backup.c_str());
    }
    return error;
}

}  // namespace

std::wstring SystemAnsiCodec::Decode(std::string_view bytes) const {
    if (bytes.empty()) {
        return {};
    }
    const int size = CheckedLength(bytes.size());
    // No code page makes more UTF-16 units than bytes: one pass over a long file, not two.
    std::wstring text(bytes.size(), L'\0');
    int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), size);
    if (length == 0) {
        length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
        text.assign(static_cast<std::size_t>(length), L'\0');
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), length);
    }
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::string SystemAnsiCodec::Encode(std::wstring_view text) const {
    if (text.empty()) {
        return {};
    }
    const int size = CheckedLength(text.size());
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::optional<TextFile> ReadTextFileIfExists(const std::wstring& path) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return std::nullopt;
        }
        ThrowReadError(path, error);
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) {
        ThrowReadError(path, GetLastError());
    }
    if (static_cast<std::uint64_t>(size.QuadPart) > MaxTextFileBytes) {
        ThrowReadError(path, ERROR_FILE_TOO_LARGE);
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr)) {
            ThrowReadError(path, GetLastError());
        }
        if (read == 0) {
            break;  // the file became shorter since its size was taken
        }
        done += read;
    }
    bytes.resize(done);
    const TextEncoding encoding = DetectEncoding(bytes);
    return TextFile{DecodeText(bytes, encoding, SystemAnsiCodec()), encoding};
}

std::optional<std::wstring> SetAsideIfTooLarge(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    const std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    if (size <= MaxTextFileBytes) {
        return std::nullopt;
    }
    DWORD error = ERROR_ALREADY_EXISTS;
    for (int number = 1; number <= 100 && error == ERROR_ALREADY_EXISTS; ++number) {
        std::wstring aside = path + L".too-large";
        if (number > 1) {
            aside += L"-" + std::to_wstring(number);
        }
        // No replacing: an earlier file set aside stays as it is.
        if (MoveFileExW(path.c_str(), aside.c_str(), MOVEFILE_WRITE_THROUGH)) {
            return aside;
        }
        error = GetLastError();
        if (error == ERROR_FILE_EXISTS) {
            error = ERROR_ALREADY_EXISTS;
        }
    }
    ThrowFileError(L"ファイルを移動できません: ", path, error);
}

TextFile ReadTextFile(const std::wstring& path) {
    std::optional<TextFile> file = ReadTextFileIfExists(path);
    if (!file) {
        ThrowReadError(path, ERROR_FILE_NOT_FOUND);
    }
    return std::move(*file);
}

void WriteTextFileSafely(const std::wstring& path, std::wstring_view text, TextEncoding encoding) {
    const std::string bytes = FileBytes(text, encoding);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // ReplaceFileW would replace a read-only file; the user made it read-only to keep it.
    if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        ThrowWriteError(path, ERROR_ACCESS_DENIED);
    }
    std::wstring temporary;
    if (const DWORD error = CreateUniqueFile(FolderOf(path), temporary)) {
        ThrowWriteError(path, error);
    }
    DWORD error = WriteFlushed(temporary, bytes);
    if (error == 0) {
        if (exists) {
            // ReplaceFileW keeps them on Windows, Wine's does not: the new file brings them along.
            SetFileAttributesW(temporary.c_str(), attributes & KeptAttributes);
            error = ReplaceExisting(path, temporary);
        } else if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            error = GetLastError();
        }
    }
    if (error != 0) {
        DeleteFileW(temporary.c_str());
        ThrowWriteError(path, error);
    }
}

void WriteTextFilePlain(const std::wstring& path, std::wstring_view text, TextEncoding encoding) {
    const std::string bytes = FileBytes(text, encoding);
    FileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        ThrowWriteError(path, GetLastError());
    }
    if (const DWORD error = WriteAll(file.Get(), bytes)) {
        ThrowWriteError(path, error);
    }
    if (!file.Close()) {
        ThrowWriteError(path, GetLastError());
    }
}

bool EnsureFolder(const std::wstring& folder) {
    std::wstring path = folder;
    while (path.size() > 1 && (path.back() == L'\\' || path.back() == L'/')) {
        path.pop_back();
    }
    if (path.empty()) {
        return false;
    }
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator != std::wstring::npos && separator > 0 && !EnsureFolder(path.substr(0, separator))) {
        return false;
    }
    // Another process may have made it in the meantime.
    return CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace tw
