// SPDX-License-Identifier: GPL-3.0-or-later
// The practice board's layout, over every figure and the screens a class meets: a phone
// in portrait, a tablet, a lab PC, an old projector and a whiteboard.
#include "game_invariants.h"
#include "puzzle/board.h"
#include "puzzle/board_view.h"
#include "puzzle/catalog.h"
#include "puzzle/coach.h"
#include "puzzle/figure.h"
#include "puzzle/progress.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace velmora;
using namespace velmora::testing;

namespace {

struct Screen {
    double width, height;
};
const std::vector<Screen> kScreens{{360, 640},  {375, 667},   {412, 915}, {768, 1024},
                                   {1024, 768}, {1920, 1080}, {800, 600}};

// Every language a pupil can choose, and the pseudo-language, 40 % longer than Bulgarian.
const std::vector<Language> kLanguages{Language::Bulgarian, Language::English, Language::Ukrainian,
                                       Language::Turkish, Language::Pseudo};

// Restores Bulgarian after a test that switched the language.
struct InLanguage {
    explicit InLanguage(Language language) { SetLanguage(language); }
    ~InLanguage() { SetLanguage(Language::Bulgarian); }
    InLanguage(const InLanguage&) = delete;
    InLanguage& operator=(const InLanguage&) = delete;
};

// The lines `text` takes wrapped between words in `width`, each line measured as the
// layout measures a text; 0 when one word alone is wider.
int WrappedLines(const std::string& text, double font, double width) {
    std::vector<std::string> lines{""};
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        const std::string word = text.substr(start, end - start);
        start = end + 1;
        if (BoardTextWidth(word, font) > width)
            return 0;
        const std::string longer = lines.back().empty() ? word : lines.back() + " " + word;
        if (BoardTextWidth(longer, font) <= width)
            lines.back() = longer;
        else
            lines.push_back(word);
    }
    return int(lines.size());
}

// What of the board's words does not show whole in the box laid out for it, or "": a
// button's every label wrapped between words, its lines an em apart inside its 2-pixel
// borders; «Начало», «Намерени:» and the level's name on one line.
std::string TextMisfit(const BoardLayout& layout, FigureMode figure) {
    Game shown = ChooseFigure(StartGame(PlayMode::Practice), static_cast<std::int16_t>(figure));
    shown.practice.helped = true; // «Покажи решение» then reads «Върни моята подредба»
    const double font = layout.fonts.button;
    for (const BoardButton& button : layout.buttons)
        for (const Game& game : {StartGame(PlayMode::Practice), shown}) {
            const std::string label = BoardLabel(button.command, game);
            const int lines = WrappedLines(label, font, button.box.width);
            if (lines == 0 || lines * font + 4 > button.box.height)
                return label;
        }
    const auto oneLine = [](const std::string& text, double size, const BoardRect& box) {
        return BoardTextWidth(text, size) <= box.width + 1e-6;
    };
    if (!oneLine(StartLabelText(), font, layout.startLabel))
        return StartLabelText();
    if (!oneLine(ChipsLabelText(), font, layout.chipsLabel))
        return ChipsLabelText();
    if (layout.levelTitle.width > 0 &&
        !oneLine(LevelTitleText(figure), layout.fonts.title, layout.levelTitle))
        return LevelTitleText(figure);
    return {};
}

std::string Where(const Figure& figure, const Screen& screen) {
    return figure.key + " at " + std::to_string(int(screen.width)) + "×" +
           std::to_string(int(screen.height));
}

// Every box a pupil sees or taps, with what it is, for the overlap check.
std::vector<std::pair<std::string, BoardRect>> Visible(const BoardLayout& layout) {
    std::vector<std::pair<std::string, BoardRect>> boxes;
    const auto add = [&](const std::string& kind, const std::vector<BoardRect>& rects) {
        for (std::size_t i = 0; i < rects.size(); ++i)
            boxes.emplace_back(kind + " " + std::to_string(i), rects[i]);
    };
    add("place", layout.places);
    add("sum", layout.sums);
    add("tile", layout.tiles);
    add("level", layout.levels);
    add("chip", layout.chips);
    for (const BoardButton& button : layout.buttons)
        boxes.emplace_back("button " + std::to_string(int(button.command)), button.box);
    boxes.emplace_back("status", layout.status);
    boxes.emplace_back("start box", layout.startBox);
    boxes.emplace_back("start label", layout.startLabel);
    boxes.emplace_back("chips label", layout.chipsLabel);
    if (layout.levelTitle.width > 0)
        boxes.emplace_back("level title", layout.levelTitle);
    return boxes;
}

