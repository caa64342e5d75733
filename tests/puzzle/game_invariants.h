// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What must hold of every game, in either mode, whatever led to it; and the actions a
// pupil can take, numbered for random and fuzzed sequences. Shared by the sequence
// test, the fuzz target and the window's event storm. Standard C++ only.

#include "puzzle/game.h"
#include "puzzle_invariants.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velmora::testing {

// The lines as the rules state them, kept apart from the code under test.
// Cells: the triangles' corners first (bottom-left, apex, bottom-right); the V from its
// top left down and up again; the star's points P0..P5 clockwise from the top with the
// inner places I0..I5 between them as P0 I0 I1 P2 P1 I2 P3 I3 P4 I4 P5 I5; the square
// row by row.
inline const std::vector<std::vector<int>>& ExpectedLines(FigureMode figure) {
    static const std::map<FigureMode, std::vector<std::vector<int>>> lines{
        {FigureMode::Triangle, {{0, 4, 2}, {2, 3, 1}, {1, 5, 0}}},
        {FigureMode::Rhombus, {{0, 1}, {2, 3}, {4, 5}, {6, 7}}},
        {FigureMode::V, {{0, 1, 2}, {2, 3, 4}}},
        {FigureMode::BigTriangle, {{0, 5, 6, 2}, {2, 3, 4, 1}, {1, 7, 8, 0}}},
        {FigureMode::Star,
         {{10, 11, 1, 4}, {3, 5, 7, 8}, {0, 1, 2, 3}, {8, 9, 11, 0}, {4, 2, 5, 6}, {6, 7, 9, 10}}},
        {FigureMode::Square,
         {{0, 1, 2}, {3, 4, 5}, {6, 7, 8}, {0, 3, 6}, {1, 4, 7}, {2, 5, 8}, {0, 4, 8}, {2, 4, 6}}}};
    return lines.at(figure);
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
    if (!std::includes(p.foundSums.begin(), p.foundSums.end(), p.madeSums.begin(),
                       p.madeSums.end()))
        return "a sum made with these numbers is not among the level's";
    return {};
}

inline std::string BrokenGameInvariant(const Game& game) {
    // The demonstration's rules hold of its own figures; practice lists any figure's series.
    const bool demonstrated = game.puzzle.figureMode == FigureMode::Triangle ||
                              game.puzzle.figureMode == FigureMode::Rhombus ||
                              game.mode == PlayMode::Demonstration;
    const std::string puzzle = demonstrated ? BrokenInvariant(game.puzzle) : "";
    return puzzle.empty() ? BrokenPracticeInvariant(game) : puzzle;
}

// The things a pupil can do in either mode: 0 choose a figure option (argument & 1), 1
// type `text`, 2 compute, 3 clear, 4 a triangle position, 5 a rhombus vertex, 6 a list
// item, 7 a hint, 8 show the solution, 9 switch mode (argument & 1: practice), 10 a place
// of any figure, 11 start the progress afresh, 12 a figure from the menu (argument % 6),
// 13 a number dragged onto a place (another place for each number), 14 a number given back.
inline constexpr int kGameActionKinds = 15;

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
    case 10:
        return ClickPosition(std::move(game), argument);
    case 11:
        return ForgetProgress(std::move(game));
    case 12:
        return ChooseFigure(std::move(game), static_cast<std::int16_t>(argument % 6));
    case 13:
        return DropNumber(std::move(game), argument, (argument * 5 + 2) % 10 - 1);
    case 14:
        return ReturnNumber(std::move(game), argument);
    default:
        return SwitchMode(std::move(game),
                          argument & 1 ? PlayMode::Practice : PlayMode::Demonstration);
    }
}

} // namespace velmora::testing
