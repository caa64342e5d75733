// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the practice board shows, as texts and states from the game: every front end
// draws these in the boxes of board.h and turns each tap, drag or key into one call of
// game.h. Nothing here is decided again by a front end.

#include "puzzle/board.h"
#include "puzzle/coach.h"
#include "puzzle/game.h"

#include <string>
#include <vector>

namespace velmora {

// A number tile: its number, and whether it stands on the figure or waits to be placed.
enum class TileState { Free, Placed, Picked };
struct BoardTile {
    std::string text;   // "7"
    std::string spoken; // "Число 7, на фигурата: горният връх"
    TileState state = TileState::Free;
};

// A place of the figure: the number(s) it holds.
struct BoardPlace {
    std::string text;    // "7", a rhombus vertex "7 + 14"; "" when empty
    std::string spoken;  // "Горният връх: 7", "Горният връх: празно"
    bool picked = false; // chosen, waiting for a number
};

// A line's sum in two lines: the sum, then "✓" when equal or the difference "−1", "+2".
struct BoardSum {
    std::string sum;
    std::string detail;
    LineMark mark = LineMark::None;
    std::string spoken;
};

struct BoardLevel {
    std::string text;   // "1", "✓" once done
    std::string spoken; // "1. Магическо V – 2 от 3 суми"
    FigureMode figure = FigureMode::None;
    bool done = false;
    bool current = false;
    bool suggested = false;
};

// A sum found, or a place for one not found yet.
struct BoardChip {
    std::string text; // "27", or "?"
    bool found = false;
};

struct BoardView {
    std::vector<BoardLevel> levels;
    std::string levelTitle; // "Ниво 2: Триъгълник"
    std::string startLabel; // "Начало"
    std::string startText;
    std::vector<BoardPlace> places;
    std::vector<BoardSum> sums;
    std::vector<BoardTile> tiles;
    std::string status;
    std::string chipsLabel;
    std::vector<BoardChip> chips;
    std::string chipsSpoken; // "Намерени суми: 27 и 29, 2 от 4"
};

// The board for the game's figure in practice.
[[nodiscard]] BoardView ViewBoard(const Game& game);
// A button's label: «Покажи решение» reads «Върни моята подредба» while it is on show.
[[nodiscard]] std::string BoardLabel(BoardCommand command, const Game& game);
// What a button says to a screen reader and as its tooltip, with its key.
[[nodiscard]] std::string BoardHelp(BoardCommand command, const Game& game);
// The layout for this game's board at `width` × `height`.
[[nodiscard]] BoardLayout LayOutGameBoard(const Game& game, double width, double height);

// The start box takes at most three digits: what it holds after `typed`, and what the
// status line says when a fourth digit was refused ("" otherwise).
struct StartBoxEdit {
    std::string text;
    std::string note;
};
[[nodiscard]] StartBoxEdit EditStartBox(const std::string& before, const std::string& typed);

// Whether leaving this figure or series would lose numbers the pupil placed, and the
// question to ask first.
[[nodiscard]] bool WouldLosePlacement(const Game& game) noexcept;
[[nodiscard]] std::string LosePlacementQuestion();

} // namespace velmora
