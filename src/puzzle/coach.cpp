// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/coach.h"

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
    return FigureOfPractice(practice).lines[static_cast<std::size_t>(line)].name;
}

// "всяка страна" -> "Всяка страна": the first letter of a Cyrillic or Latin text.
std::string Capital(std::string text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    if (!text.empty() && byte(0) >= 'a' && byte(0) <= 'z') {
        text[0] = static_cast<char>(byte(0) - 'a' + 'A');
    } else if (text.size() > 1 && byte(0) == 0xD0 && byte(1) >= 0xB0 && byte(1) <= 0xBF) {
        text[1] = static_cast<char>(byte(1) - 0x20); // а..п
    } else if (text.size() > 1 && byte(0) == 0xD1 && byte(1) >= 0x80 && byte(1) <= 0x8F) {
        text[0] = static_cast<char>(0xD0); // р..я
        text[1] = static_cast<char>(byte(1) + 0x20);
    }
    return text;
}

// "в горния връх", but "във върховете": Bulgarian doubles the preposition before в and ф.
std::string In(const std::string& place) {
    const bool doubled = place.rfind("в", 0) == 0 || place.rfind("ф", 0) == 0;
    return (doubled ? "във " : "в ") + place;
}

std::string Number(const Practice& practice, int index) {
    return to_string(practice.numbers[static_cast<std::size_t>(index)]);
}

std::string NumberAt(const Practice& practice, const std::vector<int>& cells, int slot) {
    const int index = cells[static_cast<std::size_t>(slot)];
    return index == kEmpty ? "" : Number(practice, index);
}

// "7", "7 и 9", "7, 8 и 9".
std::string JoinAnd(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += i + 1 == items.size() ? " и " : ", ";
        text += items[i];
    }
    return text;
}

std::vector<std::string> Texts(const std::vector<std::int64_t>& numbers) {
    std::vector<std::string> texts;
    for (std::int64_t n : numbers)
        texts.push_back(to_string(n));
    return texts;
}

// Where a line's sum is: "на основата", "в левия връх".
std::string LineLocation(const Practice& practice, int line) {
    return FigureOfPractice(practice).lines[static_cast<std::size_t>(line)].location;
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
        return sum + " (сумата, която трябва да има " + figure.everyLine + ")";
    std::vector<std::string> owners;
    for (std::size_t line = 0; line < verdict.differences.size(); ++line)
        if (verdict.differences[line] == 0)
            owners.push_back(LineLocation(practice, static_cast<int>(line)));
    std::string named;
    for (std::size_t i = 0; i < owners.size(); ++i)
        named += (i == 0 ? "" : i + 1 == owners.size() ? " и " : ", ") + owners[i];
    return (owners.size() > 1 ? "сумите " : "сумата ") + named + " (" + sum + ")";
}