// How far a point is from a line of the figure: from the straight line through its end
// places (a sum stands beside its line or on its prolongation), or from its one place.
double DistanceToLine(const Figure& figure, const FigureLine& line, const BoardLayout& layout,
                      double x, double y) {
    const BoardRect& a = layout.places[std::size_t(line.cells.front() / figure.cellsPerPlace)];
    const BoardRect& b = layout.places[std::size_t(line.cells.back() / figure.cellsPerPlace)];
    const double dx = b.CentreX() - a.CentreX(), dy = b.CentreY() - a.CentreY();
    const double length = std::hypot(dx, dy);
    if (length == 0)
        return std::hypot(x - a.CentreX(), y - a.CentreY());
    return std::abs((x - a.CentreX()) * dy - (y - a.CentreY()) * dx) / length;
}

} // namespace

TEST_CASE("every figure's board fits every screen: inside, apart, large enough to tap") {
    for (Language language : kLanguages)
        for (const Figure& figure : Figures())
            for (const Screen& screen : kScreens) {
                const InLanguage in(language);
                CAPTURE(LanguageCode(language));
                CAPTURE(Where(figure, screen));
                const BoardContent content = BoardContentOf(figure.mode, 0);
                const BoardLayout layout = LayOutBoard(content, screen.width, screen.height);
                REQUIRE(layout.places.size() == figure.places.size());
                REQUIRE(layout.sums.size() == figure.lines.size());
                REQUIRE(int(layout.tiles.size()) == content.numbers);
                REQUIRE(int(layout.levels.size()) == int(Figures().size()));
                REQUIRE(int(layout.chips.size()) == content.possibleSums);
                const BoardRect board{0, 0, screen.width, screen.height};
                const auto boxes = Visible(layout);
                for (std::size_t i = 0; i < boxes.size(); ++i) {
                    CAPTURE(boxes[i].first);
                    CHECK(Inside(boxes[i].second, board));
                    CHECK(boxes[i].second.width > 0);
                    for (std::size_t j = i + 1; j < boxes.size(); ++j) {
                        CAPTURE(boxes[j].first);
                        CHECK_FALSE(Overlap(boxes[i].second, boxes[j].second));
                    }
                }
                // Every language a pupil can choose keeps a finger's targets from a phone
                // up; the pseudo-language's words, longer than any, may shrink them on a
                // phone, by a fifth at most.
                const double target = language != Language::Pseudo || screen.width > 480
                                          ? kFingerTarget
                                          : 0.8 * kFingerTarget;
                for (const auto* targets : {&layout.places, &layout.tiles})
                    for (const BoardRect& r : *targets) {
                        CHECK(r.width >= target);
                        CHECK(r.height >= target);
                    }
                for (const BoardButton& button : layout.buttons)
                    CHECK(button.box.height >= target);
                CHECK(layout.fonts.sum >= kSumToNumber * layout.fonts.place);
                // Four digits (1010, a star's from 999) fit a tile at the digit width the
                // fonts are sized for, with a little room for the tile's border.
                for (const BoardRect& tile : layout.tiles)
                    CHECK(4 * 0.6 * layout.fonts.tile + 4 <= tile.width);
                // A drop at a place's centre lands on that place.
                for (std::size_t p = 0; p < layout.places.size(); ++p)
                    CHECK(BoxAt(layout.places, layout.places[p].CentreX(),
                                layout.places[p].CentreY()) == int(p));
                // Every word the layout made room for shows whole, in every language.
                CHECK(TextMisfit(layout, figure.mode) == "");
            }
}

