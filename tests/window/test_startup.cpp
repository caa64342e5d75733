// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The program started as a user would, without the display it needs.
class StartupTest : public QObject {
    Q_OBJECT

    static QProcess* Run(QProcessEnvironment environment, const QStringList& arguments = {}) {
        auto* program = new QProcess;
        program->setProcessEnvironment(environment);
        program->start(QStringLiteral(VELMORA_EXECUTABLE), arguments);
        if (!program->waitForFinished(20000))
            qFatal("velmora did not end");
        return program;
    }

    static QProcessEnvironment WithoutDisplay() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        // Each run keeps its progress in settings of its own: never the user's, nor
        // another run's.
        static QTemporaryDir settings;
        static int runs = 0;
        environment.insert("XDG_CONFIG_HOME", settings.filePath(QString::number(++runs)));
        return environment;
    }

  private slots:
    void noDisplay_data() {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("value");
        QTest::newRow("nothing set") << QString() << QString();
        QTest::newRow("unreachable X display") << "DISPLAY"
                                               << ":97";
        QTest::newRow("unknown platform") << "QT_QPA_PLATFORM"
                                          << "nosuchplatform";
    }
    void noDisplay() {
        QFETCH(QString, variable);
        QFETCH(QString, value);
        QProcessEnvironment environment = WithoutDisplay();
        if (!variable.isEmpty())
            environment.insert(variable, value);
        QScopedPointer<QProcess> program(Run(environment));
        QCOMPARE(program->exitStatus(), QProcess::NormalExit); // no crash, no core dump
        QVERIFY(program->exitCode() != 0);
        const QStringList lines =
            QString::fromUtf8(program->readAllStandardError()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().startsWith("velmora: "), qPrintable(lines.first()));
        QVERIFY(program->readAllStandardOutput().isEmpty());
    }

    // A display named by QT_QPA_PLATFORM alone (offscreen, eglfs and linuxfb kiosks) is
    // enough; the window opens at the zoom asked for.
    void startsWithPlatformOnly_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("width");
        QTest::newRow("plain") << QStringList{} << 481;
        QTest::newRow("zoom 200") << QStringList{"--zoom", "200"} << 962;
        QTest::newRow("practice at 150") << QStringList{"--practice", "--zoom=150"} << 1080;
        QTest::newRow("Qt's own options")
            << QStringList{"-style", "fusion", "-reverse", "--zoom", "125"} << 601;
    }
    void startsWithPlatformOnly() {
        QFETCH(QStringList, arguments);
        QFETCH(int, width);
        QProcessEnvironment environment = WithoutDisplay();
        // A screen as large as a classroom's projector, so no zoom is lowered.
        QTemporaryDir folder;
        QFile screen(folder.filePath("screen.json"));
        QVERIFY(screen.open(QIODevice::WriteOnly));
        screen.write(R"({"screens": [{"name": "projector", "x": 0, "y": 0, "width": 1920,
                         "height": 1200, "logicalDpi": 96}]})");
        screen.close();
        environment.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.fileName());
        environment.insert("VELMORA_REPORT_FIRST_FRAME", "1");
        QScopedPointer<QProcess> program(Run(environment, arguments));
        QCOMPARE(program->exitStatus(), QProcess::NormalExit);
        QCOMPARE(program->exitCode(), 0);
        const QString report = QString::fromUtf8(program->readAllStandardOutput()).trimmed();
        const QStringList size = report.section(' ', 1).split('x');
        QVERIFY2(report.startsWith("first-frame ") && size.size() == 2, qPrintable(report));
        QCOMPARE(size[0].toInt(), width);
        QVERIFY(size[1].toInt() > width * 399 / 481); // the form, its menus and status line
    }

    // A Wayland compositor that is not there, and an X server that goes away while the
    // program runs: one Bulgarian line naming the display, status 1, no core dump.
    void displayTroubleIsOneLine_data() {
        QTest::addColumn<QString>("display");
        QTest::newRow("no Wayland compositor") << "wayland";
        QTest::newRow("X server gone") << "x11";
    }
    void displayTroubleIsOneLine() {
        QFETCH(QString, display);
        QProcessEnvironment environment = WithoutDisplay();
        QTemporaryDir runtime;
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        QProcess server;
        if (display == "wayland") {
            environment.insert("QT_QPA_PLATFORM", "wayland");
            environment.insert("WAYLAND_DISPLAY", "velmora-nowhere");
        } else {
            server.start("Xvfb", {":76", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
            QVERIFY(server.waitForStarted());
            QTest::qWait(800);
            environment.insert("DISPLAY", ":76");
        }
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(VELMORA_EXECUTABLE));
        QVERIFY(program.waitForStarted());
        if (display == "x11") {
            QTest::qWait(1500); // the window is up
            QCOMPARE(program.state(), QProcess::Running);
            server.terminate();
            QVERIFY(server.waitForFinished(5000));
        }
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        const QStringList lines =
            QString::fromUtf8(program.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().startsWith("velmora: ") &&
                     lines.first().contains(display == "x11" ? "DISPLAY=:76" : "velmora-nowhere"),
                 qPrintable(lines.first()));
    }

    // Asking for the version or help needs no display.
    void informationWithoutDisplay_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("version") << "--version" << 0 << "1.00";
        QTest::newRow("help") << "--help" << 0 << "Употреба: velmora [опции]";
        QTest::newRow("unknown") << "--colour" << 2 << "";
    }
    void informationWithoutDisplay() {
        QFETCH(QString, option);
        QFETCH(int, exitCode);
        QFETCH(QString, firstLine);
        QScopedPointer<QProcess> program(Run(WithoutDisplay(), {option}));
        QCOMPARE(program->exitStatus(), QProcess::NormalExit);
        QCOMPARE(program->exitCode(), exitCode);
        const QString out = QString::fromUtf8(program->readAllStandardOutput());
        if (firstLine.isEmpty())
            QVERIFY(out.isEmpty() && !program->readAllStandardError().isEmpty());
        else
            QCOMPARE(out.section('\n', 0, 0), firstLine);
    }

    // A worksheet from the command line is written in the language --language asks for,
    // else in the desktop's: the pseudo-language's padding in its text, another language's
    // words, or the Bulgarian sheet's.
    void worksheetInTheLanguageAsked_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("sheet"); // "bulgarian", "other" or "pseudo"
        QTest::newRow("asked") << "" << QStringList{"--language", "pseudo"} << "pseudo";
        QTest::newRow("asked over the desktop's")
            << "uk_UA.UTF-8" << QStringList{"--language=pseudo"} << "pseudo";
        QTest::newRow("the desktop's") << "uk_UA.UTF-8" << QStringList{} << "other";
        QTest::newRow("Bulgarian asked over the desktop's")
            << "tr_TR.UTF-8" << QStringList{"--language", "bg"} << "bulgarian";
        QTest::newRow("never the pseudo-language from the desktop")
            << "pseudo" << QStringList{} << "bulgarian";
    }
    void worksheetInTheLanguageAsked() {
        QFETCH(QString, locale);
        QFETCH(QStringList, arguments);
        QFETCH(QString, sheet);
        const auto write = [](const QString& locale, const QStringList& arguments) {
            QTemporaryDir folder;
            const QString pdf = folder.filePath("sheet.pdf");
            QProcessEnvironment environment = WithoutDisplay();
            environment.insert("LC_MESSAGES", locale);
            QScopedPointer<QProcess> program(
                Run(environment, QStringList{"--worksheet", pdf, "--seed", "5"} + arguments));
            QProcess text;
            text.start("pdftotext", {"-l", "1", pdf, "-"});
            text.waitForFinished();
            return program->exitCode() == 0 ? QString::fromUtf8(text.readAllStandardOutput())
                                            : QString();
        };
        const QString bulgarian = write("bg_BG.UTF-8", {});
        QVERIFY(bulgarian.contains(QRegularExpression("[А-Яа-я]{5,}")));
        const QString page = write(locale, arguments);
        QVERIFY(!page.isEmpty());
        QCOMPARE(page.contains(QStringLiteral("ŵ")), sheet == "pseudo");
        QCOMPARE(page == bulgarian, sheet == "bulgarian");
    }
};

QTEST_GUILESS_MAIN(StartupTest)
#include "test_startup.moc"
