#include "engine/key_code_table.h"

#include <cstddef>
#include <cstdint>

namespace tw {

namespace {

// Rows without a key name have four spaces between the code and the description.
constexpr std::array<std::wstring_view, 256> Rows = {
    L"00    (Undefined)",
    L"01  VK_LBUTTON  Mouse LEFT",
    L"02  VK_RBUTTON  Mouse RIGHT",
    L"03  VK_CANCEL  [Cancel]  ([Ctrl]+[Break])",
    L"04  VK_MBUTTON  Mouse CENTER",
    L"05  VK_XBUTTON1  Mouse X1",
    L"06  VK_XBUTTON2  Mouse X2",
    L"07    (Reserved)",
    L"08  VK_BACK  [Back Space]",
    L"09  VK_TAB  [Tab]",
    L"0A    (Reserved)  [Line Feed]",
    L"0B    (Reserved)",
    L"0C  VK_CLEAR  [Clear]",
    L"0D  VK_RETURN  [Enter]",
    L"0E    (Undefined)",
    L"0F    (Undefined)",
    L"10  VK_SHIFT  [Shift]",
    L"11  VK_CONTROL  [Ctrl]",
    L"12  VK_MENU  [Alt]",
    L"13  VK_PAUSE  [Pause]",
    L"14  VK_CAPITAL  [Caps Lock]",
    L"15  VK_KANA  IME Kana mode",
    L"16    (Undefined)",
    L"17  VK_JUNJA",
    L"18  VK_FINAL",
    L"19  VK_KANJI  IME Kanji mode",
    L"1A  VK_IME_OFF",
    L"1B  VK_ESCAPE  [Esc]",
    L"1C  VK_CONVERT  IME convert",
    L"1D  VK_NONCONVERT  IME non convert",
    L"1E  VK_ACCEPT  IME acceptable",
    L"1F  VK_MODECHANGE  IME mode change",
    L"20  VK_SPACE  [Space]",
    L"21  VK_PRIOR  [Page Up]",
    L"22  VK_NEXT  [Page Down]",
    L"23  VK_END  [End]",
    L"24  VK_HOME  [Home]",
    L"25  VK_LEFT  [←]",
    L"26  VK_UP  [↑]",
    L"27  VK_RIGHT  [→]",
    L"28  VK_DOWN  [↓]",
    L"29  VK_SELECT  [Select]",
    L"2A  VK_PRINT  [Print]",
    L"2B  VK_EXECUTE  [Execute]",
    L"2C  VK_SNAPSHOT  [Print Screen]",
    L"2D  VK_INSERT  [Insert]",
    L"2E  VK_DELETE  [Delete]",
    L"2F  VK_HELP  [Help]",
    L"30  ASCII CHAR 0  [0]",
    L"31  ASCII CHAR 1  [1]",
    L"32  ASCII CHAR 2  [2]",
    L"33  ASCII CHAR 3  [3]",
    L"34  ASCII CHAR 4  [4]",
    L"35  ASCII CHAR 5  [5]",
    L"36  ASCII CHAR 6  [6]",
    L"37  ASCII CHAR 7  [7]",
    L"38  ASCII CHAR 8  [8]",
    L"39  ASCII CHAR 9  [9]",
    L"3A    (Undefined)",
    L"3B    (Undefined)",
    L"3C    (Undefined)",
    L"3D    (Undefined)",
    L"3E    (Undefined)",
    L"3F    (Undefined)",
    L"40    (Undefined)",
    L"41  ASCII CHAR A  [A]",
    L"42  ASCII CHAR B  [B]",
    L"43  ASCII CHAR C  [C]",
    L"44  ASCII CHAR D  [D]",
    L"45  ASCII CHAR E  [E]",
    L"46  ASCII CHAR F  [F]",
    L"47  ASCII CHAR G  [G]",
    L"48  ASCII CHAR H  [H]",
    L"49  ASCII CHAR I  [I]",
    L"4A  ASCII CHAR J  [J]",
    L"4B  ASCII CHAR K  [K]",
    L"4C  ASCII CHAR L  [L]",
    L"4D  ASCII CHAR M  [M]",
    L"4E  ASCII CHAR N  [N]",
    L"4F  ASCII CHAR O  [O]",
    L"50  ASCII CHAR P  [P]",
    L"51  ASCII CHAR Q  [Q]",
    L"52  ASCII CHAR R  [R]",
    L"53  ASCII CHAR S  [S]",
    L"54  ASCII CHAR T  [T]",
    L"55  ASCII CHAR U  [U]",
    L"56  ASCII CHAR V  [V]",
    L"57  ASCII CHAR W  [W]",
    L"58  ASCII CHAR X  [X]",
    L"59  ASCII CHAR Y  [Y]",
    L"5A  ASCII CHAR Z  [Z]",
    L"5B  VK_LWIN  Left Windows Key",
    L"5C  VK_RWIN  Right Windows Key",
    L"5D  VK_APPS  Application Key",
    L"5E    (Reserved)",
    L"5F  VK_SLEEP  Computer Sleep",
    L"60  VK_NUMPAD0  10key [0]",
    L"61  VK_NUMPAD1  10key [1]",
    L"62  VK_NUMPAD2  10key [2]",
    L"63  VK_NUMPAD3  10key [3]",
    L"64  VK_NUMPAD4  10key [4]",
    L"65  VK_NUMPAD5  10key [5]",
    L"66  VK_NUMPAD6  10key [6]",
    L"67  VK_NUMPAD7  10key [7]",
    L"68  VK_NUMPAD8  10key [8]",
    L"69  VK_NUMPAD9  10key [9]",
    L"6A  VK_MULTIPLY  10key [*]",
    L"6B  VK_ADD  10key [+]",
    L"6C  VK_SEPARATOR  10key [Enter]",
    L"6D  VK_SUBTRACT  10key [-]",
    L"6E  VK_DECIMAL  10key [.]",
    L"6F  VK_DIVIDE  10key [/]",
    L"70  VK_F1  [F1] Help",
    L"71  VK_F2  [F2]",
    L"72  VK_F3  [F3]",
    L"73  VK_F4  [F4]",
    L"74  VK_F5  [F5] Browser Reload",
    L"75  VK_F6  [F6]",
    L"76  VK_F7  [F7]",
    L"77  VK_F8  [F8]",
    L"78  VK_F9  [F9]",
    L"79  VK_F10  [F10]",
    L"7A  VK_F11  [F11]",
    L"7B  VK_F12  [F12]",
    L"7C  VK_F13  [F13]",
    L"7D  VK_F14  [F14]",
    L"7E  VK_F15  [F15]",
    L"7F  VK_F16  [F16]",
    L"80  VK_F17  [F17]",
    L"81  VK_F18  [F18]",
    L"82  VK_F19  [F19]",
    L"83  VK_F20  [F20]",
    L"84  VK_F21  [F21]",
    L"85  VK_F22  [F22]",
    L"86  VK_F23  [F23]",
    L"87  VK_F24  [F24]",
    L"88    (Reserved)",
    L"89    (Reserved)",
    L"8A    (Reserved)",
    L"8B    (Reserved)",
    L"8C    (Reserved)",
    L"8D    (Reserved)",
    L"8E    (Reserved)",
    L"8F    (Reserved)",
    L"90  VK_NUMLOCK  [Num Lock]",
    L"91  VK_SCROLL  [Scroll Lock]",
    L"92    (OEM use)",
    L"93    (OEM use)",
    L"94    (OEM use)",
    L"95    (OEM use)",
    L"96    (OEM use)",
    L"97    (not assigned)",
    L"98    (not assigned)",
    L"99    (not assigned)",
    L"9A    (not assigned)",
    L"9B    (not assigned)",
    L"9C    (not assigned)",
    L"9D    (not assigned)",
    L"9E    (not assigned)",
    L"9F    (not assigned) (initial value)",
    L"A0  VK_LSHIFT  Left[Shift]",
    L"A1  VK_RSHIFT  Right[Shift]",
    L"A2  VK_LCONTROL  Left[Ctrl]",
    L"A3  VK_RCONTROL  Right[Ctrl]",
    L"A4  VK_LMENU  Left[Alt]",
    L"A5  VK_RMENU  Right[Alt]",
    L"A6  VK_BROWSER_BACK  Browser Back(Prev)",
    L"A7  VK_BROWSER_FORWARD  Browser Forward(Next)",
    L"A8  VK_BROWSER_REFRESH  Browser Refresh(Reload)",
    L"A9  VK_BROWSER_STOP  Browser Stop",
    L"AA  VK_BROWSER_SEARCH  Browser Search",
    L"AB  VK_BROWSER_FAVORITES  Browser Favourites",
    L"AC  VK_BROWSER_HOME  Browser Home",
    L"AD  VK_VOLUME_MUTE  Volume Mute",
    L"AE  VK_VOLUME_DOWN  Volume Down",
    L"AF  VK_VOLUME_UP  Volume Up",
    L"B0  VK_MEDIA_NEXT_TRACK  MediaPlayer NextTrack",
    L"B1  VK_MEDIA_PREV_TRACK  MediaPlayer PrevTrack",
    L"B2  VK_MEDIA_STOP  MediaPlayer Stop",
    L"B3  VK_MEDIA_PLAY_PAUSE  MediaPlayer Start/Stop",
    L"B4  VK_LAUNCH_MAIL  Mail",
    L"B5  VK_LAUNCH_MEDIA_SELECT  Media Select",
    L"B6  VK_LAUNCH_APP1  Application 1",
    L"B7  VK_LAUNCH_APP2  Application 2",
    L"B8    (Reserved)",
    L"B9    (Reserved)",
    L"BA  VK_OEM_1  [:][;]",
    L"BB  VK_OEM_PLUS  [+]",
    L"BC  VK_OEM_COMMA  [,]",
    L"BD  VK_OEM_MINUS  [-]",
    L"BE  VK_OEM_PERIOD  [.]",
    L"BF  VK_OEM_2  [/][?]",
    L"C0  VK_OEM_3  [`][~]",
    L"C1    (Reserved)",
    L"C2    (Reserved)",
    L"C3    (Reserved)",
    L"C4    (Reserved)",
    L"C5    (Reserved)",
    L"C6    (Reserved)",
    L"C7    (Reserved)",
    L"C8    (Reserved)",
    L"C9    (Reserved)",
    L"CA    (Reserved)",
    L"CB    (Reserved)",
    L"CC    (Reserved)",
    L"CD    (Reserved)",
    L"CE    (Reserved)",
    L"CF    (Reserved)",
    L"D0    (Reserved)",
    L"D1    (Reserved)",
    L"D2    (Reserved)",
    L"D3    (Reserved)",
    L"D4    (Reserved)",
    L"D5    (Reserved)",
    L"D6    (Reserved)",
    L"D7    (Reserved)",
    L"D8    (Reserved)",
    L"D9    (Reserved)",
    L"DA    (Reserved)",
    L"DB  VK_OEM_4  [[][{]",
    L"DC  VK_OEM_5  [\\][|]",
    L"DD  VK_OEM_6  []][}]",
    L"DE  VK_OEM_7  ['][\"]",
    L"DF  VK_OEM_8  (OEM use)",
    L"E0    (Reserved)",
    L"E1    (OEM use)",
    L"E2  VK_OEM_102  102 KeyBoard [][\\]",
    L"E3    (OEM use)",
    L"E4    (OEM use)",
    L"E5  VK_PROCESSKEY  IME Process",
    L"E6    (OEM use)",
    L"E7  VK_PACKET  KeyStroke for devices",
    L"E8    (not assigned)",
    L"E9    (OEM use)",
    L"EA    (OEM use)",
    L"EB    (OEM use)",
    L"EC    (OEM use)",
    L"ED    (OEM use)",
    L"EE    (OEM use)",
    L"EF    (OEM use)",
    L"F0    (OEM use)",
    L"F1    (OEM use)",
    L"F2    (OEM use)",
    L"F3    (OEM use)",
    L"F4    (OEM use)",
    L"F5    (OEM use)",
    L"F6  VK_ATTN  Attn",
    L"F7  VK_CRSEL  CrSel",
    L"F8  VK_EXSEL  ExSel",
    L"F9  VK_EREOF  Erase EOF",
    L"FA  VK_PLAY  Play",
    L"FB  VK_ZOOM  Zoom",
    L"FC  VK_NONAME  (Reserved)",
    L"FD  VK_PA1  [PA1]",
    L"FE  VK_OEM_CLEAR  [Clear]",
    L"FF    (Undefined)",
};

int HexDigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    if (c >= L'A' && c <= L'F') {
        return c - L'A' + 10;
    }
    if (c >= L'a' && c <= L'f') {
        return c - L'a' + 10;
    }
    return -1;
}

}  // namespace