std::string Amount(std::int64_t difference) {
    return "с " + to_string(std::llabs(difference)) + (difference < 0 ? " по-малко" : " повече");
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
        text += (text.empty() ? "" : "; ") + to_string(a) + " и " + to_string(b);
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

std::string PlaceName(const Practice& practice, int position) {
    return PositionName(practice.figure, position, false);
}

// "за сума 29 във върховете трябват 8, 10 и 12", "за сума 11 в долния връх трябва 3";
// when other numbers could stand there too, their total and one example.
std::string KeySentence(const Practice& practice, const HintClaim& claim) {
    const Figure& figure = FigureOfPractice(practice);
    const std::string sum = "за сума " + to_string(claim.sum) + " ";
    if (claim.keyNumbersFixed)
        return sum + figure.keyLocation + (claim.numbers.size() == 1 ? " трябва " : " трябват ") +
               NumbersText(practice, claim.numbers);
    std::int64_t total = 0;
    for (int index : claim.numbers)
        total += ValueOf(practice, index);
    return sum + "числата " + figure.keyLocation + " трябва да дават заедно " + to_string(total) +
           ", например " + NumbersText(practice, claim.numbers);
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

std::string PositionName(FigureMode figure, int position, bool definite) {
    const auto& places = FigureOf(figure).places;
    if (position < 0 || position >= static_cast<int>(places.size()))
        return {};
    const FigurePlace& place = places[static_cast<std::size_t>(position)];
    return definite ? place.name : place.shortName;
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
    return "<p><b>Показване.</b> Напиши начално число в «Начало», избери «Триъгълник» или "
           "«Ромб» и натисни «Изчисли». Посочи място на фигурата или число от списъка "
           "«Числа»: програмата показва подредба с равни суми.</p>"
           "<p><b>Упражнение.</b> Натисни «Упражнение». Избери фигура, напиши начално "
           "число от 1 до 999 и натисни «Изчисли» (или Enter). До фигурата се появяват "
           "числата. Докосни число, после място на фигурата; или завлечи числото с пръст или "
           "мишка до мястото. Число от фигурата можеш да завлечеш на друго място (ако там има "
           "число, двете се разменят) или обратно при числата. Когато фигурата е пълна, "
           "сумите до линиите и редът с текста казват дали са равни.</p>"
           "<p><b>Нива.</b> Шестте фигури са нива, от най-лесната към най-трудната: "
           "Магическо V, Триъгълник, Ромб, Голям триъгълник, Звезда и Магически квадрат "
           "(бутоните с номерата горе и менюто «Фигура»). Ниво е готово, когато намериш "
           "подредби с всички възможни суми; тогава програмата предлага следващото. "
           "Можеш да избереш всяка фигура по всяко време. Програмата помни намерените суми; "
           "«Започни отначало» изтрива това.</p>"
           "<p><b>Помощ.</b> «Подсказка» (Ctrl+H) помага стъпка по стъпка. «Покажи решение» "
           "(Ctrl+R) показва едно решение, а «Върни моята подредба» връща твоите числа. "
           "«Защо става?» (Ctrl+E) обяснява защо сумите са равни.</p>"
           "<p><b>С клавиатура.</b> Tab минава през бутоните, местата и числата. Стрелките "
           "минават от място на място и от число на число; Интервал или Enter избира и "
           "поставя, Delete връща числото от мястото.</p>"
           "<p><b>За класа.</b> «Цял екран» (F11) показва фигурата на целия екран; Esc връща. "
           "Ctrl++ и Ctrl+- увеличават и намаляват, Ctrl+0 връща обичайния размер. F1 показва "
           "това обяснение.</p>";
}

std::string OutOfRangeText() {
    return "Началното число е твърде голямо или твърде малко. "
           "Въведете естествено число от 1 до 32767.";
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
    const std::string write = "Напиши в «Начало» число от 1 до 999";
    if (figure == FigureMode::None)
        return "Избери фигура: ниво от 1 до 6 горе. " +
               (valid ? std::string("После натисни «Изчисли».")
                      : "После напиши в «Начало» число от 1 до 999 и натисни «Изчисли».");
    if (valid)
        return "Натисни «Изчисли».";
    if (empty)
        return write + " и натисни «Изчисли».";
    return "«" + startText + "» не е число от 1 до 999. " + write + ".";
}

std::string LineSumSpoken(const Practice& practice, int line) {
    const Verdict verdict = Judge(practice);
    const std::optional<std::int64_t> sum = LineSumOf(verdict, line);
    if (!sum)
        return {};
    const std::string text = LineName(practice, line) + ": сума " + to_string(*sum);
    const std::optional<std::int64_t> off = LineOff(verdict, line);
    if (!off)
        return text;
    return text + ", " + (*off == 0 ? std::string("равна") : Amount(*off));
}

std::string VerdictText(const Practice& practice) {
    const Verdict verdict = Judge(practice);
    const Figure& figure = FigureOfPractice(practice);
    if (verdict.kind == VerdictKind::Solved) {
        if (SolutionOnShow(practice))
            return "Ето едно решение: " + figure.everyLine + " има сума " + to_string(verdict.sum) +
                   ". «Върни моята подредба» връща твоите числа.";
        return "Браво! " + Capital(figure.everyLine) + " има сума " + to_string(verdict.sum) + ".";
    }
    if (verdict.kind == VerdictKind::Incomplete)
        return {};
    // Many lines off are too many to read out: how many, and where to look.
    const auto wrong = std::count_if(verdict.differences.begin(), verdict.differences.end(),
                                     [](std::int64_t by) { return by != 0; });
    if (wrong > 3)
        return Capital(figure.lineSums) + " не са равни: " + to_string(wrong) + " от " +
               to_string(verdict.differences.size()) + " " + figure.lineNoun + " нямат сума " +
               to_string(verdict.sum) + ". Виж червените числа до фигурата.";
    // "Сумата на основата е с 2 по-голяма от 27, на … – с 1 по-малка, а на … – …"
    std::vector<std::string> off;
    for (std::size_t line = 0; line < verdict.differences.size(); ++line) {
        const std::int64_t by = verdict.differences[line];
        if (by == 0)
            continue;
        const std::string amount =
            "с " + to_string(std::llabs(by)) + (by < 0 ? " по-малка" : " по-голяма");
        const std::string where = LineLocation(practice, static_cast<int>(line));
        off.push_back(off.empty() ? "Сумата " + where + " е " + amount + " от " +
                                        Reference(practice, verdict)
                                  : where + " – " + amount);
    }
    std::string said;
    for (std::size_t i = 0; i < off.size(); ++i)
        said += (i == 0 ? "" : i + 1 == off.size() ? ", а " : ", ") + off[i];
    // Each line off is named: that says the sums are not equal without a sentence more.
    // Lines that agree on a sum no arrangement can have are told so, with the sums that can be.
    if (!verdict.referencePossible)
        return said + ", но " + to_string(verdict.sum) + " не е възможна сума.";
    return said + ".";
}

std::string FoundSumsText(const Practice& practice) {
    // Sums are named only as the pupil made them with the numbers on show; the level's
    // progress, made with any numbers, is counted in kinds of arrangement.
    const std::size_t possible = practice.possibleSums.size();
    const std::size_t found = practice.foundSums.size();
    std::string text;
    if (!practice.madeSums.empty())
        text = "Намерени суми с тези числа: " + JoinAnd(Texts(practice.madeSums)) + ". ";
    if (found == 0)
        return text.empty() ? text : text.substr(0, text.size() - 1);
    if (found >= possible)
        return text + (possible == 1 ? std::string("Нивото е готово!")
                                     : "Нивото е готово: намерени са всичките " +
                                           to_string(possible) + " вида подредби!");
    return text + "На това ниво: " + to_string(found) + " от " + to_string(possible) +
           " вида подредби.";
}

std::string StepText(const Practice& practice) {
    std::string text;
    if (practice.placed.empty())
        text = MissingText(practice.figure, {});
    else if (Judge(practice).kind != VerdictKind::Incomplete)
        text = VerdictText(practice);
    else if (practice.pickedNumber != kEmpty)
        text = "Избрано е числото " + Number(practice, practice.pickedNumber) +
               ": сега избери място на фигурата.";
    else if (practice.pickedPosition != kEmpty)
        text = "Избрано е място: " + PositionName(practice.figure, practice.pickedPosition) +
               ". Сега избери число.";
    else
        text = "Подреди числата: избери число и място на фигурата или завлечи числото дотам.";
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
    const std::string sum = to_string(claim.sum);
    const auto number = [&](int index) { return Number(practice, index); };
    const auto giveBack = [&] { return " Върни " + number(claim.number) + " в списъка."; };
    const Figure& figure = FigureOfPractice(practice);
    switch (claim.kind) {
    case HintKind::NoSeries:
        return "Подсказка: първо избери фигура, напиши начално число от 1 до 999 и натисни "
               "«Изчисли».";
    case HintKind::Solved:
        if (!claim.numbers.empty())
            return "Фигурата е подредена със сума " + sum + ". За друга сума опитай " +
                   figure.keyLocation + " " + NumbersText(practice, claim.numbers) + ".";
        return "Фигурата е подредена със сума " + sum + ". Опитай да я подредиш с друга сума!";
    case HintKind::AllFound:
        return "На това ниво са намерени всички видове подредби. Избери друга фигура от "
               "«Фигура»!";
    case HintKind::Idea:
        return figure.idea1;
    case HintKind::Plan:
        if (figure.idea == FigureIdea::Pairs)
            return "Подсказка: двойките са " + PairsText(practice, claim.goal) +
                   ". Всяка двойка има сума " + sum + ".";
        if (figure.idea == FigureIdea::CountedTwice)
            return "Подсказка: " + KeySentence(practice, claim) + ".";
        return "Подсказка: " + figure.everyLine + " трябва да има сума " + sum +
               (claim.keyNumbersFixed ? ", а " + figure.keyLocation + " трябва " +
                                            NumbersText(practice, claim.numbers)
                                      : std::string()) +
               ".";
    case HintKind::Place:
        // The hint places it itself, but for the last number: that one the pupil places.
        if (std::count(practice.placed.begin(), practice.placed.end(), kEmpty) > 1)
            return "Подсказка: числото " + number(claim.number) + " отива " +
                   In(PlaceName(practice, claim.position)) + ". Подсказката го постави там.";
        return "Подсказка: числото " + number(claim.number) + " отива " +
               In(PlaceName(practice, claim.position)) + ".";
    case HintKind::Blocking:
        return "Подсказка: с числото " + number(claim.number) + " " +
               In(PlaceName(practice, claim.position)) + " фигурата не може да се подреди." +
               giveBack();
    case HintKind::OffTarget:
        if (claim.keyNumbersFixed)
            return "Подсказка: " + KeySentence(practice, claim) + ", затова " +
                   number(claim.number) + " не може да е " +
                   In(PlaceName(practice, claim.position)) + "." + giveBack();
        return "Подсказка: за сума " + sum + " числото " + number(claim.number) + " не може да е " +
               In(PlaceName(practice, claim.position)) + "." + giveBack();
    case HintKind::WrongPair:
        return "Подсказка: " + number(claim.partner) + " + " + number(claim.number) + " = " +
               to_string(ValueOf(practice, claim.partner) + ValueOf(practice, claim.number)) +
               ", а всяка двойка трябва да има сума " + sum + "." + giveBack();
    case HintKind::Move:
        return "Подсказка: за сума " + sum + " премести " + number(claim.number) + " от " +
               PlaceName(practice, claim.position) + " " + In(PlaceName(practice, claim.target)) +
               ".";
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
    // The pupil's own solution when there is one, the nearest one otherwise.
    const bool solved = Judge(practice).kind == VerdictKind::Solved;
    const std::vector<int> cells = solved ? practice.placed : NearestSolution(practice);
    const std::string sum = to_string(SumOfSolution(practice, cells));
    std::int64_t total = 0;
    for (std::int32_t n : practice.numbers)
        total += n;
    const Figure& figure = FigureOfPractice(practice);
    const std::string lines = to_string(figure.lines.size());
    // A figure the pupil has not solved is spoken of with "ако": what would make it so.
    const std::string so =
        solved ? "Затова " + figure.everyLine + " има сума " + sum + "."
               : "Затова, ако сумите са равни, " + figure.everyLine + " има сума " + sum + ".";
    switch (figure.idea) {
    case FigureIdea::CountedTwice: {
        const std::vector<int> keys = KeyNumbersOf(practice, cells);
        std::int64_t keyTotal = 0;
        for (int key : keys)
            keyTotal += ValueOf(practice, key);
        const bool one = keys.size() == 1;
        const std::string both = to_string(total + keyTotal);
        return "Когато съберем " + figure.allLines + ", " + (one ? "числото " : "числата ") +
               figure.keyLocation + (one ? " се брои" : " се броят") +
               " два пъти, а всяко друго число – веднъж. Сумата на всички числа е " +
               to_string(total) + ". " + (solved ? "" : "Ако ") +
               (solved ? Capital(figure.keyLocation) : figure.keyLocation) +
               (one ? " е " : " са ") + NumbersText(practice, keys) +
               (one ? "" : ", заедно " + to_string(keyTotal)) +
               (solved ? ". " + Capital(figure.allLines) : ", " + figure.allLines) +
               " заедно дават " + to_string(total) + " + " + to_string(keyTotal) + " = " + both +
               ", а " + both + " = " + lines + " × " + sum + ". " + so;
    }
    case FigureIdea::EveryTwice:
        return "Всяко число е на две линии. Когато съберем " + figure.allLines +
               ", всяко число се брои два пъти. Сумата на всички числа е " + to_string(total) +
               ", а 2 × " + to_string(total) + " = " + to_string(2 * total) + " = " + lines +
               " × " + sum + ". " + so;
    case FigureIdea::RowsHoldAll:
        // The rows hold every number once, and so do the columns; the diagonals are equal
        // only in a solved square, whose centre always holds the middle number.
        return Capital(figure.allLines) +
               " заедно съдържат всяко число веднъж; трите стълба – също. Сумата на всички "
               "числа е " +
               to_string(total) + " = 3 × " + sum + ". " +
               (solved ? "Затова всеки ред и всеки стълб има сума " + sum +
                             ". Диагоналите също имат сума " + sum + ". "
                       : "Затова, ако сумите са равни, всеки ред и всеки стълб има сума " + sum +
                             ". ") +
               Capital(figure.keyLocation) + (solved ? " е" : " трябва да е") +
               " средното число, " + NumbersText(practice, KeyNumbersOf(practice, cells)) + ".";
    case FigureIdea::Pairs:
        break;
    }
    return std::string(solved ? "Двойките са " : "Ако двойките са ") + PairsText(practice, cells) +
           (solved ? ". Всяка" : ", всяка") + " двойка има сума " + sum +
           ": от двойка към двойка по-малкото число расте с 1, а по-голямото намалява с 1. "
           "Сумата на всички числа е " +
           to_string(total) + " = " + lines + " × " + sum + ".";
}

} // namespace velmora
