// SPDX-License-Identifier: GPL-3.0-or-later
// What changes with the language: every letter of each alphabet capitalised as that
// language does, each hint naming a place in the case its sentence takes, the names a
// worksheet offers following a switch of language, nothing left in Bulgarian where a
// translation exists, lists in each language's words, and a text the catalog does not
// hold coming back as it is.
#include "puzzle/board.h"
#include "puzzle/board_view.h"
#include "puzzle/catalog.h"
#include "puzzle/coach.h"
#include "puzzle/figure.h"
#include "puzzle/game.h"
#include "puzzle/practice.h"
#include "puzzle/worksheet.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace velmora;

namespace {

// Restores Bulgarian after a test that switched the language.
struct InLanguage {
    explicit InLanguage(Language language) { SetLanguage(language); }
    ~InLanguage() { SetLanguage(Language::Bulgarian); }
    InLanguage(const InLanguage&) = delete;
    InLanguage& operator=(const InLanguage&) = delete;
};

} // namespace

namespace {

// A code point as UTF-8, worked out here apart from the code under test.
std::string Utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
    return out;
}

} // namespace

TEST_CASE("every small letter of each language's alphabet starts a sentence as its capital") {
    struct Pair {
        char32_t small, capital;
    };
    // Each alphabet's letters by their code points: Cyrillic а–я is А–Я 0x20 lower, Latin
    // a–z likewise; the rest by hand, and Turkish i with its dot kept (İ), ı without (I).
    const auto range = [](char32_t from, char32_t to, char32_t shift) {
        std::vector<Pair> pairs;
        for (char32_t c = from; c <= to; ++c)
            pairs.push_back({c, c - shift});
        return pairs;
    };
    std::vector<Pair> cyrillic = range(U'а', U'я', 0x20);
    std::vector<Pair> ukrainian = cyrillic;
    ukrainian.insert(ukrainian.end(), {{U'є', U'Є'}, {U'і', U'І'}, {U'ї', U'Ї'}, {U'ґ', U'Ґ'}});
    std::vector<Pair> latin = range(U'a', U'z', 0x20);
    std::vector<Pair> turkish;
    for (const Pair& pair : latin)
        if (pair.small != U'i')
            turkish.push_back(pair);
    turkish.insert(turkish.end(), {{U'i', U'İ'},
                                   {U'ı', U'I'},
                                   {U'ç', U'Ç'},
                                   {U'ğ', U'Ğ'},
                                   {U'ö', U'Ö'},
                                   {U'ş', U'Ş'},
                                   {U'ü', U'Ü'}});
    const std::vector<std::pair<Language, std::vector<Pair>>> alphabets{
        {Language::Bulgarian, cyrillic},
        {Language::English, latin},
        {Language::Ukrainian, ukrainian},
        {Language::Turkish, turkish},
        {Language::Pseudo, cyrillic}};
    for (const auto& alphabet : alphabets) {
        const InLanguage in(alphabet.first);
        CAPTURE(LanguageCode(alphabet.first));
        for (const Pair& pair : alphabet.second) {
            const std::string small = Utf8(pair.small), capital = Utf8(pair.capital);
            CAPTURE(small);
            CHECK(Capital(small + "ма 7") == capital + "ма 7");
            CHECK(Capital(capital + "ма") == capital + "ма"); // a capital stays
        }
    }
}

namespace {

// The place's name in a form, in the current language.
std::string FormOf(const Figure& figure, int position, Message FigurePlace::*form) {
    return Tr(figure.places[std::size_t(position)].*form);
}

} // namespace

// A place is named in the case its sentence takes: where a number goes («to the top
// corner»), where it is («in the top corner») and where it moves from. In Bulgarian the
// first two read alike, so only the other languages tell a wrong form.
TEST_CASE("every hint names a place in the form its sentence takes, in every language") {
    std::mt19937 random(41);
    for (const Figure& figure : Figures()) {
        CAPTURE(figure.key);
        std::set<HintKind> seen;
        const int slots = SlotCount(figure.mode);
        for (int trial = 0; trial < 300; ++trial) {
            // A random placement, full or not, from a random start.
            std::vector<std::string> series;
            const int start = 1 + int(random() % 999);
            for (int i = 0; i < slots; ++i)
                series.push_back(std::to_string(start + i));
            Practice practice = NewPractice(figure.mode, series);
            std::vector<int> numbers(std::size_t(slots), 0);
            std::iota(numbers.begin(), numbers.end(), 0);
            std::shuffle(numbers.begin(), numbers.end(), random);
            const int filled = int(random() % unsigned(slots + 1));
            for (int slot = 0; slot < filled; ++slot)
                practice = Place(std::move(practice), numbers[std::size_t(slot)],
                                 PositionOfSlot(figure.mode, slot));
            // Step 3 is reached by asking twice first.
            for (int ask = int(random() % 3); ask > 0; --ask)
                practice = Hint(std::move(practice)).practice;
            const HintClaim claim = NextHint(practice);
            seen.insert(claim.kind);
            for (Language language : ShippedLanguages()) {
                const InLanguage in(language);
                CAPTURE(LanguageCode(language));
                const std::string text = HintText(practice, claim);
                CAPTURE(text);
                const auto has = [&](Message FigurePlace::*form, int position) {
                    return text.find(FormOf(figure, position, form)) != std::string::npos;
                };
                switch (claim.kind) {
                case HintKind::Place:
                    CHECK(has(&FigurePlace::into, claim.position));
                    break;
                case HintKind::Blocking:
                case HintKind::OffTarget:
                    CHECK(has(&FigurePlace::at, claim.position));
                    break;
                case HintKind::Move:
                    CHECK(has(&FigurePlace::from, claim.position));
                    CHECK(has(&FigurePlace::into, claim.target));
                    break;
                default:
                    break;
                }
            }
        }
        // The kinds that name a place came up on this figure (the rhombus's pairs are
        // named by their numbers instead).
        CHECK(seen.count(HintKind::Place) == 1);
        if (figure.idea != FigureIdea::Pairs)
            CHECK(seen.count(HintKind::Move) + seen.count(HintKind::Blocking) +
                      seen.count(HintKind::OffTarget) >=
                  1);
    }
}

