#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// An integer as the settings file stores it: signed decimal that fits 32 bits; or hexadecimal
// after "$" ("$FFFFFFFF" is -1), or after "0x"/"0X" when more text follows, of at most 32 bits
// and read as their two's complement. No blanks, no sign before a hexadecimal number.
std::optional<std::int32_t> ParseInteger(std::wstring_view text);

// The text with the full-width digits U+FF10..U+FF19, which a Japanese input method gives in
// its full-width mode, replaced by the ASCII digits they stand for; everything else unchanged.
std::wstring FoldFullWidthDigits(std::wstring_view text);

// The value in upper-case hexadecimal, zero-padded to at least minDigits digits.
std::wstring HexUpper(std::uint32_t value, int minDigits);

}  // namespace tw
