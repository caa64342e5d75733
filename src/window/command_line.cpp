// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/command_line.h"

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
    out << "Употреба: velmora [опции]\n"
           "Велмора от числа: поредни числа с равни суми в триъгълник, ромб и още четири "
           "фигури.\n\n"
           "Опции:\n";
    for (const QCommandLineOption& option : options) {
        QStringList names;
        for (const QString& name : option.names())
            names << (name.size() == 1 ? "-" : "--") + name;
        QString left = names.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty())
            left += " <" + option.valueName() + ">";
        out << "  " << left.leftJustified(24) << option.description() << '\n';
    }
    out << "\nВ прозореца Ctrl++ увеличава, Ctrl+- намалява, а Ctrl+0 връща мащаба на 100 %.\n"
           "Приемат се и общите опции на Qt: -platform, -display, -style, -reverse и другите.\n";
}

// The worksheet's figure names: "v, triangle, …, both или all".
QString SheetChoiceKeys() {
    QStringList keys;
    for (const SheetChoice& choice : SheetChoices())
        keys << QString::fromStdString(choice.key);
    const QString last = keys.takeLast();
    return keys.join(QStringLiteral(", ")) + QStringLiteral(" или ") + last;
}

CommandLine Fail(QTextStream& err, const QString& message) {
    err << "velmora: " << message << "\nВижте „velmora --help“.\n";
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
    const QCommandLineOption help({"h", "help"}, "Показва тази помощ и излиза.");
    const QCommandLineOption version({"v", "version"}, "Показва версията и излиза.");
    const QCommandLineOption zoom("zoom", "Мащаб на прозореца в проценти: " + ZoomStepsText() + ".",
                                  "процент", "100");
    const QCommandLineOption practice("practice", "Започва в упражнение: ученикът сам подрежда "
                                                  "числата.");
    const QCommandLineOption fullScreen(
        "fullscreen", "Започва на цял екран: фигурата е колкото екрана позволява (F11 или Esc "
                      "връща прозореца).");
    const QCommandLineOption worksheet("worksheet",
                                       "Записва работен лист в PDF файл, без прозорец.", "файл");
    const QCommandLineOption figure("figure",
                                    "Работен лист: " + SheetChoiceKeys() +
                                        " (both: триъгълник и ромб; all: всички фигури по ред).",
                                    "фигура", "triangle");
    const QCommandLineOption count("count", "Работен лист: брой задачи, от 1 до 60.", "брой", "4");
    const QCommandLineOption starts("start", "Работен лист: начални числа, напр. 3,7,12.", "числа");
    const QCommandLineOption random("random", "Работен лист: случайни начала в обхват, напр. 1-20.",
                                    "обхват");
    const QCommandLineOption seed("seed",
                                  "Работен лист: вариант; от него зависят случайните начала, "
                                  "дадените числа и отговорите.",
                                  "число", "1");
    const QCommandLineOption given("given", "Работен лист: колко числа са дадени на фигурата.",
                                   "брой", "0");
    const QCommandLineOption perPage("per-page", "Работен лист: задачи на страница, от 1 до 6.",
                                     "брой", "4");
    const QCommandLineOption large("large", "Работен лист: едър шрифт и по-големи фигури, до две "
                                            "задачи на страница.");
    const QCommandLineOption noAnswers("no-answers", "Работен лист: без страници с отговори.");
    const QList<QCommandLineOption> options{help,      version, zoom,    practice, fullScreen,
                                            worksheet, figure,  count,   starts,   random,
                                            seed,      given,   perPage, large,    noAnswers};

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(options);
    if (!parser.parse(WithoutQtOptions(arguments))) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return Fail(err, "непозната опция „" + AsTyped(arguments, unknown.first()) + "“.");
        const QString bare = WithoutValue(WithoutQtOptions(arguments), options);
        return Fail(err, bare.isEmpty() ? QStringLiteral("липсва стойност на опция.")
                                        : "липсва стойност на опцията „" + bare + "“.");
    }
    if (!parser.positionalArguments().isEmpty())
        return Fail(err, "неочакван аргумент „" + parser.positionalArguments().first() + "“.");
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
        return Fail(err, "мащабът трябва да е едно от " + ZoomStepsText() + ".");
    CommandLine result{true, 0, percent, parser.isSet(practice), parser.isSet(fullScreen)};
    if (!parser.isSet(worksheet)) {
        for (const QCommandLineOption& option :
             {figure, count, starts, random, seed, given, perPage, large, noAnswers})
            if (parser.isSet(option))
                return Fail(err,
                            "опцията „--" + option.names().first() + "“ е само за --worksheet.");
        return result;
    }
    // The worksheet's values; their ranges are the worksheet's own to check.
    WorksheetRequest& sheet = result.worksheet;
    result.worksheetPath = parser.value(worksheet);
    const auto figures = SheetFiguresByKey(parser.value(figure).toStdString());
    if (!figures)
        return Fail(err, "фигурата трябва да е " + SheetChoiceKeys() + ".");
    sheet.figures = *figures;
    const auto whole = [&](const QCommandLineOption& option, int& into) {
        bool ok = false;
        into = parser.value(option).toInt(&ok);
        return ok;
    };
    if (!whole(count, sheet.count))
        return Fail(err, QStringLiteral("броят задачи трябва да е от 1 до 60."));
    // Without a count, a sheet of several figures shows each of them once at least.
    if (!parser.isSet(count))
        sheet.count = std::max(sheet.count, static_cast<int>(sheet.figures.size()));
    if (!whole(given, sheet.given) || !whole(perPage, sheet.perPage))
        return Fail(err, QStringLiteral("броят трябва да е цяло число."));
    bool seedOk = false;
    sheet.seed = parser.value(seed).toUInt(&seedOk);
    if (!seedOk)
        return Fail(err, QStringLiteral("--seed трябва да е цяло неотрицателно число."));
    if (parser.isSet(starts) && parser.isSet(random))
        return Fail(err, QStringLiteral("--start и --random не вървят заедно."));
    if (parser.isSet(starts)) {
        const auto list = ParseStarts(parser.value(starts).toStdString());
        if (!list)
            return Fail(err, QStringLiteral("началните числа трябва да са от 1 до 999, "
                                            "разделени със запетая."));
        sheet.starts = *list;
    } else if (parser.isSet(random)) {
        const auto range = ParseRange(parser.value(random).toStdString());
        if (!range)
            return Fail(err, QStringLiteral("обхватът се пише като 1-20."));
        std::tie(sheet.randomFrom, sheet.randomTo) = *range;
    }
    sheet.largePrint = parser.isSet(large);
    sheet.answers = !parser.isSet(noAnswers);
    return result;
}

} // namespace velmora
