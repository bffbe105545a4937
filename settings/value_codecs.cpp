#include "settings/value_codecs.h"

#include "runtime/int_parse.h"
#include "runtime/pattern_format.h"

#include <string_view>

namespace tw {

namespace {

struct NamedColour {
    std::uint32_t value;
    std::wstring_view name;
};

// The colour names a value written as a colour can carry: the sixteen basic colours, four more
// fixed ones, the two special values, and the system colours (0xFF000000 + the system's index).
constexpr NamedColour NamedColours[] = {
    {0x000000, L"clBlack"},
    {0x000080, L"clMaroon"},
    {0x008000, L"clGreen"},
    {0x008080, L"clOlive"},
    {0x800000, L"clNavy"},
    {0x800080, L"clPurple"},
    {0x808000, L"clTeal"},
    {0x808080, L"clGray"},
    {0xC0C0C0, L"clSilver"},
    {0x0000FF, L"clRed"},
    {0x00FF00, L"clLime"},
    {0x00FFFF, L"clYellow"},
    {0xFF0000, L"clBlue"},
    {0xFF00FF, L"clFuchsia"},
    {0xFFFF00, L"clAqua"},
    {0xFFFFFF, L"clWhite"},
    {0xC0DCC0, L"clMoneyGreen"},
    {0xF0CAA6, L"clSkyBlue"},
    {0xF0FBFF, L"clCream"},
    {0xA4A0A0, L"clMedGray"},
    {0x1FFFFFFF, L"clNone"},
    {0x20000000, L"clDefault"},
    {0xFF000000, L"clScrollBar"},
    {0xFF000001, L"clBackground"},
    {0xFF000002, L"clActiveCaption"},
    {0xFF000003, L"clInactiveCaption"},
    {0xFF000004, L"clMenu"},
    {0xFF000005, L"clWindow"},
    {0xFF000006, L"clWindowFrame"},
    {0xFF000007, L"clMenuText"},
    {0xFF000008, L"clWindowText"},
    {0xFF000009, L"clCaptionText"},
    {0xFF00000A, L"clActiveBorder"},
    {0xFF00000B, L"clInactiveBorder"},
    {0xFF00000C, L"clAppWorkSpace"},
    {0xFF00000D, L"clHighlight"},
    {0xFF00000E, L"clHighlightText"},
    {0xFF00000F, L"clBtnFace"},
    {0xFF000010, L"clBtnShadow"},
    {0xFF000011, L"clGrayText"},
    {0xFF000012, L"clBtnText"},
    {0xFF000013, L"clInactiveCaptionText"},
    {0xFF000014, L"clBtnHighlight"},
    {0xFF000015, L"cl3DDkShadow"},
    {0xFF000016, L"cl3DLight"},
    {0xFF000017, L"clInfoText"},
    {0xFF000018, L"clInfoBk"},
    {0xFF00001A, L"clHotLight"},
    {0xFF00001B, L"clGradientActiveCaption"},
    {0xFF00001C, L"clGradientInactiveCaption"},
    {0xFF00001D, L"clMenuHighlight"},
    {0xFF00001E, L"clMenuBar"},
};

}  // namespace

bool ReadBool(const std::optional<std::wstring>& value, bool defaultValue) {
    const std::optional<std::int32_t> number = value ? ParseInteger(*value) : std::nullopt;
    return number ? *number != 0 : defaultValue;
}

std::int32_t ReadInt(const std::optional<std::wstring>& value, std::int32_t defaultValue) {
    const std::optional<std::int32_t> number = value ? ParseInteger(*value) : std::nullopt;
    return number.value_or(defaultValue);
}

DateTime ReadDateTime(const std::optional<std::wstring>& value, DateTime defaultValue, const FormatSettings& fs) {
    DateTime parsed;
    return value && TryParseDateTime(*value, fs, parsed) ? parsed : defaultValue;
}

std::wstring WriteBool(bool value) { return value ? L"1" : L"0"; }

std::wstring WriteInt(std::int32_t value) { return std::to_wstring(value); }

std::wstring WriteDateTime(DateTime value, const FormatSettings& fs) { return DateTimeToText(value, fs); }

std::wstring WriteTick(std::uint32_t value) {
    for (const NamedColour& colour : NamedColours) {
        if (colour.value == value) {
            return std::wstring(colour.name);
        }
    }
    return L"$" + HexUpper(value, 8);
}

}  // namespace tw
