// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_test_support.h"
#include "window_test_support.h"

#include "window/language.h"
#include "window/main_window.h"
#include "window/texts.h"
#include "window/worksheet_dialog.h"
#include "window/zoom.h"

#include <QAccessible>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

using namespace velmora;
using namespace velmora::testing;

Q_DECLARE_METATYPE(velmora::FigureMode)
Q_DECLARE_METATYPE(velmora::PlayMode)

namespace {

using Moves = QList<QPair<int, int>>; // (list row, position)

QStringList StruckItems(const QWidget& w) {
    QStringList struck;
    for (int row = 0; row < List(w)->count(); ++row)
        if (List(w)->item(row)->font().strikeOut())
            struck << List(w)->item(row)->text();
    return struck;
}

QString StatusLine(const MainWindow& w) {
    return w.statusBar()->findChild<QLabel*>()->text();
}

// A button of the bars around the form, by its text.
QToolButton* Button(const MainWindow& w, const QString& text) {
    for (QToolButton* button : w.findChildren<QToolButton*>())
        if (QString(button->text()).remove('&') == text)
            return button;
    qFatal("no button %s", qPrintable(text));
}

QString Say(const std::string& text) {
    return QString::fromStdString(text);
}

// Tab until `target` has the focus: the way a keyboard user gets there.
void TabTo(QWidget* target) {
    for (int i = 0; i < 40 && QApplication::focusWidget() != target; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), target);
}

void SaveScreenshot(QWidget& w, const char* name) {
    const QByteArray folder = qgetenv("VELMORA_SCREENSHOTS");
    if (!folder.isEmpty())
        w.grab().save(QString::fromLocal8Bit(folder) + "/" + name);
}

// Practice games on the board, each played by taps and by keys alone, and ending as the
// row says: what the places and the sums beside them show; the status says what the core
// says of the game.
struct GameRow {
    const char* name;
    FigureMode figure;
    Moves moves;
    QStringList captions, sums;
};

void GameRows() {
    QTest::addColumn<bool>("byKeys");
    QTest::addColumn<FigureMode>("figure");
    QTest::addColumn<Moves>("moves");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("sums");
    const FigureMode t = FigureMode::Triangle, r = FigureMode::Rhombus;
    const GameRow rows[] = {
        {"triangle unequal",
         t,
         {{0, 0}, {2, 1}, {1, 2}, {3, 3}, {4, 4}, {5, 5}},
         {"7", "9", "8", "10", "11", "12"},
         {"26 −1", "27", "28 +1"}},
        {"triangle solved",
         t,
         {{5, 5}, {1, 1}, {0, 0}, {4, 4}, {2, 2}, {3, 3}},
         {"7", "8", "9", "10", "11", "12"},
         {"27 ✓", "27 ✓", "27 ✓"}},
        {"triangle half way",
         t,
         {{3, 0}, {4, 4}, {5, 2}},
         {"10", "", "12", "", "11", ""},
         {"33", "", ""}},
        {"rhombus half vertex",
         r,
         {{0, 0}, {7, 0}, {1, 1}},
         {"7 + 14", "8", "", ""},
         {"21 ✓", "", "", ""}},
        {"rhombus solved",
         r,
         {{0, 0}, {7, 0}, {6, 1}, {1, 1}, {2, 2}, {5, 2}, {4, 3}, {3, 3}},
         {"7 + 14", "13 + 8", "9 + 12", "11 + 10"},
         {"21 ✓", "21 ✓", "21 ✓", "21 ✓"}},
    };
    for (const GameRow& row : rows)
        for (bool keys : {false, true})
            QTest::addRow("%s by %s", row.name, keys ? "keys" : "taps")
                << keys << row.figure << row.moves << row.captions << row.sums;
}

void PlayOnBoard(PracticeBoard& board, bool byKeys, const Moves& moves) {
    for (const auto& [tile, place] : moves)
        if (byKeys) {
            TabTo(board.tile(tile));
            QTest::keyClick(board.tile(tile), Qt::Key_Space);
            TabTo(board.place(place));
            QTest::keyClick(board.place(place), Qt::Key_Space);
        } else {
            Tap(board.tile(tile));
            Tap(board.place(place));
        }
}

