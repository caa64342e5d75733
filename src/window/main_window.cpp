// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/main_window.h"

#include "puzzle/coach.h"
#include "puzzle/figure.h"
#include "puzzle/number_text.h"
#include "window/first_frame.h"
#include "window/language.h"
#include "window/practice_board.h"
#include "window/texts.h"
#include "window/velmora.h"
#include "window/worksheet_dialog.h"

#include <QAbstractItemView>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include "window/fit_text.h"
#include "window/zoom.h"

#include <algorithm>

using velmora::kZoomSteps;
using velmora::PlayMode;

namespace {

// A bar button's height at 100 %: at the factor a 1024 × 768 projector gets, about 1.5,
// every button is a tap target of at least 40 pixels.
constexpr int kButtonHeight = 30;

// The practice board's size at 100 %, and the least a pupil may shrink the window to.
constexpr QSize kBoardSize(720, 560);
constexpr QSize kSmallestWindow(360, 480);

// The bars' names: their objects' names, and read out in the language in force.
// TRANSLATORS: the name of the bar of mode buttons, as a screen reader reads it.
constexpr const char* kModeBarName = N_("Избор на режим");
// TRANSLATORS: the name of the bar of teaching buttons, as a screen reader reads it.
constexpr const char* kTeachingBarName = N_("Помощ при решаване");

// The tooltip names the keys, so the mouse teaches the keyboard.
void NameKeys(QAction& action, const QString& keys = {}) {
    const QString name = QString(action.text()).remove(QLatin1Char('&'));
    const QString said =
        keys.isEmpty() ? action.shortcut().toString(QKeySequence::NativeText) : keys;
    action.setToolTip(said.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, said));
}

// The width a bar needs to show every item in one row, as the items are now: a language
// with longer words needs more than the form's.
int RowWidth(const QToolBar& bar) {
    int width = 0, items = 0;
    for (QAction* action : bar.actions())
        if (const QWidget* item = bar.widgetForAction(action); item && action->isVisible()) {
            width += std::max(0, item->sizeHint().width()); // the gap asks for nothing
            ++items;
        }
    const QMargins margins = bar.layout()->contentsMargins();
    return width + std::max(0, items - 1) * bar.layout()->spacing() + margins.left() +
           margins.right();
}

