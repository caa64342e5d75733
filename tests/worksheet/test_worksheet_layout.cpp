// SPDX-License-Identifier: GPL-3.0-or-later
// Worksheets laid out for the PDF they will be drawn in, for every kind of sheet a
// teacher can ask for: every text lies whole in its box, its box in its puzzle's cell,
// every cell within the page's margins, no two texts overlap, and every box a pupil
// writes in lies in its cell, apart from the other boxes, with no text over it but its
// own number.

#include "puzzle/catalog.h"
#include "worksheet/worksheet_layout.h"
#include "worksheet/worksheet_pdf.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <map>
#include <variant>

using namespace velmora;

namespace {

// What is wrong with the sheet's layout on an A4 PDF page, or "".
// The kind of a text on a sheet, for comparing print sizes.
QString KindOf(const SheetText& text) {
    if ((text.flags & Qt::AlignCenter) == Qt::AlignCenter)
        return "number in a box";
    if (text.text.startsWith("Велмора"))
        return "title";
    if (text.text.startsWith("Числа:"))
        return "numbers";
    if (text.text.startsWith("Сума"))
        return "answer";
    if (QRegularExpression("^\\d+\\. ").match(text.text).hasMatch())
        return "task";
    return "other";
}

QString Misfit(const Worksheet& sheet, std::map<QString, double>* smallest,
               int* onFirstPage = nullptr, bool* noted = nullptr) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(300);
    pdf.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                    QMarginsF(kSheetMarginMm, kSheetMarginMm, kSheetMarginMm, kSheetMarginMm),
                    QPageLayout::Millimeter));
    QPainter painter(&pdf); // the device's metrics are those of painting
    const QRectF area = painter.viewport();
    const auto inside = [](const QRectF& inner, const QRectF& outer) {
        return outer.adjusted(-0.5, -0.5, 0.5, 0.5).contains(inner);
    };
    const std::vector<SheetPage> pages = LayoutWorksheet(sheet, pdf, area);
    if (onFirstPage)
        *onFirstPage = int(std::count_if(
            pages.front().texts.begin(), pages.front().texts.end(), [](const SheetText& text) {
                return QRegularExpression("^\\d+\\. ").match(text.text).hasMatch();
            }));
    if (noted)
        *noted = std::any_of(pages.front().texts.begin(), pages.front().texts.end(),
                             [](const SheetText& text) { return text.text.contains("вместо"); });
    for (const SheetPage& page : pages) {
        std::vector<QRectF> drawn;
        for (const SheetText& text : page.texts) {
            const QRectF extent = DrawnExtent(text, pdf);
            if (!inside(extent, text.box) || !inside(text.box, text.cell) ||
                !inside(text.cell, area))
                return text.text + " is cut";
            for (const QRectF& other : drawn)
                if (extent.intersects(other))
                    return text.text + " overlaps another text";
            drawn.push_back(extent);
            for (const SheetBox& box : page.boxes)
                if (extent.intersects(box.rect) && !inside(extent, box.rect))
                    return text.text + " is over a box";
            const QString kind = KindOf(text);
            const auto [at, fresh] = smallest->try_emplace(kind, text.font.pointSizeF());
            if (!fresh)
                at->second = std::min(at->second, text.font.pointSizeF());
        }
        for (std::size_t b = 0; b < page.boxes.size(); ++b) {
            const QRectF& box = page.boxes[b].rect;
            if (!inside(box, page.boxes[b].cell) || !inside(page.boxes[b].cell, area))
                return "a box leaves its puzzle";
            // Room for a child's handwriting on the pupil's pages: the box as large as its
            // numbers need. The key's boxes hold printed numbers.
            const WritingBox writing =
                WritingBoxOf(sheet.puzzles[std::size_t(page.boxes[b].puzzle)]);
            const double mm = pdf.logicalDpiY() / 25.4;
            if (page.texts.front().text != QString::fromStdString(WorksheetAnswersTitle()) &&
                (box.width() < writing.width * mm - 0.5 ||
                 box.height() < writing.height * mm - 0.5))
                return QString("a box of %1 × %2 mm is too small to write in")
                    .arg(box.width() / mm, 0, 'f', 1)
                    .arg(box.height() / mm, 0, 'f', 1);
            for (std::size_t other = 0; other < b; ++other) // a grid's boxes share edges
                if (box.adjusted(0.5, 0.5, -0.5, -0.5).intersects(page.boxes[other].rect))
                    return "two boxes overlap";
        }
    }
    return {};
}

// Each page in short: its title's last word, "Име" when it asks for the pupil's name,
// and the numbers of the puzzles on it; pages apart by "|".
QString PagesInShort(const Worksheet& sheet) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    QPainter painter(&pdf);
    QStringList pages;
    for (const SheetPage& page : LayoutWorksheet(sheet, pdf, painter.viewport())) {
        QStringList words{page.texts.front().text.section(' ', -1)};
        for (const SheetText& text : page.texts) {
            if (text.text.startsWith("Име:"))
                words << "Име";
            const QRegularExpressionMatch number =
                QRegularExpression("^(\\d+)\\. ").match(text.text);
            if (number.hasMatch())
                words << number.captured(1);
        }
        pages << words.join(' ');
    }
    return pages.join('|');
}

} // namespace

class WorksheetLayoutTest : public QObject {
    Q_OBJECT

