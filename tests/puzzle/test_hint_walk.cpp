// SPDX-License-Identifier: GPL-3.0-or-later
// A pupil who presses «Подсказка» and does what it says reaches a solution, from any
// placement and whatever sums were found before; and a hint never comes again while the
// pupil has not acted on it.
#include "game_invariants.h"
#include "puzzle/coach.h"
#include "puzzle/figure.h"
#include "puzzle/practice.h"

#include <doctest/doctest.h>

#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <vector>

using namespace velmora;
using namespace velmora::testing;

namespace {

Practice Fresh(FigureMode figure, int start) {
    std::vector<std::string> series;
    for (int i = 0; i < SlotCount(figure); ++i)
        series.push_back(std::to_string(start + i));
    return NewPractice(figure, series);
}

// What the pupil does after a hint: nothing after a question or a plan (they press again).
Practice Follow(Practice p, const HintClaim& claim) {
    switch (claim.kind) {
    case HintKind::Place:
        return Place(std::move(p), claim.number, claim.position); // kept if already there
    case HintKind::Move:
        return Place(std::move(p), claim.number, claim.target);
    case HintKind::Blocking:
    case HintKind::OffTarget:
    case HintKind::WrongPair:
        return TakeBackNumber(std::move(p), claim.number);
    default:
        return p;
    }
}

// Presses until solved; returns how many presses it took, or -1 when it stalled.
int Walk(Practice p, int limit) {
    HintClaim previous;
    bool acted = true;
    for (int press = 1; press <= limit; ++press) {
        const Coaching coaching = Hint(p);
        const HintClaim& claim = coaching.claim;
        if (claim.kind == HintKind::Solved || claim.kind == HintKind::AllFound)
            return press;
        if (!acted && claim == previous)
            return -1; // the same hint again, with nothing done in between
        const Practice before = coaching.practice;
        p = Follow(coaching.practice, claim);
        acted = !(p.placed == before.placed) || claim.kind == HintKind::Place;
        previous = claim;
        if (BruteForceEqual(p).value_or(false))
            return press;
    }
    return -1;
}

// Every placement of `figure`'s numbers into its slots, partial ones included.
void EachPlacement(int slots, std::vector<int>& cells, std::size_t slot, std::vector<bool>& used,
                   const std::function<void()>& visit) {
    if (slot == cells.size()) {
        visit();
        return;
    }
    cells[slot] = -1;
    EachPlacement(slots, cells, slot + 1, used, visit);
    for (int n = 0; n < slots; ++n)
        if (!used[std::size_t(n)]) {
            used[std::size_t(n)] = true;
            cells[slot] = n;
            EachPlacement(slots, cells, slot + 1, used, visit);
            used[std::size_t(n)] = false;
        }
}

Practice WithPlacement(Practice p, const std::vector<int>& cells,
                       const std::vector<std::int64_t>& found) {
    p.foundSums = found;
    for (std::size_t s = 0; s < cells.size(); ++s)
        if (cells[s] >= 0)
            p = Place(std::move(p), cells[s], PositionOfSlot(p.figure, int(s)));
    p.foundSums = found; // placing may have found one; the test chooses them
    return p;
}

// Every subset of the figure's possible sums, or `count` random ones.
std::vector<std::vector<std::int64_t>> FoundSets(const Practice& p, std::mt19937& random,
                                                 int count) {
    const std::size_t n = p.possibleSums.size();
    std::vector<std::vector<std::int64_t>> sets;
    for (unsigned mask = 0; mask < (1u << n); ++mask) {
        if (count > 0 && random() % (1u << n) >= unsigned(count))
            continue;
        std::vector<std::int64_t> set;
        for (std::size_t i = 0; i < n; ++i)
            if (mask & (1u << i))
                set.push_back(p.possibleSums[i]);
        sets.push_back(set);
    }
    return sets;
}

} // namespace

TEST_CASE("the hints reach a solution from every placement, whatever sums were found") {
    std::mt19937 random(3);
    struct Case {
        FigureMode figure;
        int start;
        int foundSets; // 0: every subset of the possible sums
    };
    for (const Case& c : std::vector<Case>{{FigureMode::V, 20, 0}, {FigureMode::Triangle, 1, 3}}) {
        const Practice empty = Fresh(c.figure, c.start);
        const int slots = SlotCount(c.figure);
        std::vector<int> cells(static_cast<std::size_t>(slots));
        std::vector<bool> used(static_cast<std::size_t>(slots), false);
        int walks = 0;
        EachPlacement(slots, cells, 0, used, [&] {
            for (const auto& found : FoundSets(empty, random, c.foundSets)) {
                const Practice p = WithPlacement(empty, cells, found);
                if (BruteForceEqual(p).value_or(false))
                    continue;
                ++walks;
                const int presses = Walk(p, 3 * slots + 6);
                if (presses < 0) {
                    CAPTURE(FigureOf(c.figure).key);
                    std::string placed;
                    for (int cell : cells)
                        placed += std::to_string(cell) + " ";
                    CAPTURE(placed);
                    CAPTURE(found.size());
                    FAIL("the hints stalled");
                }
            }
        });
        CHECK(walks > 100);
    }
}

TEST_CASE("the hints reach a solution on the larger figures, from random placements") {
    std::mt19937 random(17);
    for (FigureMode figure :
         {FigureMode::Rhombus, FigureMode::BigTriangle, FigureMode::Star, FigureMode::Square}) {
        CAPTURE(FigureOf(figure).key);
        const Practice empty = Fresh(figure, 7);
        const int slots = SlotCount(figure);
        for (int trial = 0; trial < 40; ++trial) {
            std::vector<int> cells(static_cast<std::size_t>(slots));
            std::iota(cells.begin(), cells.end(), 0);
            std::shuffle(cells.begin(), cells.end(), random);
            for (int& cell : cells)
                if (random() % 4 == 0)
                    cell = -1;
            const auto sets = FoundSets(empty, random, 2);
            const auto& found = sets.empty() ? std::vector<std::int64_t>{} : sets.front();
            const Practice p = WithPlacement(empty, cells, found);
            if (BruteForceEqual(p).value_or(false))
                continue;
            CAPTURE(trial);
            CHECK(Walk(p, 3 * slots + 6) > 0);
        }
    }
}
