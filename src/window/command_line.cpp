// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/command_line.h"

#include "window/language.h"
#include "window/texts.h"
#include "window/zoom.h"

#include <QCommandLineParser>
#include <QHash>

#include <QTextStream>
#include <algorithm>
#include <tuple>

namespace velmora {
namespace {

QString ZoomStepsText() {
    QStringList steps;
    for (int step : kZoomSteps)
        steps << QString::number(step);
    return steps.join(QStringLiteral(", "));
}

void PrintHelp(QTextStream& out, const QList<QCommandLineOption>& options) {
    out << Q(Tr("Употреба: velmora [опции]")) << '\n'
        << Q(Tr("Велмора от числа: поредни числа с равни суми в триъгълник, ромб и още четири "
                "фигури."))
        << "\n\n"
        << Q(Tr("Опции:")) << '\n';
    for (const QCommandLineOption& option : options) {
        QStringList names;
        for (const QString& name : option.names())
            names << (name.size() == 1 ? "-" : "--") + name;
        QString left = names.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty())
            left += " <" + option.valueName() + ">";
        out << "  " << left.leftJustified(24) << option.description() << '\n';
    }
    out << '\n'
        << Q(Tr("В прозореца Ctrl++ увеличава, Ctrl+- намалява, а Ctrl+0 връща мащаба на 100 %."))
        << '\n'
        << Q(Tr("Приемат се и общите опции на Qt: -platform, -display, -style, -reverse и "
                "другите."))
        << '\n';
}

// The worksheet's figure names: "v, triangle, …, both или all".
QString SheetChoiceKeys() {
    std::vector<std::string> keys;
    for (const SheetChoice& choice : SheetChoices())
        keys.push_back(choice.key);
    return Q(JoinOr(keys));
}

// The languages the command line takes, by their codes: "bg, en, uk, tr".
QString LanguageCodes() {
    QStringList codes;
    for (const Language language : ShippedLanguages())
        codes << QString::fromUtf8(LanguageCode(language).data(),
                                   qsizetype(LanguageCode(language).size()));
    return codes.join(QStringLiteral(", "));
}

CommandLine Fail(QTextStream& err, const QString& message) {
    err << "velmora: " << message << '\n' << Q(Tr("Вижте „velmora --help“.")) << '\n';
    return {false, 2, 100};
}

// The options QGuiApplication and QApplication document for every program, with
// whether each takes a value.
const QHash<QString, bool>& QtOptions() {
    static const QHash<QString, bool> options{
        {"platform", true},        {"platformpluginpath", true},
        {"platformtheme", true},   {"plugin", true},
        {"qwindowgeometry", true}, {"qwindowicon", true},
        {"qwindowtitle", true},    {"session", true},
        {"display", true},         {"geometry", true},
        {"style", true},           {"stylesheet", true},
        {"qmljsdebugger", true},   {"reverse", false},
        {"nograb", false},         {"dograb", false},
        {"sync", false},           {"widgetcount", false}};
    return options;
}

// The name of an option as typed: "--style=fusion" gives "style".
QString OptionName(const QString& argument) {
    QString name = argument.mid(argument.startsWith("--") ? 2 : 1);
    return name.left(name.indexOf('='));
}

// The arguments without Qt's options and their values, which Qt reads itself.
QStringList WithoutQtOptions(const QStringList& arguments) {
    QStringList ours;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const auto qt = QtOptions().constFind(OptionName(argument));
        if (i == 0 || argument.size() < 2 || !argument.startsWith('-') ||
            qt == QtOptions().cend()) {
            ours << argument;
            continue;
        }
        if (qt.value() && !argument.contains('='))
            ++i; // its value
    }
    return ours;
}

// An unknown option as the user typed it, "--bogus" rather than "bogus".
QString AsTyped(const QStringList& arguments, const QString& name) {
    for (const QString& argument : arguments)
        if (argument.startsWith('-') && OptionName(argument) == name)
            return argument.left(argument.indexOf('=') < 0 ? argument.size()
                                                           : argument.indexOf('='));
    return name;
}

// The value of --language, read before the other options so that every message about
// them is in that language; null when the option is not there or has no value.
QString LanguageAsked(const QStringList& arguments) {
    QString asked;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!argument.startsWith('-') || OptionName(argument) != QLatin1String("language"))
            continue;
        if (argument.contains('='))
            asked = argument.section('=', 1);
        else if (i + 1 < arguments.size())
            asked = arguments[++i];
    }
    return asked;
}

