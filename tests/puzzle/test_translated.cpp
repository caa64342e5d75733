// SPDX-License-Identifier: GPL-3.0-or-later
// Every text the core gives a pupil or a teacher comes from the catalog. In the
// pseudo-language every message's vowels are accented, so a Bulgarian vowel left in a
// text is a word the catalog never saw: a literal glued into a sentence, or a message
// that xgettext cannot find. Checked over every figure in the states a pupil meets, and
// over every kind of worksheet and its notes.
#include "in_language.h"
#include "puzzle/board.h"
#include "puzzle/board_view.h"
#include "puzzle/catalog.h"
#include "puzzle/figure.h"
#include "puzzle/progress.h"
#include "puzzle/worksheet.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <variant>
#include <vector>

using namespace velmora;

namespace {

// The first Bulgarian word the pseudo-language would have accented, or "".
std::string LeftInBulgarian(const std::string& text) {
    static const std::vector<std::string> kVowels{"а", "е", "и", "о", "у", "я",
                                                  "А", "Е", "И", "О", "У"};
    for (const std::string& vowel : kVowels)
        if (const std::size_t at = text.find(vowel); at != std::string::npos) {
            const std::size_t from = text.rfind(' ', at), to = text.find(' ', at);
            const std::size_t start = from == std::string::npos ? 0 : from + 1;
            return text.substr(start, to == std::string::npos ? to : to - start);
        }
    return {};
}

using Said = std::vector<std::pair<std::string, std::string>>; // what, and its text

// Everything the board and the game say of `game` in the current language.
Said SaidOf(const Game& game) {
    Said said;
    const BoardView view = ViewBoard(game);
    const auto add = [&](const std::string& what, const std::string& text) {
        said.emplace_back(what, text);
    };
    add("level title", view.levelTitle);
    add("start label", view.startLabel);
    add("board status", view.status);
    add("chips label", view.chipsLabel);
    add("chips spoken", view.chipsSpoken);
    for (const BoardLevel& level : view.levels)
        add("level", level.spoken);
    for (const BoardPlace& place : view.places)
        add("place", place.spoken);
    for (const BoardSum& sum : view.sums)
        add("sum", sum.spoken);
    for (const BoardTile& tile : view.tiles)
        add("tile", tile.spoken);
    for (int command = 0; command <= int(BoardCommand::Demonstration); ++command) {
        add("label", BoardLabel(BoardCommand(command), game));
        add("help", BoardHelp(BoardCommand(command), game));
    }
    add("status", StatusOf(game));
    add("why", WhyOf(game));
    add("hint", AskHint(game).text);
    add("hint status", AskHint(game).status);
    return said;
}

// A game on `figure` from 5, as a pupil plays it, in the states each text shows in.
std::vector<std::pair<std::string, Game>> StatesOf(const Figure& figure) {
    std::vector<std::pair<std::string, Game>> states;
    const auto index = static_cast<std::int16_t>(figure.mode);
    Game game = StartGame(PlayMode::Practice);
    states.emplace_back("no figure", game);
    game = ChooseFigure(std::move(game), index);
    states.emplace_back("chosen", game);
    states.emplace_back("not a number", Compute(TypeStartText(game, "x")).game);
    game = Compute(TypeStartText(std::move(game), "5")).game;
    states.emplace_back("listed", game);
    states.emplace_back("number picked", ClickListItem(game, 0));
    states.emplace_back("place picked", ClickPosition(game, 0));
    // A solution, then the same numbers in a wrong order, then half of them.
    const std::vector<int> solution = NearestSolution(game.practice);
    Game solved = game, wrong = game, half = game;
    for (std::size_t slot = 0; slot < solution.size(); ++slot) {
        const int position = PositionOfSlot(figure.mode, int(slot));
        solved = DropNumber(std::move(solved), solution[slot], position);
        wrong = DropNumber(std::move(wrong), int(slot), position);
        if (slot % 2 == 0)
            half = DropNumber(std::move(half), solution[slot], position);
    }
    states.emplace_back("solved", solved);
    states.emplace_back("in order", wrong);
    states.emplace_back("half", half);
    states.emplace_back("solution shown", RevealSolution(wrong));
    Game hinted = wrong;
    for (int step = 1; step <= 3; ++step) {
        hinted = AskHint(std::move(hinted)).game;
        states.emplace_back("hint " + std::to_string(step), hinted);
    }
    // Every level done: the verdict says so.
    Game done = solved;
    for (const Figure& each : Figures()) {
        std::vector<std::int32_t> numbers;
        for (int n = 1; n <= SlotCount(each.mode); ++n)
            numbers.push_back(n);
        done.progress.found[each.mode] = PossibleSums(each.mode, numbers);
    }
    states.emplace_back("all levels done", done);
    Game shown = StartGame(PlayMode::Demonstration);
    if (SeriesLength(figure.mode) > 0) {
        shown = Compute(TypeStartText(ChooseFigure(std::move(shown), index), "5")).game;
        states.emplace_back("demonstration", shown);
    }
    return states;
}

} // namespace

