// SPDX-License-Identifier: GPL-3.0-or-later
// The practice board as a pupil plays it, each property worked out by hand apart from the
// code: the arrow keys' order from the figure's drawing, one move by any of its three
// ways, each place's numbers, the start box's three digits, the level steps and the next
// level from the sums found, «Започни отначало», and the game resumed where it was left.
#include "game_invariants.h"
#include "puzzle/board.h"
#include "puzzle/board_view.h"
#include "puzzle/catalog.h"
#include "puzzle/figure.h"
#include "puzzle/progress.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace velmora;
using namespace velmora::testing;

namespace {

struct Screen {
    double width, height;
};
const std::vector<Screen> kScreens{{360, 640}, {768, 1024}, {1024, 768}, {1920, 1080}, {800, 600}};

std::string Where(const Figure& figure, const Screen& screen) {
    return figure.key + " at " + std::to_string(int(screen.width)) + "×" +
           std::to_string(int(screen.height));
}

// A game in practice on `figure` from `start`, with `cells` (number index per slot, -1
// empty) placed by tapping a number and then its place.
Game PracticeGame(FigureMode figure, int start, const std::vector<int>& cells = {}) {
    Game game = ChooseFigure(StartGame(PlayMode::Practice), static_cast<std::int16_t>(figure));
    game = Compute(TypeStartText(std::move(game), std::to_string(start))).game;
    for (std::size_t slot = 0; slot < cells.size(); ++slot)
        if (cells[slot] >= 0)
            game = DropNumber(std::move(game), cells[slot], PositionOfSlot(figure, int(slot)));
    return game;
}

// The figure's equal sums for the numbers from 1, by trying every placement (the star's
// one sum from its lines: each number on two of six, 2 × 78 = 6 × 26).
std::vector<std::int64_t> SumsFromOneByHand(FigureMode figure) {
    if (figure == FigureMode::Star)
        return {26};
    std::vector<std::string> series;
    for (int i = 0; i < SlotCount(figure); ++i)
        series.push_back(std::to_string(1 + i));
    Practice p = NewPractice(figure, series);
    std::vector<int> cells(static_cast<std::size_t>(SlotCount(figure)));
    std::iota(cells.begin(), cells.end(), 0);
    std::set<std::int64_t> sums;
    do {
        p.placed = cells;
        std::vector<long long> lines;
        if (BruteForceEqual(p, &lines).value())
            sums.insert(lines.front());
    } while (std::next_permutation(cells.begin(), cells.end()));
    return {sums.begin(), sums.end()};
}

} // namespace

// The arrow keys' order worked out from the figure's own drawing: a row is the places at
// one height of its unit square, the rows from the top, each from the left.
TEST_CASE("the arrow keys read each row of places from the left, the rows from the top") {
    for (const Figure& figure : Figures())
        for (const Screen& screen : kScreens) {
            CAPTURE(Where(figure, screen));
            const BoardLayout layout =
                LayOutBoard(BoardContentOf(figure.mode, 0), screen.width, screen.height);
            std::vector<int> expected(figure.places.size());
            std::iota(expected.begin(), expected.end(), 0);
            std::sort(expected.begin(), expected.end(), [&](int a, int b) {
                const FigurePlace& pa = figure.places[std::size_t(a)];
                const FigurePlace& pb = figure.places[std::size_t(b)];
                if (std::abs(pa.y - pb.y) > 1e-6)
                    return pa.y < pb.y;
                return pa.x < pb.x;
            });
            CHECK(layout.readingOrder == expected);
            for (std::size_t i = 0; i < expected.size(); ++i)
                CHECK(NextInReadingOrder(layout, expected[i], +1) ==
                      expected[(i + 1) % expected.size()]);
        }
}

// A tile tapped and then its place, the place tapped and then the tile, or the tile dragged
// there: three ways to one move, so the same game follows, the sums found kept alike.
TEST_CASE("tapping a tile then a place, a place then a tile, or a drag make the same game") {
    std::mt19937 random(17);
    for (const Figure& figure : Figures()) {
        CAPTURE(figure.key);
        const int slots = SlotCount(figure.mode);
        const Game empty = PracticeGame(figure.mode, 1 + int(random() % 999));
        for (int trial = 0; trial < 4; ++trial) {
            // A solution (its sum then found) or the numbers in a random order.
            std::vector<int> cells = NearestSolution(empty.practice);
            if (trial % 2)
                std::shuffle(cells.begin(), cells.end(), random);
            Game tileFirst = empty, placeFirst = empty, dragged = empty;
            for (int slot = 0; slot < slots; ++slot) {
                const int index = cells[std::size_t(slot)];
                const int position = PositionOfSlot(figure.mode, slot);
                CAPTURE(slot);
                tileFirst = ClickPosition(ClickListItem(std::move(tileFirst), index), position);
                // A place holding a number gives it back when tapped: tapped first only empty.
                const bool emptyPlace = PositionCaption(placeFirst.practice, position).empty();
                placeFirst =
                    emptyPlace
                        ? ClickListItem(ClickPosition(std::move(placeFirst), position), index)
                        : ClickPosition(ClickListItem(std::move(placeFirst), index), position);
                dragged = DropNumber(std::move(dragged), index, position);
                CHECK(dragged.practice.placed == tileFirst.practice.placed);
                CHECK(dragged == tileFirst);
                CHECK(placeFirst == tileFirst);
            }
            CHECK((FoundSumCount(dragged.progress, figure.mode) > 0) ==
                  BruteForceEqual(dragged.practice).value());
        }
    }
}

