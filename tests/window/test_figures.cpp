// SPDX-License-Identifier: GPL-3.0-or-later
// The figures beyond the triangle and the rhombus on the practice board: played with the
// keyboard alone, and the progress on them kept from one run to the next.

#include "board_test_support.h"
#include "window_test_support.h"

#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>

using namespace velmora;
using namespace velmora::testing;

Q_DECLARE_METATYPE(velmora::FigureMode)

namespace {

// Tab (or Shift+Tab) from the focused control until `target` has the focus.
bool TabTo(QWidget* target, bool backwards = false) {
    for (int press = 0; press < 80 && QApplication::focusWidget() != target; ++press)
        QTest::keyClick(QApplication::focusWidget(), backwards ? Qt::Key_Backtab : Qt::Key_Tab);
    return QApplication::focusWidget() == target;
}

// The board filled with `solution` by the pupil's taps: a tile, then its place.
void Place(PracticeBoard& board, const std::vector<int>& solution) {
    for (std::size_t place = 0; place < solution.size(); ++place) {
        Tap(board.tile(solution[place]));
        Tap(board.place(int(place)));
    }
}

} // namespace

class FiguresTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareTestApplication(); }

    void playedByKeyboard_data() {
        QTest::addColumn<FigureMode>("figure");
        for (FigureMode figure :
             {FigureMode::V, FigureMode::BigTriangle, FigureMode::Star, FigureMode::Square})
            QTest::newRow(FigureOf(figure).key.c_str()) << figure;
    }
    // From the demonstration: practice by its key, the figure by its level's number in
    // the chooser, the start number and Enter on the board, then each number's tile and
    // Tab on to its place in a solution, Space on each.
    void playedByKeyboard() {
        QFETCH(FigureMode, figure);
        auto window = OpenMainWindow();
        PracticeBoard& board = window->board();
        QTest::keySequence(window.get(), QKeySequence(Qt::CTRL | Qt::Key_2));
        QTRY_VERIFY(window->figureChooser().itemText(0).startsWith("1. ")); // the levels
        QVERIFY(TabTo(&window->figureChooser(), true));
        QTest::keyClick(&window->figureChooser(), char('0' + LevelOf(figure)));
        QCOMPARE(board.game().puzzle.figureMode, figure);
        TypeBoardStart(board, "7");
        QTest::keyClick(board.startBox(), Qt::Key_Return);
        const std::vector<int> solution = Solutions(board.game().practice).front();
        for (std::size_t place = 0; place < solution.size(); ++place) {
            QVERIFY(TabTo(board.tile(solution[place]), true));
            QTest::keyClick(board.tile(solution[place]), Qt::Key_Space);
            QVERIFY(TabTo(board.place(int(place))));
            QTest::keyClick(board.place(int(place)), Qt::Key_Space);
        }
        const QString sum = QString::number(SumOfSolution(board.game().practice, solution));
        QVERIFY2(board.status()->text().startsWith("Браво!") &&
                     board.status()->text().contains(sum),
                 qPrintable(board.status()->text()));
        QCOMPARE(SumsShown(board), QStringList(int(FigureOf(figure).lines.size()), sum + " ✓"));
        QCOMPARE(FoundSumCount(board.game().progress, figure), 1);
        if (const QByteArray folder = qgetenv("VELMORA_SCREENSHOTS");
            !folder.isEmpty() && figure == FigureMode::Star)
            QVERIFY(window->grab().save(QString::fromLocal8Bit(folder) + "/star.png"));
    }

    // Found sums, the last figure, the mode and the zoom come back in the next run;
    // «Започни отначало», once confirmed, forgets the sums alone.
    void progressKeptBetweenRuns() {
        QSettings().clear();
        const auto run = [] {
            auto window = std::make_unique<MainWindow>();
            window->RememberProgress();
            window->show();
            return window;
        };
        auto first = run();
        QCOMPARE(first->form().game().mode, PlayMode::Demonstration); // a fresh start
        QVERIFY(!QSettings().contains("progress"));
        first->form().ChooseFigure(FigureMode::Star);
        first->form().ChooseFigure(FigureMode::V);
        TypeBoardStart(first->board(), "7");
        Tap(first->board().button(BoardCommand::Compute));
        Place(first->board(), Solutions(first->form().game().practice).front());
        first->form().SetZoom(125);
        const Progress kept = first->form().game().progress;
        QCOMPARE(FoundSumCount(kept, FigureMode::V), 1);
        first.reset();
        QVERIFY(QSettings().value("progress").toString().contains("zoom=125"));

        auto second = run();
        QCOMPARE(second->form().game().progress.found, kept.found);
        QCOMPARE(second->form().game().puzzle.figureMode, FigureMode::V);
        QCOMPARE(second->form().game().mode, PlayMode::Practice);
        QVERIFY(second->board().isVisible() && second->board().place(4)->isVisible());
        QVERIFY(!second->board().place(5));
        QTRY_COMPARE(second->figureChooser().currentText(),
                     QString::fromStdString(LevelTitle(kept, FigureMode::V)));
        MenuItem(*second, "Фи&гура", "Започни &отначало…")->trigger();
        auto* question = second->findChild<QMessageBox*>("StartAgainQuestion");
        QVERIFY(question);
        Click(question->button(QMessageBox::Yes));
        QVERIFY(second->form().game().progress.found.empty());
        second.reset();

        auto third = run();
        QVERIFY(third->form().game().progress.found.empty());
        QCOMPARE(third->form().game().puzzle.figureMode, FigureMode::V);
        Tap(third->board().level(LevelOf(FigureMode::Triangle) - 1));
        QCOMPARE(third->form().game().puzzle.figureMode, FigureMode::Triangle);
        QVERIFY(third->board().place(5) && third->board().place(5)->isVisible());
        QCOMPARE(third->figureChooser().currentIndex(), LevelOf(FigureMode::Triangle) - 1);
    }
};

QTEST_MAIN(FiguresTest)
#include "test_figures.moc"
