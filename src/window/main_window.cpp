// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/main_window.h"

#include "window/velmora.h"

#include <QActionGroup>
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

using velmora::PlayMode;

namespace {

const QString kHowToPlay = QStringLiteral(
    "<p><b>Показване.</b> Напиши начално число в полето «Начало», избери «Триъгълник» или "
    "«Ромб» и натисни «Изчисли». Щракни място на фигурата или число от списъка «Числа»: "
    "програмата показва подредбата, при която сумите са равни.</p>"
    "<p><b>Упражнение</b> (меню «Режим»). Ти подреждаш числата: избери число от списъка, "
    "после място на фигурата (или първо мястото, после числото). Щракване върху заето място "
    "връща числото в списъка. Когато всички места са заети, редът отдолу казва дали сумите "
    "са равни и кои суми си намерил. «Подсказка» помага стъпка по стъпка.</p>"
    "<p><b>С клавиатура.</b> Tab минава през полетата; в списъка стрелките избират число, а "
    "в упражнението Tab води до местата на фигурата и Интервал поставя числото там.</p>");

} // namespace

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
    status_->setWordWrap(true);
    status_->setMinimumHeight(status_->fontMetrics().lineSpacing() * 3);
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
    QAction* zoomIn = view->addAction(tr("&Увеличи"), this, [this] {
        form_->ZoomIn();
        FitToForm();
    });
    zoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    QAction* zoomOut = view->addAction(tr("&Намали"), this, [this] {
        form_->ZoomOut();
        FitToForm();
    });
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    QAction* normal = view->addAction(tr("Н&ормален размер"), this, [this] { SetZoom(100); });
    normal->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    view->addSeparator();
    QAction* fullScreen = view->addAction(tr("&Цял екран"), this, &MainWindow::ToggleFullScreen);
    fullScreen->setShortcut(QKeySequence(Qt::Key_F11));
    fullScreen->setCheckable(true);

    QMenu* help = menuBar()->addMenu(tr("По&мощ"));
    QAction* howTo = help->addAction(tr("&Как се играе"), this,
                                     [this] { ShowMessage(tr("Как се играе"), kHowToPlay); });
    howTo->setShortcut(QKeySequence::HelpContents);
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

void MainWindow::SetZoom(int percent) {
    form_->SetZoom(percent);
    FitToForm();
}

// Outside full screen the window is exactly the form with its menus and status line.
void MainWindow::FitToForm() {
    if (isFullScreen())
        return;
    status_->setMinimumHeight(status_->fontMetrics().lineSpacing() * 3);
    setFixedSize(QSize(form_->width(), menuBar()->sizeHint().height() + form_->height() +
                                           statusBar()->sizeHint().height()));
}

void MainWindow::ToggleFullScreen() {
    if (isFullScreen()) {
        showNormal();
        FitToForm();
        return;
    }
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    showFullScreen();
}

// Not blocking: the pupil reads it beside the puzzle and closes it when done.
void MainWindow::ShowMessage(const QString& title, const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Information, title, text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
