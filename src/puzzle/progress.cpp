// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/progress.h"

#include "puzzle/catalog.h"
#include "puzzle/figure.h"

#include <algorithm>
#include <mutex>

namespace velmora {
namespace {

std::int64_t CellsPerLine(FigureMode figure) {
    const auto& lines = FigureOf(figure).lines;
    return lines.empty() ? 0 : static_cast<std::int64_t>(lines.front().cells.size());
}

const std::vector<std::int64_t>& SumsFromOne(FigureMode figure) {
    static std::mutex guard;
    static std::map<FigureMode, std::vector<std::int64_t>> sums;
    const std::lock_guard lock(guard);
    auto at = sums.find(figure);
    if (at == sums.end()) {
        std::vector<std::int32_t> numbers;
        for (int n = 1; n <= SlotCount(figure); ++n)
            numbers.push_back(n);
        at = sums.emplace(figure, PossibleSums(figure, numbers)).first;
    }
    return at->second;
}

void AddSum(std::vector<std::int64_t>& sums, std::int64_t sum) {
    const auto at = std::lower_bound(sums.begin(), sums.end(), sum);
    if (at == sums.end() || *at != sum)
        sums.insert(at, sum);
}

// The parts of `text` between `separator`s, empty ones included.
std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string::npos; from = at + 1)
        parts.push_back(text.substr(from, at - from));
    parts.push_back(text.substr(from));
    return parts;
}

// "9,10" as numbers; a part that is not a whole number is left out.
std::vector<std::int64_t> ReadSums(const std::string& text) {
    std::vector<std::int64_t> sums;
    for (const std::string& part : Split(text, ',')) {
        if (part.empty() || part.size() > 6 || part.find_first_not_of("0123456789") != part.npos)
            continue;
        AddSum(sums, std::stoll(part));
    }
    return sums;
}

} // namespace

Progress RecordSums(Progress progress, const Practice& practice) {
    if (practice.numbers.empty() || practice.foundSums.empty())
        return progress;
    const std::int64_t shift = CellsPerLine(practice.figure) * (practice.numbers.front() - 1);
    std::vector<std::int64_t>& found = progress.found[practice.figure];
    for (std::int64_t sum : practice.foundSums)
        AddSum(found, sum - shift);
    return progress;
}

std::vector<std::int64_t> FoundSumsFrom(const Progress& progress, FigureMode figure,
                                        std::int64_t start) {
    const auto at = progress.found.find(figure);
    if (at == progress.found.end())
        return {};
    std::vector<std::int64_t> sums;
    for (std::int64_t sum : at->second)
        sums.push_back(sum + CellsPerLine(figure) * (start - 1));
    return sums;
}

int PossibleSumCount(FigureMode figure) {
    return static_cast<int>(SumsFromOne(figure).size());
}

int FoundSumCount(const Progress& progress, FigureMode figure) {
    const auto at = progress.found.find(figure);
    return at == progress.found.end() ? 0 : static_cast<int>(at->second.size());
}

// A figure with nothing found is not searched: its level cannot be done.
bool LevelDone(const Progress& progress, FigureMode figure) {
    const int found = FoundSumCount(progress, figure);
    return found > 0 && found >= PossibleSumCount(figure);
}

FigureMode SuggestedFigure(const Progress& progress, FigureMode from) {
    const auto& all = Figures();
    const std::size_t first = static_cast<std::size_t>(std::max(LevelOf(from) - 1, 0));
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Figure& figure = all[(first + i) % all.size()];
        if (!LevelDone(progress, figure.mode))
            return figure.mode;
    }
    return FigureMode::None;
}

std::string LevelTitle(const Progress& progress, FigureMode figure) {
    const int level = LevelOf(figure), found = FoundSumCount(progress, figure);
    const std::string title = Tr(FigureOf(figure).title);
    if (LevelDone(progress, figure))
        // TRANSLATORS: a level in a list or menu, all its sums found: "1. Магическо V – готово ✓".
        return Format(Tr("{level}. {figure} – готово ✓"), {{"level", level}, {"figure", title}});
    if (found == 0)
        // TRANSLATORS: a level in a list or menu: "1. Магическо V".
        return Format(Tr("{level}. {figure}"), {{"level", level}, {"figure", title}});
    // TRANSLATORS: a level in a list or menu with the sums found: "1. Магическо V – 2 от 3
    // суми"; {found} sums found of the {count} the figure allows (the form follows {count}).
    return Format(TrN("{level}. {figure} – {found} от {count} сума",
                      "{level}. {figure} – {found} от {count} суми", PossibleSumCount(figure)),
                  {{"level", level},
                   {"figure", title},
                   {"found", found},
                   {"count", PossibleSumCount(figure)}});
}

std::string StartAgainQuestion() {
    return Tr("Всички намерени суми на всички фигури ще се изтрият. Да започнем ли отначало?");
}

std::string SaveProgress(const Progress& progress) {
    std::string text = std::string("mode=") + (progress.practice ? "practice" : "demonstration");
    if (progress.lastFigure != FigureMode::None)
        text += ";figure=" + FigureOf(progress.lastFigure).key;
    text += ";zoom=" + std::to_string(progress.zoom);
    for (const auto& [figure, sums] : progress.found) {
        if (sums.empty() || FigureOf(figure).key.empty())
            continue;
        text += ";found." + FigureOf(figure).key + "=";
        for (std::size_t i = 0; i < sums.size(); ++i)
            text += (i == 0 ? "" : ",") + std::to_string(sums[i]);
    }
    return text;
}

Progress LoadProgress(const std::string& text) {
    Progress progress;
    for (const std::string& field : Split(text, ';')) {
        const std::size_t equals = field.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string name = field.substr(0, equals);
        const std::string value = field.substr(equals + 1);
        if (name == "mode") {
            progress.practice = value == "practice";
        } else if (name == "figure") {
            progress.lastFigure = FigureByKey(value);
        } else if (name == "zoom") {
            const std::vector<std::int64_t> zoom = ReadSums(value);
            if (zoom.size() == 1 && zoom.front() >= 25 && zoom.front() <= 400)
                progress.zoom = static_cast<int>(zoom.front());
        } else if (name.rfind("found.", 0) == 0) {
            // Only sums the figure allows count: a damaged line cannot finish a level.
            const FigureMode figure = FigureByKey(name.substr(6));
            const std::vector<std::int64_t>& possible = SumsFromOne(figure);
            std::vector<std::int64_t> kept;
            for (std::int64_t sum : ReadSums(value))
                if (std::binary_search(possible.begin(), possible.end(), sum))
                    kept.push_back(sum);
            if (!kept.empty())
                progress.found[figure] = kept;
        }
    }
    return progress;
}

} // namespace velmora
