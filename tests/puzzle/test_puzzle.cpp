// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/puzzle.h"
#include "puzzle_test_support.h"

#include <doctest/doctest.h>

#include <string>

using namespace velmora;
using namespace velmora::testing;

namespace {

// Text of a triangle side as the statement writes it: "7,11,9".
std::string SideText(const PuzzleState& state, const std::array<int, 3>& side) {
    std::string text;
    for (int position : side)
        text += (text.empty() ? "" : ",") + state.triangleCaptions[std::size_t(position)];
    return text;
}

PuzzleState FillAllByLabel(PuzzleState state) {
    for (int k = 0; k < 6; ++k)
        state = FillTrianglePosition(std::move(state), k);
    for (int v = 0; v < 4; ++v)
        state = FillRhombusVertex(std::move(state), v);
    return state;
}

PuzzleState FillAllByList(PuzzleState state) {
    for (int k = 0; k < int(state.series.size()); ++k)
        state = FillFromList(std::move(state), k);
    return state;
}

} // namespace

TEST_CASE("a new puzzle is empty") {
    const PuzzleState state = Start();
    CHECK(state.figureMode == FigureMode::None);
    CHECK(state.shownFigure == FigureMode::None);
    CHECK(state.series.empty());
    CHECK(state.startText.empty());
}

TEST_CASE("the triangle's worked example") {
    PuzzleState state = Computed(kTriangle, "7");
    CHECK(state.series == std::vector<std::string>{"7", "8", "9", "10", "11", "12"});

    state = FillFromList(state, 4); // list item 11: middle of the base
    CHECK(state.triangleCaptions[4] == "11");
    state = FillTrianglePosition(state, 1); // the apex
    CHECK(state.triangleCaptions[1] == "8");

    state = FillAllByLabel(state);
    CHECK(SideText(state, kTriangleSides[0]) == "7,11,9");
    CHECK(SideText(state, kTriangleSides[1]) == "9,10,8");
    CHECK(SideText(state, kTriangleSides[2]) == "8,12,7");
}

TEST_CASE("the rhombus's worked example") {
    const PuzzleState state = FillAllByLabel(Computed(kRhombus, "7"));
    CHECK(state.series.size() == 8);
    CHECK(state.rhombusCaptions ==
          std::array<std::string, 4>{"7 + 14 = 21", "8 + 13 = 21", "9 + 12 = 21", "10 + 11 = 21"});
}

// Either number of a pair fills the same vertex with the same text as its label.
TEST_CASE("a rhombus list item fills its label's vertex") {
    const PuzzleState computed = Computed(kRhombus, "7");
    const int vertexOfItem[] = {0, 1, 2, 3, 3, 2, 1, 0};
    for (int item = 0; item < 8; ++item) {
        CAPTURE(item);
        const int vertex = vertexOfItem[item];
        const PuzzleState byList = FillFromList(computed, item);
        CHECK(byList.rhombusCaptions == FillRhombusVertex(computed, vertex).rhombusCaptions);
        CHECK(ParsePairText(byList.rhombusCaptions[std::size_t(vertex)]).first == 7 + vertex);
        CHECK(byList.triangleCaptions == computed.triangleCaptions);
    }
}

// Start texts and the series they give for each figure (0: nothing generated).
TEST_CASE("the series from the start text") {
    const struct {
        std::string startText;
        int first;
    } rows[] = {{"7", 7}, {"  12abc", 12}, {"7.5", 8}, {"6.5", 6}, {"1", 1},        {"0.5", 0},
                {"0", 0}, {"-3", 0},       {"abc", 0}, {"", 0},    {"32767", 32767}};
    for (const auto& row : rows)
        for (std::int16_t figure : {kTriangle, kRhombus}) {
            CAPTURE(row.startText);
            CAPTURE(figure);
            std::vector<std::string> expected;
            for (std::size_t i = 0; row.first && i < (figure == kTriangle ? 6u : 8u); ++i)
                expected.push_back(std::to_string(row.first + int(i)));
            CHECK(Computed(figure, row.startText).series == expected);
        }
}

TEST_CASE("compute before a figure gives nothing") {
    const auto result = GenerateSeries(SetStartText(Start(), "7"));
    CHECK(result.outcome == SeriesOutcome::Generated);
    CHECK(result.state.series.empty());
}

// 0, -3 and letters leave an earlier series and the captions as they were.
TEST_CASE("a start that is not natural keeps everything") {
    for (const std::string startText : {"0", "-3", "x"}) {
        CAPTURE(startText);
        const PuzzleState before =
            SetStartText(FillTrianglePosition(Computed(kTriangle, "7"), 2), startText);
        const auto result = GenerateSeries(before);
        CHECK(result.outcome == SeriesOutcome::NotNatural);
        CHECK(result.state == before);
    }
}

TEST_CASE("switching the figure empties the series and keeps the start text") {
    const PuzzleState rhombus = SelectFigure(FillAllByLabel(Computed(kTriangle, "5")), kRhombus);
    CHECK(rhombus.series.empty());
    CHECK(rhombus.startText == "5");
    CHECK(rhombus.figureMode == FigureMode::Rhombus);
    CHECK(rhombus.shownFigure == FigureMode::Rhombus);
    CHECK(GenerateSeries(rhombus).state.series.size() == 8);
}

// Showing a figure empties its own captions; the hidden figure's stay untouched.
TEST_CASE("showing a figure empties only its captions") {
    PuzzleState state = SelectFigure(FillAllByLabel(Computed(kTriangle, "7")), kRhombus);
    CHECK(state.triangleCaptions[0] == "7");
    state = FillAllByLabel(GenerateSeries(state).state);
    state = SelectFigure(state, kRhombus); // same figure again
    CHECK(state.rhombusCaptions == Start().rhombusCaptions);
}

