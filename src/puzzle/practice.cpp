// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/practice.h"

#include "puzzle/figure.h"
#include "puzzle/number_text.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
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

// The lines through `slot` that still have a later cell to fill.
std::vector<std::vector<int>> LinesOpenAt(FigureMode figure, int slot) {
    std::vector<std::vector<int>> open;
    for (const std::vector<int>& line : Lines(figure))
        if (std::find(line.begin(), line.end(), slot) != line.end() &&
            *std::max_element(line.begin(), line.end()) > slot)
            open.push_back(line);
    return open;
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
        for (int slot = 0; slot < SlotCount(practice.figure); ++slot) {
            ending_.push_back(LinesEndingAt(practice.figure, slot));
            open_.push_back(LinesOpenAt(practice.figure, slot));
        }
        if (!practice.numbers.empty()) {
            const auto [low, high] =
                std::minmax_element(practice.numbers.begin(), practice.numbers.end());
            low_ = *low;
            high_ = *high;
        }
        for (int index : cells_)
            if (index != kEmpty)
                used_[static_cast<std::size_t>(index)] = true;
    }

    std::vector<std::vector<int>> Run(std::optional<std::int64_t> sum) {
        if (cells_.size() != practice_.numbers.size() || cells_.empty())
            return {};
        // When every cell lies on the same number of lines, the lines together count every
        // number that many times: the sum is known before the search.
        if (const auto through = CellsOnLines(); !sum && through > 0) {
            std::int64_t all = 0;
            for (std::int32_t n : practice_.numbers)
                all += n;
            const auto lines = static_cast<std::int64_t>(Lines(practice_.figure).size());
            if (all * through % lines != 0)
                return {};
            sum = all * through / lines;
        }
        Visit(0, sum);
        return std::move(found_);
    }

  private:
    // How many lines pass through every cell, or 0 when cells differ.
    std::int64_t CellsOnLines() const {
        std::vector<std::int64_t> count(cells_.size(), 0);
        for (const std::vector<int>& line : Lines(practice_.figure))
            for (int s : line)
                ++count[static_cast<std::size_t>(s)];
        const bool same = std::all_of(count.begin(), count.end(),
                                      [&](std::int64_t c) { return c == count.front(); });
        return same ? count.front() : 0;
    }

    // Whether a number not placed yet has `value` (then a line missing one cell can close).
    bool Unused(std::int64_t value) const {
        for (std::size_t index = 0; index < used_.size(); ++index)
            if (!used_[index] && practice_.numbers[index] == value)
                return true;
        return false;
    }

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

    // The sum to keep to after `slot` is filled; nullopt when a line breaks it, or a line
    // still open can no longer reach it even with the smallest or largest numbers.
    std::optional<std::optional<std::int64_t>> Check(int slot, std::optional<std::int64_t> sum) {
        for (const std::vector<int>& line : ending_[static_cast<std::size_t>(slot)]) {
            std::int64_t total = 0;
            for (int s : line)
                total += ValueAt(practice_, cells_, s);
            if (sum && *sum != total)
                return std::nullopt;
            sum = total;
        }
        if (!sum)
            return sum;
        for (const std::vector<int>& line : open_[static_cast<std::size_t>(slot)]) {
            std::int64_t partial = 0;
            std::int64_t open = 0;
            for (int s : line) {
                if (s <= slot)
                    partial += ValueAt(practice_, cells_, s);
                else
                    ++open;
            }
            if (partial + open * low_ > *sum || partial + open * high_ < *sum)
                return std::nullopt;
            if (open == 1 && !Unused(*sum - partial))
                return std::nullopt;
        }
        return sum;
    }

    const Practice& practice_;
    bool firstOnly_;
    std::vector<int> cells_;
    std::vector<bool> used_;
    std::vector<std::vector<std::vector<int>>> ending_;
    std::vector<std::vector<std::vector<int>>> open_;
    std::int64_t low_ = 0, high_ = 0;
    std::vector<std::vector<int>> found_;
};

// The sum most lines share; a tie goes to a sum the numbers can have (so the pupil is sent
// to the lines that cannot stay as they are), then to the one nearest the lines' mean,
// then to the smaller.
std::int64_t ReferenceSum(const std::vector<std::int64_t>& sums,
                          const std::vector<std::int64_t>& possible) {
    std::map<std::int64_t, int> count;
    double mean = 0;
    for (std::int64_t s : sums) {
        ++count[s];
        mean += static_cast<double>(s) / static_cast<double>(sums.size());
    }
    const auto rank = [&](std::int64_t sum) {
        const bool can =
            possible.empty() || std::binary_search(possible.begin(), possible.end(), sum);
        return std::tuple(-count[sum], !can, std::abs(static_cast<double>(sum) - mean), sum);
    };
    std::int64_t best = sums.front();
    for (const auto& entry : count)
        if (rank(entry.first) < rank(best))
            best = entry.first;
    return best;
}