// A level's title longer than the room the bar leaves ends in "…", not cut off; the
// list that opens shows every title whole.
class FigureChooser : public QComboBox {
  protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, this);
        option.currentText =
            fontMetrics().elidedText(option.currentText, Qt::ElideRight, field.width());
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    }
};

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
    // Explicitly small: else the form's fixed size becomes the window's minimum, and a
    // presentation on a small screen grows past its bottom edge.
    centre->setMinimumSize(1, 1);
    // Practice has a board of its own, laid out for whatever size the window has.
    board_ = new PracticeBoard(*form_);
    board_->setMinimumSize(1, 1);
    pages_ = new QStackedWidget;
    pages_->addWidget(centre);
    pages_->addWidget(board_);
    pages_->setMinimumSize(1, 1);
    setCentralWidget(pages_);
    connect(board_, &PracticeBoard::commandAsked, this, [this](velmora::BoardCommand command) {
        if (command == velmora::BoardCommand::Demonstration)
            SetPlayMode(PlayMode::Demonstration);
        else if (command == velmora::BoardCommand::Why)
            ShowMessage(velmora::Q(velmora::Tr("Защо става?")), form_->WhyText());
        else if (command == velmora::BoardCommand::HowToPlay)
            ShowMessage(velmora::Q(velmora::Tr("Как се играе")),
                        QString::fromStdString(velmora::HowToPlayText()));
    });

    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("StatusLine"));
    // Two lines, always: a longer text gets a smaller font, so the line never pushes the
    // form; the explanations open in a box of their own.
    status_->setWordWrap(true);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    status_->installEventFilter(this);
    statusBar()->addWidget(status_, 1);
    statusBar()->setSizeGripEnabled(false);
    connect(form_, &Velmora::statusChanged, this, &MainWindow::ShowStatus);

    setWindowTitle(form_->windowTitle());
    form_->DropOwnShortcuts();
    CreateMenus();
    CreateBars();
    Retranslate();
    connect(form_, &Velmora::gameChanged, this, &MainWindow::FollowGame);
    FollowGame();
    velmora::AfterFirstFrame(*this, [this] {
        levelsReady_ = true;
        if (form_->game().mode == PlayMode::Practice)
            ShowLevels();
    });
    FocusFirstStep(); // moving into the window lost the form's focus
    // The teaching keys work from the text boxes too, whose own keys would take them
    // (Ctrl+E is the end of the line on X11).
    for (const char* box : {"Text1_0", "Text2"})
        if (QWidget* text = form_->findChild<QWidget*>(QLatin1String(box)))
            text->installEventFilter(this);
    board_->startBox()->installEventFilter(this);
    FitToForm();
    ShowStatus(form_->status());
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateMenus() {
    fileMenu_ = menuBar()->addMenu(QString());
    worksheet_ = fileMenu_->addAction(QString(), this, [this] {
        // The series on show, else the start number typed, read as compute reads it.
        const velmora::PuzzleState& puzzle = form_->puzzle();
        const double typed = puzzle.series.empty()
                                 ? velmora::RoundHalfEven(velmora::TextToNumber(puzzle.startText))
                                 : velmora::TextToNumber(puzzle.series.front());
        const int start = int(qBound(1.0, typed, double(velmora::kSheetMaxStart)));
        OpenWorksheetDialog(form_->puzzle().figureMode, start, this);
    });
    worksheet_->setShortcut(QKeySequence::Print);
    fileMenu_->addSeparator();
    quit_ = fileMenu_->addAction(QString(), this, &QWidget::close);
    quit_->setShortcut(QKeySequence::Quit);

    modeMenu_ = menuBar()->addMenu(QString());
    modes_ = new QActionGroup(this);
    demonstration_ = modeMenu_->addAction(QString());
    practice_ = modeMenu_->addAction(QString());
    for (QAction* action : {demonstration_, practice_}) {
        action->setCheckable(true);
        modes_->addAction(action);
    }
    demonstration_->setChecked(true);
    demonstration_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_1));
    practice_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_2));
    connect(demonstration_, &QAction::triggered, this,
            [this] { SetPlayMode(PlayMode::Demonstration); });
    connect(practice_, &QAction::triggered, this, [this] { SetPlayMode(PlayMode::Practice); });
    modeMenu_->addSeparator();
    hint_ = modeMenu_->addAction(QString(), form_, &Velmora::ShowHint);
    hint_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    // One key and one button: the solution, then back to the pupil's own numbers.
    solution_ = modeMenu_->addAction(QString(), this, [this] {
        if (velmora::CanRestoreOwnPlacement(form_->game()))
            form_->RestoreOwnPlacement();
        else
            form_->RevealSolution();
    });
    solution_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    CreateFigureMenu();

    viewMenu_ = menuBar()->addMenu(QString());
    zoomIn_ = viewMenu_->addAction(QString(), this, [this] {
        const auto next = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), form_->zoom());
        if (next != kZoomSteps.end())
            SetZoom(*next);
    });
    zoomIn_->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    zoomOut_ = viewMenu_->addAction(QString(), this, [this] {
        form_->ZoomOut();
        FitToForm();
    });
    zoomOut_->setShortcut(QKeySequence::ZoomOut);
    normalSize_ = viewMenu_->addAction(QString(), this, [this] { SetZoom(100); });
    normalSize_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    viewMenu_->addSeparator();
    fullScreen_ = viewMenu_->addAction(QString(), this, [this] { SetPresenting(!presenting_); });
    fullScreen_->setShortcut(QKeySequence(Qt::Key_F11));
    fullScreen_->setCheckable(true);
    // Esc leaves the presentation too, as in any full-screen program; its button shows
    // only there.
    leaveFullScreen_ = new QAction(this);
    leaveFullScreen_->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(leaveFullScreen_, &QAction::triggered, this, [this] { SetPresenting(false); });
    leaveFullScreen_->setVisible(false);
    addAction(leaveFullScreen_);

    CreateLanguageMenu();

    helpMenu_ = menuBar()->addMenu(QString());
    howTo_ = helpMenu_->addAction(QString(), this, [this] {
        ShowMessage(velmora::Q(velmora::Tr("Как се играе")),
                    QString::fromStdString(velmora::HowToPlayText()));
    });
    howTo_->setShortcut(QKeySequence::HelpContents);
    why_ = helpMenu_->addAction(QString(), this, [this] {
        ShowMessage(velmora::Q(velmora::Tr("Защо става?")), form_->WhyText());
    });
    why_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    // On the window too, so their keys work while the presentation hides the menus.
    for (QAction* menu : menuBar()->actions())
        addActions(menu->menu()->actions());
    about_ = helpMenu_->addAction(QString(), this, [this] {
        using velmora::Q, velmora::Tr, velmora::Format;
        const QString about =
            "<h3>" + Q(Tr("Велмора от числа")) + "</h3><p>" +
            // TRANSLATORS: in «Относно»; {version} is the program's version, "1.00".
            Q(Format(Tr("Версия {version}"),
                     {{"version", QApplication::applicationVersion().toStdString()}})) +
            "</p><p>" +
            Q(Tr("Поредни числа по фигура така, че сумите по линиите ѝ да са равни. Шест фигури "
                 "са нива: магическо V, триъгълник, ромб, голям триъгълник, звезда и магически "
                 "квадрат; работните листове се печатат с отговорите.")) +
            "</p><p>" +
            Q(Tr("Свободен софтуер под лиценза GNU GPL, версия 3 или по-нова "
                 "(GPL-3.0-or-later).")) +
            "</p><p>Qt " + QString::fromLatin1(qVersion()) + "</p>";
        ShowMessage(Q(Tr("Относно")), about);
    });
}

