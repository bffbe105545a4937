#include "appearance/style_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <set>

#include "packed_styles.h"

namespace tw::appearance {
namespace {

using testing::PackedStyles;

std::optional<Style> Decode(const std::vector<std::uint8_t>& bytes) { return DecodeStyle(bytes.data(), bytes.size()); }

TEST(StyleCatalogue, ResourceNameFollowsTheNamingRule) {
    const struct {
        std::wstring_view name, resource;
    } cases[] = {
        {L"Amakrits", L"AMAKRITS"},
        {L"Calypso SLE", L"CALYPSOSLE"},
        {L"Material Oxford Blue SE", L"MATERIALOXFORDBLUESE"},
        {L"CopperDark", L"COPPERDARK"},
        {L"Windows10", L"WINDOWS"},
        {L"Windows10 Blue Whale LE", L"WINDOWSBLUEWHALELE"},
        {L"Windows11 Modern Dark", L"WINDOWSMODERNDARK"},
        {L"windows11 modern dark", L"WINDOWSMODERNDARK"},  // names match without regard to case
        // The traps: the system look shares its resource name with Windows10, and only the
        // digits right after "Windows" go.
        {L"Windows", L"WINDOWS"},
        {L"Windows 10", L"WINDOWS10"},
        {L"Windows12 Dark", L"WINDOWS12DARK"},
        {L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StyleResourceName(c.name), c.resource) << std::wstring(c.name);
    }
}

// The packed files are the real packer's output: each decodes, sits under the resource its name
// calls for, and together with the system look they are the listed catalogue, in list order.
TEST(StyleCatalogue, PackedStylesAreTheListedCatalogue) {
    std::vector<std::wstring> names{std::wstring(SystemStyleName)};
    for (const auto& packed : PackedStyles()) {
        const std::optional<Style> style = Decode(packed.bytes);
        ASSERT_TRUE(style) << packed.resourceName;
        EXPECT_EQ(StyleResourceName(style->name), packed.resourceName);
        names.push_back(style->name);
    }
    // The list sorts its rows without regard to case.
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](wchar_t x, wchar_t y) { return std::towlower(x) < std::towlower(y); });
    });
    EXPECT_EQ(names, StyleNames());
    ASSERT_EQ(StyleNames().size(), 67u);
    EXPECT_EQ(StyleNames()[49], L"Windows");
}

TEST(StyleCatalogue, DecoderRejectsEveryTruncationAndNeverReturnsAWrongStyle) {
    for (const auto& packed : PackedStyles()) {
        const std::vector<std::uint8_t>& good = packed.bytes;
        const std::optional<Style> original = Decode(good);
        ASSERT_TRUE(original);
        for (std::size_t n = 0; n < good.size(); ++n) {
            EXPECT_FALSE(DecodeStyle(good.data(), n)) << packed.resourceName << " cut at " << n;
        }
        // A changed byte is caught; at most a repeat may find the same bytes elsewhere.
        for (std::size_t i = 0; i < good.size(); ++i) {
            for (const std::uint8_t flip : {0x01, 0x80, 0xFF}) {
                std::vector<std::uint8_t> bad = good;
                bad[i] ^= flip;
                const std::optional<Style> decoded = Decode(bad);
                if (decoded) {
                    EXPECT_EQ(decoded->name, original->name);
                    EXPECT_EQ(StyleResourceName(decoded->name), packed.resourceName);
                    EXPECT_EQ(std::memcmp(&decoded->colors, &original->colors, sizeof(StyleColors)), 0)
                        << packed.resourceName << " byte " << i;
                }
            }
        }
    }
}

TEST(StyleCatalogue, DecoderRejectsMalformedContainers) {
    ASSERT_FALSE(PackedStyles().empty());
    const std::vector<std::uint8_t> good = PackedStyles().front().bytes;
    ASSERT_GT(good.size(), 16u);
    auto with = [&good](auto change) {
        std::vector<std::uint8_t> bytes = good;
        change(bytes);
        return bytes;
    };
    auto setSize = [](std::vector<std::uint8_t>& b, std::uint32_t size) {
        for (int i = 0; i < 4; ++i) b[4 + i] = static_cast<std::uint8_t>(size >> (8 * i));
    };
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"trailing byte", with([](auto& b) { b.push_back(0); })},
        {"other magic", with([](auto& b) { b[3] = '2'; })},
        {"no text", with([&](auto& b) { setSize(b, 0); })},
        {"longer than any style", with([&](auto& b) { setSize(b, MaxStyleTextSize + 1); })},
        {"huge size", with([&](auto& b) { setSize(b, 0xFFFFFFFFu); })},
        {"one byte short of the text", with([&](auto& b) { setSize(b, (b[4] | b[5] << 8) + 1); })},
        {"repeat before the start", with([](auto& b) {
             b.insert(b.begin() + 12, {0x80, 0xFF, 0xFF});
         })},
        {"token after the text", with([](auto& b) {
             b.push_back(0xFF);
             b.push_back(0);
             b.push_back(0);
         })},
        {"literal run past the input", with([](auto& b) {
             b.push_back(0x7F);
             b.push_back('x');
         })},
    };
    ASSERT_TRUE(Decode(good));
    for (const auto& c : cases) {
        EXPECT_FALSE(Decode(c.bytes)) << c.what;
    }
    EXPECT_FALSE(DecodeStyle(nullptr, 0));
}

