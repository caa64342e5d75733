// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/game.h"

#include <utility>

namespace velmora {
namespace {

bool Practising(const Game& game) {
    return game.mode == PlayMode::Practice;
}

// An empty figure for the series on show; the sums found stay while the series does.
void RenewPractice(Game& game) {
    if (!Practising(game)) {
        game.practice = {};
        return;
    }
    Practice fresh = NewPractice(game.puzzle.figureMode, game.puzzle.series);
    if (fresh.numbers == game.practice.numbers && fresh.figure == game.practice.figure)
        fresh.foundSums = game.practice.foundSums;
    game.practice = std::move(fresh);
}

} // namespace

Game StartGame(PlayMode mode) {
    Game game;
    game.mode = mode;
    game.puzzle = Start();
    return game;
}

Game SwitchMode(Game game, PlayMode mode) {
    game.mode = mode;
    if (game.puzzle.figureMode != FigureMode::None)
        game.puzzle =
            SelectFigure(std::move(game.puzzle), static_cast<std::int16_t>(game.puzzle.figureMode));
    game.practice = {};
    RenewPractice(game);
    return game;
}

Game TypeStartText(Game game, std::string text) {
    game.puzzle = SetStartText(std::move(game.puzzle), std::move(text));
    return game;
}

Game ChooseFigure(Game game, std::int16_t index) {
    game.puzzle = SelectFigure(std::move(game.puzzle), index);
    game.practice = {};
    RenewPractice(game);
    return game;
}

GameResult Compute(Game game) {
    // Practice takes only a whole number from 1 to 999, written as one; anything else
    // leaves everything as it was and says why.
    if (Practising(game) && !PracticeStart(game.puzzle.startText)) {
        std::string status = MissingText(game.puzzle.figureMode, game.puzzle.startText);
        if (!game.practice.placed.empty())
            status += " Числата на фигурата остават.";
        return {std::move(game), SeriesOutcome::NotNatural, std::move(status)};
    }
    SeriesResult result = GenerateSeries(std::move(game.puzzle));
    game.puzzle = std::move(result.state);
    if (result.outcome == SeriesOutcome::Generated)
        RenewPractice(game);
    // Practice says what is missing; the demonstration stays silent, as it always was.
    std::string status;
    const bool listed = result.outcome == SeriesOutcome::Generated && !game.puzzle.series.empty();
    if (Practising(game) && !listed) {
        status = MissingText(game.puzzle.figureMode, game.puzzle.startText);
        if (!game.practice.placed.empty())
            status += " Числата на фигурата остават.";
    }
    return {std::move(game), result.outcome, std::move(status)};
}

Game Clear(Game game) {
    game.puzzle = ClearAll(std::move(game.puzzle));
    game.practice = {};
    RenewPractice(game);
    return game;
}

Game ClickTriangle(Game game, int position) {
    if (!Practising(game))
        game.puzzle = FillTrianglePosition(std::move(game.puzzle), position);
    else if (game.practice.figure == FigureMode::Triangle)
        game.practice = PickPosition(std::move(game.practice), position);
    return game;
}

Game ClickRhombus(Game game, int vertex) {
    if (!Practising(game))
        game.puzzle = FillRhombusVertex(std::move(game.puzzle), vertex);
    else if (game.practice.figure == FigureMode::Rhombus)
        game.practice = PickPosition(std::move(game.practice), vertex);
    return game;
}

Game ClickListItem(Game game, int row) {
    if (!Practising(game))
        game.puzzle = FillFromList(std::move(game.puzzle), row);
    else
        game.practice = PickNumber(std::move(game.practice), row);
    return game;
}

GameHint AskHint(Game game) {
    if (!Practising(game))
        return {std::move(game), {}, {}};
    if (game.practice.placed.empty()) {
        std::string text = MissingText(game.puzzle.figureMode, game.puzzle.startText);
        return {std::move(game), text, text};
    }
    Coaching coaching = Hint(std::move(game.practice));
    game.practice = std::move(coaching.practice);
    // The hint alone: the sums beside the figure already show the verdict.
    std::string status = coaching.text;
    if (coaching.claim.kind == HintKind::Solved)
        if (const std::string found = FoundSumsText(game.practice); !found.empty())
            status += " " + found;
    return {std::move(game), std::move(coaching.text), std::move(status)};
}

Game RevealSolution(Game game) {
    if (Practising(game))
        game.practice = ShowSolution(std::move(game.practice));
    return game;
}

Game RestoreOwnPlacement(Game game) {
    if (Practising(game))
        game.practice = RestoreOwnPlacement(std::move(game.practice));
    return game;
}

bool CanRestoreOwnPlacement(const Game& game) noexcept {
    return Practising(game) && SolutionOnShow(game.practice);
}

std::string WhyOf(const Game& game) {
    if (Practising(game))
        return WhyText(game.practice);
    return WhyText(NewPractice(game.puzzle.figureMode, game.puzzle.series));
}

std::string StatusOf(const Game& game) {
    if (Practising(game) && game.practice.placed.empty())
        return MissingText(game.puzzle.figureMode, game.puzzle.startText);
    if (Practising(game))
        return StatusText(game.practice);
    // Nothing to say before the first series: the statement says what to do.
    const std::vector<std::string>& series = game.puzzle.series;
    if (series.empty())
        return {};
    std::string numbers;
    for (std::size_t i = 0; i < series.size(); ++i)
        numbers += (i == 0 ? "" : i + 1 == series.size() ? " и " : ", ") + series[i];
    return "Числата са " + numbers + ": щракни място на фигурата или число от списъка.";
}

FigureCaptions CaptionsOf(const Game& game) {
    if (!Practising(game))
        return {game.puzzle.triangleCaptions, game.puzzle.rhombusCaptions};
    FigureCaptions captions;
    const bool triangle = game.practice.figure == FigureMode::Triangle;
    for (std::size_t k = 0; triangle && k < captions.triangle.size(); ++k)
        captions.triangle[k] = PositionCaption(game.practice, static_cast<int>(k));
    for (std::size_t v = 0; !triangle && v < captions.rhombus.size(); ++v)
        captions.rhombus[v] = PositionCaption(game.practice, static_cast<int>(v));
    return captions;
}

} // namespace velmora
