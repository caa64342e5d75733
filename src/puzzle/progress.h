// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a pupil has done, kept between runs: the equal sums found on each figure, the
// last figure, the mode and the zoom. The figures are levels in the order of Figures();
// a level is done when all its sums are found, and none is ever locked.

#include "puzzle/practice.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace velmora {

struct Progress {
    // Per figure, the sums found, as they are for the numbers from 1: every line has
    // as many cells as the others, so a sum for N is one for 1 moved by (N − 1) per cell.
    std::map<FigureMode, std::vector<std::int64_t>> found;
    FigureMode lastFigure = FigureMode::None;
    bool practice = false;
    int zoom = 100; // per cent, as the front end last showed it
    bool operator==(const Progress&) const = default;
};

// The practice's found sums added to the figure's.
[[nodiscard]] Progress RecordSums(Progress progress, const Practice& practice);
// The figure's found sums for the numbers from `start`, ascending.
[[nodiscard]] std::vector<std::int64_t> FoundSumsFrom(const Progress& progress, FigureMode figure,
                                                      std::int64_t start);
// How many sums the figure allows, and how many of them were found.
[[nodiscard]] int PossibleSumCount(FigureMode figure);
[[nodiscard]] int FoundSumCount(const Progress& progress, FigureMode figure);
[[nodiscard]] bool LevelDone(const Progress& progress, FigureMode figure);
// The first level not done from `from` on (from the first level when None), going round
// to the first: the figure in use while it is not done, else the next; None when all are.
[[nodiscard]] FigureMode SuggestedFigure(const Progress& progress,
                                         FigureMode from = FigureMode::None);
// A level as a list or menu shows it: "1. Магическо V – 2 от 3 суми", "… – готово ✓".
[[nodiscard]] std::string LevelTitle(const Progress& progress, FigureMode figure);

// What «Започни отначало» asks before it erases the sums found.
[[nodiscard]] std::string StartAgainQuestion();

// Progress as one line of text to keep, and back; anything unreadable is left out.
[[nodiscard]] std::string SaveProgress(const Progress& progress);
[[nodiscard]] Progress LoadProgress(const std::string& text);

} // namespace velmora
