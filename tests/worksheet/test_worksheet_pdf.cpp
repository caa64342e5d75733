// SPDX-License-Identifier: GPL-3.0-or-later
// Worksheets as a teacher makes them from the command line, read back with poppler's
// tools: the text on each page, the page count, the drawing, and the refusals.

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out, err;
};

Run Start(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        qFatal("%s did not end", qPrintable(program));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

Run Velmora(const QStringList& arguments) {
    return Start(QStringLiteral(VELMORA_EXECUTABLE), arguments);
}

int Pages(const QString& pdf) {
    const QString info = Start("pdfinfo", {pdf}).out;
    for (const QString& line : info.split('\n'))
        if (line.startsWith("Pages:"))
            return line.section(':', 1).trimmed().toInt();
    return -1;
}

// The text of one page, blanks folded.
QString PageText(const QString& pdf, int page) {
    const QString text =
        Start("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), pdf, "-"})
            .out;
    return text.simplified();
}

} // namespace

class WorksheetPdfTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    QString Pdf(const QString& name) const { return folder_.filePath(name + ".pdf"); }

  private slots:
    // Sheets and what their pages hold: every series on the puzzle pages, the sums only
    // on the answer pages.
    void sheets_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QStringList>("firstPage");
        QTest::addColumn<QStringList>("lastPage");
        QTest::newRow("one triangle")
            << QStringList{"--start", "7", "--count", "1"} << 2
            << QStringList{"Числа: 7, 8, 9, 10, 11, 12", "всяка страна", "друга сума?", "Име:"}
            << QStringList{"отговори",
                           "27",
                           "28",
                           "29",
                           "30",
                           "вярно е и с",
                           "вярна е всяка подредба, в която сумите на страните са равни"};
        QTest::newRow("both, no answers")
            << QStringList{"--start", "7,20", "--figure", "both", "--count", "2", "--no-answers"}
            << 1
            << QStringList{"Числа: 7, 8, 9, 10, 11, 12", "Числа: 20, 21, 22, 23, 24, 25, 26, 27",
                           "всяка двойка"}
            << QStringList{"Числа: 20, 21"};
        QTest::newRow("all six, largest numbers")
            << QStringList{"--start", "999", "--figure", "all", "--count", "6", "--per-page", "2"}
            << 12
            << QStringList{"по 1 задача (вместо 2)", "всяко рамо",
                           "Числа: 999, 1000, 1001, 1002, 1003"}
            << QStringList{"всеки ред, стълб и диагонал", "Сума 3009", "не е възможна"};
        QTest::newRow("nine at four a page") << QStringList{"--count", "9", "--per-page", "4"} << 6
                                             << QStringList{"1.", "4."} << QStringList{"9."};
        QTest::newRow("sixty at six a page")
            << QStringList{"--count", "60", "--per-page", "6", "--no-answers"} << 15
            << QStringList{"по 4 задачи (вместо 6)", "4."} << QStringList{"60."};
        QTest::newRow("largest rhombus")
            << QStringList{"--start", "999", "--figure", "rhombus", "--count", "1"} << 2
            << QStringList{"Числа: 999, 1000, 1001, 1002, 1003, 1004, 1005, 1006"}
            << QStringList{"999 + 1006 = 2005", "Сума 2005 (друга сума не е възможна)"};
        QTest::newRow("given and large")
            << QStringList{"--start", "5", "--count", "1", "--given", "3", "--large"} << 2
            << QStringList{"Числа: 5, 6, 7, 8, 9, 10"} << QStringList{"Сума 2"};
    }
    void sheets() {
        QFETCH(QStringList, arguments);
        QFETCH(int, pages);
        QFETCH(QStringList, firstPage);
        QFETCH(QStringList, lastPage);
        const QString pdf = Pdf(QTest::currentDataTag());
        const Run run = Velmora(QStringList{"--worksheet", pdf} + arguments);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(Pages(pdf), pages);
        const QString first = PageText(pdf, 1), last = PageText(pdf, pages);
        for (const QString& text : firstPage)
            QVERIFY2(first.contains(text), qPrintable(text + " ∉ " + first));
        for (const QString& text : lastPage)
            QVERIFY2(last.contains(text), qPrintable(text + " ∉ " + last));
        const bool answers = !arguments.contains("--no-answers");
        for (int page = 1; page <= pages; ++page) // sums on the answer pages alone
            QCOMPARE(PageText(pdf, page).contains("Сума "), answers && page > pages / 2);
    }

    // The same variant prints the same pages, to the pixel; another variant another
    // sheet, even with the same start numbers (other given numbers, other answers).
    void variants() {
        int made = 0;
        const auto printed = [&](const QStringList& options) {
            const QString name = folder_.filePath("variant" + QString::number(++made));
            Velmora(QStringList{"--worksheet", name + ".pdf", "--count", "8", "--given", "2"} +
                    options);
            Start("pdftoppm", {"-r", "30", "-png", name + ".pdf", name});
            QByteArray pixels;
            const QStringList pages =
                QDir(folder_.path()).entryList({QFileInfo(name).fileName() + "-*.png"});
            for (const QString& page : pages) {
                const QImage image(folder_.filePath(page));
                pixels += QByteArray(reinterpret_cast<const char*>(image.constBits()),
                                     image.sizeInBytes());
            }
            return pixels;
        };
        const QStringList random{"--random", "1-500"}, fixed{"--start", "7"};
        QVERIFY(!printed(random + QStringList{"--seed", "5"}).isEmpty());
        QCOMPARE(printed(random + QStringList{"--seed", "5"}),
                 printed(random + QStringList{"--seed", "5"}));
        QVERIFY(printed(random + QStringList{"--seed", "5"}) !=
                printed(random + QStringList{"--seed", "6"}));
        QVERIFY(printed(fixed + QStringList{"--seed", "5"}) !=
                printed(fixed + QStringList{"--seed", "6"}));
    }

    // The drawing, rendered: the outline and the boxes are on the page, and the boxes
    // are empty (white inside) where nothing is given.
    void drawing() {
        const QString pdf = Pdf("drawing");
        QCOMPARE(Velmora({"--worksheet", pdf, "--start", "7", "--count", "1", "--per-page", "1",
                          "--no-answers"})
                     .exitCode,
                 0);
        QCOMPARE(
            Start("pdftoppm", {"-r", "40", "-png", "-singlefile", pdf, folder_.filePath("drawing")})
                .exitCode,
            0);
        const QImage page(folder_.filePath("drawing.png"));
        QVERIFY(!page.isNull());

        int edges = 0;
        for (int y = page.height() / 5; y < page.height() * 9 / 10; ++y) {
            int run = 0, longest = 0;
            for (int x = 0; x < page.width(); ++x) {
                run = qGray(page.pixel(x, y)) < 100 ? run + 1 : 0;
                longest = std::max(longest, run);
            }
            edges += longest >= 12;
        }
        QVERIFY2(edges >= 6, qPrintable(QString::number(edges))); // three rows of boxes
    }

    // Wrong values: one Bulgarian line, status 2, and no file.
    void refusals_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("start 0") << QStringList{"--start", "0"};
        QTest::newRow("start 1000") << QStringList{"--start", "7,1000"};
        QTest::newRow("count 0") << QStringList{"--count", "0"};
        QTest::newRow("count 61") << QStringList{"--count", "61"};
        QTest::newRow("backwards range") << QStringList{"--random", "9-2"};
        QTest::newRow("figure") << QStringList{"--figure", "pentagon"};
        QTest::newRow("start and random") << QStringList{"--start", "3", "--random", "1-5"};
        QTest::newRow("given too many") << QStringList{"--given", "9"};
        QTest::newRow("seven a page") << QStringList{"--per-page", "7"};
        QTest::newRow("unwritable") << QStringList{"--count", "2"};
    }
    void refusals() {
        QFETCH(QStringList, arguments);
        const QString pdf = QTest::currentDataTag() == QByteArray("unwritable")
                                ? folder_.filePath("missing/folder/sheet.pdf")
                                : Pdf("refused");
        const Run run = Velmora(QStringList{"--worksheet", pdf} + arguments);
        QCOMPARE(run.exitCode, 2);
        const QStringList lines = run.err.split('\n', Qt::SkipEmptyParts).filter("velmora:");
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines.first().contains(QRegularExpression("[а-я]{3}")));
        // A failure of the system is said in the teacher's language, not the system's
        // English: no Latin word beside the paths.
        const QString words =
            QString(lines.first()).remove("velmora:").remove(QRegularExpression("„[^“]*“"));
        if (QTest::currentDataTag() == QByteArray("unwritable"))
            QVERIFY2(!words.contains(QRegularExpression("[A-Za-z]{3}")), qPrintable(lines.first()));
        QVERIFY(!QFile::exists(pdf));
    }
};

QTEST_GUILESS_MAIN(WorksheetPdfTest)
#include "test_worksheet_pdf.moc"