constexpr std::wstring_view GoodText =
    L"\uFEFF# A test style.\r\n"
    L"name = Test Style\r\n"
    L"\n"
    L"window=#102030\n text = #ffffff\n field = #000001\nfield-text = #FEFEFE\nface = #111111\n"
    L"face-text = #EEEEEE\nhot = #222222\npressed = #333333\naccent = #44AAFF\nselection = #0055AA\n"
    L"selection-text = #FFFFFF\nedge = #555555\ndisabled-text = #999999\ntip = #202020\n"
    L"tip-text = #F0F0F0\nmenu = #1A1A1A\nmenu-text = #F1F1F1\ncaption = #123456\n"
    L"caption-text = #FFFFFE\n"
    L"\tcorner-radius = 16\nborder-width = 0\ngradient = yes";

TEST(StyleCatalogue, StyleTextGivesEveryValue) {
    const std::optional<Style> style = ParseStyleText(GoodText);
    ASSERT_TRUE(style);
    EXPECT_EQ(style->name, L"Test Style");
    EXPECT_EQ(style->colors[ColorRole::Window], 0x102030u);
    EXPECT_EQ(style->colors[ColorRole::Text], 0xFFFFFFu);
    EXPECT_EQ(style->colors[ColorRole::Field], 0x000001u);
    EXPECT_EQ(style->colors[ColorRole::Accent], 0x44AAFFu);
    EXPECT_EQ(style->colors[ColorRole::Caption], 0x123456u);
    EXPECT_EQ(style->colors[ColorRole::CaptionText], 0xFFFFFEu);
    EXPECT_EQ(style->cornerRadius, 16);
    EXPECT_EQ(style->borderWidth, 0);
    EXPECT_TRUE(style->gradient);
}

TEST(StyleCatalogue, StyleTextWithAnyFaultIsRejected) {
    auto replaced = [](std::wstring_view from, std::wstring_view to) {
        std::wstring text(GoodText);
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::wstring::npos) << std::wstring(from);
        return text.replace(at, from.size(), to);
    };
    const std::wstring cases[] = {
        replaced(L"hot = #222222\n", L""),                                // a role missing
        replaced(L"hot = #222222\n", L"hot = #222222\nhot = #222222\n"),  // given twice
        replaced(L"hot = #222222", L"hover = #222222"),                   // unknown key
        replaced(L"hot = #222222", L"HOT = #222222"),                     // keys are exact
        replaced(L"hot = #222222", L"hot #222222"),                       // no "="
        replaced(L"#222222", L"#22222"),
        replaced(L"#222222", L"#2222222"),
        replaced(L"#222222", L"222222"),
        replaced(L"#222222", L"#22G222"),
        replaced(L"corner-radius = 16", L"corner-radius = 17"),
        replaced(L"corner-radius = 16", L"corner-radius = -1"),
        replaced(L"corner-radius = 16", L"corner-radius ="),
        replaced(L"border-width = 0", L"border-width = 5"),
        replaced(L"gradient = yes", L"gradient = true"),
        replaced(L"name = Test Style", L"name ="),
        replaced(L"name = Test Style", L"name = Test  Style"),
        replaced(L"name = Test Style", L"name = T\u00E9st"),
        replaced(L"name = Test Style", L"name = " + std::wstring(65, L'x')),
        L"",
    };
    for (const auto& text : cases) {
        EXPECT_FALSE(ParseStyleText(text)) << text;
    }
}

TEST(StyleCatalogue, NamesMatchWithoutRegardToCase) {
    EXPECT_TRUE(SameStyleName(L"windows11 MODERN dark", L"Windows11 Modern Dark"));
    EXPECT_FALSE(SameStyleName(L"Windows", L"Windows10"));
    EXPECT_FALSE(SameStyleName(L"Glow", L"Glow "));
}

}  // namespace
}  // namespace tw::appearance
