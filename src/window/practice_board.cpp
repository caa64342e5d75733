// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/practice_board.h"

#include "puzzle/figure.h"
#include "window/board_pieces.h"
#include "window/texts.h"
#include "window/velmora.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QToolButton>
#include <QTouchEvent>

#include <cmath>

using namespace velmora;

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// The core's box in device-independent pixels, rounded by its edges so that boxes that
// touch still touch.
QRect Pixels(const BoardRect& r) {
    const int left = int(std::lround(r.x)), top = int(std::lround(r.y));
    return QRect(left, top, int(std::lround(r.Right())) - left, int(std::lround(r.Bottom())) - top);
}

// The font the core sized its boxes for, at its letter height.
QFont BoardFont(double pixels, bool bold = false) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(std::max(1, int(std::lround(pixels))));
    font.setBold(bold);
    return font;
}

void SetName(QWidget& widget, const QString& name) {
    if (widget.accessibleName() != name)
        widget.setAccessibleName(name);
}

template <typename W> void SetGeometry(W* widget, const BoardRect& box) {
    const QRect place = Pixels(box);
    if (widget->geometry() != place)
        widget->setGeometry(place);
}

template <typename W> void SetFont(W* widget, const QFont& font) {
    if (widget->font() != font)
        widget->setFont(font);
}

template <typename W> void SetStyle(W* widget, const QString& sheet) {
    if (widget->styleSheet() != sheet)
        widget->setStyleSheet(sheet);
}

const QColor kEqual(128, 255, 128);
const QColor kOff(255, 170, 170);

} // namespace

PracticeBoard::PracticeBoard(Velmora& owner, QWidget* parent)
    : QWidget(parent)
    , owner_(owner) {
    setObjectName(QStringLiteral("PracticeBoard"));
    setAccessibleName(Q(Tr("Упражнение")));
    setAttribute(Qt::WA_AcceptTouchEvents);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(250, 250, 244));
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    // The parts that are always there; the pieces, steps, buttons and chips follow the
    // game (MakePieces), and Tab goes through them as the board reads (OrderTabs).
    levelTitle_ = new QLabel(this);
    levelTitle_->setObjectName(QStringLiteral("BoardLevelTitle"));
    startLabel_ = new QLabel(this);
    startBox_ = new QLineEdit(this);
    startBox_->setObjectName(QStringLiteral("BoardStart"));
    startBox_->setAccessibleName(Q(Tr("Начално число")));
    startLabel_->setBuddy(startBox_);
    startLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(startBox_, &QLineEdit::textEdited, this, &PracticeBoard::StartEdited);
    connect(startBox_, &QLineEdit::returnPressed, this, [this] { Run(BoardCommand::Compute); });
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("BoardStatus"));
    status_->setWordWrap(true);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    chipsLabel_ = new QLabel(this);
    chipsLabel_->setObjectName(QStringLiteral("BoardFound"));
    ghost_ = new QLabel(this);
    ghost_->setAlignment(Qt::AlignCenter);
    ghost_->setAttribute(Qt::WA_TransparentForMouseEvents);
    ghost_->setStyleSheet(QStringLiteral(
        "background: rgba(255, 236, 140, 220); border: 2px solid #1565c0; border-radius: 6px;"));
    ghost_->hide();
    connect(&owner_, &Velmora::gameChanged, this, [this] {
        note_.clear();
        Refresh();
    });
    Refresh();
}

PracticeBoard::~PracticeBoard() = default;

const Game& PracticeBoard::game() const {
    return owner_.game();
}

QPushButton* PracticeBoard::place(int index) const {
    return index >= 0 && index < int(places_.size()) ? places_[std::size_t(index)] : nullptr;
}

QPushButton* PracticeBoard::tile(int index) const {
    return index >= 0 && index < int(tiles_.size()) ? tiles_[std::size_t(index)] : nullptr;
}

QToolButton* PracticeBoard::level(int index) const {
    return index >= 0 && index < int(levels_.size()) ? levels_[std::size_t(index)] : nullptr;
}

