// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/main_window.h"

#include "puzzle/coach.h"
#include "puzzle/number_text.h"
#include "window/velmora.h"
#include "window/worksheet_dialog.h"

#include <QActionGroup>
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QWindow>

#include "window/zoom.h"

#include <algorithm>

using velmora::kZoomSteps;
using velmora::PlayMode;

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , form_(new Velmora) {
    // The form keeps its own size, centred on its background colour when the window
    // is larger (full screen).
    auto* centre = new QWidget;
    centre->setAutoFillBackground(true);
    centre->setPalette(form_->palette());
    auto* layout = new QGridLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(form_, 0, 0, Qt::AlignCenter);
    setCentralWidget(centre);

    status_ = new QLabel;
    // Two lines hold every verdict and hint; the explanations open in a box of their own.
    status_->setWordWrap(true);
    status_->setMinimumHeight(status_->fontMetrics().lineSpacing() * 2);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    statusBar()->addWidget(status_, 1);
    statusBar()->setSizeGripEnabled(false);
    connect(form_, &Velmora::statusChanged, status_, &QLabel::setText);
    status_->setText(form_->status());

    setWindowTitle(form_->windowTitle());
    form_->DropOwnShortcuts();
    CreateMenus();
    FitToForm();
}

void MainWindow::CreateMenus() {
    QMenu* file = menuBar()->addMenu(tr("&Файл"));
    QAction* worksheet = file->addAction(tr("&Работен лист…"), this, [this] {
        // The series on show, else the start number typed, read as compute reads it.
        const velmora::PuzzleState& puzzle = form_->puzzle();
        const double typed = puzzle.series.empty()
                                 ? velmora::RoundHalfEven(velmora::TextToNumber(puzzle.startText))
                                 : velmora::TextToNumber(puzzle.series.front());
        const int start = int(qBound(1.0, typed, double(velmora::kSheetMaxStart)));
        auto* dialog = new WorksheetDialog(form_->puzzle().figureMode, start, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    });
    worksheet->setShortcut(QKeySequence::Print);
    file->addSeparator();
    QAction* quit = file->addAction(tr("&Изход"), this, &QWidget::close);
    quit->setShortcut(QKeySequence::Quit);

    QMenu* mode = menuBar()->addMenu(tr("&Режим"));
    modes_ = new QActionGroup(this);
    demonstration_ = mode->addAction(tr("&Показване"));
    practice_ = mode->addAction(tr("&Упражнение"));
    for (QAction* action : {demonstration_, practice_}) {
        action->setCheckable(true);
        modes_->addAction(action);
    }
    demonstration_->setChecked(true);
    connect(demonstration_, &QAction::triggered, this,
            [this] { SetPlayMode(PlayMode::Demonstration); });
    connect(practice_, &QAction::triggered, this, [this] { SetPlayMode(PlayMode::Practice); });
    mode->addSeparator();
    hint_ = mode->addAction(tr("По&дсказка"), form_, &Velmora::ShowHint);
    hint_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    solution_ = mode->addAction(tr("Покажи &решение"), form_, &Velmora::RevealSolution);
    hint_->setEnabled(false);
    solution_->setEnabled(false);

    QMenu* view = menuBar()->addMenu(tr("&Изглед"));
    zoomIn_ = view->addAction(tr("&Увеличи"), this, [this] {
        const auto next = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), form_->zoom());
        if (next != kZoomSteps.end())
            SetZoom(*next);
    });
    zoomIn_->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    zoomOut_ = view->addAction(tr("&Намали"), this, [this] {
        form_->ZoomOut();
        FitToForm();
    });
    zoomOut_->setShortcut(QKeySequence::ZoomOut);
    normalSize_ = view->addAction(tr("Н&ормален размер"), this, [this] { SetZoom(100); });
    normalSize_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    view->addSeparator();
    fullScreen_ = view->addAction(tr("&Цял екран"), this, [this] { SetPresenting(!presenting_); });
    fullScreen_->setShortcut(QKeySequence(Qt::Key_F11));
    fullScreen_->setCheckable(true);
    // Esc leaves the presentation too, as in any full-screen program.
    auto* leave = new QAction(this);
    leave->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(leave, &QAction::triggered, this, [this] { SetPresenting(false); });
    addAction(leave);

    QMenu* help = menuBar()->addMenu(tr("По&мощ"));
    QAction* howTo = help->addAction(tr("&Как се играе"), this, [this] {
        ShowMessage(tr("Как се играе"), QString::fromStdString(velmora::HowToPlayText()));
    });
    howTo->setShortcut(QKeySequence::HelpContents);
    // On the window too, so their keys work while the presentation hides the menus.
    for (QAction* menu : menuBar()->actions())
        addActions(menu->menu()->actions());
    help->addAction(tr("&Защо става?"), this,
                    [this] { ShowMessage(tr("Защо става?"), form_->WhyText()); });
    help->addAction(tr("&Относно"), this, [this] {
        ShowMessage(tr("Относно"),
                    tr("<h3>Велмора от числа</h3><p>Версия %1</p>"
                       "<p>Поредни числа в триъгълник или ромб с равни суми.</p>"
                       "<p>Свободен софтуер под лиценза GNU GPL, версия 3 или по-нова "
                       "(GPL-3.0-or-later).</p><p>Qt %2</p>")
                        .arg(QApplication::applicationVersion(), QString::fromLatin1(qVersion())));
    });
}

