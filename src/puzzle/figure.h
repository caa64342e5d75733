// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The figures of practice as data: their places, their lines, the words for them and
// the idea that makes the sums equal. Practice, hints, texts, worksheets and every
// front end read a figure from here; no figure has a rule of its own elsewhere.

#include "puzzle/catalog.h"
#include "puzzle/puzzle.h"

#include <string>
#include <utility>
#include <vector>

namespace velmora {

// A place a pupil can point at, with its name in each form a sentence needs. Each form is
// a catalog message of its own, so that every language gives the case its sentence takes.
struct FigurePlace {
    double x = 0, y = 0; // its centre in a unit square, y downwards
    Message name;        // «Избрано е място: горният връх.»
    Message into; // where a number goes: «Числото 7 отива в горния връх.»
    Message at;   // where a number is: «… 7 не може да е в горния връх.»
    Message from; // where a number moves from: «Премести 7 от горния връх в …»
};

// A line whose sum must equal the others': its cells, its name («Основата: сума 27») and
// whose sum it is («Сумата на основата е …», «сумата в левия връх»).
struct FigureLine {
    std::vector<int> cells;
    Message name;
    Message whose;
    double labelX = 0, labelY = 0; // where its sum shows, in the unit square
};

// Why the sums come out equal, which shapes the hints and «Защо става?».
enum class FigureIdea {
    CountedTwice, // the key places lie on two lines: k × sum = all + key places
    Pairs,        // pairs from the outside in
    EveryTwice,   // every number lies on two lines: lines × sum = 2 × all
    RowsHoldAll,  // the rows hold every number once: rows × sum = all
};

// What is said of a figure as a whole: each a whole sentence or clause with named
// placeholders, written once per figure, so that a translator writes it in one piece and
// no sentence is glued from the figure's words. Empty where the figure has no such thing.
struct FigureTexts {
    Message solved; // «Браво! Всяка страна има сума {sum}.»
    Message solutionShown; // «Ето едно решение: всяка страна има сума {sum}. …»
    Message manyOff; // «Сумите на … не са равни: {wrong} от {total} … нямат сума {sum}. …»
    Message mustHave; // «{sum} (сумата, която трябва да има всяка страна)»
    Message keysNeed; // «за сума {sum} във върховете трябват {numbers}»
    Message keysTogether; // «за сума {sum} числата във върховете трябва да дават заедно {total}…»
    Message tryKeys; // «Фигурата е подредена със сума {sum}. За друга сума опитай …»
    Message everyMust; // «Подсказка: всяка линия трябва да има сума {sum}.»
    Message everyMustKeys; // the same, and the numbers the key places must hold
    Message whySolved;     // «Защо става?» beside a solved figure
    Message whyIf;         // «Защо става?» of what would make it so
    Message idea;          // the first hint's question
    Message sheetTask; // «Подреди числата така, че всяка страна да има една и съща сума.»
    Message sheetAnyEqual; // «вярна е всяка подредба, в която сумите на страните са равни»
};

struct Figure {
    FigureMode mode = FigureMode::None;
    std::string key; // "big-triangle": for the command line and saved progress
    Message title;   // "Голям триъгълник"
    // Cells a place holds: 1, or 2 on the rhombus, whose vertex v holds cells 2v, 2v + 1.
    int cellsPerPlace = 1;
    std::vector<FigurePlace> places;
    std::vector<FigureLine> lines;
    // What is drawn: segments between places (by index), or a grid of boxes.
    std::vector<std::pair<int, int>> edges;
    bool grid = false;
    FigureIdea idea = FigureIdea::CountedTwice;
    // The places the idea is about: the corners counted twice, the square's centre.
    std::vector<int> keyPlaces;
    FigureTexts texts;
};

// Every figure, in the order a pupil meets them: the levels.
[[nodiscard]] const std::vector<Figure>& Figures();
// The figure of `mode`; an empty one for None.
[[nodiscard]] const Figure& FigureOf(FigureMode mode);
// The figure whose key is `key`, or None.
[[nodiscard]] FigureMode FigureByKey(const std::string& key);
// Its level, 1 for the first figure; 0 for None.
[[nodiscard]] int LevelOf(FigureMode mode);

} // namespace velmora
