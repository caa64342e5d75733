// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shared helpers for the puzzle tests: building states the way a pupil would and
// reading captions back independently of the code under test.

#include "puzzle/puzzle.h"
#include "puzzle_invariants.h"

#include <array>
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

} // namespace velmora::testing
