#include "window/velmora.h"

#include "ui_velmora.h"
#include "window/fit_text.h"
#include "window/zoom.h"
#include "window/zoom_style.h"

#include <QAccessible>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

#include <algorithm>
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

} // namespace

Velmora::Velmora(QWidget* parent)
    : QWidget(parent)
    , ui_(std::make_unique<Ui::Velmora>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    designSize_ = size();
    designPointSize_ = font().pointSizeF();
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
    const auto watchClicks = [this](QLabel* label) {
        label->installEventFilter(this);
        placeNames_.insert(label, label->accessibleName());
    };
    std::for_each(label2_.begin(), label2_.end(), watchClicks);
    std::for_each(label3_.begin(), label3_.end(), watchClicks);

    const auto addShortcut = [this](const QKeySequence& keys, void (Velmora::*zoom)()) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, zoom);
    };
    addShortcut(QKeySequence::ZoomIn, &Velmora::ZoomIn);
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), &Velmora::ZoomIn);
    addShortcut(QKeySequence::ZoomOut, &Velmora::ZoomOut);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_0), this), &QShortcut::activated, this,
            [this] { SetZoom(100); });

    Form_Load();
}

Velmora::~Velmora() = default;

void Velmora::Form_Load() {
    Apply([] { return Start(); });
    ui_->Text1_0->setFocus();
}

void Velmora::Command1_Click(int index) {
    if (index == 0) {
        bool outOfRange = false;
        Apply([this, &outOfRange] {
            SeriesResult result = GenerateSeries(state_);
            outOfRange = result.outcome == SeriesOutcome::OutOfRange;
            return result.state;
        });
        if (outOfRange)
            ReportOutOfRange();
    } else if (index == 1) {
        Apply([this] { return ClearAll(state_); });
    }
}

void Velmora::Option1_Click(int index) {
    std::function<void()> draw;
    if (index == 0)
        draw = [this] { DrawTriangle(); };
    else if (index == 1)
        draw = [this] { DrawRhombus(); };
    Apply([this, index] { return SelectFigure(state_, static_cast<std::int16_t>(index)); }, draw);
}

void Velmora::List1_Click() {
    const int row = SelectedListRow();
    Apply([this, row] { return FillFromList(state_, row); });
}

void Velmora::Label2_Click(int index) {
    Apply([this, index] { return FillRhombusVertex(state_, index); });
}

void Velmora::Label3_Click(int index) {
    Apply([this, index] { return FillTrianglePosition(state_, index); });
}

void Velmora::Text2_Change(const QString& text) {
    Apply([this, &text] { return SetStartText(state_, text.toStdString()); });
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
    const double pixelsPerTwip = zoomPercent_ / 100.0 / kTwipsPerPixel;
    QRectF area;
    for (const Segment& s : outline_)
        area |= QRectF(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2)).normalized();
    const QRectF pixels(area.topLeft() * pixelsPerTwip, area.bottomRight() * pixelsPerTwip);
    const double margin = 1 + zoomPercent_ / 100.0; // the pen, and a pixel of rounding
    return pixels.adjusted(-margin, -margin, margin, margin).toAlignedRect();
}

void Velmora::Apply(const std::function<PuzzleState()>& action, const std::function<void()>& draw) {
    const PuzzleState previousState = state_;
    const std::vector<Segment> previousOutline = outline_;
    try {
        state_ = action();
        ShowPuzzle();
        if (draw)
            draw();
    } catch (const std::exception& failure) {
        state_ = previousState;
        ClearOutline();
        ShowOutline(previousOutline);
        ShowPuzzle();
        ReportFailure(QString::fromUtf8(failure.what()));
    }
}

void Velmora::ShowPuzzle() {
    ShowSeries();
    const QString startText = QString::fromStdString(state_.startText);
    if (ui_->Text2->text() != startText)
        ui_->Text2->setText(startText);

    const bool triangle = state_.shownFigure == FigureMode::Triangle;
    const bool rhombus = state_.shownFigure == FigureMode::Rhombus;
    for (std::size_t v = 0; v < label2_.size(); ++v) {
        label2_[v]->setVisible(rhombus);
        ShowCaption(*label2_[v], state_.rhombusCaptions[v]);
    }
    for (std::size_t k = 0; k < label3_.size(); ++k) {
        label3_[k]->setVisible(triangle);
        ShowCaption(*label3_[k], state_.triangleCaptions[k]);
    }
}

