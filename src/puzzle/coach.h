// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the program says to a pupil in practice: captions, verdicts, the sums found,
// graduated hints and the explanation, in Bulgarian (UTF-8). Every front end shows
// these texts as they are.

#include "puzzle/practice.h"

#include <string>

namespace velmora {

// A position's caption: a triangle position its number; a rhombus vertex "a + …"
// with one number and "a + b = s" with two; "" when empty.
[[nodiscard]] std::string PositionCaption(const Practice& practice, int position);

// A position's name, as in "горният връх" (`definite`) or "в горния връх" (short form).
[[nodiscard]] std::string PositionName(FigureMode figure, int position, bool definite = true);

// What a complete line shows beside it: "27", then with a mark once every line is
// complete: "27 ✓" when equal, "26 ✗ −1" when off the reference sum. "" while incomplete.
[[nodiscard]] std::string LineSumText(const Practice& practice, int line);

// How a complete line's sum is shown: alone while other lines are incomplete, equal to
// the reference sum (or all equal), or off it.
enum class LineMark { None, Alone, Equal, Off };
[[nodiscard]] LineMark LineMarkOf(const Practice& practice, int line);

// The same for a screen reader: "основата: сума 26, с 1 по-малко".
[[nodiscard]] std::string LineSumSpoken(const Practice& practice, int line);

// The verdict in words ("Браво! Всяка страна има сума 27."), or what to do next while
// the figure is incomplete, then the sums found so far for this series.
[[nodiscard]] std::string StatusText(const Practice& practice);
[[nodiscard]] std::string VerdictText(const Practice& practice);
[[nodiscard]] std::string FoundSumsText(const Practice& practice);

struct Coaching {
    Practice practice; // with a hint's number placed, when the hint places one
    std::string text;
};

// The next hint for this placement: 1 a question pointing at the idea, 2 which numbers
// go in the corners (which pairs) for a sum still reachable, 3 one correct number
// placed, or the number that stands in the way of every solution.
[[nodiscard]] Coaching Hint(Practice practice);

// What compute says when the start number does not fit 16 bits.
[[nodiscard]] std::string OutOfRangeText();

// How to play, as simple HTML paragraphs (every front end renders that markup).
[[nodiscard]] std::string HowToPlayText();

// Why the sums come out equal, with the current numbers.
[[nodiscard]] std::string WhyText(const Practice& practice);

} // namespace velmora