// «Език»: each language by its own name, so a pupil finds theirs whatever the window
// speaks now; the choice is kept for the next run.
void MainWindow::CreateLanguageMenu() {
    languageMenu_ = menuBar()->addMenu(QString());
    languageMenu_->setObjectName(QStringLiteral("LanguageMenu"));
    languages_ = new QActionGroup(this);
    for (const velmora::Language language : velmora::ShippedLanguages()) {
        const std::string_view name = velmora::LanguageName(language);
        QAction* action =
            languageMenu_->addAction(QString::fromUtf8(name.data(), qsizetype(name.size())));
        action->setCheckable(true);
        action->setChecked(language == velmora::CurrentLanguage());
        action->setData(int(language));
        languages_->addAction(action);
        connect(action, &QAction::triggered, this, [this, language] { ChooseLanguage(language); });
    }
}

void MainWindow::ChooseLanguage(velmora::Language language) {
    if (settings_)
        velmora::KeepLanguage(*settings_, language);
    if (language != velmora::CurrentLanguage())
        velmora::UseLanguage(language); // every window hears of it: changeEvent
    for (QAction* action : languages_->actions())
        action->setChecked(action->data().toInt() == int(language));
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    Retranslate();
    if (!presenting_)
        FitToForm();
    KeepBarsOnScreen();
}

// Every text the window sets itself, in the language in force: at the start, and again
// when it changes. The form and the board translate their own.
void MainWindow::Retranslate() {
    using velmora::Q, velmora::Tr, velmora::TrC;
    // TRANSLATORS: the menu bar's menus; the letter after & is the menu's Alt key.
    fileMenu_->setTitle(Q(TrC("menu", "&Файл")));
    worksheet_->setText(Q(Tr("&Работен лист…")));
    quit_->setText(Q(Tr("&Изход")));
    modeMenu_->setTitle(Q(TrC("menu", "&Режим")));
    demonstration_->setText(Q(Tr("&Показване")));
    practice_->setText(Q(Tr("&Упражнение")));
    hint_->setText(Q(Tr("По&дсказка")));
    figureMenu_->setTitle(Q(TrC("menu", "Фи&гура")));
    startAgain_->setText(Q(Tr("Започни &отначало…")));
    viewMenu_->setTitle(Q(TrC("menu", "&Изглед")));
    zoomIn_->setText(Q(Tr("&Увеличи")));
    zoomOut_->setText(Q(Tr("&Намали")));
    normalSize_->setText(Q(Tr("Н&ормален размер")));
    fullScreen_->setText(Q(Tr("&Цял екран")));
    leaveFullScreen_->setText(Q(Tr("Изход от цял екран")));
    languageMenu_->setTitle(Q(TrC("menu", "&Език")));
    helpMenu_->setTitle(Q(TrC("menu", "По&мощ")));
    howTo_->setText(Q(Tr("&Как се играе")));
    why_->setText(Q(Tr("&Защо става?")));
    about_->setText(Q(Tr("&Относно")));
    // Named so that neither starts like the menu «Режим» or its items: a screen reader
    // user looking for them by name meets the menu first.
    modeBar_->setWindowTitle(Q(Tr(kModeBarName)));
    teachingBar_->setWindowTitle(Q(Tr(kTeachingBarName)));
    for (QAction* action : {demonstration_, practice_, hint_, why_})
        NameKeys(*action);
    // TRANSLATORS: the keys that leave the full screen, on its button's tooltip.
    NameKeys(*leaveFullScreen_, Q(Tr("Esc или F11")));
    UpdateTeachingActions(true);
    if (chooser_) {
        chooserCaption_->setText(Q(Tr("Фигура:")));
        chooser_->setAccessibleName(Q(Tr("Фигура")));
    }
    // The levels' titles, with their sums once they were shown.
    if (levelsShown_) {
        ShowLevels();
    } else {
        for (std::size_t i = 0; i < figureActions_.size(); ++i)
            figureActions_[i]->setText(velmora::Q(velmora::Tr(velmora::Figures()[i].title)));
    }
    FitChooser();
}

