// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/command_line.h"

#include "window/zoom.h"

#include <QCommandLineParser>
#include <QHash>
#include <QTextStream>

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
           "Велмора от числа: поредни числа в триъгълник или ромб с равни суми.\n\n"
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
    const QList<QCommandLineOption> options{help, version, zoom, practice, fullScreen};

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(options);
    if (!parser.parse(WithoutQtOptions(arguments))) {
        const QStringList unknown = parser.unknownOptionNames();
        return Fail(err, unknown.isEmpty()
                             ? QStringLiteral("липсва стойност на опция.")
                             : "непозната опция „" + AsTyped(arguments, unknown.first()) + "“.");
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
    return {true, 0, percent, parser.isSet(practice), parser.isSet(fullScreen)};
}

} // namespace velmora