QLabel* PracticeBoard::sum(int line) const {
    return line >= 0 && line < int(sums_.size()) ? sums_[std::size_t(line)] : nullptr;
}

QLabel* PracticeBoard::chip(int index) const {
    return index >= 0 && index < int(chips_.size()) ? chips_[std::size_t(index)] : nullptr;
}

QPushButton* PracticeBoard::button(BoardCommand command) const {
    for (std::size_t i = 0; i < layout_.buttons.size() && i < buttons_.size(); ++i)
        if (layout_.buttons[i].command == command)
            return buttons_[i];
    return nullptr;
}

void PracticeBoard::FocusFirstStep() {
    startBox_->setFocus();
}

void PracticeBoard::ChooseFigure(FigureMode figure, const std::function<void()>& then) {
    if (figure == game().puzzle.figureMode) {
        Refresh(); // its step stays pressed
        if (then)
            then();
        return;
    }
    AskFirst([this, figure, then] {
        owner_.ChooseFigure(figure);
        if (then)
            then();
    });
}

void PracticeBoard::Play(const std::function<Game(const Game&)>& move) {
    owner_.Play(move);
}

// The pieces, levels, buttons and chips the game needs, made or let go; a piece let go
// may be the one whose event is being handled, so it goes later.
void PracticeBoard::MakePieces() {
    const auto fit = [this](auto& pieces, std::size_t count, auto make) {
        while (pieces.size() > count) {
            pieces.back()->hide();
            pieces.back()->deleteLater();
            pieces.pop_back();
        }
        while (pieces.size() < count) {
            pieces.push_back(make(int(pieces.size())));
            pieces.back()->show();
        }
    };
    fit(levels_, view_.levels.size(), [this](int index) {
        auto* step = new QToolButton(this);
        step->setObjectName(QStringLiteral("BoardLevel_%1").arg(index));
        step->setCheckable(true);
        step->setFocusPolicy(Qt::StrongFocus);
        step->setAutoRaise(false);
        connect(step, &QToolButton::clicked, this,
                [this, index] { ChooseFigure(view_.levels[std::size_t(index)].figure); });
        return step;
    });
    fit(tiles_, view_.tiles.size(),
        [this](int index) { return new BoardPiece(*this, BoardPiece::Kind::Tile, index); });
    fit(places_, view_.places.size(),
        [this](int index) { return new BoardPiece(*this, BoardPiece::Kind::Place, index); });
    // The buttons follow the layout's order; their commands may change place with it.
    fit(buttons_, layout_.buttons.size(), [this](int index) {
        auto* button = new WordButton(this);
        button->setFocusPolicy(Qt::StrongFocus);
        button->setStyleSheet(QStringLiteral(
            "QPushButton { background: #eef1f6; color: black; border: 2px solid #7a8699; "
            "border-radius: 6px; padding: 0; }"
            "QPushButton:pressed { background: #c9d3e3; }"
            "QPushButton:focus { border-color: #1565c0; border-style: dashed; }"));
        connect(button, &QPushButton::clicked, this, [this, index] {
            if (std::size_t(index) < layout_.buttons.size())
                Run(layout_.buttons[std::size_t(index)].command);
        });
        return button;
    });
    fit(chips_, view_.chips.size(), [this](int index) {
        auto* chip = new QLabel(this);
        chip->setObjectName(QStringLiteral("BoardChip_%1").arg(index));
        chip->setAlignment(Qt::AlignCenter);
        return chip;
    });
    fit(sums_, view_.sums.size(), [this](int index) {
        auto* sum = new QLabel(this);
        sum->setObjectName(QStringLiteral("BoardSum_%1").arg(index));
        sum->setAttribute(Qt::WA_TransparentForMouseEvents);
        return sum;
    });
    ghost_->raise();
}

void PracticeBoard::Refresh() {
    if (isVisible())
        Show();
}