// Above the form the mode, at a glance; below it the teaching buttons. The same actions
// as the menus, as buttons a pupil finds without them and a class can tap on a board.
void MainWindow::CreateBars() {
    const auto bar = [this](const char* name, Qt::ToolBarArea area) {
        auto* bar = new QToolBar(this);
        bar->setObjectName(QString::fromUtf8(name));
        bar->setMovable(false);
        bar->setFloatable(false);
        bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
        addToolBar(area, bar);
        return bar;
    };
    modeBar_ = bar(kModeBarName, Qt::TopToolBarArea);
    modeBar_->addActions({demonstration_, practice_});
    auto* gap = new QWidget;
    gap->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    gap_ = modeBar_->addWidget(gap);
    modeBar_->addAction(leaveFullScreen_);
    teachingBar_ = bar(kTeachingBarName, Qt::BottomToolBarArea);
    teachingBar_->addActions({hint_, solution_, why_});
    // The bars are always there; the window offers no menu to hide them.
    setContextMenuPolicy(Qt::PreventContextMenu);

    // They read as buttons before the pointer is near, and Tab reaches them after the
    // form's own buttons, before the statement.
    QWidget* previous = form_->findChild<QWidget*>(QStringLiteral("Command1_1"));
    for (QToolBar* each : {modeBar_, teachingBar_})
        for (QAction* action : each->actions())
            if (auto* button = qobject_cast<QToolButton*>(each->widgetForAction(action))) {
                button->setAutoRaise(false);
                button->setFocusPolicy(Qt::TabFocus);
                setTabOrder(previous, button);
                previous = button;
            }
    setTabOrder(previous, form_->findChild<QWidget*>(QStringLiteral("Text1_0")));
}

void MainWindow::SetPlayMode(PlayMode mode) {
    // The board hides with the focus in it: the demonstration starts from its first step.
    const bool fromBoard = board_->isAncestorOf(QApplication::focusWidget());
    (mode == PlayMode::Practice ? practice_ : demonstration_)->setChecked(true);
    form_->SetPlayMode(mode);
    if (mode == PlayMode::Practice || fromBoard)
        FocusFirstStep();
    UpdateTeachingActions();
}

bool MainWindow::Practising() const {
    return form_->game().mode == PlayMode::Practice;
}

void MainWindow::FocusFirstStep() {
    if (Practising())
        board_->FocusFirstStep();
    else
        form_->FocusFirstStep();
}

// The board in practice, with its own buttons and status; the form and the bars around
// it in the demonstration.
void MainWindow::ShowPage() {
    const bool practising = Practising();
    QWidget* page = practising ? static_cast<QWidget*>(board_) : pages_->widget(0);
    teachingBar_->setVisible(!practising);
    statusBar()->setVisible(!practising);
    if (pages_->currentWidget() == page)
        return;
    pages_->setCurrentWidget(page);
    if (!presenting_)
        FitToForm();
}

// While the solution is on show, its button takes the pupil back to their own numbers.
void MainWindow::UpdateTeachingActions(bool named) {
    const bool practising = form_->game().mode == PlayMode::Practice;
    hint_->setEnabled(practising);
    solution_->setEnabled(practising);
    const QString solution = velmora::Q(velmora::CanRestoreOwnPlacement(form_->game())
                                            ? velmora::Tr("&Върни моята подредба")
                                            : velmora::Tr("Покажи &решение"));
    if (solution_->text() != solution || named) {
        solution_->setText(solution);
        NameKeys(*solution_);
    }
}

