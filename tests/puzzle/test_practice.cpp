// SPDX-License-Identifier: GPL-3.0-or-later
#include "game_invariants.h"
#include "puzzle/coach.h"
#include "puzzle/practice.h"
#include "puzzle_test_support.h"

#include <QTest>

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>
#include <sstream>

using namespace velmora;
using namespace velmora::testing;

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(velmora::FigureMode)

namespace {

std::vector<std::string> Series(FigureMode figure, long long start) {
    std::vector<std::string> series;
    for (std::size_t i = 0; i < SeriesLength(figure); ++i)
        series.push_back(std::to_string(start + (long long)i));
    return series;
}

// A practice with number cells[s] on slot s (-1 empty), put there by Place as a pupil
// would: slot order, so a rhombus vertex fills first then second.
Practice WithSlots(FigureMode figure, long long start, const std::vector<int>& cells) {
    Practice p = NewPractice(figure, Series(figure, start));
    for (std::size_t s = 0; s < cells.size(); ++s)
        if (cells[s] >= 0)
            p = Place(std::move(p), cells[s], PositionOfSlot(figure, int(s)));
    return p;
}

// Every solution, by trying every permutation: the reference for the search.
std::vector<std::vector<int>> BruteForceSolutions(FigureMode figure, long long start) {
    std::vector<int> cells(SeriesLength(figure));
    std::iota(cells.begin(), cells.end(), 0);
    std::vector<std::vector<int>> solutions;
    Practice p = NewPractice(figure, Series(figure, start));
    do {
        p.placed = cells;
        if (BruteForceEqual(p).value())
            solutions.push_back(cells);
    } while (std::next_permutation(cells.begin(), cells.end()));
    return solutions;
}

bool Extends(const std::vector<int>& solution, const std::vector<int>& partial) {
    for (std::size_t s = 0; s < partial.size(); ++s)
        if (partial[s] >= 0 && partial[s] != solution[s])
            return false;
    return true;
}

// How many placed numbers the solution closest to `partial` keeps where they are.
int MostKept(const std::vector<std::vector<int>>& solutions, const std::vector<int>& partial) {
    int most = 0;
    for (const auto& solution : solutions) {
        int kept = 0;
        for (std::size_t s = 0; s < partial.size(); ++s)
            kept += partial[s] >= 0 && partial[s] == solution[s];
        most = std::max(most, kept);
    }
    return most;
}

// Steps of a pupil, blank-separated: "n3" picks number 3, "p1" points at position 1.
Practice Play(Practice p, const std::string& steps) {
    std::istringstream words(steps);
    for (std::string step; words >> step;) {
        const int argument = std::stoi(step.substr(1));
        p = step[0] == 'n' ? PickNumber(std::move(p), argument)
                           : PickPosition(std::move(p), argument);
    }
    return p;
}

std::string CaptionLine(const Practice& p) {
    std::string text;
    for (int position = 0; position < PositionCount(p.figure); ++position)
        text += (position ? "|" : "") + PositionCaption(p, position);
    return text;
}

} // namespace

class PracticeTest : public QObject {
    Q_OBJECT

  private slots:
    // Every full placement on both figures gets the verdict its own sums say.
    void everyPlacementJudged_data() {
        QTest::addColumn<FigureMode>("figure");
        QTest::addColumn<int>("start");
        for (int start : {1, 7, 999, 32767})
            QTest::addRow("triangle %d", start) << FigureMode::Triangle << start;
        for (int start : {1, 7, 32767})
            QTest::addRow("rhombus %d", start) << FigureMode::Rhombus << start;
    }
    void everyPlacementJudged() {
        QFETCH(FigureMode, figure);
        QFETCH(int, start);
        std::vector<int> cells(SeriesLength(figure));
        std::iota(cells.begin(), cells.end(), 0);
        int solved = 0;
        do {
            const Practice p = WithSlots(figure, start, cells);
            QCOMPARE(p.placed, cells);
            std::vector<long long> sums;
            const bool equal = BruteForceEqual(p, &sums).value();
            const Verdict verdict = Judge(p);
            QCOMPARE(verdict.kind, equal ? VerdictKind::Solved : VerdictKind::Unequal);
            for (std::size_t line = 0; line < sums.size(); ++line) {
                QCOMPARE(*verdict.lineSums[line], sums[line]);
                if (!equal) // each line is told how far it is from the reference
                    QCOMPARE(verdict.differences[line], sums[line] - verdict.sum);
            }
            if (equal)
                QCOMPARE(verdict.sum, sums[0]);
            solved += equal;
        } while (std::next_permutation(cells.begin(), cells.end()));
        QCOMPARE(solved, figure == FigureMode::Triangle ? 24 : 384);
    }