void PracticeBoard::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Show();
}

void PracticeBoard::Show() {
    view_ = ViewBoard(game());
    layout_ = LayOutGameBoard(game(), width(), height());
    const std::size_t pieces = places_.size() + tiles_.size() + buttons_.size();
    MakePieces();
    if (places_.size() + tiles_.size() + buttons_.size() != pieces)
        OrderTabs();
    ShowPieces();
    ShowPanel();
    update();
}

// Tab reads the board: the levels, the start row, the tiles, the places, then the buttons.
void PracticeBoard::OrderTabs() {
    std::vector<QWidget*> chain(levels_.begin(), levels_.end());
    chain.push_back(startBox_);
    if (QPushButton* compute = button(BoardCommand::Compute))
        chain.push_back(compute);
    chain.insert(chain.end(), tiles_.begin(), tiles_.end());
    chain.insert(chain.end(), places_.begin(), places_.end());
    for (QPushButton* each : buttons_)
        if (each != button(BoardCommand::Compute))
            chain.push_back(each);
    for (std::size_t i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

// The places and the tiles: their numbers, states and spoken names.
void PracticeBoard::ShowPieces() {
    const QFont placeFont = BoardFont(layout_.fonts.place, true);
    for (std::size_t k = 0; k < places_.size(); ++k) {
        QPushButton* place = places_[k];
        const BoardPlace& shown = view_.places[k];
        if (k < layout_.places.size())
            SetGeometry(place, layout_.places[k]);
        place->setVisible(k < layout_.places.size());
        SetFont(place, placeFont);
        if (place->text() != Text(shown.text))
            place->setText(Text(shown.text));
        SetName(*place, shown.picked
                            // TRANSLATORS: a place on the board waiting for its number;
                            // {place} is what a screen reader reads of it, "Горният връх: 8".
                            ? Q(Format(Tr("{place}, избрано"), {{"place", shown.spoken}}))
                            : Text(shown.spoken));
        SetStyle(place,
                 QStringLiteral("QPushButton { background: #c8f5c8; color: black; "
                                "border: %1px solid %2; border-radius: 4px; }"
                                "QPushButton:focus { border-style: dashed; }")
                     .arg(shown.picked ? 4 : 2)
                     .arg(shown.picked ? QStringLiteral("#1565c0") : QStringLiteral("#2e7d32")));
    }
    const QFont tileFont = BoardFont(layout_.fonts.tile, true);
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        QPushButton* tile = tiles_[i];
        const BoardTile& shown = view_.tiles[i];
        if (i < layout_.tiles.size())
            SetGeometry(tile, layout_.tiles[i]);
        tile->setVisible(i < layout_.tiles.size());
        QFont font = tileFont;
        font.setStrikeOut(shown.state == TileState::Placed);
        SetFont(tile, font);
        if (tile->text() != Text(shown.text))
            tile->setText(Text(shown.text));
        SetName(*tile, Text(shown.spoken));
        const bool placed = shown.state == TileState::Placed;
        const bool picked = shown.state == TileState::Picked;
        SetStyle(tile, QStringLiteral("QPushButton { background: %1; color: %2; "
                                      "border: %3px solid %4; border-radius: 6px; }"
                                      "QPushButton:focus { border-style: dashed; }")
                           .arg(placed ? QStringLiteral("#e4e4e4") : QStringLiteral("#fff3b0"))
                           .arg(placed ? QStringLiteral("#666666") : QStringLiteral("black"))
                           .arg(picked ? 4 : 2)
                           .arg(picked ? QStringLiteral("#1565c0") : QStringLiteral("#8d6e00")));
    }
}

// The level path, the start row, the status, the chips and the buttons.
void PracticeBoard::ShowPanel() {
    const QFont buttonFont = BoardFont(layout_.fonts.button);
    for (std::size_t i = 0; i < levels_.size(); ++i) {
        QToolButton* step = levels_[i];
        const BoardLevel& shown = view_.levels[i];
        if (i < layout_.levels.size())
            SetGeometry(step, layout_.levels[i]);
        SetFont(step, BoardFont(layout_.fonts.button, shown.current || shown.suggested));
        step->setText(Text(shown.text));
        step->setChecked(shown.current);
        SetName(*step, Text(shown.spoken));
        step->setToolTip(Text(shown.spoken));
        SetStyle(step,
                 QStringLiteral("QToolButton { background: %1; border: %2px solid %3; "
                                "border-radius: 6px; }"
                                "QToolButton:focus { border-style: dashed; }")
                     .arg(shown.current ? QStringLiteral("#bbdefb")
                          : shown.done  ? QStringLiteral("#c8f5c8")
                                        : QStringLiteral("#ffffff"))
                     .arg(shown.current || shown.suggested ? 3 : 1)
                     .arg(shown.suggested ? QStringLiteral("#e65100") : QStringLiteral("#1565c0")));
    }
    SetGeometry(levelTitle_, layout_.levelTitle);
    levelTitle_->setVisible(layout_.levelTitle.width > 0);
    SetFont(levelTitle_, BoardFont(layout_.fonts.title, true));
    levelTitle_->setText(Text(view_.levelTitle));
    SetGeometry(startLabel_, layout_.startLabel);
    SetFont(startLabel_, buttonFont);
    startLabel_->setText(Text(view_.startLabel));
    SetGeometry(startBox_, layout_.startBox);
    SetFont(startBox_, buttonFont);
    if (startBox_->text() != Text(view_.startText))
        startBox_->setText(Text(view_.startText));
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const BoardButton& laid = layout_.buttons[i];
        QPushButton* button = buttons_[i];
        SetGeometry(button, laid.box);
        SetFont(button, buttonFont);
        button->setText(Text(BoardLabel(laid.command, game())));
        button->setToolTip(Text(BoardHelp(laid.command, game())));
        SetName(*button, button->text());
        button->setAccessibleDescription(button->toolTip());
        button->setObjectName(QStringLiteral("BoardButton_%1").arg(int(laid.command)));
    }
    SetGeometry(status_, layout_.status);
    const QString status = note_.isEmpty() ? owner_.status() : note_;
    // The core's letters for this text: a little smaller for a long one, to show it whole.
    SetFont(status_, BoardFont(BoardStatusFont(layout_, status.toStdString())));
    if (status_->text() != status)
        status_->setText(status);
    SetGeometry(chipsLabel_, layout_.chipsLabel);
    SetFont(chipsLabel_, buttonFont);
    chipsLabel_->setText(Text(view_.chipsLabel));
    SetName(*chipsLabel_, Text(view_.chipsSpoken));
    for (std::size_t line = 0; line < sums_.size(); ++line) {
        const bool shown = line < layout_.sums.size() && !view_.sums[line].sum.empty();
        if (line < layout_.sums.size())
            SetGeometry(sums_[line], layout_.sums[line]);
        sums_[line]->setVisible(shown);
        SetName(*sums_[line], Text(view_.sums[line].spoken));
    }
    for (std::size_t i = 0; i < chips_.size(); ++i) {
        QLabel* chip = chips_[i];
        const BoardChip& shown = view_.chips[i];
        chip->setVisible(i < layout_.chips.size());
        if (i < layout_.chips.size())
            SetGeometry(chip, layout_.chips[i]);
        SetFont(chip, BoardFont(layout_.fonts.button, shown.found));
        chip->setText(Text(shown.text));
        SetStyle(chip, QStringLiteral("QLabel { background: %1; border: 1px solid #888888; "
                                      "border-radius: 8px; color: black; }")
                           .arg(shown.found ? kEqual.name() : QStringLiteral("#eeeeee")));
    }
}

