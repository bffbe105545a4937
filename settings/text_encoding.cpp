#include "settings/text_encoding.h"

#include <cstddef>

namespace tw {

namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;
constexpr char32_t LastCodePoint = 0x10FFFF;
// wchar_t holds UTF-16 code units on Windows and whole code points elsewhere.
constexpr bool WideIsUtf16 = sizeof(wchar_t) == 2;

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LEMark = "\xFF\xFE";
constexpr std::string_view Utf16BEMark = "\xFE\xFF";

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

void AppendCodePoint(std::wstring& out, char32_t c) {
    if (WideIsUtf16 && c > 0xFFFF) {
        c -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (c >> 10));
        out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
    } else {
        out += static_cast<wchar_t>(c);
    }
}

// The character at text[i], moving i past it. With UTF-16 a surrogate pair is one character; a
// surrogate without its partner comes back as it is.
char32_t NextCodePoint(std::wstring_view text, std::size_t& i) {
    const auto unit = static_cast<char32_t>(text[i++]);
    if (WideIsUtf16 && unit >= 0xD800 && unit <= 0xDBFF && i < text.size()) {
        const auto next = static_cast<char32_t>(text[i]);
        if (next >= 0xDC00 && next <= 0xDFFF) {
            ++i;
            return 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00);
        }
    }
    return unit;
}

// Each broken sequence becomes one U+FFFD, and reading goes on at the byte that broke it (the
// "maximal subpart" practice of the Unicode standard).
std::wstring DecodeUtf8(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i++]);
        if (lead < 0x80) {
            out += static_cast<wchar_t>(lead);
            continue;
        }
        int continuations = 0;
        char32_t c = 0;
        // The range of the first continuation byte excludes overlong forms, surrogates and
        // values above U+10FFFF.
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            continuations = 1;
            c = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            continuations = 2;
            c = lead & 0x0F;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            continuations = 3;
            c = lead & 0x07;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            AppendCodePoint(out, ReplacementCharacter);
            continue;
        }
        bool complete = true;
        for (int k = 0; k < continuations; ++k) {
            const unsigned char min = k == 0 ? low : 0x80;
            const unsigned char max = k == 0 ? high : 0xBF;
            if (i >= bytes.size() || static_cast<unsigned char>(bytes[i]) < min ||
                static_cast<unsigned char>(bytes[i]) > max) {
                complete = false;
                break;
            }
            c = (c << 6) | (static_cast<unsigned char>(bytes[i]) & 0x3F);
            ++i;
        }
        AppendCodePoint(out, complete ? c : ReplacementCharacter);
    }
    return out;
}

