// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where everything of a worksheet goes on its pages, measured with the device it will be
// drawn on: the layout is a value, so a test can check that every text lies whole in its
// box before anything is painted.

#include "puzzle/worksheet.h"

#include <QFont>
#include <QLineF>
#include <QRectF>
#include <QString>

#include <vector>

class QPaintDevice;

namespace velmora {

struct SheetText {
    QString text;
    QFont font;
    QRectF box;    // the room it was given
    int flags = 0; // Qt::AlignmentFlag and Qt::TextWordWrap
    QRectF cell;   // the puzzle's cell it belongs to, or the page's area
};

// A box a pupil writes in.
struct SheetBox {
    QRectF rect;
    QRectF cell;     // the puzzle's cell it belongs to
    int puzzle = -1; // which of the sheet's puzzles
};

struct SheetPage {
    std::vector<SheetText> texts;
    std::vector<SheetBox> boxes;
    std::vector<QLineF> lines; // the figures' lines, drawn under the boxes
};

// Every page of `sheet` (puzzle pages, then answer pages) laid out in `area`, the
// printable part of the page in `device`'s pixels.
[[nodiscard]] std::vector<SheetPage> LayoutWorksheet(const Worksheet& sheet, QPaintDevice& device,
                                                     const QRectF& area);

// The extent `text` takes when drawn in its box on `device`.
[[nodiscard]] QRectF DrawnExtent(const SheetText& text, QPaintDevice& device);

} // namespace velmora