  private slots:
    // The puzzles numbered on across the pages, the name line on the pupil's pages only,
    // the answers after them under their own title, large print two a page.
    void pagesInOrder_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("perPage");
        QTest::addColumn<bool>("large");
        QTest::addColumn<bool>("answers");
        QTest::addColumn<QString>("pages");
        QTest::newRow("nine, four a page")
            << 9 << 4 << false << true
            << "лист Име 1 2 3 4|лист Име 5 6 7 8|лист Име 9|отговори 1 2 3 4|отговори 5 6 7 "
               "8|отговори 9";
        QTest::newRow("no answers") << 3 << 2 << false << false << "лист Име 1 2|лист Име 3";
        QTest::newRow("large print")
            << 3 << 6 << true << true << "лист Име 1 2|лист Име 3|отговори 1 2|отговори 3";
        QTest::newRow("one a page") << 2 << 1 << false << false << "лист Име 1|лист Име 2";
    }
    void pagesInOrder() {
        QFETCH(int, count);
        QFETCH(int, perPage);
        QFETCH(bool, large);
        QFETCH(bool, answers);
        QFETCH(QString, pages);
        WorksheetRequest request;
        request.figures = SheetFigures::Both;
        request.count = count;
        request.perPage = perPage;
        request.largePrint = large;
        request.answers = answers;
        QCOMPARE(PagesInShort(std::get<Worksheet>(MakeWorksheet(request))), pages);
    }

    // Every figure and mix × puzzles a page × large print × one-, three- and four-digit
    // numbers (up to 999 + 11), with given numbers and answers: nothing cut or overlapping,
    // and large print enlarges the numbers too.
    void nothingCut() {
        for (const SheetChoice& choice : SheetChoices())
            for (int perPage = 1; perPage <= 6; ++perPage)
                for (int start : {3, 120, kSheetMaxStart}) {
                    WorksheetRequest request;
                    request.figures = choice.figures;
                    request.count = 6;
                    request.starts = {start, start - 2};
                    request.given = 2;
                    request.perPage = perPage;
                    std::map<QString, double> normal, large;
                    int shown = 0;
                    bool noted = false;
                    const auto sheet = std::get<Worksheet>(MakeWorksheet(request));
                    const QString normalFault = Misfit(sheet, &normal, &shown, &noted);
                    request.largePrint = true;
                    const QString largeFault =
                        Misfit(std::get<Worksheet>(MakeWorksheet(request)), &large);
                    const QByteArray row = QByteArray::fromStdString(choice.key) + " per page " +
                                           QByteArray::number(perPage) + " start " +
                                           QByteArray::number(start) + ": ";
                    QVERIFY2(normalFault.isEmpty(), row + normalFault.toUtf8());
                    QVERIFY2(largeFault.isEmpty(), row + "large " + largeFault.toUtf8());
                    QVERIFY2(normal["number in a box"] >= 6, row); // readable
                    // Fewer a page than asked only to leave room to write, and then said.
                    QCOMPARE(noted, shown < std::min(perPage, request.count));
                    // Large print enlarges every kind of text. The numbers in the boxes: two
                    // a page at most, so from more than that the whole puzzle grows; one or
                    // two already fill the page and stay as large.
                    for (const auto& [kind, size] : normal) {
                        const double larger = kind != "number in a box"    ? 1.25
                                              : shown > kLargePrintPerPage ? 1.3
                                                                           : 0.9;
                        QVERIFY2(large[kind] >= size * larger,
                                 row + kind.toUtf8() + " " + QByteArray::number(large[kind]) +
                                     " vs " + QByteArray::number(size));
                    }
                }
    }

    // The same in every language, the pseudo-language's 40 % longer texts included: every
    // kind of sheet with its longest numbers, normal and large print, nothing cut or
    // overlapping, and no text shrunk below what a pupil reads (6 points; a text shrinks
    // to fit its box) nor much below its Bulgarian size.
    void nothingCutInEveryLanguage() {
        for (const SheetChoice& choice : SheetChoices())
            for (int perPage : {1, 2, 4, 6})
                for (bool large : {false, true}) {
                    WorksheetRequest request;
                    request.figures = choice.figures;
                    request.count = 6;
                    request.starts = {kSheetMaxStart, kSheetMaxStart - 2};
                    request.given = 2;
                    request.perPage = perPage;
                    request.largePrint = large;
                    std::map<QString, double> bulgarian;
                    QVERIFY(
                        Misfit(std::get<Worksheet>(MakeWorksheet(request)), &bulgarian).isEmpty());
                    for (Language language : {Language::English, Language::Ukrainian,
                                              Language::Turkish, Language::Pseudo}) {
                        SetLanguage(language);
                        std::map<QString, double> smallest;
                        const QString fault =
                            Misfit(std::get<Worksheet>(MakeWorksheet(request)), &smallest);
                        SetLanguage(Language::Bulgarian);
                        const QByteArray row =
                            QByteArray::fromStdString(std::string(LanguageCode(language)) + " " +
                                                      choice.key) +
                            " per page " + QByteArray::number(perPage) + (large ? " large" : "") +
                            ": ";
                        QVERIFY2(fault.isEmpty(), row + fault.toUtf8());
                        double least = 1e9, leastBulgarian = 1e9;
                        for (const auto& [kind, size] : smallest)
                            least = std::min(least, size);
                        for (const auto& [kind, size] : bulgarian)
                            leastBulgarian = std::min(leastBulgarian, size);
                        QVERIFY2(least >= 6 && least >= 0.75 * leastBulgarian,
                                 row + QByteArray::number(least) + " pt vs " +
                                     QByteArray::number(leastBulgarian));
                    }
                }
    }
};

QTEST_MAIN(WorksheetLayoutTest)
#include "test_worksheet_layout.moc"
