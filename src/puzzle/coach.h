// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the program says to a pupil in practice: captions, verdicts, the sums found,
// graduated hints and the explanation, in Bulgarian (UTF-8). Every front end shows
// these texts as they are.

#include "puzzle/practice.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// A position's caption: a triangle position its number; a rhombus vertex "a + …"
// with one number and "a + b = s" with two; "" when empty.
[[nodiscard]] std::string PositionCaption(const Practice& practice, int position);

// A position's name, "горният връх", in the current language.
[[nodiscard]] std::string PositionName(FigureMode figure, int position);

// What a complete line shows beside it: "27", then with a mark once every line is
// complete: "27 ✓" when equal, "26 ✗ −1" when off the reference sum. "" while incomplete.
[[nodiscard]] std::string LineSumText(const Practice& practice, int line);

// How far a complete line's sum is from the one it is judged against (0: equal), or
// nullopt while it is not judged.
[[nodiscard]] std::optional<std::int64_t> LineDifference(const Practice& practice, int line);

// How a complete line's sum is shown: alone while other lines are incomplete, equal to
// the reference sum (or all equal), or off it.
enum class LineMark { None, Alone, Equal, Off };
[[nodiscard]] LineMark LineMarkOf(const Practice& practice, int line);

// The same for a screen reader: "основата: сума 26, с 1 по-малко".
[[nodiscard]] std::string LineSumSpoken(const Practice& practice, int line);

// The verdict in words ("Браво! Всяка страна има сума 27."), or what to do next while
// the figure is incomplete, then the sums found so far for this series.
[[nodiscard]] std::string StatusText(const Practice& practice);
// The same without the sums found, for a board that shows them apart.
[[nodiscard]] std::string StepText(const Practice& practice);
[[nodiscard]] std::string VerdictText(const Practice& practice);
[[nodiscard]] std::string FoundSumsText(const Practice& practice);

// What a hint claims, as a value: its text is made from it, and a test can check the
// claim against every solution.
enum class HintKind {
    NoSeries,  // nothing to place yet
    Solved,    // the figure is solved; `sum` is its sum
    AllFound,  // solved, and every possible sum has been found
    Idea,      // step 1: a question pointing at the figure's idea
    Plan,      // step 2: for `sum`, the key places' numbers (`numbers`), or the pairs
    Place,     // step 3: `number` goes to `position`, on the way to `goal`
    Blocking,  // `number` at `position`: no solution at all keeps it there
    OffTarget, // `number` at `position`: no solution with `sum` keeps it there
    WrongPair, // `number` and `partner` share vertex `position`, but not the pair sum `sum`
    Move,      // `number` stands at `position`; for `goal` (with `sum`) it goes to `target`
};

struct HintClaim {
    HintKind kind = HintKind::NoSeries;
    int step = 0;          // 1..3 on the way to a solution; 0 otherwise
    std::int64_t sum = 0;  // the sum the hint aims at
    std::vector<int> goal; // the solution aimed at: number index per slot
    // Solved, Plan and OffTarget on a figure with key places (figure.h): the goal's
    // numbers there, smallest first; `keyNumbersFixed` when every solution with `sum`
    // has those very numbers there.
    std::vector<int> numbers;
    bool keyNumbersFixed = false;
    int number = kEmpty;   // the number named (index into the series)
    int partner = kEmpty;  // WrongPair: the other number at the vertex
    int position = kEmpty; // where the named number stands, or goes (Place)
    int target = kEmpty;   // Move: where it belongs
    bool operator==(const HintClaim&) const = default;
};

// What the next hint for this placement claims. It aims at the solution nearest the
// placement (fewest numbers moved) and keeps that goal while the pupil follows it, going
// step 1, 2, 3, 3, …; a number moved away from the goal starts afresh at step 1.
[[nodiscard]] HintClaim NextHint(const Practice& practice);
// The claim in words.
[[nodiscard]] std::string HintText(const Practice& practice, const HintClaim& claim);

struct Coaching {
    Practice practice; // with the hint's step recorded, and its number placed (Place)
    std::string text;
    HintClaim claim;
};
[[nodiscard]] Coaching Hint(Practice practice);

// What compute says when the start number does not fit 16 bits.
[[nodiscard]] std::string OutOfRangeText();

// The start number as practice reads it: a whole number from 1 to 999 written as one,
// blanks around it allowed; "2,5", "1e2" or "9 9" are not. The demonstration reads its
// start text as it always has.
[[nodiscard]] std::optional<int> PracticeStart(const std::string& startText);

// Practice before a series: what is still missing (a figure, a start number from 1 to
// 999) and what to do next.
[[nodiscard]] std::string MissingText(FigureMode figure, const std::string& startText);

// How to play, as simple HTML paragraphs (every front end renders that markup).
[[nodiscard]] std::string HowToPlayText();

// Why the sums come out equal, with the current numbers.
[[nodiscard]] std::string WhyText(const Practice& practice);

} // namespace velmora