TEST_CASE("the worksheet's figures are named in the language in use, whichever came first") {
    for (const std::vector<Language>& order :
         {std::vector<Language>{Language::Bulgarian, Language::English, Language::Ukrainian,
                                Language::Turkish, Language::Bulgarian},
          std::vector<Language>{Language::Turkish, Language::Pseudo, Language::English}})
        for (Language language : order) {
            const InLanguage in(language);
            CAPTURE(LanguageCode(language));
            const std::vector<SheetChoice>& choices = SheetChoices();
            REQUIRE(choices.size() == Figures().size() + 2);
            for (std::size_t i = 0; i < Figures().size(); ++i)
                CHECK(choices[i].title == Tr(Figures()[i].title));
        }
}

namespace {

// Whether the text has a Cyrillic letter (U+0400 to U+04FF: UTF-8 lead bytes D0 to D3).
bool HasCyrillic(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0xD0 && byte <= 0xD3;
    });
}

// Every text kept as data on the figure: its title, its places in their four forms, its
// lines by name and whose sum, and its sentences.
std::vector<Message> MessagesOf(const Figure& figure) {
    std::vector<Message> messages{figure.title};
    for (const FigurePlace& place : figure.places)
        messages.insert(messages.end(), {place.name, place.into, place.at, place.from});
    for (const FigureLine& line : figure.lines)
        messages.insert(messages.end(), {line.name, line.whose});
    const FigureTexts& t = figure.texts;
    for (const Message& text :
         {t.solved, t.solutionShown, t.manyOff, t.mustHave, t.keysNeed, t.keysTogether, t.tryKeys,
          t.everyMust, t.everyMustKeys, t.whySolved, t.whyIf, t.idea, t.sheetTask, t.sheetAnyEqual})
        if (!text.empty())
            messages.push_back(text);
    return messages;
}

} // namespace

// A message found under another key than the code asks for (a context lost on the way to
// the catalog, a text changed in the code but not in the catalog) comes back in Bulgarian:
// in a language written in Latin letters that shows as Cyrillic.
TEST_CASE("in English and Turkish nothing a figure or the board says is left in Bulgarian") {
    for (Language language : {Language::English, Language::Turkish}) {
        const InLanguage in(language);
        CAPTURE(LanguageCode(language));
        for (const Figure& figure : Figures()) {
            CAPTURE(figure.key);
            for (const Message& message : MessagesOf(figure)) {
                CAPTURE(message.text);
                CHECK_FALSE(HasCyrillic(Tr(message)));
            }
        }
        const Game game = StartGame(PlayMode::Practice);
        for (int command = 0; command <= int(BoardCommand::Demonstration); ++command) {
            CAPTURE(command);
            CHECK_FALSE(HasCyrillic(BoardLabel(BoardCommand(command), game)));
            CHECK_FALSE(HasCyrillic(BoardHelp(BoardCommand(command), game)));
        }
    }
}

TEST_CASE("a list of numbers and a list of choices in each language's own words") {
    struct Case {
        Language language;
        const char* all;     // 7, 8 and 9
        const char* choices; // 28, 29 or 30
    };
    for (const Case& c : std::vector<Case>{{Language::Bulgarian, "7, 8 и 9", "28, 29 или 30"},
                                           {Language::English, "7, 8 and 9", "28, 29 or 30"},
                                           {Language::Ukrainian, "7, 8 і 9", "28, 29 або 30"},
                                           {Language::Turkish, "7, 8 ve 9", "28, 29 veya 30"}}) {
        const InLanguage in(c.language);
        CAPTURE(LanguageCode(c.language));
        CHECK(JoinAnd({"7", "8", "9"}) == c.all);
        CHECK(JoinOr({"28", "29", "30"}) == c.choices);
        CHECK(JoinOr({"28"}) == "28");
    }
}

// A text the catalog does not hold (Qt's own, which the window's translator passes on to
// the catalog, or a known text under a context of its own) comes back as it is: never the
// neighbouring message of the sorted catalog.
TEST_CASE("a text the catalog does not hold comes back unchanged in every language") {
    for (Language language : ShippedLanguages()) {
        const InLanguage in(language);
        CAPTURE(LanguageCode(language));
        for (const char* text :
             {"QT_LAYOUT_DIRECTION", "&Yes", "Cancel", "", "Ж", "ﬀ", "Няма такова съобщение"}) {
            CAPTURE(text);
            CHECK(Tr(text) == text);
        }
        CHECK(TrC("no such context", "Подсказка") == "Подсказка");
        CHECK(TrN("няма {count} такъв", "няма {count} такива", 5) == "няма {count} такива");
    }
}

// The pseudo-language stands in for a translation in the layout tests: a count's text takes
// the form of its count there too (by Bulgarian's rule), so the longer plural is measured.
TEST_CASE("the pseudo-language takes a counted message's form by its count") {
    const InLanguage in(Language::Pseudo);
    for (std::int64_t count : {0, 1, 2, 5, 11, 21}) {
        CAPTURE(count);
        const std::string text = TrN("{count} страна", "{count} страни", count);
        CHECK(text.find(count == 1 ? "стрӓнӓ" : "стрӓнӣ") != std::string::npos);
        CHECK(text.find("{count}") != std::string::npos);
    }
}
