// SPDX-License-Identifier: GPL-3.0-or-later
// The worksheet dialog opened directly: in the window library, and in the module the
// program loads it from (see load_worksheet_dialog.cpp).
#include "window/worksheet_dialog.h"

void OpenWorksheetDialog(velmora::FigureMode figure, int start, QWidget* parent) {
    auto* dialog = new WorksheetDialog(figure, start, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

// The module's entry, looked up by name. The module has a copy of the core of its own,
// which speaks the program's language from here on.
extern "C" Q_DECL_EXPORT void velmora_open_worksheet_dialog(velmora::FigureMode figure, int start,
                                                            QWidget* parent,
                                                            velmora::Language language) {
    velmora::SetLanguage(language);
    OpenWorksheetDialog(figure, start, parent);
}
