// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "puzzle/catalog.h"
#include "puzzle/game.h"

#include <QFont>
#include <QMainWindow>

#include <memory>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QSettings;
class QStackedWidget;
class QToolBar;
class PracticeBoard;
class Velmora;

// The program's top-level window: the form in the middle, the menus above it, the mode
// bar above the form, the teaching buttons below it and the status line at the bottom,
// outside the form as on any desktop. It only forwards: the menus and buttons call the
// form, the form tells the status line what to say.
class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    Velmora& form() const { return *form_; }
    // Practice's own board, on show in place of the form while practising.
    PracticeBoard& board() const { return *board_; }
    void SetPlayMode(velmora::PlayMode mode);
    // The zoom step asked for, or the largest below it at which the whole window
    // still fits its screen; returns the step taken.
    int SetZoom(int percent);
    // Presentation: full screen, the form as large as the screen allows.
    void SetPresenting(bool presenting);
    bool presenting() const { return presenting_; }
    QLabel& statusLine() const { return *status_; }
    // Goes on from the progress kept in the user's settings (the figures' sums, the last
    // figure, the mode and the zoom) and keeps it there after every change from now on.
    void RememberProgress();
    QComboBox& figureChooser() const { return *chooser_; }
    // «Език»: the whole program in `language` at once, kept for the next run once the
    // progress is (RememberProgress).
    void ChooseLanguage(velmora::Language language);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void CreateMenus();
    void CreateBars();
    void CreateFigureMenu();
    void CreateLanguageMenu();
    void Retranslate();
    void CreateChooser();
    void FitChooser();
    void ChooseFigure(velmora::FigureMode figure, bool thenStart = false);
    void FocusStartBox();
    void ShowLevels();
    void FollowGame();
    void KeepProgress();
    void AskToStartAgain();
    void FitToForm();
    void FitMenuBar();
    void FitPresentation();
    void KeepBarsOnScreen();
    void ScaleBars(double scale);
    void ShowStatus(const QString& text);
    void FitStatus();
    [[nodiscard]] QSize WindowSize(double scale, bool beside) const;
    [[nodiscard]] bool FitsScreen(QSize size) const;
    [[nodiscard]] bool Fits(int percent) const;
    void PlaceBars(bool beside);
    void UpdateZoomActions();
    // `named`: the texts are set, and their tooltips, even if the solution's is the same.
    void UpdateTeachingActions(bool named = false);
    void CheckScreen();
    void ShowMessage(const QString& title, const QString& text);
    void ShowPage();
    void FocusFirstStep();
    [[nodiscard]] bool Practising() const;

    PracticeBoard* board_ = nullptr;
    QStackedWidget* pages_ = nullptr;

    Velmora* form_ = nullptr;
    QLabel* status_ = nullptr;
    QFont statusFont_; // the status line's size before a long text shrinks it
    QToolBar* modeBar_ = nullptr;
    QToolBar* teachingBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* modeMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QMenu* languageMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QAction* worksheet_ = nullptr;
    QAction* quit_ = nullptr;
    QAction* howTo_ = nullptr;
    QAction* about_ = nullptr;
    QActionGroup* languages_ = nullptr;
    QActionGroup* modes_ = nullptr;
    QAction* demonstration_ = nullptr;
    QAction* practice_ = nullptr;
    QAction* hint_ = nullptr;
    QAction* solution_ = nullptr;
    QAction* why_ = nullptr;
    QMenu* figureMenu_ = nullptr;
    QActionGroup* figures_ = nullptr;
    std::vector<QAction*> figureActions_; // in level order
    QAction* startAgain_ = nullptr;
    QComboBox* chooser_ = nullptr;
    QLabel* chooserCaption_ = nullptr;
    QAction* chooserAction_ = nullptr;
    QAction* gap_ = nullptr; // in the mode bar, before the button out of full screen
    // The levels' titles cost the figures' sums: worked out when the menu opens, or in
    // practice, whose chooser shows them, once the first frame is on the screen.
    bool levelsReady_ = false;
    bool levelsShown_ = false; // once: the menu and the chooser show them from then on
    std::unique_ptr<QSettings> settings_;
    std::string keptProgress_;
    QAction* zoomIn_ = nullptr;
    QAction* zoomOut_ = nullptr;
    QAction* normalSize_ = nullptr;
    QAction* fullScreen_ = nullptr;
    QAction* leaveFullScreen_ = nullptr;
    bool presenting_ = false;
    int zoomBeforePresenting_ = 100;
    QRect geometryBeforePresenting_;
};