void MainWindow::SetPlayMode(PlayMode mode) {
    const bool practising = mode == PlayMode::Practice;
    (practising ? practice_ : demonstration_)->setChecked(true);
    hint_->setEnabled(practising);
    solution_->setEnabled(practising);
    form_->SetPlayMode(mode);
}

int MainWindow::SetZoom(int percent) {
    if (presenting_)
        return form_->zoom();
    while (percent > kZoomSteps.front() && !Fits(percent))
        percent = *(std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), percent) - 1);
    form_->SetZoom(percent);
    FitToForm();
    return form_->zoom();
}

// Whether the window at zoom `percent`, its frame included, fits the free area of its
// screen (without the panels).
bool MainWindow::Fits(int percent) const {
    const QScreen* screen = this->screen();
    if (!screen)
        return true;
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const double scale = percent / 100.0;
    const QSize needed(qRound(form_->designSize().width() * scale) + frame.left() + frame.right(),
                       qRound(form_->designSize().height() * scale) +
                           menuBar()->sizeHint().height() + statusBar()->sizeHint().height() +
                           frame.top() + frame.bottom());
    const QSize free = screen->availableGeometry().size();
    return needed.width() <= free.width() && needed.height() <= free.height();
}

void MainWindow::UpdateZoomActions() {
    const auto next = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), form_->zoom());
    zoomIn_->setEnabled(!presenting_ && next != kZoomSteps.end() && Fits(*next));
    zoomOut_->setEnabled(!presenting_ && form_->zoom() > kZoomSteps.front());
    normalSize_->setEnabled(!presenting_);
    fullScreen_->setChecked(presenting_);
}

// On another screen, or when this one changed, the zoom may no longer fit.
void MainWindow::CheckScreen() {
    if (!presenting_ && !Fits(form_->zoom()))
        SetZoom(form_->zoom());
    UpdateZoomActions();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (QWindow* window = windowHandle(); window && !window->property("velmoraWatched").isValid()) {
        window->setProperty("velmoraWatched", true);
        connect(window, &QWindow::screenChanged, this, [this] { CheckScreen(); });
    }
    CheckScreen();
}

// Outside full screen the window is exactly the form with its menus and status line.
void MainWindow::FitToForm() {
    UpdateZoomActions();
    if (presenting_)
        return;
    status_->setMinimumHeight(status_->fontMetrics().lineSpacing() * 2);
    setFixedSize(QSize(form_->width(), menuBar()->sizeHint().height() + form_->height() +
                                           statusBar()->sizeHint().height()));
}

void MainWindow::SetPresenting(bool presenting) {
    if (presenting == presenting_)
        return;
    presenting_ = presenting;
    if (presenting) {
        zoomBeforePresenting_ = form_->zoom();
        menuBar()->hide();
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        // A kiosk has no window manager to act on the request: take the screen outright.
        if (QScreen* screen = this->screen())
            setGeometry(screen->geometry());
        showFullScreen();
    } else {
        status_->setFont(QApplication::font());
        menuBar()->show();
        showNormal();
        form_->SetScale(zoomBeforePresenting_ / 100.0);
        FitToForm();
    }
    UpdateZoomActions();
}

// Presenting, the form takes the largest size the window leaves it, at any factor.
void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (!presenting_)
        return;
    // The status line grows with the form, so the class can read the verdicts too.
    const QSize design = form_->designSize();
    const double guess =
        std::min(double(width()) / design.width(), double(height()) / (design.height() + 48));
    QFont large = QApplication::font();
    large.setPointSizeF(large.pointSizeF() * std::max(1.0, guess));
    status_->setFont(large);
    status_->setMinimumHeight(status_->fontMetrics().lineSpacing() * 2);
    layout()->activate();
    const QSize room = centralWidget()->size();
    form_->SetScale(
        std::min(double(room.width()) / design.width(), double(room.height()) / design.height()));
    centralWidget()->layout()->activate(); // centred now, not on the next event
}

// Not blocking: the pupil reads it beside the puzzle and closes it when done.
void MainWindow::ShowMessage(const QString& title, const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Information, title, text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
