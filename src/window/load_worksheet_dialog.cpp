// SPDX-License-Identifier: GPL-3.0-or-later
// The program's «Работен лист…»: the dialog, with Qt's print support, is in a module
// loaded the first time it opens. Linked into the program ahead of the window library,
// this takes the place of the library's direct OpenWorksheetDialog, so the program needs
// no print support to start: loading it cost every start-up about 1.5 M instructions
// (a sixtieth of all the work to the first frame).
#include "window/texts.h"
#include "window/worksheet_dialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QMessageBox>

void OpenWorksheetDialog(velmora::FigureMode figure, int start, QWidget* parent) {
    using Open = void (*)(velmora::FigureMode, int, QWidget*, velmora::Language);
    static Open open = nullptr; // the module stays loaded once it is
    QString failure;
    if (!open) {
        // Installed, in the program's own library folder; in the build, beside it.
        const QDir program(QCoreApplication::applicationDirPath());
        for (const QString& folder :
             {program.filePath(QStringLiteral(VELMORA_MODULE_DIR)), program.path()}) {
            QLibrary module(QDir(folder).filePath(QStringLiteral("velmora-worksheet")));
            open = reinterpret_cast<Open>(module.resolve("velmora_open_worksheet_dialog"));
            if (open)
                break;
            failure = module.errorString();
        }
    }
    if (open) {
        open(figure, start, parent, velmora::CurrentLanguage());
        return;
    }
    qWarning("velmora: %s", qPrintable(failure));
    auto* box = new QMessageBox(QMessageBox::Warning, velmora::Q(velmora::Tr("Работен лист")),
                                velmora::Q(velmora::Tr("Работният лист не може да се отвори: "
                                                       "програмата не е инсталирана цялата.")),
                                QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
