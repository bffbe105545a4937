// The style file reader: packed or as text, whatever the bytes, it ends, and what it accepts is
// a complete style within the limits.
#include <cstddef>
#include <cstdint>

#include "appearance/style_catalogue.h"
#include "fuzz_support.h"

using namespace tw::appearance;
using tw::fuzz::Check;

namespace {

void CheckStyle(const Style& style) {
    Check(!style.name.empty() && style.name.size() <= 64);
    Check(!StyleResourceName(style.name).empty());
    Check(style.cornerRadius >= 0 && style.cornerRadius <= 16);
    Check(style.borderWidth >= 0 && style.borderWidth <= 4);
    for (const wchar_t c : style.name) {
        Check(c >= 0x20 && c <= 0x7E);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (const std::optional<Style> style = DecodeStyle(data, size)) {
        CheckStyle(*style);
    }
    // The same bytes as the text of a style file (each byte one character).
    const std::wstring text(data, data + size);
    if (const std::optional<Style> style = ParseStyleText(text)) {
        CheckStyle(*style);
        if (text.find(L'\r') == std::wstring::npos) {
            // Accepted text reads the same with Windows line ends.
            std::wstring crlf;
            for (const wchar_t c : text) {
                if (c == L'\n') crlf += L'\r';
                crlf += c;
            }
            const std::optional<Style> again = ParseStyleText(crlf);
            Check(again && again->name == style->name &&
                  again->colors[ColorRole::Accent] == style->colors[ColorRole::Accent]);
        }
    }
    return 0;
}