void Velmora::ShowCaption(QLabel& label, const std::string& caption) {
    const QString text = QString::fromStdString(caption);
    if (label.text() == text)
        return;
    label.setText(text);
    FitLabelFont(label, font());
    // The name carries the number, so assistive technology hears every change.
    const QString place = placeNames_.value(&label);
    label.setAccessibleName(text.isEmpty() ? place : place + QStringLiteral(": ") + text);
    QAccessibleEvent changed(&label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

// Rebuilds the list only when the series changed, so a fill keeps the selection.
void Velmora::ShowSeries() {
    QStringList items;
    for (const std::string& item : state_.series)
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
}

int Velmora::SelectedListRow() const {
    const QList<QListWidgetItem*> selected = ui_->List1->selectedItems();
    return selected.isEmpty() ? -1 : ui_->List1->row(selected.first());
}

// In twips of the layout at 100 %, whatever the zoom, so the outline's numbers stay
// those of the layout; the painter scales them back.
LabelBox Velmora::BoxOf(const QLabel* label) const {
    const QRect place = label->geometry();
    const double twips = kTwipsPerPixel * 100.0 / zoomPercent_;
    return {place.x() * twips, place.y() * twips, place.width() * twips, place.height() * twips};
}

void Velmora::SetZoom(int percent) {
    if (!IsZoomStep(percent) || percent == zoomPercent_)
        return;
    zoomPercent_ = percent;
    const double scale = percent / 100.0;
    setProperty(kZoomProperty, scale);
    // Scaled by edges, so controls that touched at 100 % still touch.
    const auto scaled = [scale](const QRect& r) {
        const int left = qRound(r.left() * scale), top = qRound(r.top() * scale);
        return QRect(QPoint(left, top), QPoint(qRound((r.right() + 1) * scale) - 1,
                                               qRound((r.bottom() + 1) * scale) - 1));
    };
    QFont zoomed = font();
    zoomed.setPointSizeF(designPointSize_ * scale);
    setFont(zoomed);
    setFixedSize(qRound(designSize_.width() * scale), qRound(designSize_.height() * scale));
    // Set on each control: a control with a style sheet of its own does not take its
    // parent's font.
    for (auto place = designPlaces_.cbegin(); place != designPlaces_.cend(); ++place) {
        place.key()->setGeometry(scaled(place.value()));
        place.key()->setFont(zoomed);
    }
    FitTexts();
    RedrawOutline();
}

void Velmora::ZoomIn() {
    const auto next = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), zoomPercent_);
    if (next != kZoomSteps.end())
        SetZoom(*next);
}

void Velmora::ZoomOut() {
    const auto next = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), zoomPercent_);
    if (next != kZoomSteps.begin())
        SetZoom(*(next - 1));
}

void Velmora::FitTexts() {
    for (QLabel* label : label2_)
        FitLabelFont(*label, font());
    for (QLabel* label : label3_)
        FitLabelFont(*label, font());
    FitListFont(*ui_->List1, font());
}

// The outline follows its labels when they move, as they do with the zoom.
void Velmora::RedrawOutline() {
    Apply([this] { return state_; },
          [this] {
              if (state_.shownFigure == FigureMode::Triangle)
                  DrawTriangle();
              else if (state_.shownFigure == FigureMode::Rhombus)
                  DrawRhombus();
          });
}

void Velmora::ReportOutOfRange() {
    ReportFailure(tr("Началното число е твърде голямо или твърде малко. "
                     "Въведете естествено число от 1 до 32767."));
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
    const double scale = zoomPercent_ / 100.0 / kTwipsPerPixel;
    painter.scale(scale, scale);
    painter.setPen(QPen(Qt::black, kTwipsPerPixel));
    for (const Segment& s : outline_)
        painter.drawLine(QLineF(s.x1, s.y1, s.x2, s.y2));
}
