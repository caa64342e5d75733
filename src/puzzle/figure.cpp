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

FigureLine Line(std::vector<int> cells, const std::string& name, const std::string& location,
                double labelX, double labelY) {
    return {std::move(cells), name, location, labelX, labelY};
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
    f.title = "Магическо V";
    f.places = {At(0.1, 0.1, "горният ляв връх", "горния ляв връх"),
                At(0.3, 0.5, "средата на лявото рамо"), At(0.5, 0.9, "долният връх", "долния връх"),
                At(0.7, 0.5, "средата на дясното рамо"),
                At(0.9, 0.1, "горният десен връх", "горния десен връх")};
    f.lines = {Line({0, 1, 2}, "лявото рамо", "на лявото рамо", 0.1, 0.62),
               Line({2, 3, 4}, "дясното рамо", "на дясното рамо", 0.9, 0.62)};
    f.edges = LineEnds(f.lines);
    f.keyPlaces = {2};
    f.keyLocation = "в долния връх";
    f.everyLine = "всяко рамо";
    f.lineSums = "сумите на раменете";
    f.lineNoun = "рамена";
    f.allLines = "двете рамена";
    f.idea1 = "Подсказка: числото в долния връх е и в двете рамена. Кое число е добре да "
              "сложиш там?";
    return f;
}

std::vector<FigureLine> TriangleSides(std::vector<int> base, std::vector<int> right,
                                      std::vector<int> left) {
    return {Line(std::move(base), "основата", "на основата", 0.5, 0.97),
            Line(std::move(right), "дясната страна", "на дясната страна", 0.88, 0.4),
            Line(std::move(left), "лявата страна", "на лявата страна", 0.12, 0.4)};
}

// Triangle corners come first, in the order bottom-left, apex, bottom-right.
Figure TriangleCorners(Figure f) {
    f.edges = {{0, 1}, {1, 2}, {2, 0}};
    f.keyPlaces = {0, 1, 2};
    f.keyLocation = "във върховете";
    f.everyLine = "всяка страна";
    f.lineSums = "сумите на страните";
    f.lineNoun = "страни";
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
    f.places = {At(0.1, 0.85, "долният ляв връх", "долния ляв връх"),
                At(0.5, 0.08, "горният връх", "горния връх"),
                At(0.9, 0.85, "долният десен връх", "долния десен връх"),
                At(0.7, 0.465, "средата на дясната страна"),
                At(0.5, 0.85, "средата на основата"),
                At(0.3, 0.465, "средата на лявата страна")};
    f.lines = TriangleSides({0, 4, 2}, {2, 3, 1}, {1, 5, 0});
    return TriangleCorners(f);
}

