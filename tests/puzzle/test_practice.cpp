// SPDX-License-Identifier: GPL-3.0-or-later
#include "game_invariants.h"
#include "puzzle/coach.h"
#include "puzzle/figure.h"
#include "puzzle/practice.h"
#include "puzzle/progress.h"
#include "puzzle_test_support.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>
#include <sstream>

using namespace velmora;
using namespace velmora::testing;

namespace {

std::vector<std::string> Series(FigureMode figure, long long start) {
    std::vector<std::string> series;
    for (int i = 0; i < SlotCount(figure); ++i)
        series.push_back(std::to_string(start + i));
    return series;
}

// A practice with number cells[s] on slot s (-1 empty), put there by Place as a pupil
// would: slot order, so a rhombus vertex fills first then second.
Practice WithSlots(Practice p, const std::vector<int>& cells) {
    for (std::size_t s = 0; s < cells.size(); ++s)
        if (cells[s] >= 0)
            p = Place(std::move(p), cells[s], PositionOfSlot(p.figure, int(s)));
    return p;
}

Practice WithSlots(FigureMode figure, long long start, const std::vector<int>& cells) {
    return WithSlots(NewPractice(figure, Series(figure, start)), cells);
}

// Every solution, by trying every permutation: the reference for the search.
std::vector<std::vector<int>> BruteForceSolutions(FigureMode figure, long long start) {
    std::vector<int> cells(static_cast<std::size_t>(SlotCount(figure)));
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

// Where a placement puts number `index`: its cell, or on the rhombus its vertex.
int WhereIs(FigureMode figure, const std::vector<int>& cells, int index) {
    const auto at = std::find(cells.begin(), cells.end(), index);
    if (at == cells.end())
        return -1;
    const int slot = int(at - cells.begin());
    return figure == FigureMode::Rhombus ? slot / 2 : slot;
}

// The places counted twice (the V's bottom, the triangles' corners) or the square's centre.
std::vector<int> KeyCells(FigureMode figure) {
    switch (figure) {
    case FigureMode::V:
        return {2};
    case FigureMode::Triangle:
    case FigureMode::BigTriangle:
        return {0, 1, 2};
    case FigureMode::Square:
        return {4};
    default:
        return {};
    }
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

// The numbers `solution` puts in the key cells, as a sorted list of values.
std::vector<long long> Corners(const Practice& p, const std::vector<int>& solution) {
    std::vector<long long> corners;
    for (int slot : KeyCells(p.figure))
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
    if (!claim.numbers.empty()) { // the goal's key numbers; all solutions' when fixed
        std::vector<long long> named;
        for (int index : claim.numbers)
            named.push_back(p.numbers[std::size_t(index)]);
        if (claim.keyNumbersFixed && anySolution([&](const auto& s) {
                return SumOf(p, s) == claim.sum && Corners(p, s) != named;
            }))
            return "another solution with the sum has other corners";
        if (Corners(p, claim.goal) != named)
            return "the numbers named are not the goal's";
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

// Every full placement gets the verdict its own sums say: all of them on the figures of
// up to nine places, 20 000 random ones on the star.
TEST_CASE("every placement is judged by its sums") {
    const struct {
        FigureMode figure;
        int start;
        int solved; // among all placements
    } rows[] = {{FigureMode::Triangle, 1, 24},     {FigureMode::Triangle, 7, 24},
                {FigureMode::Triangle, 999, 24},   {FigureMode::Triangle, 32767, 24},
                {FigureMode::Rhombus, 1, 384},     {FigureMode::Rhombus, 7, 384},
                {FigureMode::Rhombus, 32767, 384}, {FigureMode::V, 1, 24},
                {FigureMode::V, 999, 24},          {FigureMode::BigTriangle, 1, 864},
                {FigureMode::Square, 999, 8},      {FigureMode::Star, 7, -1}};
    for (const auto& row : rows) {
        const FigureMode figure = row.figure;
        CAPTURE(figure);
        CAPTURE(row.start);
        std::vector<int> cells(static_cast<std::size_t>(SlotCount(figure)));
        std::iota(cells.begin(), cells.end(), 0);
        std::mt19937 random(5);
        int solved = 0, tried = 0;
        const Practice empty = NewPractice(figure, Series(figure, row.start));
        for (bool more = true; more;) {
            const Practice p = WithSlots(empty, cells);
            std::vector<long long> sums;
            const bool equal = BruteForceEqual(p, &sums).value();
            const Verdict verdict = Judge(p);
            bool right = p.placed == cells &&
                         verdict.kind == (equal ? VerdictKind::Solved : VerdictKind::Unequal) &&
                         (!equal || verdict.sum == sums[0]);
            for (std::size_t line = 0; line < sums.size(); ++line) // and how far each line is
                right = right && *verdict.lineSums[line] == sums[line] &&
                        (equal || verdict.differences[line] == sums[line] - verdict.sum);
            if (!right) {
                CAPTURE(cells);
                FAIL("the verdict is not that of the sums");
            }
            solved += equal;
            if (row.solved < 0) {
                std::shuffle(cells.begin(), cells.end(), random);
                more = ++tried < 20000;
            } else {
                more = std::next_permutation(cells.begin(), cells.end());
            }
        }
        if (row.solved >= 0)
            CHECK(solved == row.solved);
    }
}

// Per figure, the equal sums for the numbers from 1 and how many solutions each has;
// for any start N the same, every sum moved by N − 1 per cell of a line. On the figures
// of up to nine places the search finds what trying every placement finds.
TEST_CASE("the possible sums of every figure, for every start") {
    const struct {
        FigureMode figure;
        std::vector<std::int64_t> sums; // for 1, 2, 3, …
        std::vector<int> solutions;     // per sum
    } rows[] = {
        {FigureMode::V, {8, 9, 10}, {8, 8, 8}},
        {FigureMode::Triangle, {9, 10, 11, 12}, {6, 6, 6, 6}},
        {FigureMode::Rhombus, {9}, {384}},
        {FigureMode::BigTriangle, {17, 19, 20, 21, 23}, {96, 192, 288, 192, 96}},
        {FigureMode::Star, {26}, {960}},
        {FigureMode::Square, {15}, {8}},
    };
    for (const auto& row : rows) {
        CAPTURE(row.figure);
        const long long perLine = (long long)ExpectedLines(row.figure).front().size();
        for (long long n = 1; n <= 32767; n += n < 1000 ? 333 : 10589) {
            CAPTURE(n);
            const Practice p = NewPractice(row.figure, Series(row.figure, n));
            std::vector<std::int64_t> expected;
            for (std::int64_t sum : row.sums)
                expected.push_back(sum + perLine * (n - 1));
            REQUIRE(p.possibleSums == expected);
            std::vector<int> counts(expected.size(), 0);
            for (const std::vector<int>& solution : Solutions(p)) {
                Practice full = p;
                full.placed = solution;
                REQUIRE(BruteForceEqual(full).value());
                const auto at = std::find(expected.begin(), expected.end(), SumOf(p, solution));
                ++counts[std::size_t(at - expected.begin())];
            }
            REQUIRE(counts == row.solutions);
        }
        if (SlotCount(row.figure) <= 9) {
            auto found = Solutions(NewPractice(row.figure, Series(row.figure, 1)));
            std::sort(found.begin(), found.end());
            CHECK(found == BruteForceSolutions(row.figure, 1));
        }
    }
}

// Every partial placement of N = 7 on the triangle and the V, random ones on the other
// figures: "can still be completed" agrees with brute force (on the star: with its 960
// solutions, each checked), every hint's claim is true of the placement on show, and a
// pupil who does what step 3 says reaches a solution one press a step.
TEST_CASE("the hints tell the truth") {
    const struct {
        FigureMode figure;
        int random; // placements tried; 0: every one
    } rows[] = {{FigureMode::Triangle, 0},   {FigureMode::V, 0},
                {FigureMode::Rhombus, 1500}, {FigureMode::BigTriangle, 300},
                {FigureMode::Square, 300},   {FigureMode::Star, 120}};
    for (const auto& row : rows) {
        const FigureMode figure = row.figure;
        CAPTURE(figure);
        const int slotCount = SlotCount(figure);
        const auto solutions = slotCount <= 9 ? BruteForceSolutions(figure, 7)
                                              : Solutions(NewPractice(figure, Series(figure, 7)));
        std::vector<std::vector<int>> partials;
        if (row.random == 0) {
            // Each slot empty or one of the numbers, no number twice.
            std::vector<int> partial(static_cast<std::size_t>(slotCount), -1);
            std::function<void(int)> enumerate = [&](int slot) {
                if (slot == slotCount) {
                    partials.push_back(partial);
                    return;
                }
                for (int index = -1; index < slotCount; ++index) {
                    if (index >= 0 && std::count(partial.begin(), partial.end(), index))
                        continue;
                    partial[std::size_t(slot)] = index;
                    enumerate(slot + 1);
                    partial[std::size_t(slot)] = -1;
                }
            };
            enumerate(0);
            REQUIRE(partials.size() == (slotCount == 6 ? 13327u : 1546u));
        } else {
            std::mt19937 random(8);
            for (int i = 0; i < row.random; ++i) {
                std::vector<int> order(static_cast<std::size_t>(slotCount));
                std::iota(order.begin(), order.end(), 0);
                std::shuffle(order.begin(), order.end(), random);
                const int kept = int(random() % unsigned(slotCount + 1));
                std::vector<int> partial(static_cast<std::size_t>(slotCount), -1);
                for (int s = 0; s < kept; ++s)
                    partial[std::size_t(s)] = order[std::size_t(s)];
                std::shuffle(partial.begin(), partial.end(), random);
                for (int v = 0; figure == FigureMode::Rhombus && v < 4; ++v)
                    if (partial[2 * v] < 0) // a vertex fills first, then second
                        std::swap(partial[2 * v], partial[2 * v + 1]);
                partials.push_back(partial);
            }
        }
        for (const std::vector<int>& partial : partials) {
            CAPTURE(partial);
            const Practice p = WithSlots(figure, 7, partial);
            const bool reachable = std::any_of(solutions.begin(), solutions.end(),
                                               [&](const auto& s) { return Extends(s, partial); });
            REQUIRE(CanComplete(p) == reachable);
            // The solution the hints lead to moves the fewest placed numbers, counted plainly.
            int fewest = slotCount + 1;
            for (const std::vector<int>& s : solutions)
                fewest = std::min(fewest, Moves(figure, partial, s));
            const std::vector<int> nearest = NearestSolution(p);
            REQUIRE(Moves(figure, partial, nearest) == fewest);
            REQUIRE(MovesTo(p, nearest) == fewest);
            if (Judge(p).kind == VerdictKind::Solved)
                continue;
            Practice pupil = p;
            int presses = 0, goalMoves = -1;
            for (int step = 1; Judge(pupil).kind != VerdictKind::Solved; ++presses) {
                const Coaching hint = Hint(pupil);
                const std::string wrong = FalseClaim(pupil, hint.claim, solutions, goalMoves);
                goalMoves = Moves(figure, pupil.placed, hint.claim.goal);
                if (!wrong.empty())
                    FAIL((wrong + ": " + hint.text));
                REQUIRE(hint.claim.step == step); // never back to step 1 while following
                step = std::min(step + 1, 3);
                pupil = hint.practice;
                if (hint.claim.kind == HintKind::Place &&
                    WhereIs(figure, pupil.placed, hint.claim.number) != hint.claim.position) {
                    // The last number is left to the pupil, and only the last.
                    REQUIRE(std::count(pupil.placed.begin(), pupil.placed.end(), kEmpty) == 1);
                    pupil = Place(std::move(pupil), hint.claim.number, hint.claim.position);
                }
                if (hint.claim.kind == HintKind::Place)
                    REQUIRE(WhereIs(figure, pupil.placed, hint.claim.number) ==
                            hint.claim.position);
                else if (hint.claim.kind == HintKind::Move)
                    pupil = Place(std::move(pupil), hint.claim.number, hint.claim.target);
                else if (hint.claim.kind != HintKind::Idea && hint.claim.kind != HintKind::Plan)
                    pupil = TakeBack(std::move(pupil), hint.claim.position);
                if (presses >= 4 + 2 * slotCount)
                    FAIL("the hints go round in circles");
            }
            if (reachable) // on the way already: nothing placed is moved
                REQUIRE(Extends(pupil.placed, partial));
        }
    }
}

// The hints' words for each kind of claim, on the placements a pupil meets.
TEST_CASE("the hints' texts") {
    const FigureMode t = FigureMode::Triangle, r = FigureMode::Rhombus;
    const std::vector<int> none(6, -1), noPairs(8, -1);
    const struct {
        const char* name;
        FigureMode figure;
        std::vector<int> cells;
        int presses;
        std::string text;
    } rows[] = {
        {"idea, triangle", t, none, 1,
         "Подсказка: всяко число във връх е в две страни. Кои числа е добре да сложиш във "
         "върховете?"},
        {"idea, rhombus", r, noPairs, 1,
         "Подсказка: събери най-малкото и най-голямото число. Кои две други числа дават същата "
         "сума?"},
        {"corners", t, none, 2, "Подсказка: за сума 27 във върховете трябват 7, 8 и 9."},
        {"pairs", r, noPairs, 2,
         "Подсказка: двойките са 7 и 14; 8 и 13; 9 и 12; 10 и 11. Всяка двойка има сума 21."},
        {"place", t, none, 3,
         "Подсказка: числото 7 отива в долния ляв връх. Подсказката го постави там."},
        // 10 bottom left, 7 top, 12 bottom right, 9, 11 and 8 in the middles: 29 is
        // three moves away, and 7 cannot be a corner for it.
        {"off the sum's corners",
         t,
         {3, 0, 5, 2, 4, 1},
         3,
         "Подсказка: за сума 29 във върховете трябват 8, 10 и 12, затова 7 не може да е в "
         "горния връх. Върни 7 в списъка."},
        {"wrong pair",
         r,
         {0, 1, -1, -1, -1, -1, -1, -1},
         3,
         "Подсказка: 7 + 8 = 15, а всяка двойка трябва да има сума 21. Върни 8 в списъка."},
        {"pair apart",
         r,
         {0, -1, 7, -1, 1, -1, -1, -1},
         3,
         "Подсказка: за сума 21 премести 14 от левия връх в горния връх."},
        {"solved: the way to another sum",
         t,
         {0, 1, 2, 3, 4, 5},
         1,
         "Фигурата е подредена със сума 27. За друга сума опитай във върховете 7, 9 и 11."},
    };
    for (const auto& row : rows) {
        CAPTURE(row.name);
        Coaching hint{WithSlots(row.figure, 7, row.cells), {}, {}};
        for (int press = 0; press < row.presses; ++press)
            hint = Hint(hint.practice);
        CHECK(hint.text == row.text);
    }
}

// Placing, moving and taking back, as pupil steps, and what the figure then shows.
TEST_CASE("a place's last number is the one it gives back") {
    for (const Figure& figure : Figures()) {
        CAPTURE(figure.key);
        std::vector<std::string> series;
        for (int i = 0; i < SlotCount(figure.mode); ++i)
            series.push_back(std::to_string(7 + i));
        Practice practice = NewPractice(figure.mode, series);
        const int places = PositionCount(figure.mode);
        for (int position = 0; position < places; ++position) {
            CHECK(LastNumberAt(practice, position) == kEmpty);
            for (int i = 0; i < figure.cellsPerPlace; ++i)
                practice = Place(practice, position * figure.cellsPerPlace + i, position);
        }
        CHECK(LastNumberAt(practice, -1) == kEmpty);
        CHECK(LastNumberAt(practice, places) == kEmpty);
        for (int position = 0; position < places; ++position) {
            const int last = LastNumberAt(practice, position);
            CHECK(last == (position + 1) * figure.cellsPerPlace - 1);
            const Practice after = TakeBack(practice, position);
            CHECK(SlotOfNumber(after, last) == kEmpty);
            for (int other = 0; other < int(practice.numbers.size()); ++other)
                if (other != last)
                    CHECK(SlotOfNumber(after, other) == SlotOfNumber(practice, other));
        }
    }
}

TEST_CASE("placing") {
    const FigureMode t = FigureMode::Triangle, r = FigureMode::Rhombus;
    const struct {
        const char* name;
        FigureMode figure;
        std::string steps, captions;
    } rows[] = {
        {"number then position", t, "n4 p1", "|11||||"},
        {"position then number", t, "p1 n4", "|11||||"},
        {"a used number moves", t, "n4 p1 n4 p5", "|||||11"},
        {"a filled position makes way", t, "n4 p1 n0 p1", "|7||||"},
        {"click on filled takes back", t, "n4 p1 p1", "|||||"},
        {"second position click unpicks", t, "p1 p1 n4", "|||||"},
        {"last pick wins", t, "n4 n2 p0", "9|||||"},
        {"out of range ignored", t, "n9 p9 n-1 p-1 n2 p0", "9|||||"},
        {"vertex half", r, "n0 p0", "7 + …|||"},
        {"vertex pair", r, "n0 p0 n7 p0", "7 + 14|||"},
        {"full vertex replaces second", r, "n0 p0 n7 p0 n5 p0", "7 + 12|||"},
        {"take back the second", r, "n0 p0 n7 p0 p0", "7 + …|||"},
        {"moving the first keeps the second first", r, "n0 p0 n7 p0 n0 p1", "14 + …|7 + …||"},
    };
    for (const auto& row : rows) {
        CAPTURE(row.name);
        const Practice p = Play(NewPractice(row.figure, Series(row.figure, 7)), row.steps);
        CHECK(CaptionLine(p) == row.captions);
        CHECK(BrokenPracticeInvariant(
                  {PlayMode::Practice, Computed(int16_t(row.figure), "7"), p, {}}) == "");
    }
}

// The texts a pupil reads, for placements given as the number index per slot.
TEST_CASE("the texts a pupil reads") {
    const FigureMode t = FigureMode::Triangle, r = FigureMode::Rhombus;
    const struct {
        const char* name;
        FigureMode figure;
        std::vector<int> cells;
        std::string status, lineTexts, spoken, marks; // marks: Alone, Equal, Off, or -
    } rows[] = {
        {"solved 27",
         t,
         {0, 1, 2, 3, 4, 5},
         "Браво! Всяка страна има сума 27. Намерени суми с тези числа: 27. На това ниво: 1 от 4 "
         "вида подредби.",
         "= 27|= 27|= 27",
         "основата: сума 27, равна|дясната страна: сума 27, равна|лявата страна: сума 27, равна",
         "EEE"},
        {"three different",
         t,
         {0, 2, 1, 3, 4, 5},
         "Сумата на основата е с 1 по-малка от сумата на дясната "
         "страна (27), а на лявата страна – с 1 по-голяма.",
         "26 (−1)|27|28 (+1)", // 27, shared by no other side, is no right answer
         "основата: сума 26, с 1 по-малко|дясната страна: сума 27|лявата страна: сума "
         "28, с 1 повече",
         "OAO"},
        {"incomplete",
         t,
         {0, 4, 2, -1, -1, -1},
         "Подреди числата: избери число и място на фигурата или завлечи числото дотам.",
         "||",
         "||",
         "---"},
        {"one side alone",
         t,
         {0, 1, 2, -1, 4, -1},
         "Подреди числата: избери число и място на фигурата или завлечи числото дотам.",
         "27||",
         "основата: сума 27||",
         "A--"},
        {"rhombus off",
         r,
         {0, 7, 1, 5, 2, 6, 3, 4},
         "Сумата в левия връх е с 1 по-малка от 21 (сумата, "
         "която трябва да има всяка двойка), а в долния връх – с 1 по-голяма.",
         "= 21|20 (−1)|22 (+1)|= 21",
         "горният връх: сума 21, равна|левият връх: сума 20, с 1 по-малко|долният връх: сума "
         "22, с 1 повече|десният връх: сума 21, равна",
         "EOOE"},
        // One sum alone is possible: each full vertex is judged at once.
        {"rhombus pairs judged at once",
         r,
         {0, 7, 1, 5, -1, -1, 2, -1},
         "Подреди числата: избери число и място на фигурата или завлечи числото дотам.",
         "= 21|20 (−1)||",
         "горният връх: сума 21, равна|левият връх: сума 20, с 1 по-малко||",
         "EO--"},
    };
    for (const auto& row : rows) {
        CAPTURE(row.name);
        const Practice p = WithSlots(row.figure, 7, row.cells);
        CHECK(StatusText(p) == row.status);
        std::string lines, spoken, marks;
        for (int line = 0; line < int(Lines(row.figure).size()); ++line) {
            lines += (line ? "|" : "") + LineSumText(p, line);
            spoken += (line ? "|" : "") + LineSumSpoken(p, line);
            marks += "-AEO"[int(LineMarkOf(p, line))];
        }
        CHECK(lines == row.lineTexts);
        CHECK(spoken == row.spoken);
        CHECK(marks == row.marks);
    }
}

TEST_CASE("the sums found, and why") {
    Practice p = WithSlots(FigureMode::Triangle, 7, {0, 1, 2, 3, 4, 5});
    CHECK(p.foundSums == std::vector<std::int64_t>{27});
    for (int position = 0; position < 6; ++position)
        p = TakeBack(std::move(p), position);
    // The three largest in the corners: every side 30.
    const std::vector<int> largestCorners{3, 4, 5, 0, 1, 2};
    for (int slot = 0; slot < 6; ++slot)
        p = Place(std::move(p), largestCorners[std::size_t(slot)], slot);
    CHECK(p.foundSums == std::vector<std::int64_t>{27, 30});
    CHECK(FoundSumsText(p) ==
          "Намерени суми с тези числа: 27 и 30. На това ниво: 2 от 4 вида подредби.");
    CHECK(WhyText(p) ==
          "Когато съберем трите страни, числата във върховете се броят два пъти, "
          "а всяко друго число – веднъж. Сумата на всички числа е 57. Във върховете са 10, "
          "11 и 12, заедно 33. Трите страни заедно дават 57 + 33 = 90, а 90 = 3 × "
          "30. Затова всяка страна има сума 30.");
    p.foundSums = {27, 28, 29};
    p = Place(TakeBack(std::move(p), 3), 0, 3); // solved again with 30
    CHECK(p.foundSums == std::vector<std::int64_t>{27, 28, 29, 30});
    // Two of the four were found with other numbers: counted, not named.
    CHECK(FoundSumsText(p) == "Намерени суми с тези числа: 27 и 30. Нивото е готово: намерени "
                              "са всичките 4 вида подредби!");

    const std::string why =
        WhyText(NewPractice(FigureMode::Rhombus, Series(FigureMode::Rhombus, 7)));
    CAPTURE(why);
    CHECK(why.rfind("Ако двойките са 7 и 14; 8 и 13; 9 и 12; 10 и 11, всяка двойка има сума 21",
                    0) == 0);
}

// «Покажи решение» shows the solution nearest the pupil's placement, is no sum found
// and no praise, and one step takes it back to the pupil's own.
TEST_CASE("the solution shown and taken back") {
    for (FigureMode figure : {FigureMode::Triangle, FigureMode::Rhombus}) {
        CAPTURE(figure);
        const std::vector<int> own = figure == FigureMode::Triangle
                                         ? std::vector<int>{3, 0, 5, 2, 4, 1}
                                         : std::vector<int>{0, 1, -1, -1, 2, -1, -1, -1};
        const Practice pupil = WithSlots(figure, 7, own);
        const Practice shown = ShowSolution(pupil);
        CHECK(BruteForceEqual(shown) == std::optional<bool>(true));
        CHECK(MovesTo(pupil, shown.placed) == MovesTo(pupil, NearestSolution(pupil)));
        CHECK(shown.foundSums.empty());
        CHECK(StatusText(shown).rfind("Ето едно решение: ", 0) == 0);
        CHECK(SolutionOnShow(shown));
        const Practice back = RestoreOwnPlacement(shown);
        CHECK(back.placed == pupil.placed);
        CHECK_FALSE(SolutionOnShow(back));
        // Changing the shown solution and solving it again is no sum found, and the
        // pupil's own numbers still come back; emptying the figure ends the help.
        const int taken = shown.placed[std::size_t(SlotsOfPosition(figure, 0).back())];
        const Practice changed = Place(TakeBack(shown, 0), taken, 0);
        CHECK(changed.placed == shown.placed);
        CHECK(changed.foundSums.empty());
        CHECK(RestoreOwnPlacement(changed).placed == pupil.placed);
        Practice emptied = changed;
        for (int position = 0; position < PositionCount(figure); ++position)
            while (!PositionCaption(emptied, position).empty())
                emptied = TakeBack(std::move(emptied), position);
        CHECK_FALSE(SolutionOnShow(emptied));
    }
}

// Practice before a series says what is missing, and compute says so too.
TEST_CASE("what is missing") {
    const std::string write = "Напиши в «Начало» число от 1 до 999";
    const struct {
        int figure;
        std::string start, status;
    } rows[] = {
        {-1, "",
         "Избери фигура: ниво от 1 до 6 горе. После напиши в «Начало» число "
         "от 1 до 999 и "
         "натисни «Изчисли»."},
        {-1, "7", "Избери фигура: ниво от 1 до 6 горе. После натисни «Изчисли»."},
        {0, "", write + " и натисни «Изчисли»."},
        {1, "0", "«0» не е число от 1 до 999. " + write + "."},
        {1, "abc", "«abc» не е число от 1 до 999. " + write + "."},
        {1, "-5", "«-5» не е число от 1 до 999. " + write + "."},
        {1, " 12 ", "Натисни «Изчисли»."},
        {1, "999", "Натисни «Изчисли»."},
        {0, "1", "Натисни «Изчисли»."},
        // Practice takes a whole number written as one; the demonstration reads on.
        {1, "2,5", "«2,5» не е число от 1 до 999. " + write + "."},
        {1, "1e2", "«1e2» не е число от 1 до 999. " + write + "."},
        {1, "9 9", "«9 9» не е число от 1 до 999. " + write + "."},
    };
    for (const auto& row : rows) {
        CAPTURE(row.figure);
        CAPTURE(row.start);
        Game game = TypeStartText(StartGame(PlayMode::Practice), row.start);
        if (row.figure >= 0)
            game = ChooseFigure(game, std::int16_t(row.figure));
        CHECK(StatusOf(game) == row.status);
        const GameResult computed = Compute(game);
        if (row.status != "Натисни «Изчисли».")
            CHECK(computed.status == row.status);
        else
            CHECK((computed.status.empty() && !computed.game.practice.placed.empty()));
        // The demonstration stays silent, as it always was.
        CHECK(Compute(SwitchMode(game, PlayMode::Demonstration)).status.empty());
    }
    // A wrong start after a series: the numbers on the figure stay, and it says so.
    const Game listed =
        Compute(TypeStartText(ChooseFigure(StartGame(PlayMode::Practice), 0), "7")).game;
    CHECK(Compute(TypeStartText(listed, "0")).status ==
          "«0» не е число от 1 до 999. " + write + ". Числата на фигурата остават.");
}

// The sums found stay with the figure: another start shows them moved by 3 per start
// (three numbers a side), choosing the figure again keeps them, «Започни отначало»
// forgets them, and they survive being saved and read back.
TEST_CASE("the sums found stay with the figure") {
    Game game = TypeStartText(ChooseFigure(StartGame(PlayMode::Practice), kTriangle), "7");
    game = RevealSolution(Compute(game).game); // shown, not found
    CHECK(game.practice.foundSums.empty());
    for (int position = 0; position < 6; ++position) // each click gives a number back
        game = ClickTriangle(game, position);
    for (int k = 0; k < 6; ++k) // the pupil's own 27
        game = ClickTriangle(ClickListItem(game, k), k);
    CHECK(game.practice.foundSums == std::vector<std::int64_t>{27});
    game = Compute(game).game;
    CHECK(game.practice.foundSums == std::vector<std::int64_t>{27});
    CHECK(CaptionsOf(game).triangle == std::array<std::string, 6>{});
    CHECK(Compute(TypeStartText(game, "8")).game.practice.foundSums ==
          std::vector<std::int64_t>{30});
    CHECK(Compute(TypeStartText(ChooseFigure(game, kTriangle), "7")).game.practice.foundSums ==
          std::vector<std::int64_t>{27});
    const Game resumed = ResumeGame(LoadProgress(SaveProgress(game.progress)));
    CHECK(resumed.progress == game.progress);
    CHECK(resumed.mode == PlayMode::Practice);
    CHECK(Compute(TypeStartText(resumed, "1")).game.practice.foundSums ==
          std::vector<std::int64_t>{9});
    CHECK(Compute(ForgetProgress(game)).game.practice.foundSums.empty());
}

// A number moved away from the hints' goal starts them afresh; with 27 found, they
// aim at a sum not found yet.
TEST_CASE("the hints start afresh") {
    Practice p = NewPractice(FigureMode::Triangle, Series(FigureMode::Triangle, 7));
    for (int press = 0; press < 3; ++press)
        p = Hint(std::move(p)).practice; // 7 placed in the bottom-left vertex
    CHECK(Hint(p).claim.step == 3);
    CHECK(Hint(Place(p, 5, 1)).claim.step == 1); // 12 on top: off the way to 27

    Practice found = WithSlots(FigureMode::Triangle, 7, {0, 1, 2, 3, 4, 5});
    for (int slot = 0; slot < 6; ++slot)
        found = TakeBack(std::move(found), slot);
    CHECK(Hint(found).claim.sum != 27);
}

// The picks, as the status line reads them.
TEST_CASE("the status line while picking") {
    const FigureMode t = FigureMode::Triangle, r = FigureMode::Rhombus;
    const struct {
        FigureMode figure;
        std::string steps, status;
    } rows[] = {
        {t, "p1", "Избрано е място: горният връх. Сега избери число."},
        {t, "p3", "Избрано е място: средата на дясната страна. Сега избери число."},
        {r, "p3", "Избрано е място: десният връх. Сега избери число."},
        {t, "n4", "Избрано е числото 11: сега избери място на фигурата."},
        {r, "n0 p0 n7", "Избрано е числото 14: сега избери място на фигурата."},
        {t, "p1 p1",
         "Подреди числата: избери число и място на фигурата или завлечи числото дотам."},
    };
    for (const auto& row : rows) {
        CAPTURE(row.steps);
        CHECK(StatusText(Play(NewPractice(row.figure, Series(row.figure, 7)), row.steps)) ==
              row.status);
    }
}

// Every sum reached is kept, whichever comes first, and a sum reached again once.
TEST_CASE("the sums found in any order") {
    const std::vector<std::vector<std::int64_t>> orders{
        {30, 27}, {27, 30}, {29, 28, 30, 27}, {30, 30, 28}, {28, 27, 28}};
    Practice empty = NewPractice(FigureMode::Triangle, Series(FigureMode::Triangle, 7));
    const std::vector<std::vector<int>> solutions = Solutions(empty);
    for (const auto& order : orders) {
        Practice p = empty;
        for (std::int64_t sum : order) {
            const auto solution =
                std::find_if(solutions.begin(), solutions.end(),
                             [&](const auto& s) { return SumOfSolution(p, s) == sum; });
            REQUIRE(solution != solutions.end());
            for (int position = 0; position < 6; ++position)
                p = TakeBack(std::move(p), position);
            for (int slot = 0; slot < 6; ++slot)
                p = Place(std::move(p), (*solution)[std::size_t(slot)], slot);
        }
        std::vector<std::int64_t> expected = order;
        std::sort(expected.begin(), expected.end());
        expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
        CAPTURE(order.front());
        CHECK(p.foundSums == expected);
    }
}

// «Защо става?» in the demonstration explains the series computed, for either figure.
TEST_CASE("why, in the demonstration") {
    const struct {
        std::int16_t figure;
        std::string said;
    } rows[] = {{0, "Сумата на всички числа е 57. Ако във върховете са 7, 8 и 9"},
                {1, "Сумата на всички числа е 84 = 4 × 21."}};
    for (const auto& row : rows) {
        CAPTURE(row.figure);
        const Game game{PlayMode::Demonstration, Computed(row.figure, "7"), {}, {}};
        const std::string why = WhyOf(game);
        CHECK(why.find(row.said) != std::string::npos);
        CHECK(why.find("Избери фигура") == std::string::npos);
    }
    // Before its numbers, on any figure or none, it says what the demonstration asks for:
    // not the levels and 999 of practice.
    for (const std::int16_t figure : {-1, 0, 1}) {
        CAPTURE(figure);
        Game game = StartGame(PlayMode::Demonstration);
        if (figure >= 0)
            game = ChooseFigure(std::move(game), figure);
        const std::string why = WhyOf(game);
        CHECK(why.find("«Триъгълник» или «Ромб»") != std::string::npos);
        CHECK(why.find("«Изчисли»") != std::string::npos);
        for (const char* practising : {"ниво", "999", "Избери фигура"})
            CHECK(why.find(practising) == std::string::npos);
    }
}

// Kept progress read back: only what a figure allows counts, so a damaged or hand-made
// line cannot finish a level; the level titles and the level suggested follow it.
TEST_CASE("progress read back") {
    const struct {
        std::string text;
        std::string v, rhombus; // LevelTitle of levels 1 and 3
        FigureMode suggestedFromV;
        int zoom;
    } rows[] = {
        {"", "1. Магическо V", "3. Ромб", FigureMode::V, 100},
        {"found.v=8,9,10;zoom=150", "1. Магическо V – готово ✓", "3. Ромб", FigureMode::Triangle,
         150},
        {"found.v=8,11,x,-9;found.rhombus=9;zoom=9000", "1. Магическо V – 1 от 3 суми",
         "3. Ромб – готово ✓", FigureMode::V, 100},
        {"found.v=10,9,8;found.triangle=9,10,11,12;found.hexagon=3;figure=;mode=",
         "1. Магическо V – готово ✓", "3. Ромб", FigureMode::Rhombus, 100},
    };
    for (const auto& row : rows) {
        CAPTURE(row.text);
        const Progress progress = LoadProgress(row.text);
        CHECK(LevelTitle(progress, FigureMode::V) == row.v);
        CHECK(LevelTitle(progress, FigureMode::Rhombus) == row.rhombus);
        CHECK(SuggestedFigure(progress, FigureMode::V) == row.suggestedFromV);
        CHECK(progress.zoom == row.zoom);
        CHECK(LoadProgress(SaveProgress(progress)) == progress);
    }
}