std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::wstring out;
    const std::size_t units = bytes.size() / 2;  // an odd last byte is no character
    out.reserve(units);
    const auto unitAt = [&](std::size_t k) {
        const auto first = static_cast<unsigned char>(bytes[2 * k]);
        const auto second = static_cast<unsigned char>(bytes[2 * k + 1]);
        return static_cast<char32_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    for (std::size_t k = 0; k < units; ++k) {
        const char32_t unit = unitAt(k);
        if (unit >= 0xD800 && unit <= 0xDBFF && k + 1 < units) {
            const char32_t next = unitAt(k + 1);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                AppendCodePoint(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                ++k;
                continue;
            }
        }
        AppendCodePoint(out, unit);
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (IsSurrogate(c) || c > LastCodePoint) {
        c = ReplacementCharacter;
    }
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16Unit(std::string& out, char32_t unit, bool bigEndian) {
    const auto high = static_cast<char>((unit >> 8) & 0xFF);
    const auto low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

std::string EncodeUtf16(std::wstring_view text, bool bigEndian) {
    std::string out(bigEndian ? Utf16BEMark : Utf16LEMark);
    out.reserve(out.size() + 2 * text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t c = NextCodePoint(text, i);
        if (c > LastCodePoint) {
            c = ReplacementCharacter;
        }
        if (c > 0xFFFF) {
            c -= 0x10000;
            AppendUtf16Unit(out, 0xD800 + (c >> 10), bigEndian);
            AppendUtf16Unit(out, 0xDC00 + (c & 0x3FF), bigEndian);
        } else {
            AppendUtf16Unit(out, c, bigEndian);
        }
    }
    return out;
}

}  // namespace

std::wstring Latin1Codec::Decode(std::string_view bytes) const {
    std::wstring text;
    text.reserve(bytes.size());
    for (const char b : bytes) {
        text += static_cast<wchar_t>(static_cast<unsigned char>(b));
    }
    return text;
}

std::string Latin1Codec::Encode(std::wstring_view text) const {
    std::string bytes;
    bytes.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char32_t c = NextCodePoint(text, i);
        bytes += c <= 0xFF ? static_cast<char>(c) : '?';
    }
    return bytes;
}

TextEncoding DetectEncoding(std::string_view bytes) {
    if (bytes.starts_with(Utf8Mark)) {
        return TextEncoding::Utf8Bom;
    }
    if (bytes.starts_with(Utf16LEMark)) {
        return TextEncoding::Utf16LE;
    }
    if (bytes.starts_with(Utf16BEMark)) {
        return TextEncoding::Utf16BE;
    }
    return TextEncoding::Ansi;
}

std::wstring DecodeText(std::string_view bytes, TextEncoding encoding, const AnsiCodec& ansi) {
    const auto withoutMark = [bytes](std::string_view mark) {
        return bytes.starts_with(mark) ? bytes.substr(mark.size()) : bytes;
    };
    switch (encoding) {
        case TextEncoding::Utf8Bom: return DecodeUtf8(withoutMark(Utf8Mark));
        case TextEncoding::Utf16LE: return DecodeUtf16(withoutMark(Utf16LEMark), false);
        case TextEncoding::Utf16BE: return DecodeUtf16(withoutMark(Utf16BEMark), true);
        case TextEncoding::Ansi: break;
    }
    return ansi.Decode(bytes);
}

std::string EncodeText(std::wstring_view text, TextEncoding encoding, const AnsiCodec& ansi) {
    switch (encoding) {
        case TextEncoding::Utf8Bom: {
            std::string out(Utf8Mark);
            out.reserve(out.size() + text.size());
            std::size_t i = 0;
            while (i < text.size()) {
                AppendUtf8(out, NextCodePoint(text, i));
            }
            return out;
        }
        case TextEncoding::Utf16LE: return EncodeUtf16(text, false);
        case TextEncoding::Utf16BE: return EncodeUtf16(text, true);
        case TextEncoding::Ansi: break;
    }
    return ansi.Encode(text);
}

TextEncoding EncodingToWrite(std::wstring_view text, TextEncoding readAs, const AnsiCodec& ansi) {
    if (readAs != TextEncoding::Ansi || ansi.Decode(ansi.Encode(text)) == text) {
        return readAs;
    }
    return TextEncoding::Utf8Bom;
}

std::vector<std::wstring> SplitLines(std::wstring_view text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\r' && text[i] != L'\n') {
            continue;
        }
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < text.size()) {
        lines.emplace_back(text.substr(start));
    }
    return lines;
}

JoinedLines LinesRejoinedWithCrLf(std::wstring_view text) {
    JoinedLines joined;
    joined.text.reserve(text.size());
    const auto add = [&joined](std::wstring_view line) {
        if (joined.count > 0) {
            joined.text += L"\r\n";
        }
        joined.text += line;
        ++joined.count;
    };
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\r' && text[i] != L'\n') {
            continue;
        }
        add(text.substr(start, i - start));
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < text.size()) {
        add(text.substr(start));
    }
    return joined;
}

std::wstring LinesEachEndedWithCrLf(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const std::wstring& line : lines) {
        text += line;
        text += L"\r\n";
    }
    return text;
}

}  // namespace tw
