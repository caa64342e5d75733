// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/figure.h"

#include <algorithm>
#include <cmath>

// Every place has four names, one for each form a sentence needs (see FigurePlace); in
// Bulgarian the last three follow the short article form: «горният връх», «в горния
// връх», «от горния връх». Each is a message, so a translator gives each its own case.

namespace velmora {
namespace {

FigurePlace At(double x, double y, Message name, Message into, Message at, Message from) {
    return {x, y, name, into, at, from};
}

FigureLine Line(std::vector<int> cells, Message name, Message whose, double labelX, double labelY) {
    return {std::move(cells), name, whose, labelX, labelY};
}

// Each line drawn from its first place to its last.
std::vector<std::pair<int, int>> LineEnds(const std::vector<FigureLine>& lines) {
    std::vector<std::pair<int, int>> edges;
    for (const FigureLine& line : lines)
        edges.emplace_back(line.cells.front(), line.cells.back());
    return edges;
}

Figure MagicV() {
    Figure f;
    f.mode = FigureMode::V;
    f.key = "v";
    f.title = NC_("figure", "Магическо V");
    f.places = {At(0.1, 0.1, NC_("place", "горният ляв връх"),
                   NC_("place, where a number goes", "в горния ляв връх"),
                   NC_("place, where a number is", "в горния ляв връх"),
                   NC_("place, where a number moves from", "от горния ляв връх")),
                At(0.3, 0.5, NC_("place", "средата на лявото рамо"),
                   NC_("place, where a number goes", "в средата на лявото рамо"),
                   NC_("place, where a number is", "в средата на лявото рамо"),
                   NC_("place, where a number moves from", "от средата на лявото рамо")),
                At(0.5, 0.9, NC_("place", "долният връх"),
                   NC_("place, where a number goes", "в долния връх"),
                   NC_("place, where a number is", "в долния връх"),
                   NC_("place, where a number moves from", "от долния връх")),
                At(0.7, 0.5, NC_("place", "средата на дясното рамо"),
                   NC_("place, where a number goes", "в средата на дясното рамо"),
                   NC_("place, where a number is", "в средата на дясното рамо"),
                   NC_("place, where a number moves from", "от средата на дясното рамо")),
                At(0.9, 0.1, NC_("place", "горният десен връх"),
                   NC_("place, where a number goes", "в горния десен връх"),
                   NC_("place, where a number is", "в горния десен връх"),
                   NC_("place, where a number moves from", "от горния десен връх"))};
    f.lines = {Line({0, 1, 2}, NC_("line", "лявото рамо"), NC_("line, whose sum", "на лявото рамо"),
                    0.1, 0.62),
               Line({2, 3, 4}, NC_("line", "дясното рамо"),
                    NC_("line, whose sum", "на дясното рамо"), 0.9, 0.62)};
    f.edges = LineEnds(f.lines);
    f.keyPlaces = {2};
    f.texts.solved = N_("Браво! Всяко рамо има сума {sum}.");
    f.texts.solutionShown =
        N_("Ето едно решение: всяко рамо има сума {sum}. «Върни моята подредба» връща "
           "твоите числа.");
    // TRANSLATORS: {wrong} lines of {total} do not have the sum {sum}
    f.texts.manyOff =
        N_("Сумите на раменете не са равни: {wrong} от {total} рамена нямат сума {sum}. "
           "Виж червените числа до фигурата.");
    // TRANSLATORS: after the sum every line must have, naming it
    f.texts.mustHave = N_("{sum} (сумата, която трябва да има всяко рамо)");
    // TRANSLATORS: a clause inside a hint: {numbers} is a list such as «8, 10 и 12»
    f.texts.keysNeed = N_("за сума {sum} в долния връх трябва {numbers}");
    // TRANSLATORS: a clause inside a hint: {total} is what the numbers add up to, {numbers} one
    // example
    f.texts.keysTogether =
        N_("за сума {sum} числата в долния връх трябва да дават заедно {total}, например "
           "{numbers}");
    f.texts.tryKeys = N_("Фигурата е подредена със сума {sum}. За друга сума опитай в долния връх "
                         "{numbers}.");
    // TRANSLATORS: {keys} is a list of numbers such as «8, 10 и 12»; {both} = {total} +
    // {key_total}; {lines} is how many lines
    f.texts.whySolved =
        N_("Когато съберем двете рамена, числото в долния връх се брои два пъти, а всяко "
           "друго число – веднъж. Сумата на всички числа е {total}. В долния връх е "
           "{keys}. Двете рамена заедно дават {total} + {key_total} = {both}, а {both} = "
           "{lines} × {sum}. Затова всяко рамо има сума {sum}.");
    f.texts.whyIf =
        N_("Когато съберем двете рамена, числото в долния връх се брои два пъти, а всяко "
           "друго число – веднъж. Сумата на всички числа е {total}. Ако в долния връх е "
           "{keys}, двете рамена заедно дават {total} + {key_total} = {both}, а {both} = "
           "{lines} × {sum}. Затова, ако сумите са равни, всяко рамо има сума {sum}.");
    f.texts.idea = N_("Подсказка: числото в долния връх е и в двете рамена. Кое число е добре да "
                      "сложиш там?");
    f.texts.sheetTask = N_("Подреди числата така, че всяко рамо да има една и съща сума.");
    // TRANSLATORS: the second half of a worksheet answer: «Сума 27 — вярна е …»
    f.texts.sheetAnyEqual = N_("вярна е всяка подредба, в която сумите на раменете са равни");
    return f;
}

std::vector<FigureLine> TriangleSides(std::vector<int> base, std::vector<int> right,
                                      std::vector<int> left) {
    return {Line(std::move(base), NC_("line", "основата"), NC_("line, whose sum", "на основата"),
                 0.5, 0.97),
            Line(std::move(right), NC_("line", "дясната страна"),
                 NC_("line, whose sum", "на дясната страна"), 0.88, 0.4),
            Line(std::move(left), NC_("line", "лявата страна"),
                 NC_("line, whose sum", "на лявата страна"), 0.12, 0.4)};
}

// Triangle corners come first, in the order bottom-left, apex, bottom-right.
Figure TriangleCorners(Figure f) {
    f.edges = {{0, 1}, {1, 2}, {2, 0}};
    f.keyPlaces = {0, 1, 2};
    f.texts.solved = N_("Браво! Всяка страна има сума {sum}.");
    f.texts.solutionShown =
        N_("Ето едно решение: всяка страна има сума {sum}. «Върни моята подредба» връща "
           "твоите числа.");
    // TRANSLATORS: {wrong} lines of {total} do not have the sum {sum}
    f.texts.manyOff =
        N_("Сумите на страните не са равни: {wrong} от {total} страни нямат сума {sum}. "
           "Виж червените числа до фигурата.");
    // TRANSLATORS: after the sum every line must have, naming it
    f.texts.mustHave = N_("{sum} (сумата, която трябва да има всяка страна)");
    // TRANSLATORS: a clause inside a hint: {numbers} is a list such as «8, 10 и 12»
    f.texts.keysNeed = N_("за сума {sum} във върховете трябват {numbers}");
    // TRANSLATORS: a clause inside a hint: {total} is what the numbers add up to, {numbers} one
    // example
    f.texts.keysTogether =
        N_("за сума {sum} числата във върховете трябва да дават заедно {total}, например "
           "{numbers}");
    f.texts.tryKeys = N_("Фигурата е подредена със сума {sum}. За друга сума опитай във върховете "
                         "{numbers}.");
    // TRANSLATORS: {keys} is a list of numbers such as «8, 10 и 12»; {both} = {total} +
    // {key_total}; {lines} is how many lines
    f.texts.whySolved =
        N_("Когато съберем трите страни, числата във върховете се броят два пъти, а всяко "
           "друго число – веднъж. Сумата на всички числа е {total}. Във върховете са "
           "{keys}, заедно {key_total}. Трите страни заедно дават {total} + {key_total} = "
           "{both}, а {both} = {lines} × {sum}. Затова всяка страна има сума {sum}.");
    f.texts.whyIf =
        N_("Когато съберем трите страни, числата във върховете се броят два пъти, а всяко "
           "друго число – веднъж. Сумата на всички числа е {total}. Ако във върховете са "
           "{keys}, заедно {key_total}, трите страни заедно дават {total} + {key_total} = "
           "{both}, а {both} = {lines} × {sum}. Затова, ако сумите са равни, всяка страна "
           "има сума {sum}.");
    f.texts.idea = N_("Подсказка: всяко число във връх е в две страни. Кои числа е добре да сложиш "
                      "във върховете?");
    f.texts.sheetTask = N_("Подреди числата така, че всяка страна да има една и съща сума.");
    // TRANSLATORS: the second half of a worksheet answer: «Сума 27 — вярна е …»
    f.texts.sheetAnyEqual = N_("вярна е всяка подредба, в която сумите на страните са равни");
    return f;
}

Figure SmallTriangle() {
    Figure f;
    f.mode = FigureMode::Triangle;
    f.key = "triangle";
    f.title = NC_("figure", "Триъгълник");
    f.places = {At(0.1, 0.85, NC_("place", "долният ляв връх"),
                   NC_("place, where a number goes", "в долния ляв връх"),
                   NC_("place, where a number is", "в долния ляв връх"),
                   NC_("place, where a number moves from", "от долния ляв връх")),
                At(0.5, 0.08, NC_("place", "горният връх"),
                   NC_("place, where a number goes", "в горния връх"),
                   NC_("place, where a number is", "в горния връх"),
                   NC_("place, where a number moves from", "от горния връх")),
                At(0.9, 0.85, NC_("place", "долният десен връх"),
                   NC_("place, where a number goes", "в долния десен връх"),
                   NC_("place, where a number is", "в долния десен връх"),
                   NC_("place, where a number moves from", "от долния десен връх")),
                At(0.7, 0.465, NC_("place", "средата на дясната страна"),
                   NC_("place, where a number goes", "в средата на дясната страна"),
                   NC_("place, where a number is", "в средата на дясната страна"),
                   NC_("place, where a number moves from", "от средата на дясната страна")),
                At(0.5, 0.85, NC_("place", "средата на основата"),
                   NC_("place, where a number goes", "в средата на основата"),
                   NC_("place, where a number is", "в средата на основата"),
                   NC_("place, where a number moves from", "от средата на основата")),
                At(0.3, 0.465, NC_("place", "средата на лявата страна"),
                   NC_("place, where a number goes", "в средата на лявата страна"),
                   NC_("place, where a number is", "в средата на лявата страна"),
                   NC_("place, where a number moves from", "от средата на лявата страна"))};
    f.lines = TriangleSides({0, 4, 2}, {2, 3, 1}, {1, 5, 0});
    return TriangleCorners(f);
}

Figure Rhombus() {
    Figure f;
    f.mode = FigureMode::Rhombus;
    f.key = "rhombus";
    f.title = NC_("figure", "Ромб");
    f.cellsPerPlace = 2;
    f.places = {At(0.5, 0.08, NC_("place", "горният връх"),
                   NC_("place, where a number goes", "в горния връх"),
                   NC_("place, where a number is", "в горния връх"),
                   NC_("place, where a number moves from", "от горния връх")),
                At(0.12, 0.45, NC_("place", "левият връх"),
                   NC_("place, where a number goes", "в левия връх"),
                   NC_("place, where a number is", "в левия връх"),
                   NC_("place, where a number moves from", "от левия връх")),
                At(0.5, 0.82, NC_("place", "долният връх"),
                   NC_("place, where a number goes", "в долния връх"),
                   NC_("place, where a number is", "в долния връх"),
                   NC_("place, where a number moves from", "от долния връх")),
                At(0.88, 0.45, NC_("place", "десният връх"),
                   NC_("place, where a number goes", "в десния връх"),
                   NC_("place, where a number is", "в десния връх"),
                   NC_("place, where a number moves from", "от десния връх"))};
    // Each vertex is a line of its own: its sum shows below it.
    f.lines = {Line({0, 1}, NC_("line", "горният връх"), NC_("line, whose sum", "в горния връх"),
                    0.5, 0.18),
               Line({2, 3}, NC_("line", "левият връх"), NC_("line, whose sum", "в левия връх"),
                    0.12, 0.55),
               Line({4, 5}, NC_("line", "долният връх"), NC_("line, whose sum", "в долния връх"),
                    0.5, 0.92),
               Line({6, 7}, NC_("line", "десният връх"), NC_("line, whose sum", "в десния връх"),
                    0.88, 0.55)};
    f.edges = {{0, 1}, {1, 2}, {2, 3}, {3, 0}};
    f.idea = FigureIdea::Pairs;
    f.texts.solved = N_("Браво! Всяка двойка има сума {sum}.");
    f.texts.solutionShown =
        N_("Ето едно решение: всяка двойка има сума {sum}. «Върни моята подредба» връща "
           "твоите числа.");
    // TRANSLATORS: {wrong} lines of {total} do not have the sum {sum}
    f.texts.manyOff =
        N_("Сумите във върховете не са равни: {wrong} от {total} двойки нямат сума {sum}. "
           "Виж червените числа до фигурата.");
    // TRANSLATORS: after the sum every line must have, naming it
    f.texts.mustHave = N_("{sum} (сумата, която трябва да има всяка двойка)");
    // TRANSLATORS: {pairs} is a list such as «7 и 14; 8 и 13»; {lines} is how many pairs
    f.texts.whySolved =
        N_("Двойките са {pairs}. Всяка двойка има сума {sum}: от двойка към двойка "
           "по-малкото число расте с 1, а по-голямото намалява с 1. Сумата на всички "
           "числа е {total} = {lines} × {sum}.");
    f.texts.whyIf = N_("Ако двойките са {pairs}, всяка двойка има сума {sum}: от двойка към двойка "
                       "по-малкото число расте с 1, а по-голямото намалява с 1. Сумата на всички "
                       "числа е {total} = {lines} × {sum}.");
    f.texts.idea =
        N_("Подсказка: събери най-малкото и най-голямото число. Кои две други числа дават "
           "същата сума?");
    f.texts.sheetTask =
        N_("Подреди числата по две във всяка кутийка така, че всяка двойка да има една и "
           "съща сума.");
    // TRANSLATORS: the second half of a worksheet answer: «Сума 27 — вярна е …»
    f.texts.sheetAnyEqual = N_("вярна е всяка подредба, в която сумите във върховете са равни");
    return f;
}

Figure BigTriangle() {
    Figure f;
    f.mode = FigureMode::BigTriangle;
    f.key = "big-triangle";
    f.title = NC_("figure", "Голям триъгълник");
    const FigurePlace left{0.1, 0.85, {}, {}, {}, {}}, apex{0.5, 0.08, {}, {}, {}, {}},
        right{0.9, 0.85, {}, {}, {}, {}};
    // The place `part` thirds of the way from `from` to `to`, with its names.
    const auto along = [](const FigurePlace& from, const FigurePlace& to, int part, Message name,
                          Message into, Message at, Message away) {
        return At(from.x + (to.x - from.x) * part / 3, from.y + (to.y - from.y) * part / 3, name,
                  into, at, away);
    };
    f.places = {
        At(left.x, left.y, NC_("place", "долният ляв връх"),
           NC_("place, where a number goes", "в долния ляв връх"),
           NC_("place, where a number is", "в долния ляв връх"),
           NC_("place, where a number moves from", "от долния ляв връх")),
        At(apex.x, apex.y, NC_("place", "горният връх"),
           NC_("place, where a number goes", "в горния връх"),
           NC_("place, where a number is", "в горния връх"),
           NC_("place, where a number moves from", "от горния връх")),
        At(right.x, right.y, NC_("place", "долният десен връх"),
           NC_("place, where a number goes", "в долния десен връх"),
           NC_("place, where a number is", "в долния десен връх"),
           NC_("place, where a number moves from", "от долния десен връх")),
        along(right, apex, 1, NC_("place", "долното място на дясната страна"),
              NC_("place, where a number goes", "в долното място на дясната страна"),
              NC_("place, where a number is", "в долното място на дясната страна"),
              NC_("place, where a number moves from", "от долното място на дясната страна")),
        along(right, apex, 2, NC_("place", "горното място на дясната страна"),
              NC_("place, where a number goes", "в горното място на дясната страна"),
              NC_("place, where a number is", "в горното място на дясната страна"),
              NC_("place, where a number moves from", "от горното място на дясната страна")),
        along(left, right, 1, NC_("place", "лявото място на основата"),
              NC_("place, where a number goes", "в лявото място на основата"),
              NC_("place, where a number is", "в лявото място на основата"),
              NC_("place, where a number moves from", "от лявото място на основата")),
        along(left, right, 2, NC_("place", "дясното място на основата"),
              NC_("place, where a number goes", "в дясното място на основата"),
              NC_("place, where a number is", "в дясното място на основата"),
              NC_("place, where a number moves from", "от дясното място на основата")),
        along(apex, left, 1, NC_("place", "горното място на лявата страна"),
              NC_("place, where a number goes", "в горното място на лявата страна"),
              NC_("place, where a number is", "в горното място на лявата страна"),
              NC_("place, where a number moves from", "от горното място на лявата страна")),
        along(apex, left, 2, NC_("place", "долното място на лявата страна"),
              NC_("place, where a number goes", "в долното място на лявата страна"),
              NC_("place, where a number is", "в долното място на лявата страна"),
              NC_("place, where a number moves from", "от долното място на лявата страна"))};
    f.lines = TriangleSides({0, 5, 6, 2}, {2, 3, 4, 1}, {1, 7, 8, 0});
    return TriangleCorners(f);
}

// Points P0..P5 clockwise from the top, inner places I0..I5 between them; the cells are
// numbered so that a search completes a line every few cells. Each line's sum shows
// beyond one of its points, a different point for each line.
Figure Star() {
    Figure f;
    f.mode = FigureMode::Star;
    f.key = "star";
    f.title = NC_("figure", "Звезда");
    const double pi = std::acos(-1.0);
    const double outer = 0.4;
    const auto onCircle = [&](double degrees, double radius, Message name, Message into, Message at,
                              Message away) {
        const double angle = degrees * pi / 180.0;
        return At(0.5 + radius * std::cos(angle), 0.5 - radius * std::sin(angle), name, into, at,
                  away);
    };
    const auto point = [&](int k, Message name, Message into, Message at, Message away) {
        return onCircle(90.0 - 60.0 * k, outer, name, into, at, away);
    };
    const auto inner = [&](int k, Message name, Message into, Message at, Message away) {
        return onCircle(60.0 - 60.0 * k, outer / std::sqrt(3.0), name, into, at, away);
    };
    f.places = {
        point(0, NC_("place", "горният връх"), NC_("place, where a number goes", "в горния връх"),
              NC_("place, where a number is", "в горния връх"),
              NC_("place, where a number moves from", "от горния връх")),
        inner(0, NC_("place", "вътрешното място горе вдясно"),
              NC_("place, where a number goes", "във вътрешното място горе вдясно"),
              NC_("place, where a number is", "във вътрешното място горе вдясно"),
              NC_("place, where a number moves from", "от вътрешното място горе вдясно")),
        inner(1, NC_("place", "вътрешното място вдясно"),
              NC_("place, where a number goes", "във вътрешното място вдясно"),
              NC_("place, where a number is", "във вътрешното място вдясно"),
              NC_("place, where a number moves from", "от вътрешното място вдясно")),
        point(2, NC_("place", "долният десен връх"),
              NC_("place, where a number goes", "в долния десен връх"),
              NC_("place, where a number is", "в долния десен връх"),
              NC_("place, where a number moves from", "от долния десен връх")),
        point(1, NC_("place", "горният десен връх"),
              NC_("place, where a number goes", "в горния десен връх"),
              NC_("place, where a number is", "в горния десен връх"),
              NC_("place, where a number moves from", "от горния десен връх")),
        inner(2, NC_("place", "вътрешното място долу вдясно"),
              NC_("place, where a number goes", "във вътрешното място долу вдясно"),
              NC_("place, where a number is", "във вътрешното място долу вдясно"),
              NC_("place, where a number moves from", "от вътрешното място долу вдясно")),
        point(3, NC_("place", "долният връх"), NC_("place, where a number goes", "в долния връх"),
              NC_("place, where a number is", "в долния връх"),
              NC_("place, where a number moves from", "от долния връх")),
        inner(3, NC_("place", "вътрешното място долу вляво"),
              NC_("place, where a number goes", "във вътрешното място долу вляво"),
              NC_("place, where a number is", "във вътрешното място долу вляво"),
              NC_("place, where a number moves from", "от вътрешното място долу вляво")),
        point(4, NC_("place", "долният ляв връх"),
              NC_("place, where a number goes", "в долния ляв връх"),
              NC_("place, where a number is", "в долния ляв връх"),
              NC_("place, where a number moves from", "от долния ляв връх")),
        inner(4, NC_("place", "вътрешното място вляво"),
              NC_("place, where a number goes", "във вътрешното място вляво"),
              NC_("place, where a number is", "във вътрешното място вляво"),
              NC_("place, where a number moves from", "от вътрешното място вляво")),
        point(5, NC_("place", "горният ляв връх"),
              NC_("place, where a number goes", "в горния ляв връх"),
              NC_("place, where a number is", "в горния ляв връх"),
              NC_("place, where a number moves from", "от горния ляв връх")),
        inner(5, NC_("place", "вътрешното място горе вляво"),
              NC_("place, where a number goes", "във вътрешното място горе вляво"),
              NC_("place, where a number is", "във вътрешното място горе вляво"),
              NC_("place, where a number moves from", "от вътрешното място горе вляво"))};
    // A line from point `from` to point `to`, its sum `beyond` further on. No sum sits at
    // the top or bottom point, where two slanted lines meet and a child could not tell
    // which one it belongs to.
    const auto line = [&](std::vector<int> cells, int from, int to, Message name, Message whose) {
        const FigurePlace& a = f.places[static_cast<std::size_t>(from)];
        const FigurePlace& b = f.places[static_cast<std::size_t>(to)];
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        const double beyond = 0.09 / length;
        return Line(std::move(cells), name, whose, b.x + (b.x - a.x) * beyond,
                    b.y + (b.y - a.y) * beyond);
    };
    f.lines = {line({10, 11, 1, 4}, 10, 4, NC_("line", "горната линия"),
                    NC_("line, whose sum", "на горната линия")),
               line({3, 5, 7, 8}, 3, 8, NC_("line", "долната линия"),
                    NC_("line, whose sum", "на долната линия")),
               line({0, 1, 2, 3}, 0, 3, NC_("line", "линията от горния връх надолу вдясно"),
                    NC_("line, whose sum", "на линията от горния връх надолу вдясно")),
               line({8, 9, 11, 0}, 0, 8, NC_("line", "линията от горния връх надолу вляво"),
                    NC_("line, whose sum", "на линията от горния връх надолу вляво")),
               line({4, 2, 5, 6}, 6, 4, NC_("line", "линията от долния връх нагоре вдясно"),
                    NC_("line, whose sum", "на линията от долния връх нагоре вдясно")),
               line({6, 7, 9, 10}, 6, 10, NC_("line", "линията от долния връх нагоре вляво"),
                    NC_("line, whose sum", "на линията от долния връх нагоре вляво"))};
    f.edges = LineEnds(f.lines);
    f.idea = FigureIdea::EveryTwice;
    f.texts.solved = N_("Браво! Всяка линия има сума {sum}.");
    f.texts.solutionShown =
        N_("Ето едно решение: всяка линия има сума {sum}. «Върни моята подредба» връща "
           "твоите числа.");
    // TRANSLATORS: {wrong} lines of {total} do not have the sum {sum}
    f.texts.manyOff =
        N_("Сумите на линиите не са равни: {wrong} от {total} линии нямат сума {sum}. Виж "
           "червените числа до фигурата.");
    // TRANSLATORS: after the sum every line must have, naming it
    f.texts.mustHave = N_("{sum} (сумата, която трябва да има всяка линия)");
    // TRANSLATORS: {twice} = 2 × {total}; {lines} is how many lines
    f.texts.whySolved =
        N_("Всяко число е на две линии. Когато съберем шестте линии, всяко число се брои "
           "два пъти. Сумата на всички числа е {total}, а 2 × {total} = {twice} = {lines} "
           "× {sum}. Затова всяка линия има сума {sum}.");
    f.texts.whyIf =
        N_("Всяко число е на две линии. Когато съберем шестте линии, всяко число се брои "
           "два пъти. Сумата на всички числа е {total}, а 2 × {total} = {twice} = {lines} "
           "× {sum}. Затова, ако сумите са равни, всяка линия има сума {sum}.");
    f.texts.everyMust = N_("Подсказка: всяка линия трябва да има сума {sum}.");
    f.texts.idea =
        N_("Подсказка: всяко число е на две линии. Събери всички числа. Каква сума трябва "
           "да има всяка от шестте линии?");
    f.texts.sheetTask = N_("Подреди числата така, че всяка линия да има една и съща сума.");
    // TRANSLATORS: the second half of a worksheet answer: «Сума 27 — вярна е …»
    f.texts.sheetAnyEqual = N_("вярна е всяка подредба, в която сумите на линиите са равни");
    return f;
}

Figure MagicSquare() {
    Figure f;
    f.mode = FigureMode::Square;
    f.key = "square";
    f.title = NC_("figure", "Магически квадрат");
    // A 3 × 3 grid in 0.1..0.85: the rows' sums to its right, the columns' below it, each
    // diagonal's beyond the top corner it starts from, where no other sum stands.
    const auto cell = [](int k) { return 0.225 + 0.25 * k; };
    f.places = {At(cell(0), cell(0), NC_("place", "горният ляв ъгъл"),
                   NC_("place, where a number goes", "в горния ляв ъгъл"),
                   NC_("place, where a number is", "в горния ляв ъгъл"),
                   NC_("place, where a number moves from", "от горния ляв ъгъл")),
                At(cell(1), cell(0), NC_("place", "средата на горния ред"),
                   NC_("place, where a number goes", "в средата на горния ред"),
                   NC_("place, where a number is", "в средата на горния ред"),
                   NC_("place, where a number moves from", "от средата на горния ред")),
                At(cell(2), cell(0), NC_("place", "горният десен ъгъл"),
                   NC_("place, where a number goes", "в горния десен ъгъл"),
                   NC_("place, where a number is", "в горния десен ъгъл"),
                   NC_("place, where a number moves from", "от горния десен ъгъл")),
                At(cell(0), cell(1), NC_("place", "средата на левия стълб"),
                   NC_("place, where a number goes", "в средата на левия стълб"),
                   NC_("place, where a number is", "в средата на левия стълб"),
                   NC_("place, where a number moves from", "от средата на левия стълб")),
                At(cell(1), cell(1), NC_("place", "центърът"),
                   NC_("place, where a number goes", "в центъра"),
                   NC_("place, where a number is", "в центъра"),
                   NC_("place, where a number moves from", "от центъра")),
                At(cell(2), cell(1), NC_("place", "средата на десния стълб"),
                   NC_("place, where a number goes", "в средата на десния стълб"),
                   NC_("place, where a number is", "в средата на десния стълб"),
                   NC_("place, where a number moves from", "от средата на десния стълб")),
                At(cell(0), cell(2), NC_("place", "долният ляв ъгъл"),
                   NC_("place, where a number goes", "в долния ляв ъгъл"),
                   NC_("place, where a number is", "в долния ляв ъгъл"),
                   NC_("place, where a number moves from", "от долния ляв ъгъл")),
                At(cell(1), cell(2), NC_("place", "средата на долния ред"),
                   NC_("place, where a number goes", "в средата на долния ред"),
                   NC_("place, where a number is", "в средата на долния ред"),
                   NC_("place, where a number moves from", "от средата на долния ред")),
                At(cell(2), cell(2), NC_("place", "долният десен ъгъл"),
                   NC_("place, where a number goes", "в долния десен ъгъл"),
                   NC_("place, where a number is", "в долния десен ъгъл"),
                   NC_("place, where a number moves from", "от долния десен ъгъл"))};
    f.lines = {Line({0, 1, 2}, NC_("line", "горният ред"), NC_("line, whose sum", "на горния ред"),
                    0.94, cell(0)),
               Line({3, 4, 5}, NC_("line", "средният ред"),
                    NC_("line, whose sum", "на средния ред"), 0.94, cell(1)),
               Line({6, 7, 8}, NC_("line", "долният ред"), NC_("line, whose sum", "на долния ред"),
                    0.94, cell(2)),
               Line({0, 3, 6}, NC_("line", "левият стълб"),
                    NC_("line, whose sum", "на левия стълб"), cell(0), 0.94),
               Line({1, 4, 7}, NC_("line", "средният стълб"),
                    NC_("line, whose sum", "на средния стълб"), cell(1), 0.94),
               Line({2, 5, 8}, NC_("line", "десният стълб"),
                    NC_("line, whose sum", "на десния стълб"), cell(2), 0.94),
               Line({0, 4, 8}, NC_("line", "диагоналът от горния ляв ъгъл"),
                    NC_("line, whose sum", "на диагонала от горния ляв ъгъл"), 0.04, 0.04),
               Line({2, 4, 6}, NC_("line", "диагоналът от горния десен ъгъл"),
                    NC_("line, whose sum", "на диагонала от горния десен ъгъл"), 0.94, 0.04)};
    f.grid = true;
    f.idea = FigureIdea::RowsHoldAll;
    f.keyPlaces = {4};
    f.texts.solved = N_("Браво! Всеки ред, стълб и диагонал има сума {sum}.");
    f.texts.solutionShown =
        N_("Ето едно решение: всеки ред, стълб и диагонал има сума {sum}. «Върни моята "
           "подредба» връща твоите числа.");
    // TRANSLATORS: {wrong} lines of {total} do not have the sum {sum}
    f.texts.manyOff =
        N_("Сумите на редовете, стълбовете и диагоналите не са равни: {wrong} от {total} "
           "линии нямат сума {sum}. Виж червените числа до фигурата.");
    // TRANSLATORS: after the sum every line must have, naming it
    f.texts.mustHave = N_("{sum} (сумата, която трябва да има всеки ред, стълб и диагонал)");
    // TRANSLATORS: a clause inside a hint: {numbers} is a list such as «8, 10 и 12»
    f.texts.keysNeed = N_("за сума {sum} в центъра трябва {numbers}");
    // TRANSLATORS: a clause inside a hint: {total} is what the numbers add up to, {numbers} one
    // example
    f.texts.keysTogether =
        N_("за сума {sum} числата в центъра трябва да дават заедно {total}, например "
           "{numbers}");
    f.texts.tryKeys =
        N_("Фигурата е подредена със сума {sum}. За друга сума опитай в центъра {numbers}.");
    // TRANSLATORS: {keys} is the middle number
    f.texts.whySolved =
        N_("Трите реда заедно съдържат всяко число веднъж; трите стълба – също. Сумата на "
           "всички числа е {total} = 3 × {sum}. Затова всеки ред и всеки стълб има сума "
           "{sum}. Диагоналите също имат сума {sum}. В центъра е средното число, {keys}.");
    f.texts.whyIf =
        N_("Трите реда заедно съдържат всяко число веднъж; трите стълба – също. Сумата на "
           "всички числа е {total} = 3 × {sum}. Затова, ако сумите са равни, всеки ред и "
           "всеки стълб има сума {sum}. В центъра трябва да е средното число, {keys}.");
    f.texts.everyMust = N_("Подсказка: всеки ред, стълб и диагонал трябва да има сума {sum}.");
    f.texts.everyMustKeys =
        N_("Подсказка: всеки ред, стълб и диагонал трябва да има сума {sum}, а в центъра "
           "трябва {numbers}.");
    f.texts.idea =
        N_("Подсказка: трите реда заедно съдържат всички числа. Каква сума трябва да има "
           "всеки ред? Кое число е добре да сложиш в центъра?");
    f.texts.sheetTask =
        N_("Подреди числата така, че всеки ред, стълб и диагонал да има една и съща сума.");
    // TRANSLATORS: the second half of a worksheet answer: «Сума 27 — вярна е …»
    f.texts.sheetAnyEqual =
        N_("вярна е всяка подредба, в която сумите на редовете, стълбовете и диагоналите "
           "са равни");
    return f;
}

} // namespace

const std::vector<Figure>& Figures() {
    static const std::vector<Figure> figures{MagicV(),      SmallTriangle(), Rhombus(),
                                             BigTriangle(), Star(),          MagicSquare()};
    return figures;
}

const Figure& FigureOf(FigureMode mode) {
    static const Figure none;
    const auto& all = Figures();
    const auto found =
        std::find_if(all.begin(), all.end(), [&](const Figure& f) { return f.mode == mode; });
    return found == all.end() ? none : *found;
}

FigureMode FigureByKey(const std::string& key) {
    for (const Figure& figure : Figures())
        if (figure.key == key)
            return figure.mode;
    return FigureMode::None;
}

int LevelOf(FigureMode mode) {
    const auto& all = Figures();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i].mode == mode)
            return static_cast<int>(i) + 1;
    return 0;
}

} // namespace velmora