// The option at the end of the line that wants a value and has none, as typed.
QString WithoutValue(const QStringList& arguments, const QList<QCommandLineOption>& options) {
    if (arguments.size() < 2 || !arguments.back().startsWith('-') || arguments.back().contains('='))
        return {};
    const QString name = OptionName(arguments.back());
    for (const QCommandLineOption& option : options)
        if (!option.valueName().isEmpty() && option.names().contains(name))
            return arguments.back();
    return {};
}

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    // Help and errors in the language asked for, when it is one of ours; else in the
    // caller's (the desktop's).
    const QString languageAsked = LanguageAsked(WithoutQtOptions(arguments));
    const std::optional<Language> asked = LanguageOfCode(languageAsked);
    const LanguageScope speaking(asked.value_or(CurrentLanguage()));
    const QCommandLineOption help({"h", "help"}, Q(Tr("Показва тази помощ и излиза.")));
    const QCommandLineOption version({"v", "version"}, Q(Tr("Показва версията и излиза.")));
    // TRANSLATORS: {steps} lists the zoom steps: "100, 125, 150, 175, 200, 250, 300".
    const QCommandLineOption zoom("zoom",
                                  Q(Format(Tr("Мащаб на прозореца в проценти: {steps}."),
                                           {{"steps", ZoomStepsText().toStdString()}})),
                                  // TRANSLATORS: what --zoom takes, as the help shows it.
                                  Q(TrC("option value", "процент")), "100");
    const QCommandLineOption practice(
        "practice", Q(Tr("Започва в упражнение: ученикът сам подрежда числата.")));
    const QCommandLineOption fullScreen(
        "fullscreen", Q(Tr("Започва на цял екран: фигурата е колкото екрана позволява (F11 или "
                           "Esc връща прозореца).")));
    // TRANSLATORS: {languages} lists the codes --language takes: "bg, en, uk, tr".
    const QCommandLineOption language(
        "language",
        Q(Format(Tr("Езикът на прозореца и на работните листове: {languages} (без нея: "
                    "избраният в менюто «Език» или езикът на системата)."),
                 {{"languages", LanguageCodes().toStdString()}})),
        // TRANSLATORS: what --language takes, as the help shows it.
        Q(TrC("option value", "език")));
    const QCommandLineOption worksheet("worksheet",
                                       Q(Tr("Записва работен лист в PDF файл, без прозорец.")),
                                       // TRANSLATORS: what --worksheet takes, as the help shows it.
                                       Q(TrC("option value", "файл")));
    // TRANSLATORS: {figures} lists the worksheet's figure keys, "v, triangle, … или all";
    // the keys themselves are typed as they are and stay untranslated.
    const QCommandLineOption figure(
        "figure",
        Q(Format(Tr("Работен лист: {figures} (both: триъгълник и ромб; all: всички фигури по "
                    "ред)."),
                 {{"figures", SheetChoiceKeys().toStdString()}})),
        // TRANSLATORS: what --figure takes, as the help shows it.
        Q(TrC("option value", "фигура")), "triangle");
    // TRANSLATORS: what --count, --given and --per-page take, as the help shows it.
    const QString countValue = Q(TrC("option value", "брой"));
    const QCommandLineOption count("count", Q(Tr("Работен лист: брой задачи, от 1 до 60.")),
                                   countValue, "4");
    const QCommandLineOption starts("start", Q(Tr("Работен лист: начални числа, напр. 3,7,12.")),
                                    // TRANSLATORS: what --start takes, as the help shows it.
                                    Q(TrC("option value", "числа")));
    const QCommandLineOption random("random",
                                    Q(Tr("Работен лист: случайни начала в обхват, напр. 1-20.")),
                                    // TRANSLATORS: what --random takes, as the help shows it.
                                    Q(TrC("option value", "обхват")));
    const QCommandLineOption seed("seed",
                                  Q(Tr("Работен лист: вариант; от него зависят случайните начала, "
                                       "дадените числа и отговорите.")),
                                  // TRANSLATORS: what --seed takes, as the help shows it.
                                  Q(TrC("option value", "число")), "1");
    const QCommandLineOption given(
        "given", Q(Tr("Работен лист: колко числа са дадени на фигурата.")), countValue, "0");
    const QCommandLineOption perPage(
        "per-page", Q(Tr("Работен лист: задачи на страница, от 1 до 6.")), countValue, "4");
    const QCommandLineOption large(
        "large", Q(Tr("Работен лист: едър шрифт и по-големи фигури, до две задачи на страница.")));
    const QCommandLineOption noAnswers("no-answers",
                                       Q(Tr("Работен лист: без страници с отговори.")));
    const QList<QCommandLineOption> options{
        help,  version, zoom,   practice, fullScreen, language, worksheet, figure,
        count, starts,  random, seed,     given,      perPage,  large,     noAnswers};

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(options);
    if (!parser.parse(WithoutQtOptions(arguments))) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return Fail(err,
                        Q(Format(Tr("непозната опция „{option}“."),
                                 {{"option", AsTyped(arguments, unknown.first()).toStdString()}})));
        const QString bare = WithoutValue(WithoutQtOptions(arguments), options);
        return Fail(err, bare.isEmpty() ? Q(Tr("липсва стойност на опция."))
                                        : Q(Format(Tr("липсва стойност на опцията „{option}“."),
                                                   {{"option", bare.toStdString()}})));
    }
    if (!parser.positionalArguments().isEmpty())
        return Fail(err,
                    Q(Format(Tr("неочакван аргумент „{argument}“."),
                             {{"argument", parser.positionalArguments().first().toStdString()}})));
    if (parser.isSet(language) && !asked)
        return Fail(err, Q(Format(Tr("непознат език „{language}“; езиците са {languages}."),
                                  {{"language", languageAsked.toStdString()},
                                   {"languages", LanguageCodes().toStdString()}})));
    if (parser.isSet(help)) {
        PrintHelp(out, options);
        return {false, 0, 100};
    }
    if (parser.isSet(version)) {
        out << VELMORA_VERSION << '\n';
        return {false, 0, 100};
    }
    bool number = false;
    const int percent = parser.value(zoom).toInt(&number);
    if (!number || !IsZoomStep(percent))
        return Fail(err, Q(Format(Tr("мащабът трябва да е едно от {steps}."),
                                  {{"steps", ZoomStepsText().toStdString()}})));
    CommandLine result{true, 0, percent, parser.isSet(practice), parser.isSet(fullScreen)};
    result.language = asked;
    if (!parser.isSet(worksheet)) {
        for (const QCommandLineOption& option :
             {figure, count, starts, random, seed, given, perPage, large, noAnswers})
            if (parser.isSet(option))
                return Fail(err,
                            Q(Format(Tr("опцията „{option}“ е само за --worksheet."),
                                     {{"option", "--" + option.names().first().toStdString()}})));
        return result;
    }
    // The worksheet's values; their ranges are the worksheet's own to check.
    WorksheetRequest& sheet = result.worksheet;
    result.worksheetPath = parser.value(worksheet);
    const auto figures = SheetFiguresByKey(parser.value(figure).toStdString());
    if (!figures)
        return Fail(err, Q(Format(Tr("фигурата трябва да е {figures}."),
                                  {{"figures", SheetChoiceKeys().toStdString()}})));
    sheet.figures = *figures;
    const auto whole = [&](const QCommandLineOption& option, int& into) {
        bool ok = false;
        into = parser.value(option).toInt(&ok);
        return ok;
    };
    if (!whole(count, sheet.count))
        return Fail(err, Q(Tr("броят задачи трябва да е от 1 до 60.")));
    // Without a count, a sheet of several figures shows each of them once at least.
    if (!parser.isSet(count))
        sheet.count = std::max(sheet.count, static_cast<int>(sheet.figures.size()));
    if (!whole(given, sheet.given) || !whole(perPage, sheet.perPage))
        return Fail(err, Q(Tr("броят трябва да е цяло число.")));
    bool seedOk = false;
    sheet.seed = parser.value(seed).toUInt(&seedOk);
    if (!seedOk)
        return Fail(err, Q(Tr("--seed трябва да е цяло неотрицателно число.")));
    if (parser.isSet(starts) && parser.isSet(random))
        return Fail(err, Q(Tr("--start и --random не вървят заедно.")));
    if (parser.isSet(starts)) {
        const auto list = ParseStarts(parser.value(starts).toStdString());
        if (!list)
            return Fail(err, Q(Tr("началните числа трябва да са от 1 до 999, разделени със "
                                  "запетая.")));
        sheet.starts = *list;
    } else if (parser.isSet(random)) {
        const auto range = ParseRange(parser.value(random).toStdString());
        if (!range)
            return Fail(err, Q(Tr("обхватът се пише като 1-20.")));
        std::tie(sheet.randomFrom, sheet.randomTo) = *range;
    }
    sheet.largePrint = parser.isSet(large);
    sheet.answers = !parser.isSet(noAnswers);
    return result;
}

} // namespace velmora
