// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/outline.h"

#include "puzzle/number_text.h"

#include <cmath>
#include <stdexcept>

namespace velmora {
namespace {

struct Point {
    double x, y;
};

// A computed coordinate must be a real number before it goes anywhere near the painter.
double Checked(double value) {
    if (!std::isfinite(value))
        throw std::domain_error("outline coordinate is not a finite number");
    return value;
}

double RoundedY(double value) {
    const auto rounded = RoundToInt16(Checked(value));
    if (!rounded)
        throw std::overflow_error("outline coordinate is outside -32768..32767");
    return *rounded;
}

Point BottomCentre(const LabelBox& b) {
    return {Checked(b.left + b.width / 2), Checked(b.top + b.height)};
}
Point TopCentre(const LabelBox& b) {
    return {Checked(b.left + b.width / 2), b.top};
}
Point RightMiddle(const LabelBox& b) {
    return {Checked(b.left + b.width), Checked(b.top + b.height / 2)};
}
Point LeftMiddle(const LabelBox& b) {
    return {b.left, Checked(b.top + b.height / 2)};
}
Point BottomLeft(const LabelBox& b) {
    return {b.left, Checked(b.top + b.height)};
}
Point BottomRight(const LabelBox& b) {
    return {Checked(b.left + b.width), Checked(b.top + b.height)};
}

Segment Between(Point from, Point to) {
    return {from.x, from.y, to.x, RoundedY(to.y)};
}

} // namespace

std::vector<Segment> TriangleOutline(const std::array<LabelBox, 3>& corners) {
    const auto& [bottomLeft, apex, bottomRight] = corners;
    return {
        Between(BottomLeft(bottomLeft), BottomRight(bottomRight)),
        Between(BottomLeft(bottomLeft), BottomCentre(apex)),
        Between(BottomRight(bottomRight), BottomCentre(apex)),
    };
}

std::vector<Segment> RhombusOutline(const std::array<LabelBox, 4>& vertices) {
    const auto& [top, left, bottom, right] = vertices;
    return {
        Between(BottomCentre(top), RightMiddle(left)),
        Between(BottomCentre(top), LeftMiddle(right)),
        Between(TopCentre(bottom), RightMiddle(left)),
        Between(TopCentre(bottom), LeftMiddle(right)),
    };
}

} // namespace velmora
