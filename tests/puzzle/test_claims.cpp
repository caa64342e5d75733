// SPDX-License-Identifier: GPL-3.0-or-later
// What «Защо става?» and the verdicts claim, read against the numbers on the figure and
// the figure's own lines (counted from the expected lines, not the code's), on every
// figure, solved and not.
#include "game_invariants.h"
#include "puzzle/coach.h"
#include "puzzle/figure.h"
#include "puzzle/game.h"
#include "puzzle/practice.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <vector>

using namespace velmora;
using namespace velmora::testing;

namespace {

Practice Placed(FigureMode figure, int start, const std::vector<int>& cells) {
    std::vector<std::string> series;
    for (int i = 0; i < SlotCount(figure); ++i)
        series.push_back(std::to_string(start + i));
    Practice p = NewPractice(figure, series);
    for (std::size_t s = 0; s < cells.size(); ++s)
        p = Place(std::move(p), cells[s], PositionOfSlot(figure, int(s)));
    return p;
}

// On how many expected lines each slot lies.
std::vector<int> LinesThrough(FigureMode figure) {
    std::vector<int> count(std::size_t(SlotCount(figure)), 0);
    for (const auto& line : ExpectedLines(figure))
        for (int slot : line)
            ++count[std::size_t(slot)];
    return count;
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Every "a + b = c", "a = k × b" and "2 × a = b" in the text holds.
void CheckArithmetic(const std::string& text) {
    static const std::regex sum(R"((\d+) \+ (\d+) = (\d+))");
    static const std::regex product(R"((\d+) = (\d+) × (\d+))");
    static const std::regex twice(R"((\d+) × (\d+) = (\d+))");
    for (std::sregex_iterator m(text.begin(), text.end(), sum), end; m != end; ++m)
        CHECK(std::stoll((*m)[1]) + std::stoll((*m)[2]) == std::stoll((*m)[3]));
    for (std::sregex_iterator m(text.begin(), text.end(), product), end; m != end; ++m)
        CHECK(std::stoll((*m)[1]) == std::stoll((*m)[2]) * std::stoll((*m)[3]));
    for (std::sregex_iterator m(text.begin(), text.end(), twice), end; m != end; ++m)
        CHECK(std::stoll((*m)[1]) * std::stoll((*m)[2]) == std::stoll((*m)[3]));
}

} // namespace

TEST_CASE("«Защо става?» is true of the figure on the screen") {
    std::mt19937 random(23);
    for (const Figure& figure : Figures()) {
        CAPTURE(figure.key);
        const int slots = SlotCount(figure.mode);
        const std::vector<int> through = LinesThrough(figure.mode);
        std::vector<int> cells(static_cast<std::size_t>(slots));
        std::iota(cells.begin(), cells.end(), 0);
        const std::vector<std::vector<int>> solutions = Solutions(Placed(figure.mode, 1, {}));
        for (int trial = 0; trial < 30; ++trial) {
            // Half of them solved, half a random full figure.
            if (trial % 2)
                cells = solutions[std::size_t(random() % solutions.size())];
            else
                std::shuffle(cells.begin(), cells.end(), random);
            const int start = 1 + int(random() % 999);
            const Practice p = Placed(figure.mode, start, cells);
            const std::string why = WhyText(p);
            CAPTURE(why);
            std::vector<long long> sums;
            const bool solved = BruteForceEqual(p, &sums).value();
            long long total = 0;
            for (std::int32_t n : p.numbers)
                total += n;
            CHECK(Has(why, "Сумата на всички числа е " + std::to_string(total)));
            CheckArithmetic(why);
            // "Затова всяка … има сума S" stands unconditioned only beside a solved figure,
            // and then S is its sum.
            static const std::regex so(R"(Затова ([^,.]+) има сума (\d+))");
            for (std::sregex_iterator m(why.begin(), why.end(), so), end; m != end; ++m) {
                CHECK(solved);
                CHECK(std::stoll((*m)[2]) == sums.front());
            }
            if (!solved)
                CHECK((Has(why, "ако") || Has(why, "Ако")));
            // Each idea claims how the lines hold the numbers: counted from the lines.
            if (Has(why, "Всяко число е на две линии"))
                CHECK(std::all_of(through.begin(), through.end(), [](int n) { return n == 2; }));
            if (Has(why, "заедно съдържат всяко число веднъж")) {
                std::vector<int> rows(std::size_t(slots), 0);
                for (std::size_t line = 0; line < 3; ++line)
                    for (int slot : ExpectedLines(figure.mode)[line])
                        ++rows[std::size_t(slot)];
                CHECK(std::all_of(rows.begin(), rows.end(), [](int n) { return n == 1; }));
            }
            if (Has(why, "два пъти, а всяко друго число – веднъж")) {
                const auto twice = std::count(through.begin(), through.end(), 2);
                CHECK(twice ==
                      std::count_if(through.begin(), through.end(), [](int n) { return n != 1; }));
                CHECK(twice == long(figure.keyPlaces.size()));
            }
            if (Has(why, "Двойките") || Has(why, "двойките"))
                for (const auto& line : ExpectedLines(figure.mode))
                    CHECK(line.size() == 2);
        }
    }
}

TEST_CASE("a verdict names whose sum each line is compared with, and by how much") {
    std::mt19937 random(31);
    for (const Figure& figure : Figures()) {
        CAPTURE(figure.key);
        // A solution with two numbers swapped: a few lines off, which the verdict reads out
        // line by line, on every standard library alike.
        const std::vector<std::vector<int>> solutions = Solutions(Placed(figure.mode, 1, {}));
        const unsigned slots = unsigned(SlotCount(figure.mode));
        int checked = 0;
        for (int trial = 0; trial < 200 && checked < 25; ++trial) {
            std::vector<int> cells = solutions[random() % solutions.size()];
            std::swap(cells[random() % slots], cells[random() % slots]);
            const Practice p = Placed(figure.mode, 1 + int(random() % 999), cells);
            std::vector<long long> sums;
            if (BruteForceEqual(p, &sums).value())
                continue;
            const std::string verdict = VerdictText(p);
            CAPTURE(verdict);
            if (Has(verdict, "Виж червените числа"))
                continue; // many lines off: counted, not read out
            ++checked;
            // "… от сумата на X (R)", "… от сумите на X и на Y (R)" or "… от R (сумата, която
            // трябва да има …)": the reference R, and lines that have it.
            static const std::regex owner(R"(от сум(?:ата|ите) (.+?) \((\d+)\))");
            static const std::regex required(R"(от (\d+) \(сумата, която трябва)");
            std::smatch m;
            long long reference = 0;
            if (std::regex_search(verdict, m, owner)) {
                reference = std::stoll(m[2]);
                int named = 0;
                for (std::size_t line = 0; line < figure.lines.size(); ++line)
                    if (Has(m[1].str() + " ", velmora::Tr(figure.lines[line].whose) + " ") ||
                        Has(m[1].str() + ",", velmora::Tr(figure.lines[line].whose) + ",")) {
                        CHECK(sums[line] == reference);
                        ++named;
                    }
                CHECK(named > 0);
            } else {
                REQUIRE(std::regex_search(verdict, m, required));
                reference = std::stoll(m[1]);
                CHECK(PossibleSums(figure.mode, p.numbers).size() == 1);
                CHECK(PossibleSums(figure.mode, p.numbers).front() == reference);
            }
            // Every line said to be off is off by what is said.
            for (std::size_t line = 0; line < figure.lines.size(); ++line) {
                const std::string& where = velmora::Tr(figure.lines[line].whose);
                const std::regex off(where + R"((?: е)? – с (\d+) по-(малка|голяма))");
                const std::regex first("Сумата " + where + R"( е с (\d+) по-(малка|голяма))");
                if (std::regex_search(verdict, m, first) || std::regex_search(verdict, m, off)) {
                    const long long by = std::stoll(m[1]) * (m[2] == "малка" ? -1 : 1);
                    CHECK(sums[line] - reference == by);
                }
            }
        }
        CHECK(checked > 0);
    }
}

TEST_CASE("a sum is named as found only when the pupil made it with the numbers on show") {
    // Sums found with the numbers from 1, then a new start: counted for the level, never
    // named as if made with the new numbers; a solution shown is no sum made either.
    struct Case {
        FigureMode figure;
        std::vector<std::vector<int>> solvedFrom1; // solutions the pupil made from 1
        int newStart;
    };
    for (const Case& c : std::vector<Case>{
             {FigureMode::Triangle, {{0, 1, 2, 3, 4, 5}, {3, 1, 5, 2, 0, 4}}, 7},
             {FigureMode::V, {{0, 3, 4, 2, 1}}, 7},
         }) {
        CAPTURE(FigureOf(c.figure).key);
        Game game = ChooseFigure(StartGame(PlayMode::Practice), std::int16_t(c.figure));
        game = Compute(TypeStartText(std::move(game), "1")).game;
        std::vector<long long> made;
        for (const auto& cells : c.solvedFrom1) {
            game = Clear(std::move(game));
            game = Compute(TypeStartText(std::move(game), "1")).game;
            for (std::size_t slot = 0; slot < cells.size(); ++slot)
                game =
                    DropNumber(std::move(game), cells[slot], PositionOfSlot(c.figure, int(slot)));
            std::vector<long long> sums;
            REQUIRE(BruteForceEqual(game.practice, &sums).value());
            made.push_back(sums.front());
        }
        game = Compute(TypeStartText(std::move(game), std::to_string(c.newStart))).game;
        game = RevealSolution(std::move(game));
        for (const std::string& text : {StatusOf(game), AskHint(game).status}) {
            CAPTURE(text);
            // No sum of the new numbers is named as found: only counted.
            CHECK_FALSE(Has(text, "Намерени суми"));
            CHECK(Has(text, std::to_string(made.size()) + " от "));
            for (long long sum : made) // nor the old ones, as if made now
                CHECK_FALSE(Has(text, "Намерени суми с тези числа: " + std::to_string(sum)));
        }
    }
}

TEST_CASE("a line is marked right only at a sum some arrangement can have") {
    // Every full placement of the V, the triangle and the rhombus: lines that agree on a
    // sum the series cannot have (13 on a triangle of 1…6) get no tick, and the verdict
    // says which sums can be: those of the placements whose sums come out equal.
    for (FigureMode figure : {FigureMode::V, FigureMode::Triangle, FigureMode::Rhombus}) {
        CAPTURE(FigureOf(figure).key);
        std::vector<int> cells(static_cast<std::size_t>(SlotCount(figure)));
        std::iota(cells.begin(), cells.end(), 0);
        std::set<long long> equalSums;
        do {
            std::vector<long long> sums;
            if (BruteForceEqual(Placed(figure, 1, cells), &sums).value())
                equalSums.insert(sums.front());
        } while (std::next_permutation(cells.begin(), cells.end()));
        std::string canBe;
        for (const long long sum : equalSums)
            canBe += (canBe.empty()                ? ""
                      : sum == *equalSums.rbegin() ? " и "
                                                   : ", ") +
                     std::to_string(sum);
        const std::vector<std::int64_t> possible =
            PossibleSums(figure, Placed(figure, 1, {}).numbers);
        int impossibleShared = 0, offFromPossible = 0;
        do {
            const Practice p = Placed(figure, 1, cells);
            std::vector<long long> sums;
            if (BruteForceEqual(p, &sums).value())
                continue;
            bool sharedImpossible = false;
            for (std::size_t line = 0; line < sums.size(); ++line) {
                const bool can = std::binary_search(possible.begin(), possible.end(), sums[line]);
                if (LineMarkOf(p, int(line)) == LineMark::Equal)
                    CHECK(can);
                if (!can && std::count(sums.begin(), sums.end(), sums[line]) > 1)
                    sharedImpossible = true;
            }
            // The lines measured against are as many as share any one sum, and share one
            // the numbers can have whenever that many lines do: the lines called off are
            // the ones to change.
            std::map<long long, int> shared;
            for (const long long sum : sums)
                ++shared[sum];
            int most = 0;
            bool mostCanBe = false;
            for (const auto& [sum, lines] : shared)
                most = std::max(most, lines);
            for (const auto& [sum, lines] : shared)
                mostCanBe = mostCanBe || (lines == most && equalSums.count(sum) > 0);
            const Verdict verdict = Judge(p);
            if (!verdict.onlySum) // else the one sum the numbers allow
                CHECK(shared[verdict.sum] == most);
            if (mostCanBe) {
                ++offFromPossible;
                CHECK(equalSums.count(verdict.sum) > 0);
            }
            if (sharedImpossible && verdict.differences.size() > 2 && !verdict.referencePossible) {
                ++impossibleShared;
                CHECK(Has(VerdictText(p), "не е възможна"));
                CHECK(Has(VerdictText(p), "Възможни са сумите " + canBe + "."));
            }
        } while (std::next_permutation(cells.begin(), cells.end()));
        if (figure == FigureMode::Triangle)
            CHECK(impossibleShared > 0); // the case arises, and was checked
        CHECK(offFromPossible > 0);
    }
}