TEST_CASE("every text of the board and the game comes from the catalog, in every state") {
    for (const Figure& figure : Figures())
        for (const auto& named : StatesOf(figure)) {
            // Named, not a structured binding: older clangs cannot capture one in CAPTURE.
            const auto& state = named.first;
            const auto& game = named.second;
            CAPTURE(figure.key);
            CAPTURE(state);
            const Said bulgarian = SaidOf(game);
            const InLanguage in(Language::Pseudo);
            const Said pseudo = SaidOf(game);
            REQUIRE(pseudo.size() == bulgarian.size());
            for (std::size_t i = 0; i < pseudo.size(); ++i) {
                CAPTURE(pseudo[i].first);
                CAPTURE(bulgarian[i].second);
                CHECK(LeftInBulgarian(pseudo[i].second) == "");
                if (!LeftInBulgarian(bulgarian[i].second).empty())
                    CHECK(pseudo[i].second != bulgarian[i].second);
            }
        }
}

TEST_CASE("every sentence the pupil reads starts with a capital, in every language") {
    // A translation may open a sentence with a phrase the core puts in (Turkish names the
    // line first): the core, not the catalog, makes its first letter a capital.
    const std::vector<std::string> sentences{"board status", "status", "why", "hint",
                                             "hint status"};
    for (const Language language : ShippedLanguages()) {
        const InLanguage in(language);
        for (const Figure& figure : Figures())
            for (const auto& named : StatesOf(figure))
                for (const auto& said : SaidOf(named.second)) {
                    const std::string& what = said.first;
                    if (std::find(sentences.begin(), sentences.end(), what) == sentences.end())
                        continue;
                    CAPTURE(LanguageCode(language));
                    CAPTURE(figure.key);
                    CAPTURE(named.first);
                    CAPTURE(what);
                    CHECK(Capital(said.second) == said.second);
                }
    }
}

TEST_CASE("what the core says beside the board comes from the catalog") {
    const InLanguage in(Language::Pseudo);
    Progress progress;
    progress.found[FigureMode::Star] = {
        PossibleSums(FigureMode::Star, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}).front()};
    std::vector<std::string> said{
        LevelTitleText(FigureMode::None), StartLabelText(),        ChipsLabelText(),
        EditStartBox("999", "9999").note, LosePlacementQuestion(), StartAgainQuestion()};
    for (const Figure& figure : Figures()) {
        // «Изчисли» with a start that is no number, over numbers placed: they stay.
        const auto index = static_cast<std::int16_t>(figure.mode);
        Game game = ChooseFigure(StartGame(PlayMode::Practice), index);
        game = DropNumber(Compute(TypeStartText(std::move(game), "5")).game, 0, 0);
        said.push_back(Compute(TypeStartText(std::move(game), "x")).status);
        said.push_back(LevelTitleText(figure.mode));
        said.push_back(LevelTitle(progress, figure.mode));
        said.push_back(LevelTitle(Progress{}, figure.mode));
    }
    for (const std::string& text : said) {
        CAPTURE(text);
        CHECK(LeftInBulgarian(text) == "");
    }
}

TEST_CASE("every worksheet's texts and notes come from the catalog") {
    const InLanguage in(Language::Pseudo);
    std::vector<std::string> said{WorksheetTitle(), WorksheetAnswersTitle(), WorksheetNameLine(),
                                  FewerPerPageNote(1, 4), FewerPerPageNote(3, 6)};
    for (SaveProblem problem : {SaveProblem::MissingFolder, SaveProblem::NotAllowed,
                                SaveProblem::IsFolder, SaveProblem::Other})
        said.push_back(SaveProblemText(problem, "/tmp/sheet.pdf", "/tmp"));
    for (const SheetChoice& choice : SheetChoices()) {
        said.push_back(choice.title);
        // One given number and none: keys with other sums and with none.
        for (int given : {0, MostGiven(choice.figures)}) {
            WorksheetRequest request;
            request.figures = choice.figures;
            request.count = int(choice.figures.size()) * 2;
            request.given = given;
            const auto sheet = std::get<Worksheet>(MakeWorksheet(request));
            for (const SheetPuzzle& puzzle : sheet.puzzles)
                for (const std::string& text : {puzzle.task, puzzle.numbersLine, puzzle.answerLine})
                    said.push_back(text);
        }
    }
    // Every request a teacher can get wrong.
    std::vector<WorksheetRequest> wrong(6);
    wrong[0].count = 0;
    wrong[1].perPage = 7;
    wrong[2].starts = {0};
    wrong[3].randomFrom = 50, wrong[3].randomTo = 10;
    wrong[4].figures = {};
    wrong[5].given = 99;
    for (const WorksheetRequest& request : wrong)
        said.push_back(std::get<std::string>(MakeWorksheet(request)));
    for (const std::string& text : said) {
        CAPTURE(text);
        CHECK(LeftInBulgarian(text) == "");
    }
}
