// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/practice.h"

#include "puzzle/number_text.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <utility>

namespace velmora {
namespace {

bool ValidNumber(const Practice& practice, int index) {
    return index >= 0 && index < static_cast<int>(practice.numbers.size()) &&
           !practice.placed.empty();
}

bool ValidPosition(const Practice& practice, int position) {
    return position >= 0 && position < PositionCount(practice.figure) && !practice.placed.empty();
}

std::int64_t ValueAt(const Practice& practice, const std::vector<int>& cells, int slot) {
    return practice.numbers[static_cast<std::size_t>(cells[static_cast<std::size_t>(slot)])];
}

// The lines that become complete when cells are filled in increasing order and
// `slot` is the last of them.
std::vector<std::vector<int>> LinesEndingAt(FigureMode figure, int slot) {
    std::vector<std::vector<int>> ending;
    for (const std::vector<int>& line : Lines(figure))
        if (*std::max_element(line.begin(), line.end()) == slot)
            ending.push_back(line);
    return ending;
}

// Depth-first search over the empty cells, in slot order, pruning as soon as a line
// is complete and its sum differs from the first complete line's (or the one asked).
class CompletionSearch {
  public:
    CompletionSearch(const Practice& practice, bool firstOnly)
        : practice_(practice)
        , firstOnly_(firstOnly)
        , cells_(practice.placed)
        , used_(practice.numbers.size(), false) {
        for (int slot = 0; slot < SlotCount(practice.figure); ++slot)
            ending_.push_back(LinesEndingAt(practice.figure, slot));
        for (int index : cells_)
            if (index != kEmpty)
                used_[static_cast<std::size_t>(index)] = true;
    }

    std::vector<std::vector<int>> Run(std::optional<std::int64_t> sum) {
        if (cells_.size() == practice_.numbers.size() && !cells_.empty())
            Visit(0, sum);
        return std::move(found_);
    }

  private:
    void Visit(int slot, std::optional<std::int64_t> sum) {
        if (firstOnly_ && !found_.empty())
            return;
        if (slot == static_cast<int>(cells_.size())) {
            found_.push_back(cells_);
            return;
        }
        int& held = cells_[static_cast<std::size_t>(slot)];
        if (held != kEmpty) {
            if (const auto next = Check(slot, sum))
                Visit(slot + 1, *next);
            return;
        }
        for (std::size_t index = 0; index < used_.size(); ++index) {
            if (used_[index])
                continue;
            held = static_cast<int>(index);
            used_[index] = true;
            if (const auto next = Check(slot, sum))
                Visit(slot + 1, *next);
            used_[index] = false;
            held = kEmpty;
        }
    }

    // The sum to keep to after `slot` is filled; nullopt when a line breaks it.
    std::optional<std::optional<std::int64_t>> Check(int slot, std::optional<std::int64_t> sum) {
        for (const std::vector<int>& line : ending_[static_cast<std::size_t>(slot)]) {
            std::int64_t total = 0;
            for (int s : line)
                total += ValueAt(practice_, cells_, s);
            if (sum && *sum != total)
                return std::nullopt;
            sum = total;
        }
        return sum;
    }

