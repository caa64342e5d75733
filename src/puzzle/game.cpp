// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/game.h"

#include "puzzle/catalog.h"
#include "puzzle/figure.h"

#include <algorithm>
#include <utility>

namespace velmora {
namespace {

bool Practising(const Game& game) {
    return game.mode == PlayMode::Practice;
}

// Whether the demonstration can show the figure: it lists numbers for it.
bool Demonstrated(FigureMode figure) {
    return SeriesLength(figure) > 0;
}

// An empty figure for the series on show, with the sums found on it before.
void RenewPractice(Game& game) {
    if (!Practising(game)) {
        game.practice = {};
        return;
    }
    game.practice = NewPractice(game.puzzle.figureMode, game.puzzle.series);
    if (!game.practice.numbers.empty())
        game.practice.foundSums =
            FoundSumsFrom(game.progress, game.practice.figure, game.practice.numbers.front());
}

// After a practice move: a sum found is kept with the figure's progress.
Game Remember(Game game) {
    game.progress = RecordSums(std::move(game.progress), game.practice);
    return game;
}

// Practice lists as many numbers as the figure has cells, the demonstration's figures
// included: they agree with what it lists.
void ListPracticeSeries(Game& game, int start) {
    game.puzzle.series.clear();
    for (int i = 0; i < SlotCount(game.puzzle.figureMode); ++i)
        game.puzzle.series.push_back(std::to_string(start + i));
}

// Said after what is missing, when compute leaves the numbers placed as they were.
std::string KeptText() {
    return Tr("Числата на фигурата остават.");
}

// Once the figure's level is done, the next one not done is suggested.
std::string NextLevelText(const Game& game) {
    if (!LevelDone(game.progress, game.practice.figure) ||
        Judge(game.practice).kind != VerdictKind::Solved)
        return {};
    const FigureMode next = SuggestedFigure(game.progress, game.practice.figure);
    // A sentence after the verdict, a space before it.
    if (next == FigureMode::None)
        return " " + Tr("Всички нива са готови!");
    // TRANSLATORS: after «Браво! …» once a level is done: the next level's figure.
    return " " + Format(Tr("Следващо ниво: «{figure}»."), {{"figure", Tr(FigureOf(next).title)}});
}

} // namespace

Game StartGame(PlayMode mode) {
    Game game;
    game.mode = mode;
    game.progress.practice = mode == PlayMode::Practice;
    game.puzzle = Start();
    return game;
}

Game ResumeGame(Progress progress) {
    Game game = StartGame(progress.practice ? PlayMode::Practice : PlayMode::Demonstration);
    game.progress = std::move(progress);
    if (game.progress.lastFigure != FigureMode::None)
        game = ChooseFigure(std::move(game), static_cast<std::int16_t>(game.progress.lastFigure));
    return game;
}

Game ForgetProgress(Game game) {
    game.progress.found.clear();
    game.practice.foundSums.clear();
    game.practice.madeSums.clear();
    return game;
}

Game SwitchMode(Game game, PlayMode mode) {
    game.mode = mode;
    game.progress.practice = mode == PlayMode::Practice;
    // The demonstration has no other figures: it starts with none chosen.
    const FigureMode chosen = Practising(game) || Demonstrated(game.puzzle.figureMode)
                                  ? game.puzzle.figureMode
                                  : FigureMode::None;
    // Practice starts with the demonstration's figure on show emptied, whatever is chosen.
    if (const FigureMode shown = game.puzzle.shownFigure;
        Practising(game) && shown != FigureMode::None)
        game.puzzle = SelectFigure(std::move(game.puzzle), static_cast<std::int16_t>(shown));
    game.puzzle = SelectFigure(std::move(game.puzzle), static_cast<std::int16_t>(chosen));
    game.practice = {};
    RenewPractice(game);
    return game;
}

Game TypeStartText(Game game, std::string text) {
    game.puzzle = SetStartText(std::move(game.puzzle), std::move(text));
    return game;
}

Game ChooseFigure(Game game, std::int16_t index) {
    const auto figure = static_cast<FigureMode>(index);
    if (!Practising(game) && !Demonstrated(figure) && !FigureOf(figure).places.empty()) {
        game = SwitchMode(std::move(game), PlayMode::Practice);
    }
    if (!FigureOf(figure).places.empty())
        game.progress.lastFigure = figure;
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
            status += " " + KeptText();
        return {std::move(game), SeriesOutcome::NotNatural, std::move(status)};
    }
    SeriesResult result = GenerateSeries(std::move(game.puzzle));
    game.puzzle = std::move(result.state);
    if (result.outcome == SeriesOutcome::Generated && Practising(game))
        ListPracticeSeries(game, *PracticeStart(game.puzzle.startText));
    if (result.outcome == SeriesOutcome::Generated)
        RenewPractice(game);
    // Practice says what is missing; the demonstration stays silent, as it always was.
    std::string status;
    const bool listed = result.outcome == SeriesOutcome::Generated && !game.puzzle.series.empty();
    if (Practising(game) && !listed) {
        status = MissingText(game.puzzle.figureMode, game.puzzle.startText);
        if (!game.practice.placed.empty())
            status += " " + KeptText();
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
        return ClickPosition(std::move(game), position);
    return game;
}

Game ClickRhombus(Game game, int vertex) {
    if (!Practising(game))
        game.puzzle = FillRhombusVertex(std::move(game.puzzle), vertex);
    else if (game.practice.figure == FigureMode::Rhombus)
        return ClickPosition(std::move(game), vertex);
    return game;
}

Game ClickPosition(Game game, int position) {
    if (!Practising(game))
        return game;
    game.practice = PickPosition(std::move(game.practice), position);
    return Remember(std::move(game));
}

Game DropNumber(Game game, int index, int position) {
    if (!Practising(game))
        return game;
    Practice& practice = game.practice;
    const int count = static_cast<int>(practice.numbers.size());
    if (index < 0 || index >= count || position < 0 || position >= PositionCount(practice.figure))
        return game;
    const int fromSlot = SlotOfNumber(practice, index);
    const int from = fromSlot == kEmpty ? kEmpty : PositionOfSlot(practice.figure, fromSlot);
    if (from == position) {
        practice.pickedNumber = practice.pickedPosition = kEmpty;
        return game;
    }
    // The number the target gives up when full: a rhombus vertex its last.
    int displaced = kEmpty;
    const std::vector<int> cells = SlotsOfPosition(practice.figure, position);
    if (std::all_of(cells.begin(), cells.end(), [&](int slot) {
            return practice.placed[static_cast<std::size_t>(slot)] != kEmpty;
        }))
        displaced = practice.placed[static_cast<std::size_t>(cells.back())];
    practice = Place(std::move(practice), index, position);
    if (displaced != kEmpty && from != kEmpty)
        practice = Place(std::move(practice), displaced, from);
    return Remember(std::move(game));
}

Game ReturnNumber(Game game, int index) {
    if (!Practising(game))
        return game;
    game.practice = TakeBackNumber(std::move(game.practice), index);
    return Remember(std::move(game));
}

Game ClickListItem(Game game, int row) {
    if (!Practising(game))
        game.puzzle = FillFromList(std::move(game.puzzle), row);
    else
        game.practice = PickNumber(std::move(game.practice), row);
    return Remember(std::move(game));
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
    game = Remember(std::move(game));
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
    return Remember(std::move(game));
}

bool CanRestoreOwnPlacement(const Game& game) noexcept {
    return Practising(game) && SolutionOnShow(game.practice);
}

std::string WhyOf(const Game& game) {
    if (Practising(game))
        return WhyText(game.practice);
    if (game.puzzle.series.empty())
        // The demonstration's own controls: it has no levels, and its start goes past 999.
        return Tr("Напиши начално число в «Начало», избери «Триъгълник» или «Ромб» и натисни "
                  "«Изчисли». Тогава «Защо става?» обяснява защо сумите са равни.");
    return WhyText(NewPractice(game.puzzle.figureMode, game.puzzle.series));
}

std::string StatusOf(const Game& game) {
    if (Practising(game) && game.practice.placed.empty())
        return MissingText(game.puzzle.figureMode, game.puzzle.startText);
    if (Practising(game))
        return StatusText(game.practice) + NextLevelText(game);
    // Nothing to say before the first series: the statement says what to do.
    const std::vector<std::string>& series = game.puzzle.series;
    if (series.empty())
        return {};
    // TRANSLATORS: the demonstration's status line once it lists the numbers; {numbers} is
    // their list, "7, 8, 9, 10, 11 и 12".
    return Format(Tr("Числата са {numbers}: щракни място на фигурата или число от списъка."),
                  {{"numbers", JoinAnd(series)}});
}

std::string BoardStatusOf(const Game& game) {
    if (!Practising(game) || game.practice.placed.empty())
        return StatusOf(game);
    return StepText(game.practice) + NextLevelText(game);
}

FigureCaptions CaptionsOf(const Game& game) {
    if (!Practising(game))
        return {game.puzzle.triangleCaptions, game.puzzle.rhombusCaptions, {}};
    FigureCaptions captions;
    const bool triangle = game.practice.figure == FigureMode::Triangle;
    for (std::size_t k = 0; triangle && k < captions.triangle.size(); ++k)
        captions.triangle[k] = PositionCaption(game.practice, static_cast<int>(k));
    const bool rhombus = game.practice.figure == FigureMode::Rhombus;
    for (std::size_t v = 0; rhombus && v < captions.rhombus.size(); ++v)
        captions.rhombus[v] = PositionCaption(game.practice, static_cast<int>(v));
    for (int k = 0; k < PositionCount(game.practice.figure); ++k)
        captions.places.push_back(PositionCaption(game.practice, k));
    return captions;
}

} // namespace velmora
