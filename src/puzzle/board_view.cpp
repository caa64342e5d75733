// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/board_view.h"

#include "puzzle/catalog.h"
#include "puzzle/figure.h"
#include "puzzle/progress.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace velmora {
namespace {

std::vector<BoardLevel> LevelsOf(const Game& game) {
    std::vector<BoardLevel> levels;
    const FigureMode suggested = SuggestedFigure(game.progress, game.progress.lastFigure);
    for (const Figure& figure : Figures()) {
        BoardLevel level;
        level.figure = figure.mode;
        level.done = LevelDone(game.progress, figure.mode);
        level.current = figure.mode == game.practice.figure;
        level.suggested = figure.mode == suggested && !level.current;
        level.text = level.done ? "✓" : std::to_string(LevelOf(figure.mode));
        level.spoken = LevelTitle(game.progress, figure.mode);
        levels.push_back(std::move(level));
    }
    return levels;
}

BoardSum SumOf(const Practice& practice, int line) {
    BoardSum sum;
    sum.mark = LineMarkOf(practice, line);
    sum.spoken = LineSumSpoken(practice, line);
    const std::vector<std::optional<std::int64_t>> sums = LineSums(practice);
    if (sum.mark == LineMark::None || !sums[static_cast<std::size_t>(line)])
        return sum;
    const std::int64_t value = *sums[static_cast<std::size_t>(line)];
    sum.sum = std::to_string(value);
    // Judged as the status line judges it: before the figure is full too, when the series
    // allows one sum alone.
    if (const std::optional<std::int64_t> off = LineDifference(practice, line); off)
        sum.detail = *off == 0 ? std::string("✓")
                               : (*off < 0 ? "−" : "+") + std::to_string(std::llabs(*off));
    return sum;
}

BoardTile TileOf(const Practice& practice, int index) {
    BoardTile tile;
    tile.text = std::to_string(practice.numbers[static_cast<std::size_t>(index)]);
    const int slot = SlotOfNumber(practice, index);
    tile.state = practice.pickedNumber == index ? TileState::Picked
                 : slot != kEmpty               ? TileState::Placed
                                                : TileState::Free;
    if (slot != kEmpty) {
        const std::string place =
            PositionName(practice.figure, PositionOfSlot(practice.figure, slot));
        // TRANSLATORS: a number tile to a screen reader: "Число 7, на фигурата: горният връх";
        // {place} is a place's name as it stands alone.
        const std::string spoken = Tr("Число {number}, на фигурата: {place}");
        tile.spoken = Format(spoken, {{"number", tile.text}, {"place", place}});
    } else if (tile.state == TileState::Picked) {
        // TRANSLATORS: a number tile to a screen reader, chosen and waiting for a place.
        tile.spoken = Format(Tr("Число {number}, избрано"), {{"number", tile.text}});
    } else {
        // TRANSLATORS: a number tile to a screen reader, not placed yet: "Число 7".
        tile.spoken = Format(Tr("Число {number}"), {{"number", tile.text}});
    }
    return tile;
}

std::vector<BoardChip> ChipsOf(const Practice& practice) {
    std::vector<BoardChip> chips;
    const std::size_t possible = practice.possibleSums.empty()
                                     ? static_cast<std::size_t>(PossibleSumCount(practice.figure))
                                     : practice.possibleSums.size();
    // A sum made with these numbers shows itself; one found with other numbers only a
    // tick, since its sum here was never made.
    const auto has = [](const std::vector<std::int64_t>& sums, std::int64_t sum) {
        return std::binary_search(sums.begin(), sums.end(), sum);
    };
    for (std::int64_t sum : practice.possibleSums)
        chips.push_back(has(practice.madeSums, sum)    ? BoardChip{std::to_string(sum), true}
                        : has(practice.foundSums, sum) ? BoardChip{"✓", true}
                                                       : BoardChip{"?", false});
    while (chips.size() < possible)
        chips.push_back({"?", false});
    return chips;
}

} // namespace

