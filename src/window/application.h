// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

namespace velmora {

// Checks, before any window-system call, that there is a display to open the window
// on. Without one it prints a single line to stderr and returns false.
[[nodiscard]] bool DisplayAvailable();

enum class Icon { Now, AfterFirstFrame };

// The program-wide settings the window relies on: the style, the icon, the names and
// Qt's own texts in Bulgarian. Decoding the icon is the costliest of them: the program
// itself sets it once its first frame is on the screen (SetWindowIcon).
void PrepareApplication(QApplication& app, Icon icon = Icon::Now);

// The program's icon, for the desktop's title bars and task bars.
void SetWindowIcon(QApplication& app);

// Loads Debian's Bulgarian translation of Qt's own texts; false when it is not installed.
bool InstallQtTranslations(QApplication& app);

} // namespace velmora
