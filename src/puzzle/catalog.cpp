// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/catalog.h"

#include "puzzle/catalog_data.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace velmora {
namespace {

constexpr std::array kShipped{Language::Bulgarian, Language::English, Language::Ukrainian,
                              Language::Turkish};

struct LanguageWords {
    Language language;
    std::string_view code;
    std::string_view name;
};
constexpr std::array kWords{
    LanguageWords{Language::Bulgarian, "bg", "Български"},
    LanguageWords{Language::English, "en", "English"},
    LanguageWords{Language::Ukrainian, "uk", "Українська"},
    LanguageWords{Language::Turkish, "tr", "Türkçe"},
    LanguageWords{Language::Pseudo, "pseudo", "Pseudo"},
};

Language g_language = Language::Bulgarian;

const LanguageWords& WordsOf(Language language) {
    return *std::find_if(kWords.begin(), kWords.end(),
                         [&](const LanguageWords& w) { return w.language == language; });
}

// The `form`-th of the '\0'-separated forms; the last when there are fewer.
std::string_view FormAt(std::string_view forms, int form) {
    for (; form > 0; --form) {
        const std::size_t end = forms.find('\0');
        if (end == std::string_view::npos)
            break;
        forms.remove_prefix(end + 1);
    }
    return forms.substr(0, forms.find('\0'));
}

std::optional<std::string_view> Lookup(std::string_view key) {
    const auto entries = catalog::EntriesOf(g_language);
    const auto it = std::lower_bound(
        entries.begin(), entries.end(), key,
        [](const catalog::Entry& entry, std::string_view k) { return entry.key < k; });
    if (it == entries.end() || it->key != key || it->forms.empty())
        return std::nullopt;
    return it->forms;
}

// The pseudo-language's form of a Bulgarian text: its vowels accented, its placeholders
// kept, 40 % longer with a padding word, in brackets, so that a layout test sees at once a
// text that is cut, spills over, or never went through the catalog.
std::string Pseudo(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 21> kAccented{{
        {"а", "ӓ"}, {"е", "ё"}, {"и", "ӣ"}, {"о", "ӧ"}, {"у", "ӱ"}, {"я", "ǟ"}, {"А", "Ӓ"},
        {"Е", "Ё"}, {"И", "Ӣ"}, {"О", "Ӧ"}, {"У", "Ӱ"}, {"a", "á"}, {"e", "é"}, {"i", "í"},
        {"o", "ö"}, {"u", "ü"}, {"A", "Á"}, {"E", "É"}, {"I", "Í"}, {"O", "Ö"}, {"U", "Ü"},
    }};
    std::string out = "[";
    std::size_t letters = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '{') {
            const std::size_t close = text.find('}', i);
            if (close != std::string_view::npos) {
                out += text.substr(i, close + 1 - i);
                i = close + 1;
                continue;
            }
        }
        const auto accented =
            std::find_if(kAccented.begin(), kAccented.end(),
                         [&](const auto& pair) { return text.substr(i).starts_with(pair.first); });
        // One code point: its lead byte and the continuation bytes after it.
        std::size_t length = 1;
        while (i + length < text.size() &&
               (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80)
            ++length;
        out += accented != kAccented.end() ? accented->second : text.substr(i, length);
        i += length;
        ++letters;
    }
    const std::size_t extra = std::max<std::size_t>(1, (letters * 2 + 4) / 5);
    out += ' ';
    for (std::size_t added = 0; added < extra; added += 5) {
        if (added > 0)
            out += ' ';
        for (std::size_t k = 0; k < std::min<std::size_t>(4, extra - added); ++k)
            out += "ŵ";
    }
    return out + "]";
}

std::string KeyOf(const char* context, const char* text) {
    return context ? std::string(context) + '\4' + text : std::string(text);
}

} // namespace

std::span<const Language> ShippedLanguages() {
    return kShipped;
}

std::string_view LanguageCode(Language language) {
    return WordsOf(language).code;
}

std::string_view LanguageName(Language language) {
    return WordsOf(language).name;
}