    void possibleSumsForEveryStart() {
        for (long long n = 1; n <= 32767; ++n) {
            const Practice t = NewPractice(FigureMode::Triangle, Series(FigureMode::Triangle, n));
            const std::vector<std::int64_t> expected{3 * n + 6, 3 * n + 7, 3 * n + 8, 3 * n + 9};
            if (PossibleSums(t.figure, t.numbers) != expected)
                QFAIL(qPrintable(QString("triangle N = %1").arg(n)));
            if (n % 97 == 1) { // the rhombus search is costlier: every 97th start
                const Practice r = NewPractice(FigureMode::Rhombus, Series(FigureMode::Rhombus, n));
                QCOMPARE(PossibleSums(r.figure, r.numbers), std::vector<std::int64_t>{2 * n + 7});
            }
        }
    }

    // Every partial triangle placement of N = 7, and random rhombus ones: "can still be
    // completed" agrees with brute force, and hint step 3, asked again and again, ends
    // in a solution that keeps what was placed, or names a placed number as the block.
    void completionAndHints_data() {
        QTest::addColumn<FigureMode>("figure");
        QTest::newRow("triangle") << FigureMode::Triangle;
        QTest::newRow("rhombus") << FigureMode::Rhombus;
    }
    void completionAndHints() {
        QFETCH(FigureMode, figure);
        const auto solutions = BruteForceSolutions(figure, 7);
        std::vector<std::vector<int>> partials;
        const int slotCount = int(SeriesLength(figure));
        if (figure == FigureMode::Triangle) {
            // Each slot empty or one of the numbers, no number twice: 13 327 placements.
            std::vector<int> partial(6, -1);
            std::function<void(int)> enumerate = [&](int slot) {
                if (slot == 6) {
                    partials.push_back(partial);
                    return;
                }
                for (int index = -1; index < 6; ++index) {
                    if (index >= 0 && std::count(partial.begin(), partial.end(), index))
                        continue;
                    partial[std::size_t(slot)] = index;
                    enumerate(slot + 1);
                    partial[std::size_t(slot)] = -1;
                }
            };
            enumerate(0);
            QCOMPARE(partials.size(), std::size_t(13327));
        } else {
            std::mt19937 random(8);
            for (int i = 0; i < 4000; ++i) {
                std::vector<int> order(8);
                std::iota(order.begin(), order.end(), 0);
                std::shuffle(order.begin(), order.end(), random);
                const int kept = int(random() % 9);
                std::vector<int> partial(8, -1);
                for (int s = 0; s < kept; ++s)
                    partial[std::size_t(s)] = order[std::size_t(s)];
                std::shuffle(partial.begin(), partial.end(), random);
                for (int v = 0; v < 4; ++v) // a vertex fills first, then second
                    if (partial[2 * v] < 0)
                        std::swap(partial[2 * v], partial[2 * v + 1]);
                partials.push_back(partial);
            }
        }
        for (const std::vector<int>& partial : partials) {
            const Practice p = WithSlots(figure, 7, partial);
            const bool reachable = std::any_of(solutions.begin(), solutions.end(),
                                               [&](const auto& s) { return Extends(s, partial); });
            QCOMPARE(CanComplete(p), reachable);
            if (Judge(p).kind == VerdictKind::Solved)
                continue;
            Practice hinted = p;
            hinted.hintStep = 2;
            for (int asked = 0; asked < slotCount; ++asked) {
                Coaching hint = Hint(hinted);
                if (!reachable) {
                    QCOMPARE(hint.practice.placed, p.placed); // nothing moves
                    const auto named = hint.text.find("числото ");
                    QVERIFY2(named != std::string::npos, hint.text.c_str());
                    const int number = std::stoi(hint.text.substr(named + 15)) - 7;
                    QVERIFY(SlotOfNumber(p, number) != kEmpty);
                    // Taking it back loses nothing of the closest solution.
                    std::vector<int> without = partial;
                    without[std::size_t(SlotOfNumber(p, number))] = -1;
                    QCOMPARE(MostKept(solutions, without), MostKept(solutions, partial));
                    break;
                }
                hinted = hint.practice;
                if (Judge(hinted).kind == VerdictKind::Solved)
                    break;
            }
            if (reachable) {
                QCOMPARE(Judge(hinted).kind, VerdictKind::Solved);
                QVERIFY(Extends(hinted.placed, partial));
            }
        }
    }

