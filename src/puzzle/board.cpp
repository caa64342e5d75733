// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/board.h"

#include "puzzle/board_view.h"
#include "puzzle/catalog.h"
#include "puzzle/figure.h"
#include "puzzle/game.h"
#include "puzzle/practice.h"
#include "puzzle/progress.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace velmora {
namespace {

// A digit's advance in the fonts the front ends ask for (Liberation Sans and Arial: 0.556
// em), rounded up.
constexpr double kDigitWidth = 0.6;
// What a place's and a sum's text must hold: four digits (999 + 11 is 1010; a star's sum
// from 999 is 4 018), a rhombus vertex two of them with " + ".
constexpr int kPlaceChars = 4;
constexpr int kPairChars = 11;
constexpr int kSumChars = 5;
constexpr double kLineHeight = 1.25;
// A letter's advance in those fonts, Cyrillic capitals aside (0.5 to 0.56 em), rounded up;
// a button's text keeps a little room beside its 2-pixel borders.
constexpr double kLetterWidth = 0.57;

std::size_t Letters(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// How wide `text` shows in letters `font` pixels high, with a button's borders.
double TextWidth(const std::string& text, double font) {
    return static_cast<double>(Letters(text)) * kLetterWidth * font + font * 0.4 + 4;
}

// The words of a label, between its spaces.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

// The lines of a label wrapped between words in `width`, each as wide as it can be; 0
// when a word alone is wider. Two spaces in a row start no line of their own.
int LinesIn(const std::string& text, double font, double width) {
    int lines = 0;
    std::string line;
    for (const std::string& word : Words(text)) {
        if (TextWidth(word, font) > width)
            return 0;
        const std::string longer = line.empty() ? word : line + ' ' + word;
        if (lines > 0 && TextWidth(longer, font) <= width) {
            line = longer;
        } else {
            line = word;
            ++lines;
        }
    }
    return lines;
}

// Whether a button's label, wrapped between words, shows whole in the button: its lines
// an em apart (the page sets a button's line height so) within its 2-pixel borders.
bool LabelFits(const std::string& text, double font, double width, double height) {
    const int lines = LinesIn(text, font, width);
    return lines > 0 && lines * font + 4 <= height;
}

// The narrowest a button `height` high can be with its label whole.
double LabelWidth(const std::string& text, double font, double height) {
    // The widths it can wrap at: each run of its words on one line.
    const std::vector<std::string> words = Words(text);
    std::vector<double> widths;
    for (std::size_t first = 0; first < words.size(); ++first) {
        std::string run;
        for (std::size_t last = first; last < words.size(); ++last) {
            run += (last > first ? " " : "") + words[last];
            widths.push_back(TextWidth(run, font));
        }
    }
    std::sort(widths.begin(), widths.end());
    for (double width : widths)
        if (LabelFits(text, font, width, height))
            return width;
    return TextWidth(text, font);
}

// A button's labels as the layout sizes it for: as it first reads, and «Покажи решение»
// also as «Върни моята подредба», which it reads while a solution is on show.
std::vector<std::string> Labels(BoardCommand command) {
    static const Game kNoGame{};
    static const Game kSolutionShown = [] {
        Game game;
        game.mode = PlayMode::Practice;
        game.practice.helped = true;
        return game;
    }();
    std::vector<std::string> labels{BoardLabel(command, kNoGame)};
    if (command == BoardCommand::Solution)
        labels.push_back(BoardLabel(command, kSolutionShown));
    return labels;
}

// A button's label as it first reads.
std::string Label(BoardCommand command) {
    return Labels(command).front();
}

// Whether every label of `commands` shows whole in a button `width` × `height`.
bool LabelsFit(const std::vector<BoardCommand>& commands, double font, double width,
               double height) {
    for (BoardCommand command : commands)
        for (const std::string& label : Labels(command))
            if (!LabelFits(label, font, width, height))
                return false;
    return true;
}

// The smallest letters of a button, the start box and the level path.
constexpr double kButtonLetters = 13;
constexpr double kTitleToButton = 1.15;

// The longest hint or verdict, in letters: a hint on a full figure with four-digit numbers,
// the sums found and the level's progress (Turkish's longest takes 191).
constexpr double kStatusLetters = 200;
// What a line loses, in letters, by wrapping between words.
constexpr double kWrapLoss = 5;
// A status too long for its box at the board's status letters steps down to these.
constexpr double kStatusShrink = 0.8;
constexpr double kStatusLeast = 12;

double StatusFloor(double font) {
    return std::max(kStatusLeast, font * kStatusShrink);
}

// Whether `text` wrapped between words shows whole in a status box `width` × `height`.
bool StatusFits(const std::string& text, double font, double width, double height) {
    const int lines = LinesIn(text, font, width - 2 * kStatusPadding);
    return lines > 0 && lines * kLineHeight * font <= height + 1e-6;
}

// The status box's height `width` wide: three lines of its letters at least, and room for
// the longest hint or verdict in the smallest letters it may step down to.
double StatusRoom(double width, double font) {
    const double least = StatusFloor(font);
    const double perLine =
        (width - 2 * kStatusPadding - least * 0.4 - 4) / (kLetterWidth * least) - kWrapLoss;
    const double lines = perLine > 0 ? std::ceil(kStatusLetters / perLine) : 1e6;
    return std::max(3 * kLineHeight * font, lines * kLineHeight * least);
}

struct Metrics {
    double target = kFingerTarget; // the side of a button, a tile, a level's step
    double gap = 6;
    double margin = 6;
    BoardFonts fonts;
    // Whether a portrait board gives the level's name a line of its own where the steps
    // leave it no room.
    bool titleLine = true;
};

Metrics MetricsFor(double width, double height, double target) {
    Metrics m;
    m.target = target;
    m.gap = std::clamp(target * 0.08, 4.0, 16.0);
    m.margin = m.gap;
    const double portrait = height >= width;
    m.fonts.status = std::max(15.0, height * (portrait ? 0.022 : 0.027));
    m.fonts.button = std::clamp(target * 0.3, kButtonLetters, 30.0);
    m.fonts.title = m.fonts.button * kTitleToButton;
    m.fonts.tile = target * 0.42;
    return m;
}

BoardRect Box(double x, double y, double width, double height) {
    return {x, y, width, height};
}

BoardRect Inflated(const BoardRect& r, double by) {
    return {r.x - by, r.y - by, r.width + 2 * by, r.height + 2 * by};
}

// The figure's places and sums at scale `side` (the unit square's side in pixels), with
// the square's top left at the origin.
struct FigureFit {
    std::vector<BoardRect> places;
    std::vector<BoardRect> sums;
    double placeFont = 0;
    double sumFont = 0;
    bool clear = false; // no two boxes overlap
};

// The line's first and last place, in unit coordinates.
std::pair<const FigurePlace*, const FigurePlace*> Ends(const Figure& figure,
                                                       const FigureLine& line) {
    const auto place = [&](int cell) {
        return &figure.places[static_cast<std::size_t>(cell / figure.cellsPerPlace)];
    };
    return {place(line.cells.front()), place(line.cells.back())};
}

bool Clashes(const BoardRect& box, const std::vector<BoardRect>& others, double gap) {
    return std::any_of(others.begin(), others.end(),
                       [&](const BoardRect& o) { return Overlap(Inflated(box, gap / 2), o); });
}

// Each sum starts where the figure says it shows and moves away from its line, along
// the way from the line to that spot, until it is clear of every place and earlier sum.
std::vector<BoardRect> PlaceSums(const Figure& figure, double side, double width, double height,
                                 const std::vector<BoardRect>& places, double gap) {
    std::vector<BoardRect> sums;
    std::vector<BoardRect> taken = places;
    for (const FigureLine& line : figure.lines) {
        const auto [a, b] = Ends(figure, line);
        const double lx = line.labelX * side, ly = line.labelY * side;
        const double ax = a->x * side, ay = a->y * side, bx = b->x * side, by = b->y * side;
        // From the nearest point of the line to the label's spot.
        const double dx = bx - ax, dy = by - ay;
        const double length2 = dx * dx + dy * dy;
        const double t =
            length2 > 0 ? std::clamp(((lx - ax) * dx + (ly - ay) * dy) / length2, 0.0, 1.0) : 0;
        double ux = lx - (ax + t * dx), uy = ly - (ay + t * dy);
        const double norm = std::hypot(ux, uy);
        ux = norm > 0 ? ux / norm : 0;
        uy = norm > 0 ? uy / norm : 1;
        BoardRect box = Box(lx - width / 2, ly - height / 2, width, height);
        for (int step = 0; step < 400 && Clashes(box, taken, gap); ++step) {
            box.x += ux * 2;
            box.y += uy * 2;
        }
        sums.push_back(box);
        taken.push_back(box);
    }
    return sums;
}

FigureFit FitAt(const Figure& figure, double side, const Metrics& m) {
    FigureFit fit;
    const std::size_t count = figure.places.size();
    // The nearest two places decide how large a place can be.
    double pitch = side;
    for (std::size_t i = 0; i < count; ++i)
        for (std::size_t j = i + 1; j < count; ++j) {
            const double dx = std::abs(figure.places[i].x - figure.places[j].x) * side;
            const double dy = std::abs(figure.places[i].y - figure.places[j].y) * side;
            pitch = std::min(pitch, std::max(dx, dy));
        }
    const double height = figure.grid ? pitch - 1.5 * m.gap : std::max(m.target, side * 0.12);
    const int chars = figure.cellsPerPlace > 1 ? kPairChars : kPlaceChars;
    const double perFont = chars * kDigitWidth + 0.4; // a place's width per pixel of font
    // A grid's cells are square: their numbers as large as the cell's width lets them be.
    fit.placeFont = figure.grid ? std::min(height * 0.42, height / perFont) : height * 0.42;
    const double width = std::max(height, perFont * fit.placeFont);
    for (const FigurePlace& place : figure.places)
        fit.places.push_back(
            Box(place.x * side - width / 2, place.y * side - height / 2, width, height));
    // A grid's cells are as large as the figure leaves them: too small to tap is no fit.
    fit.clear = !figure.grid || height >= m.target;
    for (std::size_t i = 0; i < count; ++i)
        for (std::size_t j = i + 1; j < count; ++j)
            if (Overlap(Inflated(fit.places[i], m.gap / 2), fit.places[j]))
                fit.clear = false;
    fit.sumFont = std::max(fit.placeFont * 0.62, 12.0);
    const double sumWidth = kSumChars * kDigitWidth * fit.sumFont + fit.sumFont * 0.5;
    const double sumHeight = 2 * kLineHeight * fit.sumFont;
    fit.sums = PlaceSums(figure, side, sumWidth, sumHeight, fit.places, m.gap);
    return fit;
}

BoardRect Bounds(const std::vector<BoardRect>& a, const std::vector<BoardRect>& b) {
    double left = 1e18, top = 1e18, right = -1e18, bottom = -1e18;
    for (const auto* boxes : {&a, &b})
        for (const BoardRect& r : *boxes) {
            left = std::min(left, r.x);
            top = std::min(top, r.y);
            right = std::max(right, r.Right());
            bottom = std::max(bottom, r.Bottom());
        }
    return {left, top, right - left, bottom - top};
}

void Shift(std::vector<BoardRect>& boxes, double dx, double dy) {
    for (BoardRect& r : boxes) {
        r.x += dx;
        r.y += dy;
    }
}

// The figure as large as `area` allows: false when its places cannot keep the target
// size there without overlapping.
bool LayOutFigure(const Figure& figure, const BoardRect& area, const Metrics& m,
                  BoardLayout& layout) {
    double side = std::min(area.width, area.height);
    for (int attempt = 0; attempt < 80; ++attempt, side *= 0.97) {
        FigureFit fit = FitAt(figure, side, m);
        const BoardRect bounds = Bounds(fit.places, fit.sums);
        const bool last = !fit.clear || attempt == 79;
        if (!last && (bounds.width > area.width || bounds.height > area.height))
            continue;
        const double dx = area.CentreX() - bounds.CentreX();
        const double dy = area.CentreY() - bounds.CentreY();
        Shift(fit.places, dx, dy);
        Shift(fit.sums, dx, dy);
        layout.places = std::move(fit.places);
        layout.sums = std::move(fit.sums);
        layout.fonts.place = fit.placeFont;
        layout.fonts.sum = fit.sumFont;
        layout.grid = figure.grid;
        layout.edges.clear();
        for (const auto& [from, to] : figure.edges) {
            const BoardRect& a = layout.places[static_cast<std::size_t>(from)];
            const BoardRect& b = layout.places[static_cast<std::size_t>(to)];
            layout.edges.push_back({a.CentreX(), a.CentreY(), b.CentreX(), b.CentreY()});
        }
        return !last;
    }
    return false;
}

// Tiles in as few rows as the width allows, each row centred; returns the tray's height.
double LayOutTiles(int count, double x, double y, double width, double largest, const Metrics& m,
                   std::vector<BoardRect>& tiles) {
    tiles.clear();
    if (count <= 0)
        return 0;
    const int perRow = std::max(1, static_cast<int>((width + m.gap) / (m.target + m.gap)));
    const int rows = (count + perRow - 1) / perRow;
    const int columns = (count + rows - 1) / rows; // rows as even as they can be
    const double side = std::min(largest, (width - (columns - 1) * m.gap) / columns);
    for (int i = 0; i < count; ++i) {
        const int row = i / columns, column = i % columns;
        const int inRow = std::min(columns, count - row * columns);
        const double rowWidth = inRow * side + (inRow - 1) * m.gap;
        tiles.push_back(Box(x + (width - rowWidth) / 2 + column * (side + m.gap),
                            y + row * (side + m.gap), side, side));
    }
    return rows * side + (rows - 1) * m.gap;
}

// A row of boxes with the given widths from `x`, `height` high.
std::vector<BoardRect> Row(double x, double y, const std::vector<double>& widths, double height,
                           double gap) {
    std::vector<BoardRect> boxes;
    for (double w : widths) {
        boxes.push_back(Box(x, y, w, height));
        x += w + gap;
    }
    return boxes;
}

// The level path: every step a target wide, the current level's name taking what the row
// leaves. Where its words do not fit there (a phone), its box is left empty here, and the
// portrait board gives the name a line of its own above the status.
double LayOutLevels(const BoardContent& content, double x, double y, double width, const Metrics& m,
                    BoardLayout& layout) {
    const int count = content.levels;
    layout.levels =
        Row(x, y, std::vector<double>(static_cast<std::size_t>(count), m.target), m.target, m.gap);
    const double used = count * m.target + count * m.gap;
    const bool fits = TextWidth(LevelTitleText(content.figure), m.fonts.title) <= width - used;
    layout.levelTitle = Box(x + used, y, fits ? width - used : 0, m.target);
    return m.target;
}

// A grid of buttons, a row's boxes as wide as `widths` (a column each), every row alike;
// returns its height.
double LayOutButtons(const std::vector<BoardCommand>& commands, const std::vector<double>& widths,
                     double x, double y, const Metrics& m, BoardLayout& layout) {
    const int columns = static_cast<int>(widths.size());
    const int rows = (static_cast<int>(commands.size()) + columns - 1) / columns;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const int row = static_cast<int>(i) / columns, column = static_cast<int>(i) % columns;
        double left = x;
        for (int c = 0; c < column; ++c)
            left += widths[static_cast<std::size_t>(c)] + m.gap;
        layout.buttons.push_back(
            {commands[i], Box(left, y + row * (m.target + m.gap),
                              widths[static_cast<std::size_t>(column)], m.target)});
    }
    return rows * m.target + (rows - 1) * m.gap;
}

// `columns` alike, filling `width`.
std::vector<double> Columns(int columns, double width, const Metrics& m) {
    return std::vector<double>(static_cast<std::size_t>(columns),
                               (width - (columns - 1) * m.gap) / columns);
}

// «Начало», its box and «Изчисли», each as wide as its words.
std::vector<double> StartRowWidths(const Metrics& m) {
    return {TextWidth(StartLabelText(), m.fonts.button),
            std::max(m.target * 1.2, 3 * kDigitWidth * m.fonts.button * 1.3 + 16),
            std::max(m.target, TextWidth(Label(BoardCommand::Compute), m.fonts.button))};
}

// The least width of each of `commands`' buttons, a target high, for its labels whole.
std::vector<double> LeastWidths(const std::vector<BoardCommand>& commands, const Metrics& m) {
    std::vector<double> widths;
    for (BoardCommand command : commands) {
        double least = m.target;
        for (const std::string& label : Labels(command))
            least = std::max(least, LabelWidth(label, m.fonts.button, m.target));
        widths.push_back(least);
    }
    return widths;
}

// What the start row and the `extra` buttons leave of `width`: below 0 when they do not
// fit in one row.
double StartRowRest(double width, const Metrics& m, const std::vector<BoardCommand>& extra) {
    const std::vector<double> start = StartRowWidths(m), least = LeastWidths(extra, m);
    return width - std::accumulate(start.begin(), start.end(), 0.0) -
           std::accumulate(least.begin(), least.end(), 0.0) -
           static_cast<double>(start.size() + extra.size() - 1) * m.gap;
}

// «Начало», its box and «Изчисли», then `extra` buttons, in one row: each extra as wide
// as its words need, and what is left shared among them.
double LayOutStartRow(double x, double y, double width, const Metrics& m,
                      const std::vector<BoardCommand>& extra, BoardLayout& layout) {
    std::vector<double> widths = StartRowWidths(m);
    const double rest = StartRowRest(width, m, extra);
    for (double least : LeastWidths(extra, m))
        widths.push_back(least + std::max(0.0, rest) / static_cast<double>(extra.size()));
    const std::vector<BoardRect> boxes = Row(x, y, widths, m.target, m.gap);
    layout.startLabel = boxes[0];
    layout.startBox = boxes[1];
    layout.buttons.push_back({BoardCommand::Compute, boxes[2]});
    for (std::size_t i = 0; i < extra.size(); ++i)
        layout.buttons.push_back({extra[i], boxes[3 + i]});
    return m.target;
}

// The chips after their label, as many rows as they need; returns their height.
double LayOutChips(int count, double x, double y, double width, const Metrics& m,
                   BoardLayout& layout) {
    const double height = std::max(m.fonts.button * 2, 28.0);
    const double label = TextWidth(ChipsLabelText(), m.fonts.button);
    const double chip = kPlaceChars * kDigitWidth * m.fonts.button + m.fonts.button / 2;
    const double room = width - label - m.gap;
    const int perRow = std::max(1, static_cast<int>((room + m.gap / 2) / (chip + m.gap / 2)));
    const int rows = std::max(1, (count + perRow - 1) / perRow);
    layout.chipsLabel = Box(x, y, label, height);
    layout.chips.clear();
    for (int i = 0; i < count; ++i)
        layout.chips.push_back(Box(x + label + m.gap + (i % perRow) * (chip + m.gap / 2),
                                   y + (i / perRow) * (height + m.gap / 2), chip, height));
    return rows * height + (rows - 1) * m.gap / 2;
}

void OrderPlaces(BoardLayout& layout) {
    layout.readingOrder.resize(layout.places.size());
    std::iota(layout.readingOrder.begin(), layout.readingOrder.end(), 0);
    const double row = layout.fonts.place;
    std::stable_sort(layout.readingOrder.begin(), layout.readingOrder.end(), [&](int a, int b) {
        const BoardRect& pa = layout.places[static_cast<std::size_t>(a)];
        const BoardRect& pb = layout.places[static_cast<std::size_t>(b)];
        if (std::abs(pa.CentreY() - pb.CentreY()) > row)
            return pa.CentreY() < pb.CentreY();
        return pa.CentreX() < pb.CentreX();
    });
}

const std::vector<BoardCommand> kTeaching{BoardCommand::Hint, BoardCommand::Solution,
                                          BoardCommand::Why, BoardCommand::Clear};
const std::vector<BoardCommand> kCorner{BoardCommand::HowToPlay, BoardCommand::Demonstration};

// The columns of a grid of `commands` in `width`, at most `most` to a row, so that every
// label shows whole: as many to a row as can be (rows alike, all full), each column as
// wide as the others; or all in one row, each as wide as its words need and the rest
// shared; else one to a row.
std::vector<double> GridColumns(const std::vector<BoardCommand>& commands, double width,
                                const Metrics& m, int most) {
    const int all = static_cast<int>(commands.size());
    for (int columns = std::min(all, most); columns > 1; --columns) {
        if (all % columns != 0)
            continue;
        if (std::vector<double> alike = Columns(columns, width, m);
            LabelsFit(commands, m.fonts.button, alike.front(), m.target))
            return alike;
        if (columns < all)
            continue;
        std::vector<double> least = LeastWidths(commands, m);
        const double rest =
            width - std::accumulate(least.begin(), least.end(), 0.0) - (all - 1) * m.gap;
        if (rest >= 0) {
            for (double& column : least)
                column += rest / all;
            return least;
        }
    }
    return {width};
}

double GridHeight(std::size_t count, const std::vector<double>& columns, const Metrics& m) {
    const std::size_t rows = (count + columns.size() - 1) / columns.size();
    return static_cast<double>(rows) * m.target + static_cast<double>(rows - 1) * m.gap;
}

// Portrait, top to bottom: levels; start row; the figure; tiles; status; chips; buttons.
bool LayOutPortrait(const BoardContent& content, const Figure& figure, const Metrics& m,
                    BoardLayout& layout) {
    const double x = m.margin, width = layout.width - 2 * m.margin;
    double y = m.margin;
    y += LayOutLevels(content, x, y, width, m, layout) + m.gap;
    const std::string title = LevelTitleText(content.figure);
    const bool titleLine =
        m.titleLine && layout.levelTitle.width == 0 && TextWidth(title, m.fonts.title) <= width;
    std::vector<BoardCommand> bottomButtons = kTeaching;
    std::vector<double> columns = GridColumns(kTeaching, width, m, 4);
    if (StartRowRest(width, m, kCorner) >= 0) {
        y += LayOutStartRow(x, y, width, m, kCorner, layout) + m.gap;
    } else {
        // Where their words leave how to play and the demonstration no room beside the
        // start row, they take a row of their own under it, at its end, with the level's
        // name in the rest of that row when it fits there; or they join the buttons at
        // the bottom, where that takes less room from the figure.
        y += LayOutStartRow(x, y, width, m, {}, layout) + m.gap;
        const std::vector<double> least = LeastWidths(kCorner, m);
        const double corners = least[0] + least[1] + m.gap, rest = width - corners - m.gap;
        const bool titleBeside = titleLine && TextWidth(title, m.fonts.title) <= rest;
        const double ownRow =
            m.target + m.gap - (titleBeside ? kLineHeight * m.fonts.title + m.gap / 2 : 0);
        std::vector<BoardCommand> all = kTeaching;
        all.insert(all.end(), kCorner.begin(), kCorner.end());
        const std::vector<double> allColumns = GridColumns(all, width, m, 6);
        if (GridHeight(all.size(), allColumns, m) - GridHeight(kTeaching.size(), columns, m) <
            ownRow) {
            bottomButtons = all;
            columns = allColumns;
        } else {
            const std::vector<BoardRect> boxes =
                Row(x + width - corners, y, least, m.target, m.gap);
            layout.buttons.push_back({kCorner[0], boxes[0]});
            layout.buttons.push_back({kCorner[1], boxes[1]});
            if (titleBeside)
                layout.levelTitle = Box(x, y, rest, m.target);
            y += m.target + m.gap;
        }
    }
    const double top = y;
    // From the bottom up: the buttons, the chips, the status, the tiles.
    double bottom = layout.height - m.margin;
    bottom -= GridHeight(bottomButtons.size(), columns, m);
    LayOutButtons(bottomButtons, columns, x, bottom, m, layout);
    bottom -= m.gap;
    BoardLayout chipsOnly;
    bottom -= LayOutChips(content.possibleSums, x, 0, width, m, chipsOnly);
    LayOutChips(content.possibleSums, x, bottom, width, m, layout);
    bottom -= m.gap;
    // Three lines at least; on a phone the lines its longest texts need.
    const double status = StatusRoom(width, m.fonts.status);
    bottom -= status;
    layout.status = Box(x, bottom, width, status);
    bottom -= m.gap;
    // The level's name where the steps left it no room: a line above the status; left out
    // where even the whole width is too narrow for it.
    if (layout.levelTitle.width == 0 && titleLine) {
        const double line = kLineHeight * m.fonts.title;
        bottom -= line;
        layout.levelTitle = Box(x, bottom, width, line);
        bottom -= m.gap / 2;
    }
    std::vector<BoardRect> tiles;
    const double trayHeight = LayOutTiles(content.numbers, x, 0, width, m.target, m, tiles);
    bottom -= trayHeight;
    Shift(tiles, 0, bottom);
    layout.tiles = std::move(tiles);
    layout.tray = Box(x, bottom, width, trayHeight);
    bottom -= m.gap;
    layout.figure = Box(x, top, width, bottom - top);
    return layout.figure.height > 0 && LayOutFigure(figure, layout.figure, m, layout);
}

// Landscape: levels across the top (with how to play and the demonstration at the end);
// the figure on the left; on the right the start row, tiles, status, chips and buttons.
bool LayOutLandscape(const BoardContent& content, const Figure& figure, const Metrics& m,
                     BoardLayout& layout) {
    const double x = m.margin, width = layout.width - 2 * m.margin;
    double y = m.margin;
    const std::vector<double> least = LeastWidths(kCorner, m);
    const double corner =
        std::max({m.fonts.button * 6.5, *std::max_element(least.begin(), least.end())});
    LayOutLevels(content, x, y, width - 2 * (corner + m.gap), m, layout);
    const std::vector<BoardRect> corners =
        Row(x + width - 2 * corner - m.gap, y, {corner, corner}, m.target, m.gap);
    layout.buttons.push_back({BoardCommand::HowToPlay, corners[0]});
    layout.buttons.push_back({BoardCommand::Demonstration, corners[1]});
    y += m.target + m.gap;
    const double height = layout.height - m.margin - y;
    const std::vector<double> startRow = StartRowWidths(m);
    const double panelMin = std::accumulate(startRow.begin(), startRow.end(), 0.0) + 2 * m.gap;
    // Where the panel is too narrow for the longest hint or verdict in its lines, the
    // figure gives it width.
    const BoardLayout top = layout;
    double side = std::min(height, width - m.gap - panelMin);
    for (int narrower = 0; narrower < 20; ++narrower, side *= 0.96) {
        layout = top;
        layout.figure = Box(x, y, side, height);
        const double px = x + side + m.gap, panel = width - side - m.gap;
        double py = y;
        py += LayOutStartRow(px, py, panel, m, {}, layout) + m.gap;
        std::vector<BoardRect> tiles;
        const double trayHeight =
            LayOutTiles(content.numbers, px, py, panel, m.target * 1.4, m, tiles);
        layout.tiles = std::move(tiles);
        layout.tray = Box(px, py, panel, trayHeight);
        py += trayHeight + m.gap;
        const double status = 3 * kLineHeight * m.fonts.status;
        layout.status = Box(px, py, panel, status);
        py += status + m.gap;
        py += LayOutChips(content.possibleSums, px, py, panel, m, layout) + m.gap;
        const std::vector<double> columns =
            GridColumns(kTeaching, panel, m, panel >= 4 * m.fonts.button * 7 ? 4 : 2);
        py += LayOutButtons(kTeaching, columns, px, py, m, layout);
        if (py > layout.height - m.margin)
            return false;
        // The panel's room to spare goes to the status, the chips and buttons to the
        // bottom: a long hint or verdict reads whole in a narrow panel.
        const double spare = layout.height - m.margin - py;
        for (BoardButton& button : layout.buttons)
            if (button.box.y > layout.status.y)
                button.box.y += spare;
        Shift(layout.chips, 0, spare);
        layout.chipsLabel.y += spare;
        layout.status.height += spare;
        if (layout.status.height >= StatusRoom(panel, m.fonts.status) - 1e-6)
            return LayOutFigure(figure, layout.figure, m, layout);
    }
    return false;
}

// Every box inside the board, and every text the layout sized a box for whole in it.
bool Fits(const BoardLayout& layout, FigureMode figure) {
    const BoardRect board{0, 0, layout.width, layout.height};
    const auto inside = [&](const std::vector<BoardRect>& boxes) {
        return std::all_of(boxes.begin(), boxes.end(),
                           [&](const BoardRect& r) { return Inside(r, board); });
    };
    bool ok = inside(layout.places) && inside(layout.sums) && inside(layout.tiles) &&
              inside(layout.levels) && inside(layout.chips) && Inside(layout.status, board) &&
              Inside(layout.levelTitle, board);
    for (const BoardButton& button : layout.buttons)
        ok = ok && Inside(button.box, board) &&
             LabelsFit({button.command}, layout.fonts.button, button.box.width, button.box.height);
    const auto oneLine = [](const std::string& text, double font, const BoardRect& box) {
        return TextWidth(text, font) <= box.width + 1e-6;
    };
    return ok && oneLine(StartLabelText(), layout.fonts.button, layout.startLabel) &&
           oneLine(ChipsLabelText(), layout.fonts.button, layout.chipsLabel) &&
           (layout.levelTitle.width == 0 ||
            oneLine(LevelTitleText(figure), layout.fonts.title, layout.levelTitle));
}

} // namespace

