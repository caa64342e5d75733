// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/figure.h"

#include <algorithm>
#include <cmath>

namespace velmora {
namespace {

// Two names per place: most are the same after a preposition, "връх" is not.
FigurePlace At(double x, double y, const std::string& name, const std::string& shortName = {}) {
    return {x, y, name, shortName.empty() ? name : shortName};
}

FigureLine Line(std::vector<int> cells, const std::string& name, const std::string& location) {
    return {std::move(cells), name, location};
}

Figure MagicV() {
    Figure f;
    f.mode = FigureMode::V;
    f.key = "v";
    f.title = "Магическо V";
    f.places = {At(0.1, 0.1, "горният ляв връх", "горния ляв връх"),
                At(0.3, 0.5, "средата на лявото рамо"), At(0.5, 0.9, "долният връх", "долния връх"),
                At(0.7, 0.5, "средата на дясното рамо"),
                At(0.9, 0.1, "горният десен връх", "горния десен връх")};
    f.lines = {Line({0, 1, 2}, "лявото рамо", "на лявото рамо"),
               Line({2, 3, 4}, "дясното рамо", "на дясното рамо")};
    f.keyPlaces = {2};
    f.keyLocation = "в долния връх";
    f.everyLine = "всяко рамо";
    f.lineSums = "сумите на раменете";
    f.allLines = "двете рамена";
    f.idea1 = "Подсказка: числото в долния връх е и в двете рамена. Кое число е добре да "
              "сложиш там?";
    return f;
}

// Triangle corners come first, in the order bottom-left, apex, bottom-right.
Figure TriangleCorners(Figure f) {
    f.keyPlaces = {0, 1, 2};
    f.keyLocation = "във върховете";
    f.everyLine = "всяка страна";
    f.lineSums = "сумите на страните";
    f.allLines = "трите страни";
    f.idea1 = "Подсказка: всяко число във връх е в две страни. Кои числа е добре да сложиш във "
              "върховете?";
    return f;
}

Figure SmallTriangle() {
    Figure f;
    f.mode = FigureMode::Triangle;
    f.key = "triangle";
    f.title = "Триъгълник";
    f.places = {At(0.1, 0.9, "долният ляв връх", "долния ляв връх"),
                At(0.5, 0.1, "горният връх", "горния връх"),
                At(0.9, 0.9, "долният десен връх", "долния десен връх"),
                At(0.7, 0.5, "средата на дясната страна"), At(0.5, 0.9, "средата на основата"),
                At(0.3, 0.5, "средата на лявата страна")};
    f.lines = {Line({0, 4, 2}, "основата", "на основата"),
               Line({2, 3, 1}, "дясната страна", "на дясната страна"),
               Line({1, 5, 0}, "лявата страна", "на лявата страна")};
    return TriangleCorners(f);
}

Figure Rhombus() {
    Figure f;
    f.mode = FigureMode::Rhombus;
    f.key = "rhombus";
    f.title = "Ромб";
    f.cellsPerPlace = 2;
    f.places = {At(0.5, 0.1, "горният връх", "горния връх"), At(0.1, 0.5, "левият връх", "левия връх"),
                At(0.5, 0.9, "долният връх", "долния връх"),
                At(0.9, 0.5, "десният връх", "десния връх")};
    f.lines = {Line({0, 1}, "горният връх", "в горния връх"),
               Line({2, 3}, "левият връх", "в левия връх"),
               Line({4, 5}, "долният връх", "в долния връх"),
               Line({6, 7}, "десният връх", "в десния връх")};
    f.idea = FigureIdea::Pairs;
    f.everyLine = "всяка двойка";
    f.lineSums = "сумите във върховете";
    f.allLines = "четирите двойки";
    f.idea1 = "Подсказка: събери най-малкото и най-голямото число. Кои две други числа дават "
              "същата сума?";
    return f;
}

Figure BigTriangle() {
    Figure f;
    f.mode = FigureMode::BigTriangle;
    f.key = "big-triangle";
    f.title = "Голям триъгълник";
    const double third = 0.8 / 3;
    f.places = {At(0.1, 0.9, "долният ляв връх", "долния ляв връх"),
                At(0.5, 0.1, "горният връх", "горния връх"),
                At(0.9, 0.9, "долният десен връх", "долния десен връх"),
                At(0.9 - third / 2, 0.9 - third, "долното място на дясната страна"),
                At(0.9 - third, 0.9 - 2 * third, "горното място на дясната страна"),
                At(0.1 + third, 0.9, "лявото място на основата"),
                At(0.1 + 2 * third, 0.9, "дясното място на основата"),
                At(0.1 + third, 0.9 - 2 * third, "горното място на лявата страна"),
                At(0.1 + third / 2, 0.9 - third, "долното място на лявата страна")};
    f.lines = {Line({0, 5, 6, 2}, "основата", "на основата"),
               Line({2, 3, 4, 1}, "дясната страна", "на дясната страна"),
               Line({1, 7, 8, 0}, "лявата страна", "на лявата страна")};
    return TriangleCorners(f);
}

// Points P0..P5 clockwise from the top, inner places I0..I5 between them; the cells are
// numbered so that a search completes a line every few cells.
Figure Star() {
    Figure f;
    f.mode = FigureMode::Star;
    f.key = "star";
    f.title = "Звезда";
    const double pi = std::acos(-1.0);
    const auto point = [&](int k, double radius, const std::string& name,
                           const std::string& shortName = {}) {
        const double angle = (90.0 - 60.0 * k) * pi / 180.0;
        return At(0.5 + radius * std::cos(angle), 0.5 - radius * std::sin(angle), name, shortName);
    };
    const auto inner = [&](int k, const std::string& name) {
        const double angle = (60.0 - 60.0 * k) * pi / 180.0;
        const double radius = 0.45 / std::sqrt(3.0);
        return At(0.5 + radius * std::cos(angle), 0.5 - radius * std::sin(angle), name);
    };
    f.places = {point(0, 0.45, "горният връх", "горния връх"),
                inner(0, "вътрешното място горе вдясно"),
                inner(1, "вътрешното място вдясно"),
                point(2, 0.45, "долният десен връх", "долния десен връх"),
                point(1, 0.45, "горният десен връх", "горния десен връх"),
                inner(2, "вътрешното място долу вдясно"),
                point(3, 0.45, "долният връх", "долния връх"),
                inner(3, "вътрешното място долу вляво"),
                point(4, 0.45, "долният ляв връх", "долния ляв връх"),
                inner(4, "вътрешното място вляво"),
                point(5, 0.45, "горният ляв връх", "горния ляв връх"),
                inner(5, "вътрешното място горе вляво")};
    f.lines = {Line({10, 11, 1, 4}, "горната линия", "на горната линия"),
               Line({3, 5, 7, 8}, "долната линия", "на долната линия"),
               Line({0, 1, 2, 3}, "линията от горния връх надолу вдясно",
                    "на линията от горния връх надолу вдясно"),
               Line({8, 9, 11, 0}, "линията от горния връх надолу вляво",
                    "на линията от горния връх надолу вляво"),
               Line({4, 2, 5, 6}, "линията от долния връх нагоре вдясно",
                    "на линията от долния връх нагоре вдясно"),
               Line({6, 7, 9, 10}, "линията от долния връх нагоре вляво",
                    "на линията от долния връх нагоре вляво")};
    f.idea = FigureIdea::EveryTwice;
    f.everyLine = "всяка линия";
    f.lineSums = "сумите на линиите";
    f.allLines = "шестте линии";
    f.idea1 = "Подсказка: всяко число е на две линии. Събери всички числа. Каква сума трябва "
              "да има всяка от шестте линии?";
    return f;
}

Figure MagicSquare() {
    Figure f;
    f.mode = FigureMode::Square;
    f.key = "square";
    f.title = "Магически квадрат";
    const auto cell = [](int k) { return 0.5 / 3 + (1.0 / 3) * k; };
    f.places = {At(cell(0), cell(0), "горният ляв ъгъл", "горния ляв ъгъл"),
                At(cell(1), cell(0), "средата на горния ред"),
                At(cell(2), cell(0), "горният десен ъгъл", "горния десен ъгъл"),
                At(cell(0), cell(1), "средата на левия стълб"),
                At(cell(1), cell(1), "центърът", "центъра"),
                At(cell(2), cell(1), "средата на десния стълб"),
                At(cell(0), cell(2), "долният ляв ъгъл", "долния ляв ъгъл"),
                At(cell(1), cell(2), "средата на долния ред"),
                At(cell(2), cell(2), "долният десен ъгъл", "долния десен ъгъл")};
    f.lines = {Line({0, 1, 2}, "горният ред", "на горния ред"),
               Line({3, 4, 5}, "средният ред", "на средния ред"),
               Line({6, 7, 8}, "долният ред", "на долния ред"),
               Line({0, 3, 6}, "левият стълб", "на левия стълб"),
               Line({1, 4, 7}, "средният стълб", "на средния стълб"),
               Line({2, 5, 8}, "десният стълб", "на десния стълб"),
               Line({0, 4, 8}, "диагоналът от горния ляв ъгъл", "на диагонала от горния ляв ъгъл"),
               Line({2, 4, 6}, "диагоналът от горния десен ъгъл",
                    "на диагонала от горния десен ъгъл")};
    f.idea = FigureIdea::RowsHoldAll;
    f.keyPlaces = {4};
    f.keyLocation = "в центъра";
    f.everyLine = "всеки ред, стълб и диагонал";
    f.lineSums = "сумите на редовете, стълбовете и диагоналите";
    f.allLines = "трите реда";
    f.idea1 = "Подсказка: трите реда заедно съдържат всички числа. Каква сума трябва да има "
              "всеки ред? Кое число е добре да сложиш в центъра?";
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

int LinesThrough(const Figure& figure, int cell) {
    return static_cast<int>(std::count_if(
        figure.lines.begin(), figure.lines.end(), [&](const FigureLine& line) {
            return std::find(line.cells.begin(), line.cells.end(), cell) != line.cells.end();
        }));
}

} // namespace velmora
