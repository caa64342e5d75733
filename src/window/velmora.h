#pragma once

#include "puzzle/puzzle.h"
#include "window/outline.h"

#include <QHash>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace Ui {
class Velmora;
}
class QLabel;
class QPushButton;
class QRadioButton;

// The program's one window: a thin layer over the puzzle state. Each handler turns an
// event into one puzzle action and then shows the state; no puzzle rule lives here.
class Velmora : public QWidget {
    Q_OBJECT

  public:
    explicit Velmora(QWidget* parent = nullptr);
    ~Velmora() override;

    const velmora::PuzzleState& puzzle() const { return state_; }
    // The outline on show, in twips of the layout at 100 %; empty until a figure is chosen.
    const std::vector<velmora::Segment>& outline() const { return outline_; }

    // Classroom zoom: scales every control, the fonts and the outline. Takes one of
    // kZoomSteps; any other value is ignored.
    void SetZoom(int percent);
    int zoom() const { return zoomPercent_; }
    void ZoomIn();
    void ZoomOut();

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Form_Load();
    void Command1_Click(int index);
    void Option1_Click(int index);
    void List1_Click();
    void Label2_Click(int index);
    void Label3_Click(int index);
    void Text2_Change(const QString& text);

    void DrawTriangle();
    void DrawRhombus();
    void ClearOutline();
    void ShowOutline(std::vector<velmora::Segment> segments);
    QRect OutlineArea() const;

    // Runs `action` for the next state and shows it, then `draw` if given. Should
    // either fail, the window goes back to the state it had and says what happened.
    void Apply(const std::function<velmora::PuzzleState()>& action,
               const std::function<void()>& draw = {});
    void ShowPuzzle();
    void ShowSeries();
    void ShowCaption(QLabel& label, const std::string& caption);
    int SelectedListRow() const;
    velmora::LabelBox BoxOf(const QLabel* label) const;
    void FitTexts();
    void RedrawOutline();
    void ReportOutOfRange();
    void ReportFailure(const QString& what);

    std::unique_ptr<Ui::Velmora> ui_;
    std::array<QPushButton*, 2> command1_{};
    std::array<QRadioButton*, 2> option1_{};
    std::array<QLabel*, velmora::kRhombusVertices> label2_{};
    std::array<QLabel*, velmora::kTrianglePositions> label3_{};

    velmora::PuzzleState state_;
    std::vector<velmora::Segment> outline_;

    int zoomPercent_ = 100;
    QSize designSize_;
    double designPointSize_ = 0;
    QHash<QWidget*, QRect> designPlaces_;
    QHash<QLabel*, QString> placeNames_; // the figure labels' accessible names
};
