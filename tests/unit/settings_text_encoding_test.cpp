#include "settings/text_encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw {
namespace {

// The bytes of the test cases are written with escapes; a string_view keeps embedded zeros.
using namespace std::string_view_literals;

TEST(TextEncoding, TheByteOrderMarkNamesTheEncoding) {
    EXPECT_EQ(DetectEncoding("\xEF\xBB\xBF[A]"sv), TextEncoding::Utf8Bom);
    EXPECT_EQ(DetectEncoding("\xFF\xFE[\0"sv), TextEncoding::Utf16LE);
    EXPECT_EQ(DetectEncoding("\xFE\xFF\0["sv), TextEncoding::Utf16BE);
    EXPECT_EQ(DetectEncoding("[A]"sv), TextEncoding::Ansi);
    EXPECT_EQ(DetectEncoding(""sv), TextEncoding::Ansi);
    EXPECT_EQ(DetectEncoding("\xEF\xBB"sv), TextEncoding::Ansi);
    EXPECT_EQ(DetectEncoding("\xFF"sv), TextEncoding::Ansi);
}

struct EncodingCase {
    TextEncoding encoding;
    std::wstring text;
    std::string_view bytes;
};

TEST(TextEncoding, EachEncodingWritesItsBytesAndReadsThemBack) {
    const Latin1Codec latin1;
    const EncodingCase cases[] = {
        {TextEncoding::Ansi, L"A\u00E9\r\n", "A\xE9\r\n"sv},
        {TextEncoding::Utf8Bom, L"A\u00E9\u8A2D\U0001F600",
         "\xEF\xBB\xBF"
         "A\xC3\xA9\xE8\xA8\xAD\xF0\x9F\x98\x80"sv},
        {TextEncoding::Utf16LE, L"A\u00E9\u8A2D\U0001F600",
         "\xFF\xFE"
         "A\0\xE9\0\x2D\x8A\x3D\xD8\x00\xDE"sv},
        {TextEncoding::Utf16BE, L"A\u00E9\u8A2D\U0001F600", "\xFE\xFF\0A\0\xE9\x8A\x2D\xD8\x3D\xDE\x00"sv},
        {TextEncoding::Utf8Bom, L"", "\xEF\xBB\xBF"sv},
        {TextEncoding::Utf16LE, L"", "\xFF\xFE"sv},
    };
    for (const EncodingCase& c : cases) {
        const std::string bytes = EncodeText(c.text, c.encoding, latin1);
        EXPECT_EQ(bytes, c.bytes) << static_cast<int>(c.encoding);
        EXPECT_EQ(DetectEncoding(bytes), c.encoding);
        EXPECT_EQ(DecodeText(bytes, c.encoding, latin1), c.text) << static_cast<int>(c.encoding);
    }
}

TEST(TextEncoding, OddLengthUtf16DropsTheLastByte) {
    const Latin1Codec latin1;
    EXPECT_EQ(DecodeText("\xFF\xFE"
                         "A\0B"sv,
                         TextEncoding::Utf16LE, latin1),
              L"A");
    EXPECT_EQ(DecodeText("\xFE\xFF\0A\0"sv, TextEncoding::Utf16BE, latin1), L"A");
    EXPECT_EQ(DecodeText("\xFF\xFE\x41"sv, TextEncoding::Utf16LE, latin1), L"");
    // A pair cut in half leaves its first half as it is.
    EXPECT_EQ(DecodeText("\xFF\xFE\x3D\xD8\x00"sv, TextEncoding::Utf16LE, latin1),
              std::wstring(1, static_cast<wchar_t>(0xD83D)));
}

TEST(TextEncoding, LoneSurrogatesSurviveUtf16AndBecomeReplacementsInUtf8) {
    const Latin1Codec latin1;
    const std::string_view bytes =
        "\xFF\xFE\x00\xDC"
        "A\0\x00\xD8"sv;
    const std::wstring text = DecodeText(bytes, TextEncoding::Utf16LE, latin1);
    const std::wstring expected{static_cast<wchar_t>(0xDC00), L'A', static_cast<wchar_t>(0xD800)};
    EXPECT_EQ(text, expected);
    EXPECT_EQ(EncodeText(text, TextEncoding::Utf16LE, latin1), bytes);
    EXPECT_EQ(EncodeText(text, TextEncoding::Utf8Bom, latin1),
              "\xEF\xBB\xBF\xEF\xBF\xBD"
              "A\xEF\xBF\xBD"sv);
}

struct Utf8Case {
    std::string_view bytes;
    std::wstring text;
};

TEST(TextEncoding, BrokenUtf8BecomesReplacementCharacters) {
    const Latin1Codec latin1;
    const Utf8Case cases[] = {
        {"\xE3\x81\x82"sv, L"\u3042"},
        {"\xC3"sv, L"\uFFFD"},  // cut short at the end
        {"\xE3\x81"
         "A"sv,
         L"\uFFFDA"},                                         // cut short before a character
        {"\xC0\xAF"sv, L"\uFFFD\uFFFD"},                      // overlong
        {"\xE0\x80\xAF"sv, L"\uFFFD\uFFFD\uFFFD"},            // overlong
        {"\xED\xA0\x80"sv, L"\uFFFD\uFFFD\uFFFD"},            // a surrogate
        {"\xF4\x90\x80\x80"sv, L"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
        {"\xF4\x8F\xBF\xBF"sv, L"\U0010FFFF"},
        {"\xFF\xFE"sv, L"\uFFFD\uFFFD"},
        {"\x80"
         "A"sv,
         L"\uFFFDA"},
        {"A\0B"sv, std::wstring(L"A\0B", 3)},
    };
    for (const Utf8Case& c : cases) {
        const std::string bytes = "\xEF\xBB\xBF" + std::string(c.bytes);
        EXPECT_EQ(DecodeText(bytes, TextEncoding::Utf8Bom, latin1), c.text)
            << testing::PrintToString(std::string(c.bytes));
    }
}

// Every one- and two-byte input decodes to real characters, and what UTF-8 decodes it encodes
// and decodes again unchanged.
TEST(TextEncoding, AnyBytesDecodeWithoutFailing) {
    const Latin1Codec latin1;
    const TextEncoding encodings[] = {TextEncoding::Ansi, TextEncoding::Utf8Bom, TextEncoding::Utf16LE,
                                      TextEncoding::Utf16BE};
    for (int first = 0; first < 256; ++first) {
        for (int second = -1; second < 256; ++second) {
            std::string bytes(1, static_cast<char>(first));
            if (second >= 0) {
                bytes += static_cast<char>(second);
            }
            for (const TextEncoding encoding : encodings) {
                const std::wstring text = DecodeText(bytes, encoding, latin1);
                const std::string again = EncodeText(text, encoding, latin1);
                ASSERT_EQ(DecodeText(again, encoding, latin1), text)
                    << first << " " << second << " " << static_cast<int>(encoding);
            }
        }
    }
}

TEST(TextEncoding, Latin1CodecMarksWhatItCannotHold) {
    const Latin1Codec latin1;
    EXPECT_EQ(latin1.Encode(L"\u00E9\u20AC\U0001F600"), "\xE9??");
    EXPECT_EQ(latin1.Decode("\xE9\x80"), L"\u00E9\u0080");
}

TEST(TextEncoding, TextTheCodePageCannotHoldIsWrittenAsUtf8) {
    const Latin1Codec latin1;
    EXPECT_EQ(EncodingToWrite(L"C:\\Temp\\tmp1.tmp \u00E9", TextEncoding::Ansi, latin1), TextEncoding::Ansi);
    EXPECT_EQ(EncodingToWrite(L"C:\\Users\\\u8A2D\\tmp1.tmp", TextEncoding::Ansi, latin1), TextEncoding::Utf8Bom);
    EXPECT_EQ(EncodingToWrite(L"?", TextEncoding::Ansi, latin1), TextEncoding::Ansi);
    EXPECT_EQ(EncodingToWrite(L"\u8A2D", TextEncoding::Utf16BE, latin1), TextEncoding::Utf16BE);
}

struct LinesCase {
    std::wstring_view text;
    std::vector<std::wstring> lines;
};

TEST(TextEncoding, SplitLinesAtAnyLineEnd) {
    const LinesCase cases[] = {
        {L"", {}},
        {L"a", {L"a"}},
        {L"a\r\n", {L"a"}},
        {L"a\r\nb\nc\rd", {L"a", L"b", L"c", L"d"}},
        {L"\r\n", {L""}},
        {L"a\n\rb", {L"a", L"", L"b"}},  // LF CR is two line ends
        {L"a\r\n\r\n", {L"a", L""}},
        {L"a\r\r\n", {L"a", L""}},
    };
    for (const LinesCase& c : cases) {
        EXPECT_EQ(SplitLines(c.text), c.lines) << testing::PrintToString(std::wstring(c.text));
        // The same lines in one piece, CR LF between them.
        std::wstring between;
        for (std::size_t i = 0; i < c.lines.size(); ++i) between += (i ? L"\r\n" : L"") + c.lines[i];
        const JoinedLines joined = LinesRejoinedWithCrLf(c.text);
        EXPECT_EQ(joined.text, between) << testing::PrintToString(std::wstring(c.text));
        EXPECT_EQ(joined.count, static_cast<int>(c.lines.size())) << testing::PrintToString(std::wstring(c.text));
    }
}

TEST(TextEncoding, JoinEndsEveryLineWithCrLf) {
    EXPECT_EQ(LinesEachEndedWithCrLf({}), L"");
    EXPECT_EQ(LinesEachEndedWithCrLf({L""}), L"\r\n");
    EXPECT_EQ(LinesEachEndedWithCrLf({L"a", L"b"}), L"a\r\nb\r\n");
    const std::vector<std::wstring> lines{L"2025/10/09 14:05:27 #1 $9F", L"", L"x"};
    EXPECT_EQ(SplitLines(LinesEachEndedWithCrLf(lines)), lines);
}

}  // namespace
}  // namespace tw
