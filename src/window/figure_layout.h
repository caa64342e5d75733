// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where a figure from figure.h goes on the form: its places, the sums of its lines and
// what is drawn between them, in pixels of the layout at 100 %. The triangle and the
// rhombus keep the form's own labels; the other figures are laid out from their data.

#include "puzzle/figure.h"

#include <QLineF>
#include <QRectF>

#include <vector>

namespace velmora {

struct FigureLayout {
    std::vector<QRectF> places; // one per place, in the figure's order
    std::vector<QRectF> sums;   // one per line
    std::vector<QLineF> lines;  // the outline, or the square's grid
};

// The figure's unit square stretched over `area` as far as its labels let it: every
// place and sum within `area`, no two of them overlapping, the places as large as
// `largestPlace` where there is room and the sums `sum` large.
[[nodiscard]] FigureLayout LayOutFigure(const Figure& figure, const QRectF& area,
                                        QSizeF largestPlace, QSizeF sum);

} // namespace velmora