TEST_CASE("each place shows the very numbers it holds, a rhombus vertex both with a plus") {
    std::mt19937 random(29);
    for (const Figure& figure : Figures()) {
        CAPTURE(figure.key);
        const int slots = SlotCount(figure.mode);
        for (int trial = 0; trial < 20; ++trial) {
            std::vector<int> cells(static_cast<std::size_t>(slots));
            std::iota(cells.begin(), cells.end(), 0);
            std::shuffle(cells.begin(), cells.end(), random);
            for (int& cell : cells)
                if (random() % 3 == 0)
                    cell = -1;
            const Game game = PracticeGame(figure.mode, 1 + trial * 50, cells);
            const BoardView view = ViewBoard(game);
            std::vector<std::string> held(view.places.size());
            for (int slot = 0; slot < slots; ++slot)
                if (const int index = game.practice.placed[std::size_t(slot)]; index >= 0) {
                    std::string& text = held[std::size_t(PositionOfSlot(figure.mode, slot))];
                    text += (text.empty() ? "" : " + ") +
                            std::to_string(game.practice.numbers[std::size_t(index)]);
                }
            for (std::size_t position = 0; position < held.size(); ++position) {
                CAPTURE(position);
                CHECK(view.places[position].text == held[position]);
            }
        }
    }
}

TEST_CASE("the start box refuses only a fourth digit, whatever else is typed") {
    for (const std::string typed : {"7", "999", "1000", "12ab", "abcd", "1 2 3", "1 2 3 4", "-12",
                                    "12a4", "1a2b3c4", " 999 ", "x9999"}) {
        CAPTURE(typed);
        const auto digits =
            std::count_if(typed.begin(), typed.end(), [](char c) { return c >= '0' && c <= '9'; });
        const StartBoxEdit edit = EditStartBox("12", typed);
        CHECK(edit.text == (digits <= 3 ? typed : std::string("12")));
        CHECK(edit.note.empty() == (digits <= 3));
    }
}

namespace {

// A game in practice on `figure` from `start` with `progress`, solved by dragging the
// numbers of its nearest solution onto their places.
Game SolvedGame(FigureMode figure, int start, Progress progress) {
    Game game = StartGame(PlayMode::Practice);
    game.progress = std::move(progress);
    game = ChooseFigure(std::move(game), static_cast<std::int16_t>(figure));
    game = Compute(TypeStartText(std::move(game), std::to_string(start))).game;
    const std::vector<int> solution = NearestSolution(game.practice);
    for (std::size_t slot = 0; slot < solution.size(); ++slot)
        game = DropNumber(std::move(game), solution[slot], PositionOfSlot(figure, int(slot)));
    return game;
}

// Progress with the levels of `done` (a bit per level) complete and one sum short on the
// others that allow more than one.
Progress WithLevelsDone(unsigned done) {
    Progress progress;
    for (std::size_t level = 0; level < Figures().size(); ++level) {
        const FigureMode figure = Figures()[level].mode;
        static std::map<FigureMode, std::vector<std::int64_t>> byHand;
        if (!byHand.count(figure))
            byHand[figure] = SumsFromOneByHand(figure);
        std::vector<std::int64_t> all = byHand[figure];
        if (!(done & (1u << level)))
            all.pop_back();
        if (!all.empty())
            progress.found[figure] = all;
    }
    return progress;
}

// The level a pupil goes to next, by hand: the first not done after `from`, going round.
int NextUndone(unsigned done, int from) {
    const int levels = int(Figures().size());
    for (int i = 0; i < levels; ++i)
        if (const int level = (from + i) % levels; !(done & (1u << level)))
            return level;
    return -1;
}

} // namespace

TEST_CASE("the board's level steps are done exactly when all sums are found; the next suggested") {
    const int levels = int(Figures().size());
    for (int current = 0; current < levels; ++current)
        for (unsigned done = 0; done < (1u << levels); ++done) {
            CAPTURE(Figures()[std::size_t(current)].key);
            CAPTURE(done);
            Game game = StartGame(PlayMode::Practice);
            game.progress = WithLevelsDone(done);
            game = ChooseFigure(std::move(game),
                                static_cast<std::int16_t>(Figures()[std::size_t(current)].mode));
            const BoardView view = ViewBoard(game);
            REQUIRE(int(view.levels.size()) == levels);
            const int next = NextUndone(done, current);
            int suggested = 0;
            for (int level = 0; level < levels; ++level) {
                CAPTURE(level);
                const BoardLevel& step = view.levels[std::size_t(level)];
                const bool complete = done & (1u << level);
                CHECK(step.done == complete);
                CHECK(step.text == (complete ? std::string("✓") : std::to_string(level + 1)));
                CHECK(step.current == (level == current));
                CHECK(step.suggested == (level == next && next != current));
                suggested += step.suggested;
            }
            CHECK(suggested <= 1);
        }
}

