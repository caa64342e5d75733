// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/velmora.h"

#include "puzzle/figure.h"
#include "ui_velmora.h"
#include "window/fit_text.h"
#include "window/texts.h"
#include "window/zoom.h"
#include "window/zoom_style.h"

#include <QEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QTextEdit>

#include <algorithm>
#include <cmath>
#include <exception>

using namespace velmora;

namespace {

template <typename T, std::size_t N>
std::array<T*, N> Members(const QWidget* form, const char* name) {
    std::array<T*, N> members{};
    for (std::size_t i = 0; i < N; ++i)
        members[i] = form->findChild<T*>(QStringLiteral("%1_%2").arg(name).arg(i));
    return members;
}

template <typename T, std::size_t N>
int IndexOf(const std::array<T*, N>& members, const QObject* object) {
    for (std::size_t i = 0; i < N; ++i)
        if (members[i] == object)
            return static_cast<int>(i);
    return -1;
}

// Qt tells assistive technology of the change itself (NameChanged).
void SetAccessibleName(QWidget& widget, const QString& name) {
    if (widget.accessibleName() != name)
        widget.setAccessibleName(name);
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// The form's texts on one line, fitted to their controls in every language.
constexpr const char* kFixedTexts[] = {"Label1_0",  "Label1_1",  "Label1_2",   "Frame1",
                                       "Option1_0", "Option1_1", "Command1_0", "Command1_1"};

// Scaled by edges, so controls that touched at 100 % still touch.
QRect Scaled(const QRect& r, double scale) {
    const int left = qRound(r.left() * scale), top = qRound(r.top() * scale);
    return QRect(QPoint(left, top),
                 QPoint(qRound((r.right() + 1) * scale) - 1, qRound((r.bottom() + 1) * scale) - 1));
}

// The figures the form has labels of its own for, as the option buttons choose them.
bool FormFigure(FigureMode figure) {
    return figure == FigureMode::Triangle || figure == FigureMode::Rhombus;
}

} // namespace

Velmora::Velmora(QWidget* parent)
    : QWidget(parent)
    , ui_(std::make_unique<Ui::Velmora>()) {
    ui_->setupUi(this);
    // The publisher's address, then its name.
    setWindowTitle(QStringLiteral(VELMORA_PUBLISHER_URL " Морастела"));
    setFixedSize(size());
    designSize_ = size();
    // The layout is in pixels at 96 dots per inch, where 12 points are 16 pixels; the
    // fonts follow the layout whatever DPI the desktop reports.
    designPointSize_ = font().pointSizeF() * 96.0 / logicalDpiY();
    for (QWidget* control : findChildren<QWidget*>())
        if (!control->objectName().isEmpty() && !control->objectName().startsWith("qt_"))
            designPlaces_.insert(control, control->geometry());
    command1_ = Members<QPushButton, 2>(this, "Command1");
    option1_ = Members<QRadioButton, 2>(this, "Option1");
    label2_ = Members<QLabel, kRhombusVertices>(this, "Label2");
    label3_ = Members<QLabel, kTrianglePositions>(this, "Label3");

    for (int i = 0; i < 2; ++i) {
        connect(command1_[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        connect(option1_[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    }
    // A click on the selected item and a selection moved by the arrow keys both fill.
    connect(ui_->List1, &QListWidget::itemSelectionChanged, this, &Velmora::List1_Click);
    connect(ui_->List1, &QListWidget::itemClicked, this, &Velmora::List1_Click);
    connect(ui_->Text2, &QLineEdit::textEdited, this, &Velmora::Text2_Change);
    const auto watchClicks = [this](QLabel* label) { label->installEventFilter(this); };
    std::for_each(label2_.begin(), label2_.end(), watchClicks);
    std::for_each(label3_.begin(), label3_.end(), watchClicks);
    KeepPlaceNames();

    const auto addShortcut = [this](const QKeySequence& keys, auto zoom) {
        shortcuts_.push_back(new QShortcut(keys, this));
        connect(shortcuts_.back(), &QShortcut::activated, this, zoom);
    };
    addShortcut(QKeySequence::ZoomIn, [this] { ZoomIn(); });
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { ZoomIn(); });
    addShortcut(QKeySequence::ZoomOut, [this] { ZoomOut(); });
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { SetZoom(100); });

    // Read-only, but the caret moves with the arrow keys, so a screen reader can read
    // the statement line by line.
    ui_->Text1_0->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);

    SetScale(1.0);
    Form_Load();
}

Velmora::~Velmora() {
    SetFormZoom(this, 0);
}

void Velmora::Form_Load() {
    Apply([] { return StartGame(PlayMode::Demonstration); });
    FocusFirstStep();
}

void Velmora::Command1_Click(int index) {
    if (index == 0) {
        bool outOfRange = false;
        Apply([this, &outOfRange] {
            GameResult result = Compute(game_);
            outOfRange = result.outcome == SeriesOutcome::OutOfRange;
            statusInstead_ = std::move(result.status);
            return result.game;
        });
        if (outOfRange)
            ReportOutOfRange();
    } else if (index == 1) {
        Apply([this] { return Clear(game_); });
    }
}

void Velmora::Option1_Click(int index) {
    std::function<void()> draw;
    if (index == 0)
        draw = [this] { DrawTriangle(); };
    else if (index == 1)
        draw = [this] { DrawRhombus(); };
    Apply([this, index] { return velmora::ChooseFigure(game_, static_cast<std::int16_t>(index)); },
          draw);
}

void Velmora::List1_Click() {
    const int row = SelectedListRow();
    Apply([this, row] { return ClickListItem(game_, row); });
}

void Velmora::Label2_Click(int index) {
    Apply([this, index] { return ClickRhombus(game_, index); });
}

void Velmora::Label3_Click(int index) {
    Apply([this, index] { return ClickTriangle(game_, index); });
}

void Velmora::Text2_Change(const QString& text) {
    Apply([this, &text] { return TypeStartText(game_, text.toStdString()); });
}

// The labels were already switched over and emptied by showing the state; what is
// left is to drop the old outline and anchor the new one on the labels' places.
void Velmora::DrawTriangle() {
    ClearOutline();
    ShowOutline(TriangleOutline({BoxOf(label3_[0]), BoxOf(label3_[1]), BoxOf(label3_[2])}));
}

void Velmora::DrawRhombus() {
    ClearOutline();
    ShowOutline(RhombusOutline(
        {BoxOf(label2_[0]), BoxOf(label2_[1]), BoxOf(label2_[2]), BoxOf(label2_[3])}));
}

void Velmora::ClearOutline() {
    update(OutlineArea());
    outline_.clear();
}

void Velmora::ShowOutline(std::vector<Segment> segments) {
    outline_ = std::move(segments);
    update(OutlineArea());
}

// Only the outline's own area is repainted: the statement below it is costly to draw
// and a button's click repaints whatever is pending at once.
QRect Velmora::OutlineArea() const {
    const double pixelsPerTwip = scale_ / kTwipsPerPixel;
    QRectF area;
    for (const Segment& s : outline_)
        area |= QRectF(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2)).normalized();
    const QRectF pixels(area.topLeft() * pixelsPerTwip, area.bottomRight() * pixelsPerTwip);
    const double margin = 1 + scale_; // the pen, and a pixel of rounding
    return pixels.adjusted(-margin, -margin, margin, margin).toAlignedRect();
}

void Velmora::Apply(const std::function<Game()>& action, const std::function<void()>& draw) {
    const Game previousState = game_;
    const std::vector<Segment> previousOutline = outline_;
    try {
        game_ = action();
        ShowPuzzle();
        if (draw)
            draw();
    } catch (const std::exception& failure) {
        statusInstead_.clear();
        game_ = previousState;
        ClearOutline();
        ShowOutline(previousOutline);
        ShowPuzzle();
        ReportFailure(QString::fromUtf8(failure.what()));
    }
}

void Velmora::ShowPuzzle() {
    ShowSeries();
    const PuzzleState& state = game_.puzzle;
    const QString startText = QString::fromStdString(state.startText);
    if (ui_->Text2->text() != startText)
        ui_->Text2->setText(startText);

    // The form's own labels for its own figures; none while another figure is on show.
    const bool triangle =
        state.shownFigure == FigureMode::Triangle && state.figureMode == FigureMode::Triangle;
    const bool rhombus =
        state.shownFigure == FigureMode::Rhombus && state.figureMode == FigureMode::Rhombus;
    const FigureCaptions captions = CaptionsOf(game_);
    for (std::size_t v = 0; v < label2_.size(); ++v) {
        label2_[v]->setVisible(rhombus);
        ShowCaption(*label2_[v], captions.rhombus[v]);
    }
    for (std::size_t k = 0; k < label3_.size(); ++k) {
        label3_[k]->setVisible(triangle);
        ShowCaption(*label3_[k], captions.triangle[k]);
    }
    ShowOptions();
    ShowPractice();
    SetStatus(Text(statusInstead_.empty() ? StatusOf(game_) : statusInstead_));
    statusInstead_.clear();
    emit gameChanged();
}

void Velmora::ShowCaption(QLabel& label, const std::string& caption) {
    const QString text = QString::fromStdString(caption);
    // A practice vertex holds "a + b" alone, its sum beside it: kept on one line, where
    // the demonstration's "a + b = s" wraps.
    const bool wrap = game_.mode != PlayMode::Practice || IndexOf(label2_, &label) < 0;
    if (label.text() == text && label.wordWrap() == wrap)
        return;
    label.setWordWrap(wrap);
    label.setText(text);
    FitLabelFont(label, font());
}

// Rebuilds the list only when the series changed, so a fill keeps the selection.
void Velmora::ShowSeries() {
    QStringList items;
    for (const std::string& item : game_.puzzle.series)
        items << QString::fromStdString(item);
    QStringList shown;
    for (int row = 0; row < ui_->List1->count(); ++row)
        shown << ui_->List1->item(row)->text();
    if (shown == items)
        return;
    const QSignalBlocker quiet(ui_->List1);
    ui_->List1->clear();
    ui_->List1->addItems(items);
    FitListFont(*ui_->List1, font());
    ShowListName();
}

// Filling the list is announced: its name carries the numbers.
void Velmora::ShowListName() {
    QStringList items;
    for (int row = 0; row < ui_->List1->count(); ++row)
        items << ui_->List1->item(row)->text();
    SetAccessibleName(*ui_->List1, items.isEmpty()
                                       ? Q(Tr("Списък с числата"))
                                       // TRANSLATORS: the list's name as a screen reader reads it
                                       // once filled; {numbers} is "7, 8, 9, 10, 11, 12".
                                       : Q(Format(Tr("Списък с числата: {numbers}"),
                                                  {{"numbers", items.join(", ").toStdString()}})));
}

// The places' own names, as the form's description gives them in the language in force;
// what they hold is added as the game goes.
void Velmora::KeepPlaceNames() {
    placeNames_.clear();
    for (QLabel* label : label2_)
        placeNames_.insert(label, label->accessibleName());
    for (QLabel* label : label3_)
        placeNames_.insert(label, label->accessibleName());
}

// Another language: the form's own texts from its description, then the game's.
void Velmora::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    ui_->retranslateUi(this);
    KeepPlaceNames();
    FitTexts();
    ShowListName();
    ShowPuzzle();
}

