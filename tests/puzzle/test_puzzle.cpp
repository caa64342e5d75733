// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/puzzle.h"
#include "puzzle_test_support.h"

#include <QTest>

#include <string>

using namespace velmora;
using namespace velmora::testing;

Q_DECLARE_METATYPE(std::string)

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

class PuzzleTest : public QObject {
    Q_OBJECT

  private slots:
    void startsEmpty() {
        const PuzzleState state = Start();
        QCOMPARE(state.figureMode, FigureMode::None);
        QCOMPARE(state.shownFigure, FigureMode::None);
        QVERIFY(state.series.empty());
        QVERIFY(state.startText.empty());
    }

    void triangleWorkedExample() {
        PuzzleState state = Computed(kTriangle, "7");
        QCOMPARE(state.series, (std::vector<std::string>{"7", "8", "9", "10", "11", "12"}));

        state = FillFromList(state, 4); // list item 11: middle of the base
        QCOMPARE(state.triangleCaptions[4], std::string("11"));
        state = FillTrianglePosition(state, 1); // the apex
        QCOMPARE(state.triangleCaptions[1], std::string("8"));

        state = FillAllByLabel(state);
        QCOMPARE(SideText(state, kTriangleSides[0]), std::string("7,11,9"));
        QCOMPARE(SideText(state, kTriangleSides[1]), std::string("9,10,8"));
        QCOMPARE(SideText(state, kTriangleSides[2]), std::string("8,12,7"));
        QCOMPARE(state.triangleCaptions,
                 (std::array<std::string, 6>{"7", "8", "9", "10", "11", "12"}));
    }

    void rhombusWorkedExample() {
        const PuzzleState state = FillAllByLabel(Computed(kRhombus, "7"));
        QCOMPARE(state.series.size(), std::size_t(8));
        QCOMPARE(state.rhombusCaptions,
                 (std::array<std::string, 4>{"7 + 14 = 21", "8 + 13 = 21", "9 + 12 = 21",
                                             "10 + 11 = 21"}));
    }

