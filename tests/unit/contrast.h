#pragma once
// Relative luminance and contrast ratio of two colours as the WCAG define them: 4.5 is the least
// for text, 3 for large or disabled text and for marks. Portable, for the style tests and the
// window tests that read pixels.
#include <algorithm>
#include <cmath>

#include "appearance/style.h"

namespace tw::test {

inline double Luminance(appearance::Rgb rgb) {
    auto channel = [rgb](int shift) {
        const double c = ((rgb >> shift) & 0xFF) / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(16) + 0.7152 * channel(8) + 0.0722 * channel(0);
}

inline double Contrast(appearance::Rgb a, appearance::Rgb b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace tw::test
