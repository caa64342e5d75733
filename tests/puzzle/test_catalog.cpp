// SPDX-License-Identifier: GPL-3.0-or-later
// The catalog's machinery: plural rules, placeholders, language tags and capitals, in every
// language; and messages that reach the pupil in each language's own words.

#include "in_language.h"
#include "puzzle/catalog.h"
#include "puzzle/catalog_data.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace velmora;

namespace {

// Ukrainian by the grammar books: one for 1, 21, 101 but not 11; "few" for 2–4, 22–24
// but not 12–14; "many" for the rest.
int UkrainianByHand(std::int64_t n) {
    const std::int64_t last = n % 10, lastTwo = n % 100;
    if (last == 1 && lastTwo != 11)
        return 0;
    if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
        return 1;
    return 2;
}

// Letters a pupil reads: code points, without the placeholders a value fills.
std::size_t PlainLength(std::string text) {
    for (std::size_t open = text.find('{'); open != std::string::npos; open = text.find('{'))
        text.erase(open, text.find('}', open) - open + 1);
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

} // namespace

TEST_CASE("every language chooses its plural form as its grammar does, for every count") {
    for (std::int64_t n = 0; n <= 250; ++n) {
        CAPTURE(n);
        CHECK(PluralFormOf(Language::Bulgarian, n) == (n == 1 ? 0 : 1));
        CHECK(PluralFormOf(Language::English, n) == (n == 1 ? 0 : 1));
        CHECK(PluralFormOf(Language::Turkish, n) == (n == 1 ? 0 : 1));
        CHECK(PluralFormOf(Language::Ukrainian, n) == UkrainianByHand(n));
    }
}

TEST_CASE("a counted message takes the form of its count: 1, 2, 5, 11, 21 in every language") {
    struct Case {
        Language language;
        std::int64_t count;
        std::string text;
    };
    // The level's progress, whose count decides the noun's form.
    const std::vector<Case> cases{
        {Language::Bulgarian, 2, "На това ниво: 1 от 2 вида подредби."},
        {Language::Bulgarian, 1, "На това ниво: 1 от 1 вид подредба."},
        {Language::English, 1, "This level: 1 of 1 kind of arrangement."},
        {Language::English, 2, "This level: 1 of 2 kinds of arrangement."},
        {Language::Ukrainian, 1, "На цьому рівні: 1 з 1 виду розміщення."},
        {Language::Ukrainian, 2, "На цьому рівні: 1 з 2 видів розміщення."},
        {Language::Ukrainian, 5, "На цьому рівні: 1 з 5 видів розміщення."},
        {Language::Ukrainian, 11, "На цьому рівні: 1 з 11 видів розміщення."},
        {Language::Ukrainian, 21, "На цьому рівні: 1 з 21 виду розміщення."},
        {Language::Turkish, 5, "Bu seviyede: 5 yerleştirme türünden 1 tanesi bulundu."},
    };
    for (const Case& c : cases) {
        const InLanguage language(c.language);
        CAPTURE(LanguageCode(c.language));
        CHECK(Format(TrN("На това ниво: {found} от {count} вид подредба.",
                         "На това ниво: {found} от {count} вида подредби.", c.count),
                     {{"found", 1}, {"count", c.count}}) == c.text);
    }
}

TEST_CASE("placeholders are filled by name, in any order, and braces can be written") {
    struct Case {
        const char* pattern;
        std::string filled;
    };
    const std::vector<Case> cases{
        {"Премести {number} {from} {place}.", "Премести 7 от А в Б."},
        {"{place}: {number}, {number}", "в Б: 7, 7"},
        {"{{number}} {number}", "{number} 7"},
        {"{unknown} {number}", "{unknown} 7"},
        {"{number", "{number"},
        {"", ""},
    };
    for (const Case& c : cases) {
        CAPTURE(c.pattern);
        CHECK(Format(c.pattern, {{"from", "от А"}, {"place", "в Б"}, {"number", 7}}) == c.filled);
    }
}

TEST_CASE("a locale or browser tag names its language, and only ours") {
    struct Case {
        const char* tag;
        std::optional<Language> language;
    };
    const std::vector<Case> cases{
        {"bg_BG.UTF-8", Language::Bulgarian},
        {"en-GB", Language::English},
        {"EN", Language::English},
        {"uk_UA.UTF-8@euro", Language::Ukrainian},
        {"tr", Language::Turkish},
        {"pseudo", Language::Pseudo},
        {"de_DE.UTF-8", std::nullopt},
        {"", std::nullopt},
        {"C", std::nullopt},
        {"ukr", std::nullopt},
    };
    for (const Case& c : cases) {
        CAPTURE(c.tag);
        CHECK(LanguageOfTag(c.tag) == c.language);
    }
    for (Language language : ShippedLanguages())
        CHECK(LanguageOfTag(LanguageCode(language)) == language);
}

TEST_CASE("a phrase starting a sentence gets its capital in every alphabet") {
    struct Case {
        Language language;
        const char* text;
        const char* capital;
    };
    const std::vector<Case> cases{
        {Language::Bulgarian, "всяка страна", "Всяка страна"},
        {Language::Bulgarian, "южна", "Южна"},
        {Language::English, "every side", "Every side"},
        {Language::Ukrainian, "іноді", "Іноді"},
        {Language::Ukrainian, "їжак", "Їжак"},
        {Language::Ukrainian, "єдина", "Єдина"},
        {Language::Turkish, "iki kenar", "İki kenar"},
        {Language::Turkish, "ılık", "Ilık"},
        {Language::Turkish, "üç kenar", "Üç kenar"},
        {Language::English, "7 sides", "7 sides"},
    };
    for (const Case& c : cases) {
        const InLanguage language(c.language);
        CAPTURE(c.text);
        CHECK(Capital(c.text) == c.capital);
    }
}

TEST_CASE("a list joins its items in the language's words, and the pseudo-language is longer") {
    const std::vector<std::string> three{"7", "8", "9"};
    CHECK(JoinAnd(three) == "7, 8 и 9");
    CHECK(JoinAnd({"7"}) == "7");
    {
        const InLanguage english(Language::English);
        CHECK(JoinAnd(three) == "7, 8 and 9");
    }
    const std::string bulgarian = Tr("Натисни «Изчисли».");
    const InLanguage pseudo(Language::Pseudo);
    const std::string longer = Tr("Натисни «Изчисли».");
    CHECK(longer != bulgarian);
    CHECK(longer.size() >= bulgarian.size() * 14 / 10);
}

TEST_CASE("every compiled message is found by its own key, context and plural form") {
    for (Language language : {Language::English, Language::Ukrainian, Language::Turkish}) {
        const InLanguage in(language);
        const auto entries = catalog::EntriesOf(language);
        CHECK(entries.size() > 300);
        for (const catalog::Entry& entry : entries) {
            if (entry.forms.empty())
                continue; // the end mark
            const std::string key(entry.key);
            const std::size_t split = key.find('\4');
            const std::string context = split == std::string::npos ? "" : key.substr(0, split);
            const std::string text = split == std::string::npos ? key : key.substr(split + 1);
            const std::string first(entry.forms.substr(0, entry.forms.find('\0')));
            CAPTURE(LanguageCode(language));
            CAPTURE(key);
            CHECK(TrC(context.empty() ? nullptr : context.c_str(), text.c_str()) == first);
        }
    }
}

TEST_CASE("the pseudo-language makes every message longer and keeps its placeholders") {
    const InLanguage pseudo(Language::Pseudo);
    const auto placeholders = [](const std::string& text) {
        std::vector<std::string> names;
        for (std::size_t open = text.find('{'); open != std::string::npos;
             open = text.find('{', open + 1))
            names.push_back(text.substr(open, text.find('}', open) - open + 1));
        return names;
    };
    // Every message there is: the English catalog holds them all.
    for (const catalog::Entry& entry : catalog::EntriesOf(Language::English)) {
        const std::string key(entry.key);
        if (entry.forms.empty() || key.find('\4') != std::string::npos)
            continue;
        const std::string shown = Tr(key.c_str());
        CAPTURE(key);
        CHECK(10 * PlainLength(shown) >= 14 * PlainLength(key));
        CHECK(placeholders(shown) == placeholders(key));
        for (const char* vowel : {"а", "е", "и", "о", "у", "я"})
            CHECK(shown.find(vowel) == std::string::npos);
    }
}
