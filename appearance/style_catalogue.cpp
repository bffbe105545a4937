#include "appearance/style_catalogue.h"

#include "runtime/trim.h"

namespace tw::appearance {

const std::vector<std::wstring>& StyleNames() {
    static const std::vector<std::wstring> names = {
        L"Amakrits",
        L"Amethyst Kamri",
        L"Aqua Graphite",
        L"Aqua Light Slate",
        L"Auric",
        L"Calypso",
        L"Calypso LE",
        L"Calypso SE",
        L"Calypso SLE",
        L"Carbon",
        L"Charcoal Dark Slate",
        L"Cobalt XEMedia",
        L"Copper",
        L"CopperDark",
        L"Coral",
        L"Cyan Dusk",
        L"Cyan Night",
        L"Diamond",
        L"Emerald",
        L"Emerald Light Slate",
        L"Flat UI Light",
        L"Glossy",
        L"Glow",
        L"Golden Graphite",
        L"Iceberg Classico",
        L"Jet",
        L"Lavender Classico",
        L"Light",
        L"Luna",
        L"Material Oxford Blue",
        L"Material Oxford Blue SE",
        L"Obsidian",
        L"Onyx Blue",
        L"Puerto Rico",
        L"Radiant",
        L"Ruby Graphite",
        L"Sapphire Kamri",
        L"Silver",
        L"Sky",
        L"Slate Classico",
        L"Smokey Quartz Kamri",
        L"Stellar",
        L"Stellar Dark",
        L"Sterling",
        L"Tablet Dark",
        L"Tablet Light",
        L"Turquoise Gray",
        L"Vapor",
        L"Wedgewood Light",
        L"Windows",
        L"Windows10",
        L"Windows10 BlackPearl",
        L"Windows10 Blue",
        L"Windows10 Blue Whale",
        L"Windows10 Blue Whale LE",
        L"Windows10 Clear Day",
        L"Windows10 Dark",
        L"Windows10 Green",
        L"Windows10 Malibu",
        L"Windows10 Purple",
        L"Windows10 SlateGray",
        L"Windows11 MineShaft",
        L"Windows11 Modern Dark",
        L"Windows11 Modern Light",
        L"Windows11 Polar Dark",
        L"Windows11 Polar Light",
        L"Windows11 White Smoke",
    };
    return names;
}

namespace {

wchar_t AsciiUpper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c; }

bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix) {
    return text.size() >= prefix.size() && SameStyleName(text.substr(0, prefix.size()), prefix);
}

}  // namespace

bool SameStyleName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) {
            return false;
        }
    }
    return true;
}

std::wstring StyleResourceName(std::wstring_view styleName) {
    std::wstring_view rest = styleName;
    std::wstring resource;
    if (StartsWithIgnoringCase(rest, L"Windows10") || StartsWithIgnoringCase(rest, L"Windows11")) {
        resource = L"WINDOWS";
        rest.remove_prefix(9);
    }
    for (const wchar_t c : rest) {
        if (c != L' ') {
            resource += AsciiUpper(c);
        }
    }
    return resource;
}

// ---- the text ----