int Velmora::SelectedListRow() const {
    const QList<QListWidgetItem*> selected = ui_->List1->selectedItems();
    return selected.isEmpty() ? -1 : ui_->List1->row(selected.first());
}

// In twips of the layout at 100 %, whatever the zoom, so the outline's numbers stay
// those of the layout; the painter scales them back.
LabelBox Velmora::BoxOf(const QLabel* label) const {
    const QRect place = label->geometry();
    const double twips = kTwipsPerPixel / scale_;
    return {place.x() * twips, place.y() * twips, place.width() * twips, place.height() * twips};
}

void Velmora::SetZoom(int percent) {
    if (IsZoomStep(percent) && percent != zoom())
        SetScale(percent / 100.0);
}

QFont Velmora::ScaledFont(double scale) const {
    QFont scaled = font();
    scaled.setPointSizeF(designPointSize_ * scale);
    return scaled;
}

void Velmora::SetScale(double scale) {
    if (!(scale > 0.1 && scale < 20)) // a factor of the layout, never a degenerate one
        return;
    scale_ = scale;
    SetFormZoom(this, scale);
    const QFont zoomed = ScaledFont(scale);
    setFont(zoomed);
    setFixedSize(qRound(designSize_.width() * scale), qRound(designSize_.height() * scale));
    // Set on each control: a control with a style sheet of its own does not take its
    // parent's font.
    for (auto place = designPlaces_.cbegin(); place != designPlaces_.cend(); ++place) {
        place.key()->setGeometry(Scaled(place.value(), scale));
        place.key()->setFont(zoomed);
        // Frames take their width from the style once; ask again at the new scale.
        if (auto* frame = qobject_cast<QFrame*>(place.key()))
            frame->setFrameStyle(frame->frameStyle());
    }
    FitTexts();
    RedrawOutline();
}

