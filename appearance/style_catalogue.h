#pragma once
// The catalogue of visual styles: the listed names, how a name finds its embedded resource, and
// the reading of a style file, both as text and in its packed (compressed) form.
//
// A style file is small ASCII text, one "key = value" per line; blank lines and lines whose
// first non-blank character is '#' are ignored:
//
//   name = Coral
//   window = #FFF4EF        (every colour role's key in color_roles.h, as #RRGGBB)
//   ...
//   corner-radius = 3       (0 to 16)
//   border-width = 1        (0 to 4)
//   gradient = yes          (yes or no)
//
// Every key is required exactly once; an unknown key, a repeated key or a bad value makes the
// whole file unreadable.
//
// The packed form, which the executable embeds (tools/pack-styles.py writes it):
//
//   offset 0  "TWS1"
//   offset 4  length of the text, 32-bit little-endian (1 to MaxStyleTextSize)
//   offset 8  CRC-32 of the text (the common reflected polynomial 0xEDB88320), little-endian
//   offset 12 tokens, until the text is complete; nothing may follow:
//             byte t < 0x80:  t + 1 bytes of text follow as they are;
//             byte t >= 0x80: repeat (t & 0x7F) + 4 bytes of the text already produced,
//                             starting d bytes back, where d - 1 is the next two bytes
//                             (little-endian).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "appearance/style.h"

namespace tw::appearance {

// Style files are small; anything longer is not one of ours.
inline constexpr std::size_t MaxStyleTextSize = 16 * 1024;

// All 67 names, "Windows" included, in the order the style list shows them.
const std::vector<std::wstring>& StyleNames();

// The resource a style is embedded under: the name in upper case without its spaces, and for a
// name beginning with Windows10 or Windows11 without those two digits ("Windows11 Modern Dark"
// -> WINDOWSMODERNDARK). Pure rule: it does not know that "Windows" itself is no style file.
std::wstring StyleResourceName(std::wstring_view styleName);

// Names are matched without regard to case (ASCII letters).
bool SameStyleName(std::wstring_view a, std::wstring_view b);

// The text of a style file; nullopt unless it is complete and every value is valid.
std::optional<Style> ParseStyleText(std::wstring_view text);

// One packed style file; nullopt on truncated, corrupt or oversized input.
std::optional<Style> DecodeStyle(const std::uint8_t* data, std::size_t size);

}  // namespace tw::appearance
