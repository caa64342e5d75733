// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shared helpers for the puzzle tests: building states the way a pupil would and
// reading captions back independently of the code under test; and lists shown as
// lists when a check fails.

#include "puzzle/puzzle.h"
#include "puzzle_invariants.h"

#include <doctest/doctest.h>

#include <array>
#include <string>
#include <vector>

namespace doctest {
template <typename T> struct StringMaker<std::vector<T>> {
    static String convert(const std::vector<T>& values) {
        String text = "{";
        for (std::size_t i = 0; i < values.size(); ++i)
            text += (i ? ", " : "") + toString(values[i]);
        return text + "}";
    }
};
} // namespace doctest

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

} // namespace velmora::testing
