// The settings file reader and writer: whatever a file holds, what a save writes reads back
// as the same document.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "settings/ini_document.h"

using namespace tw;
using tw::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::Bytes(data, size);
    const Latin1Codec latin1;
    const TextEncoding encoding = DetectEncoding(bytes);
    const std::wstring text = DecodeText(bytes, encoding, latin1);

    const IniDocument document = IniDocument::Parse(text);
    const std::wstring written = document.Write();
    Check(IniDocument::Parse(written) == document);
    // Written back in the encoding it was read in, the text survives.
    Check(DecodeText(EncodeText(written, encoding, latin1), encoding, latin1) == written);

    // A save's edits, with a value taken from the input.
    IniDocument saved = document;
    saved.Set(L"PROGRAM", L"Name", L"Tapwhile.exe");
    saved.EraseSection(L"POSITION");
    saved.Set(L"POSITION", L"Left", text.substr(0, 64));
    Check(saved.Get(L"PROGRAM", L"Name") == L"Tapwhile.exe");
    Check(saved.Get(L"POSITION", L"Left").has_value());
    Check(saved.SectionNames().back() == L"POSITION");
    Check(IniDocument::Parse(saved.Write()) == saved);
    return 0;
}
