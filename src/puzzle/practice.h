// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Practice: the pupil places the series on the figure and the program judges, counts
// the sums found and gives hints. Standard C++ only, like the rest of the puzzle.
//
// A figure (figure.h) is a set of cells grouped into lines whose sums must be equal.
// A place holds one cell, or two on the rhombus: vertex v holds cells 2v and 2v + 1,
// in the order the numbers were put there.

#include "puzzle/puzzle.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

inline constexpr int kEmpty = -1;

struct Practice {
    FigureMode figure = FigureMode::None;
    // The series as numbers, N..N+len-1; empty until it is generated.
    std::vector<std::int32_t> numbers;
    // The index into `numbers` held by each slot, or kEmpty.
    std::vector<int> placed;
    // A number chosen in the list and waiting for a position, or kEmpty.
    int pickedNumber = kEmpty;
    // A position chosen on the figure and waiting for a number, or kEmpty.
    int pickedPosition = kEmpty;
    // How far the hints went (0..3) and the solution they lead to, as the number index
    // per slot.
    int hintStep = 0;
    std::vector<int> hintGoal;
    // How many numbers stood away from that solution at the last hint: a pupil who
    // moves none further away is following the hints.
    int hintMoves = 0;
    // «Покажи решение»: the figure holds the program's solution (perhaps changed since),
    // and the pupil's own placement is kept to go back to.
    bool helped = false;
    std::vector<int> ownPlacement;
    // The level's equal sums found so far, with any series, as this series' sums,
    // ascending: the kinds of arrangement the pupil has met on this figure.
    std::vector<std::int64_t> foundSums;
    // The equal sums the pupil made with these very numbers, ascending: the only sums a
    // sentence may name as found.
    std::vector<std::int64_t> madeSums;
    // Every equal sum the series allows on the figure, ascending; found once per series.
    std::vector<std::int64_t> possibleSums;

    bool operator==(const Practice&) const = default;
};

// Positions a pupil can point at and the cells they hold.
[[nodiscard]] int PositionCount(FigureMode figure) noexcept;
[[nodiscard]] int SlotCount(FigureMode figure) noexcept;
[[nodiscard]] int PositionOfSlot(FigureMode figure, int slot) noexcept;
[[nodiscard]] std::vector<int> SlotsOfPosition(FigureMode figure, int position);
// The lines whose sums must agree, as slot lists.
[[nodiscard]] const std::vector<std::vector<int>>& Lines(FigureMode figure);

// An empty figure for the series (the list's texts); found sums start afresh.
[[nodiscard]] Practice NewPractice(FigureMode figure, const std::vector<std::string>& series);

// The slot holding number `index`, or kEmpty.
[[nodiscard]] int SlotOfNumber(const Practice& practice, int index) noexcept;

// A list click: with a position waiting, the number goes there; otherwise it waits.
[[nodiscard]] Practice PickNumber(Practice practice, int index);
// A click on a position: a waiting number goes there; with nothing waiting, a filled
// position gives its (last) number back and an empty one waits for a number.
[[nodiscard]] Practice PickPosition(Practice practice, int position);
// Puts number `index` on `position`, moving it if it was placed elsewhere. A full
// position gives up the number it held (a rhombus vertex its second).
[[nodiscard]] Practice Place(Practice practice, int index, int position);
// The position gives back its last number to the list.
[[nodiscard]] Practice TakeBack(Practice practice, int position);
// That number, the one a drag from the position carries, or kEmpty.
[[nodiscard]] int LastNumberAt(const Practice& practice, int position);
// Number `index` goes back to the list, wherever it stands.
[[nodiscard]] Practice TakeBackNumber(Practice practice, int index);
// The demonstration's placement: position k holds item k, vertex v items v and 7 - v.
[[nodiscard]] std::vector<int> DemonstrationPlacement(const Practice& practice);
// «Покажи решение»: the solution nearest the pupil's placement goes on show; the
// pupil's own is kept to go back to. Nothing solved from a shown solution is a sum
// found, until the pupil goes back to their own numbers or empties the figure.
[[nodiscard]] Practice ShowSolution(Practice practice);
// Whether the figure holds the program's solution, perhaps changed since it was shown.
[[nodiscard]] bool SolutionOnShow(const Practice& practice) noexcept;
// Back to the placement the pupil had before the solution was shown.
[[nodiscard]] Practice RestoreOwnPlacement(Practice practice);

// The sum of each line, or nullopt while one of its cells is empty.
[[nodiscard]] std::vector<std::optional<std::int64_t>> LineSums(const Practice& practice);

enum class VerdictKind { Incomplete, Solved, Unequal };

struct Verdict {
    VerdictKind kind = VerdictKind::Incomplete;
    std::int64_t sum = 0; // the common sum when solved; the reference sum when unequal
    std::vector<std::optional<std::int64_t>> lineSums;
    // Unequal: each line's sum less the reference sum: the only sum the series allows,
    // or else the one most lines share (ties: a possible one, then the one nearest their
    // mean); empty otherwise.
    std::vector<std::int64_t> differences;
    // When the series allows one sum alone, each complete line can be judged against it
    // before the figure is full.
    std::optional<std::int64_t> onlySum;
    // Unequal: whether the reference sum is one the series allows at all. Lines that share
    // a sum no arrangement can have are not right for agreeing.
    bool referencePossible = true;
};
[[nodiscard]] Verdict Judge(const Practice& practice);

// Every way to finish the placement with all line sums equal (all of them, for an
// empty figure), each as the number index per slot; `sum` limits them to one sum.
[[nodiscard]] std::vector<std::vector<int>> Completions(const Practice& practice,
                                                        std::optional<std::int64_t> sum = {});
[[nodiscard]] bool CanComplete(const Practice& practice);
// Every solution of the empty figure for this series.
[[nodiscard]] std::vector<std::vector<int>> Solutions(const Practice& practice);
// The same without copying them: the figure's own, searched once, for a series that runs
// on by one (every game's); else searched into `storage`.
[[nodiscard]] const std::vector<std::vector<int>>&
Solutions(const Practice& practice, std::vector<std::vector<int>>& storage);
// How many placed numbers stand at another position in `solution` than now.
[[nodiscard]] int MovesTo(const Practice& practice, const std::vector<int>& solution);
// The solution a hint or «Покажи решение» leads to: the fewest placed numbers moved,
// then the one the hints already lead to, then a sum not found yet.
[[nodiscard]] std::vector<int> NearestSolution(const Practice& practice);
// The position `solution` gives number `index`, or kEmpty.
[[nodiscard]] int PositionIn(FigureMode figure, const std::vector<int>& solution, int index);
// The equal sums the series allows on the figure, ascending.
[[nodiscard]] std::vector<std::int64_t> PossibleSums(FigureMode figure,
                                                     const std::vector<std::int32_t>& numbers);
// The sum a full placement (number index per slot) gives every line.
[[nodiscard]] std::int64_t SumOfSolution(const Practice& practice, const std::vector<int>& cells);

} // namespace velmora
