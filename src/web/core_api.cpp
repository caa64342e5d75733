// SPDX-License-Identifier: GPL-3.0-or-later
// The page's one way into the puzzle core: each input is one call that returns the
// whole view as JSON, so the page only shows what it is given.

#include "puzzle/board_view.h"
#include "puzzle/catalog.h"
#include "puzzle/figure.h"
#include "puzzle/game.h"
#include "puzzle/outline.h"
#include "web/json_writer.h"

#include <array>
#include <cmath>
#include <exception>
#include <string>
#include <vector>

using namespace velmora;

namespace {

// Numbered as the page numbers them (velmora.js, `Act`).
enum Action {
    kStart,
    kSwitchMode,
    kTypeStart,
    kChooseFigure,
    kCompute,
    kClear,
    kClickTriangle,
    kClickRhombus,
    kClickListItem,
    kAskHint,
    kRevealSolution,
    kAskWhy,
    kAskHowToPlay,
    kView,
    kRestoreOwnPlacement,
    kClickPosition,
    kForgetProgress,
    kSetZoom,
    // The board's own: a number dropped on a place (argument, then `position`), a number
    // given back to the tiles, and what is typed into its start box.
    kDropNumber,
    kReturnNumber,
    kEditStart,
};

Game game = StartGame(PlayMode::Demonstration);
std::string reply;

PlayMode ModeOf(int practice) {
    return practice ? PlayMode::Practice : PlayMode::Demonstration;
}

// What the action leaves to show beyond the state: a status line or a message.
struct Said {
    std::string status;  // replaces the status line when not empty
    std::string message; // shown in a box
    // A message beside the puzzle leaves the status line as it was (a hint stays).
    bool keepStatus = false;
};

Said Perform(int action, int argument, int position, const char* text) {
    switch (action) {
    case kStart:
        // The progress the page kept, if any; the address may ask for practice.
        game = text && *text ? ResumeGame(LoadProgress(text)) : StartGame(ModeOf(argument));
        if (argument && game.mode != PlayMode::Practice)
            game = SwitchMode(game, PlayMode::Practice);
        break;
    case kSwitchMode:
        if (game.mode != ModeOf(argument))
            game = SwitchMode(game, ModeOf(argument));
        break;
    case kTypeStart:
        game = TypeStartText(game, text ? text : "");
        break;
    case kChooseFigure:
        game = ChooseFigure(game, static_cast<std::int16_t>(argument));
        break;
    case kCompute: {
        GameResult result = Compute(game);
        game = std::move(result.game);
        if (result.outcome == SeriesOutcome::OutOfRange)
            return {std::move(result.status), OutOfRangeText()};
        return {std::move(result.status), {}};
    }
    case kClear:
        game = Clear(game);
        break;
    case kClickTriangle:
        game = ClickTriangle(game, argument);
        break;
    case kClickRhombus:
        game = ClickRhombus(game, argument);
        break;
    case kClickListItem:
        game = ClickListItem(game, argument);
        break;
    case kAskHint: {
        GameHint hint = AskHint(game);
        game = std::move(hint.game);
        return {std::move(hint.status), {}};
    }
    case kRevealSolution:
        game = RevealSolution(game);
        break;
    case kRestoreOwnPlacement:
        game = RestoreOwnPlacement(game);
        break;
    case kClickPosition:
        game = ClickPosition(game, argument);
        break;
    case kForgetProgress:
        game = ForgetProgress(game);
        break;
    case kSetZoom:
        game.progress.zoom = argument;
        break;
    case kDropNumber:
        game = DropNumber(game, argument, position);
        break;
    case kReturnNumber:
        game = ReturnNumber(game, argument);
        break;
    case kEditStart: {
        StartBoxEdit edit = EditStartBox(game.puzzle.startText, text ? text : "");
        game = TypeStartText(game, std::move(edit.text));
        return {std::move(edit.note), {}};
    }
    case kAskWhy:
        return {{}, WhyOf(game), true};
    case kAskHowToPlay:
        return {{}, HowToPlayText(), true};
    default:
        break;
    }
    return {};
}

std::string MarkName(LineMark mark) {
    switch (mark) {
    case LineMark::Alone:
        return "alone";
    case LineMark::Equal:
        return "equal";
    case LineMark::Off:
        return "off";
    default:
        return "";
    }
}

// The status line as the page shows it, kept while a message beside the puzzle leaves it:
// the board's letters for it are sized to show it whole.
std::string statusShown;

void WriteView(JsonWriter& json, const Said& said) {
    const PuzzleState& puzzle = game.puzzle;
    const Practice& practice = game.practice;
    const FigureCaptions captions = CaptionsOf(game);
    json.Field("practice", game.mode == PlayMode::Practice);
    json.Field("figure", static_cast<int>(puzzle.figureMode));
    json.Field("shown", static_cast<int>(puzzle.shownFigure));
    json.Field("start", puzzle.startText);
    json.Field("series", puzzle.series);
    json.Field("triangle", captions.triangle);
    json.Field("rhombus", captions.rhombus);
    const std::string status = said.status.empty() ? StatusOf(game) : said.status;
    if (!said.keepStatus)
        statusShown = status;
    json.Field("status", status);
    json.Field("message", said.message);
    json.Field("keepStatus", said.keepStatus);
    json.Field("canRestore", CanRestoreOwnPlacement(game));
    json.Field("pickedNumber", practice.pickedNumber);
    json.Field("pickedPosition", practice.pickedPosition);
    std::vector<bool> placed;
    for (int row = 0; row < static_cast<int>(practice.numbers.size()); ++row)
        placed.push_back(SlotOfNumber(practice, row) != kEmpty);
    json.Field("placed", placed);
    std::vector<std::string> sums, spoken, marks;
    for (int line = 0; line < static_cast<int>(Lines(practice.figure).size()); ++line) {
        sums.push_back(LineSumText(practice, line));
        spoken.push_back(LineSumSpoken(practice, line));
        marks.push_back(MarkName(LineMarkOf(practice, line)));
    }
    json.Field("sums", sums);
    json.Field("sumsSpoken", spoken);
    json.Field("sumMarks", marks);
    json.Field("places", captions.places);
    json.Field("zoom", game.progress.zoom);
    json.Field("progress", SaveProgress(game.progress));
}

// CSS pixels to a hundredth: finer than any screen shows, and short to write (the
// WebAssembly build finds a number's shortest text by trying one decimal after another,
// which for a full double took the board's reply 8 ms).
double Px(double pixels) {
    return std::round(pixels * 100) / 100;
}

std::array<double, 4> Rect(const BoardRect& r) {
    return {Px(r.x), Px(r.y), Px(r.width), Px(r.height)};
}

std::vector<double> One(const BoardRect& r) {
    return {Px(r.x), Px(r.y), Px(r.width), Px(r.height)};
}

std::vector<std::array<double, 4>> Rects(const std::vector<BoardRect>& boxes) {
    std::vector<std::array<double, 4>> rects;
    for (const BoardRect& r : boxes)
        rects.push_back(Rect(r));
    return rects;
}

void WriteLayout(JsonWriter& json, const BoardLayout& layout) {
    json.Field("width", Px(layout.width));
    json.Field("height", Px(layout.height));
    json.Field("portrait", layout.portrait);
    JsonWriter fonts;
    fonts.Field("place", Px(layout.fonts.place));
    fonts.Field("tile", Px(layout.fonts.tile));
    fonts.Field("sum", Px(layout.fonts.sum));
    fonts.Field("status", Px(layout.fonts.status));
    fonts.Field("button", Px(layout.fonts.button));
    fonts.Field("title", Px(layout.fonts.title));
    json.Field("fonts", fonts);
    json.Field("levels", Rects(layout.levels));
    json.Field("levelTitle", One(layout.levelTitle));
    json.Field("startLabel", One(layout.startLabel));
    json.Field("startBox", One(layout.startBox));
    json.Field("figure", One(layout.figure));
    json.Field("places", Rects(layout.places));
    std::vector<std::array<double, 4>> edges;
    for (const BoardSegment& s : layout.edges)
        edges.push_back({Px(s.x1), Px(s.y1), Px(s.x2), Px(s.y2)});
    json.Field("edges", edges);
    json.Field("grid", layout.grid);
    json.Field("sums", Rects(layout.sums));
    json.Field("tray", One(layout.tray));
    json.Field("tiles", Rects(layout.tiles));
    json.Field("status", One(layout.status));
    json.Field("chipsLabel", One(layout.chipsLabel));
    json.Field("chips", Rects(layout.chips));
    std::vector<JsonWriter> buttons;
    for (const BoardButton& button : layout.buttons) {
        JsonWriter b;
        b.Field("command", static_cast<int>(button.command));
        b.Field("box", One(button.box));
        buttons.push_back(std::move(b));
    }
    json.Field("buttons", buttons);
    json.Field("readingOrder", layout.readingOrder);
}

// The board's layout depends only on the figure, how many numbers it has, the board's
// size and the language (its words' widths), and takes the core a few milliseconds to
// find: found once for them, not per tap.
BoardLayout shownBoard; // the board as last laid out for the page
bool boardSent = false; // and the page has it
bool boardLaidOut = false;

const BoardLayout& BoardFor(double width, double height) {
    static FigureMode figure = FigureMode::None;
    static std::size_t numbers = 0;
    if (!boardLaidOut || figure != game.practice.figure || numbers != game.practice.numbers.size() ||
        shownBoard.width != width || shownBoard.height != height) {
        shownBoard = LayOutGameBoard(game, width, height);
        boardSent = false;
        figure = game.practice.figure;
        numbers = game.practice.numbers.size();
        boardLaidOut = true;
    }
    return shownBoard;
}

const char* TileStateName(TileState state) {
    switch (state) {
    case TileState::Placed:
        return "placed";
    case TileState::Picked:
        return "picked";
    default:
        return "free";
    }
}

void WriteBoardView(JsonWriter& json, const BoardView& view, const BoardLayout& layout) {
    std::vector<JsonWriter> levels;
    for (const BoardLevel& level : view.levels) {
        JsonWriter l;
        l.Field("text", level.text);
        l.Field("spoken", level.spoken);
        l.Field("figure", static_cast<int>(level.figure));
        l.Field("done", level.done);
        l.Field("current", level.current);
        l.Field("suggested", level.suggested);
        levels.push_back(std::move(l));
    }
    json.Field("levels", levels);
    json.Field("levelTitle", view.levelTitle);
    json.Field("startLabel", view.startLabel);
    json.Field("startText", view.startText);
    std::vector<JsonWriter> places;
    for (const BoardPlace& place : view.places) {
        JsonWriter p;
        p.Field("text", place.text);
        p.Field("spoken", place.spoken);
        p.Field("picked", place.picked);
        // The number a drag from the place, or Delete on it, takes (-1: none).
        p.Field("number", LastNumberAt(game.practice, static_cast<int>(places.size())));
        places.push_back(std::move(p));
    }
    json.Field("places", places);
    std::vector<JsonWriter> sums;
    for (const BoardSum& sum : view.sums) {
        JsonWriter s;
        s.Field("sum", sum.sum);
        s.Field("detail", sum.detail);
        s.Field("mark", MarkName(sum.mark));
        s.Field("spoken", sum.spoken);
        sums.push_back(std::move(s));
    }
    json.Field("sums", sums);
    std::vector<JsonWriter> tiles;
    for (const BoardTile& tile : view.tiles) {
        JsonWriter t;
        t.Field("text", tile.text);
        t.Field("spoken", tile.spoken);
        t.Field("state", std::string(TileStateName(tile.state)));
        tiles.push_back(std::move(t));
    }
    json.Field("tiles", tiles);
    json.Field("status", view.status);
    json.Field("statusFont", Px(BoardStatusFont(layout, statusShown)));
    json.Field("chipsLabel", view.chipsLabel);
    std::vector<JsonWriter> chips;
    for (const BoardChip& chip : view.chips) {
        JsonWriter c;
        c.Field("text", chip.text);
        c.Field("found", chip.found);
        chips.push_back(std::move(c));
    }
    json.Field("chips", chips);
    json.Field("chipsSpoken", view.chipsSpoken);
    // The buttons' words, in the layout's order: «Покажи решение» changes with the game.
    std::vector<std::string> labels, help;
    for (const BoardButton& button : layout.buttons) {
        labels.push_back(BoardLabel(button.command, game));
        help.push_back(BoardHelp(button.command, game));
    }
    json.Field("buttonLabels", labels);
    json.Field("buttonHelp", help);
    // Asked before a figure change or a compute would take the pupil's numbers away.
    json.Field("losePlacement", WouldLosePlacement(game) ? LosePlacementQuestion() : std::string());
}

} // namespace

