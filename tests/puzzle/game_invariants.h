// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What must hold of every game, in either mode, whatever led to it; and the actions a
// pupil can take, numbered for random and fuzzed sequences. Shared by the sequence
// test, the fuzz target and the window's event storm. Standard C++ only.

#include "puzzle/game.h"
#include "puzzle_invariants.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velmora::testing {

// The lines as the rules state them, kept apart from the code under test.
inline const std::vector<std::vector<int>>& ExpectedLines(FigureMode figure) {
    static const std::vector<std::vector<int>> triangle{{0, 4, 2}, {2, 3, 1}, {1, 5, 0}};
    static const std::vector<std::vector<int>> rhombus{{0, 1}, {2, 3}, {4, 5}, {6, 7}};
    return figure == FigureMode::Triangle ? triangle : rhombus;
}

// The verdict worked out from the cells alone: nullopt while incomplete, else
// whether all line sums agree.
inline std::optional<bool> BruteForceEqual(const Practice& p,
                                           std::vector<long long>* sums = nullptr) {
    std::vector<long long> totals;
    for (const std::vector<int>& line : ExpectedLines(p.figure)) {
        long long total = 0;
        for (int slot : line) {
            const int index = p.placed[std::size_t(slot)];
            if (index < 0)
                return std::nullopt;
            total += p.numbers[std::size_t(index)];
        }
        totals.push_back(total);
    }
    if (sums)
        *sums = totals;
    return std::all_of(totals.begin(), totals.end(), [&](long long t) { return t == totals[0]; });
}

// Returns what is wrong with the practice part of `game`, or "".
inline std::string BrokenPracticeInvariant(const Game& game) {
    const Practice& p = game.practice;
    if (game.mode == PlayMode::Demonstration)
        return p == Practice{} ? "" : "the demonstration holds a practice placement";
    // The hidden figure keeps its demonstration captions, as it always did.
    const auto& shown = game.puzzle.shownFigure == FigureMode::Triangle
                            ? std::vector<std::string>(game.puzzle.triangleCaptions.begin(),
                                                       game.puzzle.triangleCaptions.end())
                            : std::vector<std::string>(game.puzzle.rhombusCaptions.begin(),
                                                       game.puzzle.rhombusCaptions.end());
    for (const std::string& caption : shown)
        if (!caption.empty())
            return "practice shows a demonstration caption";
    if (p.placed.empty())
        return p.numbers.empty() ? "" : "numbers without cells";
    if (p.figure != game.puzzle.figureMode || p.numbers.size() != game.puzzle.series.size())
        return "the practice is not for the series on show";
    for (std::size_t i = 0; i < p.numbers.size(); ++i)
        if (std::to_string(p.numbers[i]) != game.puzzle.series[i])
            return "the practice numbers differ from the list";
    std::vector<int> seen(p.numbers.size(), 0);
    for (int index : p.placed) {
        if (index < -1 || index >= int(p.numbers.size()))
            return "a slot holds no number of the series";
        if (index >= 0 && ++seen[std::size_t(index)] > 1)
            return "number " + std::to_string(p.numbers[std::size_t(index)]) +
                   " sits on two positions";
    }
    if (p.figure == FigureMode::Rhombus)
        for (std::size_t v = 0; v < 4; ++v)
            if (p.placed[2 * v] < 0 && p.placed[2 * v + 1] >= 0)
                return "a vertex holds a second number but no first";
    const Verdict verdict = Judge(p);
    const std::optional<bool> equal = BruteForceEqual(p);
    const VerdictKind expected = !equal   ? VerdictKind::Incomplete
                                 : *equal ? VerdictKind::Solved
                                          : VerdictKind::Unequal;
    if (verdict.kind != expected)
        return "the verdict differs from the sums";
    if (!std::is_sorted(p.foundSums.begin(), p.foundSums.end()))
        return "found sums out of order";
    return {};
}

inline std::string BrokenGameInvariant(const Game& game) {
    const std::string puzzle = BrokenInvariant(game.puzzle);
    return puzzle.empty() ? BrokenPracticeInvariant(game) : puzzle;
}

// The things a pupil can do in either mode: 0 choose a figure (argument & 1), 1 type
// `text`, 2 compute, 3 clear, 4 a triangle position, 5 a rhombus vertex, 6 a list item,
// 7 a hint, 8 show the solution, 9 switch mode (argument & 1: practice).
inline constexpr int kGameActionKinds = 10;

inline Game PerformInGame(Game game, int action, int argument, const std::string& text) {
    switch (action) {
    case 0:
        return ChooseFigure(std::move(game), static_cast<std::int16_t>(argument & 1));
    case 1:
        return TypeStartText(std::move(game), text);
    case 2:
        return Compute(std::move(game)).game;
    case 3:
        return Clear(std::move(game));
    case 4:
        return ClickTriangle(std::move(game), argument);
    case 5:
        return ClickRhombus(std::move(game), argument);
    case 6:
        return ClickListItem(std::move(game), argument);
    case 7:
        return AskHint(std::move(game)).game;
    case 8:
        return RevealSolution(std::move(game));
    default:
        return SwitchMode(std::move(game),
                          argument & 1 ? PlayMode::Practice : PlayMode::Demonstration);
    }
}

} // namespace velmora::testing
