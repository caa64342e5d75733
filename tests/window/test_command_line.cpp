// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/command_line.h"

#include <QTest>
#include <QTextStream>
#include <algorithm>

using namespace velmora;

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
