// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/coach.h"

#include "puzzle/catalog.h"
#include "puzzle/figure.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <utility>

namespace velmora {
namespace {

using std::to_string;

const Figure& FigureOfPractice(const Practice& practice) {
    return FigureOf(practice.figure);
}

std::string LineName(const Practice& practice, int line) {
    return Tr(FigureOfPractice(practice).lines[static_cast<std::size_t>(line)].name);
}

// A figure's sentence with its placeholders filled.
std::string Say(const Message& message, std::initializer_list<Arg> args) {
    return Format(Tr(message), args);
}

std::string Number(const Practice& practice, int index) {
    return to_string(practice.numbers[static_cast<std::size_t>(index)]);
}

std::string NumberAt(const Practice& practice, const std::vector<int>& cells, int slot) {
    const int index = cells[static_cast<std::size_t>(slot)];
    return index == kEmpty ? "" : Number(practice, index);
}

std::vector<std::string> Texts(const std::vector<std::int64_t>& numbers) {
    std::vector<std::string> texts;
    for (std::int64_t n : numbers)
        texts.push_back(to_string(n));
    return texts;
}

// Whose sum a line's is: "на основата", "в левия връх".
std::string LineLocation(const Practice& practice, int line) {
    return Tr(FigureOfPractice(practice).lines[static_cast<std::size_t>(line)].whose);
}

std::optional<std::int64_t> LineSumOf(const Verdict& verdict, int line) {
    if (line < 0 || line >= static_cast<int>(verdict.lineSums.size()))
        return std::nullopt;
    return verdict.lineSums[static_cast<std::size_t>(line)];
}

// How far a complete line's sum is from the sum it is judged by, when it can be judged:
// once the figure is full, or at once when the series allows one sum alone.
std::optional<std::int64_t> LineOff(const Verdict& verdict, int line) {
    const std::optional<std::int64_t> sum = LineSumOf(verdict, line);
    if (!sum)
        return std::nullopt;
    if (verdict.kind == VerdictKind::Solved)
        return 0;
    if (verdict.kind == VerdictKind::Unequal) {
        // A line at the reference sum is right only if another line agrees with it, or
        // the series allows no other sum; alone, or at a sum no arrangement can have, it
        // is just a number to compare with.
        const std::int64_t off = verdict.differences[static_cast<std::size_t>(line)];
        const auto agreeing = std::count(verdict.differences.begin(), verdict.differences.end(), 0);
        if (off == 0 && ((agreeing < 2 && !verdict.onlySum) || !verdict.referencePossible))
            return std::nullopt;
        return off;
    }
    if (verdict.onlySum)
        return *sum - *verdict.onlySum;
    return std::nullopt;
}

// Whose sum the others are compared with: the sum every line must have when the series
// allows one alone, else the lines that have it: "сумата на дясната страна (10)".
std::string Reference(const Practice& practice, const Verdict& verdict) {
    const std::string sum = to_string(verdict.sum);
    const Figure& figure = FigureOfPractice(practice);
    if (verdict.onlySum)
        return Say(figure.texts.mustHave, {{"sum", sum}});
    std::vector<std::string> owners;
    for (std::size_t line = 0; line < verdict.differences.size(); ++line)
        if (verdict.differences[line] == 0)
            owners.push_back(LineLocation(practice, static_cast<int>(line)));
    // TRANSLATORS: whose sum the others are compared with: {lines} is «на основата» or
    // «на основата и на лявата страна»; "сумата" for one line, "сумите" for more.
    return Format(owners.size() > 1 ? Tr("сумите {lines} ({sum})") : Tr("сумата {lines} ({sum})"),
                  {{"lines", JoinAnd(owners)}, {"sum", sum}});
}

// "с 2 по-малко", "с 1 повече": how far a line's sum is from the others'.
std::string Amount(std::int64_t difference) {
    const std::int64_t by = std::llabs(difference);
    // TRANSLATORS: how far a line's sum is from the others', after «Основата: сума 26, ».
    return Format(difference < 0 ? Tr("с {count} по-малко") : Tr("с {count} повече"),
                  {{"count", by}});
}

std::int64_t ValueOf(const Practice& practice, int index) {
    return practice.numbers[static_cast<std::size_t>(index)];
}

// The numbers a solution puts in the figure's key places, smallest first.
std::vector<int> KeyNumbersOf(const Practice& practice, const std::vector<int>& solution) {
    std::vector<int> corners;
    for (int slot : FigureOfPractice(practice).keyPlaces)
        corners.push_back(solution[static_cast<std::size_t>(slot)]);
    std::sort(corners.begin(), corners.end(),
              [&](int a, int b) { return ValueOf(practice, a) < ValueOf(practice, b); });
    return corners;
}

std::string NumbersText(const Practice& practice, const std::vector<int>& indexes) {
    std::vector<std::string> texts;
    for (int index : indexes)
        texts.push_back(Number(practice, index));
    return JoinAnd(texts);
}

// The rhombus's pairs in a solution, smaller number first, the pairs in order:
// "7 и 14; 8 и 13; 9 и 12; 10 и 11".
std::string PairsText(const Practice& practice, const std::vector<int>& solution) {
    std::vector<std::pair<std::int64_t, std::int64_t>> pairs;
    for (std::size_t slot = 0; slot + 1 < solution.size(); slot += 2) {
        const std::int64_t a = ValueOf(practice, solution[slot]);
        const std::int64_t b = ValueOf(practice, solution[slot + 1]);
        pairs.emplace_back(std::min(a, b), std::max(a, b));
    }
    std::sort(pairs.begin(), pairs.end());
    std::string text;
    for (const auto& [a, b] : pairs)
        // TRANSLATORS: one pair of numbers; pairs are listed with «; » between them.
        text += (text.empty() ? "" : TrC("pairs", "; ")) +
                Format(TrC("pairs", "{first} и {second}"), {{"first", a}, {"second", b}});
    return text;
}

bool AllSumsFound(const Practice& practice) {
    return practice.foundSums.size() >= practice.possibleSums.size();
}

// Whether some solution (with `sum`, when given) has number `index` at `position`.
bool SomeSolutionHas(const Practice& practice, const std::vector<std::vector<int>>& solutions,
                     int index, int position, std::optional<std::int64_t> sum) {
    return std::any_of(solutions.begin(), solutions.end(), [&](const std::vector<int>& s) {
        return (!sum || SumOfSolution(practice, s) == *sum) &&
               PositionIn(practice.figure, s, index) == position;
    });
}

// The goal's numbers in the key places, and whether every solution with its sum has them.
void NameKeyNumbers(const Practice& practice, const std::vector<std::vector<int>>& solutions,
                    HintClaim& claim) {
    if (FigureOfPractice(practice).keyPlaces.empty())
        return;
    claim.numbers = KeyNumbersOf(practice, claim.goal);
    claim.keyNumbersFixed = std::all_of(solutions.begin(), solutions.end(), [&](const auto& s) {
        return SumOfSolution(practice, s) != claim.sum ||
               KeyNumbersOf(practice, s) == claim.numbers;
    });
}

// The empty slot a hint fills: the key places first, then a half-filled place, then the
// rest in order.
int SlotToFill(const Practice& practice) {
    const Figure& figure = FigureOfPractice(practice);
    std::vector<int> order = figure.keyPlaces;
    const int count = static_cast<int>(practice.placed.size());
    for (int slot = 0; slot < count; ++slot)
        if (slot > 0 && practice.placed[static_cast<std::size_t>(slot - 1)] != kEmpty &&
            PositionOfSlot(practice.figure, slot - 1) == PositionOfSlot(practice.figure, slot))
            order.push_back(slot);
    for (int slot = 0; slot < count; ++slot)
        order.push_back(slot);
    for (int slot : order)
        if (practice.placed[static_cast<std::size_t>(slot)] == kEmpty)
            return slot;
    return kEmpty;
}

// Step 3 when the placement is on the way to the goal: one more number for it.
void ClaimPlace(const Practice& practice, HintClaim& claim) {
    claim.kind = HintKind::Place;
    claim.position = PositionOfSlot(practice.figure, SlotToFill(practice));
    // A rhombus vertex may hold the goal's pair in the other order: the number still
    // missing there, whichever cell the goal lists it in.
    for (int slot : SlotsOfPosition(practice.figure, claim.position)) {
        const int index = claim.goal[static_cast<std::size_t>(slot)];
        if (SlotOfNumber(practice, index) == kEmpty) {
            claim.number = index;
            return;
        }
    }
}

// Step 3 when numbers must move: the strongest true thing to say about one of them.
// A number no solution keeps where it is comes first, then one no solution with the
// goal's sum keeps there, then a full vertex with the wrong sum, then a plain move.
void ClaimFix(const Practice& practice, HintClaim& claim) {
    std::vector<std::vector<int>> storage;
    const std::vector<std::vector<int>>& solutions = Solutions(practice, storage);
    struct Misplaced {
        int index, position, target;
    };
    std::vector<Misplaced> misplaced;
    for (std::size_t slot = 0; slot < practice.placed.size(); ++slot) {
        const int index = practice.placed[slot];
        const int position = PositionOfSlot(practice.figure, static_cast<int>(slot));
        const int target =
            index == kEmpty ? kEmpty : PositionIn(practice.figure, claim.goal, index);
        if (index != kEmpty && target != position)
            misplaced.push_back({index, position, target});
    }
    const auto name = [&](HintKind kind, const Misplaced& m) {
        claim.kind = kind;
        claim.number = m.index;
        claim.position = m.position;
        claim.target = m.target;
    };
    for (const Misplaced& m : misplaced)
        if (!SomeSolutionHas(practice, solutions, m.index, m.position, std::nullopt))
            return name(HintKind::Blocking, m);
    for (const Misplaced& m : misplaced)
        if (!SomeSolutionHas(practice, solutions, m.index, m.position, claim.sum)) {
            name(HintKind::OffTarget, m);
            NameKeyNumbers(practice, solutions, claim);
            return;
        }
    // A full vertex with the wrong sum: the number a click on it gives back, its last.
    for (const Misplaced& m : misplaced) {
        const std::vector<int> cells = SlotsOfPosition(practice.figure, m.position);
        if (cells.size() != 2)
            continue;
        const int first = practice.placed[static_cast<std::size_t>(cells[0])];
        const int last = practice.placed[static_cast<std::size_t>(cells[1])];
        if (first != kEmpty && last != kEmpty &&
            ValueOf(practice, first) + ValueOf(practice, last) != claim.sum) {
            claim.kind = HintKind::WrongPair;
            claim.number = last;
            claim.partner = first;
            claim.position = m.position;
            claim.target = PositionIn(practice.figure, claim.goal, last);
            return;
        }
    }
    // None misplaced after all: the goal is on the way, one more number for it.
    if (misplaced.empty())
        return ClaimPlace(practice, claim);
    name(HintKind::Move, misplaced.front());
}

// A place's name in the form its sentence needs: where a number goes, is, or moves from.
std::string PlaceText(const Practice& practice, int position, Message FigurePlace::*form) {
    const auto& places = FigureOfPractice(practice).places;
    if (position < 0 || position >= static_cast<int>(places.size()))
        return {};
    return Tr(places[static_cast<std::size_t>(position)].*form);
}

// "за сума 29 във върховете трябват 8, 10 и 12", "за сума 11 в долния връх трябва 3";
// when other numbers could stand there too, their total and one example.
std::string KeySentence(const Practice& practice, const HintClaim& claim) {
    const Figure& figure = FigureOfPractice(practice);
    const std::string numbers = NumbersText(practice, claim.numbers);
    if (claim.keyNumbersFixed)
        return Say(figure.texts.keysNeed, {{"sum", claim.sum}, {"numbers", numbers}});
    std::int64_t total = 0;
    for (int index : claim.numbers)
        total += ValueOf(practice, index);
    return Say(figure.texts.keysTogether,
               {{"sum", claim.sum}, {"total", total}, {"numbers", numbers}});
}

} // namespace

std::string PositionCaption(const Practice& practice, int position) {
    if (practice.placed.empty() || position < 0 || position >= PositionCount(practice.figure))
        return {};
    const std::vector<int> cells = SlotsOfPosition(practice.figure, position);
    const std::string first = NumberAt(practice, practice.placed, cells.front());
    if (cells.size() == 1 || first.empty())
        return first;
    // The vertex's sum shows once, in its mark beside it.
    const std::string second = NumberAt(practice, practice.placed, cells.back());
    return first + " + " + (second.empty() ? "…" : second);
}

std::string PositionName(FigureMode figure, int position) {
    const auto& places = FigureOf(figure).places;
    if (position < 0 || position >= static_cast<int>(places.size()))
        return {};
    return Tr(places[static_cast<std::size_t>(position)].name);
}

std::string LineSumText(const Practice& practice, int line) {
    const Verdict verdict = Judge(practice);
    const std::optional<std::int64_t> sum = LineSumOf(verdict, line);
    if (!sum)
        return {};
    const std::optional<std::int64_t> off = LineOff(verdict, line);
    if (!off)
        return to_string(*sum);
    if (*off == 0)
        return "= " + to_string(*sum);
    return to_string(*sum) + " (" + (*off < 0 ? "−" : "+") + to_string(std::llabs(*off)) + ")";
}

std::optional<std::int64_t> LineDifference(const Practice& practice, int line) {
    return LineOff(Judge(practice), line);
}

LineMark LineMarkOf(const Practice& practice, int line) {
    const Verdict verdict = Judge(practice);
    if (!LineSumOf(verdict, line))
        return LineMark::None;
    const std::optional<std::int64_t> off = LineOff(verdict, line);
    return !off ? LineMark::Alone : *off == 0 ? LineMark::Equal : LineMark::Off;
}

std::string HowToPlayText() {
    // One message a paragraph, so a translator sees each part of the help whole.
    return Tr("<p><b>Показване.</b> Напиши начално число в «Начало», избери «Триъгълник» или "
              "«Ромб» и натисни «Изчисли». Посочи място на фигурата или число от списъка "
              "«Числа»: програмата показва подредба с равни суми.</p>") +
           Tr("<p><b>Упражнение.</b> Натисни «Упражнение». Избери фигура, напиши начално число "
              "от 1 до 999 и натисни «Изчисли» (или Enter). До фигурата се появяват числата. "
              "Докосни число, после място на фигурата; или завлечи числото с пръст или мишка "
              "до мястото. Число от фигурата можеш да завлечеш на друго място (ако там има "
              "число, двете се разменят) или обратно при числата. Когато фигурата е пълна, "
              "сумите до линиите и редът с текста казват дали са равни.</p>") +
           Tr("<p><b>Нива.</b> Шестте фигури са нива, от най-лесната към най-трудната: "
              "Магическо V, Триъгълник, Ромб, Голям триъгълник, Звезда и Магически квадрат "
              "(бутоните с номерата горе и менюто «Фигура»). Ниво е готово, когато намериш "
              "подредби с всички възможни суми; тогава програмата предлага следващото. Можеш "
              "да избереш всяка фигура по всяко време. Програмата помни намерените суми; "
              "«Започни отначало» в менюто «Фигура» изтрива това.</p>") +
           Tr("<p><b>Помощ.</b> «Подсказка» (Ctrl+H) помага стъпка по стъпка. «Покажи решение» "
              "(Ctrl+R) показва едно решение, а «Върни моята подредба» връща твоите числа. "
              "«Защо става?» (Ctrl+E) обяснява защо сумите са равни.</p>") +
           Tr("<p><b>С клавиатура.</b> Tab минава през бутоните, местата и числата. Стрелките "
              "минават от място на място и от число на число; Интервал или Enter избира и "
              "поставя, Delete връща числото от мястото.</p>") +
           Tr("<p><b>За класа.</b> «Цял екран» (F11) показва фигурата на целия екран; Esc "
              "връща. Ctrl++ и Ctrl+- увеличават и намаляват, Ctrl+0 връща обичайния размер. "
              "F1 показва това обяснение.</p>");
}

std::string OutOfRangeText() {
    return Tr("Началното число е твърде голямо или твърде малко. "
              "Въведете естествено число от 1 до 32767.");
}

std::optional<int> PracticeStart(const std::string& startText) {
    const std::size_t first = startText.find_first_not_of(' ');
    const std::size_t last = startText.find_last_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    const std::string digits = startText.substr(first, last - first + 1);
    if (digits.size() > 3 || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int start = std::stoi(digits);
    return start >= 1 ? std::optional<int>(start) : std::nullopt;
}

std::string MissingText(FigureMode figure, const std::string& startText) {
    const bool empty = startText.find_first_not_of(" \t") == std::string::npos;
    const bool valid = PracticeStart(startText).has_value();
    if (figure == FigureMode::None)
        return valid ? Tr("Избери фигура: ниво от 1 до 6 горе. После натисни «Изчисли».")
                     : Tr("Избери фигура: ниво от 1 до 6 горе. После напиши в «Начало» число "
                          "от 1 до 999 и натисни «Изчисли».");
    if (valid)
        return Tr("Натисни «Изчисли».");
    if (empty)
        return Tr("Напиши в «Начало» число от 1 до 999 и натисни «Изчисли».");
    // TRANSLATORS: {text} is what the pupil typed in «Начало».
    return Format(Tr("«{text}» не е число от 1 до 999. Напиши в «Начало» число от 1 до 999."),
                  {{"text", startText}});
}

std::string LineSumSpoken(const Practice& practice, int line) {
    const Verdict verdict = Judge(practice);
    const std::optional<std::int64_t> sum = LineSumOf(verdict, line);
    if (!sum)
        return {};
    // TRANSLATORS: a line's sum, spoken: «основата: сума 27».
    const std::string text =
        Format(Tr("{line}: сума {sum}"), {{"line", LineName(practice, line)}, {"sum", *sum}});
    const std::optional<std::int64_t> off = LineOff(verdict, line);
    if (!off)
        return text;
    // TRANSLATORS: {sum_said} is «Основата: сума 27», {how} «равна» or «с 2 повече».
    return Format(Tr("{sum_said}, {how}"),
                  {{"sum_said", text}, {"how", *off == 0 ? Tr("равна") : Amount(*off)}});
}

std::string VerdictText(const Practice& practice) {
    const Verdict verdict = Judge(practice);
    const Figure& figure = FigureOfPractice(practice);
    if (verdict.kind == VerdictKind::Solved) {
        return Say(SolutionOnShow(practice) ? figure.texts.solutionShown : figure.texts.solved,
                   {{"sum", verdict.sum}});
    }
    if (verdict.kind == VerdictKind::Incomplete)
        return {};
    // Many lines off are too many to read out: how many, and where to look.
    const auto wrong = std::count_if(verdict.differences.begin(), verdict.differences.end(),
                                     [](std::int64_t by) { return by != 0; });
    if (wrong > 3)
        return Say(figure.texts.manyOff,
                   {{"wrong", static_cast<std::int64_t>(wrong)},
                    {"total", static_cast<std::int64_t>(verdict.differences.size())},
                    {"sum", verdict.sum}});
    // "Сумата на основата е с 2 по-голяма от 27, на … – с 1 по-малка, а на … – …"
    std::vector<std::string> off;
    for (std::size_t line = 0; line < verdict.differences.size(); ++line) {
        const std::int64_t by = verdict.differences[line];
        if (by == 0)
            continue;
        const Arg count{"count", static_cast<std::int64_t>(std::llabs(by))};
        const Arg whose{"line", LineLocation(practice, static_cast<int>(line))};
        if (off.empty())
            // A language may start with the line's name: the first letter is made a capital.
            off.push_back(Capital(
                // TRANSLATORS: the first line off: {line} is «на основата», {reference}
                // whose sum it is compared with, «сумата на дясната страна (27)».
                Format(by < 0 ? Tr("Сумата {line} е с {count} по-малка от {reference}")
                              : Tr("Сумата {line} е с {count} по-голяма от {reference}"),
                       {whose, count, {"reference", Reference(practice, verdict)}})));
        else
            // TRANSLATORS: each further line off, after the first: «на лявата страна – с 1
            // по-малка».
            off.push_back(Format(by < 0 ? Tr("{line} – с {count} по-малка")
                                        : Tr("{line} – с {count} по-голяма"),
                                 {whose, count}));
    }
    std::string said;
    for (std::size_t i = 0; i < off.size(); ++i)
        // TRANSLATORS: between the lines off: ", " and before the last one ", а ".
        said += (i == 0                ? ""
                 : i + 1 == off.size() ? TrC("lines off", ", а ")
                                       : TrC("lines off", ", ")) +
                off[i];
    // Each line off is named: that says the sums are not equal without a sentence more.
    // Lines that agree on a sum no arrangement can have are told so, with the sums that can be
    // (two or more: a single possible sum would be the reference itself).
    if (!verdict.referencePossible)
        // TRANSLATORS: {lines_off} is the sentence naming each line off, {sum} the sum the
        // others agree on, which no arrangement of these numbers can have; {sums} the ones
        // they can have, «9, 10, 11 и 12».
        return Format(Tr("{lines_off}, но {sum} не е възможна сума. Възможни са сумите {sums}."),
                      {{"lines_off", said},
                       {"sum", verdict.sum},
                       {"sums", JoinAnd(Texts(practice.possibleSums))}});
    // TRANSLATORS: {lines_off} is the sentence naming each line off.
    return Format(Tr("{lines_off}."), {{"lines_off", said}});
}

std::string FoundSumsText(const Practice& practice) {
    // Sums are named only as the pupil made them with the numbers on show; the level's
    // progress, made with any numbers, is counted in kinds of arrangement.
    const std::size_t possible = practice.possibleSums.size();
    const std::size_t found = practice.foundSums.size();
    std::string made;
    if (!practice.madeSums.empty())
        // TRANSLATORS: {sums} is a list such as «27 и 30».
        made = Format(Tr("Намерени суми с тези числа: {sums}."),
                      {{"sums", JoinAnd(Texts(practice.madeSums))}});
    std::string level;
    if (found >= possible && found > 0)
        level = possible == 1
                    ? Tr("Нивото е готово!")
                    : Format(TrN("Нивото е готово: намерен е {count} вид подредба!",
                                 "Нивото е готово: намерени са всичките {count} вида подредби!",
                                 static_cast<std::int64_t>(possible)),
                             {{"count", static_cast<std::int64_t>(possible)}});
    else if (found > 0)
        // TRANSLATORS: {found} of {count} kinds of arrangement (one kind per sum) found.
        level = Format(TrN("На това ниво: {found} от {count} вид подредба.",
                           "На това ниво: {found} от {count} вида подредби.",
                           static_cast<std::int64_t>(possible)),
                       {{"found", static_cast<std::int64_t>(found)},
                        {"count", static_cast<std::int64_t>(possible)}});
    return made.empty() || level.empty() ? made + level : made + " " + level;
}

std::string StepText(const Practice& practice) {
    std::string text;
    if (practice.placed.empty())
        text = MissingText(practice.figure, {});
    else if (Judge(practice).kind != VerdictKind::Incomplete)
        text = VerdictText(practice);
    else if (practice.pickedNumber != kEmpty)
        text = Format(Tr("Избрано е числото {number}: сега избери място на фигурата."),
                      {{"number", Number(practice, practice.pickedNumber)}});
    else if (practice.pickedPosition != kEmpty)
        // TRANSLATORS: {place} is a place's name, «горният връх».
        text = Format(Tr("Избрано е място: {place}. Сега избери число."),
                      {{"place", PositionName(practice.figure, practice.pickedPosition)}});
    else
        text = Tr("Подреди числата: избери число и място на фигурата или завлечи числото дотам.");
    return text;
}

std::string StatusText(const Practice& practice) {
    const std::string text = StepText(practice);
    const std::string found = FoundSumsText(practice);
    return found.empty() ? text : text + " " + found;
}

HintClaim NextHint(const Practice& practice) {
    HintClaim claim;
    if (practice.placed.empty())
        return claim;
    if (const Verdict verdict = Judge(practice); verdict.kind == VerdictKind::Solved) {
        claim.kind = AllSumsFound(practice) ? HintKind::AllFound : HintKind::Solved;
        claim.sum = verdict.sum;
        // The key numbers of a sum not found yet, as the way on.
        const bool keyed = !FigureOfPractice(practice).keyPlaces.empty();
        std::vector<std::vector<int>> storage;
        for (const std::vector<int>& solution : Solutions(practice, storage))
            if (claim.kind == HintKind::Solved && keyed &&
                !std::binary_search(practice.foundSums.begin(), practice.foundSums.end(),
                                    SumOfSolution(practice, solution))) {
                claim.goal = solution;
                claim.numbers = KeyNumbersOf(practice, solution);
                break;
            }
        return claim;
    }
    // The same goal while the pupil follows it, else the nearest solution afresh. A goal
    // whose sum was found meanwhile is left for one not found yet, but only where there is
    // such a goal as near: starting afresh towards the same goal would ask the first
    // question for ever.
    const auto found = [&](const std::vector<int>& solution) {
        return std::binary_search(practice.foundSums.begin(), practice.foundSums.end(),
                                  SumOfSolution(practice, solution));
    };
    const bool following =
        !practice.hintGoal.empty() && MovesTo(practice, practice.hintGoal) <= practice.hintMoves;
    const std::vector<int> nearest = NearestSolution(practice);
    const bool leaveFound = following && !AllSumsFound(practice) && found(practice.hintGoal) &&
                            !nearest.empty() && nearest != practice.hintGoal && !found(nearest);
    const bool onTheWay = following && !leaveFound;
    claim.goal = onTheWay ? practice.hintGoal : nearest;
    if (claim.goal.empty())
        return claim;
    claim.sum = SumOfSolution(practice, claim.goal);
    claim.step = onTheWay ? std::min(practice.hintStep + 1, 3) : 1;
    if (claim.step == 1) {
        claim.kind = HintKind::Idea;
    } else if (claim.step == 2) {
        claim.kind = HintKind::Plan;
        std::vector<std::vector<int>> storage;
        NameKeyNumbers(practice, Solutions(practice, storage), claim);
    } else if (MovesTo(practice, claim.goal) == 0) {
        ClaimPlace(practice, claim);
    } else {
        ClaimFix(practice, claim);
    }
    return claim;
}

std::string HintText(const Practice& practice, const HintClaim& claim) {
    const Arg sum{"sum", claim.sum};
    const auto number = [&](int index) { return Number(practice, index); };
    const Figure& figure = FigureOfPractice(practice);
    const auto place = [&](int position, Message FigurePlace::*form) {
        return PlaceText(practice, position, form);
    };
    // A number that cannot stay goes back: the sentence after each such hint.
    const auto giveBack = [&](std::string said) {
        // TRANSLATORS: {said} is the hint's first sentence; {number} goes back to the list.
        return Format(Tr("{said} Върни {number} в списъка."),
                      {{"said", std::move(said)}, {"number", number(claim.number)}});
    };
    switch (claim.kind) {
    case HintKind::NoSeries:
        return Tr("Подсказка: първо избери фигура, напиши начално число от 1 до 999 и натисни "
                  "«Изчисли».");
    case HintKind::Solved:
        if (!claim.numbers.empty())
            return Say(figure.texts.tryKeys,
                       {sum, {"numbers", NumbersText(practice, claim.numbers)}});
        return Format(Tr("Фигурата е подредена със сума {sum}. Опитай да я подредиш с друга сума!"),
                      {sum});
    case HintKind::AllFound:
        return Tr("На това ниво са намерени всички видове подредби. Избери друга фигура: ниво от "
                  "1 до 6 горе.");
    case HintKind::Idea:
        return Tr(figure.texts.idea);
    case HintKind::Plan:
        if (figure.idea == FigureIdea::Pairs)
            // TRANSLATORS: {pairs} is a list such as «7 и 14; 8 и 13; 9 и 12; 10 и 11».
            return Format(Tr("Подсказка: двойките са {pairs}. Всяка двойка има сума {sum}."),
                          {{"pairs", PairsText(practice, claim.goal)}, sum});
        if (figure.idea == FigureIdea::CountedTwice)
            // TRANSLATORS: {reason} is a clause such as «за сума 29 във върховете трябват 8,
            // 10 и 12».
            return Format(Tr("Подсказка: {reason}."), {{"reason", KeySentence(practice, claim)}});
        if (claim.keyNumbersFixed)
            return Say(figure.texts.everyMustKeys,
                       {sum, {"numbers", NumbersText(practice, claim.numbers)}});
        return Say(figure.texts.everyMust, {sum});
    case HintKind::Place:
        // The hint places it itself, but for the last number: that one the pupil places.
        // TRANSLATORS: {place} is where the number goes, «в горния връх».
        return Format(std::count(practice.placed.begin(), practice.placed.end(), kEmpty) > 1
                          ? Tr("Подсказка: числото {number} отива {place}. Подсказката го "
                               "постави там.")
                          : Tr("Подсказка: числото {number} отива {place}."),
                      {{"number", number(claim.number)},
                       {"place", place(claim.position, &FigurePlace::into)}});
    case HintKind::Blocking:
        // TRANSLATORS: {place} is where the number is, «в горния връх».
        return giveBack(Format(Tr("Подсказка: с числото {number} {place} фигурата не може да се "
                                  "подреди."),
                               {{"number", number(claim.number)},
                                {"place", place(claim.position, &FigurePlace::at)}}));
    case HintKind::OffTarget:
        if (claim.keyNumbersFixed)
            // TRANSLATORS: {reason} is a clause such as «за сума 29 във върховете трябват 8,
            // 10 и 12»; {place} is where the number is, «в горния връх».
            return giveBack(Format(Tr("Подсказка: {reason}, затова {number} не може да е {place}."),
                                   {{"reason", KeySentence(practice, claim)},
                                    {"number", number(claim.number)},
                                    {"place", place(claim.position, &FigurePlace::at)}}));
        return giveBack(
            Format(Tr("Подсказка: за сума {sum} числото {number} не може да е {place}."),
                   {sum,
                    {"number", number(claim.number)},
                    {"place", place(claim.position, &FigurePlace::at)}}));
    case HintKind::WrongPair:
        return giveBack(Format(
            Tr("Подсказка: {first} + {second} = {pair_sum}, а всяка двойка трябва да има сума "
               "{sum}."),
            {{"first", number(claim.partner)},
             {"second", number(claim.number)},
             {"pair_sum", ValueOf(practice, claim.partner) + ValueOf(practice, claim.number)},
             sum}));
    case HintKind::Move:
        // TRANSLATORS: «Премести 7 от горния връх в левия връх»: {from} is where the number
        // is now, «от горния връх», {place} where it goes, «в левия връх».
        return Format(Tr("Подсказка: за сума {sum} премести {number} {from} {place}."),
                      {sum,
                       {"number", number(claim.number)},
                       {"from", place(claim.position, &FigurePlace::from)},
                       {"place", place(claim.target, &FigurePlace::into)}});
    }
    return {};
}

Coaching Hint(Practice practice) {
    const HintClaim claim = NextHint(practice);
    std::string text = HintText(practice, claim);
    practice.hintStep = claim.step;
    practice.hintGoal = claim.goal;
    practice.hintMoves = claim.goal.empty() ? 0 : MovesTo(practice, claim.goal);
    // The last number stays the pupil's to place: the figure they finish is theirs.
    const auto empty = std::count(practice.placed.begin(), practice.placed.end(), kEmpty);
    if (claim.kind == HintKind::Place && empty > 1)
        practice = Place(std::move(practice), claim.number, claim.position);
    return {std::move(practice), std::move(text), claim};
}

std::string WhyText(const Practice& practice) {
    if (practice.placed.empty())
        return MissingText(practice.figure, {});
    // The pupil's own solution when there is one, the nearest one otherwise. A figure the
    // pupil has not solved is spoken of with "ако": what would make it so.
    const bool solved = Judge(practice).kind == VerdictKind::Solved;
    const std::vector<int> cells = solved ? practice.placed : NearestSolution(practice);
    std::int64_t total = 0;
    for (std::int32_t n : practice.numbers)
        total += n;
    const Figure& figure = FigureOfPractice(practice);
    const std::vector<int> keys =
        figure.keyPlaces.empty() ? std::vector<int>{} : KeyNumbersOf(practice, cells);
    std::int64_t keyTotal = 0;
    for (int key : keys)
        keyTotal += ValueOf(practice, key);
    // Every figure's explanation takes the same values; each uses those its idea needs.
    return Say(solved ? figure.texts.whySolved : figure.texts.whyIf,
               {{"sum", SumOfSolution(practice, cells)},
                {"total", total},
                {"twice", 2 * total},
                {"lines", static_cast<std::int64_t>(figure.lines.size())},
                {"keys", NumbersText(practice, keys)},
                {"key_total", keyTotal},
                {"both", total + keyTotal},
                {"pairs", figure.idea == FigureIdea::Pairs ? PairsText(practice, cells) : ""}});
}

} // namespace velmora
