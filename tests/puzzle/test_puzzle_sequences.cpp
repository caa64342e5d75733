#include "puzzle/puzzle.h"
#include "puzzle_test_support.h"

#include <QTest>

#include <random>
#include <string>

using namespace velmora;
using namespace velmora::testing;

namespace {

const std::string kStartTexts[] = {"7",    "1",   "0", "-3",    "999",  "12.5",
                                   "  4x", "abc", "",  "32767", "40000"};

// What the series holds, as the pupil would see it, or "" when it breaks the rules.
std::string CheckSeries(const PuzzleState& state, long long& start) {
    if (state.series.empty())
        return {};
    if (state.series.size() != SeriesLength(state.figureMode))
        return "series length does not match the figure";
    start = std::stoll(state.series.front());
    for (std::size_t i = 0; i < state.series.size(); ++i)
        if (state.series[i] != std::to_string(start + (long long)i))
            return "series is not N..N+len-1";
    return {};
}

// Every non-empty caption of the figure on show equals what the series puts there.
std::string CheckCaptions(const PuzzleState& state, long long start) {
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

} // namespace

class PuzzleSequenceTest : public QObject {
    Q_OBJECT

  private slots:
    void randomActionsKeepInvariants() {
        std::mt19937 random(7);
        std::uniform_int_distribution<int> action(0, 6);
        std::uniform_int_distribution<int> anyIndex(-1, 8);
        std::uniform_int_distribution<int> text(0, int(std::size(kStartTexts)) - 1);
        std::uniform_int_distribution<int> figure(0, 1);

        for (int run = 0; run < 20; ++run) {
            PuzzleState state = Start();
            for (int step = 0; step < 500; ++step) {
                const PuzzleState before = state;
                switch (action(random)) {
                case 0:
                    state = SelectFigure(state, std::int16_t(figure(random)));
                    break;
                case 1:
                    state = SetStartText(state, kStartTexts[text(random)]);
                    break;
                case 2:
                    state = GenerateSeries(state).state;
                    break;
                case 3:
                    state = ClearAll(state);
                    break;
                case 4:
                    state = FillTrianglePosition(state, anyIndex(random));
                    break;
                case 5:
                    state = FillRhombusVertex(state, anyIndex(random));
                    break;
                default:
                    state = FillFromList(state, anyIndex(random));
                    break;
                }
                long long start = 0;
                std::string fault = CheckSeries(state, start);
                if (fault.empty())
                    fault = CheckCaptions(state, start);
                QVERIFY2(fault.empty(), (fault + " at run " + std::to_string(run) + " step " +
                                         std::to_string(step))
                                            .c_str());
                if (before.figureMode != FigureMode::None)
                    QVERIFY(state.figureMode != FigureMode::None);
            }
        }
    }
};

QTEST_APPLESS_MAIN(PuzzleSequenceTest)
#include "test_puzzle_sequences.moc"
