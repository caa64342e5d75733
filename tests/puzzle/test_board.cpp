// SPDX-License-Identifier: GPL-3.0-or-later
// The practice board's layout, over every figure and the screens a class meets: a phone
// in portrait, a tablet, a lab PC, an old projector and a whiteboard.
#include "puzzle/board.h"
#include "puzzle/figure.h"

#include <doctest/doctest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace velmora;

namespace {

struct Screen {
    double width, height;
};
const std::vector<Screen> kScreens{{360, 640}, {768, 1024}, {1024, 768}, {1920, 1080}, {800, 600}};

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
    for (const Figure& figure : Figures())
        for (const Screen& screen : kScreens) {
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
            for (const auto* targets : {&layout.places, &layout.tiles})
                for (const BoardRect& r : *targets) {
                    CHECK(r.width >= kFingerTarget);
                    CHECK(r.height >= kFingerTarget);
                }
            for (const BoardButton& button : layout.buttons)
                CHECK(button.box.height >= kFingerTarget);
            CHECK(layout.fonts.sum >= kSumToNumber * layout.fonts.place);
            // A drop at a place's centre lands on that place.
            for (std::size_t p = 0; p < layout.places.size(); ++p)
                CHECK(BoxAt(layout.places, layout.places[p].CentreX(),
                            layout.places[p].CentreY()) == int(p));
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
