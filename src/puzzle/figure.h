// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The figures of practice as data: their places, their lines, the words for them and
// the idea that makes the sums equal. Practice, hints, texts, worksheets and every
// front end read a figure from here; no figure has a rule of its own elsewhere.

#include "puzzle/puzzle.h"

#include <string>
#include <utility>
#include <vector>

namespace velmora {

// A place a pupil can point at, with its names: "горният връх" (`name`) and the form
// after a preposition, "горния връх" (`shortName`).
struct FigurePlace {
    double x = 0, y = 0; // its centre in a unit square, y downwards
    std::string name;
    std::string shortName;
};

// A line whose sum must equal the others': its cells and where its sum is said to be,
// "основата" / "на основата", "горният ред" / "на горния ред".
struct FigureLine {
    std::vector<int> cells;
    std::string name;
    std::string location;
    double labelX = 0, labelY = 0; // where its sum shows, in the unit square
};

// Why the sums come out equal, which shapes the hints and «Защо става?».
enum class FigureIdea {
    CountedTwice, // the key places lie on two lines: k × sum = all + key places
    Pairs,        // pairs from the outside in
    EveryTwice,   // every number lies on two lines: lines × sum = 2 × all
    RowsHoldAll,  // the rows hold every number once: rows × sum = all
};

struct Figure {
    FigureMode mode = FigureMode::None;
    std::string key;   // "big-triangle": for the command line and saved progress
    std::string title; // "Голям триъгълник"
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
    std::string keyLocation; // "във върховете", "в долния връх", "в центъра"
    std::string everyLine; // "всяка страна": "всяка страна има сума 27"
    std::string lineSums;  // "сумите на страните": "… не са равни"
    std::string lineNoun;  // "страни": "2 от 3 страни нямат сума 27"
    std::string allLines; // "трите страни": "когато съберем трите страни"
    std::string idea1; // the first hint's question
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
