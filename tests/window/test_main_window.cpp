// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_test_support.h"

#include "window/main_window.h"
#include "window/worksheet_dialog.h"
#include "window/zoom.h"

#include <QActionGroup>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>

using namespace velmora;
using namespace velmora::testing;

Q_DECLARE_METATYPE(velmora::FigureMode)

namespace {

using Moves = QList<QPair<int, int>>; // (list row, position)

QLabel* Position(const QWidget& w, FigureMode figure, int position) {
    return figure == FigureMode::Triangle ? TriangleLabel(w, position) : RhombusLabel(w, position);
}

QStringList LineSums(const QWidget& w, FigureMode figure) {
    QStringList sums;
    const bool triangle = figure == FigureMode::Triangle;
    for (int line = 0; line < (triangle ? 3 : 4); ++line) {
        auto* label = Control<QLabel>(w, QString("LineSum%1_%2").arg(triangle ? 3 : 2).arg(line));
        sums << (label->isVisible() ? label->text() : QString());
    }
    return sums;
}

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

// Practice games, each played by clicks and by keys alone, and ending as the row says:
// what the figure, the sums beside it, the list and the status line show.
struct GameRow {
    const char* name;
    FigureMode figure;
    Moves moves;
    QStringList captions, sums;
    QString status;
};

void GameRows() {
    QTest::addColumn<bool>("byKeys");
    QTest::addColumn<FigureMode>("figure");
    QTest::addColumn<Moves>("moves");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("sums");
    QTest::addColumn<QString>("status");
    const FigureMode t = FigureMode::Triangle, r = FigureMode::Rhombus;
    const QString incomplete("Подреди числата: избери число от списъка и място на фигурата.");
    const GameRow rows[] = {
        {"triangle unequal",
         t,
         {{0, 0}, {2, 1}, {1, 2}, {3, 3}, {4, 4}, {5, 5}},
         {"7", "9", "8", "10", "11", "12"},
         {"26 (−1)", "= 27", "28 (+1)"},
         "Страните имат суми 26, 27 и 28: основата е с 1 по-малко, лявата страна е с 1 "
         "повече."},
        {"triangle solved",
         t,
         {{5, 5}, {1, 1}, {0, 0}, {4, 4}, {2, 2}, {3, 3}},
         {"7", "8", "9", "10", "11", "12"},
         {"= 27", "= 27", "= 27"},
         "Браво! Всяка страна има сума 27. Намерени суми: 27 (1 от 4)."},
        {"triangle half way",
         t,
         {{3, 0}, {4, 4}, {5, 2}},
         {"10", "", "12", "", "11", ""},
         {"33", "", ""},
         incomplete},
        {"rhombus half vertex",
         r,
         {{0, 0}, {7, 0}, {1, 1}},
         {"7 + 14 = 21", "8 + …", "", ""},
         {"21", "", "", ""},
         incomplete},
        {"rhombus solved",
         r,
         {{0, 0}, {7, 0}, {6, 1}, {1, 1}, {2, 2}, {5, 2}, {4, 3}, {3, 3}},
         {"7 + 14 = 21", "13 + 8 = 21", "9 + 12 = 21", "11 + 10 = 21"},
         {"= 21", "= 21", "= 21", "= 21"},
         "Браво! Всеки връх има сума 21. Намери всички суми: 21 (1 от 1)!"}};
    for (const GameRow& row : rows)
        for (bool keys : {false, true})
            QTest::addRow("%s by %s", row.name, keys ? "keys" : "clicks")
                << keys << row.figure << row.moves << row.captions << row.sums << row.status;
}

void PlayByClicks(const Velmora& form, FigureMode figure, const Moves& moves) {
    StartGame(form, int(figure), "7");
    QCOMPARE(Captions(form, int(figure)), QStringList(figure == FigureMode::Triangle ? 6 : 4, ""));
    for (const auto& [row, position] : moves) {
        ClickListItem(form, row);
        Click(Position(form, figure, position));
    }
}

void PlayByKeys(const Velmora& form, FigureMode figure, const Moves& moves) {
    TabTo(Control(form, "Option1_0"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); // the triangle
    if (figure == FigureMode::Rhombus)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down); // on to the rhombus
    QCOMPARE(form.puzzle().figureMode, figure);
    TabTo(StartBox(form));
    QTest::keyClicks(StartBox(form), "7");
    TabTo(Control(form, "Command1_0"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    for (const auto& [row, position] : moves) {
        TabTo(List(form));
        QTest::keyClick(List(form), Qt::Key_Home);
        QTest::keyClick(List(form), Qt::Key_Space); // the first item may be current only
        for (int down = 0; down < row; ++down)
            QTest::keyClick(List(form), Qt::Key_Down);
        TabTo(Position(form, figure, position));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    }
}

void CheckGameEnd(const MainWindow& window, FigureMode figure, const Moves& moves,
                  const QStringList& captions, const QStringList& sums, const QString& status) {
    QCOMPARE(Captions(window.form(), figure == FigureMode::Triangle ? 0 : 1), captions);
    QCOMPARE(LineSums(window.form(), figure), sums);
    QStringList placed;
    for (const auto& [row, position] : moves)
        placed << List(window.form())->item(row)->text();
    QStringList struck = StruckItems(window.form());
    std::sort(placed.begin(), placed.end());
    std::sort(struck.begin(), struck.end());
    QCOMPARE(struck, placed);
    QCOMPARE(StatusLine(window), status);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareTestApplication(); }

    // Number first, then its place: by mouse clicks, or with the keyboard alone (the
    // list's arrows pick, Tab reaches the places, Space places).
    void practiceGames_data() { GameRows(); }
    void practiceGames() {
        QFETCH(bool, byKeys);
        QFETCH(FigureMode, figure);
        QFETCH(Moves, moves);
        QFETCH(QStringList, captions);
        QFETCH(QStringList, sums);
        QFETCH(QString, status);
        auto window = OpenMainWindow(PlayMode::Practice);
        const Velmora& form = window->form();
        if (byKeys)
            PlayByKeys(form, figure, moves);
        else
            PlayByClicks(form, figure, moves);
        CheckGameEnd(*window, figure, moves, captions, sums, status);
        if (QTest::currentDataTag() == QByteArray("triangle unequal by clicks"))
            SaveScreenshot(*window, "practice.png");
    }

    // The place first, then the number; a click on a filled place takes it back.
    void placeFirstAndTakeBack() {
        auto window = OpenMainWindow(PlayMode::Practice);
        StartGame(window->form(), 0, "7");
        Click(TriangleLabel(window->form(), 1));
        QVERIFY(TriangleLabel(window->form(), 1)->accessibleName().endsWith("избрано за число"));
        ClickListItem(window->form(), 3);
        QCOMPARE(TriangleLabel(window->form(), 1)->text(), QString("10"));
        QCOMPARE(StruckItems(window->form()), QStringList{"10"});
        QCOMPARE(List(window->form())->item(3)->data(Qt::AccessibleTextRole).toString(),
                 QString("10, поставено"));
        Click(TriangleLabel(window->form(), 1));
        QCOMPARE(TriangleLabel(window->form(), 1)->text(), QString());
        QVERIFY(StruckItems(window->form()).isEmpty());
    }

    // The sums stand beside their side or vertex, clear of every control and of the
    // outline, at every zoom step; the triangle's outside the triangle.
    void sumsStandClear_data() {
        QTest::addColumn<FigureMode>("figure");
        QTest::addColumn<int>("zoom");
        for (int zoom : kZoomSteps) {
            QTest::addRow("triangle %d", zoom) << FigureMode::Triangle << zoom;
            QTest::addRow("rhombus %d", zoom) << FigureMode::Rhombus << zoom;
        }
    }
    void sumsStandClear() {
        QFETCH(FigureMode, figure);
        QFETCH(int, zoom);
        auto window = OpenMainWindow(PlayMode::Practice);
        Velmora& form = window->form();
        form.SetZoom(zoom); // the form's own steps: the screen here is small
        TypeStart(form, "999");
        // On the option's round indicator: zoomed, the middle of the box is past the text.
        QWidget* option = Control(form, QString("Option1_%1").arg(int(figure)));
        QTest::mouseClick(option, Qt::LeftButton, {},
                          QPoint(option->height() / 2, option->height() / 2));
        Compute(form);
        MenuItem(*window, "&Режим", "Покажи &решение")->trigger();
        const double perTwip = zoom / 100.0 / kTwipsPerPixel;
        QList<QLineF> outline;
        for (const Segment& s : form.outline())
            outline << QLineF(s.x1 * perTwip, s.y1 * perTwip, s.x2 * perTwip, s.y2 * perTwip);
        const bool triangle = figure == FigureMode::Triangle;
        for (int line = 0; line < (triangle ? 3 : 4); ++line) {
            auto* sum =
                Control<QLabel>(form, QString("LineSum%1_%2").arg(triangle ? 3 : 2).arg(line));
            QVERIFY(sum->isVisible());
            const QRect box = sum->geometry();
            for (QWidget* other : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (other != sum && other->isVisible() && !other->objectName().isEmpty())
                    QVERIFY2(!box.intersects(other->geometry()), qPrintable(other->objectName()));
            for (const QLineF& segment : outline)
                for (double t = 0; t <= 1.0; t += 0.005)
                    QVERIFY2(!box.adjusted(-1, -1, 1, 1).contains(segment.pointAt(t).toPoint()),
                             qPrintable(sum->objectName()));
            QVERIFY(sum->fontInfo().pointSizeF() > 0);
            QVERIFY(sum->contentsRect().contains(
                QFontMetrics(sum->font())
                    .boundingRect(sum->contentsRect(), Qt::AlignCenter, sum->text())));
            if (triangle) { // the other corner lies on the far side of the side's line
                const QLineF side = outline[std::array{0, 2, 1}[std::size_t(line)]];
                const QPointF corner = std::array{QPointF(outline[1].p2()), outline[0].p1(),
                                                  outline[0].p2()}[std::size_t(line)];
                const auto sideOf = [&](QPointF p) {
                    const QPointF d = side.p2() - side.p1(), q = p - side.p1();
                    return d.x() * q.y() - d.y() * q.x();
                };
                QVERIFY(sideOf(QPointF(box.center())) * sideOf(corner) < 0);
                QVERIFY(QLineF(QPointF(box.center()), side.center()).length() < 45 * zoom / 100.0);
            }
        }
    }

    // Each menu item, its accelerator and its conventional shortcut.
    void menus_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("quit") << "&Файл"
                              << "&Изход" << QKeySequence(QKeySequence::Quit);
        QTest::newRow("show") << "&Режим"
                              << "&Показване" << QKeySequence();
        QTest::newRow("practice") << "&Режим"
                                  << "&Упражнение" << QKeySequence();
        QTest::newRow("hint") << "&Режим"
                              << "По&дсказка" << QKeySequence("Ctrl+H");
        QTest::newRow("solution") << "&Режим"
                                  << "Покажи &решение" << QKeySequence();
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
                             << "&Защо става?" << QKeySequence();
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
        StartGame(form, 0, "7");
        ClickListItem(form, 2);
        Click(TriangleLabel(form, 0));
        QCOMPARE(TriangleLabel(form, 0)->text(), QString("9"));
        MenuItem(*window, "&Режим", "&Показване")->trigger();
        QVERIFY(!MenuItem(*window, "&Режим", "По&дсказка")->isEnabled());
        QCOMPARE(Captions(form, 0), QStringList(6, ""));
        QCOMPARE(StartBox(form)->text(), QString("7"));
        QCOMPARE(LineSums(form, FigureMode::Triangle), QStringList(3, ""));
        Compute(form);
        ClickListItem(form, 2);
        QCOMPARE(TriangleLabel(form, 2)->text(), QString("9"));
        QVERIFY(StruckItems(form).isEmpty());
        QCOMPARE(StatusLine(*window),
                 QString("Числата са 7, 8, 9, 10, 11 и 12: щракни място на фигурата или число "
                         "от списъка."));
        MenuItem(*window, "&Режим", "&Упражнение")->trigger();
        QCOMPARE(Captions(form, 0), QStringList(6, ""));
    }

    // Ctrl+P: the worksheet dialog, started from the figure and number on show, with a
    // live preview, writes the PDF it shows.
    void worksheetDialogToPdf() {
        auto window = OpenMainWindow(PlayMode::Demonstration);
        StartGame(window->form(), 1, "12");
        QTest::keySequence(window.get(), QKeySequence::Print);
        auto* dialog = window->findChild<WorksheetDialog*>();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->Request().starts, std::vector<int>{12});
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

    // Hints from the menu's shortcut, the solution, and the two help texts.
    void hintsSolutionAndHelp() {
        auto window = OpenMainWindow(PlayMode::Practice);
        const Velmora& form = window->form();
        StartGame(form, 0, "7");
        QTest::keySequence(window.get(), QKeySequence("Ctrl+H"));
        QVERIFY(StatusLine(*window).contains("ъгъл"));
        QTest::keySequence(window.get(), QKeySequence("Ctrl+H"));
        QCOMPARE(StatusLine(*window), QString("Подсказка: сложи 7, 8 и 9 в ъглите; тогава всяка "
                                              "страна може да има сума 27."));
        QTest::keySequence(window.get(), QKeySequence("Ctrl+H"));
        QCOMPARE(TriangleLabel(form, 0)->text(), QString("7"));
        MenuItem(*window, "&Режим", "Покажи &решение")->trigger();
        QCOMPARE(Captions(form, 0), QStringList({"7", "8", "9", "10", "11", "12"}));
        QCOMPARE(StatusLine(*window), QString("Браво! Всяка страна има сума 27."));

        const auto message = [&](const QString& item) {
            MenuItem(*window, "По&мощ", item)->trigger();
            QMessageBox* box = window->findChild<QMessageBox*>();
            const QString text = box ? box->text() : QString();
            delete box;
            return text;
        };
        QCOMPARE(message("&Защо става?"), QString("Всички числа дават 57; ъглите се броят два "
                                                  "пъти, затова 3 × 27 = 57 + 7 + 8 + 9."));
        const QString about = message("&Относно");
        for (const QString& part : {QString("1.00"), QString("GPL-3.0-or-later"),
                                    QString(qVersion()), QString("Велмора от числа")})
            QVERIFY2(about.contains(part), qPrintable(part));
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