TEST_CASE("another option index shows no figure") {
    const PuzzleState state = SelectFigure(Computed(kTriangle, "7"), 5);
    CHECK(static_cast<int>(state.figureMode) == 5);
    CHECK(state.shownFigure == FigureMode::Triangle);
    CHECK(state.series.empty());
    CHECK(GenerateSeries(state).state.series.empty());
}

TEST_CASE("clear") {
    CHECK(ClearAll(Start()) == Start());
    const PuzzleState cleared = ClearAll(FillAllByLabel(Computed(kRhombus, "9")));
    PuzzleState expected = Start();
    expected.figureMode = expected.shownFigure = FigureMode::Rhombus;
    CHECK(cleared == expected);
    CHECK(FillRhombusVertex(cleared, 0) == cleared); // the labels do nothing after it
}

// Label and list fills with too short a series, no selection or a wrong index change nothing.
TEST_CASE("fills that do nothing") {
    const struct {
        const char* name;
        int figure;
        std::string startText;
        int kind; // 0 triangle label, 1 rhombus label, 2 list
        int index;
    } rows[] = {
        {"triangle label, no series", 0, "x", 0, 0},
        {"rhombus label, no series", 1, "x", 1, 0},
        {"rhombus label, triangle series", 0, "7", 1, 3},
        {"list, no series", 0, "x", 2, 0},
        {"list, no selection", 0, "7", 2, -1},
        {"list, past the triangle series", 0, "7", 2, 6},
        {"list, past the rhombus series", 1, "7", 2, 8},
        {"triangle label out of range", 0, "7", 0, 6},
        {"triangle label negative", 0, "7", 0, -1},
        {"rhombus label out of range", 1, "7", 1, 4},
    };
    for (const auto& row : rows) {
        CAPTURE(row.name);
        const PuzzleState before = Computed(std::int16_t(row.figure), row.startText);
        const PuzzleState after = row.kind == 0   ? FillTrianglePosition(before, row.index)
                                  : row.kind == 1 ? FillRhombusVertex(before, row.index)
                                                  : FillFromList(before, row.index);
        CHECK(after == before);
    }
}

// The largest start number must neither overflow nor wrap on either path.
TEST_CASE("the largest start number") {
    PuzzleState state = Computed(kRhombus, "32767");
    CHECK(state.series.back() == "32774");
    CHECK(FillRhombusVertex(state, 0).rhombusCaptions[0] == "32767 + 32774 = 65541");
    CHECK(FillFromList(state, 7).rhombusCaptions[0] == "32767 + 32774 = 65541");
    state = Computed(kTriangle, "32767");
    CHECK(FillFromList(state, 5).triangleCaptions[5] == "32772");
}

// A start number that does not fit 16 bits changes nothing and says so.
TEST_CASE("a start out of range changes nothing") {
    const std::string startTexts[] = {"32767.5", "32768", "99999999999", "-32769",
                                      std::string(500, '9')};
    for (const std::string& startText : startTexts) {
        CAPTURE(startText);
        const PuzzleState before =
            SetStartText(FillAllByLabel(Computed(kTriangle, "7")), startText);
        const auto result = GenerateSeries(before);
        CHECK(result.outcome == SeriesOutcome::OutOfRange);
        CHECK(result.state == before);
    }
}

// A new series empties the captions of both figures, so no two series ever mix.
TEST_CASE("a new series empties the captions") {
    PuzzleState state = FillAllByLabel(Computed(kTriangle, "7"));
    state = SelectFigure(state, kRhombus);
    state = FillAllByLabel(GenerateSeries(state).state);
    state = SetStartText(SelectFigure(state, kTriangle), "20");
    state = FillTrianglePosition(GenerateSeries(state).state, 0);
    state = GenerateSeries(SetStartText(state, "30")).state;
    CHECK(state.triangleCaptions == Start().triangleCaptions);
    CHECK(state.rhombusCaptions == Start().rhombusCaptions);
    CHECK(state.series.front() == "30");
}

TEST_CASE("pair text") {
    CHECK(PairText(7, 14, 21) == "7 + 14 = 21");
    CHECK(PairText(-1, 2.5, 1.5) == "-1 + 2.5 = 1.5");
}

// Every start number, both figures, both ways of filling: every side and every
// pair adds up to the figure's total.
TEST_CASE("every start number solves") {
    for (int n = 1; n <= 32767; ++n) {
        const std::string start = std::to_string(n);
        const PuzzleState triangle = Computed(kTriangle, start);
        const PuzzleState rhombus = Computed(kRhombus, start);
        for (const PuzzleState& filled : {FillAllByLabel(triangle), FillAllByList(triangle)})
            for (std::size_t k = 0; k < 6; ++k)
                if (filled.triangleCaptions[k] != std::to_string(n + int(k))) {
                    CAPTURE(n);
                    REQUIRE(filled.triangleCaptions[k] == std::to_string(n + int(k)));
                }
        for (const PuzzleState& filled : {FillAllByLabel(rhombus), FillAllByList(rhombus)})
            for (int v = 0; v < 4; ++v) {
                const Pair pair = ParsePairText(filled.rhombusCaptions[std::size_t(v)]);
                if (!pair.parsed || pair.first != n + v || pair.second != n + 7LL - v ||
                    pair.sum != 2LL * n + 7) {
                    CAPTURE(n);
                    REQUIRE(filled.rhombusCaptions[std::size_t(v)] ==
                            std::to_string(n + v) + " + " + std::to_string(n + 7 - v) + " = " +
                                std::to_string(2 * n + 7));
                }
            }
    }
}
