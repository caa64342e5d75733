// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The whole program's state in either mode, and the one call each input turns into.
// Demonstration: every click shows the fixed solution (puzzle.h). Practice: the pupil
// places the numbers (practice.h). The series, the start text and the figure belong
// to the demonstration's state in both modes, so both keep one set of rules for them.

#include "puzzle/coach.h"
#include "puzzle/practice.h"
#include "puzzle/progress.h"
#include "puzzle/puzzle.h"

#include <array>
#include <string>

namespace velmora {

enum class PlayMode { Demonstration, Practice };

struct Game {
    PlayMode mode = PlayMode::Demonstration;
    PuzzleState puzzle;
    Practice practice; // empty in the demonstration
    Progress progress; // the sums found on every figure, in every series
    bool operator==(const Game&) const = default;
};

struct GameResult {
    Game game;
    SeriesOutcome outcome;
    // Practice: what the status line says instead of StatusOf, when compute could not
    // list the numbers (no figure, no start number from 1 to 999).
    std::string status = {};
};

[[nodiscard]] Game StartGame(PlayMode mode);
// The game as a pupil left it: the mode and figure kept in `progress`, with its sums.
[[nodiscard]] Game ResumeGame(Progress progress);
// «Започни отначало»: no sums found on any figure; the mode and zoom stay.
[[nodiscard]] Game ForgetProgress(Game game);
// Starts the figure afresh in the other mode, keeping the start text.
[[nodiscard]] Game SwitchMode(Game game, PlayMode mode);
[[nodiscard]] Game TypeStartText(Game game, std::string text);
// A figure the demonstration does not show (figure.h) is practised.
[[nodiscard]] Game ChooseFigure(Game game, std::int16_t index);
[[nodiscard]] GameResult Compute(Game game);
[[nodiscard]] Game Clear(Game game);
// A click on a triangle position or rhombus vertex of the figure on show.
[[nodiscard]] Game ClickTriangle(Game game, int position);
[[nodiscard]] Game ClickRhombus(Game game, int vertex);
// Practice: a click on place `position` of any figure.
[[nodiscard]] Game ClickPosition(Game game, int position);
// The board: number `index` dropped on place `position`. Dragged from another place onto
// a full one, the two swap; dropped where it stands, nothing changes.
[[nodiscard]] Game DropNumber(Game game, int index, int position);
// The board: number `index` goes back to the tiles.
[[nodiscard]] Game ReturnNumber(Game game, int index);
// A list item clicked or selected: the demonstration fills, practice picks the number.
[[nodiscard]] Game ClickListItem(Game game, int row);
struct GameHint {
    Game game;
    std::string text;
    // The status line with the hint: the hint, then the verdict once the figure is full.
    std::string status;
};
// Practice only; the demonstration ignores them (and the hint's text is empty).
[[nodiscard]] GameHint AskHint(Game game);
// «Покажи решение», and back to the pupil's own placement while it is on show.
[[nodiscard]] Game RevealSolution(Game game);
[[nodiscard]] Game RestoreOwnPlacement(Game game);
[[nodiscard]] bool CanRestoreOwnPlacement(const Game& game) noexcept;
// "Защо става?" for the numbers on show; the demonstration explains its series.
[[nodiscard]] std::string WhyOf(const Game& game);

// The status line: the practice's verdict or next step; in the demonstration the
// series on show, so a screen reader hears what compute did ("" while there is none).
[[nodiscard]] std::string StatusOf(const Game& game);
// The practice board's line: the same, but for the sums found, which it shows as chips.
[[nodiscard]] std::string BoardStatusOf(const Game& game);

// What the figure's labels show: 6 triangle and 4 rhombus captions, and in practice
// one per place of the figure practised.
struct FigureCaptions {
    std::array<std::string, kTrianglePositions> triangle;
    std::array<std::string, kRhombusVertices> rhombus;
    std::vector<std::string> places;
};
[[nodiscard]] FigureCaptions CaptionsOf(const Game& game);

} // namespace velmora