// A number left its cell: a place of two cells keeps its remaining number first.
void Vacate(Practice& practice, int slot) {
    practice.placed[static_cast<std::size_t>(slot)] = kEmpty;
    const std::vector<int> cells =
        SlotsOfPosition(practice.figure, PositionOfSlot(practice.figure, slot));
    for (std::size_t i = 0; i + 1 < cells.size(); ++i) {
        auto& here = practice.placed[static_cast<std::size_t>(cells[i])];
        auto& next = practice.placed[static_cast<std::size_t>(cells[i + 1])];
        if (here == kEmpty)
            std::swap(here, next);
    }
}

// Whether the numbers are N, N + 1, …: then the solutions, as number indexes, are the
// same for every N, since every line of a figure has as many cells as the others.
bool Consecutive(const std::vector<std::int32_t>& numbers) {
    for (std::size_t i = 1; i < numbers.size(); ++i)
        if (numbers[i] != numbers[i - 1] + 1)
            return false;
    return !numbers.empty();
}

// Every solution of the figure for the numbers 1, 2, …, searched once per figure.
const std::vector<std::vector<int>>& SolutionsOfFigure(FigureMode figure) {
    static std::mutex guard;
    static std::map<FigureMode, std::vector<std::vector<int>>> found;
    const std::lock_guard lock(guard);
    auto at = found.find(figure);
    if (at == found.end()) {
        Practice empty;
        empty.figure = figure;
        for (int n = 1; n <= SlotCount(figure); ++n)
            empty.numbers.push_back(n);
        empty.placed.assign(empty.numbers.size(), kEmpty);
        at = found.emplace(figure, CompletionSearch(empty, false).Run(std::nullopt)).first;
    }
    return at->second;
}

// Whether a solution keeps every number placed where it is.
bool Keeps(const std::vector<int>& solution, const std::vector<int>& placed) {
    for (std::size_t slot = 0; slot < placed.size(); ++slot)
        if (placed[slot] != kEmpty && placed[slot] != solution[slot])
            return false;
    return true;
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
    for (auto* found : {&practice.foundSums, &practice.madeSums}) {
        const auto at = std::lower_bound(found->begin(), found->end(), verdict.sum);
        if (at == found->end() || *at != verdict.sum)
            found->insert(at, verdict.sum);
    }
}

} // namespace

int PositionCount(FigureMode figure) noexcept {
    return static_cast<int>(FigureOf(figure).places.size());
}

int SlotCount(FigureMode figure) noexcept {
    return PositionCount(figure) * FigureOf(figure).cellsPerPlace;
}

int PositionOfSlot(FigureMode figure, int slot) noexcept {
    return slot / FigureOf(figure).cellsPerPlace;
}

std::vector<int> SlotsOfPosition(FigureMode figure, int position) {
    const int per = FigureOf(figure).cellsPerPlace;
    std::vector<int> cells;
    for (int i = 0; i < per; ++i)
        cells.push_back(per * position + i);
    return cells;
}

const std::vector<std::vector<int>>& Lines(FigureMode figure) {
    static const std::map<FigureMode, std::vector<std::vector<int>>> lines = [] {
        std::map<FigureMode, std::vector<std::vector<int>>> all;
        all[FigureMode::None] = {};
        for (const Figure& f : Figures())
            for (const FigureLine& line : f.lines)
                all[f.mode].push_back(line.cells);
        return all;
    }();
    const auto at = lines.find(figure);
    return at == lines.end() ? lines.at(FigureMode::None) : at->second;
}

Practice NewPractice(FigureMode figure, const std::vector<std::string>& series) {
    Practice practice;
    practice.figure = figure;
    if (series.size() != static_cast<std::size_t>(SlotCount(figure)) || series.empty())
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
    if (const int last = LastNumberAt(practice, position); last != kEmpty)
        Vacate(practice, SlotOfNumber(practice, last));
    practice.pickedNumber = practice.pickedPosition = kEmpty;
    ForgetHelpWhenEmpty(practice);
    return practice;
}

int LastNumberAt(const Practice& practice, int position) {
    if (!ValidPosition(practice, position))
        return kEmpty;
    const std::vector<int> cells = SlotsOfPosition(practice.figure, position);
    for (auto slot = cells.rbegin(); slot != cells.rend(); ++slot)
        if (practice.placed[static_cast<std::size_t>(*slot)] != kEmpty)
            return practice.placed[static_cast<std::size_t>(*slot)];
    return kEmpty;
}

