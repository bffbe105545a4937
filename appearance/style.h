#pragma once
// A visual style: a name, the colour roles every control is drawn with, and a few shape values.
// Portable: the style engine of the control layer turns it into brushes and pens.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw::appearance {

// 0xRRGGBB.
using Rgb = std::uint32_t;

// The semantic colour roles; a style file names these, the rest of the look is derived.
struct StyleColors {
    Rgb window = 0;        // form, pages and panel backgrounds
    Rgb text = 0;          // labels and captions on window
    Rgb field = 0;         // edit, list and memo backgrounds
    Rgb fieldText = 0;     // text on field
    Rgb face = 0;          // buttons, tabs, spin buttons, status bar
    Rgb faceText = 0;      // text on face
    Rgb hot = 0;           // face under the mouse
    Rgb pressed = 0;       // face while pressed, selected tab
    Rgb accent = 0;        // check marks, focus, default button edge
    Rgb selection = 0;     // selected list row
    Rgb selectionText = 0; // text on selection
    Rgb edge = 0;          // frames and separators
    Rgb disabledText = 0;  // text of disabled controls on window and on face
    Rgb tip = 0;           // hint tooltip background
    Rgb tipText = 0;       // text on tip
    Rgb menu = 0;          // pop-up menu background
    Rgb menuText = 0;      // text on menu
    Rgb caption = 0;       // title bar (where the system lets the program colour it)
    Rgb captionText = 0;   // text on caption
};

struct Style {
    std::wstring name;     // the listed name, as the style list shows it
    StyleColors colors;
    int cornerRadius = 0;  // pixels at 96 dpi, buttons and frames
    int borderWidth = 1;   // pixels at 96 dpi
    bool gradient = false; // faces drawn with a light-to-dark vertical gradient
};

// The name of the plain system look; it is no style file.
inline constexpr std::wstring_view SystemStyleName = L"Windows";

}  // namespace tw::appearance
