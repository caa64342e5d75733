// SPDX-License-Identifier: GPL-3.0-or-later
// The practice board's input: taps, drags by mouse or finger, and keys, each one call of
// the core.
#include "puzzle/practice.h"
#include "window/board_pieces.h"
#include "window/practice_board.h"
#include "window/velmora.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

using namespace velmora;

void PracticeBoard::Tap(QWidget* widget) {
    const BoardPiece* piece = AsPiece(widget);
    if (!piece)
        return;
    const int index = piece->index();
    if (piece->kind() == BoardPiece::Kind::Place)
        Play([index](const Game& game) { return ClickPosition(game, index); });
    else
        Play([index](const Game& game) { return ClickListItem(game, index); });
}

// On a place: the number goes there (two placed numbers swap); from the figure onto the
// tray: the number goes back.
void PracticeBoard::Drop(QWidget* widget, QPointF at) {
    const BoardPiece* piece = AsPiece(widget);
    if (!piece)
        return;
    const int number = piece->kind() == BoardPiece::Kind::Tile
                           ? piece->index()
                           : LastNumberAt(game().practice, piece->index());
    if (number == kEmpty)
        return;
    const int target = BoxAt(layout_.places, at.x(), at.y());
    if (target >= 0) {
        Play([number, target](const Game& game) { return DropNumber(game, number, target); });
        return;
    }
    if (BoxAt({layout_.tray}, at.x(), at.y()) >= 0)
        Play([number](const Game& game) { return ReturnNumber(game, number); });
}

void PracticeBoard::Press(QWidget* piece, QPointF global) {
    source_ = piece;
    pressedAt_ = global;
    dragging_ = false;
}

void PracticeBoard::Move(QPointF global) {
    if (!source_)
        return;
    if (!dragging_ && (global - pressedAt_).manhattanLength() < QApplication::startDragDistance())
        return;
    if (!dragging_) {
        const auto* button = static_cast<QPushButton*>(source_.data());
        if (button->text().isEmpty()) // an empty place has nothing to drag
            return;
        dragging_ = true;
        ghost_->setFont(button->font());
        ghost_->setText(button->text());
        ghost_->resize(button->size());
        ghost_->show();
        ghost_->raise();
    }
    const QPoint at = mapFromGlobal(global).toPoint();
    ghost_->move(at - QPoint(ghost_->width() / 2, ghost_->height() / 2));
}

void PracticeBoard::Release(QPointF global) {
    QPointer<QWidget> piece = source_;
    const bool dragged = dragging_;
    CancelDrag();
    if (!piece)
        return;
    if (dragged)
        Drop(piece, mapFromGlobal(global));
    else if (piece->rect().contains(piece->mapFromGlobal(global).toPoint()))
        Tap(piece);
}

void PracticeBoard::CancelDrag() {
    source_ = nullptr;
    dragging_ = false;
    ghost_->hide();
}

// Enter or Space taps; the arrows go along the places in reading order, or along the
// tiles; Delete or Backspace gives a place's number back.
bool PracticeBoard::Key(QWidget* widget, int key) {
    const BoardPiece* piece = AsPiece(widget);
    if (!piece)
        return false;
    const int index = piece->index();
    const bool place = piece->kind() == BoardPiece::Kind::Place;
    int step = 0;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Tap(widget);
        return true;
    case Qt::Key_Delete:
    case Qt::Key_Backspace: {
        const int number = place ? LastNumberAt(game().practice, index) : index;
        if (number != kEmpty)
            Play([number](const Game& game) { return ReturnNumber(game, number); });
        return true;
    }
    case Qt::Key_Left:
    case Qt::Key_Up:
        step = -1;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        step = 1;
        break;
    default:
        return false;
    }
    const int count = int(place ? places_.size() : tiles_.size());
    const int next =
        place ? NextInReadingOrder(layout_, index, step) : ((index + step) % count + count) % count;
    if (QWidget* target = place ? this->place(next) : tile(next))
        target->setFocus(Qt::TabFocusReason);
    return true;
}
