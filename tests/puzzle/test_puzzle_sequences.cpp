// SPDX-License-Identifier: GPL-3.0-or-later
#include "game_invariants.h"
#include "puzzle/puzzle.h"
#include "puzzle_test_support.h"

#include <doctest/doctest.h>

#include <random>
#include <string>

using namespace velmora;
using namespace velmora::testing;

namespace {

const std::string kStartTexts[] = {"7",    "1",   "0", "-3",    "999",  "12.5",
                                   "  4x", "abc", "",  "32767", "40000"};

} // namespace

TEST_CASE("random actions keep the puzzle's invariants") {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> action(0, kActionKinds - 1);
    std::uniform_int_distribution<int> anyIndex(-1, 8);
    std::uniform_int_distribution<int> text(0, int(std::size(kStartTexts)) - 1);
    std::uniform_int_distribution<int> figure(0, 1);
    for (int run = 0; run < 20; ++run) {
        PuzzleState state = Start();
        for (int step = 0; step < 500; ++step) {
            const FigureMode before = state.figureMode;
            const int kind = action(random);
            const int argument = kind == 0 ? figure(random) : anyIndex(random);
            state = Perform(state, kind, argument, kStartTexts[text(random)]);
            CAPTURE(run);
            CAPTURE(step);
            REQUIRE(BrokenInvariant(state) == "");
            if (before != FigureMode::None)
                REQUIRE(state.figureMode != FigureMode::None);
        }
    }
}

// Both modes, switched at random: no number on two positions, the verdict always
// that of the sums; the demonstration through the game is the puzzle as it was.
TEST_CASE("random game actions keep the game's invariants") {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> action(0, kGameActionKinds - 1);
    std::uniform_int_distribution<int> anyIndex(-1, 8);
    std::uniform_int_distribution<int> text(0, int(std::size(kStartTexts)) - 1);
    for (int run = 0; run < 40; ++run) {
        Game game = StartGame(run % 2 ? PlayMode::Practice : PlayMode::Demonstration);
        for (int step = 0; step < 500; ++step) {
            const int kind = action(random), argument = anyIndex(random);
            const std::string& typed = kStartTexts[text(random)];
            const Game before = game;
            game = PerformInGame(game, kind, argument, typed);
            CAPTURE(run);
            CAPTURE(step);
            REQUIRE(BrokenGameInvariant(game) == "");
            if (before.mode == PlayMode::Demonstration && kind < kActionKinds)
                REQUIRE(game.puzzle == Perform(before.puzzle, kind, argument, typed));
        }
    }
}
