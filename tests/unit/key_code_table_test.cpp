#include "engine/key_code_table.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tw {
namespace {

using ExpectedRows = std::vector<std::pair<int, std::wstring>>;

std::wstring Hex2(int code) {
    const wchar_t* digits = L"0123456789ABCDEF";
    return {digits[code / 16], digits[code % 16]};
}

// Rows written out in full, as the list shows them.
ExpectedRows NamedRows() {
    return {
        {0x01, L"01  VK_LBUTTON  Mouse LEFT"},
        {0x02, L"02  VK_RBUTTON  Mouse RIGHT"},
        {0x03, L"03  VK_CANCEL  [Cancel]  ([Ctrl]+[Break])"},
        {0x04, L"04  VK_MBUTTON  Mouse CENTER"},
        {0x05, L"05  VK_XBUTTON1  Mouse X1"},
        {0x06, L"06  VK_XBUTTON2  Mouse X2"},
        {0x08, L"08  VK_BACK  [Back Space]"},
        {0x09, L"09  VK_TAB  [Tab]"},
        {0x0A, L"0A    (Reserved)  [Line Feed]"},
        {0x0C, L"0C  VK_CLEAR  [Clear]"},
        {0x0D, L"0D  VK_RETURN  [Enter]"},
        {0x10, L"10  VK_SHIFT  [Shift]"},
        {0x11, L"11  VK_CONTROL  [Ctrl]"},
        {0x12, L"12  VK_MENU  [Alt]"},
        {0x13, L"13  VK_PAUSE  [Pause]"},
        {0x14, L"14  VK_CAPITAL  [Caps Lock]"},
        {0x15, L"15  VK_KANA  IME Kana mode"},
        {0x17, L"17  VK_JUNJA"},
        {0x18, L"18  VK_FINAL"},
        {0x19, L"19  VK_KANJI  IME Kanji mode"},
        {0x1A, L"1A  VK_IME_OFF"},
        {0x1B, L"1B  VK_ESCAPE  [Esc]"},
        {0x1C, L"1C  VK_CONVERT  IME convert"},
        {0x1D, L"1D  VK_NONCONVERT  IME non convert"},
        {0x1E, L"1E  VK_ACCEPT  IME acceptable"},
        {0x1F, L"1F  VK_MODECHANGE  IME mode change"},
        {0x20, L"20  VK_SPACE  [Space]"},
        {0x21, L"21  VK_PRIOR  [Page Up]"},
        {0x22, L"22  VK_NEXT  [Page Down]"},
        {0x23, L"23  VK_END  [End]"},
        {0x24, L"24  VK_HOME  [Home]"},
        {0x25, L"25  VK_LEFT  [\u2190]"},
        {0x26, L"26  VK_UP  [\u2191]"},
        {0x27, L"27  VK_RIGHT  [\u2192]"},
        {0x28, L"28  VK_DOWN  [\u2193]"},
        {0x29, L"29  VK_SELECT  [Select]"},
        {0x2A, L"2A  VK_PRINT  [Print]"},
        {0x2B, L"2B  VK_EXECUTE  [Execute]"},
        {0x2C, L"2C  VK_SNAPSHOT  [Print Screen]"},
        {0x2D, L"2D  VK_INSERT  [Insert]"},
        {0x2E, L"2E  VK_DELETE  [Delete]"},
        {0x2F, L"2F  VK_HELP  [Help]"},
        {0x5B, L"5B  VK_LWIN  Left Windows Key"},
        {0x5C, L"5C  VK_RWIN  Right Windows Key"},
        {0x5D, L"5D  VK_APPS  Application Key"},
        {0x5F, L"5F  VK_SLEEP  Computer Sleep"},
        {0x6A, L"6A  VK_MULTIPLY  10key [*]"},
        {0x6B, L"6B  VK_ADD  10key [+]"},
        {0x6C, L"6C  VK_SEPARATOR  10key [Enter]"},
        {0x6D, L"6D  VK_SUBTRACT  10key [-]"},
        {0x6E, L"6E  VK_DECIMAL  10key [.]"},
        {0x6F, L"6F  VK_DIVIDE  10key [/]"},
        {0x90, L"90  VK_NUMLOCK  [Num Lock]"},
        {0x91, L"91  VK_SCROLL  [Scroll Lock]"},
        {0x9F, L"9F    (not assigned) (initial value)"},
        {0xA0, L"A0  VK_LSHIFT  Left[Shift]"},
        {0xA1, L"A1  VK_RSHIFT  Right[Shift]"},
        {0xA2, L"A2  VK_LCONTROL  Left[Ctrl]"},
        {0xA3, L"A3  VK_RCONTROL  Right[Ctrl]"},
        {0xA4, L"A4  VK_LMENU  Left[Alt]"},
        {0xA5, L"A5  VK_RMENU  Right[Alt]"},
        {0xA6, L"A6  VK_BROWSER_BACK  Browser Back(Prev)"},
        {0xA7, L"A7  VK_BROWSER_FORWARD  Browser Forward(Next)"},
        {0xA8, L"A8  VK_BROWSER_REFRESH  Browser Refresh(Reload)"},
        {0xA9, L"A9  VK_BROWSER_STOP  Browser Stop"},
        {0xAA, L"AA  VK_BROWSER_SEARCH  Browser Search"},
        {0xAB, L"AB  VK_BROWSER_FAVORITES  Browser Favourites"},
        {0xAC, L"AC  VK_BROWSER_HOME  Browser Home"},
        {0xAD, L"AD  VK_VOLUME_MUTE  Volume Mute"},
        {0xAE, L"AE  VK_VOLUME_DOWN  Volume Down"},
        {0xAF, L"AF  VK_VOLUME_UP  Volume Up"},
        {0xB0, L"B0  VK_MEDIA_NEXT_TRACK  MediaPlayer NextTrack"},
        {0xB1, L"B1  VK_MEDIA_PREV_TRACK  MediaPlayer PrevTrack"},
        {0xB2, L"B2  VK_MEDIA_STOP  MediaPlayer Stop"},
        {0xB3, L"B3  VK_MEDIA_PLAY_PAUSE  MediaPlayer Start/Stop"},
        {0xB4, L"B4  VK_LAUNCH_MAIL  Mail"},
        {0xB5, L"B5  VK_LAUNCH_MEDIA_SELECT  Media Select"},
        {0xB6, L"B6  VK_LAUNCH_APP1  Application 1"},
        {0xB7, L"B7  VK_LAUNCH_APP2  Application 2"},
        {0xBA, L"BA  VK_OEM_1  [:][;]"},
        {0xBB, L"BB  VK_OEM_PLUS  [+]"},
        {0xBC, L"BC  VK_OEM_COMMA  [,]"},
        {0xBD, L"BD  VK_OEM_MINUS  [-]"},
        {0xBE, L"BE  VK_OEM_PERIOD  [.]"},
        {0xBF, L"BF  VK_OEM_2  [/][?]"},
        {0xC0, L"C0  VK_OEM_3  [`][~]"},
        {0xDB, L"DB  VK_OEM_4  [[][{]"},
        {0xDC, L"DC  VK_OEM_5  [\\][|]"},
        {0xDD, L"DD  VK_OEM_6  []][}]"},
        {0xDE, L"DE  VK_OEM_7  ['][\"]"},
        {0xDF, L"DF  VK_OEM_8  (OEM use)"},
        {0xE2, L"E2  VK_OEM_102  102 KeyBoard [][\\]"},
        {0xE5, L"E5  VK_PROCESSKEY  IME Process"},
        {0xE7, L"E7  VK_PACKET  KeyStroke for devices"},
        {0xF6, L"F6  VK_ATTN  Attn"},
        {0xF7, L"F7  VK_CRSEL  CrSel"},
        {0xF8, L"F8  VK_EXSEL  ExSel"},
        {0xF9, L"F9  VK_EREOF  Erase EOF"},
        {0xFA, L"FA  VK_PLAY  Play"},
        {0xFB, L"FB  VK_ZOOM  Zoom"},
        {0xFC, L"FC  VK_NONAME  (Reserved)"},
        {0xFD, L"FD  VK_PA1  [PA1]"},
        {0xFE, L"FE  VK_OEM_CLEAR  [Clear]"},
    };
}

// Rows without a key name: the code, four spaces, the category.
ExpectedRows UnnamedRows() {
    struct Category {
        const wchar_t* label;
        std::vector<std::pair<int, int>> ranges;
    };
    const Category categories[] = {
        {L"(Undefined)", {{0x00, 0x00}, {0x0E, 0x0F}, {0x16, 0x16}, {0x3A, 0x40}, {0xFF, 0xFF}}},
        {L"(Reserved)",
         {{0x07, 0x07}, {0x0B, 0x0B}, {0x5E, 0x5E}, {0x88, 0x8F}, {0xB8, 0xB9}, {0xC1, 0xDA}, {0xE0, 0xE0}}},
        {L"(OEM use)", {{0x92, 0x96}, {0xE1, 0xE1}, {0xE3, 0xE4}, {0xE6, 0xE6}, {0xE9, 0xF5}}},
        {L"(not assigned)", {{0x97, 0x9E}, {0xE8, 0xE8}}},
    };
    ExpectedRows rows;
    for (const Category& category : categories) {
        for (const auto& [first, last] : category.ranges) {
            for (int code = first; code <= last; ++code) {
                rows.emplace_back(code, Hex2(code) + L"    " + category.label);
            }
        }
    }
    return rows;
}

// Rows whose name and description follow from the code.
ExpectedRows GeneratedRows() {
    ExpectedRows rows;
    auto character = [&rows](int code) {
        const std::wstring c(1, static_cast<wchar_t>(code));
        rows.emplace_back(code, Hex2(code) + L"  ASCII CHAR " + c + L"  [" + c + L"]");
    };
    for (int code = 0x30; code <= 0x39; ++code) character(code);
    for (int code = 0x41; code <= 0x5A; ++code) character(code);
    for (int code = 0x60; code <= 0x69; ++code) {
        const std::wstring n = std::to_wstring(code - 0x60);
        rows.emplace_back(code, Hex2(code) + L"  VK_NUMPAD" + n + L"  10key [" + n + L"]");
    }
    for (int code = 0x70; code <= 0x87; ++code) {
        const std::wstring n = std::to_wstring(code - 0x6F);
        std::wstring row = Hex2(code) + L"  VK_F" + n + L"  [F" + n + L"]";
        if (code == 0x70) row += L" Help";
        if (code == 0x74) row += L" Browser Reload";
        rows.emplace_back(code, row);
    }
    return rows;
}

void ExpectRows(const ExpectedRows& expected) {
    const auto& rows = KeyCodeRows();
    for (const auto& [code, text] : expected) {
        EXPECT_EQ(rows[code], text) << "code " << code;
    }
}

TEST(KeyCodeRows, EveryRowBeginsWithItsOwnCode) {
    const auto& rows = KeyCodeRows();
    ASSERT_EQ(rows.size(), 256u);
    for (int code = 0; code < 256; ++code) {
        ASSERT_GE(rows[code].size(), 4u) << "code " << code;
        EXPECT_EQ(rows[code].substr(0, 4), Hex2(code) + L"  ") << "code " << code;
        EXPECT_NE(rows[code].back(), L' ') << "code " << code;
    }
}

TEST(KeyCodeRows, NamedAndIrregularRowsAreExact) { ExpectRows(NamedRows()); }
TEST(KeyCodeRows, UnnamedRowsCarryTheirCategory) { ExpectRows(UnnamedRows()); }
TEST(KeyCodeRows, CharacterNumpadAndFunctionRowsFollowTheirRule) { ExpectRows(GeneratedRows()); }

// The three groups above together must pin down each row exactly once.
TEST(KeyCodeRows, ExpectationsCoverEveryCodeOnce) {
    std::map<int, int> seen;
    for (const ExpectedRows& group : {NamedRows(), UnnamedRows(), GeneratedRows()}) {
        for (const auto& entry : group) ++seen[entry.first];
    }
    ASSERT_EQ(seen.size(), 256u);
    for (const auto& [code, count] : seen) {
        EXPECT_EQ(count, 1) << "code " << code;
    }
}

TEST(KeyCodeRows, CodeOfEachRowIsItsIndex) {
    const auto& rows = KeyCodeRows();
    for (int code = 0; code < 256; ++code) {
        EXPECT_EQ(CodeOfRowText(rows[code]), code);
    }
}

TEST(CodeOfRowText, ReadsTwoHexDigitsOrFallsBack) {
    const std::pair<const wchar_t*, int> cases[] = {
        {L"74  VK_F5  [F5] Browser Reload", 0x74},
        {L"00", 0x00},
        {L"ff", 0xFF},
        {L"aB  x", 0xAB},
        {L"0d", 0x0D},
        {L"", 0x9F},
        {L"7", 0x9F},
        {L"G1", 0x9F},
        {L"1G", 0x9F},
        {L" 1", 0x9F},
        {L"-1", 0x9F},
        {L"\u0661\u0662", 0x9F},  // digits of another script are not hexadecimal
    };
    for (const auto& [text, code] : cases) {
        EXPECT_EQ(CodeOfRowText(text), code) << testing::PrintToString(std::wstring(text));
    }
}

TEST(StoredKeyCode, ReadsOneToEightHexDigitsWrappingToSigned) {
    const std::pair<const wchar_t*, int> cases[] = {
        {L"9F", 0x9F},
        {L"9f", 0x9F},
        {L"0", 0},
        {L"A", 10},
        {L"74", 0x74},
        {L"000A", 10},
        {L"1FF", 0x1FF},
        {L"7FFFFFFF", std::numeric_limits<std::int32_t>::max()},
        {L"80000000", std::numeric_limits<std::int32_t>::min()},
        {L"FFFFFFFF", -1},
        {L"", 0x9F},
        {L"G1", 0x9F},
        {L"XYZ", 0x9F},
        {L"100000000", 0x9F},
        {L"000000074", 0x74},  // leading zeros do not count against the eight digits
        {L"-1", 0x9F},
        {L"$74", 0x9F},
        {L"0x74", 0x9F},
        {L" 74", 0x9F},
        {L"74 ", 0x9F},
    };
    for (const auto& [stored, code] : cases) {
        EXPECT_EQ(StoredKeyCode(stored), code) << testing::PrintToString(std::wstring(stored));
    }
}

TEST(KeyOfCode, UpperCaseHexWithAtLeastTwoDigits) {
    const std::pair<int, const wchar_t*> cases[] = {
        {0, L"00"},      {10, L"0A"},     {0x9F, L"9F"},     {0xFF, L"FF"},
        {0x100, L"100"}, {0x1FF, L"1FF"}, {-1, L"FFFFFFFF"}, {std::numeric_limits<std::int32_t>::min(), L"80000000"},
    };
    for (const auto& [code, key] : cases) {
        EXPECT_EQ(KeyOfCode(code), key) << "code " << code;
    }
}

TEST(RowOfStoredCode, SelectsTheRowOfTheStoredCode) {
    const std::pair<const wchar_t*, int> cases[] = {
        {L"9f", 0x9F}, {L"9F", 0x9F}, {L"", 0x9F},   {L"G1", 0x9F}, {L"XYZ", 0x9F}, {L"0", 0},    {L"00", 0},
        {L"A", 10},    {L"0d", 0x0D}, {L"74", 0x74}, {L"FF", 0xFF}, {L"1FF", -1},   {L"100", -1}, {L"FFFFFFFF", -1},
    };
    const std::vector<std::wstring> rows(KeyCodeRows().begin(), KeyCodeRows().end());
    for (const auto& [stored, row] : cases) {
        EXPECT_EQ(RowOfStoredCode(stored, rows), row) << testing::PrintToString(std::wstring(stored));
    }
    EXPECT_EQ(rows[RowOfStoredCode(L"74", rows)], L"74  VK_F5  [F5] Browser Reload");
    // The rows as a list shows them, whatever their order: the row that begins with the code.
    std::vector<std::wstring> moved = rows;
    std::rotate(moved.begin(), moved.begin() + 0xAA, moved.end());
    EXPECT_EQ(moved[RowOfStoredCode(L"AB", moved)].substr(0, 2), L"AB");
    EXPECT_EQ(RowOfStoredCode(L"AB", moved), 1);
}

}  // namespace
}  // namespace tw
