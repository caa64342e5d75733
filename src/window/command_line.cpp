// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/command_line.h"

#include "window/zoom.h"

#include <QCommandLineParser>
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
    out << "\nВ прозореца Ctrl++ увеличава, Ctrl+- намалява, а Ctrl+0 връща мащаба на 100 %.\n";
}

CommandLine Fail(QTextStream& err, const QString& message) {
    err << "velmora: " << message << "\nВижте „velmora --help“.\n";
    return {false, 2, 100};
}

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    const QCommandLineOption help({"h", "help"}, "Показва тази помощ и излиза.");
    const QCommandLineOption version({"v", "version"}, "Показва версията и излиза.");
    const QCommandLineOption zoom("zoom", "Мащаб на прозореца в проценти: " + ZoomStepsText() + ".",
                                  "процент", "100");
    const QCommandLineOption practice("practice", "Започва в упражнение: ученикът сам подрежда "
                                                  "числата.");
    const QList<QCommandLineOption> options{help, version, zoom, practice};

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(options);
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        return Fail(err, unknown.isEmpty() ? QStringLiteral("липсва стойност на опция.")
                                           : "непозната опция „" + unknown.first() + "“.");
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
    return {true, 0, percent, parser.isSet(practice)};
}

} // namespace velmora
