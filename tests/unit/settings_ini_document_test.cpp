#include "settings/ini_document.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tw {
namespace {

struct WriteCase {
    const wchar_t* text;
    const wchar_t* written;
};

TEST(IniDocument, WritesWhatItParsedInItsOwnForm) {
    const WriteCase cases[] = {
        {L"", L""},
        {L"[A]", L"[A]\r\n\r\n"},
        {L"[A]\r\nk=v", L"[A]\r\nk=v\r\n\r\n"},
        // Any line end is read; the empty lines ending a section are its separator.
        {L"[A]\nk=v\n\n\n[B]\rx\r\n", L"[A]\r\nk=v\r\n\r\n[B]\r\nx\r\n\r\n"},
        {L"[A]\r\nk=v\r\n  \t\r\n", L"[A]\r\nk=v\r\n\r\n"},
        // Lines before the first section stay at the top, empty ones too.
        {L"; top\r\n\r\n[A]\r\n", L"; top\r\n\r\n[A]\r\n\r\n"},
        // Other lines in a section stay as they are, blank lines inside it too.
        {L"[A]\r\n; note\r\n\r\nodd line\r\n k = v \r\n", L"[A]\r\n; note\r\n\r\nodd line\r\n k = v \r\n\r\n"},
        // A header is read as the name between "[" and the last "]", without blanks.
        {L"  [ Name ]  ; note\r\nk=v", L"[Name]\r\nk=v\r\n\r\n"},
        {L"[a]b]\r\n", L"[a]b]\r\n\r\n"},
        {L"[]\r\n", L"[]\r\n\r\n"},
        // Without "]" after the "[" it is an ordinary line.
        {L"[open\r\n[A]\r\n[x\r\n", L"[open\r\n[A]\r\n[x\r\n\r\n"},
        {L"x]\r\n", L"x]\r\n"},
    };
    for (const WriteCase& c : cases) {
        const IniDocument document = IniDocument::Parse(c.text);
        EXPECT_EQ(document.Write(), c.written) << testing::PrintToString(std::wstring(c.text));
        EXPECT_EQ(IniDocument::Parse(document.Write()), document);
    }
}

struct GetCase {
    const wchar_t* section;
    const wchar_t* key;
    std::optional<std::wstring> value;
};

TEST(IniDocument, GetsTheFirstMatchWithoutRegardToCase) {
    const IniDocument document = IniDocument::Parse(
        L"Top=preamble\r\n"
        L"[PROGRAM]\r\n"
        L"Name=Tapwhile.exe\r\n"
        L"  Path\t=  C:\\Tools\\ \t\r\n"
        L"Name=second\r\n"
        L"Equation=a=b\r\n"
        L"Empty=\r\n"
        L"no entry here\r\n"
        L"[option]\r\n"
        L"SendKey=1\r\n"
        L"[OPTION]\r\n"
        L"SendKey=0\r\n"
        L"HoldUnUse=10\r\n"
        L"[Ａ]\r\n"
        L"x=fullwidth\r\n");
    const GetCase cases[] = {
        {L"PROGRAM", L"Name", L"Tapwhile.exe"},
        {L"program", L"NAME", L"Tapwhile.exe"},
        {L"PROGRAM", L"Path", L"C:\\Tools\\"},
        {L"PROGRAM", L"Equation", L"a=b"},
        {L"PROGRAM", L"Empty", L""},
        {L"PROGRAM", L"Missing", std::nullopt},
        {L"PROGRAM", L"no entry here", std::nullopt},
        {L"PROGRAM", L"Top", std::nullopt},  // lines before the first section belong to none
        {L"Option", L"SendKey", L"1"},       // the first section of the name wins
        {L"OPTION", L"HoldUnUse", L"10"},    // a later section of the name is searched as well
        {L"DATA", L"Count1", std::nullopt},
        {L"Ａ", L"x", L"fullwidth"},
        {L"ａ", L"x", std::nullopt},  // only A-Z are folded
    };
    for (const GetCase& c : cases) {
        EXPECT_EQ(document.Get(c.section, c.key), c.value)
            << testing::PrintToString(std::wstring(c.section) + L"/" + c.key);
    }
}

TEST(IniDocument, CutsValuesAfter2047Characters) {
    const std::wstring longValue = std::wstring(2047, L'a') + L"bcd";
    const IniDocument document =
        IniDocument::Parse(L"[S]\r\nLong=" + longValue + L"\r\nExact=" + std::wstring(2047, L'x'));
    EXPECT_EQ(document.Get(L"S", L"Long"), std::wstring(2047, L'a'));
    EXPECT_EQ(document.Get(L"S", L"Exact"), std::wstring(2047, L'x'));
    // The line itself is kept whole.
    EXPECT_NE(document.Write().find(longValue), std::wstring::npos);
}

TEST(IniDocument, SetReplacesInPlaceOrAppendsAtTheEndOfTheSection) {
    IniDocument document =
        IniDocument::Parse(L"[PROGRAM]\r\nName=old\r\nCustom=keep\r\n\r\n[OTHER]\r\n; mine\r\na=b\r\n");
    document.Set(L"program", L"NAME", L"Tapwhile.exe");
    document.Set(L"PROGRAM", L"Version", L"V2.9");
    document.Set(L"Other", L"c", L"d");
    document.Set(L"NEW", L"k", L"v");
    EXPECT_EQ(document.Write(),
              L"[PROGRAM]\r\nNAME=Tapwhile.exe\r\nCustom=keep\r\nVersion=V2.9\r\n\r\n"
              L"[OTHER]\r\n; mine\r\na=b\r\nc=d\r\n\r\n"
              L"[NEW]\r\nk=v\r\n\r\n");
    EXPECT_EQ(document.Get(L"PROGRAM", L"Name"), L"Tapwhile.exe");
}

TEST(IniDocument, SetFindsTheKeyWhereGetFindsIt) {
    IniDocument document = IniDocument::Parse(L"[A]\r\nx=1\r\n[a]\r\ny=2\r\n");
    document.Set(L"A", L"y", L"3");  // only in the second section of the name
    document.Set(L"A", L"z", L"4");  // nowhere: the first section of the name gets it
    EXPECT_EQ(document.Write(), L"[A]\r\nx=1\r\nz=4\r\n\r\n[a]\r\ny=3\r\n\r\n");
}

TEST(IniDocument, LineBreaksInSetTextsCannotMakeLinesOfTheirOwn) {
    IniDocument document;
    document.Set(L"PROGRAM", L"Path", L"C:\\x\r\n[OPTION]\r\nSendKey=0");
    document.Set(L"DATA\n", L"Count1", L"1");
    EXPECT_EQ(document.SectionNames(), (std::vector<std::wstring>{L"PROGRAM", L"DATA"}));
    EXPECT_EQ(document.Get(L"PROGRAM", L"Path"), L"C:\\x  [OPTION]  SendKey=0");
    EXPECT_EQ(document.Get(L"OPTION", L"SendKey"), std::nullopt);
    EXPECT_EQ(IniDocument::Parse(document.Write()), document);
}

TEST(IniDocument, EraseSectionRemovesEverySectionOfTheName) {
    IniDocument document = IniDocument::Parse(L"[DATA]\r\na=1\r\n[Keep]\r\nb=2\r\n[data]\r\nc=3\r\n");
    document.EraseSection(L"Data");
    EXPECT_EQ(document.Write(), L"[Keep]\r\nb=2\r\n\r\n");
    document.EraseSection(L"Missing");
    EXPECT_EQ(document.SectionNames(), std::vector<std::wstring>{L"Keep"});
}

}  // namespace
}  // namespace tw
