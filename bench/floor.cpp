// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for the start-up benchmark: the same form with the same texts, in a bare
// main window with a menu bar, two tool bars and a status line, in the texts' font, and
// nothing else (no game, style, text fitting, outline, icon or translations). What velmora takes
// beyond it is the program's own work.

#include "ui_velmora.h"
#include "window/first_frame.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setFont(QFont(QStringLiteral("Times New Roman"), 12)); // the texts' own font
    QMainWindow window;
    for (int menu = 0, items = 0; menu < 4; ++menu) // 13 items in 4 menus, as velmora's
        for (QMenu* m = window.menuBar()->addMenu(QStringLiteral("menu"));
             items < 4 * (menu + 1) && items < 13; ++items)
            m->addAction(QStringLiteral("item"));
    QToolBar* modes = window.addToolBar(QStringLiteral("modes"));
    for (int button = 0; button < 3; ++button) // two modes and leaving full screen
        modes->addAction(QStringLiteral("mode"));
    auto* teaching = new QToolBar(QStringLiteral("teaching"));
    window.addToolBar(Qt::BottomToolBarArea, teaching);
    for (int button = 0; button < 3; ++button)
        teaching->addAction(QStringLiteral("teach"));
    window.statusBar()->addWidget(new QLabel(QStringLiteral("status")), 1);
    auto* form = new QWidget;
    Ui::Velmora().setupUi(form);
    form->setFixedSize(form->size());
    // the seven sum labels velmora adds to its form
    for (int i = 0; i < 7; ++i)
        new QLabel(QStringLiteral("%1").arg(i), form);
    window.setCentralWidget(form);
    velmora::ReportFirstFrameIfAsked(window);
    window.show();
    return app.exec();
}
