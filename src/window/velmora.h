// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "puzzle/game.h"
#include "puzzle/outline.h"

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
class QShortcut;

// The program's form: a thin layer over the game. Each handler turns an event into one
// game action and then shows the state; no puzzle rule lives here. It opens in the
// demonstration; the main window around it switches to practice.
class Velmora : public QWidget {
    Q_OBJECT

  public:
    explicit Velmora(QWidget* parent = nullptr);
    ~Velmora() override;

    const velmora::PuzzleState& puzzle() const { return game_.puzzle; }
    const velmora::Game& game() const { return game_; }
    // The line the status bar shows: what happened last and what to do next.
    QString status() const { return status_; }
    // The outline on show, in twips of the layout at 100 %; empty until a figure is chosen.
    const std::vector<velmora::Segment>& outline() const { return outline_; }

    // Classroom zoom: scales every control, the fonts and the outline. Takes one of
    // kZoomSteps; any other value is ignored.
    void SetZoom(int percent);
    int zoom() const { return qRound(scale_ * 100); }
    double scale() const { return scale_; }
    QSize designSize() const { return designSize_; }
    // Any factor of the layout, for a presentation that fills the screen.
    void SetScale(double scale);
    // The form's font at a factor of the layout, for the controls around it.
    QFont ScaledFont(double scale) const;
    void ZoomIn();
    void ZoomOut();
    // The main window's menu takes over the zoom keys.
    void DropOwnShortcuts();

    void SetPlayMode(velmora::PlayMode mode);
    // Any figure of figure.h, as its option button does for the triangle and the rhombus;
    // one the demonstration lacks is practised.
    void ChooseFigure(velmora::FigureMode figure);
    // The game as the pupil left it, and «Започни отначало».
    void Resume(const velmora::Progress& progress);
    void ForgetProgress();
    // The mode's first step takes the focus: the statement to read, or the start box.
    void FocusFirstStep();
    void ShowHint();
    void RevealSolution();
    void RestoreOwnPlacement();
    QString WhyText() const;
    // The practice board's moves: each one call of the core on this game, shown as any
    // input of the form's own.
    void Play(const std::function<velmora::Game(const velmora::Game&)>& move);
    void ComputeSeries() { Command1_Click(0); }
    void ClearAll() { Command1_Click(1); }

  signals:
    void statusChanged(const QString& text);
    // After every input: the buttons around the form follow the game.
    void gameChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

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
    void DrawFigure();
    void ClearOutline();
    void ShowOutline(std::vector<velmora::Segment> segments);
    QRect OutlineArea() const;

    // Runs `action` for the next state and shows it, then `draw` if given. Should
    // either fail, the window goes back to the state it had and says what happened.
    void Apply(const std::function<velmora::Game()>& action,
               const std::function<void()>& draw = {});
    void ShowPuzzle();
    void ShowPractice();
    void ShowListMarks();
    void SetStatus(const QString& text);
    void ShowOptions();
    void ShowSeries();
    void ShowListName();
    void KeepPlaceNames();
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
    std::vector<QShortcut*> shortcuts_;

    velmora::Game game_;
    QString status_;
    // What the status line says after this input instead of the game's own line: a
    // hint, or what compute still misses.
    std::string statusInstead_;
    std::vector<velmora::Segment> outline_;

    double scale_ = 1.0;
    QSize designSize_;
    double designPointSize_ = 0;
    QHash<QWidget*, QRect> designPlaces_;
    QHash<QLabel*, QString> placeNames_; // the figure labels' accessible names
};
