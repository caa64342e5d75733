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

// Where a placement puts number `index`: the triangle's slot, the rhombus's vertex.
int WhereIs(FigureMode figure, const std::vector<int>& cells, int index) {
    const auto at = std::find(cells.begin(), cells.end(), index);
    if (at == cells.end())
        return -1;
    const int slot = int(at - cells.begin());
    return figure == FigureMode::Rhombus ? slot / 2 : slot;
}

// How many placed numbers stand elsewhere in `solution`.
int Moves(FigureMode figure, const std::vector<int>& partial, const std::vector<int>& solution) {
    int moves = 0;
    for (std::size_t s = 0; s < partial.size(); ++s)
        moves += partial[s] >= 0 &&
                 WhereIs(figure, solution, partial[s]) != WhereIs(figure, partial, partial[s]);
    return moves;
}

long long SumOf(const Practice& p, const std::vector<int>& solution) {
    Practice full = p;
    full.placed = solution;
    std::vector<long long> sums;
    BruteForceEqual(full, &sums);
    return sums.front();
}

// The numbers `solution` puts in the triangle's corners, as a sorted list of values.
std::vector<long long> Corners(const Practice& p, const std::vector<int>& solution) {
    std::vector<long long> corners;
    for (int slot : {0, 1, 2})
        corners.push_back(p.numbers[std::size_t(solution[std::size_t(slot)])]);
    std::sort(corners.begin(), corners.end());
    return corners;
}

