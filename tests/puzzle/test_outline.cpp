// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/outline.h"

#include <doctest/doctest.h>

#include <limits>
#include <ostream>
#include <stdexcept>

using namespace velmora;

namespace velmora {
std::ostream& operator<<(std::ostream& out, const Segment& s) {
    return out << "(" << s.x1 << ", " << s.y1 << ") – (" << s.x2 << ", " << s.y2 << ")";
}
} // namespace velmora

namespace {

// The labels' places in the layout, in twips.
const std::array<LabelBox, 4> kRhombusLabels{{{2880, 600, 1215, 615},
                                              {840, 1800, 1215, 615},
                                              {2880, 3000, 1215, 615},
                                              {4920, 1800, 1215, 615}}};
const std::array<LabelBox, 3> kTriangleLabels{
    {{1320, 2400, 735, 375}, {3360, 480, 735, 375}, {5400, 2400, 735, 375}}};

} // namespace

TEST_CASE("the worked example's outlines") {
    const auto rhombus = RhombusOutline(kRhombusLabels);
    REQUIRE(rhombus.size() == 4);
    CHECK(rhombus[0] == Segment{3487.5, 1215, 2055, 2108});
    CHECK(rhombus[1] == Segment{3487.5, 1215, 4920, 2108});
    CHECK(rhombus[2] == Segment{3487.5, 3000, 2055, 2108});
    CHECK(rhombus[3] == Segment{3487.5, 3000, 4920, 2108});
    const auto triangle = TriangleOutline(kTriangleLabels);
    REQUIRE(triangle.size() == 3);
    CHECK(triangle[0] == Segment{1320, 2775, 6135, 2775});
    CHECK(triangle[1] == Segment{1320, 2775, 3727.5, 855});
    CHECK(triangle[2] == Segment{6135, 2775, 3727.5, 855});
}

// Only the far end's Y is rounded, halves to even; the near end keeps its fraction.
TEST_CASE("the far end rounds halves to even") {
    const struct {
        double sideTop, y2;
    } rows[] = {{1799, 2106}, {1800, 2108}, {1800.25, 2108}, {1799.75, 2107}};
    for (const auto& row : rows) {
        CAPTURE(row.sideTop + 307.5); // the far end before rounding
        auto labels = kRhombusLabels;
        labels[1].top = row.sideTop;
        labels[0].top = 600.25; // the near end: 600.25 + 615 stays fractional
        const auto outline = RhombusOutline(labels);
        CHECK(outline[0].y2 == row.y2);
        CHECK(outline[0].y1 == 1215.25);
    }
    auto labels = kTriangleLabels;
    labels[0].top = labels[2].top = 2400.5;
    CHECK(TriangleOutline(labels)[0] == Segment{1320, 2775.5, 6135, 2776}); // 2775.5 to even
}

TEST_CASE("impossible geometry throws") {
    auto far = kTriangleLabels;
    far[2].top = 40000; // the base's far end leaves 16 bits
    CHECK_THROWS_AS((void)TriangleOutline(far), std::overflow_error);

    auto broken = kRhombusLabels;
    broken[3].height = std::numeric_limits<double>::quiet_NaN();
    CHECK_THROWS_AS((void)RhombusOutline(broken), std::domain_error);

    auto huge = kRhombusLabels;
    huge[0].width = std::numeric_limits<double>::infinity();
    CHECK_THROWS_AS((void)RhombusOutline(huge), std::domain_error);
}
