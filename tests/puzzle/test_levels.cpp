// SPDX-License-Identifier: GPL-3.0-or-later
// A level is done exactly when every sum its figure allows has been found: on every figure,
// for every set of sums found, as the menu, the board and the next level suggested say it.
#include "game_invariants.h"
#include "puzzle/figure.h"
#include "puzzle/progress.h"

#include <doctest/doctest.h>

#include <numeric>
#include <set>
#include <string>
#include <vector>

using namespace velmora;
using namespace velmora::testing;

namespace {

// The equal sums of the figure for the numbers from 1, by trying every placement; the
// star's 12! placements are too many, so its one sum is worked out from its lines: each
// number lies on two of its six lines, 2 × (1 + … + 12) = 6 × 26.
std::vector<std::int64_t> SumsFromOneByHand(FigureMode figure) {
    if (figure == FigureMode::Star)
        return {26};
    std::vector<std::string> series;
    for (int i = 0; i < SlotCount(figure); ++i)
        series.push_back(std::to_string(1 + i));
    Practice p = NewPractice(figure, series);
    std::vector<int> cells(static_cast<std::size_t>(SlotCount(figure)));
    std::iota(cells.begin(), cells.end(), 0);
    std::set<std::int64_t> sums;
    do {
        p.placed = cells;
        std::vector<long long> lines;
        if (BruteForceEqual(p, &lines).value())
            sums.insert(lines.front());
    } while (std::next_permutation(cells.begin(), cells.end()));
    return {sums.begin(), sums.end()};
}

} // namespace

TEST_CASE("a level is done exactly when all its sums are found") {
    for (const Figure& figure : Figures()) {
        CAPTURE(figure.key);
        const std::vector<std::int64_t> all = SumsFromOneByHand(figure.mode);
        REQUIRE(PossibleSumCount(figure.mode) == int(all.size()));
        for (unsigned mask = 0; mask < (1u << all.size()); ++mask) {
            Progress progress;
            Practice found = NewPractice(figure.mode, {});
            found.numbers.assign(std::size_t(SlotCount(figure.mode)), 0);
            std::iota(found.numbers.begin(), found.numbers.end(), 1);
            for (std::size_t i = 0; i < all.size(); ++i)
                if (mask & (1u << i))
                    found.foundSums.push_back(all[i]);
            progress = RecordSums(progress, found);
            const bool complete = found.foundSums.size() == all.size();
            CAPTURE(found.foundSums.size());
            CHECK(LevelDone(progress, figure.mode) == complete);
            CHECK((LevelTitle(progress, figure.mode).find("готово") != std::string::npos) ==
                  complete);
            // The level in use is suggested until it is done, then the next one.
            CHECK((SuggestedFigure(progress, figure.mode) == figure.mode) == !complete);
            // And so it reads back.
            CHECK(LevelDone(LoadProgress(SaveProgress(progress)), figure.mode) == complete);
        }
    }
}