// The bars and the status line grow with the form: the zoom and the presentation make
// them as large, for the class at the back and for fingers on a board.
void MainWindow::ScaleBars(double scale) {
    const QFont font = form_->ScaledFont(scale);
    for (QToolBar* bar : {modeBar_, teachingBar_}) {
        bar->setFont(font);
        for (QAction* action : bar->actions())
            if (QWidget* button = bar->widgetForAction(action); qobject_cast<QToolButton*>(button))
                button->setMinimumHeight(qRound(kButtonHeight * scale));
    }
    FitChooser();
    // Presenting, the verdicts and hints are the text the class reads from the back.
    statusFont_ = presenting_ ? form_->ScaledFont(scale * 1.25) : font;
    status_->setFont(statusFont_);
    status_->setFixedHeight(2 * status_->fontMetrics().lineSpacing() + 2);
    // The status bar takes its height from its line only on its next layout request;
    // the window's size is worked out from it now.
    QEvent request(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(statusBar(), &request);
    FitStatus();
}

void MainWindow::ShowStatus(const QString& text) {
    status_->setText(text);
    FitStatus();
}

// The longest hint with the sums found still reads whole, if smaller.
void MainWindow::FitStatus() {
    velmora::FitLabelFont(*status_, statusFont_, 0.4);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == status_ && event->type() == QEvent::Resize) {
        FitStatus();
    } else if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (const QAction* action : {hint_, solution_, why_})
            if (action->isEnabled() && action->shortcut() == pressed) {
                event->ignore(); // not taken by the text box: the shortcut runs
                return true;
            }
    }
    return QMainWindow::eventFilter(watched, event);
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

// The window's size at zoom `scale`, its frame left out: the bars above and below the
// form, or `beside` it in one column. The bars grow with the zoom; taken as growing in
// proportion from their size now, which counts their fixed margins a little over.
QSize MainWindow::WindowSize(double scale, bool beside) const {
    const double grow = scale / form_->scale();
    int across = 0, along = 0; // the largest button, as the bars stand in a row
    for (const QToolBar* bar : {modeBar_, teachingBar_})
        for (QAction* action : bar->actions())
            if (const QWidget* button = bar->widgetForAction(action);
                qobject_cast<const QToolButton*>(button) && action->isVisible()) {
                const QSize size = button->sizeHint().expandedTo(button->minimumSize());
                across = std::max(across, size.height());
                along = std::max(along, size.width());
            }
    const int margins = 2 * (style()->pixelMetric(QStyle::PM_ToolBarItemMargin, nullptr, modeBar_) +
                             style()->pixelMetric(QStyle::PM_ToolBarFrameWidth, nullptr, modeBar_));
    const QSize form(qRound(form_->designSize().width() * scale),
                     qRound(form_->designSize().height() * scale));
    const int status = qRound(statusBar()->sizeHint().height() * grow);
    const int menu = menuBar()->sizeHint().height();
    // Never narrower than the menus and the bars in a row need, in the language in force.
    const int chrome = std::max(
        menuBar()->sizeHint().width(),
        qRound(std::max(RowWidth(*modeBar_), Practising() ? 0 : RowWidth(*teachingBar_)) * grow));
    if (Practising())
        return {std::max(qRound(kBoardSize.width() * scale), chrome),
                menu + qRound(modeBar_->sizeHint().height() * grow) +
                    qRound(kBoardSize.height() * scale)};
    if (beside)
        return {std::max(form.width() + qRound((along + margins) * grow),
                         menuBar()->sizeHint().width()),
                menu + form.height() + status};
    return {std::max(form.width(), chrome),
            menu + qRound(2 * (across + margins) * grow) + form.height() + status};
}

// Whether a window of `size` and its frame fit the free area of its screen (without
// the panels).
bool MainWindow::FitsScreen(QSize size) const {
    const QScreen* screen = this->screen();
    if (!screen)
        return true;
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QSize free = screen->availableGeometry().size();
    return size.width() + frame.left() + frame.right() <= free.width() &&
           size.height() + frame.top() + frame.bottom() <= free.height();
}

bool MainWindow::Fits(int percent) const {
    return FitsScreen(WindowSize(percent / 100.0, false)) ||
           FitsScreen(WindowSize(percent / 100.0, true));
}

// Above and below the form as a rule; on a screen too short for that (a wide one at a
// large scaling), in a column to its right.
void MainWindow::PlaceBars(bool beside) {
    if ((toolBarArea(modeBar_) == Qt::RightToolBarArea) == beside)
        return;
    addToolBar(beside ? Qt::RightToolBarArea : Qt::TopToolBarArea, modeBar_);
    addToolBar(beside ? Qt::RightToolBarArea : Qt::BottomToolBarArea, teachingBar_);
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

// A language with long menu titles on a small screen: the menu bar's letters smaller, down
// to 60 %, so that every menu shows within the screen's width.
void MainWindow::FitMenuBar() {
    QFont font = QApplication::font(menuBar());
    if (menuBar()->font() != font)
        menuBar()->setFont(font);
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const int room = screen->availableGeometry().width() - frame.left() - frame.right();
    const double smallest = font.pointSizeF() * 0.6;
    while (menuBar()->sizeHint().width() > room && font.pointSizeF() - 0.5 >= smallest) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        menuBar()->setFont(font);
    }
}