// Every text the window shows or says, each with where it is: the menus and their items,
// every control's text, tooltip and accessible name (the form's, the bars', the board's),
// the chooser's levels and the status line. Qt's own inner parts are left out.
QStringList TextsOf(const MainWindow& window) {
    QStringList texts;
    const auto add = [&texts](const QObject* where, const char* what, const QString& text) {
        if (!text.isEmpty())
            texts << QStringLiteral("%1 %2: %3").arg(where->objectName(), what, text);
    };
    for (const QAction* menu : window.menuBar()->actions()) {
        add(menu->menu(), "menu", menu->text());
        for (const QAction* item : menu->menu()->actions())
            add(menu->menu(), "item", item->text());
    }
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->objectName().startsWith("qt_") || !widget->isVisibleTo(&window))
            continue;
        add(widget, "name", widget->accessibleName());
        add(widget, "tooltip", widget->toolTip());
        if (auto* label = qobject_cast<const QLabel*>(widget))
            add(widget, "text", label->text());
        else if (auto* button = qobject_cast<const QAbstractButton*>(widget))
            add(widget, "text", button->text());
        else if (auto* box = qobject_cast<const QGroupBox*>(widget))
            add(widget, "title", box->title());
        else if (auto* edit = qobject_cast<const QPlainTextEdit*>(widget))
            add(widget, "text", edit->toPlainText());
        else if (auto* chooser = qobject_cast<const QComboBox*>(widget))
            for (int item = 0; item < chooser->count(); ++item)
                add(widget, "item", chooser->itemText(item));
        else if (auto* bar = qobject_cast<const QToolBar*>(widget))
            add(widget, "title", bar->windowTitle());
    }
    return texts;
}

