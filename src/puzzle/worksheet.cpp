// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/worksheet.h"

#include "puzzle/coach.h"
#include "puzzle/figure.h"
#include "puzzle/practice.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <sstream>

namespace velmora {
namespace {

// The task from the figure's words: "Подреди числата така, че всяка страна да има една и
// съща сума.", a place of two cells asking for its numbers two to a box.
std::string TaskOf(FigureMode mode, std::size_t sums) {
    const Figure& figure = FigureOf(mode);
    const std::string how = figure.cellsPerPlace == 2 ? " по две във всяка кутийка" : "";
    const std::string task =
        "Подреди числата" + how + " така, че " + figure.everyLine + " да има една и съща сума.";
    return sums > 1 ? task + " Можеш ли да намериш подредба с друга сума?" : task;
}

// "28", "28 или 29", "28, 29 или 30".
std::string JoinOr(const std::vector<std::int64_t>& sums) {
    std::string text;
    for (std::size_t i = 0; i < sums.size(); ++i)
        text += (i == 0 ? "" : i + 1 == sums.size() ? " или " : ", ") + std::to_string(sums[i]);
    return text;
}

// The key is fair: any placement with equal sums is right, whichever sum it has.
std::string AnswerLineOf(FigureMode mode, std::int64_t sum,
                         const std::vector<std::int64_t>& possible) {
    std::vector<std::int64_t> others;
    for (std::int64_t s : possible)
        if (s != sum)
            others.push_back(s);
    const std::string first = "Сума " + std::to_string(sum);
    const std::string anyEqual =
        " — вярна е всяка подредба, в която " + FigureOf(mode).lineSums + " са равни.";
    if (others.empty())
        return first + " (друга сума не е възможна)" + anyEqual;
    return first + "; вярно е и с " + JoinOr(others) + anyEqual;
}

std::string NumbersLineOf(const std::vector<std::int32_t>& numbers) {
    std::string text = "Числа: ";
    for (std::size_t i = 0; i < numbers.size(); ++i)
        text += (i == 0 ? "" : ", ") + std::to_string(numbers[i]);
    return text;
}

// The answer's caption: a place of one cell its number; a place of more its numbers,
// the smallest first, and their sum: "7 + 14 = 21", the sum kept with its sign by a
// no-break space when the caption wraps.
std::string AnswerCaption(const Practice& solved, int position) {
    const std::vector<int> cells = SlotsOfPosition(solved.figure, position);
    if (cells.size() == 1)
        return PositionCaption(solved, position);
    std::vector<std::int64_t> numbers;
    for (int cell : cells)
        numbers.push_back(solved.numbers[std::size_t(solved.placed[std::size_t(cell)])]);
    std::sort(numbers.begin(), numbers.end());
    std::string caption;
    for (std::int64_t n : numbers)
        caption += (caption.empty() ? "" : " + ") + std::to_string(n);
    return caption + " =\u00a0" +
           std::to_string(std::accumulate(numbers.begin(), numbers.end(), std::int64_t{0}));
}

// One puzzle of the variant: `random` picks the answer among every solution and which
// of its numbers are given.
SheetPuzzle MakePuzzle(FigureMode figure, int start, int given, std::mt19937& random) {
    std::vector<std::string> series;
    for (int i = 0; i < SlotCount(figure); ++i)
        series.push_back(std::to_string(start + i));
    Practice solved = NewPractice(figure, series);
    const std::vector<std::vector<int>> solutions = Solutions(solved);
    solved.placed = solutions[random() % solutions.size()];
    std::vector<int> slots(solved.placed.size());
    std::iota(slots.begin(), slots.end(), 0);
    for (std::size_t i = 0; i + 1 < slots.size(); ++i) // the standard's shuffle is not fixed
        std::swap(slots[i], slots[i + random() % (slots.size() - i)]);
    Practice partial = NewPractice(figure, series);
    for (int k = 0; k < std::min(given, MostGiven(figure)); ++k) {
        const int slot = slots[static_cast<std::size_t>(k)];
        partial = Place(std::move(partial), solved.placed[std::size_t(slot)],
                        PositionOfSlot(figure, slot));
    }
    SheetPuzzle puzzle;
    puzzle.figure = figure;
    puzzle.start = start;
    puzzle.numbers = solved.numbers;
    puzzle.sum = SumOfSolution(solved, solved.placed);
    for (const std::vector<int>& completion : Completions(partial))
        puzzle.possibleSums.push_back(SumOfSolution(partial, completion));
    std::sort(puzzle.possibleSums.begin(), puzzle.possibleSums.end());
    puzzle.possibleSums.erase(std::unique(puzzle.possibleSums.begin(), puzzle.possibleSums.end()),
                              puzzle.possibleSums.end());
    puzzle.task = TaskOf(figure, puzzle.possibleSums.size());
    puzzle.numbersLine = NumbersLineOf(puzzle.numbers);
    puzzle.answerLine = AnswerLineOf(figure, puzzle.sum, puzzle.possibleSums);
    for (int position = 0; position < PositionCount(figure); ++position) {
        puzzle.shown.push_back(PositionCaption(partial, position));
        puzzle.solution.push_back(AnswerCaption(solved, position));
    }
    return puzzle;
}

} // namespace

const std::vector<SheetChoice>& SheetChoices() {
    static const std::vector<SheetChoice> choices = [] {
        std::vector<SheetChoice> all;
        SheetFigureList every;
        for (const Figure& figure : Figures()) {
            all.push_back({figure.key, figure.title, {figure.mode}});
            every.push_back(figure.mode);
        }
        all.push_back({"both", "Триъгълник и ромб", SheetFigures::Both});
        all.push_back({"all", "Всички фигури по ред", every});
        return all;
    }();
    return choices;
}

std::optional<SheetFigureList> SheetFiguresByKey(const std::string& key) {
    for (const SheetChoice& choice : SheetChoices())
        if (choice.key == key)
            return choice.figures;
    return std::nullopt;
}

int MostGiven(FigureMode figure) {
    return std::max(SlotCount(figure) - 1, 0);
}

int MostGiven(const SheetFigureList& figures) {
    int most = 0;
    for (FigureMode figure : figures)
        most = std::max(most, MostGiven(figure));
    return most;
}

std::variant<Worksheet, std::string> MakeWorksheet(const WorksheetRequest& request) {
    if (request.count < 1 || request.count > kSheetMaxCount)
        return std::string("броят задачи трябва да е от 1 до 60.");
    if (request.perPage < 1 || request.perPage > 6)
        return std::string("задачите на страница трябва да са от 1 до 6.");
    for (int start : request.starts)
        if (start < 1 || start > kSheetMaxStart)
            return std::string("началните числа трябва да са от 1 до 999.");
    if (request.starts.empty() && (request.randomFrom < 1 || request.randomTo > kSheetMaxStart ||
                                   request.randomFrom > request.randomTo))
        return std::string("обхватът трябва да е от 1 до 999, първо по-малкото число.");
    if (request.figures.empty() ||
        std::any_of(request.figures.begin(), request.figures.end(),
                    [](FigureMode figure) { return FigureOf(figure).places.empty(); }))
        return std::string("избери поне една фигура.");
    const int mostGiven = MostGiven(request.figures);
    if (request.given < 0 || request.given > mostGiven)
        return "дадените числа трябва да са от 0 до " + std::to_string(mostGiven) + ".";

    Worksheet sheet;
    sheet.perPage =
        request.largePrint ? std::min(request.perPage, kLargePrintPerPage) : request.perPage;
    sheet.largePrint = request.largePrint;
    sheet.answers = request.answers;
    // mt19937's sequence is fixed by the standard, so a seed gives the same sheet anywhere.
    std::mt19937 random(request.seed);
    const auto span = static_cast<std::uint32_t>(request.randomTo - request.randomFrom + 1);
    for (int i = 0; i < request.count; ++i) {
        const int start = request.starts.empty()
                              ? request.randomFrom + static_cast<int>(random() % span)
                              : request.starts[static_cast<std::size_t>(i) % request.starts.size()];
        const FigureMode figure =
            request.figures[static_cast<std::size_t>(i) % request.figures.size()];
        sheet.puzzles.push_back(MakePuzzle(figure, start, request.given, random));
    }
    return sheet;
}

std::optional<std::vector<int>> ParseStarts(const std::string& text) {
    std::vector<int> starts;
    std::stringstream parts(text);
    for (std::string part; std::getline(parts, part, ',');) {
        if (part.empty() || part.size() > 6 ||
            part.find_first_not_of("0123456789") != std::string::npos)
            return std::nullopt;
        starts.push_back(std::stoi(part));
    }
    if (starts.empty() || text.back() == ',')
        return std::nullopt;
    return starts;
}

std::optional<std::pair<int, int>> ParseRange(const std::string& text) {
    const auto dash = text.find('-');
    if (dash == std::string::npos)
        return std::nullopt;
    const auto from = ParseStarts(text.substr(0, dash));
    const auto to = ParseStarts(text.substr(dash + 1));
    if (!from || !to || from->size() != 1 || to->size() != 1)
        return std::nullopt;
    return std::pair{from->front(), to->front()};
}

WritingBox WritingBoxOf(const SheetPuzzle& puzzle) {
    constexpr double digitHeight = 7, digitWidth = 4.5, margin = 1.5, plus = 4;
    std::int32_t largest = 1;
    for (std::int32_t n : puzzle.numbers)
        largest = std::max(largest, n);
    const double digits = static_cast<double>(std::to_string(largest).size());
    const int numbers = FigureOf(puzzle.figure).cellsPerPlace;
    return {numbers * digits * digitWidth + (numbers - 1) * plus + 2 * margin,
            digitHeight + 2 * margin};
}

std::string FewerPerPageNote(int perPage, int asked) {
    return "На страница има по " + std::to_string(perPage) +
           (perPage == 1 ? " задача" : " задачи") + " (вместо " + std::to_string(asked) +
           "), за да има място за писане в кутийките.";
}

std::string SaveProblemText(SaveProblem problem, const std::string& path,
                            const std::string& folder) {
    const std::string file = "файлът „" + path + "“ не може да се запише: ";
    switch (problem) {
    case SaveProblem::MissingFolder:
        return file + "папката „" + folder + "“ не съществува.";
    case SaveProblem::NotAllowed:
        return file + "няма право за запис в папката „" + folder + "“.";
    case SaveProblem::IsFolder:
        return file + "това е папка.";
    case SaveProblem::Other:
        break;
    }
    return file + "дискът е пълен или не позволява запис.";
}

} // namespace velmora