bool Overlap(const BoardRect& a, const BoardRect& b) noexcept {
    return a.x < b.Right() && b.x < a.Right() && a.y < b.Bottom() && b.y < a.Bottom();
}

bool Inside(const BoardRect& inner, const BoardRect& outer) noexcept {
    constexpr double slack = 1e-6;
    return inner.x >= outer.x - slack && inner.y >= outer.y - slack &&
           inner.Right() <= outer.Right() + slack && inner.Bottom() <= outer.Bottom() + slack;
}

double BoardTextWidth(const std::string& text, double font) {
    return TextWidth(text, font);
}

double BoardStatusFont(const BoardLayout& layout, const std::string& text) {
    const double font = layout.fonts.status, least = StatusFloor(font);
    const auto fits = [&](double size) {
        return StatusFits(text, size, layout.status.width, layout.status.height);
    };
    if (fits(font))
        return font;
    // Whole pixels down, as a desktop font takes them.
    for (double size = std::ceil(font) - 1; size > least; --size)
        if (fits(size))
            return size;
    return least;
}

std::string StartLabelText() {
    return Tr("Начало");
}

std::string ChipsLabelText() {
    // TRANSLATORS: before the sums found on the board, shown as chips: "Намерени: 27 28 ? ?".
    return Tr("Намерени:");
}