TEST_CASE("a level just finished names the next level not done after it, going round") {
    const int levels = int(Figures().size());
    for (int current = 0; current < levels; ++current)
        for (unsigned done = 0; done < (1u << levels); ++done) {
            if (!(done & (1u << current)))
                continue; // the level finished is done
            const FigureMode figure = Figures()[std::size_t(current)].mode;
            CAPTURE(Figures()[std::size_t(current)].key);
            CAPTURE(done);
            // All of the level's sums found but the one this solution makes.
            Progress progress = WithLevelsDone(done);
            const Game probe = SolvedGame(figure, 1, Progress{});
            std::vector<std::int64_t>& found = progress.found[figure];
            found.erase(std::find(found.begin(), found.end(), probe.practice.foundSums.front()));
            const Game game = SolvedGame(figure, 1, progress);
            REQUIRE(LevelDone(game.progress, figure));
            const int next = NextUndone(done, current);
            const std::string status = StatusOf(game);
            CAPTURE(status);
            if (next < 0)
                CHECK(status.find("Всички нива са готови!") != std::string::npos);
            else
                CHECK(status.find("Следващо ниво: «" +
                                  std::string(Tr(Figures()[std::size_t(next)].title)) + "».") !=
                      std::string::npos);
        }
}

TEST_CASE("«Започни отначало» forgets every sum, those on show included, and they stay forgotten") {
    for (const Figure& figure : Figures()) {
        CAPTURE(figure.key);
        const Game solved = SolvedGame(figure.mode, 5, Progress{});
        REQUIRE(FoundSumCount(solved.progress, figure.mode) == 1);
        const Game forgotten = ForgetProgress(solved);
        CHECK(forgotten.progress.found.empty());
        for (const BoardChip& chip : ViewBoard(forgotten).chips)
            CHECK_FALSE(chip.found);
        // The next move makes no sum: nothing comes back.
        const Game moved = ReturnNumber(forgotten, 0);
        CHECK(moved.progress.found.empty());
        CHECK(FoundSumsFrom(LoadProgress(SaveProgress(moved.progress)), figure.mode, 5).empty());
    }
}

TEST_CASE("the game resumes where the pupil left it: the mode and the figure") {
    for (PlayMode mode : {PlayMode::Demonstration, PlayMode::Practice})
        for (const Figure& figure : Figures()) {
            CAPTURE(figure.key);
            CAPTURE(int(mode));
            const Game left = ChooseFigure(StartGame(mode), static_cast<std::int16_t>(figure.mode));
            const Game resumed = ResumeGame(LoadProgress(SaveProgress(left.progress)));
            CHECK(resumed.mode == left.mode);
            CHECK(resumed.puzzle.figureMode == figure.mode);
            CHECK(resumed.practice.figure == left.practice.figure);
        }
}

// The chips: a sum the pupil made with the numbers on show shows itself; one found before
// with other numbers only a tick (its sum here was never made); the rest a question mark.
TEST_CASE("a chip names a sum made with these numbers, ticks one found with others") {
    for (const Figure& figure : Figures()) {
        CAPTURE(figure.key);
        const std::vector<int> solution = NearestSolution(PracticeGame(figure.mode, 5).practice);
        const auto chipsOf = [](const Game& game) {
            std::multiset<std::string> texts;
            for (const BoardChip& chip : ViewBoard(game).chips) {
                CHECK(chip.found == (chip.text != "?"));
                texts.insert(chip.text);
            }
            return texts;
        };
        const Game solved = PracticeGame(figure.mode, 5, solution);
        std::vector<long long> sums;
        REQUIRE(BruteForceEqual(solved.practice, &sums).value());
        // The chip of `one` and a question mark for each other sum the figure allows.
        const auto expected = [&](const std::string& one) {
            std::multiset<std::string> texts{one};
            for (int other = 1; other < PossibleSumCount(figure.mode); ++other)
                texts.insert("?");
            return texts;
        };
        CHECK(chipsOf(solved) == expected(std::to_string(sums.front())));
        // From 6: every line one number larger per place; found, but not made here.
        Game next = Compute(TypeStartText(solved, "6")).game;
        CHECK(chipsOf(next) == expected("✓"));
        for (std::size_t slot = 0; slot < solution.size(); ++slot)
            next =
                DropNumber(std::move(next), solution[slot], PositionOfSlot(figure.mode, int(slot)));
        const auto perLine = static_cast<long long>(ExpectedLines(figure.mode).front().size());
        CHECK(chipsOf(next) == expected(std::to_string(sums.front() + perLine)));
    }
}
