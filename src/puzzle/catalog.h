// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every text the program says comes from here. Bulgarian is the source: a message's
// Bulgarian text is its key, and the other languages' catalogs (po/*.po, compiled into
// the core at build time) give its translation. Texts carry named placeholders,
// "Сложи {number} {into}.", so that a translator can reorder a sentence; counts choose
// the plural form by the language's own rule.
//
// xgettext finds the messages by these calls: Tr, TrC (with a context), TrN (with a
// plural) and the markers N_ and NC_ for texts kept as data and translated where used.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

enum class Language {
    Bulgarian,
    English,
    Ukrainian,
    Turkish,
    // Every message 40 % longer, with accented letters: for layout tests, never offered.
    Pseudo,
};

// The languages a pupil can choose, Bulgarian first.
[[nodiscard]] std::span<const Language> ShippedLanguages();
// "bg", "en", "uk", "tr"; "pseudo" for the test language.
[[nodiscard]] std::string_view LanguageCode(Language language);
// The language's name in itself: "Български", "English", "Українська", "Türkçe".
[[nodiscard]] std::string_view LanguageName(Language language);
// The language of a locale or browser tag: "uk_UA.UTF-8", "en-GB", "tr", "pseudo";
// nullopt when it is none of ours.
[[nodiscard]] std::optional<Language> LanguageOfTag(std::string_view tag);

// The language every text is given in, for the whole program (like setlocale).
void SetLanguage(Language language);
[[nodiscard]] Language CurrentLanguage();

// A text kept as data, translated where it is used: {context, message}.
struct Message {
    constexpr Message() = default;
    constexpr Message(const char* text)
        : text(text) {} // NOLINT: a plain text is a message
    constexpr Message(const char* context, const char* text)
        : context(context)
        , text(text) {}
    [[nodiscard]] bool empty() const { return text == nullptr || *text == '\0'; }
    const char* context = nullptr;
    const char* text = "";
};
#define N_(text) text
#define NC_(context, text)                                                                         \
    ::velmora::Message {                                                                           \
        context, text                                                                              \
    }

// The message in the current language; the Bulgarian text itself when a catalog lacks it.
[[nodiscard]] std::string Tr(const char* text);
[[nodiscard]] std::string TrC(const char* context, const char* text);
[[nodiscard]] std::string Tr(const Message& message);
// The form for `count` of a message with a plural: Bulgarian "{count} страна" /
// "{count} страни"; Ukrainian has three forms, chosen by its catalog's rule.
[[nodiscard]] std::string TrN(const char* singular, const char* plural, std::int64_t count);

// One named value for a placeholder: {"sum", 27}, {"place", "горния връх"}.
struct Arg {
    Arg(std::string_view name, std::string value);
    Arg(std::string_view name, const char* value);
    Arg(std::string_view name, std::int64_t value);
    Arg(std::string_view name, int value);
    std::string_view name;
    std::string value;
};
// The pattern with every {name} replaced by its value; "{{" and "}}" give braces, and a
// placeholder without a value stays as it is, for a test to find.
[[nodiscard]] std::string Format(std::string_view pattern, std::initializer_list<Arg> args);

// "7", "7 и 9", "7, 8 и 9": a list in the current language's words.
[[nodiscard]] std::string JoinAnd(const std::vector<std::string>& items);
// "28", "28 или 29", "28, 29 или 30": a list of choices.
[[nodiscard]] std::string JoinOr(const std::vector<std::string>& items);
// The text with its first letter a capital, for a phrase that starts a sentence:
// Cyrillic, Latin and Turkish letters ("i" is "İ" in Turkish).
[[nodiscard]] std::string Capital(std::string text);

// The plural form a count takes in `language`: 0 for the first (singular) form.
[[nodiscard]] int PluralFormOf(Language language, std::int64_t count);

} // namespace velmora
