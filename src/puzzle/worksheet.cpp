// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/worksheet.h"

#include "puzzle/coach.h"
#include "puzzle/practice.h"

#include <random>
#include <sstream>

namespace velmora {
namespace {

const char* TaskOf(FigureMode figure) {
    return figure == FigureMode::Triangle
               ? "Подреди числата така, че всяка страна да има една и съща сума."
               : "Подреди числата по двойки във върховете така, че всяка двойка да има една и "
                 "съща сума.";
}

// The slots a sheet gives away first: the triangle's corners, the rhombus's first
// number at each vertex.
std::vector<int> GivenOrder(FigureMode figure) {
    if (figure == FigureMode::Triangle)
        return {0, 1, 2, 3, 4, 5};
    return {0, 2, 4, 6, 1, 3, 5, 7};
}

SheetPuzzle MakePuzzle(FigureMode figure, int start, int given) {
    std::vector<std::string> series;
    for (std::size_t i = 0; i < SeriesLength(figure); ++i)
        series.push_back(std::to_string(start + static_cast<int>(i)));
    const Practice solved = ShowSolution(NewPractice(figure, series));
    Practice partial = NewPractice(figure, series);
    const std::vector<int> order = GivenOrder(figure);
    for (int k = 0; k < given && k < static_cast<int>(order.size()); ++k) {
        const int slot = order[static_cast<std::size_t>(k)];
        partial.placed[static_cast<std::size_t>(slot)] = solved.placed[std::size_t(slot)];
    }
    SheetPuzzle puzzle;
    puzzle.figure = figure;
    puzzle.start = start;
    puzzle.numbers = solved.numbers;
    puzzle.sum = SumOfSolution(solved, solved.placed);
    puzzle.task = TaskOf(figure);
    for (int position = 0; position < PositionCount(figure); ++position) {
        puzzle.shown.push_back(PositionCaption(partial, position));
        puzzle.solution.push_back(PositionCaption(solved, position));
    }
    return puzzle;
}

} // namespace

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
    const int mostGiven = request.figures == SheetFigures::Rhombus ? 7 : 5;
    if (request.given < 0 || request.given > mostGiven)
        return "дадените числа трябва да са от 0 до " + std::to_string(mostGiven) + ".";

    Worksheet sheet;
    sheet.perPage = request.perPage;
    sheet.largePrint = request.largePrint;
    sheet.answers = request.answers;
    // mt19937's sequence is fixed by the standard, so a seed gives the same sheet anywhere.
    std::mt19937 random(request.seed);
    const auto span = static_cast<std::uint32_t>(request.randomTo - request.randomFrom + 1);
    for (int i = 0; i < request.count; ++i) {
        const int start = request.starts.empty()
                              ? request.randomFrom + static_cast<int>(random() % span)
                              : request.starts[static_cast<std::size_t>(i) % request.starts.size()];
        const FigureMode figure = request.figures == SheetFigures::Triangle  ? FigureMode::Triangle
                                  : request.figures == SheetFigures::Rhombus ? FigureMode::Rhombus
                                  : i % 2 == 0                               ? FigureMode::Triangle
                                                                             : FigureMode::Rhombus;
        sheet.puzzles.push_back(MakePuzzle(figure, start, request.given));
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

} // namespace velmora
