// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Draws a worksheet for paper: A4 pages of puzzles, then the answer pages. QtGui only,
// so it runs without a display and draws the same into a PDF or onto a printer.

#include "puzzle/worksheet.h"

class QPagedPaintDevice;
class QString;
class QTextStream;

namespace velmora {

// The page's margin all round: nothing is drawn closer to the paper's edge.
inline constexpr double kSheetMarginMm = 12;

// Paints every page of `sheet` on `device` (a QPdfWriter or a QPrinter).
void DrawWorksheet(const Worksheet& sheet, QPagedPaintDevice& device);

// Writes `sheet` as a PDF to `path`, all or nothing: false, with `error` set in
// Bulgarian, when the file cannot be written; no partial file is left.
[[nodiscard]] bool WriteWorksheetPdf(const Worksheet& sheet, const QString& path, QString& error);

// The command line's worksheet: 0 when written, 2 with one Bulgarian line on `err`
// when the request or the file is wrong (and no file is left).
[[nodiscard]] int WriteWorksheetCommand(const WorksheetRequest& request, const QString& path,
                                        QTextStream& err);

} // namespace velmora