void Velmora::ZoomIn() {
    const auto next = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), zoom());
    if (next != kZoomSteps.end())
        SetZoom(*next);
}

void Velmora::ZoomOut() {
    const auto next = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), zoom());
    if (next != kZoomSteps.begin())
        SetZoom(*(next - 1));
}

void Velmora::FitTexts() {
    for (QLabel* label : label2_)
        FitLabelFont(*label, font());
    for (QLabel* label : label3_)
        FitLabelFont(*label, font());
    FitListFont(*ui_->List1, font());
    for (const char* name : kFixedTexts)
        if (QWidget* control = findChild<QWidget*>(QLatin1String(name)))
            FitFixedText(*control, font());
    ShowListMarks();
}

// The outline follows its labels when they move, as they do with the zoom.
void Velmora::RedrawOutline() {
    Apply([this] { return game_; }, [this] { DrawFigure(); });
}

void Velmora::ReportOutOfRange() {
    ReportFailure(Text(OutOfRangeText()));
}

// Window-modal but not blocking: the pupil reads it and carries on.
void Velmora::ReportFailure(const QString& what) {
    auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), what, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

bool Velmora::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* label = static_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton &&
            label->rect().contains(mouse->position().toPoint())) {
            if (const int v = IndexOf(label2_, watched); v >= 0)
                Label2_Click(v);
            else if (const int k = IndexOf(label3_, watched); k >= 0)
                Label3_Click(k);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Velmora::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Drawn in twips, so the coordinates keep their fractions; a pen one layout pixel wide.
    const double scale = scale_ / kTwipsPerPixel;
    painter.scale(scale, scale);
    double pen = kTwipsPerPixel;
    // Between the zoom steps (a presentation), a side along a label's edge could fall
    // under the label's rounded edge: at least two device pixels keep half of it clear.
    // At a fractional device pixel ratio the edge itself may end half a device pixel
    // further out: one more.
    if (!IsZoomStep(zoom()) || std::abs(scale_ * 100 - zoom()) > 1e-6) {
        const double ratio = devicePixelRatioF();
        pen = std::max(pen, (std::floor(ratio) == ratio ? 2.0 : 3.0) / ratio / scale);
    }
    painter.setPen(QPen(Qt::black, pen));
    for (const Segment& s : outline_)
        painter.drawLine(QLineF(s.x1, s.y1, s.x2, s.y2));
}

