// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Drives the window the way a pupil does: by its controls' names and real clicks.

#include "puzzle/figure.h"
#include "puzzle/outline.h"
#include "window/application.h"
#include "window/main_window.h"
#include "window/velmora.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace velmora::testing {

// The user's own settings are never read or written: the progress a window keeps goes to
// a folder of the test's own, which the programs it starts use too.
inline void PrepareTestApplication() {
    static QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, settings.path());
    PrepareApplication(*qApp);
}

inline std::unique_ptr<Velmora> OpenWindow() {
    auto window = std::make_unique<Velmora>();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qFatal("the window was never exposed");
    return window;
}

// The program's main window, shown and active, in `mode`.
inline std::unique_ptr<MainWindow> OpenMainWindow(PlayMode mode = PlayMode::Demonstration) {
    auto window = std::make_unique<MainWindow>();
    window->SetPlayMode(mode);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        qFatal("the main window never became active");
    return window;
}

inline QAction* MenuItem(const MainWindow& w, const QString& menu, const QString& item) {
    for (QAction* top : w.menuBar()->actions())
        if (top->text() == menu)
            for (QAction* action : top->menu()->actions())
                if (action->text() == item)
                    return action;
    qFatal("no menu item %s → %s", qPrintable(menu), qPrintable(item));
}

template <typename T = QWidget> T* Control(const QWidget& window, const QString& name) {
    T* control = window.findChild<T*>(name);
    if (!control)
        qFatal("no control %s", qPrintable(name));
    return control;
}

inline QLabel* TriangleLabel(const QWidget& w, int k) {
    return Control<QLabel>(w, QStringLiteral("Label3_%1").arg(k));
}
inline QLabel* RhombusLabel(const QWidget& w, int v) {
    return Control<QLabel>(w, QStringLiteral("Label2_%1").arg(v));
}
inline QListWidget* List(const QWidget& w) {
    return Control<QListWidget>(w, "List1");
}
inline QLineEdit* StartBox(const QWidget& w) {
    return Control<QLineEdit>(w, "Text2");
}

inline void Click(QWidget* control) {
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}
inline void ChooseFigure(const QWidget& w, int figure) {
    Click(Control(w, QStringLiteral("Option1_%1").arg(figure)));
}
inline void Compute(const QWidget& w) {
    Click(Control(w, "Command1_0"));
}
inline void ClearAllButton(const QWidget& w) {
    Click(Control(w, "Command1_1"));
}

// Replaces the start box's text by typing, as the pupil does.
inline void TypeStart(const QWidget& w, const QString& text) {
    QLineEdit* box = StartBox(w);
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

// The start of every game: a start number typed, a figure chosen, compute pressed.
inline void StartGame(const QWidget& w, int figure, const QString& start) {
    TypeStart(w, start);
    ChooseFigure(w, figure);
    Compute(w);
}

inline void ClickListItem(const QWidget& w, int row) {
    QListWidget* list = List(w);
    list->scrollToItem(list->item(row));
    const QRect place = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
}

inline QStringList ListItems(const QWidget& w) {
    QStringList items;
    for (int row = 0; row < List(w)->count(); ++row)
        items << List(w)->item(row)->text();
    return items;
}

// The captions of a figure's labels in index order: 0 triangle, 1 rhombus.
inline QStringList Captions(const QWidget& w, int figure) {
    QStringList captions;
    for (int i = 0; i < (figure == 0 ? 6 : 4); ++i)
        captions << (figure == 0 ? TriangleLabel(w, i) : RhombusLabel(w, i))->text();
    return captions;
}

inline bool IsBlack(QRgb pixel) {
    return qRed(pixel) < 60 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
}

// Black within a pixel of the point: an aliased one-pixel line may fall either side.
inline bool BlackNear(const QImage& image, QPointF point) {
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (IsBlack(image.pixel(int(point.x()) + dx, int(point.y()) + dy)))
                return true;
    return false;
}

// The window as it is on screen, at one image pixel per layout pixel.
inline QImage Snapshot(QWidget& w) {
    QImage image = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    return image.scaled(w.size());
}

} // namespace velmora::testing
