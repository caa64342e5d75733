// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/command_line.h"

#include <QTest>
#include <QTextStream>

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
                                            << "velmora: липсва стойност на опция.";
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

    // Every option is listed, each with a Bulgarian description.
    void helpListsEveryOption() {
        QString outText, errText;
        QTextStream outStream(&outText), errStream(&errText);
        (void)ParseCommandLine({"velmora", "-h"}, outStream, errStream);
        outStream.flush();
        for (const char* option :
             {"-h, --help", "-v, --version", "--zoom <процент>", "--practice", "--fullscreen"}) {
            const QStringList lines = outText.split('\n').filter(QString::fromUtf8(option));
            QCOMPARE(lines.size(), 1);
            QVERIFY2(lines.first().contains(QRegularExpression("[А-Яа-я]{4,}")),
                     qPrintable(lines.first()));
        }
    }
};

QTEST_APPLESS_MAIN(CommandLineTest)
#include "test_command_line.moc"
