// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/command_line.h"
#include "window/language.h"
#include "window/texts.h"

#include <QHash>
#include <QTest>
#include <QTextStream>
#include <algorithm>

using namespace velmora;

Q_DECLARE_METATYPE(std::optional<velmora::Language>)

class CommandLineTest : public QObject {
    Q_OBJECT

  private slots:
    void parse_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QString>("out"); // a line the output must hold
        QTest::addColumn<QString>("err"); // a line the error output must hold
        QTest::newRow("nothing") << QStringList{} << true << 0 << 100 << ""
                                 << "";
        QTest::newRow("version") << QStringList{"--version"} << false << 0 << 100 << "1.00"
                                 << "";
        QTest::newRow("short version") << QStringList{"-v"} << false << 0 << 100 << "1.00"
                                       << "";
        QTest::newRow("help") << QStringList{"--help"} << false << 0 << 100
                              << "Употреба: velmora [опции]"
                              << "";
        QTest::newRow("zoom") << QStringList{"--zoom", "200"} << true << 0 << 200 << ""
                              << "";
        QTest::newRow("zoom with equals") << QStringList{"--zoom=150"} << true << 0 << 150 << ""
                                          << "";
        QTest::newRow("zoom off the steps")
            << QStringList{"--zoom", "120"} << false << 2 << 100 << ""
            << "velmora: мащабът трябва да е едно от "
               "100, 125, 150, 175, 200, 250, 300.";
        QTest::newRow("zoom not a number")
            << QStringList{"--zoom", "много"} << false << 2 << 100 << ""
            << "Вижте „velmora --help“.";
        QTest::newRow("zoom without value") << QStringList{"--zoom"} << false << 2 << 100 << ""
                                            << "velmora: липсва стойност на опцията „--zoom“.";
        QTest::newRow("sheet count without value")
            << QStringList{"--worksheet", "a.pdf", "-count"} << false << 2 << 100 << ""
            << "velmora: липсва стойност на опцията „-count“.";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << false << 2 << 100 << ""
                                        << "velmora: непозната опция „--bogus“.";
        QTest::newRow("unknown with value") << QStringList{"-colour=red"} << false << 2 << 100 << ""
                                            << "velmora: непозната опция „-colour“.";
        // The options Qt documents for every program are Qt's, with their values.
        QTest::newRow("qt style") << QStringList{"-style", "fusion", "--zoom", "150"} << true << 0
                                  << 150 << ""
                                  << "";
        QTest::newRow("qt options")
            << QStringList{"-platform", "offscreen", "-reverse", "--style=fusion", "-display", ":0"}
            << true << 0 << 100 << ""
            << "";
        QTest::newRow("argument") << QStringList{"file.txt"} << false << 2 << 100 << ""
                                  << "velmora: неочакван аргумент „file.txt“.";
    }
    void parse() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, opens);
        QFETCH(int, exitCode);
        QFETCH(int, zoom);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QString outText, errText;
        QTextStream outStream(&outText), errStream(&errText);
        const CommandLine result =
            ParseCommandLine(QStringList{"velmora"} + arguments, outStream, errStream);
        outStream.flush();
        errStream.flush();
        QCOMPARE(result.openWindow, opens);
        QCOMPARE(result.exitCode, exitCode);
        if (opens)
            QCOMPARE(result.zoomPercent, zoom);
        QVERIFY2(out.isEmpty() ? outText.isEmpty() : outText.split('\n').contains(out),
                 qPrintable(outText));
        QVERIFY2(err.isEmpty() ? errText.isEmpty() : errText.split('\n').contains(err),
                 qPrintable(errText));
    }

    // --practice opens the window in practice, alone or with the zoom.
    void practiceOption_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("practice");
        QTest::newRow("without") << QStringList{"--zoom", "150"} << false;
        QTest::newRow("alone") << QStringList{"--practice"} << true;
        QTest::newRow("with zoom") << QStringList{"--zoom", "150", "--practice"} << true;
        QTest::newRow("presenting") << QStringList{"--fullscreen", "--practice"} << true;
    }
    void practiceOption() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, practice);
        QString outText, errText;
        QTextStream outStream(&outText), errStream(&errText);
        const CommandLine result =
            ParseCommandLine(QStringList{"velmora"} + arguments, outStream, errStream);
        QVERIFY(result.openWindow);
        QCOMPARE(result.practice, practice);
        QCOMPARE(result.fullScreen, arguments.contains("--fullscreen"));
    }

    // Each worksheet option reaches the sheet asked for; without --worksheet each one is
    // refused by its name, so a teacher is never left wondering where the PDF went.
    void worksheetOptions_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("sheet"); // the request read, or the error line
        const QStringList pdf{"--worksheet", "a.pdf"};
        QTest::newRow("defaults") << pdf << "a.pdf triangle 4 [] 1-99 seed 1 given 0 per 4";
        QTest::newRow("every option")
            << pdf + QStringList{"--figure",   "both",   "--count", "9",           "--start",
                                 "3,7",        "--seed", "12",      "--given",     "2",
                                 "--per-page", "6",      "--large", "--no-answers"}
            << "a.pdf both 9 [3,7] 1-99 seed 12 given 2 per 6 large no-answers";
        QTest::newRow("rhombus, random")
            << pdf + QStringList{"--figure", "rhombus", "--random", "5-20"}
            << "a.pdf rhombus 4 [] 5-20 seed 1 given 0 per 4";
        for (const SheetChoice& choice : SheetChoices()) {
            const QString key = QString::fromStdString(choice.key);
            const auto count = std::max<std::size_t>(4, choice.figures.size()); // each shown
            QTest::addRow("figure %s", qPrintable(key))
                << pdf + QStringList{"--figure", key}
                << "a.pdf " + key + " " + QString::number(count) + " [] 1-99 seed 1 given 0 per 4";
        }
        QTest::newRow("figure pentagon")
            << pdf + QStringList{"--figure", "pentagon"}
            << "velmora: фигурата трябва да е v, triangle, rhombus, big-triangle, star, square, "
               "both или all.";
        const QStringList refused[] = {{"--figure", "Star"},
                                       {"--figure", "b"},
                                       {"--count", "x"},
                                       {"--seed", "-1"},
                                       {"--start", "3,"},
                                       {"--random", "7"},
                                       {"--start", "3", "--random", "1-5"},
                                       {"--given", "two"}};
        for (const QStringList& wrong : refused)
            QTest::addRow("refused %s", qPrintable(wrong.join(' '))) << pdf + wrong << "velmora:";
        for (const QString& option :
             QStringList{"--figure=both", "--count=2", "--start=3", "--random=1-5", "--seed=2",
                         "--given=1", "--per-page=2", "--large", "--no-answers"})
            QTest::addRow("%s alone", qPrintable(option))
                << QStringList{option}
                << "velmora: опцията „" + option.section('=', 0, 0) + "“ е само за --worksheet.";
    }
    void worksheetOptions() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, sheet);
        QString outText, errText;
        QTextStream outStream(&outText), errStream(&errText);
        const CommandLine result =
            ParseCommandLine(QStringList{"velmora"} + arguments, outStream, errStream);
        errStream.flush();
        if (sheet.startsWith("velmora:")) {
            QCOMPARE(result.exitCode, 2);
            QVERIFY(!result.openWindow);
            QVERIFY2(errText.startsWith(sheet), qPrintable(errText));
            return;
        }
        const WorksheetRequest& r = result.worksheet;
        QStringList starts;
        for (int start : r.starts)
            starts << QString::number(start);
        QString figures; // the choice read, by its key
        for (const SheetChoice& choice : SheetChoices())
            if (choice.figures == r.figures)
                figures = QString::fromStdString(choice.key);
        const QString read = QString("%1 %2 %3 [%4] %5-%6 seed %7 given %8 per %9")
                                 .arg(result.worksheetPath, figures, QString::number(r.count),
                                      starts.join(','), QString::number(r.randomFrom),
                                      QString::number(r.randomTo), QString::number(r.seed),
                                      QString::number(r.given), QString::number(r.perPage)) +
                             (r.largePrint ? " large" : "") + (r.answers ? "" : " no-answers");
        QCOMPARE(read, sheet);
        QVERIFY(errText.isEmpty());
    }

    // --language: each of ours by its code (or a locale's name), the test language too;
    // an unknown one or none at all is refused in a line of its own. The help and the
    // errors are in the language asked for, and the language in force is left as it was.
    void language_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<std::optional<Language>>("language"); // nullopt: refused
        QTest::addColumn<QString>("err"); // the error line, in the language in force
        const QString known = "bg, en, uk, tr";
        QTest::newRow("none") << QStringList{"--zoom", "150"} << std::optional<Language>() << "";
        QTest::newRow("en") << QStringList{"--language", "en"} << std::optional(Language::English)
                            << "";
        QTest::newRow("uk with equals")
            << QStringList{"--language=uk"} << std::optional(Language::Ukrainian) << "";
        QTest::newRow("tr, single dash") << QStringList{"-language", "tr", "--practice"}
                                         << std::optional(Language::Turkish) << "";
        QTest::newRow("bg") << QStringList{"--language", "bg"} << std::optional(Language::Bulgarian)
                            << "";
        QTest::newRow("a locale's name")
            << QStringList{"--language", "uk_UA.UTF-8"} << std::optional(Language::Ukrainian) << "";
        QTest::newRow("the test language")
            << QStringList{"--language", "pseudo"} << std::optional(Language::Pseudo) << "";
        QTest::newRow("with a worksheet") << QStringList{"--worksheet", "a.pdf", "--language", "tr"}
                                          << std::optional(Language::Turkish) << "";
        QTest::newRow("unknown") << QStringList{"--language", "de"} << std::optional<Language>()
                                 << "velmora: непознат език „de“; езиците са " + known + ".";
        QTest::newRow("empty") << QStringList{"--language="} << std::optional<Language>()
                               << "velmora: непознат език „“; езиците са " + known + ".";
        QTest::newRow("missing value")
            << QStringList{"--practice", "--language"} << std::optional<Language>()
            << "velmora: липсва стойност на опцията „--language“.";
    }
    void language() {
        QFETCH(QStringList, arguments);
        QFETCH(std::optional<Language>, language);
        QFETCH(QString, err);
        QString outText, errText;
        QTextStream outStream(&outText), errStream(&errText);
        const CommandLine result =
            ParseCommandLine(QStringList{"velmora"} + arguments, outStream, errStream);
        errStream.flush();
        QCOMPARE(CurrentLanguage(), Language::Bulgarian);
        if (err.isEmpty()) {
            QVERIFY2(result.openWindow && errText.isEmpty(), qPrintable(errText));
            QCOMPARE(result.language, language);
        } else {
            QCOMPARE(result.exitCode, 2);
            QVERIFY(!result.openWindow);
            QVERIFY2(errText.split('\n').contains(err), qPrintable(errText));
        }
    }

    // What the program prints is in the language asked for, whatever the option's place.
    void messagesInTheLanguageAsked_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message"); // the catalog's message printed, in Bulgarian
        QTest::newRow("help") << QStringList{"--help", "--language", "pseudo"}
                              << "Употреба: velmora [опции]";
        QTest::newRow("error before it")
            << QStringList{"--zoom", "120", "--language=pseudo"} << "Вижте „velmora --help“.";
        QTest::newRow("unknown option")
            << QStringList{"--language", "pseudo", "--bogus"} << "Вижте „velmora --help“.";
    }
    void messagesInTheLanguageAsked() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        QString outText, errText;
        QTextStream outStream(&outText), errStream(&errText);
        (void)ParseCommandLine(QStringList{"velmora"} + arguments, outStream, errStream);
        outStream.flush();
        errStream.flush();
        QString pseudo;
        {
            const LanguageScope test(Language::Pseudo);
            pseudo = Q(Tr(message.toUtf8().constData()));
        }
        QVERIFY(pseudo != message);
        const QStringList lines = (outText + errText).split('\n');
        QVERIFY2(lines.contains(pseudo), qPrintable(outText + errText));
        QVERIFY(!lines.contains(message));
    }

    // --language is listed with the languages it takes.
    void helpListsLanguage() {
        QString outText, errText;
        QTextStream outStream(&outText), errStream(&errText);
        (void)ParseCommandLine({"velmora", "--help"}, outStream, errStream);
        outStream.flush();
        const QStringList lines = outText.split('\n').filter("--language <език>");
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().contains("bg, en, uk, tr"), qPrintable(lines.first()));
    }

    // The desktop's language, read as gettext reads the locale: LANGUAGE's list first
    // (unless the locale is C), then the first of LC_ALL, LC_MESSAGES and LANG that is set.
    void languageOfLocale_data() {
        QTest::addColumn<QString>("environment"); // NAME=value, separated by spaces
        QTest::addColumn<std::optional<Language>>("language");
        const auto row = [](const char* name, const char* environment,
                            std::optional<Language> language) {
            QTest::newRow(name) << QString(environment) << language;
        };
        row("nothing set", "", std::nullopt);
        row("Ukrainian", "LANG=uk_UA.UTF-8", Language::Ukrainian);
        row("English", "LANG=en_GB.UTF-8", Language::English);
        row("Turkish, no country", "LANG=tr", Language::Turkish);
        row("Bulgarian", "LANG=bg_BG.UTF-8", Language::Bulgarian);
        row("LC_ALL over LANG", "LC_ALL=tr_TR.UTF-8 LANG=uk_UA.UTF-8", Language::Turkish);
        row("LC_MESSAGES over LANG", "LC_MESSAGES=en_US.UTF-8 LANG=bg_BG.UTF-8", Language::English);
        row("LC_ALL over LC_MESSAGES", "LC_ALL=uk_UA.UTF-8 LC_MESSAGES=en_US.UTF-8",
            Language::Ukrainian);
        row("none of ours", "LANG=de_DE.UTF-8", std::nullopt);
        row("LANGUAGE's first of ours", "LANGUAGE=de:uk:en LANG=de_DE.UTF-8", Language::Ukrainian);
        row("LANGUAGE over LC_ALL", "LANGUAGE=en LC_ALL=tr_TR.UTF-8", Language::English);
        row("LANGUAGE none of ours", "LANGUAGE=de:fr LANG=uk_UA.UTF-8", Language::Ukrainian);
        row("C ignores LANGUAGE", "LANGUAGE=uk LANG=C.UTF-8", std::nullopt);
        row("POSIX ignores LANGUAGE", "LANGUAGE=uk LC_ALL=POSIX LANG=en_US.UTF-8", std::nullopt);
        row("the test language is never the desktop's", "LANG=pseudo", std::nullopt);
    }
    void languageOfLocale() {
        QFETCH(QString, environment);
        QFETCH(std::optional<Language>, language);
        QHash<QString, QString> variables;
        for (const QString& each : environment.split(' ', Qt::SkipEmptyParts))
            variables.insert(each.section('=', 0, 0), each.section('=', 1));
        QCOMPARE(LanguageOfLocale([&](const char* name) { return variables.value(name); }),
                 language);
    }

    // Every option is listed, each with a Bulgarian description.
    void helpListsEveryOption() {
        QString outText, errText;
        QTextStream outStream(&outText), errStream(&errText);
        (void)ParseCommandLine({"velmora", "-h"}, outStream, errStream);
        outStream.flush();
        for (const char* option :
             {"-h, --help", "-v, --version", "--zoom <процент>", "--practice", "--fullscreen",
              "--worksheet <файл>", "--figure <фигура>", "--count <брой>", "--start <числа>",
              "--random <обхват>", "--seed <число>", "--given <брой>", "--per-page <брой>",
              "--large", "--no-answers"}) {
            const QStringList lines = outText.split('\n').filter(QString::fromUtf8(option));
            QCOMPARE(lines.size(), 1);
            QVERIFY2(lines.first().contains(QRegularExpression("[А-Яа-я]{4,}")),
                     qPrintable(lines.first()));
        }
    }
};

QTEST_APPLESS_MAIN(CommandLineTest)
#include "test_command_line.moc"