    // Either number of a pair fills the same vertex with the same text as its label.
    void rhombusListMatchesLabel_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("vertex");
        QTest::addColumn<std::string>("caption");
        const char* captions[] = {"7 + 14 = 21", "8 + 13 = 21", "9 + 12 = 21", "10 + 11 = 21"};
        const int vertexOfItem[] = {0, 1, 2, 3, 3, 2, 1, 0};
        for (int item = 0; item < 8; ++item)
            QTest::addRow("item %d", item)
                << item << vertexOfItem[item] << std::string(captions[vertexOfItem[item]]);
    }
    void rhombusListMatchesLabel() {
        QFETCH(int, item);
        QFETCH(int, vertex);
        QFETCH(std::string, caption);
        const PuzzleState computed = Computed(kRhombus, "7");
        const PuzzleState byList = FillFromList(computed, item);
        const PuzzleState byLabel = FillRhombusVertex(computed, vertex);
        QCOMPARE(byList.rhombusCaptions[std::size_t(vertex)], caption);
        QCOMPARE(byList.rhombusCaptions, byLabel.rhombusCaptions);
        QVERIFY(byList.triangleCaptions == computed.triangleCaptions);
    }

    // Start texts and the series they give for each figure ("" = nothing generated).
    void seriesFromStartText_data() {
        QTest::addColumn<std::string>("startText");
        QTest::addColumn<int>("first"); // 0: no series
        QTest::newRow("plain") << std::string("7") << 7;
        QTest::newRow("blanks and letters") << std::string("  12abc") << 12;
        QTest::newRow("half to even up") << std::string("7.5") << 8;
        QTest::newRow("half to even down") << std::string("6.5") << 6;
        QTest::newRow("one") << std::string("1") << 1;
        QTest::newRow("half rounds to zero") << std::string("0.5") << 0;
        QTest::newRow("zero") << std::string("0") << 0;
        QTest::newRow("negative") << std::string("-3") << 0;
        QTest::newRow("letters") << std::string("abc") << 0;
        QTest::newRow("empty") << std::string() << 0;
        QTest::newRow("largest") << std::string("32767") << 32767;
    }
    void seriesFromStartText() {
        QFETCH(std::string, startText);
        QFETCH(int, first);
        for (std::int16_t figure : {kTriangle, kRhombus}) {
            const PuzzleState state = Computed(figure, startText);
            if (first == 0) {
                QVERIFY(state.series.empty());
                continue;
            }
            QCOMPARE(state.series.size(), figure == kTriangle ? std::size_t(6) : std::size_t(8));
            for (std::size_t i = 0; i < state.series.size(); ++i)
                QCOMPARE(state.series[i], std::to_string(first + int(i)));
        }
    }

    void computeBeforeFigureGivesNothing() {
        const auto result = GenerateSeries(SetStartText(Start(), "7"));
        QCOMPARE(result.outcome, SeriesOutcome::Generated);
        QVERIFY(result.state.series.empty());
    }

    // 0 and -3 leave an earlier series and the captions as they were.
    void notNaturalKeepsEverything_data() {
        QTest::addColumn<std::string>("startText");
        QTest::newRow("zero") << std::string("0");
        QTest::newRow("negative") << std::string("-3");
        QTest::newRow("letters") << std::string("x");
    }
    void notNaturalKeepsEverything() {
        QFETCH(std::string, startText);
        const PuzzleState before = FillTrianglePosition(Computed(kTriangle, "7"), 2);
        const auto result = GenerateSeries(SetStartText(before, startText));
        QCOMPARE(result.outcome, SeriesOutcome::NotNatural);
        QCOMPARE(result.state, SetStartText(before, startText));
    }

    void switchingFigureEmptiesSeriesKeepsStartText() {
        const PuzzleState triangle = FillAllByLabel(Computed(kTriangle, "5"));
        const PuzzleState rhombus = SelectFigure(triangle, kRhombus);
        QVERIFY(rhombus.series.empty());
        QCOMPARE(rhombus.startText, std::string("5"));
        QCOMPARE(rhombus.figureMode, FigureMode::Rhombus);
        QCOMPARE(rhombus.shownFigure, FigureMode::Rhombus);
        QCOMPARE(GenerateSeries(rhombus).state.series.size(), std::size_t(8));
    }

    // Showing a figure empties its own captions; the hidden figure's stay untouched.
    void showingFigureEmptiesOnlyItsCaptions() {
        PuzzleState state = FillAllByLabel(Computed(kTriangle, "7"));
        state = SelectFigure(state, kRhombus);
        QCOMPARE(state.triangleCaptions[0], std::string("7"));
        state = GenerateSeries(state).state; // empties all captions (stale-mix mend)
        state = FillAllByLabel(state);
        state = SelectFigure(state, kRhombus); // same figure again
        for (const auto& caption : state.rhombusCaptions)
            QVERIFY(caption.empty());
    }

    void otherOptionIndexShowsNoFigure() {
        const PuzzleState triangle = Computed(kTriangle, "7");
        const PuzzleState state = SelectFigure(triangle, 5);
        QCOMPARE(static_cast<int>(state.figureMode), 5);
        QCOMPARE(state.shownFigure, FigureMode::Triangle);
        QVERIFY(state.series.empty());
        QVERIFY(GenerateSeries(state).state.series.empty());
    }

    void clearAll() {
        QCOMPARE(ClearAll(Start()), Start());
        const PuzzleState cleared = ClearAll(FillAllByLabel(Computed(kRhombus, "9")));
        QVERIFY(cleared.series.empty());
        QVERIFY(cleared.startText.empty());
        QCOMPARE(cleared.triangleCaptions, Start().triangleCaptions);
        QCOMPARE(cleared.rhombusCaptions, Start().rhombusCaptions);
        QCOMPARE(cleared.figureMode, FigureMode::Rhombus);
        QCOMPARE(cleared.shownFigure, FigureMode::Rhombus);
    }

    // Label and list fills with too short a series, no selection or a wrong index change nothing.
    void fillsThatDoNothing_data() {
        QTest::addColumn<int>("figure");
        QTest::addColumn<std::string>("startText");
        QTest::addColumn<int>("kind"); // 0 triangle label, 1 rhombus label, 2 list
        QTest::addColumn<int>("index");
        QTest::newRow("triangle label, no series") << 0 << std::string("x") << 0 << 0;
        QTest::newRow("rhombus label, no series") << 1 << std::string("x") << 1 << 0;
        QTest::newRow("rhombus label, triangle series") << 0 << std::string("7") << 1 << 3;
        QTest::newRow("list, no series") << 0 << std::string("x") << 2 << 0;
        QTest::newRow("list, no selection") << 0 << std::string("7") << 2 << -1;
        QTest::newRow("list, past the triangle series") << 0 << std::string("7") << 2 << 6;
        QTest::newRow("list, past the rhombus series") << 1 << std::string("7") << 2 << 8;
        QTest::newRow("triangle label out of range") << 0 << std::string("7") << 0 << 6;
        QTest::newRow("triangle label negative") << 0 << std::string("7") << 0 << -1;
        QTest::newRow("rhombus label out of range") << 1 << std::string("7") << 1 << 4;
    }
    void fillsThatDoNothing() {
        QFETCH(int, figure);
        QFETCH(std::string, startText);
        QFETCH(int, kind);
        QFETCH(int, index);
        const PuzzleState before = Computed(std::int16_t(figure), startText);
        const PuzzleState after = kind == 0   ? FillTrianglePosition(before, index)
                                  : kind == 1 ? FillRhombusVertex(before, index)
                                              : FillFromList(before, index);
        QCOMPARE(after, before);
    }

    void afterClearLabelsDoNothing() {
        const PuzzleState cleared = ClearAll(Computed(kTriangle, "7"));
        QCOMPARE(FillTrianglePosition(cleared, 0), cleared);
    }

    // The largest start number must neither overflow nor wrap on either path.
    void largestStartNumber() {
        PuzzleState state = Computed(kRhombus, "32767");
        QCOMPARE(state.series.back(), std::string("32774"));
        QCOMPARE(FillRhombusVertex(state, 0).rhombusCaptions[0],
                 std::string("32767 + 32774 = 65541"));
        QCOMPARE(FillFromList(state, 7).rhombusCaptions[0], std::string("32767 + 32774 = 65541"));
        state = Computed(kTriangle, "32767");
        QCOMPARE(FillFromList(state, 5).triangleCaptions[5], std::string("32772"));
    }

    // A start number that does not fit 16 bits changes nothing and says so.
    void outOfRangeChangesNothing_data() {
        QTest::addColumn<std::string>("startText");
        QTest::newRow("just above") << std::string("32767.5");
        QTest::newRow("above") << std::string("32768");
        QTest::newRow("far above") << std::string("99999999999");
        QTest::newRow("below") << std::string("-32769");
        QTest::newRow("huge") << std::string(500, '9');
    }
    void outOfRangeChangesNothing() {
        QFETCH(std::string, startText);
        const PuzzleState before =
            SetStartText(FillAllByLabel(Computed(kTriangle, "7")), startText);
        const auto result = GenerateSeries(before);
        QCOMPARE(result.outcome, SeriesOutcome::OutOfRange);
        QCOMPARE(result.state, before);
    }

    // A new series empties the captions of both figures, so no two series ever mix.
    void newSeriesEmptiesCaptions() {
        PuzzleState state = FillAllByLabel(Computed(kTriangle, "7"));
        state = SelectFigure(state, kRhombus);
        state = FillAllByLabel(GenerateSeries(state).state);
        state = SetStartText(SelectFigure(state, kTriangle), "20");
        state = FillTrianglePosition(GenerateSeries(state).state, 0);
        state = GenerateSeries(SetStartText(state, "30")).state;
        QCOMPARE(state.triangleCaptions, Start().triangleCaptions);
        QCOMPARE(state.rhombusCaptions, Start().rhombusCaptions);
        QCOMPARE(state.series.front(), std::string("30"));
    }

    void pairText() {
        QCOMPARE(PairText(7, 14, 21), std::string("7 + 14 = 21"));
        QCOMPARE(PairText(-1, 2.5, 1.5), std::string("-1 + 2.5 = 1.5"));
    }

    // Every start number, both figures, both ways of filling: every side and every
    // pair adds up to the figure's total.
    void everyStartNumberSolves() {
        for (int n = 1; n <= 32767; ++n) {
            const std::string start = std::to_string(n);
            const PuzzleState triangle = Computed(kTriangle, start);
            const PuzzleState rhombus = Computed(kRhombus, start);
            for (const PuzzleState& filled : {FillAllByLabel(triangle), FillAllByList(triangle)}) {
                for (const auto& side : kTriangleSides) {
                    long long sum = 0;
                    for (int position : side) {
                        const std::string& caption = filled.triangleCaptions[std::size_t(position)];
                        QCOMPARE(caption, std::to_string(n + position));
                        sum += std::stoll(caption);
                    }
                    QCOMPARE(sum, 3LL * n + 6);
                }
            }
            for (const PuzzleState& filled : {FillAllByLabel(rhombus), FillAllByList(rhombus)}) {
                for (int v = 0; v < 4; ++v) {
                    const Pair pair = ParsePairText(filled.rhombusCaptions[std::size_t(v)]);
                    QVERIFY2(pair.parsed, filled.rhombusCaptions[std::size_t(v)].c_str());
                    QCOMPARE(pair.first, n + v);
                    QCOMPARE(pair.second, n + 7LL - v);
                    QCOMPARE(pair.sum, 2LL * n + 7);
                }
            }
        }
    }
};

QTEST_APPLESS_MAIN(PuzzleTest)
#include "test_puzzle.moc"