// Another language: the board's own names. The core's words follow with the form, which
// shows the game again in the new language (gameChanged), laid out anew for them.
void PracticeBoard::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    setAccessibleName(Q(Tr("Упражнение")));
    startBox_->setAccessibleName(Q(Tr("Начално число")));
}

void PracticeBoard::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Refresh();
}

// The lines between the places (the square's grid), then each line's sum in two lines.
void PracticeBoard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double pen = std::max(2.0, layout_.fonts.place / 12);
    painter.setPen(QPen(QColor(60, 60, 60), pen, Qt::SolidLine, Qt::RoundCap));
    for (const BoardSegment& edge : layout_.edges)
        painter.drawLine(QLineF(edge.x1, edge.y1, edge.x2, edge.y2));
    if (layout_.grid)
        for (const BoardRect& cell : layout_.places)
            painter.drawRect(
                QRectF(cell.x, cell.y, cell.width, cell.height).adjusted(-pen, -pen, pen, pen));
    painter.setFont(BoardFont(layout_.fonts.sum, true));
    for (std::size_t line = 0; line < layout_.sums.size() && line < view_.sums.size(); ++line) {
        const BoardSum& sum = view_.sums[line];
        if (sum.sum.empty())
            continue;
        const QRectF box(layout_.sums[line].x, layout_.sums[line].y, layout_.sums[line].width,
                         layout_.sums[line].height);
        painter.setPen(QPen(QColor(90, 90, 90), 1));
        painter.setBrush(sum.mark == LineMark::Equal ? kEqual
                         : sum.mark == LineMark::Off ? kOff
                                                     : QColor(Qt::white));
        painter.drawRoundedRect(box, 4, 4);
        painter.setPen(Qt::black);
        const QString text = sum.detail.empty() ? Text(sum.sum) : Text(sum.sum + "\n" + sum.detail);
        painter.drawText(box, Qt::AlignCenter, text);
    }
}

