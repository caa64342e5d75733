// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "puzzle/board.h"
#include "puzzle/board_view.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class Velmora;

// Practice on a board of its own: the places, the number tiles, the level path and the
// buttons where the core lays them out for the board's size, the lines and sums painted
// between them. The game is the form's: every tap, drag or key is one call of the core
// on it, and the board shows what comes back.
class PracticeBoard : public QWidget {
    Q_OBJECT

  public:
    explicit PracticeBoard(Velmora& owner, QWidget* parent = nullptr);
    ~PracticeBoard() override;

    const velmora::Game& game() const;
    const velmora::BoardLayout& layout() const { return layout_; }
    const velmora::BoardView& view() const { return view_; }
    // The board's parts, for the main window and the tests; null past the last.
    QPushButton* place(int index) const;
    QPushButton* tile(int index) const;
    QToolButton* level(int index) const;
    QPushButton* button(velmora::BoardCommand command) const;
    QLineEdit* startBox() const { return startBox_; }
    QLabel* status() const { return status_; }
    QLabel* chip(int index) const;
    QLabel* sum(int line) const;
    // The start box, so a number can be typed at once.
    void FocusFirstStep();
    // Another figure, asked first when numbers on the figure would be lost; `then` once it
    // is chosen.
    void ChooseFigure(velmora::FigureMode figure, const std::function<void()>& then = {});
    // Shows the game as it is now, laid out for the board's size; a hidden board waits
    // until it is shown (the levels' titles cost the figures' sums).
    void Refresh();

    // What a piece does with the pointer: pressed, moved, let go; a drag once it moved.
    void Press(QWidget* piece, QPointF global);
    void Move(QPointF global);
    void Release(QPointF global);
    void CancelDrag();
    bool Key(QWidget* piece, int key);

  signals:
    // What the main window does: «Защо става?», «Как се играе», the demonstration.
    void commandAsked(velmora::BoardCommand command);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void Play(const std::function<velmora::Game(const velmora::Game&)>& move);
    void Run(velmora::BoardCommand command);
    // Asks before numbers on the figure would be lost, then goes on when the pupil agrees.
    void AskFirst(const std::function<void()>& then);
    void Tap(QWidget* piece);
    void Drop(QWidget* piece, QPointF at);
    void StartEdited(const QString& text);
    void MakePieces();
    void ShowPieces();
    void ShowPanel();
    void OrderTabs();
    void Show();

    Velmora& owner_;
    velmora::BoardView view_;
    velmora::BoardLayout layout_;
    std::vector<QPushButton*> places_;
    std::vector<QPushButton*> tiles_;
    std::vector<QToolButton*> levels_;
    std::vector<QPushButton*> buttons_; // in the layout's order
    std::vector<QLabel*> chips_;
    // Each line's sum as a screen reader hears it; painted by the board beneath.
    std::vector<QLabel*> sums_;
    QLabel* levelTitle_ = nullptr;
    QLabel* startLabel_ = nullptr;
    QLineEdit* startBox_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* chipsLabel_ = nullptr;
    QLabel* ghost_ = nullptr; // the number under the finger while it is dragged
    // A drag under way: the piece it started on, where, and whether it left the spot.
    QPointer<QWidget> source_;
    QPointF pressedAt_;
    bool dragging_ = false;
    // The start box's refusal of a fourth digit, shown until the next move.
    QString note_;
};
