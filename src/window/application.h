// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

namespace velmora {

// Checks, before any window-system call, that there is a display to open the window
// on. Without one it prints a single line to stderr and returns false.
[[nodiscard]] bool DisplayAvailable();

enum class Icon { Now, AfterFirstFrame };

// The program-wide settings the window relies on: the style, the icon, the names and
// the translations of Qt's own texts and the form's, in the language in force. Decoding the icon is the costliest of them: the program
// itself sets it once its first frame is on the screen (SetWindowIcon).
void PrepareApplication(QApplication& app, Icon icon = Icon::Now);

// The program's icon, for the desktop's title bars and task bars.
void SetWindowIcon(QApplication& app);

// Qt's own texts (from Debian's translations, when installed) and the Designer form's
// (from the core's catalog) in the language in force: UseLanguage(CurrentLanguage()).
void InstallQtTranslations();

} // namespace velmora
