// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What must hold of every puzzle state, whatever led to it. Shared by the sequence
// tests, the fuzz target and the window's event storm. Standard C++ only.

#include "puzzle/puzzle.h"

#include <cstdio>
#include <string>
#include <utility>

namespace velmora::testing {

struct Pair {
    long long first = -1, second = -1, sum = -1;
    bool parsed = false;
};

// Reads "a + b = s" strictly: single blanks, nothing else around.
inline Pair ParsePairText(const std::string& text) {
    Pair pair;
    int consumed = 0;
    if (std::sscanf(text.c_str(), "%lld + %lld = %lld%n", &pair.first, &pair.second, &pair.sum,
                    &consumed) == 3 &&
        std::size_t(consumed) == text.size()) {
        const std::string rebuilt = std::to_string(pair.first) + " + " +
                                    std::to_string(pair.second) + " = " + std::to_string(pair.sum);
        pair.parsed = rebuilt == text;
    }
    return pair;
}

// The series is empty or N..N+len-1 for the figure chosen; every non-empty caption of
// the figure on show is what the series puts there. Returns what is wrong, or "".
inline std::string BrokenInvariant(const PuzzleState& state) {
    long long start = 0;
    if (!state.series.empty()) {
        if (state.series.size() != SeriesLength(state.figureMode))
            return "series length does not match the figure";
        start = std::stoll(state.series.front());
        for (std::size_t i = 0; i < state.series.size(); ++i)
            if (state.series[i] != std::to_string(start + (long long)i))
                return "series is not N..N+len-1";
    }
    if (state.figureMode == FigureMode::Triangle) {
        for (std::size_t k = 0; k < state.triangleCaptions.size(); ++k) {
            const std::string& caption = state.triangleCaptions[k];
            if (!caption.empty() && (state.series.empty() || caption != state.series[k]))
                return "triangle caption " + std::to_string(k) + " is stale: " + caption;
        }
    }
    if (state.figureMode == FigureMode::Rhombus) {
        for (std::size_t v = 0; v < state.rhombusCaptions.size(); ++v) {
            const std::string& caption = state.rhombusCaptions[v];
            if (caption.empty())
                continue;
            const Pair pair = ParsePairText(caption);
            if (state.series.empty() || !pair.parsed || pair.first != start + (long long)v ||
                pair.second != start + 7 - (long long)v || pair.sum != 2 * start + 7)
                return "rhombus caption " + std::to_string(v) + " is stale: " + caption;
        }
    }
    return {};
}

// The seven things a pupil can do to the puzzle, numbered for random and fuzzed
// sequences: 0 choose a figure (argument & 1), 1 type `text`, 2 compute, 3 clear,
// 4 a triangle label, 5 a rhombus label, 6 a list item (argument as the index).
inline constexpr int kActionKinds = 7;

inline PuzzleState Perform(PuzzleState state, int action, int argument, const std::string& text) {
    switch (action) {
    case 0:
        return SelectFigure(std::move(state), static_cast<std::int16_t>(argument & 1));
    case 1:
        return SetStartText(std::move(state), text);
    case 2:
        return GenerateSeries(std::move(state)).state;
    case 3:
        return ClearAll(std::move(state));
    case 4:
        return FillTrianglePosition(std::move(state), argument);
    case 5:
        return FillRhombusVertex(std::move(state), argument);
    default:
        return FillFromList(std::move(state), argument);
    }
}

} // namespace velmora::testing
