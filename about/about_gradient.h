#pragma once
// The About box's background in the plain look: a two-colour gradient drawn afresh at every
// repaint from one random number.
#include <cstdint>

namespace tw {

struct AboutGradient {
    std::uint32_t endColor;  // 0x00BBGGRR; the gradient starts white
    bool horizontal;         // white at the left edge, else at the top
};

// The gradient for a random number 0 <= r < 0xFFFFFF: r itself is the end colour, and its
// lowest bit chooses the direction (odd: left to right).
constexpr AboutGradient AboutGradientFor(std::uint32_t r) { return {r, (r & 1) != 0}; }

}  // namespace tw