namespace {

constexpr int MaxCornerRadius = 16;
constexpr int MaxBorderWidth = 4;
constexpr std::size_t MaxNameLength = 64;

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

std::optional<Rgb> ParseColour(std::wstring_view v) {
    if (v.size() != 7 || v[0] != L'#') {
        return std::nullopt;
    }
    Rgb rgb = 0;
    for (std::size_t i = 1; i < 7; ++i) {
        const int d = HexDigit(v[i]);
        if (d < 0) {
            return std::nullopt;
        }
        rgb = rgb << 4 | static_cast<Rgb>(d);
    }
    return rgb;
}

std::optional<int> ParseSmallNumber(std::wstring_view v, int max) {
    if (v.empty() || v.size() > 2) {
        return std::nullopt;
    }
    int n = 0;
    for (const wchar_t c : v) {
        if (c < L'0' || c > L'9') {
            return std::nullopt;
        }
        n = n * 10 + (c - L'0');
    }
    return n <= max ? std::optional<int>(n) : std::nullopt;
}

// Printable ASCII, not starting or ending in a space (the line is trimmed), no doubled space:
// the name is shown in the list and matched against the settings file.
bool IsValidName(std::wstring_view v) {
    if (v.empty() || v.size() > MaxNameLength) {
        return false;
    }
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (v[i] < 0x20 || v[i] > 0x7E || v[i] == L'\t') {
            return false;
        }
        if (v[i] == L' ' && i > 0 && v[i - 1] == L' ') {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<Style> ParseStyleText(std::wstring_view text) {
    if (!text.empty() && text.front() == 0xFEFF) {
        text.remove_prefix(1);
    }
    Style style;
    // One bit per key: the colours by slot, then name, corner radius, border, gradient.
    constexpr unsigned NameBit = 1u << ColorRoleCount, RadiusBit = NameBit << 1, BorderBit = NameBit << 2,
                       GradientBit = NameBit << 3, AllBits = (NameBit << 4) - 1;
    static_assert(ColorRoleCount + 4 <= 32, "one bit per key");
    unsigned seen = 0;
    auto mark = [&seen](unsigned bit) {
        const bool first = (seen & bit) == 0;
        seen |= bit;
        return first;
    };

    while (!text.empty()) {
        const std::size_t end = text.find(L'\n');
        std::wstring_view line = text.substr(0, end);
        text.remove_prefix(end == std::wstring_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == L'\r') {
            line.remove_suffix(1);
        }
        line = TrimBlanks(line);
        if (line.empty() || line.front() == L'#') {
            continue;
        }
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos) {
            return std::nullopt;
        }
        const std::wstring_view key = TrimBlanks(line.substr(0, equals));
        const std::wstring_view value = TrimBlanks(line.substr(equals + 1));

        bool known = false;
        for (std::size_t i = 0; i < ColorRoleCount; ++i) {
            if (key == ColorRoleKeys[i]) {
                const std::optional<Rgb> rgb = ParseColour(value);
                if (!rgb || !mark(1u << i)) {
                    return std::nullopt;
                }
                style.colors.slots[i] = *rgb;
                known = true;
                break;
            }
        }
        if (known) {
            continue;
        }
        if (key == L"name") {
            if (!IsValidName(value) || !mark(NameBit)) {
                return std::nullopt;
            }
            style.name = value;
        } else if (key == L"corner-radius" || key == L"border-width") {
            const bool radius = key == L"corner-radius";
            const std::optional<int> n = ParseSmallNumber(value, radius ? MaxCornerRadius : MaxBorderWidth);
            if (!n || !mark(radius ? RadiusBit : BorderBit)) {
                return std::nullopt;
            }
            (radius ? style.cornerRadius : style.borderWidth) = *n;
        } else if (key == L"gradient") {
            if ((value != L"yes" && value != L"no") || !mark(GradientBit)) {
                return std::nullopt;
            }
            style.gradient = value == L"yes";
        } else {
            return std::nullopt;
        }
    }
    if (seen != AllBits) {
        return std::nullopt;
    }
    return style;
}

// ---- the packed form ----

namespace {

constexpr std::size_t HeaderSize = 12;

std::uint32_t ReadLE32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint32_t Crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char ch : bytes) {
        crc ^= static_cast<std::uint8_t>(ch);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

// The tokens after the header; nullopt unless they make exactly `size` bytes and end the input.
std::optional<std::string> Unpack(const std::uint8_t* p, const std::uint8_t* end, std::size_t size) {
    std::string out;
    out.reserve(size);
    while (out.size() < size) {
        if (p == end) {
            return std::nullopt;
        }
        const std::uint8_t token = *p++;
        if (token < 0x80) {
            const std::size_t count = token + 1u;
            if (static_cast<std::size_t>(end - p) < count || size - out.size() < count) {
                return std::nullopt;
            }
            out.append(reinterpret_cast<const char*>(p), count);
            p += count;
        } else {
            const std::size_t count = (token & 0x7Fu) + 4u;
            if (end - p < 2) {
                return std::nullopt;
            }
            const std::size_t distance = (p[0] | p[1] << 8) + 1u;
            p += 2;
            if (distance > out.size() || size - out.size() < count) {
                return std::nullopt;
            }
            // Byte by byte: a repeat may overlap the bytes it produces.
            for (std::size_t i = 0; i < count; ++i) {
                out.push_back(out[out.size() - distance]);
            }
        }
    }
    if (p != end) {
        return std::nullopt;
    }
    return out;
}

}  // namespace

std::optional<Style> DecodeStyle(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size < HeaderSize || data[0] != 'T' || data[1] != 'W' || data[2] != 'S' || data[3] != '1') {
        return std::nullopt;
    }
    const std::uint32_t textSize = ReadLE32(data + 4);
    if (textSize == 0 || textSize > MaxStyleTextSize) {
        return std::nullopt;
    }
    const std::optional<std::string> text = Unpack(data + HeaderSize, data + size, textSize);
    if (!text || Crc32(*text) != ReadLE32(data + 8)) {
        return std::nullopt;
    }
    std::wstring wide;
    wide.reserve(text->size());
    for (const char ch : *text) {
        const auto byte = static_cast<std::uint8_t>(ch);
        if (byte >= 0x80) {
            return std::nullopt;  // style files are ASCII
        }
        wide += static_cast<wchar_t>(byte);
    }
    return ParseStyleText(wide);
}

}  // namespace tw::appearance
