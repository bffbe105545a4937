#pragma once
// Text files as the utility reads and writes them: a byte-order mark selects UTF-8 or UTF-16
// and is written back; a file without one is in the system's ANSI code page.
#include <string>
#include <string_view>
#include <vector>

namespace tw {

enum class TextEncoding { Ansi, Utf8Bom, Utf16LE, Utf16BE };

// Conversion between the ANSI code page and wide text. The Windows build converts with the
// system's code page; Latin1Codec serves where there is none (native builds and tests).
struct AnsiCodec {
    virtual ~AnsiCodec() = default;
    virtual std::wstring Decode(std::string_view bytes) const = 0;
    // Characters the code page cannot hold come out as some stand-in, as the system does.
    virtual std::string Encode(std::wstring_view text) const = 0;
};

// ISO 8859-1: each byte is the character of the same number; other characters become '?'.
struct Latin1Codec final : AnsiCodec {
    std::wstring Decode(std::string_view bytes) const override;
    std::string Encode(std::wstring_view text) const override;
};

// The encoding that the file's first bytes name: EF BB BF, FF FE or FE FF; Ansi otherwise.
TextEncoding DetectEncoding(std::string_view bytes);

// The text of a file's bytes, without the byte-order mark. Never fails: a last odd byte of
// UTF-16 is dropped and bytes that are no UTF-8 become U+FFFD. UTF-16 surrogates that have no
// partner are kept as they are.
std::wstring DecodeText(std::string_view bytes, TextEncoding encoding, const AnsiCodec& ansi);

// The bytes of a file, the byte-order mark first for the three encodings that have one.
// Characters that UTF-8 cannot hold (a surrogate without its partner) become U+FFFD.
std::string EncodeText(std::wstring_view text, TextEncoding encoding, const AnsiCodec& ansi);

// The encoding to write text in that was read as `readAs`: the same, except that text the ANSI
// code page cannot hold is written as UTF-8 with its mark, so that nothing turns into '?'.
TextEncoding EncodingToWrite(std::wstring_view text, TextEncoding readAs, const AnsiCodec& ansi);

// Lines ended by CR, LF or CR LF. A line end at the very end makes no empty last line.
std::vector<std::wstring> SplitLines(std::wstring_view text);

// Reading a text: the lines SplitLines finds, joined by CR LF (none after the last), and how
// many they are; a long text in one piece, without a string for each line.
struct JoinedLines {
    std::wstring text;
    int count = 0;
};
JoinedLines LinesRejoinedWithCrLf(std::wstring_view text);

// Writing lines: each followed by CR LF, the last one too; no lines give an empty text.
std::wstring LinesEachEndedWithCrLf(const std::vector<std::wstring>& lines);

}  // namespace tw
