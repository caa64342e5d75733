// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/worksheet_pdf.h"

#include "puzzle/outline.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextStream>

#include <algorithm>
#include <array>

namespace velmora {
namespace {

// The figures' places as the window lays them out, in twips: the sheet draws the
// same figures.
constexpr std::array<LabelBox, 6> kTrianglePlaces{{{1320, 2400, 735, 375},
                                                   {3360, 480, 735, 375},
                                                   {5400, 2400, 735, 375},
                                                   {4560, 1440, 735, 375},
                                                   {3360, 2400, 735, 375},
                                                   {2040, 1440, 735, 375}}};
constexpr std::array<LabelBox, 4> kRhombusPlaces{{{2880, 600, 1215, 615},
                                                  {840, 1800, 1215, 615},
                                                  {2880, 3000, 1215, 615},
                                                  {4920, 1800, 1215, 615}}};
// Both figures fit this frame of the layout.
const QRectF kFigureFrame(QPointF(840, 480), QPointF(6135, 3615));

class PageDrawer {
  public:
    PageDrawer(QPainter& painter, const Worksheet& sheet)
        : painter_(painter)
        , sheet_(sheet)
        , dpi_(painter.device()->logicalDpiY())
        , scale_(sheet.largePrint ? 1.5 : 1.0) {}

    void Draw() {
        const int pages = sheet_.PuzzlePages();
        for (int page = 0; page < pages; ++page)
            DrawPage(page, false);
        for (int page = 0; sheet_.answers && page < pages; ++page)
            DrawPage(page, true);
    }

  private:
    double Mm(double mm) const { return mm * dpi_ / 25.4; }

    QFont Font(double points, bool bold = false) const {
        QFont font(QStringLiteral("Times New Roman"));
        font.setPointSizeF(points * scale_);
        font.setBold(bold);
        return font;
    }

    void NewPage(bool& first) {
        if (!first)
            static_cast<QPagedPaintDevice*>(painter_.device())->newPage();
        first = false;
    }

    void DrawPage(int page, bool answers) {
        NewPage(first_);
        const QRectF area = painter_.viewport();
        painter_.setPen(Qt::black);
        painter_.setFont(Font(16, true));
        const QString title = answers ? QStringLiteral("Велмора от числа — отговори")
                                      : QStringLiteral("Велмора от числа — работен лист");
        const double titleHeight = QFontMetricsF(painter_.font()).height();
        painter_.drawText(QRectF(0, 0, area.width(), titleHeight), Qt::AlignHCenter, title);
        double top = titleHeight + Mm(3);
        if (!answers) {
            painter_.setFont(Font(11));
            const double line = QFontMetricsF(painter_.font()).height();
            painter_.drawText(QRectF(0, top, area.width(), line), Qt::AlignLeft,
                              QStringLiteral("Име: ______________________________   Клас: "
                                             "________   Дата: ________________"));
            top += line + Mm(3);
        }
        const int perPage = sheet_.perPage;
        const int columns = perPage == 1 ? 1 : 2;
        const int rows = (perPage + columns - 1) / columns;
        const double width = area.width() / columns, height = (area.height() - top) / rows;
        for (int i = 0; i < perPage; ++i) {
            const int index = page * perPage + i;
            if (index >= static_cast<int>(sheet_.puzzles.size()))
                break;
            const QRectF cell(width * (i % columns), top + height * (i / columns), width, height);
            DrawPuzzle(sheet_.puzzles[static_cast<std::size_t>(index)], index + 1,
                       cell.adjusted(Mm(2), Mm(2), -Mm(2), -Mm(2)), answers);
        }
    }