// Outside full screen the window is exactly the form with its menus, bars and status line.
void MainWindow::FitToForm() {
    if (!presenting_)
        FitMenuBar();
    if (!presenting_ && Practising()) {
        ScaleBars(form_->scale());
        PlaceBars(false);
        setMinimumSize(kSmallestWindow);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        QSize size = WindowSize(form_->scale(), false);
        if (const QScreen* screen = this->screen()) {
            const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
            size = size.boundedTo(screen->availableGeometry().size().shrunkBy(frame));
        }
        resize(size);
    } else if (!presenting_) {
        ScaleBars(form_->scale());
        const bool beside = !FitsScreen(WindowSize(form_->scale(), false)) &&
                            FitsScreen(WindowSize(form_->scale(), true));
        PlaceBars(beside);
        const int rest = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
        // As wide as the form, or as its menus and bars where a language needs more: the
        // form stays centred on its colour.
        if (beside)
            setFixedSize(std::max(form_->width() + std::max(modeBar_->sizeHint().width(),
                                                            teachingBar_->sizeHint().width()),
                                  menuBar()->sizeHint().width()),
                         form_->height() + rest);
        else
            setFixedSize(std::max({form_->width(), menuBar()->sizeHint().width(),
                                   RowWidth(*modeBar_), RowWidth(*teachingBar_)}),
                         modeBar_->sizeHint().height() + form_->height() +
                             teachingBar_->sizeHint().height() + rest);
    }
    UpdateZoomActions();
}

void MainWindow::SetPresenting(bool presenting) {
    if (presenting == presenting_)
        return;
    presenting_ = presenting;
    leaveFullScreen_->setVisible(presenting);
    if (presenting) {
        zoomBeforePresenting_ = form_->zoom();
        geometryBeforePresenting_ = isVisible() ? geometry() : QRect();
        menuBar()->hide();
        PlaceBars(false);
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        // A kiosk has no window manager to act on the request: take the screen outright.
        if (QScreen* screen = this->screen())
            setGeometry(screen->geometry());
        showFullScreen();
    } else {
        menuBar()->show();
        form_->SetScale(zoomBeforePresenting_ / 100.0);
        FitToForm();
        showNormal();
        // Without a window manager nobody else puts it back where it was.
        if (geometryBeforePresenting_.isValid())
            setGeometry(Practising() ? geometryBeforePresenting_
                                     : QRect(geometryBeforePresenting_.topLeft(), minimumSize()));
    }
    UpdateZoomActions();
}

// Presenting, the form takes the largest size the window leaves it, at any factor; the
// bars and the status line grow with it and take their share of the height first.
void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (presenting_)
        FitPresentation();
}

// Presenting, when what the bars hold grows (practice's chooser, a language with longer
// words) past the screen's width, the bars and the form are fitted again.
void MainWindow::KeepBarsOnScreen() {
    if (presenting_ &&
        std::max(RowWidth(*modeBar_),
                 teachingBar_->isVisibleTo(this) ? RowWidth(*teachingBar_) : 0) > width())
        FitPresentation();
}

void MainWindow::FitPresentation() {
    const QSize design = form_->designSize();
    const auto fitting = [&design](QSize room) {
        return std::min(double(room.width()) / design.width(),
                        double(room.height()) / design.height());
    };
    // The bars must show all their buttons in the screen's width, in any language.
    const auto barsFit = [this](double at) {
        const int row = std::max(RowWidth(*modeBar_),
                                 teachingBar_->isVisibleTo(this) ? RowWidth(*teachingBar_) : 0);
        // A smaller font is not quite proportionally narrower: aimed a little short.
        return row <= width() ? at : at * 0.95 * width() / row;
    };
    // From the factor without any bars down: the bars at a smaller factor leave more room,
    // so the second pass settles it.
    double scale = fitting(size());
    QSize room;
    for (int pass = 0; pass < 3; ++pass) {
        ScaleBars(scale);
        layout()->activate();
        room = centralWidget()->size();
        const double fit = fitting(room), bars = barsFit(scale);
        if (fit >= scale && bars >= scale)
            break;
        scale = std::min(fit, bars);
    }
    form_->SetScale(fitting(room));
    centralWidget()->layout()->activate();
    pages_->widget(0)->layout()->activate(); // centred now, not on the next event
}

// Not blocking: the pupil reads it beside the puzzle and closes it when done.
void MainWindow::ShowMessage(const QString& title, const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Information, title, text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // As large as the form is shown: zoomed or presenting, the class reads it too.
    box->setFont(form_->ScaledFont(form_->scale()));
    box->open();
}

