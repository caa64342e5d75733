// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Plays the practice board as a pupil does: taps on its pieces and buttons, keys typed.

#include "puzzle/board_view.h"
#include "window/practice_board.h"
#include "window_test_support.h"

#include <QAccessible>
#include <QPushButton>
#include <QToolButton>

namespace velmora::testing {

inline void Tap(QWidget* widget) {
    if (!widget || !widget->isVisible())
        qFatal("tapped %s, which is not on show",
               widget ? qPrintable(widget->objectName()) : "null");
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

// Replaces «Начало» by typing.
inline void TypeBoardStart(PracticeBoard& board, const QString& start) {
    board.startBox()->setFocus();
    board.startBox()->selectAll();
    QTest::keyClick(board.startBox(), Qt::Key_Backspace);
    QTest::keyClicks(board.startBox(), start);
}

// The figure by its level's step, the start typed, «Изчисли» pressed.
inline void StartBoard(PracticeBoard& board, FigureMode figure, const QString& start) {
    Tap(board.level(LevelOf(figure) - 1));
    TypeBoardStart(board, start);
    Tap(board.button(BoardCommand::Compute));
}

// The places' numbers in place order.
inline QStringList PlaceTexts(const PracticeBoard& board) {
    QStringList texts;
    for (int k = 0; board.place(k); ++k)
        texts << board.place(k)->text();
    return texts;
}

inline QString AccessibleName(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// Each line's sum as painted: "27 ✓", "26 −1", "33" or "" while incomplete, read from
// the core's view, with its colour checked on the board's own pixels: green for an
// equal sum, red for one that is off, white while it stands alone.
inline QStringList SumsShown(PracticeBoard& board) {
    const QImage image = board.grab().toImage().scaled(board.size());
    QStringList sums;
    for (std::size_t line = 0; line < board.view().sums.size(); ++line) {
        const BoardSum& sum = board.view().sums[line];
        const BoardRect& box = board.layout().sums[line];
        const QColor painted = image.pixelColor(int(box.x) + 4, int(box.y) + int(box.height / 2));
        const QColor expected = sum.sum.empty() ? board.palette().color(QPalette::Window)
                                : sum.mark == LineMark::Equal ? QColor(128, 255, 128)
                                : sum.mark == LineMark::Off   ? QColor(255, 170, 170)
                                                              : QColor(Qt::white);
        if (painted != expected)
            return {QStringLiteral("line %1 painted %2").arg(line).arg(painted.name())};
        sums << QString::fromStdString(sum.detail.empty() ? sum.sum : sum.sum + " " + sum.detail);
    }
    return sums;
}

} // namespace velmora::testing
