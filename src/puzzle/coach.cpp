// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/coach.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

namespace velmora {
namespace {

using std::to_string;

constexpr std::array<const char*, 6> kTriangleNames{
    "долният ляв ъгъл",          "горният връх",        "долният десен ъгъл",
    "средата на дясната страна", "средата на основата", "средата на лявата страна"};
constexpr std::array<const char*, 6> kTriangleShortNames{
    "долния ляв ъгъл",           "горния връх",         "долния десен ъгъл",
    "средата на дясната страна", "средата на основата", "средата на лявата страна"};
constexpr std::array<const char*, 4> kRhombusNames{"горният връх", "левият връх", "долният връх",
                                                   "десният връх"};
constexpr std::array<const char*, 4> kRhombusShortNames{"горния връх", "левия връх", "долния връх",
                                                        "десния връх"};
constexpr std::array<const char*, 3> kSideNames{"основата", "дясната страна", "лявата страна"};

bool IsTriangle(const Practice& practice) {
    return practice.figure == FigureMode::Triangle;
}

std::string LineName(const Practice& practice, int line) {
    return IsTriangle(practice) ? kSideNames[static_cast<std::size_t>(line)]
                                : kRhombusNames[static_cast<std::size_t>(line)];
}

std::string NumberAt(const Practice& practice, const std::vector<int>& cells, int slot) {
    const int index = cells[static_cast<std::size_t>(slot)];
    return index == kEmpty ? "" : to_string(practice.numbers[static_cast<std::size_t>(index)]);
}

// "7", "7 и 9", "7, 8 и 9".
template <typename T> std::string JoinAnd(const std::vector<T>& items) {
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

std::string Amount(std::int64_t difference) {
    return "с " + to_string(std::llabs(difference)) + (difference < 0 ? " по-малко" : " повече");
}

// The solution a hint leads to: one that finishes the pupil's placement, a sum not yet
// found first; when none does, the one that keeps most of what is placed.
std::vector<int> Goal(const Practice& practice) {
    const auto unfound = [&](const std::vector<int>& solution) {
        return !std::binary_search(practice.foundSums.begin(), practice.foundSums.end(),
                                   SumOfSolution(practice, solution));
    };
    std::vector<std::vector<int>> candidates = Completions(practice);
    if (candidates.empty()) {
        Practice empty = practice;
        std::fill(empty.placed.begin(), empty.placed.end(), kEmpty);
        candidates = Completions(empty);
    }
    const auto score = [&](const std::vector<int>& solution) {
        int kept = 0;
        for (std::size_t slot = 0; slot < solution.size(); ++slot)
            kept += practice.placed[slot] == solution[slot] ? 2 : 0;
        return kept + (unfound(solution) ? 1 : 0);
    };
    return *std::max_element(candidates.begin(), candidates.end(),
                             [&](const auto& a, const auto& b) { return score(a) < score(b); });
}

std::string IdeaHint(const Practice& practice) {
    if (IsTriangle(practice))
        return "Подсказка: всяко число в ъгъл е в две страни наведнъж. "
               "Кои числа е добре да сложиш в ъглите?";
    return "Подсказка: събери най-малкото и най-голямото число. "
           "Кои две други числа дават същата сума?";
}

std::string PlanHint(const Practice& practice, const std::vector<int>& goal) {
    const std::string sum = to_string(SumOfSolution(practice, goal));
    if (IsTriangle(practice)) {
        std::vector<std::int64_t> corners;
        for (int slot : {0, 1, 2})
            corners.push_back(practice.numbers[static_cast<std::size_t>(goal[slot])]);
        std::sort(corners.begin(), corners.end());
        return "Подсказка: сложи " + JoinAnd(Texts(corners)) +
               " в ъглите; тогава всяка страна може да има сума " + sum + ".";
    }
    std::vector<std::pair<std::int64_t, std::int64_t>> pairs;
    for (std::size_t slot = 0; slot < goal.size(); slot += 2) {
        const std::int64_t a = practice.numbers[static_cast<std::size_t>(goal[slot])];
        const std::int64_t b = practice.numbers[static_cast<std::size_t>(goal[slot + 1])];
        pairs.emplace_back(std::min(a, b), std::max(a, b));
    }
    std::sort(pairs.begin(), pairs.end());
    std::vector<std::string> texts;
    for (const auto& [a, b] : pairs)
        texts.push_back(to_string(a) + " и " + to_string(b));
    return "Подсказка: двойките са " + JoinAnd(texts) + "; всяка има сума " + sum + ".";
}

// The empty slot a hint fills: the triangle's corners first, the rhombus's half-filled
// vertices first.
int SlotToFill(const Practice& practice) {
    std::vector<int> order;
    if (IsTriangle(practice)) {
        order = {0, 1, 2, 3, 4, 5};
    } else {
        for (int slot = 1; slot < 8; slot += 2)
            if (practice.placed[static_cast<std::size_t>(slot - 1)] != kEmpty)
                order.push_back(slot);
        for (int slot = 0; slot < 8; ++slot)
            order.push_back(slot);
    }
    for (int slot : order)
        if (practice.placed[static_cast<std::size_t>(slot)] == kEmpty)
            return slot;
    return kEmpty;
}

Coaching PlacingHint(Practice practice, const std::vector<int>& goal) {
    const FigureMode figure = practice.figure;
    if (!CanComplete(practice)) {
        for (std::size_t slot = 0; slot < goal.size(); ++slot) {
            const int held = practice.placed[slot];
            if (held == kEmpty || held == goal[slot])
                continue;
            const int position = PositionOfSlot(figure, static_cast<int>(slot));
            std::string text = "Подсказка: числото " +
                               NumberAt(practice, practice.placed, static_cast<int>(slot)) + " в " +
                               PositionName(figure, position, false) +
                               " пречи: с него фигурата не може да се подреди. "
                               "Върни го в списъка.";
            return {std::move(practice), std::move(text)};
        }
    }
    const int slot = SlotToFill(practice);
    const int position = PositionOfSlot(figure, slot);
    std::string text = "Подсказка: числото " + NumberAt(practice, goal, slot) + " отива в " +
                       PositionName(figure, position, false) + ".";
    practice = Place(std::move(practice), goal[static_cast<std::size_t>(slot)], position);
    practice.hintStep = 3;
    return {std::move(practice), std::move(text)};
}

std::string SolvedHint(const Practice& practice, std::int64_t sum) {
    const std::size_t possible = PossibleSums(practice.figure, practice.numbers).size();
    if (practice.foundSums.size() >= possible)
        return "Фигурата е подредена и всички възможни суми са намерени. Браво!";
    return "Фигурата е подредена със сума " + to_string(sum) +
           ". Опитай да я подредиш за друга сума!";
}

} // namespace

std::string PositionCaption(const Practice& practice, int position) {
    if (practice.placed.empty() || position < 0 || position >= PositionCount(practice.figure))
        return {};
    const std::vector<int> cells = SlotsOfPosition(practice.figure, position);
    const std::string first = NumberAt(practice, practice.placed, cells.front());
    if (IsTriangle(practice) || first.empty())
        return first;
    const std::string second = NumberAt(practice, practice.placed, cells.back());
    if (second.empty())
        return first + " + …";
    return first + " + " + second + " = " + to_string(*LineSums(practice)[std::size_t(position)]);
}

std::string PositionName(FigureMode figure, int position, bool definite) {
    const auto at = static_cast<std::size_t>(position);
    if (figure == FigureMode::Triangle && at < kTriangleNames.size())
        return definite ? kTriangleNames[at] : kTriangleShortNames[at];
    if (figure == FigureMode::Rhombus && at < kRhombusNames.size())
        return definite ? kRhombusNames[at] : kRhombusShortNames[at];
    return {};
}

std::string LineSumText(const Practice& practice, int line) {
    const Verdict verdict = Judge(practice);
    if (line < 0 || line >= static_cast<int>(verdict.lineSums.size()))
        return {};
    const auto& sum = verdict.lineSums[static_cast<std::size_t>(line)];
    if (!sum)
        return {};
    if (verdict.kind == VerdictKind::Solved)
        return "= " + to_string(*sum);
    if (verdict.kind == VerdictKind::Unequal) {
        const std::int64_t off = verdict.differences[static_cast<std::size_t>(line)];
        if (off == 0)
            return "= " + to_string(*sum);
        return to_string(*sum) + " (" + (off < 0 ? "−" : "+") + to_string(std::llabs(off)) + ")";
    }
    return to_string(*sum);
}

LineMark LineMarkOf(const Practice& practice, int line) {
    const Verdict verdict = Judge(practice);
    if (line < 0 || line >= static_cast<int>(verdict.lineSums.size()) ||
        !verdict.lineSums[static_cast<std::size_t>(line)])
        return LineMark::None;
    if (verdict.kind == VerdictKind::Solved)
        return LineMark::Equal;
    if (verdict.kind == VerdictKind::Unequal)
        return verdict.differences[static_cast<std::size_t>(line)] == 0 ? LineMark::Equal
                                                                        : LineMark::Off;
    return LineMark::Alone;
}

std::string HowToPlayText() {
    return "<p><b>Показване.</b> Напиши начално число в полето «Начало», избери «Триъгълник» или "
           "«Ромб» и натисни «Изчисли». Щракни място на фигурата или число от списъка «Числа»: "
           "програмата показва подредбата, при която сумите са равни.</p>"
           "<p><b>Упражнение</b> (меню «Режим»). Ти подреждаш числата: избери число от списъка, "
           "после място на фигурата (или първо мястото, после числото). Щракване върху заето място "
           "връща числото в списъка. Когато всички места са заети, редът отдолу казва дали сумите "
           "са равни и кои суми си намерил. «Подсказка» помага стъпка по стъпка.</p>"
           "<p><b>С клавиатура.</b> Tab минава през полетата; в списъка стрелките избират число, а "
           "в упражнението Tab води до местата на фигурата и Интервал поставя числото там.</p>";
}

std::string OutOfRangeText() {
    return "Началното число е твърде голямо или твърде малко. "
           "Въведете естествено число от 1 до 32767.";
}

std::string LineSumSpoken(const Practice& practice, int line) {
    const Verdict verdict = Judge(practice);
    if (line < 0 || line >= static_cast<int>(verdict.lineSums.size()) ||
        !verdict.lineSums[static_cast<std::size_t>(line)])
        return {};
    std::string text = LineName(practice, line) + ": сума " +
                       to_string(*verdict.lineSums[static_cast<std::size_t>(line)]);
    if (verdict.kind == VerdictKind::Solved)
        return text + ", равна";
    if (verdict.kind == VerdictKind::Unequal) {
        const std::int64_t off = verdict.differences[static_cast<std::size_t>(line)];
        return text + ", " + (off == 0 ? std::string("равна") : Amount(off));
    }
    return text;
}

std::string VerdictText(const Practice& practice) {
    const Verdict verdict = Judge(practice);
    const std::string lines = IsTriangle(practice) ? "Страните" : "Върховете";
    if (verdict.kind == VerdictKind::Solved)
        return std::string("Браво! ") + (IsTriangle(practice) ? "Всяка страна" : "Всеки връх") +
               " има сума " + to_string(verdict.sum) + ".";
    if (verdict.kind == VerdictKind::Incomplete)
        return {};
    std::vector<std::int64_t> sums;
    for (const auto& sum : verdict.lineSums)
        sums.push_back(*sum);
    std::vector<std::string> off;
    for (std::size_t line = 0; line < sums.size(); ++line)
        if (verdict.differences[line] != 0)
            off.push_back(LineName(practice, static_cast<int>(line)) + " е " +
                          Amount(verdict.differences[line]));
    std::string joined;
    for (const std::string& part : off)
        joined += (joined.empty() ? "" : ", ") + part;
    return lines + " имат суми " + JoinAnd(Texts(sums)) + ": " + joined + ".";
}

std::string FoundSumsText(const Practice& practice) {
    if (practice.foundSums.empty())
        return {};
    const std::size_t possible = PossibleSums(practice.figure, practice.numbers).size();
    const std::string count =
        " (" + to_string(practice.foundSums.size()) + " от " + to_string(possible) + ")";
    if (practice.foundSums.size() >= possible)
        return "Намери всички суми: " + JoinAnd(Texts(practice.foundSums)) + count + "!";
    return "Намерени суми: " + JoinAnd(Texts(practice.foundSums)) + count + ".";
}

std::string StatusText(const Practice& practice) {
    std::string text;
    if (practice.placed.empty())
        text = "Избери фигура, напиши начално число и натисни «Изчисли».";
    else if (Judge(practice).kind != VerdictKind::Incomplete)
        text = VerdictText(practice);
    else if (practice.pickedNumber != kEmpty)
        text = "Избрано е числото " +
               to_string(practice.numbers[static_cast<std::size_t>(practice.pickedNumber)]) +
               ": посочи място на фигурата.";
    else if (practice.pickedPosition != kEmpty)
        text = "Избрано е място: " + PositionName(practice.figure, practice.pickedPosition) +
               ". Посочи число от списъка.";
    else
        text = "Подреди числата: избери число от списъка и място на фигурата.";
    const std::string found = FoundSumsText(practice);
    return found.empty() ? text : text + " " + found;
}

Coaching Hint(Practice practice) {
    if (practice.placed.empty())
        return {std::move(practice), "Първо избери фигура, напиши начално число и натисни "
                                     "«Изчисли»."};
    if (const Verdict verdict = Judge(practice); verdict.kind == VerdictKind::Solved) {
        std::string text = SolvedHint(practice, verdict.sum);
        return {std::move(practice), std::move(text)};
    }
    practice.hintStep = std::min(practice.hintStep + 1, 3);
    if (practice.hintStep == 1)
        return {practice, IdeaHint(practice)};
    const std::vector<int> goal = Goal(practice);
    if (practice.hintStep == 2)
        return {practice, PlanHint(practice, goal)};
    return PlacingHint(std::move(practice), goal);
}

std::string WhyText(const Practice& practice) {
    if (practice.placed.empty())
        return "Първо избери фигура, напиши начално число и натисни «Изчисли».";
    // The pupil's own solution when there is one, the demonstration's otherwise.
    const bool solved = Judge(practice).kind == VerdictKind::Solved;
    const Practice shown = solved ? practice : ShowSolution(practice);
    const std::vector<int>& cells = shown.placed;
    const std::int64_t sum = SumOfSolution(shown, cells);
    std::int64_t total = 0;
    for (std::int32_t n : shown.numbers)
        total += n;
    if (IsTriangle(practice)) {
        std::vector<std::int64_t> corners;
        for (int slot : {0, 1, 2})
            corners.push_back(shown.numbers[static_cast<std::size_t>(cells[std::size_t(slot)])]);
        std::sort(corners.begin(), corners.end());
        std::string text = solved ? "" : "Например с ъгли " + JoinAnd(Texts(corners)) + ": ";
        text += std::string(solved ? "Всички" : "всички") + " числа дават " + to_string(total) +
                "; ъглите се броят два пъти, затова 3 × " + to_string(sum) + " = " +
                to_string(total);
        for (std::int64_t corner : corners)
            text += " + " + to_string(corner);
        return text + ".";
    }
    std::vector<std::string> pairs;
    for (std::size_t v = 0; v < 4; ++v)
        pairs.push_back(to_string(shown.numbers[v]) + " + " + to_string(shown.numbers[7 - v]));
    return "Събираме числата по двойки отвън навътре: " + JoinAnd(pairs) +
           ". От двойка към двойка първото число расте с 1, а второто намалява с 1, затова "
           "всяка сума е " +
           to_string(sum) + ". Всички числа дават " + to_string(total) + " = 4 × " +
           to_string(sum) + ".";
}

} // namespace velmora
