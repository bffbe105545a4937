#pragma once
// The log hand-over file that a self-restarting instance leaves for the next one. The settings
// file names it and the next start reads and deletes it, so only a file of the form the system
// gives to new temporary files in the user's own temporary folder is taken: a settings file
// that someone else can write must not be able to name any other file for deletion.
#include <string_view>

namespace tw {

// True when path is tempFolder (with or without its final backslash) followed directly by a
// name "tmp" + one to eight hexadecimal digits + ".tmp" (letters in any case).
bool IsHandOverFilePath(std::wstring_view path, std::wstring_view tempFolder);

}  // namespace tw