namespace {

// What the pupil does after a hint, to reach the next one: places or moves the number it
// names, or takes it back.
Game FollowHint(Game game, const HintClaim& claim) {
    Practice& p = game.practice;
    if (claim.kind == HintKind::Place || claim.kind == HintKind::Move)
        p = Place(std::move(p), claim.number,
                  claim.kind == HintKind::Place ? claim.position : claim.target);
    else if (claim.kind == HintKind::Blocking || claim.kind == HintKind::OffTarget ||
             claim.kind == HintKind::WrongPair)
        p = TakeBackNumber(std::move(p), claim.number);
    return game;
}

// 0 … count-1 in a random order. Shuffled by hand: std::shuffle differs between standard
// libraries, and the WebAssembly build should meet the same states.
std::vector<int> ShuffledByHand(int count, std::mt19937& random) {
    std::vector<int> numbers(static_cast<std::size_t>(count));
    std::iota(numbers.begin(), numbers.end(), 0);
    for (std::size_t i = numbers.size() - 1; i > 0; --i)
        std::swap(numbers[i], numbers[random() % (i + 1)]);
    return numbers;
}

// Every text the board's status line shows on `figure`, in the current language, with
// where it comes from: the game's status line and the board's, a hint's (pressed in
// that state), what compute and the start box say when they refuse; in every state a
// pupil meets from 5 and from 999 (four-digit sums): listed, picked, solved, in order,
// half placed, the solution shown, every level done, and random placements each followed
// hint by hint to a solution.
std::vector<std::pair<std::string, std::string>> StatusTexts(const Figure& figure) {
    std::vector<std::pair<std::string, std::string>> said;
    const auto sayAll = [&](const std::string& state, const Game& game) {
        said.emplace_back(state, StatusOf(game));
        said.emplace_back(state + ", board", BoardStatusOf(game));
        said.emplace_back(state + ", hint", AskHint(game).status);
    };
    const Game none = StartGame(PlayMode::Practice);
    sayAll("no figure", none);
    said.emplace_back("compute without a figure", Compute(TypeStartText(none, "5")).status);
    const Game chosen = ChooseFigure(none, static_cast<std::int16_t>(figure.mode));
    sayAll("chosen", chosen);
    for (const char* start : {"", "x", "0", "1000", "2,5"})
        said.emplace_back(std::string("compute from '") + start + "'",
                          Compute(TypeStartText(chosen, start)).status);
    said.emplace_back("a fourth digit", EditStartBox("999", "9999").note);
    std::mt19937 random(7);
    const int slots = SlotCount(figure.mode);
    for (int start : {5, 999}) {
        const std::string from = " from " + std::to_string(start);
        const Game listed = Compute(TypeStartText(chosen, std::to_string(start))).game;
        sayAll("listed" + from, listed);
        sayAll("number picked" + from, ClickListItem(listed, 0));
        sayAll("place picked" + from, ClickPosition(listed, 0));
        const std::vector<int> solution = NearestSolution(listed.practice);
        Game solved = listed, inOrder = listed, half = listed;
        for (int slot = 0; slot < slots; ++slot) {
            const int position = PositionOfSlot(figure.mode, slot);
            solved = DropNumber(std::move(solved), solution[std::size_t(slot)], position);
            inOrder = DropNumber(std::move(inOrder), slot, position);
            if (slot % 2 == 0)
                half = DropNumber(std::move(half), solution[std::size_t(slot)], position);
        }
        sayAll("solved" + from, solved);
        sayAll("in order" + from, inOrder);
        sayAll("half" + from, half);
        sayAll("solution shown" + from, RevealSolution(inOrder));
        Game done = solved;
        for (const Figure& each : Figures()) {
            std::vector<std::int32_t> numbers(std::size_t(SlotCount(each.mode)));
            std::iota(numbers.begin(), numbers.end(), 1);
            done.progress.found[each.mode] = PossibleSums(each.mode, numbers);
        }
        sayAll("every level done" + from, done);
        // The longest verdict of many full figures: lines off, or lines agreeing on a sum no
        // arrangement has, which then names every sum that can be.
        Game longest = solved;
        for (int trial = 0; trial < 400; ++trial) {
            const std::vector<int> numbers = ShuffledByHand(slots, random);
            Game game = listed;
            for (int slot = 0; slot < slots; ++slot)
                game = DropNumber(std::move(game), numbers[std::size_t(slot)],
                                  PositionOfSlot(figure.mode, slot));
            if (StatusOf(game).size() > StatusOf(longest).size())
                longest = std::move(game);
        }
        sayAll("longest verdict" + from, longest);
        for (int trial = 0; trial < 6; ++trial) {
            const std::vector<int> numbers = ShuffledByHand(slots, random);
            Game game = listed;
            for (int slot = 0; slot < slots; ++slot)
                if (trial % 2 == 0 || random() % 3 != 0)
                    game = DropNumber(std::move(game), numbers[std::size_t(slot)],
                                      PositionOfSlot(figure.mode, slot));
            const std::string placed = "random placement " + std::to_string(trial) + from;
            sayAll(placed, game);
            for (int press = 1; press <= 12; ++press) {
                const HintClaim claim = NextHint(game.practice);
                const GameHint hint = AskHint(game);
                said.emplace_back(placed + ", hint " + std::to_string(press), hint.status);
                if (claim.kind == HintKind::Solved || claim.kind == HintKind::AllFound)
                    break;
                game = FollowHint(hint.game, claim);
                sayAll(placed + ", hint " + std::to_string(press) + " followed", game);
            }
        }
    }
    return said;
}

} // namespace