    // Placing, moving and taking back, as pupil steps, and what the figure then shows.
    void placing_data() {
        QTest::addColumn<FigureMode>("figure");
        QTest::addColumn<std::string>("steps");
        QTest::addColumn<std::string>("captions");
        const FigureMode t = FigureMode::Triangle, r = FigureMode::Rhombus;
        QTest::newRow("number then position")
            << t << std::string("n4 p1") << std::string("|11||||");
        QTest::newRow("position then number")
            << t << std::string("p1 n4") << std::string("|11||||");
        QTest::newRow("a used number moves")
            << t << std::string("n4 p1 n4 p5") << std::string("|||||11");
        QTest::newRow("a filled position makes way")
            << t << std::string("n4 p1 n0 p1") << std::string("|7||||");
        QTest::newRow("click on filled takes back")
            << t << std::string("n4 p1 p1") << std::string("|||||");
        QTest::newRow("second position click unpicks")
            << t << std::string("p1 p1 n4") << std::string("|||||");
        QTest::newRow("last pick wins") << t << std::string("n4 n2 p0") << std::string("9|||||");
        QTest::newRow("out of range ignored")
            << t << std::string("n9 p9 n-1 p-1 n2 p0") << std::string("9|||||");
        QTest::newRow("vertex half") << r << std::string("n0 p0") << std::string("7 + …|||");
        QTest::newRow("vertex pair")
            << r << std::string("n0 p0 n7 p0") << std::string("7 + 14 = 21|||");
        QTest::newRow("full vertex replaces second")
            << r << std::string("n0 p0 n7 p0 n5 p0") << std::string("7 + 12 = 19|||");
        QTest::newRow("take back the second")
            << r << std::string("n0 p0 n7 p0 p0") << std::string("7 + …|||");
        QTest::newRow("moving the first keeps the second first")
            << r << std::string("n0 p0 n7 p0 n0 p1") << std::string("14 + …|7 + …||");
    }
    void placing() {
        QFETCH(FigureMode, figure);
        QFETCH(std::string, steps);
        QFETCH(std::string, captions);
        const Practice p = Play(NewPractice(figure, Series(figure, 7)), steps);
        QCOMPARE(CaptionLine(p), captions);
        QCOMPARE(BrokenPracticeInvariant({PlayMode::Practice, Computed(int16_t(figure), "7"), p}),
                 std::string());
    }

    // The texts a pupil reads, for placements given as the number index per slot.
    void texts_data() {
        QTest::addColumn<FigureMode>("figure");
        QTest::addColumn<std::vector<int>>("cells");
        QTest::addColumn<std::string>("status");
        QTest::addColumn<std::string>("lineTexts");
        const FigureMode t = FigureMode::Triangle, r = FigureMode::Rhombus;
        QTest::newRow("solved 27") << t << std::vector<int>{0, 1, 2, 3, 4, 5}
                                   << std::string("Браво! Всяка страна има сума 27. "
                                                  "Намерени суми: 27 (1 от 4).")
                                   << std::string("= 27|= 27|= 27");
        QTest::newRow("three different")
            << t << std::vector<int>{0, 2, 1, 3, 4, 5}
            << std::string("Страните имат суми 26, 27 и 28: основата е с 1 по-малко, "
                           "лявата страна е с 1 повече.")
            << std::string("26 (−1)|= 27|28 (+1)");
        QTest::newRow("incomplete") << t << std::vector<int>{0, 4, 2, -1, -1, -1}
                                    << std::string("Подреди числата: избери число от списъка и "
                                                   "място на фигурата.")
                                    << std::string("||");
        QTest::newRow("rhombus off")
            << r << std::vector<int>{0, 7, 1, 5, 2, 6, 3, 4}
            << std::string("Върховете имат суми 21, 20, 22 и 21: левият връх е с 1 по-малко, "
                           "долният връх е с 1 повече.")
            << std::string("= 21|20 (−1)|22 (+1)|= 21");
    }
    void texts() {
        QFETCH(FigureMode, figure);
        QFETCH(std::vector<int>, cells);
        QFETCH(std::string, status);
        QFETCH(std::string, lineTexts);
        const Practice p = WithSlots(figure, 7, cells);
        QCOMPARE(StatusText(p), status);
        std::string lines;
        for (int line = 0; line < int(Lines(figure).size()); ++line)
            lines += (line ? "|" : "") + LineSumText(p, line);
        QCOMPARE(lines, lineTexts);
    }

