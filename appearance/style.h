#pragma once
// A visual style: a name, the colour roles every control is drawn with, and a few shape values.
// Portable: the style engine of the control layer turns it into brushes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "appearance/color_roles.h"

namespace tw::appearance {

// 0xRRGGBB.
using Rgb = std::uint32_t;

// The semantic colour roles; a style file names these, the rest of the look is derived.
enum class ColorRole {
#define TAPWHILE_ROLE_NAME(name, key, systemColor) name,
    TAPWHILE_COLOR_ROLES(TAPWHILE_ROLE_NAME)
#undef TAPWHILE_ROLE_NAME
        Count
};

inline constexpr std::size_t ColorRoleCount = static_cast<std::size_t>(ColorRole::Count);

// Each role's key in a style file, by slot.
inline constexpr std::array<std::wstring_view, ColorRoleCount> ColorRoleKeys = {
#define TAPWHILE_ROLE_KEY(name, key, systemColor) key,
    TAPWHILE_COLOR_ROLES(TAPWHILE_ROLE_KEY)
#undef TAPWHILE_ROLE_KEY
};

// A colour for every role, one slot each.
struct StyleColors {
    std::array<Rgb, ColorRoleCount> slots{};

    Rgb& operator[](ColorRole role) { return slots[static_cast<std::size_t>(role)]; }
    Rgb operator[](ColorRole role) const { return slots[static_cast<std::size_t>(role)]; }
};

struct Style {
    std::wstring name;  // the listed name, as the style list shows it
    StyleColors colors;
    int cornerRadius = 0;   // pixels at 96 dpi, buttons and frames
    int borderWidth = 1;    // pixels at 96 dpi
    bool gradient = false;  // faces drawn with a light-to-dark vertical gradient
};

// The name of the plain system look; it is no style file.
inline constexpr std::wstring_view SystemStyleName = L"Windows";

}  // namespace tw::appearance
