// Every embedded style is readable and looks like itself.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "appearance/style_catalogue.h"
#include "contrast.h"
#include "packed_styles.h"

namespace tw::appearance {
namespace {

using test::Contrast;

std::vector<Style> EmbeddedStyles() {
    std::vector<Style> styles;
    for (const auto& packed : testing::PackedStyles()) {
        if (std::optional<Style> style = DecodeStyle(packed.bytes.data(), packed.bytes.size())) {
            styles.push_back(*style);
        }
    }
    return styles;
}

TEST(StyleDesign, EveryTextIsReadableOnWhatItIsDrawnOn) {
    using R = ColorRole;
    const struct {
        const char* what;
        ColorRole fore;
        ColorRole back;
        double minimum;
    } pairs[] = {
        {"text on window", R::Text, R::Window, 4.5},
        {"field text on field", R::FieldText, R::Field, 4.5},
        {"face text on face", R::FaceText, R::Face, 4.5},
        {"face text on hot", R::FaceText, R::Hot, 4.5},
        {"face text on pressed", R::FaceText, R::Pressed, 4.5},
        {"selection text on selection", R::SelectionText, R::Selection, 4.5},
        {"tip text on tip", R::TipText, R::Tip, 4.5},
        {"menu text on menu", R::MenuText, R::Menu, 4.5},
        {"caption text on caption", R::CaptionText, R::Caption, 4.5},
        {"disabled text on window", R::DisabledText, R::Window, 3.0},
        {"disabled text on face", R::DisabledText, R::Face, 3.0},
        {"check mark on field", R::Accent, R::Field, 3.0},
        {"check mark on face", R::Accent, R::Face, 3.0},
    };
    const std::vector<Style> styles = EmbeddedStyles();
    EXPECT_EQ(styles.size(), 66u);
    for (const Style& style : styles) {
        for (const auto& pair : pairs) {
            EXPECT_GE(Contrast(style.colors[pair.fore], style.colors[pair.back]), pair.minimum)
                << std::string(style.name.begin(), style.name.end()) << ": " << pair.what;
        }
    }
}

// How far apart two palettes are in the colours that fill most of a window: the colour
// distances of these roles, combined as one vector (0 to 986).
double Difference(const StyleColors& a, const StyleColors& b) {
    double sum = 0;
    for (const ColorRole role :
         {ColorRole::Window, ColorRole::Face, ColorRole::Accent, ColorRole::Selection, ColorRole::Caption}) {
        for (const int shift : {16, 8, 0}) {
            const double d =
                static_cast<double>((a[role] >> shift) & 0xFF) - static_cast<double>((b[role] >> shift) & 0xFF);
            sum += d * d;
        }
    }
    return std::sqrt(sum);
}

TEST(StyleDesign, StylesAreDistinctFromEachOtherAndFromTheSystemLook) {
    // The system look as a default desktop shows it.
    StyleColors system;
    system[ColorRole::Window] = 0xF0F0F0;
    system[ColorRole::Face] = 0xE1E1E1;
    system[ColorRole::Accent] = 0x0078D7;
    system[ColorRole::Selection] = 0x0078D7;
    system[ColorRole::Caption] = 0xFFFFFF;
    constexpr double Visible = 70;  // a clear difference in one role, or several smaller ones

    const std::vector<Style> styles = EmbeddedStyles();
    for (std::size_t i = 0; i < styles.size(); ++i) {
        const std::string a(styles[i].name.begin(), styles[i].name.end());
        EXPECT_GE(Difference(styles[i].colors, system), Visible) << a << " looks like the system look";
        for (std::size_t j = i + 1; j < styles.size(); ++j) {
            EXPECT_GE(Difference(styles[i].colors, styles[j].colors), Visible)
                << a << " looks like " << std::string(styles[j].name.begin(), styles[j].name.end());
        }
    }
}

}  // namespace
}  // namespace tw::appearance