std::string LevelTitleText(FigureMode figure) {
    const Figure& shape = FigureOf(figure);
    if (shape.title.empty())
        // TRANSLATORS: over the board while no figure is chosen.
        return Tr("Избери фигура");
    // TRANSLATORS: the level's name over the figure: "Ниво 2: Триъгълник".
    return Format(Tr("Ниво {level}: {figure}"),
                  {{"level", LevelOf(figure)}, {"figure", Tr(shape.title)}});
}

BoardContent BoardContentOf(FigureMode figure, int numbers) {
    BoardContent content;
    content.figure = figure;
    content.numbers = numbers > 0 ? numbers : SlotCount(figure);
    content.possibleSums = PossibleSumCount(figure);
    content.levels = static_cast<int>(Figures().size());
    return content;
}

BoardLayout LayOutBoard(const BoardContent& content, double width, double height) {
    const Figure& figure = FigureOf(content.figure);
    BoardLayout layout;
    const auto laidOut = [&](const Metrics& m) {
        layout = BoardLayout{};
        layout.width = width;
        layout.height = height;
        layout.portrait = height >= width;
        layout.fonts = m.fonts;
        const bool laid = layout.portrait ? LayOutPortrait(content, figure, m, layout)
                                          : LayOutLandscape(content, figure, m, layout);
        return laid && Fits(layout, content.figure);
    };
    // The targets grow with the screen; where the figure does not fit, they shrink to a
    // finger's, below it only on a board smaller than a phone. From a finger's down, the
    // places and tiles keep their size while the rest gives way: where the words of a
    // language would take the buttons another row, their letters step down a little (to
    // kButtonLetters at least); where the status's lines leave the figure too little room,
    // the level's name leaves its line (the pressed step still names it); last, the gaps
    // tighten to 2 pixels.
    double target = std::max(kFingerTarget, std::min(width, height) * 0.075);
    for (int attempt = 0; attempt < 40; ++attempt) {
        const Metrics full = MetricsFor(width, height, target);
        bool laid = laidOut(full);
        for (const bool titleLine : {true, false}) {
            if (laid || target > kFingerTarget)
                break;
            Metrics m = full;
            m.titleLine = titleLine;
            laid = !titleLine && laidOut(m);
            while (!laid && m.fonts.button > kButtonLetters) {
                m.fonts.button = std::max(kButtonLetters, m.fonts.button * 0.97);
                m.fonts.title = m.fonts.button * kTitleToButton;
                laid = laidOut(m);
            }
            for (const double gap : {3.0, 2.0}) {
                if (laid || titleLine)
                    break;
                m.gap = m.margin = gap;
                laid = laidOut(m);
            }
        }
        if (laid)
            break;
        const double smaller = target * 0.94;
        target = target > kFingerTarget && smaller < kFingerTarget ? kFingerTarget : smaller;
    }
    // A tile narrower than the target still holds four digits whole.
    if (!layout.tiles.empty())
        layout.fonts.tile = std::min(layout.fonts.tile, layout.tiles.front().width /
                                                            (kPlaceChars * kDigitWidth + 0.4));
    OrderPlaces(layout);
    return layout;
}

int BoxAt(const std::vector<BoardRect>& boxes, double x, double y) noexcept {
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (x >= boxes[i].x && x < boxes[i].Right() && y >= boxes[i].y && y < boxes[i].Bottom())
            return static_cast<int>(i);
    return -1;
}

int NextInReadingOrder(const BoardLayout& layout, int place, int step) noexcept {
    const auto& order = layout.readingOrder;
    if (order.empty())
        return -1;
    const auto at = std::find(order.begin(), order.end(), place);
    const int n = static_cast<int>(order.size());
    const int i = at == order.end() ? (step > 0 ? -1 : 0) : static_cast<int>(at - order.begin());
    return order[static_cast<std::size_t>(((i + step) % n + n) % n)];
}

} // namespace velmora