// The six figures in the order of the levels, the one in use checked and the one to
// take up next in bold; then a fresh start.
void MainWindow::CreateFigureMenu() {
    figureMenu_ = new QMenu(this);
    menuBar()->addMenu(figureMenu_);
    figures_ = new QActionGroup(this);
    for (const velmora::Figure& figure : velmora::Figures()) {
        QAction* action = figureMenu_->addAction(QString::fromStdString(velmora::Tr(figure.title)));
        action->setCheckable(true);
        figures_->addAction(action);
        const velmora::FigureMode mode = figure.mode;
        connect(action, &QAction::triggered, this, [this, mode] { ChooseFigure(mode, true); });
        figureActions_.push_back(action);
    }
    figureMenu_->addSeparator();
    startAgain_ = figureMenu_->addAction(QString(), this, &MainWindow::AskToStartAgain);
    connect(figureMenu_, &QMenu::aboutToShow, this, [this] {
        levelsReady_ = true;
        ShowLevels();
    });
}

// Practice: the six figures, as in the menu «Фигура», beside the mode; made the first
// time practice is on show, so the demonstration starts without it.
void MainWindow::CreateChooser() {
    auto* chooser = new QWidget;
    chooser->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto* row = new QHBoxLayout(chooser);
    row->setContentsMargins(6, 0, 0, 0);
    auto* caption = new QLabel(velmora::Q(velmora::Tr("Фигура:")));
    chooserCaption_ = caption;
    chooser_ = new FigureChooser;
    chooser_->setObjectName(QStringLiteral("FigureChooser"));
    chooser_->setAccessibleName(velmora::Q(velmora::Tr("Фигура")));
    chooser_->setFocusPolicy(Qt::StrongFocus);
    chooser_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    chooser_->setMinimumContentsLength(8);
    chooser_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    for (const velmora::Figure& figure : velmora::Figures())
        chooser_->addItem(QString::fromStdString(velmora::Tr(figure.title)));
    caption->setBuddy(chooser_);
    row->addWidget(caption);
    row->addWidget(chooser_, 100);
    row->addStretch(1); // beyond its longest title
    connect(chooser_, &QComboBox::activated, this,
            [this](int index) { ChooseFigure(velmora::Figures().at(std::size_t(index)).mode); });
    chooserAction_ = modeBar_->insertWidget(gap_, chooser);
    // Tab reaches it right after the mode it belongs to.
    setTabOrder(modeBar_->widgetForAction(practice_), chooser_);
    ShowLevels();
}

// The figure in use again leaves the pupil's numbers where they are. From the menu, the
// pupil goes on in «Начало», where the figure's start number is typed.
void MainWindow::ChooseFigure(velmora::FigureMode figure, bool thenStart) {
    const auto toStart = [this, thenStart] {
        if (thenStart)
            FocusStartBox();
    };
    if (Practising()) {
        board_->ChooseFigure(figure, toStart); // asks first when numbers would be lost
        FollowGame();
        return;
    }
    if (figure != form_->game().puzzle.figureMode)
        form_->ChooseFigure(figure);
    FollowGame();
    toStart();
}

void MainWindow::FocusStartBox() {
    if (Practising())
        board_->FocusFirstStep();
    else if (QWidget* box = form_->findChild<QWidget*>(QStringLiteral("Text2")))
        box->setFocus(Qt::OtherFocusReason);
}

// "1. Магическо V – 2 от 3 суми" in the menu and the chooser alike.
void MainWindow::ShowLevels() {
    if (!levelsReady_)
        return;
    levelsShown_ = true;
    const velmora::Progress& progress = form_->game().progress;
    const velmora::FigureMode suggested = velmora::SuggestedFigure(progress, progress.lastFigure);
    bool changed = false;
    for (std::size_t i = 0; i < figureActions_.size(); ++i) {
        const velmora::FigureMode mode = velmora::Figures()[i].mode;
        // The level's number is its key in the menu.
        const QString title = QString::fromStdString(velmora::LevelTitle(progress, mode));
        QAction* action = figureActions_[i];
        if (action->text() != QLatin1Char('&') + title)
            action->setText(QLatin1Char('&') + title);
        QFont font = action->font();
        font.setBold(mode == suggested);
        if (action->font() != font)
            action->setFont(font);
        const int item = static_cast<int>(i);
        if (!chooser_)
            continue;
        QFont itemFont = chooser_->font();
        itemFont.setBold(mode == suggested);
        if (chooser_->itemText(item) == title &&
            chooser_->itemData(item, Qt::FontRole) == QVariant(itemFont))
            continue;
        chooser_->setItemText(item, title);
        chooser_->setItemData(item, itemFont, Qt::FontRole);
        changed = true;
    }
    if (changed)
        FitChooser();
}

