// SPDX-License-Identifier: GPL-3.0-or-later
// The page's one way into the puzzle core: each input is one call that returns the
// whole view as JSON, so the page only shows what it is given.

#include "puzzle/figure.h"
#include "puzzle/game.h"
#include "puzzle/outline.h"
#include "web/json_writer.h"

#include <array>
#include <exception>
#include <string>

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

Said Perform(int action, int argument, const char* text) {
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
    json.Field("status", said.status.empty() ? StatusOf(game) : said.status);
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

} // namespace

extern "C" {

// Performs one input and returns the view after it. A failure inside the core keeps the
// state as it was before the input and says what failed. The text lives until the next call.
const char* velmora_act(int action, int argument, const char* text) {
    const Game before = game;
    JsonWriter json;
    try {
        const Said said = Perform(action, argument, text);
        WriteView(json, said);
    } catch (const std::exception& failure) {
        game = before;
        json = JsonWriter();
        WriteView(json, {{}, failure.what()});
    }
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

// What the page draws of a figure: its places' centres (x, y in a unit square, y down)
// and names, the segments between places or a grid, and where each line's sum shows.
const char* velmora_figure(int mode) {
    const Figure& figure = FigureOf(static_cast<FigureMode>(mode));
    std::vector<double> places, labels;
    std::vector<std::string> names;
    for (const FigurePlace& place : figure.places) {
        places.insert(places.end(), {place.x, place.y});
        names.push_back(place.name);
    }
    std::vector<int> edges;
    for (const auto& [from, to] : figure.edges)
        edges.insert(edges.end(), {from, to});
    for (const FigureLine& line : figure.lines)
        labels.insert(labels.end(), {line.labelX, line.labelY});
    JsonWriter json;
    json.Field("key", figure.key);
    json.Field("title", figure.title);
    json.Field("places", places);
    json.Field("names", names);
    json.Field("edges", edges);
    json.Field("grid", figure.grid);
    json.Field("labels", labels);
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