Figure Rhombus() {
    Figure f;
    f.mode = FigureMode::Rhombus;
    f.key = "rhombus";
    f.title = "Ромб";
    f.cellsPerPlace = 2;
    f.places = {At(0.5, 0.08, "горният връх", "горния връх"),
                At(0.12, 0.45, "левият връх", "левия връх"),
                At(0.5, 0.82, "долният връх", "долния връх"),
                At(0.88, 0.45, "десният връх", "десния връх")};
    // Each vertex is a line of its own: its sum shows below it.
    f.lines = {Line({0, 1}, "горният връх", "в горния връх", 0.5, 0.18),
               Line({2, 3}, "левият връх", "в левия връх", 0.12, 0.55),
               Line({4, 5}, "долният връх", "в долния връх", 0.5, 0.92),
               Line({6, 7}, "десният връх", "в десния връх", 0.88, 0.55)};
    f.edges = {{0, 1}, {1, 2}, {2, 3}, {3, 0}};
    f.idea = FigureIdea::Pairs;
    f.everyLine = "всяка двойка";
    f.lineSums = "сумите във върховете";
    f.lineNoun = "двойки";
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
    const FigurePlace left{0.1, 0.85, {}, {}}, apex{0.5, 0.08, {}, {}}, right{0.9, 0.85, {}, {}};
    // The place `part` thirds of the way from `from` to `to`.
    const auto along = [](const FigurePlace& from, const FigurePlace& to, int part,
                          const std::string& name) {
        return At(from.x + (to.x - from.x) * part / 3, from.y + (to.y - from.y) * part / 3, name);
    };
    f.places = {At(left.x, left.y, "долният ляв връх", "долния ляв връх"),
                At(apex.x, apex.y, "горният връх", "горния връх"),
                At(right.x, right.y, "долният десен връх", "долния десен връх"),
                along(right, apex, 1, "долното място на дясната страна"),
                along(right, apex, 2, "горното място на дясната страна"),
                along(left, right, 1, "лявото място на основата"),
                along(left, right, 2, "дясното място на основата"),
                along(apex, left, 1, "горното място на лявата страна"),
                along(apex, left, 2, "долното място на лявата страна")};
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
    f.title = "Звезда";
    const double pi = std::acos(-1.0);
    const double outer = 0.4;
    const auto onCircle = [&](double degrees, double radius, const std::string& name,
                              const std::string& shortName) {
        const double angle = degrees * pi / 180.0;
        return At(0.5 + radius * std::cos(angle), 0.5 - radius * std::sin(angle), name, shortName);
    };
    const auto point = [&](int k, const std::string& name, const std::string& shortName) {
        return onCircle(90.0 - 60.0 * k, outer, name, shortName);
    };
    const auto inner = [&](int k, const std::string& name) {
        return onCircle(60.0 - 60.0 * k, outer / std::sqrt(3.0), name, name);
    };
    f.places = {point(0, "горният връх", "горния връх"),
                inner(0, "вътрешното място горе вдясно"),
                inner(1, "вътрешното място вдясно"),
                point(2, "долният десен връх", "долния десен връх"),
                point(1, "горният десен връх", "горния десен връх"),
                inner(2, "вътрешното място долу вдясно"),
                point(3, "долният връх", "долния връх"),
                inner(3, "вътрешното място долу вляво"),
                point(4, "долният ляв връх", "долния ляв връх"),
                inner(4, "вътрешното място вляво"),
                point(5, "горният ляв връх", "горния ляв връх"),
                inner(5, "вътрешното място горе вляво")};
    // A line from point `from` to point `to`, its sum `beyond` further on. No sum sits at
    // the top or bottom point, where two slanted lines meet and a child could not tell
    // which one it belongs to.
    const auto line = [&](std::vector<int> cells, int from, int to, const std::string& name) {
        const FigurePlace& a = f.places[static_cast<std::size_t>(from)];
        const FigurePlace& b = f.places[static_cast<std::size_t>(to)];
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        const double beyond = 0.09 / length;
        return Line(std::move(cells), name, "на " + name, b.x + (b.x - a.x) * beyond,
                    b.y + (b.y - a.y) * beyond);
    };
    f.lines = {line({10, 11, 1, 4}, 10, 4, "горната линия"),
               line({3, 5, 7, 8}, 3, 8, "долната линия"),
               line({0, 1, 2, 3}, 0, 3, "линията от горния връх надолу вдясно"),
               line({8, 9, 11, 0}, 0, 8, "линията от горния връх надолу вляво"),
               line({4, 2, 5, 6}, 6, 4, "линията от долния връх нагоре вдясно"),
               line({6, 7, 9, 10}, 6, 10, "линията от долния връх нагоре вляво")};
    f.edges = LineEnds(f.lines);
    f.idea = FigureIdea::EveryTwice;
    f.everyLine = "всяка линия";
    f.lineSums = "сумите на линиите";
    f.lineNoun = "линии";
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
    // A 3 × 3 grid in 0.1..0.85: the rows' sums to its right, the columns' below it, each
    // diagonal's beyond the top corner it starts from, where no other sum stands.
    const auto cell = [](int k) { return 0.225 + 0.25 * k; };
    f.places = {At(cell(0), cell(0), "горният ляв ъгъл", "горния ляв ъгъл"),
                At(cell(1), cell(0), "средата на горния ред"),
                At(cell(2), cell(0), "горният десен ъгъл", "горния десен ъгъл"),
                At(cell(0), cell(1), "средата на левия стълб"),
                At(cell(1), cell(1), "центърът", "центъра"),
                At(cell(2), cell(1), "средата на десния стълб"),
                At(cell(0), cell(2), "долният ляв ъгъл", "долния ляв ъгъл"),
                At(cell(1), cell(2), "средата на долния ред"),
                At(cell(2), cell(2), "долният десен ъгъл", "долния десен ъгъл")};
    f.lines = {Line({0, 1, 2}, "горният ред", "на горния ред", 0.94, cell(0)),
               Line({3, 4, 5}, "средният ред", "на средния ред", 0.94, cell(1)),
               Line({6, 7, 8}, "долният ред", "на долния ред", 0.94, cell(2)),
               Line({0, 3, 6}, "левият стълб", "на левия стълб", cell(0), 0.94),
               Line({1, 4, 7}, "средният стълб", "на средния стълб", cell(1), 0.94),
               Line({2, 5, 8}, "десният стълб", "на десния стълб", cell(2), 0.94),
               Line({0, 4, 8}, "диагоналът от горния ляв ъгъл", "на диагонала от горния ляв ъгъл",
                    0.04, 0.04),
               Line({2, 4, 6}, "диагоналът от горния десен ъгъл",
                    "на диагонала от горния десен ъгъл", 0.94, 0.04)};
    f.grid = true;
    f.idea = FigureIdea::RowsHoldAll;
    f.keyPlaces = {4};
    f.keyLocation = "в центъра";
    f.everyLine = "всеки ред, стълб и диагонал";
    f.lineSums = "сумите на редовете, стълбовете и диагоналите";
    f.lineNoun = "линии";
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

} // namespace velmora
