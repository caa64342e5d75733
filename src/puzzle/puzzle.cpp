// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/puzzle.h"

#include "puzzle/number_text.h"

#include <utility>

namespace velmora {
namespace {

constexpr std::size_t kRhombusSeries = 8;

void EmptyCaptions(PuzzleState& state) {
    state.triangleCaptions.fill({});
    state.rhombusCaptions.fill({});
}

// The vertex showing list item k: items k and 7 - k share a vertex.
int VertexOfItem(int item) {
    return item < 4 ? item : 7 - item;
}

double ItemValue(const PuzzleState& state, int item) {
    return TextToNumber(state.series[static_cast<std::size_t>(item)]);
}

} // namespace

std::size_t SeriesLength(FigureMode mode) noexcept {
    switch (mode) {
    case FigureMode::Triangle:
        return kTrianglePositions;
    case FigureMode::Rhombus:
        return kRhombusSeries;
    default:
        return 0;
    }
}

PuzzleState Start() {
    return PuzzleState{};
}

PuzzleState SetStartText(PuzzleState state, std::string text) {
    state.startText = std::move(text);
    return state;
}

PuzzleState SelectFigure(PuzzleState state, std::int16_t index) {
    state.series.clear();
    state.figureMode = static_cast<FigureMode>(index);
    if (state.figureMode == FigureMode::Triangle) {
        state.shownFigure = FigureMode::Triangle;
        state.triangleCaptions.fill({});
    } else if (state.figureMode == FigureMode::Rhombus) {
        state.shownFigure = FigureMode::Rhombus;
        state.rhombusCaptions.fill({});
    }
    return state;
}

SeriesResult GenerateSeries(PuzzleState state) {
    const auto start = RoundToInt16(TextToNumber(state.startText));
    if (!start)
        return {std::move(state), SeriesOutcome::OutOfRange};
    if (*start < 1)
        return {std::move(state), SeriesOutcome::NotNatural};

    state.series.clear();
    const std::size_t length = SeriesLength(state.figureMode);
    for (std::size_t i = 0; i < length; ++i) {
        const std::int32_t item = *start + static_cast<std::int32_t>(i);
        state.series.push_back(NumberToText(item));
    }
    EmptyCaptions(state);
    return {std::move(state), SeriesOutcome::Generated};
}

PuzzleState ClearAll(PuzzleState state) {
    state.series.clear();
    state.startText.clear();
    EmptyCaptions(state);
    return state;
}

PuzzleState FillTrianglePosition(PuzzleState state, int position) {
    if (state.series.size() < kTrianglePositions || position < 0 ||
        position >= static_cast<int>(kTrianglePositions))
        return state;
    const auto k = static_cast<std::size_t>(position);
    state.triangleCaptions[k] = state.series[k];
    return state;
}

PuzzleState FillRhombusVertex(PuzzleState state, int vertex) {
    if (state.series.size() < kRhombusSeries || vertex < 0 ||
        vertex >= static_cast<int>(kRhombusVertices))
        return state;
    const double first = ItemValue(state, vertex);
    const double second = ItemValue(state, 7 - vertex);
    state.rhombusCaptions[static_cast<std::size_t>(vertex)] =
        PairText(first, second, RoundHalfEven(first + second));
    return state;
}

PuzzleState FillFromList(PuzzleState state, int selectedIndex) {
    if (selectedIndex < 0 || selectedIndex >= static_cast<int>(state.series.size()))
        return state;
    const auto k = static_cast<std::size_t>(selectedIndex);

    if (state.figureMode == FigureMode::Triangle && k < kTrianglePositions)
        state.triangleCaptions[k] = state.series[k];

    if (state.figureMode == FigureMode::Rhombus && state.series.size() >= kRhombusSeries) {
        const int vertex = VertexOfItem(selectedIndex);
        const double first = ItemValue(state, vertex);
        const double second = RoundHalfEven(ItemValue(state, 7 - vertex));
        state.rhombusCaptions[static_cast<std::size_t>(vertex)] =
            PairText(first, second, first + second);
    }
    return state;
}

std::string PairText(double first, double second, double sum) {
    return NumberToText(first) + " + " + NumberToText(second) + " = " + NumberToText(sum);
}

} // namespace velmora