    void foundSumsAndWhy() {
        Practice p = WithSlots(FigureMode::Triangle, 7, {0, 1, 2, 3, 4, 5});
        QCOMPARE(p.foundSums, std::vector<std::int64_t>{27});
        for (int position = 0; position < 6; ++position)
            p = TakeBack(std::move(p), position);
        // The three largest in the corners: every side 30.
        const std::vector<int> largestCorners{3, 4, 5, 0, 1, 2};
        for (int slot = 0; slot < 6; ++slot)
            p = Place(std::move(p), largestCorners[std::size_t(slot)], slot);
        QCOMPARE(p.foundSums, (std::vector<std::int64_t>{27, 30}));
        QCOMPARE(FoundSumsText(p), std::string("Намерени суми: 27 и 30 (2 от 4)."));
        QCOMPARE(WhyText(p), std::string("Всички числа дават 57; ъглите се броят два пъти, "
                                         "затова 3 × 30 = 57 + 10 + 11 + 12."));
        p.foundSums = {27, 28, 29};
        p = Place(TakeBack(std::move(p), 3), 0, 3); // solved again with 30
        QCOMPARE(p.foundSums, (std::vector<std::int64_t>{27, 28, 29, 30}));
        QCOMPARE(FoundSumsText(p), std::string("Намери всички суми: 27, 28, 29 и 30 (4 от 4)!"));

        const Practice rhombus =
            ShowSolution(NewPractice(FigureMode::Rhombus, Series(FigureMode::Rhombus, 7)));
        QVERIFY(rhombus.foundSums.empty()); // shown, not found
        QCOMPARE(Judge(rhombus).kind, VerdictKind::Solved);
        QCOMPARE(CaptionLine(rhombus),
                 std::string("7 + 14 = 21|8 + 13 = 21|9 + 12 = 21|10 + 11 = 21"));
        const std::string why = WhyText(rhombus);
        QVERIFY2(why.rfind("Събираме числата по двойки отвън навътре: 7 + 14, 8 + 13, 9 + 12 и "
                           "10 + 11.",
                           0) == 0,
                 why.c_str());
    }

    // The sums found stay while the series does: computing the same start again keeps
    // them, another start or figure starts afresh.
    void foundSumsFollowTheSeries() {
        Game game = TypeStartText(ChooseFigure(StartGame(PlayMode::Practice), kTriangle), "7");
        game = Compute(game).game;
        game = RevealSolution(game); // shown, not found
        QCOMPARE(game.practice.foundSums, std::vector<std::int64_t>{});
        for (int position = 0; position < 6; ++position) // each click gives a number back
            game = ClickTriangle(game, position);
        for (int k = 0; k < 6; ++k) // the pupil's own 27
            game = ClickTriangle(ClickListItem(game, k), k);
        QCOMPARE(game.practice.foundSums, std::vector<std::int64_t>{27});
        game = Compute(game).game;
        QCOMPARE(game.practice.foundSums, std::vector<std::int64_t>{27});
        QCOMPARE(CaptionsOf(game).triangle, (std::array<std::string, 6>{}));
        QVERIFY(Compute(TypeStartText(game, "8")).game.practice.foundSums.empty());
        QVERIFY(ChooseFigure(game, kTriangle).practice.foundSums.empty());
    }

    // Hints climb one step per call for the same placement and start again after the
    // pupil's own move.
    void hintSteps() {
        Practice p = NewPractice(FigureMode::Triangle, Series(FigureMode::Triangle, 7));
        Coaching first = Hint(p);
        QVERIFY(first.text.find("ъгъл") != std::string::npos);
        QCOMPARE(first.practice.placed, p.placed);
        Coaching second = Hint(first.practice);
        QCOMPARE(second.text, std::string("Подсказка: сложи 7, 8 и 9 в ъглите; тогава всяка "
                                          "страна може да има сума 27."));
        Coaching third = Hint(second.practice);
        QCOMPARE(third.text, std::string("Подсказка: числото 7 отива в долния ляв ъгъл."));
        QCOMPARE(PositionCaption(third.practice, 0), std::string("7"));
        const Practice moved = Place(third.practice, 5, 5);
        QCOMPARE(Hint(moved).practice.hintStep, 1);

        // With 27 found, step 2 steers to a sum not found yet.
        Practice found = WithSlots(FigureMode::Triangle, 7, {0, 1, 2, 3, 4, 5});
        for (int slot = 0; slot < 6; ++slot)
            found = TakeBack(std::move(found), slot);
        found.hintStep = 1;
        QVERIFY(Hint(found).text.find("сума 27") == std::string::npos);

        const Practice rhombus = NewPractice(FigureMode::Rhombus, Series(FigureMode::Rhombus, 7));
        Practice asked = rhombus;
        asked.hintStep = 1;
        QCOMPARE(Hint(asked).text, std::string("Подсказка: двойките са 7 и 14, 8 и 13, 9 и 12 "
                                               "и 10 и 11; всяка има сума 21."));
    }
};

QTEST_APPLESS_MAIN(PracticeTest)
#include "test_practice.moc"
