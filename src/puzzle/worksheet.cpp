// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/worksheet.h"

#include "puzzle/catalog.h"
#include "puzzle/coach.h"
#include "puzzle/figure.h"
#include "puzzle/practice.h"

#include <algorithm>
#include <array>
#include <mutex>
#include <numeric>
#include <random>
#include <sstream>

namespace velmora {
namespace {

// The task in the figure's words: "Подреди числата така, че всяка страна да има една и
// съща сума.", and a question more where the numbers allow other sums.
std::string TaskOf(FigureMode mode, std::size_t sums) {
    const std::string task = Tr(FigureOf(mode).texts.sheetTask);
    return sums > 1 ? task + " " + Tr("Можеш ли да намериш подредба с друга сума?") : task;
}

// The numbers as texts, for a list.
std::vector<std::string> Texts(const std::vector<std::int64_t>& numbers) {
    std::vector<std::string> texts;
    for (std::int64_t n : numbers)
        texts.push_back(std::to_string(n));
    return texts;
}

// The key is fair: any placement with equal sums is right, whichever sum it has.
std::string AnswerLineOf(FigureMode mode, std::int64_t sum,
                         const std::vector<std::int64_t>& possible) {
    std::vector<std::int64_t> others;
    for (std::int64_t s : possible)
        if (s != sum)
            others.push_back(s);
    const std::string anyEqual = Tr(FigureOf(mode).texts.sheetAnyEqual);
    if (others.empty())
        // TRANSLATORS: a worksheet's answer: {sum} is the answer's sum, {any_equal} the
        // figure's rule, "вярна е всяка подредба, в която сумите на страните са равни".
        return Format(Tr("Сума {sum} (друга сума не е възможна) — {any_equal}."),
                      {{"sum", sum}, {"any_equal", anyEqual}});
    // TRANSLATORS: a worksheet's answer: {sum} is the answer's sum, {sums} the others a
    // placement can have, "28, 29 или 30", {any_equal} the figure's rule.
    return Format(Tr("Сума {sum}; вярно е и с {sums} — {any_equal}."),
                  {{"sum", sum}, {"sums", JoinOr(Texts(others))}, {"any_equal", anyEqual}});
}

std::string NumbersLineOf(const std::vector<std::int32_t>& numbers) {
    std::string list;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        list += (i == 0 ? "" : TrC("list", ", ")) + std::to_string(numbers[i]);
    // TRANSLATORS: under a worksheet's figure, the numbers to place: "Числа: 7, 8, 9".
    return Format(Tr("Числа: {numbers}"), {{"numbers", list}});
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
    // Named in each language as it is first asked for.
    static std::mutex guard;
    static std::array<std::vector<SheetChoice>, 5> named;
    const std::lock_guard lock(guard);
    std::vector<SheetChoice>& all = named.at(static_cast<std::size_t>(CurrentLanguage()));
    if (all.empty()) {
        SheetFigureList every;
        for (const Figure& figure : Figures()) {
            all.push_back({figure.key, Tr(figure.title), {figure.mode}});
            every.push_back(figure.mode);
        }
        all.push_back({"both", Tr("Триъгълник и ромб"), SheetFigures::Both});
        all.push_back({"all", Tr("Всички фигури по ред"), every});
    }
    return all;
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
        // TRANSLATORS: what is wrong with a worksheet asked for, after the program's name:
        // "velmora: броят задачи …", or in the worksheet dialog.
        return Tr("броят задачи трябва да е от 1 до 60.");
    if (request.perPage < 1 || request.perPage > 6)
        return Tr("задачите на страница трябва да са от 1 до 6.");
    for (int start : request.starts)
        if (start < 1 || start > kSheetMaxStart)
            return Tr("началните числа трябва да са от 1 до 999.");
    if (request.starts.empty() && (request.randomFrom < 1 || request.randomTo > kSheetMaxStart ||
                                   request.randomFrom > request.randomTo))
        return Tr("обхватът трябва да е от 1 до 999, първо по-малкото число.");
    if (request.figures.empty() ||
        std::any_of(request.figures.begin(), request.figures.end(),
                    [](FigureMode figure) { return FigureOf(figure).places.empty(); }))
        return Tr("избери поне една фигура.");
    const int mostGiven = MostGiven(request.figures);
    if (request.given < 0 || request.given > mostGiven)
        // TRANSLATORS: after "velmora: "; {most} is how many numbers a figure may have given.
        return Format(Tr("дадените числа трябва да са от 0 до {most}."), {{"most", mostGiven}});

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
    // TRANSLATORS: atop a worksheet: {count} puzzles a page instead of the {asked} asked for.
    return Format(TrN("На страница има по {count} задача (вместо {asked}), за да има място за "
                      "писане в кутийките.",
                      "На страница има по {count} задачи (вместо {asked}), за да има място за "
                      "писане в кутийките.",
                      perPage),
                  {{"count", perPage}, {"asked", asked}});
}

std::string SaveProblemText(SaveProblem problem, const std::string& path,
                            const std::string& folder) {
    // The reason follows the file's name in the same sentence, after "velmora: " or in a
    // dialog.
    switch (problem) {
    case SaveProblem::MissingFolder:
        // TRANSLATORS: why a worksheet could not be saved; {path} is the file, {folder} its
        // folder.
        return Format(Tr("файлът „{path}“ не може да се запише: папката „{folder}“ не "
                         "съществува."),
                      {{"path", path}, {"folder", folder}});
    case SaveProblem::NotAllowed:
        return Format(Tr("файлът „{path}“ не може да се запише: няма право за запис в папката "
                         "„{folder}“."),
                      {{"path", path}, {"folder", folder}});
    case SaveProblem::IsFolder:
        return Format(Tr("файлът „{path}“ не може да се запише: това е папка."), {{"path", path}});
    case SaveProblem::Other:
        break;
    }
    return Format(Tr("файлът „{path}“ не може да се запише: дискът е пълен или не позволява "
                     "запис."),
                  {{"path", path}});
}

std::string WorksheetTitle() {
    return Tr("Велмора от числа — работен лист");
}

std::string WorksheetAnswersTitle() {
    // TRANSLATORS: the title of a worksheet's answer pages.
    return Tr("Велмора от числа — отговори");
}

std::string WorksheetNameLine() {
    // TRANSLATORS: the line atop a worksheet where the pupil writes their name, class and
    // the date; keep the blanks about as long.
    return Tr("Име: ______________________________   Клас: ________   Дата: ________________");
}

} // namespace velmora