std::optional<Language> LanguageOfTag(std::string_view tag) {
    // The language part of "uk_UA.UTF-8" or "en-GB", in lower case.
    std::string code;
    for (char c : tag) {
        if (c == '_' || c == '-' || c == '.' || c == '@')
            break;
        code += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    for (const LanguageWords& words : kWords)
        if (words.code == code)
            return words.language;
    return std::nullopt;
}

void SetLanguage(Language language) {
    g_language = language;
}

Language CurrentLanguage() {
    return g_language;
}

std::string Tr(const char* text) {
    return TrC(nullptr, text);
}

std::string Tr(const Message& message) {
    return TrC(message.context, message.text);
}

std::string TrC(const char* context, const char* text) {
    if (g_language == Language::Pseudo)
        return Pseudo(text);
    if (const auto forms = Lookup(KeyOf(context, text)))
        return std::string(FormAt(*forms, 0));
    return text;
}

std::string TrN(const char* singular, const char* plural, std::int64_t count) {
    const int form = PluralFormOf(g_language, count);
    if (g_language == Language::Pseudo)
        return Pseudo(form == 0 ? singular : plural);
    if (const auto forms = Lookup(singular))
        return std::string(FormAt(*forms, form));
    return form == 0 ? singular : plural;
}

namespace {

// The items with `last` between the last two and the list's comma between the others.
std::string Join(const std::vector<std::string>& items, const std::string& last) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            // TRANSLATORS: between items of a list, "7, 8 и 9".
            text += i + 1 == items.size() ? last : TrC("list", ", ");
        text += items[i];
    }
    return text;
}

} // namespace

std::string JoinAnd(const std::vector<std::string>& items) {
    // TRANSLATORS: between the last two items of a list, "7, 8 и 9".
    return Join(items, TrC("list", " и "));
}

std::string JoinOr(const std::vector<std::string>& items) {
    // TRANSLATORS: between the last two of a list of choices, "28, 29 или 30".
    return Join(items, TrC("list", " или "));
}

std::string Capital(std::string text) {
    // The first letter's lower and upper case forms, as UTF-8.
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 13> kOthers{{
        {"ä", "Ä"},
        {"á", "Á"},
        {"é", "É"},
        {"ö", "Ö"},
        {"ü", "Ü"},
        {"ç", "Ç"},
        {"ş", "Ş"},
        {"ğ", "Ğ"},
        {"ı", "I"},
        {"є", "Є"},
        {"і", "І"},
        {"ї", "Ї"},
        {"ґ", "Ґ"},
    }};
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    if (text.empty())
        return text;
    if (text[0] == 'i' && g_language == Language::Turkish)
        return "İ" + text.substr(1);
    if (byte(0) >= 'a' && byte(0) <= 'z') {
        text[0] = static_cast<char>(byte(0) - 'a' + 'A');
    } else if (text.size() > 1 && byte(0) == 0xD0 && byte(1) >= 0xB0 && byte(1) <= 0xBF) {
        text[1] = static_cast<char>(byte(1) - 0x20); // а..п
    } else if (text.size() > 1 && byte(0) == 0xD1 && byte(1) >= 0x80 && byte(1) <= 0x8F) {
        text[0] = static_cast<char>(0xD0); // р..я
        text[1] = static_cast<char>(byte(1) + 0x20);
    } else {
        for (const auto& [lower, upper] : kOthers)
            if (text.starts_with(lower))
                return std::string(upper) + text.substr(lower.size());
    }
    return text;
}

int PluralFormOf(Language language, std::int64_t count) {
    const auto n = static_cast<unsigned long long>(count < 0 ? -count : count);
    return catalog::PluralForm(language, n);
}

Arg::Arg(std::string_view name, std::string value)
    : name(name)
    , value(std::move(value)) {}
Arg::Arg(std::string_view name, const char* value)
    : name(name)
    , value(value) {}
Arg::Arg(std::string_view name, std::int64_t value)
    : name(name)
    , value(std::to_string(value)) {}
Arg::Arg(std::string_view name, int value)
    : name(name)
    , value(std::to_string(value)) {}

std::string Format(std::string_view pattern, std::initializer_list<Arg> args) {
    std::string text;
    text.reserve(pattern.size() + 16);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if ((c == '{' || c == '}') && i + 1 < pattern.size() && pattern[i + 1] == c) {
            text += c;
            ++i;
            continue;
        }
        const std::size_t close = c == '{' ? pattern.find('}', i) : std::string_view::npos;
        if (close == std::string_view::npos) {
            text += c;
            continue;
        }
        const std::string_view name = pattern.substr(i + 1, close - i - 1);
        const auto arg =
            std::find_if(args.begin(), args.end(), [&](const Arg& a) { return a.name == name; });
        if (arg == args.end()) {
            text += c;
            continue;
        }
        text += arg->value;
        i = close;
    }
    return text;
}

} // namespace velmora
