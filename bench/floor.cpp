// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for the start-up benchmark: a bare main window with a menu bar, two tool
// bars, a status line and the same number and kinds of child widgets as velmora, and
// nothing else (no form, style sheet, fonts, icon or translations).

#include "window/first_frame.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
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
    form->setFixedSize(481, 399);
    window.setCentralWidget(form);
    // three heading, four rhombus, six triangle and seven sum labels
    for (int i = 0; i < 20; ++i)
        new QLabel(QStringLiteral("%1").arg(i), form);
    auto* frame = new QGroupBox(QStringLiteral("frame"), form);
    new QRadioButton(QStringLiteral("one"), frame);
    new QRadioButton(QStringLiteral("two"), frame);
    new QListWidget(form);
    new QLineEdit(form);
    new QPushButton(QStringLiteral("one"), form);
    new QPushButton(QStringLiteral("two"), form);
    new QPlainTextEdit(QStringLiteral("text"), form);
    new QPlainTextEdit(QStringLiteral("text"), form);
    velmora::ReportFirstFrameIfAsked(window);
    window.show();
    return app.exec();
}
