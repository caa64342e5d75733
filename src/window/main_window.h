// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "puzzle/game.h"

#include <QFont>
#include <QMainWindow>

class QAction;
class QActionGroup;
class QLabel;
class QToolBar;
class Velmora;

// The program's top-level window: the form in the middle, the menus above it, the mode
// bar above the form, the teaching buttons below it and the status line at the bottom,
// outside the form as on any desktop. It only forwards: the menus and buttons call the
// form, the form tells the status line what to say.
class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindow(QWidget* parent = nullptr);

    Velmora& form() const { return *form_; }
    void SetPlayMode(velmora::PlayMode mode);
    // The zoom step asked for, or the largest below it at which the whole window
    // still fits its screen; returns the step taken.
    int SetZoom(int percent);
    // Presentation: full screen, the form as large as the screen allows.
    void SetPresenting(bool presenting);
    bool presenting() const { return presenting_; }
    QLabel& statusLine() const { return *status_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateMenus();
    void CreateBars();
    void FitToForm();
    void ScaleBars(double scale);
    void ShowStatus(const QString& text);
    void FitStatus();
    [[nodiscard]] QSize WindowSize(double scale, bool beside) const;
    [[nodiscard]] bool FitsScreen(QSize size) const;
    [[nodiscard]] bool Fits(int percent) const;
    void PlaceBars(bool beside);
    void UpdateZoomActions();
    void UpdateTeachingActions();
    void CheckScreen();
    void ShowMessage(const QString& title, const QString& text);

    Velmora* form_ = nullptr;
    QLabel* status_ = nullptr;
    QFont statusFont_; // the status line's size before a long text shrinks it
    QToolBar* modeBar_ = nullptr;
    QToolBar* teachingBar_ = nullptr;
    QActionGroup* modes_ = nullptr;
    QAction* demonstration_ = nullptr;
    QAction* practice_ = nullptr;
    QAction* hint_ = nullptr;
    QAction* solution_ = nullptr;
    QAction* why_ = nullptr;
    QAction* zoomIn_ = nullptr;
    QAction* zoomOut_ = nullptr;
    QAction* normalSize_ = nullptr;
    QAction* fullScreen_ = nullptr;
    QAction* leaveFullScreen_ = nullptr;
    bool presenting_ = false;
    int zoomBeforePresenting_ = 100;
    QRect geometryBeforePresenting_;
};