// What is false in a hint's claim about placement `p`, checked against every solution
// found by brute force; "" when all of it is true.
// A goal kept from earlier hints need not be the nearest any more, only no further.
std::string FalseClaim(const Practice& p, const HintClaim& claim,
                       const std::vector<std::vector<int>>& solutions, int keptGoalMoves = -1) {
    const FigureMode figure = p.figure;
    const auto has = [&](const std::vector<int>& s, int index, int position) {
        return WhereIs(figure, s, index) == position;
    };
    const auto anySolution = [&](const std::function<bool(const std::vector<int>&)>& test) {
        return std::any_of(solutions.begin(), solutions.end(), test);
    };
    const auto numberAt = [&](int index, int position) {
        return index >= 0 && WhereIs(figure, p.placed, index) == position;
    };
    if (std::find(solutions.begin(), solutions.end(), claim.goal) == solutions.end())
        return "the goal is no solution";
    if (SumOf(p, claim.goal) != claim.sum)
        return "the sum is not the goal's";
    int fewest = 99;
    for (const auto& s : solutions)
        fewest = std::min(fewest, Moves(figure, p.placed, s));
    const int moves = Moves(figure, p.placed, claim.goal);
    if (keptGoalMoves < 0 ? moves != fewest : moves > keptGoalMoves)
        return "the goal is neither the nearest solution nor the one followed";
    if (!claim.numbers.empty()) { // the corners every solution with the sum has
        std::vector<long long> named;
        for (int index : claim.numbers)
            named.push_back(p.numbers[std::size_t(index)]);
        if (anySolution(
                [&](const auto& s) { return SumOf(p, s) == claim.sum && Corners(p, s) != named; }))
            return "another solution with the sum has other corners";
    }
    switch (claim.kind) {
    case HintKind::Place:
        if (fewest != 0 || WhereIs(figure, p.placed, claim.number) >= 0 ||
            !has(claim.goal, claim.number, claim.position))
            return "the number placed does not lead to the goal";
        return "";
    case HintKind::Blocking:
        if (!numberAt(claim.number, claim.position) ||
            anySolution([&](const auto& s) { return has(s, claim.number, claim.position); }))
            return "a solution keeps the blocking number";
        return "";
    case HintKind::OffTarget:
        if (!numberAt(claim.number, claim.position) || anySolution([&](const auto& s) {
                return SumOf(p, s) == claim.sum && has(s, claim.number, claim.position);
            }))
            return "a solution with the sum keeps the number";
        return "";
    case HintKind::WrongPair:
        if (!numberAt(claim.number, claim.position) || !numberAt(claim.partner, claim.position) ||
            p.numbers[std::size_t(claim.number)] + p.numbers[std::size_t(claim.partner)] ==
                claim.sum)
            return "the pair is not wrong";
        return "";
    case HintKind::Move:
        if (!numberAt(claim.number, claim.position) || claim.target == claim.position ||
            !has(claim.goal, claim.number, claim.target))
            return "the move does not lead to the goal";
        return "";
    default:
        return claim.step == 3 ? "step 3 says nothing to do" : "";
    }
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
    // completed" agrees with brute force, every hint's claim is true of the placement on
    // show, and a pupil who does what step 3 says reaches a solution one press a step.
    void hintsTellTheTruth_data() {
        QTest::addColumn<FigureMode>("figure");
        QTest::newRow("triangle") << FigureMode::Triangle;
        QTest::newRow("rhombus") << FigureMode::Rhombus;
    }
    void hintsTellTheTruth() {
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
            for (int i = 0; i < 1500; ++i) {
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
            Practice pupil = p;
            int presses = 0, goalMoves = -1;
            for (int step = 1; Judge(pupil).kind != VerdictKind::Solved; ++presses) {
                const Coaching hint = Hint(pupil);
                const std::string wrong = FalseClaim(pupil, hint.claim, solutions, goalMoves);
                goalMoves = Moves(figure, pupil.placed, hint.claim.goal);
                QVERIFY2(wrong.empty(), (wrong + ": " + hint.text).c_str());
                QCOMPARE(hint.claim.step, step); // never back to step 1 while following
                step = std::min(step + 1, 3);
                pupil = hint.practice;
                if (hint.claim.kind == HintKind::Place)
                    QCOMPARE(WhereIs(figure, pupil.placed, hint.claim.number), hint.claim.position);
                else if (hint.claim.kind == HintKind::Move)
                    pupil = Place(std::move(pupil), hint.claim.number, hint.claim.target);
                else if (hint.claim.kind != HintKind::Idea && hint.claim.kind != HintKind::Plan)
                    pupil = TakeBack(std::move(pupil), hint.claim.position);
                QVERIFY2(presses < 4 + 2 * slotCount, "the hints go round in circles");
            }
            if (reachable) // on the way already: nothing placed is moved
                QVERIFY(Extends(pupil.placed, partial));
        }
    }

    // The hints' words for each kind of claim, on the placements a pupil meets.
    void hintTexts_data() {
        QTest::addColumn<FigureMode>("figure");
        QTest::addColumn<std::vector<int>>("cells");
        QTest::addColumn<int>("presses");
        QTest::addColumn<std::string>("text");
        const FigureMode t = FigureMode::Triangle, r = FigureMode::Rhombus;
        const std::vector<int> none(6, -1);
        QTest::newRow("idea, triangle") << t << none << 1
                                        << std::string("Подсказка: всяко число във връх е в две "
                                                       "страни. Кои числа е добре да сложиш във "
                                                       "върховете?");
        QTest::newRow("idea, rhombus") << r << std::vector<int>(8, -1) << 1
                                       << std::string("Подсказка: събери най-малкото и "
                                                      "най-голямото число. Кои две други числа "
                                                      "дават същата сума?");
        QTest::newRow("corners") << t << none << 2
                                 << std::string("Подсказка: за сума 27 във върховете трябват 7, "
                                                "8 и 9.");
        QTest::newRow("pairs") << r << std::vector<int>(8, -1) << 2
                               << std::string("Подсказка: двойките са 7 и 14; 8 и 13; 9 и 12; "
                                              "10 и 11. Всяка двойка има сума 21.");
        QTest::newRow("place") << t << none << 3
                               << std::string("Подсказка: числото 7 отива в долния ляв връх.");
        // 10 bottom left, 7 top, 12 bottom right, 9, 11 and 8 in the middles: 29 is
        // three moves away, and 7 cannot be a corner for it.
        QTest::newRow("off the sum's corners")
            << t << std::vector<int>{3, 0, 5, 2, 4, 1} << 3
            << std::string("Подсказка: за сума 29 във върховете трябват 8, 10 и 12, затова 7 не "
                           "може да е в горния връх. Върни 7 в списъка.");
        QTest::newRow("wrong pair") << r << std::vector<int>{0, 1, -1, -1, -1, -1, -1, -1} << 3
                                    << std::string("Подсказка: 7 + 8 = 15, а всяка двойка трябва "
                                                   "да има сума 21. Върни 8 в списъка.");
        QTest::newRow("pair apart") << r << std::vector<int>{0, -1, 7, -1, 1, -1, -1, -1} << 3
                                    << std::string("Подсказка: за сума 21 премести 14 от левия "
                                                   "връх в горния връх.");
    }
    void hintTexts() {
        QFETCH(FigureMode, figure);
        QFETCH(std::vector<int>, cells);
        QFETCH(int, presses);
        QFETCH(std::string, text);
        Coaching hint{WithSlots(figure, 7, cells), {}, {}};
        for (int press = 0; press < presses; ++press)
            hint = Hint(hint.practice);
        QCOMPARE(hint.text, text);
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
        QTest::newRow("vertex pair") << r << std::string("n0 p0 n7 p0") << std::string("7 + 14|||");
        QTest::newRow("full vertex replaces second")
            << r << std::string("n0 p0 n7 p0 n5 p0") << std::string("7 + 12|||");
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
            << std::string("Сумите на страните са 26, 27 и 28. Основата има с 1 по-малко от "
                           "27, а лявата страна – с 1 повече.")
            << std::string("26 (−1)|= 27|28 (+1)");
        QTest::newRow("incomplete") << t << std::vector<int>{0, 4, 2, -1, -1, -1}
                                    << std::string("Подреди числата: избери число от списъка и "
                                                   "място на фигурата.")
                                    << std::string("||");
        QTest::newRow("rhombus off")
            << r << std::vector<int>{0, 7, 1, 5, 2, 6, 3, 4}
            << std::string("Сумите във върховете са 21, 20, 22 и 21. Левият връх има с 1 "
                           "по-малко от 21, а долният връх – с 1 повече.")
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
        QCOMPARE(WhyText(p), std::string("Като съберем трите страни, всяко число се брои веднъж, а "
                                         "числата във върховете – два пъти. Сумата на всички "
                                         "числа е 57, затова 3 × 30 = 57 + 10 + 11 + 12 = 90."));
        p.foundSums = {27, 28, 29};
        p = Place(TakeBack(std::move(p), 3), 0, 3); // solved again with 30
        QCOMPARE(p.foundSums, (std::vector<std::int64_t>{27, 28, 29, 30}));
        QCOMPARE(FoundSumsText(p),
                 std::string("Намерени са всички суми: 27, 28, 29 и 30 (4 от 4)!"));

        const std::string why =
            WhyText(NewPractice(FigureMode::Rhombus, Series(FigureMode::Rhombus, 7)));
        QVERIFY2(why.rfind("Двойките са 7 и 14; 8 и 13; 9 и 12; 10 и 11. Всяка двойка има сума 21",
                           0) == 0,
                 why.c_str());
    }

    // «Покажи решение» shows the solution nearest the pupil's placement, is no sum found
    // and no praise, and one step takes it back to the pupil's own.
    void solutionShownAndTakenBack() {
        for (FigureMode figure : {FigureMode::Triangle, FigureMode::Rhombus}) {
            const std::vector<int> own = figure == FigureMode::Triangle
                                             ? std::vector<int>{3, 0, 5, 2, 4, 1}
                                             : std::vector<int>{0, 1, -1, -1, 2, -1, -1, -1};
            const Practice pupil = WithSlots(figure, 7, own);
            const Practice shown = ShowSolution(pupil);
            QCOMPARE(BruteForceEqual(shown), std::optional<bool>(true));
            QCOMPARE(MovesTo(pupil, shown.placed), MovesTo(pupil, NearestSolution(pupil)));
            QVERIFY(shown.foundSums.empty());
            QVERIFY2(StatusText(shown).rfind("Ето едно решение: ", 0) == 0,
                     StatusText(shown).c_str());
            QVERIFY(SolutionOnShow(shown));
            const Practice back = RestoreOwnPlacement(shown);
            QCOMPARE(back.placed, pupil.placed);
            QVERIFY(!SolutionOnShow(back));
            // Once the pupil changes it, the solution is the pupil's to play with.
            const Practice changed = TakeBack(shown, 0);
            QVERIFY(!SolutionOnShow(changed));
            QCOMPARE(RestoreOwnPlacement(changed).placed, changed.placed);
        }
    }

    // Practice before a series says what is missing, and compute says so too.
    void whatIsMissing_data() {
        QTest::addColumn<int>("figure");
        QTest::addColumn<std::string>("start");
        QTest::addColumn<std::string>("status");
        const std::string write = "Напиши в «Начало» число от 1 до 999";
        QTest::newRow("nothing") << -1 << std::string()
                                 << std::string("Избери фигура: «Триъгълник» или «Ромб». После "
                                                "напиши в «Начало» число от 1 до 999 и натисни "
                                                "«Изчисли».");
        QTest::newRow("no figure") << -1 << std::string("7")
                                   << std::string("Избери фигура: «Триъгълник» или «Ромб». После "
                                                  "натисни «Изчисли».");
        QTest::newRow("no number") << 0 << std::string() << write + " и натисни «Изчисли».";
        for (const char* wrong : {"0", "abc", "-5"})
            QTest::addRow("%s", wrong)
                << 1 << std::string(wrong)
                << "«" + std::string(wrong) + "» не е число от 1 до 999. " + write + ".";
        QTest::newRow("ready") << 1 << std::string("1.5") << std::string("Натисни «Изчисли».");
    }
    void whatIsMissing() {
        QFETCH(int, figure);
        QFETCH(std::string, start);
        QFETCH(std::string, status);
        Game game = TypeStartText(StartGame(PlayMode::Practice), start);
        if (figure >= 0)
            game = ChooseFigure(game, std::int16_t(figure));
        QCOMPARE(StatusOf(game), status);
        const GameResult computed = Compute(game);
        if (status != "Натисни «Изчисли».")
            QCOMPARE(computed.status, status);
        else
            QVERIFY(computed.status.empty() && !computed.game.practice.placed.empty());
        // The demonstration stays silent, as it always was.
        QVERIFY(Compute(SwitchMode(game, PlayMode::Demonstration)).status.empty());
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

    // A number moved away from the hints' goal starts them afresh; with 27 found, they
    // aim at a sum not found yet.
    void hintsStartAfresh() {
        Practice p = NewPractice(FigureMode::Triangle, Series(FigureMode::Triangle, 7));
        for (int press = 0; press < 3; ++press)
            p = Hint(std::move(p)).practice; // 7 placed in the bottom-left vertex
        QCOMPARE(Hint(p).claim.step, 3);
        QCOMPARE(Hint(Place(p, 5, 1)).claim.step, 1); // 12 on top: off the way to 27

        Practice found = WithSlots(FigureMode::Triangle, 7, {0, 1, 2, 3, 4, 5});
        for (int slot = 0; slot < 6; ++slot)
            found = TakeBack(std::move(found), slot);
        QVERIFY(Hint(found).claim.sum != 27);
    }
};

QTEST_APPLESS_MAIN(PracticeTest)
#include "test_practice.moc"