TEST_CASE("every hint and verdict shows whole in the status box, in letters a pupil reads") {
    for (Language language : kLanguages) {
        // The box has room for the longest text of every language a pupil can choose; the
        // pseudo-language's, longer than any, may outgrow it even in the smallest letters.
        const bool shipped = language != Language::Pseudo;
        const InLanguage in(language);
        CAPTURE(LanguageCode(language));
        for (const Figure& figure : Figures()) {
            const auto said = StatusTexts(figure);
            for (const Screen& screen : kScreens) {
                CAPTURE(Where(figure, screen));
                const BoardLayout layout =
                    LayOutBoard(BoardContentOf(figure.mode, SlotCount(figure.mode)), screen.width,
                                screen.height);
                const double normal = layout.fonts.status;
                const double room = layout.status.width - 2 * kStatusPadding;
                for (const auto& one : said) {
                    // Named, not a structured binding: older clangs cannot capture one in
                    // CAPTURE.
                    const std::string& state = one.first;
                    const std::string& text = one.second;
                    CAPTURE(state);
                    CAPTURE(text);
                    const double font = BoardStatusFont(layout, text);
                    const int lines = WrappedLines(text, font, room);
                    CHECK(lines > 0);
                    if (shipped)
                        CHECK(lines * 1.25 * font <= layout.status.height + 1e-6);
                    // Smaller only when the text needs it, and never below four fifths of
                    // the board's status letters or 12 pixels.
                    CHECK(font <= normal);
                    CHECK(font >= std::max(12.0, 0.8 * normal) - 1e-9);
                    if (const int at = WrappedLines(text, normal, room);
                        at > 0 && at * 1.25 * normal <= layout.status.height)
                        CHECK(font == normal);
                }
            }
        }
    }
}

TEST_CASE("every sum stands nearer its own line than any other line") {
    for (const Figure& figure : Figures())
        for (const Screen& screen : kScreens) {
            CAPTURE(Where(figure, screen));
            const BoardLayout layout =
                LayOutBoard(BoardContentOf(figure.mode, 0), screen.width, screen.height);
            for (std::size_t own = 0; own < figure.lines.size(); ++own) {
                CAPTURE(figure.lines[own].name);
                const double x = layout.sums[own].CentreX(), y = layout.sums[own].CentreY();
                const double mine = DistanceToLine(figure, figure.lines[own], layout, x, y);
                for (std::size_t other = 0; other < figure.lines.size(); ++other)
                    if (other != own) {
                        CAPTURE(figure.lines[other].name);
                        CHECK(mine < DistanceToLine(figure, figure.lines[other], layout, x, y));
                    }
                // And near it: no farther from its nearest place than the figure is wide
                // over four.
                double nearest = 1e18;
                for (int cell : figure.lines[own].cells) {
                    const BoardRect& p = layout.places[std::size_t(cell / figure.cellsPerPlace)];
                    nearest = std::min(nearest, std::hypot(p.CentreX() - x, p.CentreY() - y));
                }
                CHECK(nearest < layout.figure.width / 4 + layout.places[0].width);
            }
        }
}

TEST_CASE("on a whiteboard the figure, its numbers and the hint are large enough for a class") {
    const Screen whiteboard{1920, 1080};
    for (const Figure& figure : Figures()) {
        CAPTURE(figure.key);
        const BoardLayout layout =
            LayOutBoard(BoardContentOf(figure.mode, 0), whiteboard.width, whiteboard.height);
        double top = 1e18, bottom = 0;
        for (const BoardRect& r : layout.places) {
            top = std::min(top, r.y);
            bottom = std::max(bottom, r.Bottom());
        }
        CHECK(bottom - top >= 0.6 * whiteboard.height);
        CHECK(layout.fonts.place >= 0.04 * whiteboard.height);
        CHECK(layout.fonts.status >= 0.025 * whiteboard.height);
    }
}