    const Practice& practice_;
    bool firstOnly_;
    std::vector<int> cells_;
    std::vector<bool> used_;
    std::vector<std::vector<std::vector<int>>> ending_;
    std::vector<std::vector<int>> found_;
};

// The sum most lines share; a tie goes to the one nearest the lines' mean, then to
// the smaller.
std::int64_t ReferenceSum(const std::vector<std::int64_t>& sums) {
    std::map<std::int64_t, int> count;
    double mean = 0;
    for (std::int64_t s : sums) {
        ++count[s];
        mean += static_cast<double>(s) / static_cast<double>(sums.size());
    }
    std::int64_t best = sums.front();
    for (const auto& [sum, times] : count) {
        const int bestTimes = count[best];
        const double distance = std::abs(static_cast<double>(sum) - mean);
        const double bestDistance = std::abs(static_cast<double>(best) - mean);
        if (times > bestTimes || (times == bestTimes && distance < bestDistance) ||
            (times == bestTimes && distance == bestDistance && sum < best))
            best = sum;
    }
    return best;
}

// A number left its slot: a rhombus vertex keeps its remaining number first.
void Vacate(Practice& practice, int slot) {
    practice.placed[static_cast<std::size_t>(slot)] = kEmpty;
    if (practice.figure == FigureMode::Rhombus && slot % 2 == 0) {
        std::swap(practice.placed[static_cast<std::size_t>(slot)],
                  practice.placed[static_cast<std::size_t>(slot + 1)]);
    }
}

// A figure the pupil has emptied is theirs again: the help shown is over.
void ForgetHelpWhenEmpty(Practice& practice) {
    if (std::all_of(practice.placed.begin(), practice.placed.end(),
                    [](int index) { return index == kEmpty; })) {
        practice.helped = false;
        practice.ownPlacement.clear();
    }
}

void RecordFoundSum(Practice& practice) {
    const Verdict verdict = Judge(practice);
    if (verdict.kind != VerdictKind::Solved || practice.helped)
        return;
    auto& found = practice.foundSums;
    const auto at = std::lower_bound(found.begin(), found.end(), verdict.sum);
    if (at == found.end() || *at != verdict.sum)
        found.insert(at, verdict.sum);
}

} // namespace

int PositionCount(FigureMode figure) noexcept {
    return figure == FigureMode::Triangle ? 6 : figure == FigureMode::Rhombus ? 4 : 0;
}

int SlotCount(FigureMode figure) noexcept {
    return static_cast<int>(SeriesLength(figure));
}

int PositionOfSlot(FigureMode figure, int slot) noexcept {
    return figure == FigureMode::Rhombus ? slot / 2 : slot;
}

std::vector<int> SlotsOfPosition(FigureMode figure, int position) {
    if (figure == FigureMode::Rhombus)
        return {2 * position, 2 * position + 1};
    return {position};
}

const std::vector<std::vector<int>>& Lines(FigureMode figure) {
    static const std::vector<std::vector<int>> triangle{{0, 4, 2}, {2, 3, 1}, {1, 5, 0}};
    static const std::vector<std::vector<int>> rhombus{{0, 1}, {2, 3}, {4, 5}, {6, 7}};
    static const std::vector<std::vector<int>> none;
    return figure == FigureMode::Triangle  ? triangle
           : figure == FigureMode::Rhombus ? rhombus
                                           : none;
}

Practice NewPractice(FigureMode figure, const std::vector<std::string>& series) {
    Practice practice;
    practice.figure = figure;
    if (series.size() != SeriesLength(figure) || series.empty())
        return practice;
    for (const std::string& item : series)
        practice.numbers.push_back(static_cast<std::int32_t>(TextToNumber(item)));
    practice.placed.assign(series.size(), kEmpty);
    practice.possibleSums = PossibleSums(figure, practice.numbers);
    return practice;
}

int SlotOfNumber(const Practice& practice, int index) noexcept {
    for (std::size_t slot = 0; slot < practice.placed.size(); ++slot)
        if (practice.placed[slot] == index)
            return static_cast<int>(slot);
    return kEmpty;
}

Practice PickNumber(Practice practice, int index) {
    if (!ValidNumber(practice, index))
        return practice;
    if (const int waiting = practice.pickedPosition; waiting != kEmpty)
        return Place(std::move(practice), index, waiting);
    practice.pickedNumber = index;
    return practice;
}

Practice PickPosition(Practice practice, int position) {
    if (!ValidPosition(practice, position))
        return practice;
    if (const int waiting = practice.pickedNumber; waiting != kEmpty)
        return Place(std::move(practice), waiting, position);
    const std::vector<int> cells = SlotsOfPosition(practice.figure, position);
    if (practice.placed[static_cast<std::size_t>(cells.front())] != kEmpty)
        return TakeBack(std::move(practice), position);
    practice.pickedPosition = practice.pickedPosition == position ? kEmpty : position;
    return practice;
}

Practice Place(Practice practice, int index, int position) {
    if (!ValidNumber(practice, index) || !ValidPosition(practice, position))
        return practice;
    if (const int from = SlotOfNumber(practice, index); from != kEmpty)
        Vacate(practice, from);
    const std::vector<int> cells = SlotsOfPosition(practice.figure, position);
    int target = cells.back(); // full: the last number makes way
    for (int slot : cells)
        if (practice.placed[static_cast<std::size_t>(slot)] == kEmpty) {
            target = slot;
            break;
        }
    practice.placed[static_cast<std::size_t>(target)] = index;
    practice.pickedNumber = practice.pickedPosition = kEmpty;
    RecordFoundSum(practice);
    return practice;
}

Practice TakeBack(Practice practice, int position) {
    if (!ValidPosition(practice, position))
        return practice;
    const std::vector<int> cells = SlotsOfPosition(practice.figure, position);
    for (auto slot = cells.rbegin(); slot != cells.rend(); ++slot)
        if (practice.placed[static_cast<std::size_t>(*slot)] != kEmpty) {
            Vacate(practice, *slot);
            break;
        }
    practice.pickedNumber = practice.pickedPosition = kEmpty;
    ForgetHelpWhenEmpty(practice);
    return practice;
}

std::vector<int> DemonstrationPlacement(const Practice& practice) {
    const int count = static_cast<int>(practice.placed.size());
    std::vector<int> cells(practice.placed.size(), kEmpty);
    for (int slot = 0; slot < count; ++slot) {
        const int position = PositionOfSlot(practice.figure, slot);
        const bool second = practice.figure == FigureMode::Rhombus && slot % 2 == 1;
        cells[static_cast<std::size_t>(slot)] = second ? count - 1 - position : position;
    }
    return cells;
}

Practice ShowSolution(Practice practice) {
    if (practice.placed.empty())
        return practice;
    std::vector<int> solution = NearestSolution(practice);
    if (!practice.helped)
        practice.ownPlacement = practice.placed;
    practice.placed = std::move(solution);
    practice.helped = true;
    practice.pickedNumber = practice.pickedPosition = kEmpty;
    practice.hintStep = 0;
    practice.hintGoal.clear();
    return practice;
}

bool SolutionOnShow(const Practice& practice) noexcept {
    return practice.helped;
}

Practice RestoreOwnPlacement(Practice practice) {
    if (!SolutionOnShow(practice))
        return practice;
    practice.placed = practice.ownPlacement;
    practice.helped = false;
    practice.ownPlacement.clear();
    practice.pickedNumber = practice.pickedPosition = kEmpty;
    return practice;
}

std::vector<std::optional<std::int64_t>> LineSums(const Practice& practice) {
    std::vector<std::optional<std::int64_t>> sums;
    if (practice.placed.empty())
        return sums;
    for (const std::vector<int>& line : Lines(practice.figure)) {
        std::optional<std::int64_t> total = 0;
        for (int slot : line) {
            if (practice.placed[static_cast<std::size_t>(slot)] == kEmpty) {
                total.reset();
                break;
            }
            *total += ValueAt(practice, practice.placed, slot);
        }
        sums.push_back(total);
    }
    return sums;
}

Verdict Judge(const Practice& practice) {
    Verdict verdict;
    verdict.lineSums = LineSums(practice);
    std::vector<std::int64_t> sums;
    for (const auto& sum : verdict.lineSums)
        if (sum)
            sums.push_back(*sum);
    if (practice.possibleSums.size() == 1)
        verdict.onlySum = practice.possibleSums.front();
    if (sums.empty() || sums.size() != verdict.lineSums.size())
        return verdict;
    verdict.sum = verdict.onlySum ? *verdict.onlySum : ReferenceSum(sums);
    if (std::all_of(sums.begin(), sums.end(), [&](std::int64_t s) { return s == sums.front(); })) {
        verdict.kind = VerdictKind::Solved;
        return verdict;
    }
    verdict.kind = VerdictKind::Unequal;
    for (std::int64_t s : sums)
        verdict.differences.push_back(s - verdict.sum);
    return verdict;
}

std::vector<std::vector<int>> Completions(const Practice& practice,
                                          std::optional<std::int64_t> sum) {
    return CompletionSearch(practice, false).Run(sum);
}

bool CanComplete(const Practice& practice) {
    return !CompletionSearch(practice, true).Run(std::nullopt).empty();
}

std::vector<std::vector<int>> Solutions(const Practice& practice) {
    Practice empty = practice;
    std::fill(empty.placed.begin(), empty.placed.end(), kEmpty);
    return Completions(empty);
}

int PositionIn(FigureMode figure, const std::vector<int>& solution, int index) {
    for (std::size_t slot = 0; slot < solution.size(); ++slot)
        if (solution[slot] == index)
            return PositionOfSlot(figure, static_cast<int>(slot));
    return kEmpty;
}

int MovesTo(const Practice& practice, const std::vector<int>& solution) {
    int moves = 0;
    for (std::size_t slot = 0; slot < practice.placed.size(); ++slot) {
        const int index = practice.placed[slot];
        if (index != kEmpty && PositionIn(practice.figure, solution, index) !=
                                   PositionOfSlot(practice.figure, static_cast<int>(slot)))
            ++moves;
    }
    return moves;
}

std::vector<int> NearestSolution(const Practice& practice) {
    const std::vector<std::vector<int>> solutions = Solutions(practice);
    if (solutions.empty())
        return {};
    const auto rank = [&](const std::vector<int>& solution) {
        const bool found = std::binary_search(practice.foundSums.begin(), practice.foundSums.end(),
                                              SumOfSolution(practice, solution));
        const bool aimedAt = practice.hintGoal == solution;
        return std::tuple(MovesTo(practice, solution), !aimedAt, found);
    };
    return *std::min_element(solutions.begin(), solutions.end(),
                             [&](const auto& a, const auto& b) { return rank(a) < rank(b); });
}

std::vector<std::int64_t> PossibleSums(FigureMode figure,
                                       const std::vector<std::int32_t>& numbers) {
    Practice empty;
    empty.figure = figure;
    empty.numbers = numbers;
    if (numbers.size() == SeriesLength(figure))
        empty.placed.assign(numbers.size(), kEmpty);
    std::vector<std::int64_t> sums;
    for (const std::vector<int>& solution : Completions(empty))
        sums.push_back(SumOfSolution(empty, solution));
    std::sort(sums.begin(), sums.end());
    sums.erase(std::unique(sums.begin(), sums.end()), sums.end());
    return sums;
}

std::int64_t SumOfSolution(const Practice& practice, const std::vector<int>& cells) {
    std::int64_t total = 0;
    for (int slot : Lines(practice.figure).front())
        total += ValueAt(practice, cells, slot);
    return total;
}

} // namespace velmora
