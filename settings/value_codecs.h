#pragma once
// How the settings file writes and reads its values. Every reader gives the caller's default for
// a missing value or one it cannot read.
#include <cstdint>
#include <optional>
#include <string>

#include "runtime/date_time.h"
#include "runtime/format_settings.h"

namespace tw {

// Read as an integer (ReadInt); any number but 0 is true.
bool ReadBool(const std::optional<std::wstring>& value, bool defaultValue);
// Signed decimal, or hexadecimal after "$" or "0x" (see ParseInteger).
std::int32_t ReadInt(const std::optional<std::wstring>& value, std::int32_t defaultValue);
// The user's short date, a space and the long time, or the date alone (TryParseDateTime).
DateTime ReadDateTime(const std::optional<std::wstring>& value, DateTime defaultValue, const FormatSettings& fs);

// "1" or "0".
std::wstring WriteBool(bool value);
// Signed decimal.
std::wstring WriteInt(std::int32_t value);
// The text that ReadDateTime reads back (DateTimeToText).
std::wstring WriteDateTime(DateTime value, const FormatSettings& fs);
// A tick count as "$" and eight upper-case hexadecimal digits, or as the name of the colour
// that has this value: 0 is "clBlack", 255 "clRed".
std::wstring WriteTick(std::uint32_t value);

}  // namespace tw