TEST_CASE("arrow keys go through the places in reading order and round") {
    for (const Figure& figure : Figures()) {
        CAPTURE(figure.key);
        const BoardLayout layout = LayOutBoard(BoardContentOf(figure.mode, 0), 1024, 768);
        std::vector<bool> seen(layout.places.size(), false);
        int place = layout.readingOrder.front();
        double lastY = -1e18;
        for (std::size_t i = 0; i < layout.places.size(); ++i) {
            REQUIRE(place >= 0);
            CHECK_FALSE(seen[std::size_t(place)]);
            seen[std::size_t(place)] = true;
            const BoardRect& r = layout.places[std::size_t(place)];
            CHECK(r.CentreY() >= lastY - layout.fonts.place); // never back up a row
            lastY = r.CentreY();
            place = NextInReadingOrder(layout, place, +1);
        }
        CHECK(place == layout.readingOrder.front());
        CHECK(NextInReadingOrder(layout, place, -1) == layout.readingOrder.back());
    }
}

namespace {

// A game in practice on `figure` from `start`, with `cells` (number index per slot, -1
// empty) placed as a pupil would, by tapping a number and then its place.
Game PracticeGame(FigureMode figure, int start, const std::vector<int>& cells = {}) {
    Game game = ChooseFigure(StartGame(PlayMode::Practice), static_cast<std::int16_t>(figure));
    game = Compute(TypeStartText(std::move(game), std::to_string(start))).game;
    for (std::size_t slot = 0; slot < cells.size(); ++slot)
        if (cells[slot] >= 0)
            game = DropNumber(std::move(game), cells[slot], PositionOfSlot(figure, int(slot)));
    return game;
}

// Where each number stands, as the pupil sees it: position per number, or -1.
std::vector<int> PositionsOfNumbers(const Practice& p) {
    std::vector<int> at(p.numbers.size(), -1);
    for (std::size_t slot = 0; slot < p.placed.size(); ++slot)
        if (p.placed[slot] >= 0)
            at[std::size_t(p.placed[slot])] = PositionOfSlot(p.figure, int(slot));
    return at;
}

// A line's sum from the expected lines, full or not.
long long LineSum(const Practice& p, std::size_t line) {
    long long total = 0;
    for (int slot : ExpectedLines(p.figure)[line])
        if (const int index = p.placed[std::size_t(slot)]; index >= 0)
            total += p.numbers[std::size_t(index)];
    return total;
}

int Held(const std::vector<int>& at, int position) {
    return int(std::count(at.begin(), at.end(), position));
}

} // namespace

TEST_CASE("a drag never loses a number: it lands where it is dropped, a full place swaps") {
    std::mt19937 random(5);
    for (const Figure& figure : Figures()) {
        CAPTURE(figure.key);
        const int slots = SlotCount(figure.mode), positions = PositionCount(figure.mode);
        for (int trial = 0; trial < 60; ++trial) {
            // A random half-filled board.
            std::vector<int> cells(static_cast<std::size_t>(slots), -1);
            std::vector<int> numbers(static_cast<std::size_t>(slots));
            std::iota(numbers.begin(), numbers.end(), 0);
            std::shuffle(numbers.begin(), numbers.end(), random);
            for (int slot = 0; slot < slots; ++slot)
                if (random() % 3 != 0)
                    cells[std::size_t(slot)] = numbers[std::size_t(slot)];
            const Game before = PracticeGame(figure.mode, 1 + trial * 16, cells);
            const std::vector<int> was = PositionsOfNumbers(before.practice);
            const int index = int(random() % unsigned(slots));
            const int target = int(random() % unsigned(positions));
            const Game after = DropNumber(before, index, target);
            const std::vector<int> now = PositionsOfNumbers(after.practice);
            CAPTURE(index);
            CAPTURE(target);
            CHECK(now[std::size_t(index)] == target);
            const int capacity = figure.cellsPerPlace;
            const bool full = Held(was, target) == capacity && was[std::size_t(index)] != target;
            for (int other = 0; other < slots; ++other) {
                if (other == index)
                    continue;
                CAPTURE(other);
                const int from = was[std::size_t(other)];
                if (from != target || !full) {
                    CHECK(now[std::size_t(other)] == from); // no one else moved
                    continue;
                }
                // The place was full: its last number made way, to where the dragged number
                // came from, or back to the tiles when it came from there.
                if (now[std::size_t(other)] != target)
                    CHECK(now[std::size_t(other)] == was[std::size_t(index)]);
            }
            CHECK(BrokenGameInvariant(after) == "");
            // Given back, the number is free and nothing else moves.
            const Game back = ReturnNumber(after, index);
            std::vector<int> expected = PositionsOfNumbers(after.practice);
            expected[std::size_t(index)] = -1;
            CHECK(PositionsOfNumbers(back.practice) == expected);
        }
    }
}

