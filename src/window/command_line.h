// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "puzzle/worksheet.h"

#include <QStringList>

class QTextStream;

namespace velmora {

struct CommandLine {
    bool openWindow = true; // false: the program ends with exitCode
    int exitCode = 0;
    int zoomPercent = 100;
    bool practice = false;   // start in practice rather than the demonstration
    bool fullScreen = false; // start presenting, the form filling the screen
    // Set: write this worksheet as a PDF to the file and end, without a window.
    QString worksheetPath{};
    WorksheetRequest worksheet{};
};

// Reads the program's arguments (the program name first). Help, the version and any
// error are printed here, in Bulgarian; none of it needs a display. The options Qt
// takes for every program (-platform, -style, -reverse, …) are left to Qt.
[[nodiscard]] CommandLine ParseCommandLine(const QStringList& arguments, QTextStream& out,
                                           QTextStream& err);

} // namespace velmora
