// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

// Which figure the pupil chose. Holds the index of the last option clicked; the
// demonstration shows the first two, practice every one (figure.h).
enum class FigureMode : std::int16_t {
    None = -1,
    Triangle = 0,
    Rhombus = 1,
    V = 2,
    BigTriangle = 3,
    Star = 4,
    Square = 5,
};

inline constexpr std::size_t kTrianglePositions = 6;
inline constexpr std::size_t kRhombusVertices = 4;

// How many consecutive numbers the demonstration lists: 6 for the triangle, 8 for the
// rhombus, none for a figure it does not show.
[[nodiscard]] std::size_t SeriesLength(FigureMode mode) noexcept;

// Everything the window shows of the puzzle. A plain value: every action takes a
// state and returns the next one, so a caller can keep the old one if showing fails.
struct PuzzleState {
    FigureMode figureMode = FigureMode::None;
    // The figure whose labels are on show; None until the first figure is chosen.
    FigureMode shownFigure = FigureMode::None;
    std::string startText;
    // Item i is the text of N + i, N being the start number when it was generated.
    std::vector<std::string> series;
    // Triangle position k always shows series item k:
    // 0 bottom-left, 1 apex, 2 bottom-right, 3 right side, 4 base, 5 left side.
    std::array<std::string, kTrianglePositions> triangleCaptions;
    // Rhombus vertex v always shows items v and 7 - v: 0 top, 1 left, 2 bottom, 3 right.
    std::array<std::string, kRhombusVertices> rhombusCaptions;

    bool operator==(const PuzzleState&) const = default;
};

enum class SeriesOutcome {
    Generated,  // N >= 1: a fresh series (empty while no figure is chosen)
    NotNatural, // N < 1: nothing changed, nothing to tell the pupil
    OutOfRange, // the start number does not fit -32768..32767: nothing changed
};

struct SeriesResult {
    PuzzleState state;
    SeriesOutcome outcome;
};

// The state when the window opens: no figure, empty series and captions.
[[nodiscard]] PuzzleState Start();

// The pupil typed into the start box; nothing is checked until the series is generated.
[[nodiscard]] PuzzleState SetStartText(PuzzleState state, std::string text);

// Option `index` was clicked: empties the series, records the figure and shows its
// labels with empty captions. An index other than 0 or 1 shows no figure.
[[nodiscard]] PuzzleState SelectFigure(PuzzleState state, std::int16_t index);

// Lists N, N+1, ... for the chosen figure, N being the start text rounded. A new
// series also empties every caption, so the figure never mixes two series.
[[nodiscard]] SeriesResult GenerateSeries(PuzzleState state);

// Empties the series, the start text and every caption; keeps the figure.
[[nodiscard]] PuzzleState ClearAll(PuzzleState state);

// Triangle position `position` (0..5) shows its series item; needs 6 items.
[[nodiscard]] PuzzleState FillTrianglePosition(PuzzleState state, int position);

// Rhombus vertex `vertex` (0..3) shows its pair and the sum; needs 8 items.
[[nodiscard]] PuzzleState FillRhombusVertex(PuzzleState state, int vertex);

// The list item `selectedIndex` was clicked: fills the position of the chosen figure
// that shows it. -1 (no selection) or an index outside the series does nothing.
[[nodiscard]] PuzzleState FillFromList(PuzzleState state, int selectedIndex);

// The rhombus caption, e.g. "7 + 14 = 21".
[[nodiscard]] std::string PairText(double first, double second, double sum);

} // namespace velmora