const std::array<std::wstring_view, 256>& KeyCodeRows() {
    return Rows;
}

int CodeOfRowText(std::wstring_view rowText) {
    if (rowText.size() < 2) {
        return DefaultKeyCode;
    }
    const int high = HexDigitValue(rowText[0]);
    const int low = HexDigitValue(rowText[1]);
    if (high < 0 || low < 0) {
        return DefaultKeyCode;
    }
    return high * 16 + low;
}

int StoredKeyCode(std::wstring_view stored) {
    if (stored.empty() || stored.size() > 8) {
        return DefaultKeyCode;
    }
    std::uint32_t value = 0;
    for (const wchar_t c : stored) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            return DefaultKeyCode;
        }
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    // Eight digits above 7FFFFFFF wrap to negative codes, which name no row.
    return static_cast<std::int32_t>(value);
}

std::wstring KeyOfCode(int code) {
    static constexpr wchar_t Digits[] = L"0123456789ABCDEF";
    std::uint32_t value = static_cast<std::uint32_t>(code);
    std::wstring key;
    do {
        key.insert(key.begin(), Digits[value % 16]);
        value /= 16;
    } while (value != 0);
    if (key.size() < 2) {
        key.insert(key.begin(), L'0');
    }
    return key;
}

int RowOfStoredCode(std::wstring_view stored) {
    const std::wstring key = KeyOfCode(StoredKeyCode(stored));
    for (std::size_t i = 0; i < Rows.size(); ++i) {
        if (Rows[i].substr(0, 2) == key) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace tw