Practice TakeBackNumber(Practice practice, int index) {
    const int slot = SlotOfNumber(practice, index);
    if (slot == kEmpty)
        return practice;
    Vacate(practice, slot);
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
    verdict.sum = verdict.onlySum ? *verdict.onlySum : ReferenceSum(sums, practice.possibleSums);
    if (std::all_of(sums.begin(), sums.end(), [&](std::int64_t s) { return s == sums.front(); })) {
        verdict.kind = VerdictKind::Solved;
        return verdict;
    }
    verdict.kind = VerdictKind::Unequal;
    for (std::int64_t s : sums)
        verdict.differences.push_back(s - verdict.sum);
    const auto& possible = practice.possibleSums;
    verdict.referencePossible =
        possible.empty() || std::binary_search(possible.begin(), possible.end(), verdict.sum);
    return verdict;
}

std::vector<std::vector<int>> Completions(const Practice& practice,
                                          std::optional<std::int64_t> sum) {
    if (!Consecutive(practice.numbers) || practice.placed.size() != practice.numbers.size())
        return CompletionSearch(practice, false).Run(sum);
    std::vector<std::vector<int>> kept;
    for (const std::vector<int>& solution : SolutionsOfFigure(practice.figure))
        if (Keeps(solution, practice.placed) && (!sum || SumOfSolution(practice, solution) == *sum))
            kept.push_back(solution);
    return kept;
}

bool CanComplete(const Practice& practice) {
    if (!Consecutive(practice.numbers) || practice.placed.size() != practice.numbers.size())
        return !CompletionSearch(practice, true).Run(std::nullopt).empty();
    const auto& all = SolutionsOfFigure(practice.figure);
    return std::any_of(all.begin(), all.end(),
                       [&](const std::vector<int>& s) { return Keeps(s, practice.placed); });
}

const std::vector<std::vector<int>>& Solutions(const Practice& practice,
                                               std::vector<std::vector<int>>& storage) {
    if (Consecutive(practice.numbers) && practice.placed.size() == practice.numbers.size())
        return SolutionsOfFigure(practice.figure);
    Practice empty = practice;
    std::fill(empty.placed.begin(), empty.placed.end(), kEmpty);
    storage = Completions(empty);
    return storage;
}

std::vector<std::vector<int>> Solutions(const Practice& practice) {
    std::vector<std::vector<int>> storage;
    return Solutions(practice, storage);
}

int PositionIn(FigureMode figure, const std::vector<int>& solution, int index) {
    for (std::size_t slot = 0; slot < solution.size(); ++slot)
        if (solution[slot] == index)
            return PositionOfSlot(figure, static_cast<int>(slot));
    return kEmpty;
}

int MovesTo(const Practice& practice, const std::vector<int>& solution) {
    // A number stays when the solution has it among the cells of the place it is in; no
    // search of the whole solution, as hints rank every solution by this.
    const std::size_t per = static_cast<std::size_t>(FigureOf(practice.figure).cellsPerPlace);
    int moves = 0;
    for (std::size_t slot = 0; slot < practice.placed.size(); ++slot) {
        const int index = practice.placed[slot];
        if (index == kEmpty)
            continue;
        const std::size_t first = std::min(slot / per * per, solution.size());
        const auto cells = solution.begin() + static_cast<std::ptrdiff_t>(first);
        const auto end =
            cells + static_cast<std::ptrdiff_t>(std::min(per, solution.size() - first));
        if (std::find(cells, end, index) == end)
            ++moves;
    }
    return moves;
}

std::vector<int> NearestSolution(const Practice& practice) {
    std::vector<std::vector<int>> storage;
    const std::vector<std::vector<int>>& solutions = Solutions(practice, storage);
    // Ranked once each, not at every comparison.
    const std::vector<int>* nearest = nullptr;
    std::tuple<int, bool, bool> best;
    for (const std::vector<int>& solution : solutions) {
        const bool found = !practice.foundSums.empty() &&
                           std::binary_search(practice.foundSums.begin(), practice.foundSums.end(),
                                              SumOfSolution(practice, solution));
        const auto rank =
            std::tuple(MovesTo(practice, solution), practice.hintGoal != solution, found);
        if (!nearest || rank < best) {
            nearest = &solution;
            best = rank;
        }
    }
    return nearest ? *nearest : std::vector<int>{};
}

std::vector<std::int64_t> PossibleSums(FigureMode figure,
                                       const std::vector<std::int32_t>& numbers) {
    Practice empty;
    empty.figure = figure;
    empty.numbers = numbers;
    if (numbers.size() == static_cast<std::size_t>(SlotCount(figure)))
        empty.placed.assign(numbers.size(), kEmpty);
    std::vector<std::vector<int>> storage;
    const auto& solutions = Solutions(empty, storage);
    std::vector<std::int64_t> sums;
    for (const std::vector<int>& solution : solutions)
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
