// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The practice board, laid out once for every front end. Given the board's size in
// pixels (CSS pixels on the page, device-independent pixels on the desktop), the core
// says where every place, line, sum, number tile, button and text goes and how large
// its letters are. A front end draws these boxes as they are; it measures nothing.

#include "puzzle/puzzle.h"

#include <string>
#include <vector>

namespace velmora {

// The smallest tap target for a child's finger (WCAG 2.5.5 and the platforms' own
// guidelines ask 44 to 48 pixels).
inline constexpr double kFingerTarget = 48;
// A sum's letters are never smaller than this share of the places' numbers.
inline constexpr double kSumToNumber = 0.6;

struct BoardRect {
    double x = 0, y = 0, width = 0, height = 0;
    [[nodiscard]] double Right() const noexcept { return x + width; }
    [[nodiscard]] double Bottom() const noexcept { return y + height; }
    [[nodiscard]] double CentreX() const noexcept { return x + width / 2; }
    [[nodiscard]] double CentreY() const noexcept { return y + height / 2; }
    bool operator==(const BoardRect&) const = default;
};

// Whether two boxes share any area (touching edges do not count).
[[nodiscard]] bool Overlap(const BoardRect& a, const BoardRect& b) noexcept;
[[nodiscard]] bool Inside(const BoardRect& inner, const BoardRect& outer) noexcept;

// The board's words that its layout makes room for, in the current language: the view
// shows these very texts in the boxes laid out for them.
// «Начало» before the start box, «Намерени:» before the sums found.
[[nodiscard]] std::string StartLabelText();
[[nodiscard]] std::string ChipsLabelText();
// The level's name over the figure: "Ниво 2: Триъгълник", or what to do without one.
[[nodiscard]] std::string LevelTitleText(FigureMode figure);
// How wide `text` shows on one line in letters `font` pixels high, with a button's
// borders: the estimate every box is sized by (a button's label wraps between words, its
// lines an em apart).
[[nodiscard]] double BoardTextWidth(const std::string& text, double font);

// What the board's buttons do; their labels come from BoardLabel (board_view.h).
enum class BoardCommand {
    Hint,
    Solution, // «Покажи решение», or «Върни моята подредба» while it is on show
    Why,
    Clear,
    HowToPlay,
    Compute,
    Demonstration, // back to the demonstration's form
};

struct BoardButton {
    BoardCommand command = BoardCommand::Hint;
    BoardRect box;
    bool operator==(const BoardButton&) const = default;
};

struct BoardSegment {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const BoardSegment&) const = default;
};

// Letter heights (CSS font-size, Qt pixel size) for each kind of text.
struct BoardFonts {
    double place = 0;  // the numbers on the figure
    double tile = 0;   // the numbers in the tray
    double sum = 0;    // each line's sum and its difference
    double status = 0; // the hint or verdict
    double button = 0; // buttons, the start box, the level path
    double title = 0;  // the level's name
    bool operator==(const BoardFonts&) const = default;
};

// What the layout must make room for.
struct BoardContent {
    FigureMode figure = FigureMode::None;
    int numbers = 0;      // tiles: the series' length (the figure's cells when none yet)
    int possibleSums = 0; // chips for the sums found, found or not yet
    int levels = 0;       // the level path's steps
};

struct BoardLayout {
    double width = 0, height = 0;
    bool portrait = false;
    BoardFonts fonts;
    // The level path: one step per level, and the current level's name beside or under it.
    // The name is left out (no width) where it does not fit beside the steps.
    std::vector<BoardRect> levels;
    BoardRect levelTitle;
    // «Начало» and its box; «Изчисли» is among the buttons.
    BoardRect startLabel;
    BoardRect startBox;
    // The figure: the area it is drawn in, its places (the grid's cells for the square),
    // the segments drawn between them, and each line's sum, by line.
    BoardRect figure;
    std::vector<BoardRect> places;
    std::vector<BoardSegment> edges;
    bool grid = false;
    std::vector<BoardRect> sums;
    // The number tiles, one per number in the series' order, in their tray.
    BoardRect tray;
    std::vector<BoardRect> tiles;
    // The hint or verdict, then the sums found as chips.
    BoardRect status;
    BoardRect chipsLabel;
    std::vector<BoardRect> chips;
    std::vector<BoardButton> buttons;
    // The places in reading order (top to bottom, left to right): arrow keys follow it.
    std::vector<int> readingOrder;
};

// The room a front end keeps between the status box's sides and its text (the page's
// padding).
inline constexpr double kStatusPadding = 6;
// The letters the status line shows `text` in: the layout's status letters, or where the
// text would not show whole in its box in them, a little smaller (whole pixels, to four
// fifths of them or 12 pixels at the least). Its lines wrap between words as a button's
// label, each measured by BoardTextWidth within the box less kStatusPadding each side,
// and stand 1.25 letters apart (the page's line height).
[[nodiscard]] double BoardStatusFont(const BoardLayout& layout, const std::string& text);

// The board for `content` on a `width` × `height` board, portrait or landscape. Every
// box lies inside the board and none overlaps another; places and tiles are at least
// kFingerTarget wide and high where the board leaves room for it (from 360 × 640 up).
[[nodiscard]] BoardLayout LayOutBoard(const BoardContent& content, double width, double height);
// The content of the figure's board before or with its series.
[[nodiscard]] BoardContent BoardContentOf(FigureMode figure, int numbers);

// The box at (x, y), as an index into `boxes`, or -1; for a drop onto a place.
[[nodiscard]] int BoxAt(const std::vector<BoardRect>& boxes, double x, double y) noexcept;
// The next place in reading order from `place` (step +1 or −1), going round.
[[nodiscard]] int NextInReadingOrder(const BoardLayout& layout, int place, int step) noexcept;

} // namespace velmora