extern "C" {

// Performs one input and returns the view after it. A failure inside the core keeps the
// state as it was before the input and says what failed. The text lives until the next call.
const char* velmora_act(int action, int argument, const char* text, int position) {
    const Game before = game;
    JsonWriter json;
    try {
        const Said said = Perform(action, argument, position, text);
        WriteView(json, said);
    } catch (const std::exception& failure) {
        game = before;
        json = JsonWriter();
        WriteView(json, {{}, failure.what()});
    }
    reply = json.Finish();
    return reply.c_str();
}

// The practice board for a `width` × `height` board in CSS pixels: what it shows (view),
// and where everything goes (layout) when that is new to the page: a tap that changes only
// what the board shows costs no layout to write, read or draw.
const char* velmora_board(double width, double height) {
    JsonWriter json;
    try {
        const BoardLayout& board = BoardFor(width, height);
        if (!boardSent) {
            JsonWriter layout;
            WriteLayout(layout, board);
            json.Field("layout", layout);
        }
        JsonWriter view;
        WriteBoardView(view, ViewBoard(game), board);
        json.Field("view", view);
        boardSent = true;
    } catch (const std::exception& failure) {
        json.Field("error", std::string(failure.what()));
    }
    reply = json.Finish();
    return reply.c_str();
}

// Where a number dragged to (x, y) on the board as last laid out lands: a place's index,
// kDropOnTray on the tray, or -1. Asked on every move of a drag, so it writes no reply.
constexpr int kDropOnTray = -2;
int velmora_drop_at(double x, double y) {
    const int place = BoxAt(shownBoard.places, x, y);
    if (place >= 0)
        return place;
    return BoxAt({shownBoard.tray}, x, y) == 0 ? kDropOnTray : -1;
}

// Every text the core gives from now on in the language of `tag` ("uk", "en-GB", "pseudo";
// Bulgarian for any other); returns the language's code. The board is laid out again for
// the new words.
const char* velmora_set_language(const char* tag) {
    SetLanguage(LanguageOfTag(tag ? tag : "").value_or(Language::Bulgarian));
    boardLaidOut = false;
    reply = LanguageCode(CurrentLanguage());
    return reply.c_str();
}

// The text in the language set, from the core's catalog: the page's own texts where the
// page carries none (the pseudo-language's).
const char* velmora_translate(const char* text) {
    reply = Tr(text ? text : "");
    return reply.c_str();
}

// The languages a pupil can choose, in their order: each one's code and its name in itself.
const char* velmora_languages() {
    std::vector<std::string> codes, names;
    for (const Language language : ShippedLanguages()) {
        codes.emplace_back(LanguageCode(language));
        names.emplace_back(LanguageName(language));
    }
    JsonWriter json;
    json.Field("codes", codes);
    json.Field("names", names);
    reply = json.Finish();
    return reply.c_str();
}

// The levels in their order, as the figure menu lists them, and the one suggested next.
const char* velmora_levels() {
    std::vector<std::string> titles;
    std::vector<int> figures;
    for (const Figure& figure : Figures()) {
        titles.push_back(LevelTitle(game.progress, figure.mode));
        figures.push_back(static_cast<int>(figure.mode));
    }
    JsonWriter json;
    json.Field("titles", titles);
    json.Field("figures", figures);
    json.Field("suggested",
               static_cast<int>(SuggestedFigure(game.progress, game.progress.lastFigure)));
    json.Field("startAgain", StartAgainQuestion());
    reply = json.Finish();
    return reply.c_str();
}

// The outline of figure 0 (triangle: 3 boxes) or 1 (rhombus: 4 boxes) anchored on the
// labels' boxes, given as left, top, width, height in twips; JSON segments or an error.
const char* velmora_outline(int figure, const double* boxes) {
    JsonWriter json;
    try {
        const auto box = [boxes](int i) {
            return LabelBox{boxes[4 * i], boxes[4 * i + 1], boxes[4 * i + 2], boxes[4 * i + 3]};
        };
        const std::vector<Segment> segments =
            figure == 0 ? TriangleOutline({box(0), box(1), box(2)})
                        : RhombusOutline({box(0), box(1), box(2), box(3)});
        std::vector<std::array<double, 4>> ends;
        for (const Segment& s : segments)
            ends.push_back({s.x1, s.y1, s.x2, s.y2});
        json.Field("segments", ends);
    } catch (const std::exception& failure) {
        json.Field("error", std::string(failure.what()));
    }
    reply = json.Finish();
    return reply.c_str();
}

} // extern "C"
