// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "puzzle/catalog.h"
#include "puzzle/worksheet.h"

#include <QStringList>

#include <optional>

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
    // --language: the window's and the worksheet's, over the one kept and the desktop's.
    std::optional<Language> language{};
};

// Reads the program's arguments (the program name first). Help, the version and any
// error are printed here, in the language --language asks for, else in the one in
// force; none of it needs a display. The options Qt
// takes for every program (-platform, -style, -reverse, …) are left to Qt.
[[nodiscard]] CommandLine ParseCommandLine(const QStringList& arguments, QTextStream& out,
                                           QTextStream& err);

} // namespace velmora
