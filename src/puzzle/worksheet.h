// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a printed worksheet holds: which puzzles, with which numbers, which positions
// are given, the task lines and the answers. Standard C++ only; the drawing lives
// with the front ends.

#include "puzzle/puzzle.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace velmora {

// The figures of a sheet, in turn: puzzle i has figure i modulo their count.
using SheetFigureList = std::vector<FigureMode>;

// The figures a teacher can ask for by name (the command line's keys, the dialog's
// list): each figure alone in level order, the triangle and the rhombus in turn as the
// first sheets had them, and all six in level order.
struct SheetChoice {
    std::string key; // "star", "both", "all"
    std::string title; // "Звезда", "Триъгълник и ромб", "Всички фигури по ред"
    SheetFigureList figures;
};
// In the current language: each language's list stays as it is once made.
[[nodiscard]] const std::vector<SheetChoice>& SheetChoices();
// The figures of the choice named `key`, or nullopt.
[[nodiscard]] std::optional<SheetFigureList> SheetFiguresByKey(const std::string& key);

// The choices the first sheets offered, by name.
namespace SheetFigures {
inline const SheetFigureList Triangle{FigureMode::Triangle};
inline const SheetFigureList Rhombus{FigureMode::Rhombus};
inline const SheetFigureList Both{FigureMode::Triangle, FigureMode::Rhombus};
} // namespace SheetFigures

// How many numbers a figure may have given: all but one. A sheet of several figures
// allows the most any of them does, and gives each at most its own most.
[[nodiscard]] int MostGiven(FigureMode figure);
[[nodiscard]] int MostGiven(const SheetFigureList& figures);

inline constexpr int kSheetMaxCount = 60;
inline constexpr int kSheetMaxStart = 999;

struct WorksheetRequest {
    SheetFigureList figures = SheetFigures::Triangle;
    int count = 4;
    // The start numbers in turn; when empty, random ones in [randomFrom, randomTo].
    std::vector<int> starts;
    int randomFrom = 1, randomTo = 99;
    // The variant: the random starts, the answer shown and the numbers given all follow
    // from it, so the same variant makes the same sheet again.
    std::uint32_t seed = 1;
    int given = 0; // numbers already placed on each figure (at most its own most)
    // Large print scales the whole puzzle and puts at most two on a page.
    bool largePrint = false;
    bool answers = true;
    int perPage = 4; // 1..6
};

struct SheetPuzzle {
    FigureMode figure = FigureMode::Triangle;
    int start = 1;
    std::vector<std::int32_t> numbers; // to place, in order
    std::vector<std::string> shown;    // per position: given caption or ""
    std::vector<std::string> solution; // per position: the answer's caption
    std::int64_t sum = 0;              // every line's sum in the answer shown
    // Every sum a placement keeping the given numbers can have: the key marks them all.
    std::vector<std::int64_t> possibleSums;
    std::string task;
    std::string numbersLine; // "Числа: 7, 8, 9, 10, 11, 12"
    std::string answerLine;  // "Сума 27; вярно е и с 28, 29 или 30 — …"
};

struct Worksheet {
    std::vector<SheetPuzzle> puzzles;
    int perPage = 4;
    bool largePrint = false;
    bool answers = true;
    [[nodiscard]] int PuzzlePages() const { return (int(puzzles.size()) + perPage - 1) / perPage; }
};

inline constexpr int kLargePrintPerPage = 2;

// The smallest box a child of 8 writes a number in, in millimetres: a handwritten digit
// 7 mm high and about 4.5 mm wide, with room around it; a place of two cells holds two
// numbers and the plus between them.
struct WritingBox {
    double width = 0, height = 0;
};
[[nodiscard]] WritingBox WritingBoxOf(const SheetPuzzle& puzzle);
// Why a sheet could not be saved, in the teacher's words rather than the system's.
enum class SaveProblem { MissingFolder, NotAllowed, IsFolder, Other };
[[nodiscard]] std::string SaveProblemText(SaveProblem problem, const std::string& path,
                                          const std::string& folder);

// What the sheet says when it puts fewer puzzles on a page than asked, so that its boxes
// keep that size.
[[nodiscard]] std::string FewerPerPageNote(int perPage, int asked);

// The titles of a sheet's pages, the pupil's and the answers', and the line the pupil
// writes their name on.
[[nodiscard]] std::string WorksheetTitle();
[[nodiscard]] std::string WorksheetAnswersTitle();
[[nodiscard]] std::string WorksheetNameLine();

// The sheet, or what is wrong with the request in one sentence.
[[nodiscard]] std::variant<Worksheet, std::string> MakeWorksheet(const WorksheetRequest& request);

// "3,7,12" as start numbers; nullopt when it is not such a list.
[[nodiscard]] std::optional<std::vector<int>> ParseStarts(const std::string& text);
// "1-20" as a range; nullopt when it is not one.
[[nodiscard]] std::optional<std::pair<int, int>> ParseRange(const std::string& text);

} // namespace velmora
