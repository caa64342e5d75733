// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <vector>

namespace velmora {

// Window coordinates are in twips, the layout's own unit: 15 to a pixel at 100 %.
inline constexpr double kTwipsPerPixel = 15.0;

// A label's place on the window, in twips.
struct LabelBox {
    double left = 0, top = 0, width = 0, height = 0;
};

struct Segment {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const Segment&) const = default;
};

// The outline of each figure, anchored on its labels' current places. The far end's
// Y is rounded to a whole 16-bit number, halves to even (2107.5 -> 2108); the rest keep
// their fractions. Throws std::domain_error when a coordinate is not a finite number
// and std::overflow_error when a rounded Y leaves -32768..32767.

// Labels in triangle order: bottom-left corner, apex, bottom-right corner.
[[nodiscard]] std::vector<Segment> TriangleOutline(const std::array<LabelBox, 3>& corners);

// Labels in vertex order: top, left, bottom, right.
[[nodiscard]] std::vector<Segment> RhombusOutline(const std::array<LabelBox, 4>& vertices);

} // namespace velmora
