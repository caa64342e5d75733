// SPDX-License-Identifier: GPL-3.0-or-later
// A worksheet's content on every figure: as many numbers given as asked, each one where
// a solution has it, an answer key that names every sum a pupil could rightly find, and
// variants that differ and repeat.
#include "puzzle/figure.h"
#include "puzzle/practice.h"
#include "puzzle/worksheet.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <set>
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

// The placement `captions` show: each place's numbers put there in turn (a pair's sum
// after them left out).
Practice PlacementOf(const SheetPuzzle& puzzle, const std::vector<std::string>& captions) {
    std::vector<std::string> series;
    for (std::int32_t n : puzzle.numbers)
        series.push_back(std::to_string(n));
    Practice p = NewPractice(puzzle.figure, series);
    for (int position = 0; position < PositionCount(puzzle.figure); ++position) {
        const std::vector<std::int64_t> numbers = NumbersIn(captions[std::size_t(position)]);
        const std::size_t cells = SlotsOfPosition(puzzle.figure, position).size();
        for (std::size_t k = 0; k < std::min(cells, numbers.size()); ++k)
            p = Place(std::move(p), int(numbers[k] - puzzle.numbers.front()), position);
    }
    return p;
}

} // namespace

// Every figure, from none given to all but one: the answer printed is a solution with
// the sum stated, the given numbers stand where it has them, and the key names exactly
// the sums the core finds for the given numbers, the answer's first.
TEST_CASE("given numbers, fair keys and variants on every figure") {
    for (const Figure& figure : Figures())
        for (int given : {0, 1, MostGiven(figure.mode) / 2, MostGiven(figure.mode)}) {
            CAPTURE(figure.key);
            CAPTURE(given);
            WorksheetRequest request;
            request.figures = {figure.mode};
            request.count = 3;
            request.given = given;
            request.seed = 11;
            request.randomTo = kSheetMaxStart;
            const auto sheet = std::get<Worksheet>(MakeWorksheet(request));
            for (const SheetPuzzle& puzzle : sheet.puzzles) {
                const Verdict answer = Judge(PlacementOf(puzzle, puzzle.solution));
                CHECK(answer.kind == VerdictKind::Solved);
                CHECK(answer.sum == puzzle.sum);
                const Practice partial = PlacementOf(puzzle, puzzle.shown);
                for (std::size_t position = 0; position < puzzle.shown.size(); ++position)
                    for (std::int64_t n : NumbersIn(puzzle.shown[position])) {
                        const auto there = NumbersIn(puzzle.solution[position]);
                        CHECK(std::count(there.begin(), there.end(), n) == 1);
                    }
                std::set<std::int64_t> sums;
                for (const std::vector<int>& completion : Completions(partial))
                    sums.insert(SumOfSolution(partial, completion));
                const std::vector<std::int64_t> possible(sums.begin(), sums.end());
                CHECK(puzzle.possibleSums == possible);
                std::vector<std::int64_t> named = NumbersIn(puzzle.answerLine);
                REQUIRE(!named.empty());
                CHECK(named.front() == puzzle.sum);
                std::sort(named.begin(), named.end());
                CHECK(named == possible);
                // Any arrangement with equal sums is right, whatever the figure.
                CHECK(puzzle.answerLine.find("вярна е всяка подредба") != std::string::npos);
                CHECK(puzzle.task.rfind(Tr(figure.texts.sheetTask), 0) == 0);
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
    const struct {
        std::string figures; // a choice's key
        int count, perPage, given;
        bool large, answers;
        std::string levels; // each puzzle's figure by its level
        int sheetPerPage;
    } rows[] = {
        {"both", 5, 4, 0, false, true, "23232", 4},  {"rhombus", 2, 6, 7, false, false, "33", 6},
        {"triangle", 3, 5, 5, true, true, "222", 2}, {"both", 2, 1, 6, true, false, "23", 1},
        {"all", 8, 3, 6, true, true, "12345612", 2}, {"star", 2, 4, 11, false, true, "55", 4},
    };
    for (const auto& row : rows) {
        CAPTURE(row.levels);
        WorksheetRequest request;
        request.figures = *SheetFiguresByKey(row.figures);
        request.count = row.count;
        request.perPage = row.perPage;
        request.given = row.given;
        request.largePrint = row.large;
        request.answers = row.answers;
        request.starts = {5, 40, 999};
        const auto sheet = std::get<Worksheet>(MakeWorksheet(request));
        CHECK(sheet.perPage == row.sheetPerPage);
        CHECK(sheet.largePrint == row.large);
        CHECK(sheet.answers == row.answers);
        std::string levels;
        for (std::size_t i = 0; i < sheet.puzzles.size(); ++i) {
            const SheetPuzzle& puzzle = sheet.puzzles[i];
            levels += std::to_string(LevelOf(puzzle.figure));
            CHECK(puzzle.start == request.starts[i % 3]);
            std::size_t shown = 0; // each figure all but one at most
            for (const std::string& caption : puzzle.shown)
                shown += NumbersIn(caption).size();
            CHECK(shown == std::size_t(std::min(row.given, SlotCount(puzzle.figure) - 1)));
            if (puzzle.figure == FigureMode::Rhombus)
                for (const std::string& caption : puzzle.solution) {
                    const std::vector<std::int64_t> n = NumbersIn(caption);
                    REQUIRE(n.size() == 3);
                    CHECK((n[0] < n[1] && n[0] + n[1] == n[2] && n[2] == puzzle.sum));
                }
        }
        CHECK(levels == row.levels);
        request.given = SlotCount(FigureMode::Star); // every number given: refused
        CHECK(std::holds_alternative<std::string>(MakeWorksheet(request)));
    }
    CHECK(!SheetFiguresByKey("pentagon"));
}
