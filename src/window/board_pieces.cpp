// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/board_pieces.h"

#include "window/practice_board.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTouchEvent>

BoardPiece::BoardPiece(PracticeBoard& board, Kind kind, int index)
    : QPushButton(&board)
    , board_(board)
    , kind_(kind)
    , index_(index) {
    setAttribute(Qt::WA_AcceptTouchEvents);
    setFocusPolicy(Qt::StrongFocus);
    setObjectName(
        QStringLiteral("%1_%2")
            .arg(kind == Kind::Place ? QStringLiteral("BoardPlace") : QStringLiteral("BoardTile"))
            .arg(index));
}

void BoardPiece::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QPushButton::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    board_.Press(this, event->globalPosition());
}

void BoardPiece::mouseMoveEvent(QMouseEvent* event) {
    board_.Move(event->globalPosition());
}

void BoardPiece::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        board_.Release(event->globalPosition());
}

// A finger on the board: the same press, move and release as the mouse's, the touch kept
// by the piece it began on.
bool BoardPiece::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd: {
        auto* touch = static_cast<QTouchEvent*>(event);
        if (touch->points().isEmpty())
            break;
        const QPointF at = touch->points().first().globalPosition();
        if (event->type() == QEvent::TouchBegin)
            board_.Press(this, at);
        else if (event->type() == QEvent::TouchUpdate)
            board_.Move(at);
        else
            board_.Release(at);
        event->accept();
        return true;
    }
    case QEvent::TouchCancel:
        board_.CancelDrag();
        event->accept();
        return true;
    default:
        break;
    }
    return QPushButton::event(event);
}

void BoardPiece::keyPressEvent(QKeyEvent* event) {
    if (!board_.Key(this, event->key()))
        QPushButton::keyPressEvent(event);
}

void BoardPiece::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space) // the press did it already
        QPushButton::keyReleaseEvent(event);
}

void WordButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(rect().adjusted(2, 2, -2, -2), Qt::AlignCenter | Qt::TextWordWrap, text());
}

const BoardPiece* AsPiece(const QWidget* widget) {
    return dynamic_cast<const BoardPiece*>(widget);
}
