#pragma once
// Text files on disk for the settings store and the log hand-over (Windows). Failures are
// tw::Error whose message names the file and gives the system's reason.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/text_encoding.h"

namespace tw {

// The system's ANSI code page (CP_ACP).
struct SystemAnsiCodec final : AnsiCodec {
    std::wstring Decode(std::string_view bytes) const override;
    std::string Encode(std::wstring_view text) const override;
};

struct TextFile {
    std::wstring text;
    TextEncoding encoding = TextEncoding::Ansi;
};

// A settings or hand-over file is a few kilobytes; a larger one than this is refused rather
// than read into memory.
inline constexpr std::uint64_t MaxTextFileBytes = 64ull * 1024 * 1024;

// True for a file; false for a folder or nothing.
bool FileExists(const std::wstring& path);

// The file's text in the encoding its byte-order mark names (the ANSI code page without one).
// Throws when the file cannot be read: missing, locked, a folder, or over MaxTextFileBytes.
TextFile ReadTextFile(const std::wstring& path);
// The same, but empty when there is no such file.
std::optional<TextFile> ReadTextFileIfExists(const std::wstring& path);

// A file over MaxTextFileBytes can never be read, so nothing could be saved over it either: it is
// moved to a new name beside it ("<name>.too-large", else "<name>.too-large-2" and on), and that
// name is returned. Empty when the file is missing or within the limit. Throws when it cannot be
// moved.
std::optional<std::wstring> SetAsideIfTooLarge(const std::wstring& path);

// Replaces the file's content so that it is never half written: the text goes to a temporary
// file in the same folder, which is flushed and then takes the file's place in one step,
// keeping the file's attributes. On failure the file is as it was and no temporary file is
// left. A read-only file is not written. Text that the ANSI code page cannot hold is written
// as UTF-8 with its byte-order mark (EncodingToWrite).
void WriteTextFileSafely(const std::wstring& path, std::wstring_view text, TextEncoding encoding);

// Overwrites or creates the file directly (the hand-over file, which the system created empty
// under a unique name). Same encoding rule as WriteTextFileSafely.
void WriteTextFilePlain(const std::wstring& path, std::wstring_view text, TextEncoding encoding);

// Creates the folder and any missing parents; false when it neither exists nor can be created.
bool EnsureFolder(const std::wstring& folder);

}  // namespace tw
