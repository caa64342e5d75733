// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The practice board's own buttons: its places and tiles, and buttons whose labels wrap.

#include <QPushButton>

class PracticeBoard;

// A place on the figure or a number tile: tapped, dragged by mouse or finger, or moved
// between with the arrow keys. What each does is the board's.
class BoardPiece : public QPushButton {
  public:
    enum class Kind { Place, Tile };
    BoardPiece(PracticeBoard& board, Kind kind, int index);
    Kind kind() const { return kind_; }
    int index() const { return index_; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    PracticeBoard& board_;
    Kind kind_;
    int index_;
};

// A button whose label wraps between its words, as the core sizes it, inside 2-pixel
// borders and no other padding.
class WordButton : public QPushButton {
  public:
    using QPushButton::QPushButton;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// The piece a widget is, or null.
const BoardPiece* AsPiece(const QWidget* widget);
