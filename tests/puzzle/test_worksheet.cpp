// SPDX-License-Identifier: GPL-3.0-or-later
// A worksheet's content: as many numbers given as asked, each one where a solution
// has it, an answer key that names every sum a pupil could rightly find, and variants
// that differ and repeat.
#include "puzzle/practice.h"
#include "puzzle/worksheet.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <variant>

using namespace velmora;

namespace {

// The numbers a caption shows: "7", "7 + …", "7 + 14 = 21".
std::vector<std::int64_t> NumbersIn(const std::string& caption) {
    std::vector<std::int64_t> numbers;
    std::size_t at = 0;
    while ((at = caption.find_first_of("0123456789", at)) != std::string::npos) {
        const std::size_t end = caption.find_first_not_of("0123456789", at);
        numbers.push_back(std::stoll(caption.substr(at, end - at)));
        at = end;
    }
    return numbers;
}

// Every equal sum a placement keeping the given numbers can have, by trying every
// permutation of the numbers.
std::vector<std::int64_t> SumsKeeping(const SheetPuzzle& puzzle) {
    std::vector<std::string> series;
    for (std::int32_t n : puzzle.numbers)
        series.push_back(std::to_string(n));
    Practice p = NewPractice(puzzle.figure, series);
    std::vector<int> cells(series.size());
    std::iota(cells.begin(), cells.end(), 0);
    std::vector<std::int64_t> sums;
    do {
        bool keeps = true;
        for (int position = 0; position < PositionCount(puzzle.figure) && keeps; ++position)
            for (std::int64_t given : NumbersIn(puzzle.shown[std::size_t(position)])) {
                const std::vector<int> slots = SlotsOfPosition(puzzle.figure, position);
                keeps = keeps && std::any_of(slots.begin(), slots.end(), [&](int slot) {
                            return p.numbers[std::size_t(cells[std::size_t(slot)])] == given;
                        });
            }
        p.placed = cells;
        const auto lineSums = LineSums(p);
        if (keeps && std::all_of(lineSums.begin(), lineSums.end(),
                                 [&](const auto& s) { return s == lineSums.front(); }))
            sums.push_back(*lineSums.front());
    } while (std::next_permutation(cells.begin(), cells.end()));
    std::sort(sums.begin(), sums.end());
    sums.erase(std::unique(sums.begin(), sums.end()), sums.end());
    return sums;
}

} // namespace

TEST_CASE("given numbers, fair keys and variants") {
    for (SheetFigures figures : {SheetFigures::Triangle, SheetFigures::Rhombus})
        for (int given = 0; given <= 5; ++given) {
            CAPTURE(int(figures));
            CAPTURE(given);
            WorksheetRequest request;
            request.figures = figures;
            request.count = 3;
            request.given = given;
            request.seed = 11;
            const auto sheet = std::get<Worksheet>(MakeWorksheet(request));
            for (const SheetPuzzle& puzzle : sheet.puzzles) {
                std::size_t shown = 0;
                for (const std::string& caption : puzzle.shown)
                    shown += NumbersIn(caption).size();
                CHECK(shown == std::size_t(given));
                const std::vector<std::int64_t> possible = SumsKeeping(puzzle);
                CHECK(puzzle.possibleSums == possible);
                CHECK(std::count(possible.begin(), possible.end(), puzzle.sum) == 1);
                for (std::int64_t sum : possible) // the key names every one of them
                    CHECK(puzzle.answerLine.find(std::to_string(sum)) != std::string::npos);
                CHECK((puzzle.task.find("друга сума") != std::string::npos) ==
                      (possible.size() > 1));
            }
            request.seed = 12;
            const auto other = std::get<Worksheet>(MakeWorksheet(request));
            request.seed = 11;
            const auto again = std::get<Worksheet>(MakeWorksheet(request));
            CHECK(again.puzzles.front().shown == sheet.puzzles.front().shown);
            CHECK(again.puzzles.front().solution == sheet.puzzles.front().solution);
            CHECK(other.puzzles.front().start != sheet.puzzles.front().start);
        }
}

// What the teacher asked for is what the sheet holds: the figures in turn, the starts in
// turn, two a page in large print, the key on or off, and each pair in the key smaller
// number first, as the pupil is taught to write it.
TEST_CASE("the sheet follows the request") {
    const SheetFigures t = SheetFigures::Triangle, r = SheetFigures::Rhombus,
                       b = SheetFigures::Both;
    const struct {
        SheetFigures figures;
        int count, perPage;
        bool large, answers;
        std::string kinds; // t or r per puzzle
        int sheetPerPage;
    } rows[] = {
        {b, 5, 4, false, true, "trtrt", 4}, {r, 2, 6, false, false, "rr", 6},
        {t, 3, 5, true, true, "ttt", 2},    {b, 2, 1, true, false, "tr", 1},
        {r, 3, 2, true, true, "rrr", 2},
    };
    for (const auto& row : rows) {
        CAPTURE(row.kinds);
        WorksheetRequest request;
        request.figures = row.figures;
        request.count = row.count;
        request.perPage = row.perPage;
        request.largePrint = row.large;
        request.answers = row.answers;
        request.starts = {5, 40, 999};
        const auto sheet = std::get<Worksheet>(MakeWorksheet(request));
        CHECK(sheet.perPage == row.sheetPerPage);
        CHECK(sheet.largePrint == row.large);
        CHECK(sheet.answers == row.answers);
        std::string kinds;
        for (std::size_t i = 0; i < sheet.puzzles.size(); ++i) {
            const SheetPuzzle& puzzle = sheet.puzzles[i];
            kinds += puzzle.figure == FigureMode::Triangle ? 't' : 'r';
            CHECK(puzzle.start == request.starts[i % 3]);
            if (puzzle.figure == FigureMode::Rhombus)
                for (const std::string& caption : puzzle.solution) {
                    const std::vector<std::int64_t> n = NumbersIn(caption);
                    REQUIRE(n.size() == 3);
                    CHECK((n[0] < n[1] && n[0] + n[1] == n[2] && n[2] == puzzle.sum));
                }
        }
        CHECK(kinds == row.kinds);
    }
}