// A letter in the text: numbers alone ("7", "27 ✓") are the same in every language.
bool HasWords(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

QString LanguageNameOf(Language language) {
    return QString::fromUtf8(LanguageName(language).data(),
                             qsizetype(LanguageName(language).size()));
}

// The language menu's items: each language by its own name.
QList<QAction*> LanguageItems(const MainWindow& window) {
    auto* menu = window.menuBar()->findChild<QMenu*>("LanguageMenu");
    return menu ? menu->actions() : QList<QAction*>();
}

// Whatever a test does, the next one starts in Bulgarian.
struct BackToBulgarian {
    ~BackToBulgarian() {
        UseLanguage(Language::Bulgarian);
        QCoreApplication::processEvents();
    }
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareTestApplication(); }

    // Number first, then its place: by taps, or with the keyboard alone (Tab reaches the
    // tiles and the places, Space picks and places).
    void practiceGames_data() { GameRows(); }
    void practiceGames() {
        QFETCH(bool, byKeys);
        QFETCH(FigureMode, figure);
        QFETCH(Moves, moves);
        QFETCH(QStringList, captions);
        QFETCH(QStringList, sums);
        auto window = OpenMainWindow(PlayMode::Practice);
        PracticeBoard& board = window->board();
        QVERIFY(board.isVisible() && !window->form().isVisible());
        StartBoard(board, figure, "7");
        QCOMPARE(PlaceTexts(board), QStringList(figure == FigureMode::Triangle ? 6 : 4, ""));
        PlayOnBoard(board, byKeys, moves);
        QCOMPARE(PlaceTexts(board), captions);
        QCOMPARE(SumsShown(board), sums);
        QStringList placed, struck;
        for (const auto& [tile, position] : moves)
            placed << board.tile(tile)->text();
        for (int i = 0; board.tile(i); ++i)
            if (board.tile(i)->font().strikeOut())
                struck << board.tile(i)->text();
        std::sort(placed.begin(), placed.end());
        std::sort(struck.begin(), struck.end());
        QCOMPARE(struck, placed);
        QCOMPARE(board.status()->text(), QString::fromStdString(StatusOf(board.game())));
        if (QTest::currentDataTag() == QByteArray("triangle unequal by taps"))
            SaveScreenshot(*window, "practice.png");
    }

    // The place first, then the number; a tap on a filled place takes it back.
    void placeFirstAndTakeBack() {
        auto window = OpenMainWindow(PlayMode::Practice);
        PracticeBoard& board = window->board();
        StartBoard(board, FigureMode::Triangle, "7");
        Tap(board.place(1));
        QCOMPARE(AccessibleName(board.place(1)), QString("Горният връх: празно, избрано"));
        Tap(board.tile(3));
        QCOMPARE(board.place(1)->text(), QString("10"));
        QCOMPARE(AccessibleName(board.place(1)), QString("Горният връх: 10"));
        QCOMPARE(AccessibleName(board.tile(3)), QString("Число 10, на фигурата: горният връх"));
        QVERIFY(board.tile(3)->font().strikeOut());
        Tap(board.place(1));
        QCOMPARE(board.place(1)->text(), QString());
        QVERIFY(!board.tile(3)->font().strikeOut());
        QCOMPARE(AccessibleName(board.tile(3)), QString("Число 10"));
    }

    // Each menu item, its accelerator and its conventional shortcut.
    void menus_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("quit") << "&Файл"
                              << "&Изход" << QKeySequence(QKeySequence::Quit);
        QTest::newRow("show") << "&Режим"
                              << "&Показване" << QKeySequence("Ctrl+1");
        QTest::newRow("practice") << "&Режим"
                                  << "&Упражнение" << QKeySequence("Ctrl+2");
        QTest::newRow("hint") << "&Режим"
                              << "По&дсказка" << QKeySequence("Ctrl+H");
        QTest::newRow("solution") << "&Режим"
                                  << "Покажи &решение" << QKeySequence("Ctrl+R");
        QTest::newRow("zoom in") << "&Изглед"
                                 << "&Увеличи" << QKeySequence(QKeySequence::ZoomIn);
        QTest::newRow("zoom out") << "&Изглед"
                                  << "&Намали" << QKeySequence(QKeySequence::ZoomOut);
        QTest::newRow("normal") << "&Изглед"
                                << "Н&ормален размер" << QKeySequence("Ctrl+0");
        QTest::newRow("full screen") << "&Изглед"
                                     << "&Цял екран" << QKeySequence("F11");
        QTest::newRow("how to") << "По&мощ"
                                << "&Как се играе" << QKeySequence(QKeySequence::HelpContents);
        QTest::newRow("why") << "По&мощ"
                             << "&Защо става?" << QKeySequence("Ctrl+E");
        QTest::newRow("about") << "По&мощ"
                               << "&Относно" << QKeySequence();
    }
    void menus() {
        QFETCH(QString, menu);
        QFETCH(QString, item);
        QFETCH(QKeySequence, keys);
        auto window = OpenMainWindow(PlayMode::Demonstration);
        QCOMPARE(MenuItem(*window, menu, item)->shortcut(), keys);
    }

    // The form keeps its layout, between the menus and the status line.
    void formBetweenMenusAndStatus() {
        auto window = OpenMainWindow(PlayMode::Demonstration);
        const Velmora& form = window->form();
        QCOMPARE(form.size(), QSize(481, 399));
        const QRect inWindow(form.mapTo(window.get(), QPoint(0, 0)), form.size());
        QVERIFY(window->menuBar()->geometry().bottom() < inWindow.top());
        QVERIFY(window->statusBar()->geometry().top() > inWindow.bottom());
        QCOMPARE(window->width(), 481);
        QCOMPARE(window->windowTitle(), QString("http://www.example.com Морастела"));

        QTest::keySequence(window.get(), QKeySequence::ZoomIn); // the menu's shortcut
        QCOMPARE(form.zoom(), 125);
        QCOMPARE(window->width(), form.width());
        // The menu's own items size the window to the form as well.
        for (const auto& [item, zoom] : {std::pair("&Намали", 100), std::pair("&Увеличи", 125),
                                         std::pair("Н&ормален размер", 100)}) {
            MenuItem(*window, "&Изглед", item)->trigger();
            QCOMPARE(form.zoom(), zoom);
            QCOMPARE(window->width(), form.width());
        }
        QTest::keySequence(window.get(), QKeySequence::ZoomIn);
        QTest::keySequence(window.get(), QKeySequence("Ctrl+0"));
        QCOMPARE(form.zoom(), 100);
        QTest::keySequence(window.get(), QKeySequence("F11"));
        QTRY_VERIFY(window->isFullScreen());
        QTest::keySequence(window.get(), QKeySequence("F11"));
        QTRY_VERIFY(!window->isFullScreen());
        QCOMPARE(form.size(), QSize(481, 399));
    }

    // Switching mode starts the figure afresh and keeps the start text; the
    // demonstration fills as it always did.
    void switchingModes() {
        auto window = OpenMainWindow(PlayMode::Practice);
        const Velmora& form = window->form();
        PracticeBoard& board = window->board();
        StartBoard(board, FigureMode::Triangle, "7");
        Tap(board.tile(2));
        Tap(board.place(0));
        QCOMPARE(board.place(0)->text(), QString("9"));
        MenuItem(*window, "&Режим", "&Показване")->trigger();
        QVERIFY(form.isVisible() && !board.isVisible());
        QVERIFY(!MenuItem(*window, "&Режим", "По&дсказка")->isEnabled());
        QCOMPARE(Captions(form, 0), QStringList(6, ""));
        QCOMPARE(StartBox(form)->text(), QString("7"));
        Compute(form);
        ClickListItem(form, 2);
        QCOMPARE(TriangleLabel(form, 2)->text(), QString("9"));
        QVERIFY(StruckItems(form).isEmpty());
        QCOMPARE(StatusLine(*window),
                 QString("Числата са 7, 8, 9, 10, 11 и 12: щракни място на фигурата или число "
                         "от списъка."));
        MenuItem(*window, "&Режим", "&Упражнение")->trigger();
        QVERIFY(board.isVisible() && !form.isVisible());
        QCOMPARE(PlaceTexts(board), QStringList(6, ""));
        // The board's own button goes back to the demonstration.
        Tap(board.button(BoardCommand::Demonstration));
        QVERIFY(form.isVisible() && !board.isVisible());
        QCOMPARE(form.game().mode, PlayMode::Demonstration);
    }

    // Ctrl+P: the worksheet dialog, started from the figure on show with random starts
    // (or the number on show), with a live preview, writes the PDF it shows.
    void worksheetDialogToPdf() {
        auto window = OpenMainWindow(PlayMode::Demonstration);
        StartGame(window->form(), 1, "12");
        QTest::keySequence(window.get(), QKeySequence::Print);
        auto* dialog = window->findChild<WorksheetDialog*>();
        QVERIFY(dialog && dialog->isVisible());
        // A new variant of random starts; the number on show one click away.
        QVERIFY(dialog->Request().starts.empty());
        const std::uint32_t variant = dialog->Request().seed;
        dialog->findChild<QCheckBox*>()->click();
        QCOMPARE(dialog->Request().starts, std::vector<int>{12});
        QCOMPARE(dialog->Request().seed, variant);
        QCOMPARE(dialog->Request().figures, SheetFigures::Rhombus);
        auto* preview = dialog->findChild<QPrintPreviewWidget*>();
        QTRY_COMPARE(preview->pageCount(), 2); // four puzzles, then their answers
        dialog->findChildren<QSpinBox*>().first()->setValue(5);
        QTRY_COMPARE(preview->pageCount(), 4);
        QTemporaryDir folder;
        const QString pdf = folder.filePath("sheet.pdf");
        QVERIFY(dialog->SavePdf(pdf));
        QProcess text;
        text.start("pdftotext", {"-f", "1", "-l", "1", pdf, "-"});
        QVERIFY(text.waitForFinished());
        QVERIFY(QString::fromUtf8(text.readAllStandardOutput())
                    .contains("Числа: 12, 13, 14, 15, 16, 17, 18, 19"));
    }

    // The teaching buttons: each hint as the core gives it, the solution and back to the
    // pupil's own numbers on the same button, the two help texts, and compute's word on
    // what is missing.
    void hintsSolutionAndHelp() {
        auto window = OpenMainWindow(PlayMode::Practice);
        PracticeBoard& board = window->board();
        StartBoard(board, FigureMode::Triangle, "7");
        Tap(board.tile(2));
        Tap(board.place(0));
        for (int step = 1; step <= 3; ++step) {
            const QString hint = Say(AskHint(board.game()).status);
            Tap(board.button(BoardCommand::Hint));
            QCOMPARE(board.status()->text(), hint);
        }
        const QStringList own = PlaceTexts(board);
        board.startBox()->setFocus(); // the keys pass the text box, which has its own Ctrl+E
        QTest::keySequence(QApplication::focusWidget(), QKeySequence("Ctrl+R"));
        QVERIFY(!PlaceTexts(board).contains(""));
        QCOMPARE(board.status()->text(), Say(StatusOf(board.game())));
        QCOMPARE(board.button(BoardCommand::Solution)->text(), QString("Върни моята подредба"));
        Tap(board.button(BoardCommand::Solution));
        QCOMPARE(PlaceTexts(board), own);
        QCOMPARE(board.button(BoardCommand::Solution)->text(), QString("Покажи решение"));

        const auto message = [&] {
            QMessageBox* box = window->findChild<QMessageBox*>();
            const QString text = box ? box->text() : QString();
            delete box;
            return text;
        };
        QTest::keySequence(QApplication::focusWidget(), QKeySequence("Ctrl+E"));
        QCOMPARE(message(), Say(WhyOf(board.game())));
        Tap(board.button(BoardCommand::Why));
        QCOMPARE(message(), Say(WhyOf(board.game())));
        Tap(board.button(BoardCommand::HowToPlay));
        QCOMPARE(message(), Say(HowToPlayText()));
        MenuItem(*window, "По&мощ", "&Относно")->trigger();
        const QString about = message();
        for (const QString& part : {QString("1.00"), QString("GPL-3.0-or-later"),
                                    QString(qVersion()), QString("Велмора от числа")})
            QVERIFY2(about.contains(part), qPrintable(part));

        // Compute that cannot list the numbers says what is missing, as the core words it,
        // once the pupil agrees to lose the numbers on the figure.
        TypeBoardStart(board, "0");
        const QString missing = Say(velmora::Compute(board.game()).status);
        Tap(board.button(BoardCommand::Compute));
        auto* question = board.findChild<QMessageBox*>("LosePlacementQuestion");
        QVERIFY(question);
        QCOMPARE(question->text(), Say(LosePlacementQuestion()));
        Tap(question->button(QMessageBox::Yes));
        QCOMPARE(board.status()->text(), missing);
        QVERIFY(missing != Say(StatusOf(board.game())));
    }

    // Every bar button names its key in its tooltip and is named for screen readers;
    // the mode buttons are the menu's, checked as it is. In practice the teaching buttons
    // are the board's, named the same, their keys in their tooltips.
    void barButtons_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("keys");
        const QStringList texts{"Показване", "Упражнение", "Подсказка", "Покажи решение",
                                "Защо става?"},
            keys{"Ctrl+1", "Ctrl+2", "Ctrl+H", "Ctrl+R", "Ctrl+E"};
        for (int i = 0; i < texts.size(); ++i)
            QTest::newRow(qPrintable(keys[i])) << texts[i] << keys[i];
    }
    void barButtons() {
        QFETCH(QString, text);
        QFETCH(QString, keys);
        auto window = OpenMainWindow(PlayMode::Practice);
        QAbstractButton* button = Button(*window, text);
        if (!button->isVisible())
            for (QPushButton* own : window->board().findChildren<QPushButton*>())
                if (own->text() == text)
                    button = own;
        QVERIFY(button->isVisible() && button->isEnabled());
        QVERIFY2(button->toolTip().startsWith(text) &&
                     button->toolTip().endsWith(QString("(%1)").arg(keys)),
                 qPrintable(button->toolTip()));
        QCOMPARE(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name), text);
    }

    // Each mode starts where its first step is; Enter in the start box computes in
    // practice only.
    void firstFocusAndEnter_data() {
        QTest::addColumn<PlayMode>("mode");
        QTest::addColumn<QString>("focused");
        QTest::addColumn<int>("numbers");
        QTest::newRow("demonstration") << PlayMode::Demonstration << "Text1_0" << 0;
    }
    void firstFocusAndEnter() {
        QFETCH(PlayMode, mode);
        QFETCH(QString, focused);
        QFETCH(int, numbers);
        auto window = OpenMainWindow(mode);
        QCOMPARE(QApplication::focusWidget()->objectName(), focused);
        ChooseFigure(window->form(), 0);
        TypeStart(window->form(), "7");
        QTest::keyClick(StartBox(window->form()), Qt::Key_Return);
        QCOMPARE(List(window->form())->count(), numbers);
    }

    // Practice starts in the board's start box; Enter there computes.
    void boardFirstFocusAndEnter() {
        auto window = OpenMainWindow(PlayMode::Practice);
        PracticeBoard& board = window->board();
        QCOMPARE(QApplication::focusWidget(), board.startBox());
        Tap(board.level(LevelOf(FigureMode::Triangle) - 1));
        TypeBoardStart(board, "7");
        QTest::keyClick(board.startBox(), Qt::Key_Return);
        QVERIFY(board.tile(5) && board.tile(5)->isVisible() && !board.tile(6));
        QCOMPARE(board.tile(5)->text(), QString("12"));
    }

    // From the list, Tab reaches the places in reading order in practice, then the start
    // box (its number kept whole, so Space does not replace it) and compute.
    void tabOrder_data() {
        QTest::addColumn<PlayMode>("mode");
        QTest::addColumn<int>("figure");
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<bool>("selected");
        const QStringList after{"Text2", "Command1_0"};
        QTest::newRow("demonstration") << PlayMode::Demonstration << 0 << after << true;
    }
    void tabOrder() {
        QFETCH(PlayMode, mode);
        QFETCH(int, figure);
        QFETCH(QStringList, order);
        QFETCH(bool, selected);
        auto window = OpenMainWindow(mode);
        StartGame(window->form(), figure, "7");
        List(window->form())->setFocus();
        QStringList reached;
        for (int i = 0; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached << QApplication::focusWidget()->objectName();
            // A place with the focus is framed, as the pupil sees where Space will put a number.
            if (auto* place = qobject_cast<QLabel*>(QApplication::focusWidget()))
                QCOMPARE(place->frameShape(), QFrame::Box);
            if (reached.last() == "Text2")
                QCOMPARE(StartBox(window->form())->hasSelectedText(), selected);
        }
        QCOMPARE(reached, order);
    }

    // The status line keeps two lines at every zoom: a long text gets a smaller font, whole.
    void statusLineKeepsTwoLines_data() {
        QTest::addColumn<int>("zoom");
        QTest::addColumn<int>("repeats");
        for (int zoom : {100, 125})
            for (int repeats : {1, 3})
                QTest::addRow("%d %% × %d", zoom, repeats) << zoom << repeats;
    }
    void statusLineKeepsTwoLines() {
        QFETCH(int, zoom);
        QFETCH(int, repeats);
        auto window = OpenMainWindow(PlayMode::Demonstration);
        QCOMPARE(window->SetZoom(zoom), zoom);
        QLabel& line = window->statusLine();
        const int height = line.height();
        const QFont base = window->form().ScaledFont(zoom / 100.0);
        QCOMPARE(height, 2 * QFontMetrics(base).lineSpacing() + 2);
        const QString said =
            QString("Един дълъг ред за проба, по-дълъг от половин ред. ").repeated(2 * repeats);
        emit window->form().statusChanged(said);
        QCOMPARE(line.height(), height);
        QCOMPARE(line.font().pointSizeF() < base.pointSizeF(), repeats > 1);
        const QRect box = line.contentsRect();
        QVERIFY(QFontMetrics(line.font())
                    .boundingRect(box, Qt::AlignLeft | Qt::TextWordWrap, said)
                    .height() <= box.height());
    }

    // The worksheet dialog writes the sheet in the language chosen in it, the window's to
    // start with; the dialog and the window stay in theirs.
    void worksheetInItsOwnLanguage() {
        auto window = OpenMainWindow(PlayMode::Demonstration);
        QTest::keySequence(window.get(), QKeySequence::Print);
        auto* dialog = window->findChild<WorksheetDialog*>();
        QVERIFY(dialog && dialog->isVisible());
        QComboBox* language = nullptr;
        for (QComboBox* each : dialog->findChildren<QComboBox*>())
            if (each->findText("English") >= 0)
                language = each;
        QVERIFY(language);
        QCOMPARE(dialog->SheetLanguage(), Language::Bulgarian);
        QCOMPARE(language->currentText(), LanguageNameOf(Language::Bulgarian));
        language->setCurrentIndex(language->findText("English"));
        QCOMPARE(dialog->SheetLanguage(), Language::English);
        QTemporaryDir folder;
        const QString pdf = folder.filePath("sheet.pdf");
        QVERIFY(dialog->SavePdf(pdf));
        QCOMPARE(CurrentLanguage(), Language::Bulgarian);
        QProcess text;
        text.start("pdftotext", {"-f", "1", "-l", "1", pdf, "-"});
        QVERIFY(text.waitForFinished());
        const QString page = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        QString title;
        {
            const LanguageScope english(Language::English);
            title = Say(WorksheetTitle());
        }
        QVERIFY(title != Say(WorksheetTitle()));
        QVERIFY2(page.contains(title) && !page.contains(Say(WorksheetTitle())), qPrintable(page));
        QCOMPARE(dialog->windowTitle(), QString("Работен лист"));
    }

    // «Език» offers each language the pupil may choose, by its own name, one checked.
    void languageMenu() {
        auto window = OpenMainWindow(PlayMode::Demonstration);
        const BackToBulgarian after;
        QStringList names, checked;
        for (const QAction* item : LanguageItems(*window)) {
            QVERIFY(item->isCheckable());
            names << item->text();
            if (item->isChecked())
                checked << item->text();
        }
        QStringList shipped;
        for (const Language language : ShippedLanguages())
            shipped << LanguageNameOf(language);
        QCOMPARE(names, shipped);
        QCOMPARE(checked, QStringList{LanguageNameOf(Language::Bulgarian)});
        QVERIFY(!names.contains(LanguageNameOf(Language::Pseudo)));
        LanguageItems(*window).at(2)->trigger();
        QCOMPARE(CurrentLanguage(), ShippedLanguages()[2]);
        checked.clear();
        for (const QAction* item : LanguageItems(*window))
            if (item->isChecked())
                checked << item->text();
        QCOMPARE(checked, QStringList{LanguageNameOf(ShippedLanguages()[2])});
    }

    // A switch reaches every text at once: in the test language each text with words is
    // another (the menus, the bars, the form from its description, the board, the status
    // and what a screen reader hears), but the caption and the languages' own names; back
    // in Bulgarian every text is again what it was.
    void everyTextFollowsTheLanguage_data() {
        QTest::addColumn<PlayMode>("mode");
        QTest::newRow("demonstration") << PlayMode::Demonstration;
        QTest::newRow("practice") << PlayMode::Practice;
    }
    void everyTextFollowsTheLanguage() {
        QFETCH(PlayMode, mode);
        auto window = OpenMainWindow(mode);
        const BackToBulgarian after;
        QTest::qWait(100); // the first frame is on the screen: the levels may show their sums
        if (mode == PlayMode::Practice) {
            StartBoard(window->board(), FigureMode::Triangle, "7");
            Tap(window->board().tile(2));
            Tap(window->board().place(0));
            Tap(window->board().tile(0)); // picked, waiting for its place
        } else {
            StartGame(window->form(), 1, "7");
            ClickListItem(window->form(), 2);
        }
        const QStringList bulgarian = TextsOf(*window);
        QVERIFY(bulgarian.size() > 40);
        window->ChooseLanguage(Language::Pseudo);
        QCoreApplication::processEvents();
        // Longer texts may leave a part out where the board has no room for it (the
        // level's name beside the steps), never one in another language.
        const QStringList pseudo = TextsOf(*window);
        QVERIFY(pseudo.size() >= bulgarian.size() - 1);
        QStringList languageNames;
        for (const Language language : ShippedLanguages())
            languageNames << LanguageNameOf(language);
        for (const QString& each : pseudo) {
            const QString text = each.section(": ", 1);
            QVERIFY2(languageNames.contains(text) || !HasWords(text) ||
                         text.contains(QStringLiteral("ŵ")),
                     qPrintable(each));
        }
        QCOMPARE(window->windowTitle(), QString("http://www.example.com Морастела"));
        window->ChooseLanguage(Language::Bulgarian);
        QCoreApplication::processEvents();
        QCOMPARE(TextsOf(*window), bulgarian);
    }

    // From the menu, English: the form's texts come from its description through the
    // catalog, the board's and the status from the core, Qt's own buttons from Qt's
    // translation; and back.
    void englishFromTheMenu() {
        auto window = OpenMainWindow(PlayMode::Practice);
        const BackToBulgarian after;
        StartBoard(window->board(), FigureMode::Triangle, "7");
        const auto english = [](const char* text) {
            const LanguageScope scope(Language::English);
            return Q(Tr(text));
        };
        const QString yes = QCoreApplication::translate("QPlatformTheme", "&Yes");
        for (QAction* item : LanguageItems(*window))
            if (item->text() == "English")
                item->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(CurrentLanguage(), Language::English);
        QVERIFY(english("Изчисли") != "Изчисли");
        QCOMPARE(Control<QPushButton>(window->form(), "Command1_0")->text(), english("Изчисли"));
        QCOMPARE(Control<QRadioButton>(window->form(), "Option1_1")->accessibleName(),
                 english("Ромб"));
        QCOMPARE(window->board().button(BoardCommand::Hint)->text(),
                 Say(BoardLabel(BoardCommand::Hint, window->board().game())));
        QCOMPARE(window->board().status()->text(), Say(StatusOf(window->board().game())));
        QCOMPARE(AccessibleName(window->board().place(1)),
                 Say(ViewBoard(window->board().game()).places[1].spoken));
        QCOMPARE(QLocale().language(), QLocale::English);
        // Qt's own «Yes» from its translation for each language: neither the source's
        // nor the Bulgarian one in Ukrainian.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString("&Yes"));
        LanguageItems(*window).at(2)->trigger(); // Українська
        QVERIFY(QCoreApplication::translate("QPlatformTheme", "&Yes") != "&Yes" &&
                QCoreApplication::translate("QPlatformTheme", "&Yes") != yes);
        LanguageItems(*window).at(0)->trigger(); // Български
        QCoreApplication::processEvents();
        QCOMPARE(Control<QPushButton>(window->form(), "Command1_0")->text(), QString("Изчисли"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), yes);
    }

    // The language chosen in the menu is kept with the progress and started in next
    // time; the command line's wins. A window that keeps no progress keeps no language.
    void languageKeptBetweenRuns() {
        const BackToBulgarian after;
        QSettings().remove("language");
        {
            auto window = OpenMainWindow(PlayMode::Demonstration);
            LanguageItems(*window).at(1)->trigger();
        }
        QVERIFY(!QSettings().contains("language"));
        UseLanguage(Language::Bulgarian);
        QCOMPARE(StartLanguage(std::nullopt), Language::Bulgarian);
        for (const Language chosen : ShippedLanguages()) {
            {
                auto window = std::make_unique<MainWindow>();
                window->RememberProgress();
                for (QAction* item : LanguageItems(*window))
                    if (item->text() == LanguageNameOf(chosen))
                        item->trigger();
            }
            UseLanguage(Language::Bulgarian); // as a new run starts
            QCOMPARE(StartLanguage(std::nullopt), chosen);
            QCOMPARE(StartLanguage(Language::Pseudo), Language::Pseudo);
        }
        QSettings().remove("language");
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