TEST_CASE("the board shows the numbers where they are, each sum against brute force") {
    std::mt19937 random(9);
    for (const Figure& figure : Figures()) {
        CAPTURE(figure.key);
        const int slots = SlotCount(figure.mode);
        for (int trial = 0; trial < 40; ++trial) {
            std::vector<int> cells(static_cast<std::size_t>(slots));
            std::iota(cells.begin(), cells.end(), 0);
            std::shuffle(cells.begin(), cells.end(), random);
            if (trial % 2)
                cells[std::size_t(random() % unsigned(slots))] = -1;
            const Game game = PracticeGame(figure.mode, 1 + trial * 24, cells);
            const BoardView view = ViewBoard(game);
            const std::vector<int> at = PositionsOfNumbers(game.practice);
            REQUIRE(view.tiles.size() == game.practice.numbers.size());
            for (std::size_t i = 0; i < view.tiles.size(); ++i) {
                CHECK(view.tiles[i].text == std::to_string(game.practice.numbers[i]));
                CHECK((view.tiles[i].state == TileState::Placed) == (at[i] >= 0));
                CHECK((view.tiles[i].spoken.find("на фигурата") != std::string::npos) ==
                      (at[i] >= 0));
                if (at[i] >= 0)
                    CHECK(view.places[std::size_t(at[i])].text.find(view.tiles[i].text) !=
                          std::string::npos);
            }
            for (const BoardPlace& place : view.places)
                CHECK(place.spoken.find(place.text.empty() ? "празно" : place.text) !=
                      std::string::npos);
            const std::optional<bool> equal = BruteForceEqual(game.practice);
            // Every judged line is measured against one reference: its sum less its
            // difference (✓: none) is the same for all; a full unequal figure shows one off.
            std::set<long long> references;
            bool anyOff = false;
            for (std::size_t line = 0; line < view.sums.size(); ++line) {
                const BoardSum& sum = view.sums[line];
                // A sum marked off says by how much, one marked equal says so.
                CHECK((sum.mark == LineMark::Off) == (!sum.detail.empty() && sum.detail != "✓"));
                CHECK((sum.mark == LineMark::Equal) == (sum.detail == "✓"));
                if (sum.detail.empty())
                    continue;
                REQUIRE(sum.sum == std::to_string(LineSum(game.practice, line)));
                const bool off = sum.detail != "✓";
                anyOff = anyOff || off;
                CHECK((sum.mark == LineMark::Off) == off);
                const long long difference =
                    off ? (sum.detail.rfind("−", 0) == 0 ? -1 : 1) *
                              std::stoll(sum.detail.substr(sum.detail.rfind("−", 0) == 0 ? 3 : 1))
                        : 0;
                references.insert(std::stoll(sum.sum) - difference);
            }
            CHECK(references.size() <= 1);
            if (equal)
                CHECK(anyOff == !*equal);
            CHECK(view.chips.size() == game.practice.possibleSums.size());
            const auto found = std::count_if(view.chips.begin(), view.chips.end(),
                                             [](const BoardChip& c) { return c.found; });
            CHECK(std::size_t(found) == game.practice.foundSums.size());
        }
    }
}

TEST_CASE("the start box, and the question before placed numbers are lost") {
    struct Case {
        std::string before, typed, kept;
        bool noted;
    };
    for (const Case& c : std::vector<Case>{{"", "7", "7", false},
                                           {"99", "999", "999", false},
                                           {"100", "1000", "100", true},
                                           {"12", "12a", "12a", false},
                                           {"999", "9999", "999", true}}) {
        CAPTURE(c.typed);
        const StartBoxEdit edit = EditStartBox(c.before, c.typed);
        CHECK(edit.text == c.kept);
        CHECK(edit.note.empty() == !c.noted);
    }
    CHECK_FALSE(WouldLosePlacement(PracticeGame(FigureMode::Star, 5)));
    CHECK(WouldLosePlacement(PracticeGame(FigureMode::Star, 5, {3})));
    CHECK_FALSE(WouldLosePlacement(StartGame(PlayMode::Demonstration)));
}