// The chooser as wide as its longest title where the bar has the room, and the list it
// opens always so.
void MainWindow::FitChooser() {
    if (!chooser_)
        return;
    int widest = 0;
    for (int item = 0; item < chooser_->count(); ++item)
        widest = std::max(widest, chooser_->fontMetrics().horizontalAdvance(
                                      chooser_->itemText(item) + QLatin1Char(' ')));
    QStyleOptionComboBox option;
    option.initFrom(chooser_);
    // Never below the width it asks for: the bars, and the window, keep their size
    // whatever the titles say.
    chooser_->setMaximumWidth(
        std::max(chooser_->sizeHint().width(),
                 chooser_->style()
                     ->sizeFromContents(QStyle::CT_ComboBox, &option,
                                        QSize(widest, chooser_->fontMetrics().height()), chooser_)
                     .width()));
    chooser_->view()->setMinimumWidth(chooser_->view()->sizeHintForColumn(0) +
                                      2 * chooser_->view()->frameWidth() + 8);
}

// After every change the menus and bars follow the game, and the progress is kept.
void MainWindow::FollowGame() {
    const velmora::Game& game = form_->game();
    const bool practising = game.mode == PlayMode::Practice;
    (practising ? practice_ : demonstration_)->setChecked(true);
    for (std::size_t i = 0; i < figureActions_.size(); ++i) {
        const bool current = velmora::Figures()[i].mode == game.puzzle.figureMode;
        if (figureActions_[i]->isChecked() != current)
            figureActions_[i]->setChecked(current);
    }
    if (practising && !chooser_) {
        CreateChooser();
        if (!presenting_)
            FitToForm();
    }
    if (chooser_) {
        int current = -1;
        for (std::size_t i = 0; i < velmora::Figures().size(); ++i)
            if (velmora::Figures()[i].mode == game.puzzle.figureMode)
                current = static_cast<int>(i);
        if (chooser_->currentIndex() != current)
            chooser_->setCurrentIndex(current);
    }
    // The chooser takes the room, as wide as its titles.
    gap_->setVisible(!practising);
    if (chooserAction_ && chooserAction_->isVisible() != practising) {
        chooserAction_->setVisible(practising);
        if (!presenting_)
            FitToForm();
    }
    if (practising)
        ShowLevels();
    ShowPage();
    UpdateTeachingActions();
    KeepBarsOnScreen();
    KeepProgress();
}

void MainWindow::RememberProgress() {
    auto settings = std::make_unique<QSettings>();
    const QString kept = settings->value(QStringLiteral("progress")).toString();
    if (!kept.isEmpty()) {
        const velmora::Progress progress = velmora::LoadProgress(kept.toStdString());
        form_->Resume(progress);
        SetZoom(velmora::IsZoomStep(progress.zoom) ? progress.zoom : 100);
    }
    // Nothing is written until something changes.
    settings_ = std::move(settings);
    velmora::Progress now = form_->game().progress;
    now.zoom = form_->zoom();
    keptProgress_ = velmora::SaveProgress(now);
    FollowGame();
}

// Presenting, the zoom kept is the one the window goes back to.
void MainWindow::KeepProgress() {
    if (!settings_)
        return;
    velmora::Progress progress = form_->game().progress;
    progress.zoom = presenting_ ? zoomBeforePresenting_ : form_->zoom();
    std::string text = velmora::SaveProgress(progress);
    if (text == keptProgress_)
        return;
    settings_->setValue(QStringLiteral("progress"), QString::fromStdString(text));
    keptProgress_ = std::move(text);
}

// It erases a child's work: asked first, «Не» the default.
void MainWindow::AskToStartAgain() {
    auto* box = new QMessageBox(QMessageBox::Question, velmora::Q(velmora::Tr("Започни отначало")),
                                QString::fromStdString(velmora::StartAgainQuestion()),
                                QMessageBox::Yes | QMessageBox::No, this);
    box->setObjectName(QStringLiteral("StartAgainQuestion"));
    box->setDefaultButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setFont(form_->ScaledFont(form_->scale()));
    connect(box, &QMessageBox::finished, this, [this](int answer) {
        if (answer == QMessageBox::Yes)
            form_->ForgetProgress();
    });
    box->open();
}