void Velmora::ShowPractice() {
    const bool practising = game_.mode == PlayMode::Practice;
    const Practice& practice = game_.practice;
    // A position waiting for a number is framed and says so. The name carries the
    // number, so assistive technology hears every placement.
    const auto mark = [&](QLabel* label, int position, FigureMode figure) {
        const bool picked =
            practising && practice.figure == figure && practice.pickedPosition == position;
        label->setFrameStyle(picked ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
        label->setLineWidth(picked ? 3 : 1);
        QString name = placeNames_.value(label);
        if (!label->text().isEmpty())
            // TRANSLATORS: a place of the form's figure as a screen reader reads it:
            // {place} is "Ромб, долен връх", {numbers} what it shows, "9 + 12 = 21".
            name = Q(Format(Tr("{place}: {numbers}"), {{"place", name.toStdString()},
                                                       {"numbers", label->text().toStdString()}}));
        SetAccessibleName(*label, picked
                                      // TRANSLATORS: a place of the figure that waits for a number;
                                      // {place} is its name, "Триъгълник, горен връх: 8".
                                      ? Q(Format(Tr("{place}, избрано за число"),
                                                 {{"place", name.toStdString()}}))
                                      : name);
    };
    for (int k = 0; k < int(label3_.size()); ++k)
        mark(label3_[std::size_t(k)], k, FigureMode::Triangle);
    for (int v = 0; v < int(label2_.size()); ++v)
        mark(label2_[std::size_t(v)], v, FigureMode::Rhombus);
    ShowListMarks();
}

// The items in the list's font; in practice the number waiting for a position is the
// selected one.
void Velmora::ShowListMarks() {
    const bool practising = game_.mode == PlayMode::Practice;
    const QSignalBlocker quiet(ui_->List1);
    for (int row = 0; row < ui_->List1->count(); ++row) {
        QListWidgetItem* item = ui_->List1->item(row);
        if (item->font() != ui_->List1->font())
            item->setFont(ui_->List1->font());
        if (practising)
            item->setSelected(row == game_.practice.pickedNumber);
    }
}

void Velmora::SetStatus(const QString& text) {
    if (text == status_)
        return;
    status_ = text;
    emit statusChanged(text);
}

void Velmora::SetPlayMode(PlayMode mode) {
    if (mode == game_.mode)
        return;
    const FigureMode figure = game_.puzzle.figureMode;
    Apply([this, mode] { return SwitchMode(game_, mode); });
    if (game_.puzzle.figureMode != figure)
        DrawFigure();
    // Into practice, typing goes on in the start box; back in the demonstration the
    // focus stays where it is, unless on a place that no longer takes it.
    if (mode == PlayMode::Practice ||
        (focusWidget() && focusWidget()->focusPolicy() == Qt::NoFocus))
        FocusFirstStep();
}

// In practice the start box, so no digit typed at once is lost.
void Velmora::FocusFirstStep() {
    if (game_.mode == PlayMode::Practice)
        ui_->Text2->setFocus();
    else
        ui_->Text1_0->setFocus();
}

void Velmora::ShowHint() {
    Apply([this] {
        GameHint hint = AskHint(game_);
        statusInstead_ = std::move(hint.status);
        return std::move(hint.game);
    });
}

void Velmora::RevealSolution() {
    Apply([this] { return velmora::RevealSolution(game_); });
}

void Velmora::RestoreOwnPlacement() {
    Apply([this] { return velmora::RestoreOwnPlacement(game_); });
}

void Velmora::Play(const std::function<Game(const Game&)>& move) {
    Apply([this, &move] { return move(game_); });
}

QString Velmora::WhyText() const {
    return Text(WhyOf(game_));
}

void Velmora::DropOwnShortcuts() {
    for (QShortcut* shortcut : shortcuts_)
        delete shortcut;
    shortcuts_.clear();
}

void Velmora::ChooseFigure(FigureMode figure) {
    if (FormFigure(figure)) {
        Option1_Click(static_cast<int>(figure));
    } else {
        Apply([this,
               figure] { return velmora::ChooseFigure(game_, static_cast<std::int16_t>(figure)); },
              [this] { DrawFigure(); });
    }
}

void Velmora::Resume(const Progress& progress) {
    Apply([&progress] { return ResumeGame(progress); }, [this] { DrawFigure(); });
    FocusFirstStep();
}

void Velmora::ForgetProgress() {
    Apply([this] { return velmora::ForgetProgress(game_); });
}

void Velmora::DrawFigure() {
    const FigureMode figure = game_.puzzle.figureMode;
    if (figure == FigureMode::Triangle && game_.puzzle.shownFigure == figure) {
        DrawTriangle();
    } else if (figure == FigureMode::Rhombus && game_.puzzle.shownFigure == figure) {
        DrawRhombus();
    } else if (!outline_.empty()) {
        ClearOutline();
    }
}

// The two option buttons say which of their figures is on show: neither, for another.
void Velmora::ShowOptions() {
    for (int index = 0; index < int(option1_.size()); ++index) {
        QRadioButton* option = option1_[std::size_t(index)];
        const bool chosen = game_.puzzle.figureMode == static_cast<FigureMode>(index);
        if (option->isChecked() == chosen)
            continue;
        option->setAutoExclusive(false);
        option->setChecked(chosen);
        option->setAutoExclusive(true);
    }
}