BoardView ViewBoard(const Game& game) {
    const Practice& practice = game.practice;
    BoardView view;
    view.levels = LevelsOf(game);
    view.levelTitle = LevelTitleText(practice.figure);
    view.startLabel = StartLabelText();
    view.startText = game.puzzle.startText;
    for (int position = 0; position < PositionCount(practice.figure); ++position) {
        BoardPlace place;
        place.text = PositionCaption(practice, position);
        if (place.text.size() >= 3 && place.text.compare(place.text.size() - 3, 3, "…") == 0)
            place.text.resize(place.text.size() - 6); // "7 + …": the vertex waits for a second
        place.picked = practice.pickedPosition == position;
        const std::string caption = PositionCaption(practice, position);
        const std::string name = Capital(PositionName(practice.figure, position));
        place.spoken =
            caption.empty()
                // TRANSLATORS: an empty place of the figure to a screen reader: "Горният
                // връх: празно".
                ? Format(Tr("{place}: празно"), {{"place", name}})
                // TRANSLATORS: a place of the figure to a screen reader with what it holds:
                // "Горният връх: 7", a rhombus vertex "Горният връх: 7 + 14 = 21".
                : Format(Tr("{place}: {numbers}"), {{"place", name}, {"numbers", caption}});
        view.places.push_back(std::move(place));
    }
    for (int line = 0; line < static_cast<int>(Lines(practice.figure).size()); ++line)
        view.sums.push_back(SumOf(practice, line));
    for (int index = 0; index < static_cast<int>(practice.numbers.size()); ++index)
        view.tiles.push_back(TileOf(practice, index));
    view.status = BoardStatusOf(game);
    view.chipsLabel = ChipsLabelText();
    view.chips = ChipsOf(practice);
    const std::string found = FoundSumsText(practice);
    // TRANSLATORS: to a screen reader, beside the sums found, while there is none yet.
    view.chipsSpoken = found.empty() ? Tr("Намерени суми: още няма") : found;
    return view;
}

std::string BoardLabel(BoardCommand command, const Game& game) {
    switch (command) {
    case BoardCommand::Hint:
        return TrC("board button", "Подсказка");
    case BoardCommand::Solution:
        return CanRestoreOwnPlacement(game) ? Tr("Върни моята подредба") : Tr("Покажи решение");
    case BoardCommand::Why:
        return Tr("Защо става?");
    case BoardCommand::Clear:
        return Tr("Изчисти");
    case BoardCommand::HowToPlay:
        return Tr("Как се играе");
    case BoardCommand::Compute:
        return Tr("Изчисли");
    case BoardCommand::Demonstration:
        // TRANSLATORS: a button back to the demonstration, where the program shows the
        // solution itself.
        return TrC("board button", "Показване");
    }
    return {};
}

std::string BoardHelp(BoardCommand command, const Game& game) {
    switch (command) {
    case BoardCommand::Hint:
        // TRANSLATORS: a board button's tooltip: its label, what it does, and its key.
        return Tr("Подсказка: следващата стъпка към решение (Ctrl+H)");
    case BoardCommand::Solution:
        return CanRestoreOwnPlacement(game)
                   ? Tr("Върни моята подредба: твоите числа отново (Ctrl+R)")
                   : Tr("Покажи решение: едно решение с равни суми (Ctrl+R)");
    case BoardCommand::Why:
        return Tr("Защо става?: защо сумите излизат равни (Ctrl+E)");
    case BoardCommand::Clear:
        return Tr("Изчисти: маха числата и началото");
    case BoardCommand::HowToPlay:
        return Tr("Как се играе (F1)");
    case BoardCommand::Compute:
        return Tr("Изчисли: числата от началото нататък");
    case BoardCommand::Demonstration:
        return Tr("Показване: програмата показва решението (Ctrl+1)");
    }
    return {};
}

BoardLayout LayOutGameBoard(const Game& game, double width, double height) {
    return LayOutBoard(
        BoardContentOf(game.practice.figure, static_cast<int>(game.practice.numbers.size())), width,
        height);
}

StartBoxEdit EditStartBox(const std::string& before, const std::string& typed) {
    std::size_t digits = 0;
    for (char c : typed)
        if (std::isdigit(static_cast<unsigned char>(c)))
            ++digits;
    if (digits <= 3)
        return {typed, {}};
    return {before, Tr("В «Начало» се пишат най-много три цифри: от 1 до 999.")};
}

bool WouldLosePlacement(const Game& game) noexcept {
    return game.mode == PlayMode::Practice &&
           std::any_of(game.practice.placed.begin(), game.practice.placed.end(),
                       [](int index) { return index != kEmpty; });
}

std::string LosePlacementQuestion() {
    return Tr("На фигурата има числа. Ако продължиш, те ще се махнат. Да продължа ли?");
}

} // namespace velmora