    void DrawPuzzle(const SheetPuzzle& puzzle, int number, const QRectF& cell, bool answers) {
        painter_.setFont(Font(10));
        const QFontMetricsF metrics(painter_.font());
        const QRectF taskBox(cell.left(), cell.top(), cell.width(), metrics.height() * 2.2);
        painter_.drawText(taskBox, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                          QString::number(number) + ". " + QString::fromStdString(puzzle.task));
        QString numbers;
        for (std::int32_t n : puzzle.numbers)
            numbers += (numbers.isEmpty() ? "" : ", ") + QString::number(n);
        QString footer = QStringLiteral("Числа: ") + numbers;
        if (answers)
            footer += QStringLiteral("   Сума: ") + QString::number(puzzle.sum);
        const QRectF footerBox(cell.left(), cell.bottom() - metrics.height(), cell.width(),
                               metrics.height());
        painter_.drawText(footerBox, Qt::AlignLeft, footer);
        DrawFigure(puzzle,
                   QRectF(cell.left(), taskBox.bottom() + Mm(1), cell.width(),
                          footerBox.top() - taskBox.bottom() - Mm(2)),
                   answers ? puzzle.solution : puzzle.shown);
    }

    void DrawFigure(const SheetPuzzle& puzzle, const QRectF& room,
                    const std::vector<std::string>& captions) {
        const double factor =
            std::min(room.width() / kFigureFrame.width(), room.height() / kFigureFrame.height());
        const QPointF origin(room.center().x() - kFigureFrame.center().x() * factor,
                             room.center().y() - kFigureFrame.center().y() * factor);
        const auto map = [&](double x, double y) { return origin + QPointF(x, y) * factor; };
        const bool triangle = puzzle.figure == FigureMode::Triangle;
        std::vector<LabelBox> places(kTrianglePlaces.begin(), kTrianglePlaces.end());
        if (!triangle)
            places.assign(kRhombusPlaces.begin(), kRhombusPlaces.end());
        const std::vector<Segment> outline =
            triangle ? TriangleOutline({places[0], places[1], places[2]})
                     : RhombusOutline({places[0], places[1], places[2], places[3]});
        painter_.setPen(QPen(Qt::black, Mm(0.3)));
        for (const Segment& s : outline)
            painter_.drawLine(QLineF(map(s.x1, s.y1), map(s.x2, s.y2)));
        painter_.setPen(QPen(Qt::black, Mm(0.4)));
        for (std::size_t p = 0; p < places.size(); ++p) {
            const LabelBox& b = places[p];
            const QRectF box(map(b.left, b.top), map(b.left + b.width, b.top + b.height));
            painter_.fillRect(box, Qt::white);
            painter_.drawRect(box);
            const QString caption = QString::fromStdString(captions[p]);
            if (caption.isEmpty())
                continue;
            QFont font = Font(11);
            while (QFontMetricsF(font).horizontalAdvance(caption) > box.width() * 0.92 &&
                   font.pointSizeF() > 5)
                font.setPointSizeF(font.pointSizeF() - 0.5);
            painter_.setFont(font);
            painter_.drawText(box, Qt::AlignCenter, caption);
        }
    }

    QPainter& painter_;
    const Worksheet& sheet_;
    double dpi_;
    double scale_;
    bool first_ = true;
};

} // namespace

void DrawWorksheet(const Worksheet& sheet, QPagedPaintDevice& device) {
    QPainter painter(&device);
    PageDrawer(painter, sheet).Draw();
}

bool WriteWorksheetPdf(const Worksheet& sheet, const QString& path, QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error =
            QStringLiteral("файлът „%1“ не може да се запише: %2").arg(path, file.errorString());
        return false;
    }
    {
        QPdfWriter pdf(&file);
        pdf.setTitle(QStringLiteral("Велмора от числа — работен лист"));
        pdf.setCreator(QStringLiteral("velmora"));
        pdf.setResolution(300);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        DrawWorksheet(sheet, pdf);
    }
    if (!file.commit()) {
        error =
            QStringLiteral("файлът „%1“ не може да се запише: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

int WriteWorksheetCommand(const WorksheetRequest& request, const QString& path, QTextStream& err) {
    const auto made = MakeWorksheet(request);
    QString error;
    if (const auto* problem = std::get_if<std::string>(&made))
        error = QString::fromStdString(*problem);
    else if (WriteWorksheetPdf(std::get<Worksheet>(made), path, error))
        return 0;
    err << "velmora: " << error << '\n';
    return 2;
}

} // namespace velmora