void PracticeBoard::Run(BoardCommand command) {
    switch (command) {
    case BoardCommand::Hint:
        owner_.ShowHint();
        break;
    case BoardCommand::Solution:
        if (CanRestoreOwnPlacement(game()))
            owner_.RestoreOwnPlacement();
        else
            owner_.RevealSolution();
        break;
    case BoardCommand::Clear:
        owner_.ClearAll();
        break;
    case BoardCommand::Compute:
        AskFirst([this] { owner_.ComputeSeries(); });
        break;
    case BoardCommand::Why:
    case BoardCommand::HowToPlay:
    case BoardCommand::Demonstration:
        emit commandAsked(command);
        break;
    }
}

// «Не» is the default: the pupil's numbers stay unless they say otherwise.
void PracticeBoard::AskFirst(const std::function<void()>& then) {
    if (!WouldLosePlacement(game())) {
        then();
        return;
    }
    auto* box =
        new QMessageBox(QMessageBox::Question, window()->windowTitle(),
                        Text(LosePlacementQuestion()), QMessageBox::Yes | QMessageBox::No, this);
    box->setObjectName(QStringLiteral("LosePlacementQuestion"));
    box->setDefaultButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setFont(BoardFont(layout_.fonts.button));
    connect(box, &QMessageBox::finished, this, [this, then](int answer) {
        if (answer == QMessageBox::Yes)
            then();
        else
            Refresh(); // a level step pressed stays as the game is
    });
    box->open();
}

// A fourth digit is refused, and the status says why.
void PracticeBoard::StartEdited(const QString& text) {
    const StartBoxEdit edit = EditStartBox(game().puzzle.startText, text.toStdString());
    const QString kept = Text(edit.text);
    if (kept != text) {
        const int cursor = std::min(startBox_->cursorPosition() - 1, int(kept.size()));
        startBox_->setText(kept);
        startBox_->setCursorPosition(std::max(0, cursor));
    }
    if (edit.text != game().puzzle.startText)
        Play([&edit](const Game& game) { return TypeStartText(game, edit.text); });
    if (!edit.note.empty()) {
        note_ = Text(edit.note);
        SetFont(status_, BoardFont(BoardStatusFont(layout_, edit.note)));
        status_->setText(note_);
    }
}
