#pragma once

// Shared helpers for the puzzle tests: building states the way a pupil would and
// reading captions back independently of the code under test.

#include "puzzle/puzzle.h"

#include <array>
#include <cstdio>
#include <string>

namespace velmora::testing {

inline constexpr std::int16_t kTriangle = 0;
inline constexpr std::int16_t kRhombus = 1;

// Figure chosen, start text typed, compute pressed.
inline PuzzleState Computed(std::int16_t figure, const std::string& startText) {
    return GenerateSeries(SetStartText(SelectFigure(Start(), figure), startText)).state;
}

// The triangle sides as triples of positions: base, right side, left side.
inline constexpr std::array<std::array<int, 3>, 3> kTriangleSides{
    {{0, 4, 2}, {2, 3, 1}, {1, 5, 0}}};

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

} // namespace velmora::testing
