// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheet/worksheet_layout.h"

#include "puzzle/figure.h"

#include <QFontMetricsF>
#include <QPaintDevice>

#include <algorithm>
#include <cmath>

namespace velmora {
namespace {

// A number's box in the unit square a figure's places are given in (figure.h): wide
// enough for four digits, wider and taller for a place of two cells. Boxes keep a gap
// between them where the figure's lines show, and shrink together when the places
// stand closer than that. Every figure is drawn at the unit square's scale, or smaller
// when it does not fit, so that the numbers are alike on all of them.
constexpr double kBoxWidth = 0.16, kBoxHeight = 0.1, kBoxGap = 0.05;
// Large print's boxes are larger, and its numbers fill more of them.
constexpr double kLargeBox = 1.25;
// A place of two cells: twice as wide and taller, room for two numbers, or for them
// and their sum on two lines.
constexpr double kTallerPerCell = 0.7;
constexpr double kLargePrint = 1.5;
constexpr double kSmallestPoints = 3;
// Where the places stand apart, boxes grow up to this much, to leave room to write.
constexpr double kLargestGrowth = 1.6;

class Layout {
  public:
    Layout(const Worksheet& sheet, QPaintDevice& device, const QRectF& area)
        : sheet_(sheet)
        , device_(device)
        , area_(area)
        , scale_(sheet.largePrint ? kLargePrint : 1.0) {}

    // As many puzzles a page as asked, or fewer when a box a pupil writes in would be
    // smaller than a child's handwriting needs; the first page then says so.
    std::vector<SheetPage> Pages() {
        for (perPage_ = sheet_.perPage; perPage_ >= 1; --perPage_) {
            pages_.clear();
            cramped_ = false;
            const int count = static_cast<int>(sheet_.puzzles.size());
            const int pages = (count + perPage_ - 1) / perPage_;
            for (int page = 0; page < pages; ++page)
                Page(page, false);
            if (!cramped_ || perPage_ == 1)
                break;
        }
        const int pages = static_cast<int>(pages_.size());
        for (int page = 0; sheet_.answers && page < pages; ++page)
            Page(page, true);
        return std::move(pages_);
    }

  private:
    double Mm(double mm) const { return mm * device_.logicalDpiY() / 25.4; }
    double LineHeight(const QFont& font) const {
        return QFontMetricsF(font, &device_).lineSpacing();
    }

    QFont Font(double points, bool bold = false) const {
        QFont font(QStringLiteral("Times New Roman"));
        font.setPointSizeF(points * scale_);
        font.setBold(bold);
        return font;
    }

    bool Fits(const QString& text, const QFont& font, const QRectF& box, int flags) const {
        const QRectF needed = QFontMetricsF(font, &device_).boundingRect(box, flags, text);
        return needed.width() <= box.width() && needed.height() <= box.height();
    }

    // The largest font from `font` down at which the text fits its box whole.
    QFont Shrunk(const QString& text, QFont font, const QRectF& box, int flags) const {
        while (font.pointSizeF() > kSmallestPoints && !Fits(text, font, box, flags))
            font.setPointSizeF(font.pointSizeF() * 0.95);
        return font;
    }

    // The text in its box, its font shrunk until it fits whole: nothing is ever clipped.
    // A caption keeps to one line unless wrapping lets it be much larger.
    void Text(const QString& text, const QFont& font, const QRectF& box, int flags,
              const QRectF& cell, bool caption = false) {
        QFont shown = Shrunk(text, font, box, flags);
        if (caption) {
            const QFont oneLine = Shrunk(text, font, box, flags & ~Qt::TextWordWrap);
            if (oneLine.pointSizeF() >= shown.pointSizeF() * 0.7) {
                shown = oneLine;
                flags &= ~Qt::TextWordWrap;
            }
        }
        pages_.back().texts.push_back({text, shown, box, flags, cell});
    }

    // The line the pupil writes their name on. Where its words take more room than the
    // page has, its blanks grow shorter, so that its letters keep four fifths of their
    // size at least.
    QString NameLine(const QFont& font, double width) const {
        QString line = QString::fromStdString(WorksheetNameLine());
        QFont smallest = font;
        smallest.setPointSizeF(font.pointSizeF() * 0.8);
        const QFontMetricsF metrics(smallest, &device_);
        while (metrics.horizontalAdvance(line) > width) {
            // The longest blank gives up one stroke, down to three.
            qsizetype longest = -1, length = 3;
            for (qsizetype at = 0, end = 0; at < line.size(); at = std::max(at + 1, end)) {
                for (end = at; end < line.size() && line[end] == u'_';)
                    ++end;
                if (end - at > length) {
                    longest = at;
                    length = end - at;
                }
            }
            if (longest < 0)
                break;
            line.remove(longest, 1);
        }
        return line;
    }

    void Page(int page, bool answers) {
        pages_.emplace_back();
        const QFont titleFont = Font(16, true);
        const QRectF titleBox(area_.left(), area_.top(), area_.width(), LineHeight(titleFont));
        Text(QString::fromStdString(answers ? WorksheetAnswersTitle() : WorksheetTitle()),
             titleFont, titleBox, Qt::AlignHCenter | Qt::AlignTop, area_);
        double top = titleBox.bottom() + Mm(3);
        if (!answers) {
            const QFont font = Font(11);
            const QRectF box(area_.left(), top, area_.width(), LineHeight(font));
            Text(NameLine(font, box.width()), font, box, Qt::AlignLeft | Qt::AlignVCenter, area_);
            top = box.bottom() + Mm(3);
            if (page == 0 && perPage_ < sheet_.perPage) {
                // One line, or two where one would shrink its letters below four fifths.
                const QString said =
                    QString::fromStdString(FewerPerPageNote(perPage_, sheet_.perPage));
                QFont smallest = font;
                smallest.setPointSizeF(font.pointSizeF() * 0.8);
                const bool wrap =
                    QFontMetricsF(smallest, &device_).horizontalAdvance(said) > area_.width();
                const QRectF note(area_.left(), top, area_.width(),
                                  LineHeight(font) * (wrap ? 2 : 1));
                Text(said, font, note,
                     Qt::AlignLeft | Qt::AlignVCenter | (wrap ? Qt::TextWordWrap : 0), area_);
                top = note.bottom() + Mm(2);
            }
        }
        // One or two a page stand one under the other, so each gets the page's width.
        const int perPage = perPage_;
        const int columns = perPage <= 2 ? 1 : 2;
        const int rows = (perPage + columns - 1) / columns;
        const double width = area_.width() / columns, height = (area_.bottom() - top) / rows;
        for (int i = 0; i < perPage; ++i) {
            const int index = page * perPage + i;
            if (index >= static_cast<int>(sheet_.puzzles.size()))
                break;
            const QRectF cell(area_.left() + width * (i % columns), top + height * (i / columns),
                              width, height);
            Puzzle(sheet_.puzzles[static_cast<std::size_t>(index)], index + 1,
                   cell.adjusted(Mm(2), Mm(2), -Mm(2), -Mm(2)), answers);
        }
    }

    // The height `text` takes wrapped in `width`, at most `lines` lines: the rest of the
    // cell is the figure's.
    double Room(const QString& text, const QFont& font, double width, int lines) const {
        const QRectF needed =
            QFontMetricsF(font, &device_)
                .boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap | Qt::AlignLeft, text);
        return std::min(needed.height(), LineHeight(font) * lines) + Mm(0.5);
    }

    void Puzzle(const SheetPuzzle& puzzle, int number, const QRectF& cell, bool answers) {
        const QFont font = Font(10);
        const int wrapped = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;
        const QString task = QString::number(number) + ". " + QString::fromStdString(puzzle.task);
        const QRectF taskBox(cell.left(), cell.top(), cell.width(),
                             Room(task, font, cell.width(), 3));
        Text(task, font, taskBox, wrapped, cell);
        double bottom = cell.bottom();
        if (answers) {
            const QString answer = QString::fromStdString(puzzle.answerLine);
            const double height = Room(answer, font, cell.width(), 3);
            Text(answer, font, QRectF(cell.left(), bottom - height, cell.width(), height), wrapped,
                 cell);
            bottom -= height;
        }
        const QString numbers = QString::fromStdString(puzzle.numbersLine);
        const double height = Room(numbers, font, cell.width(), 2);
        const QRectF numbersBox(cell.left(), bottom - height, cell.width(), height);
        Text(numbers, font, numbersBox, wrapped, cell);
        Figure(puzzle, number - 1,
               QRectF(QPointF(cell.left(), taskBox.bottom() + Mm(2)),
                      QPointF(cell.right(), numbersBox.top() - Mm(2))),
               answers ? puzzle.solution : puzzle.shown, cell);
    }

    void Figure(const SheetPuzzle& puzzle, int index, const QRectF& room,
                const std::vector<std::string>& captions, const QRectF& cell) {
        const velmora::Figure& figure = FigureOf(puzzle.figure);
        const QSizeF size = BoxSize(figure, sheet_.largePrint ? kLargeBox : 1.0);
        std::vector<QRectF> places;
        QRectF frame; // the figure's own extent, centred in the room
        for (const FigurePlace& place : figure.places) {
            places.emplace_back(QPointF(place.x - size.width() / 2, place.y - size.height() / 2),
                                size);
            frame |= places.back();
        }
        const double factor = std::min(room.width() / std::max(frame.width(), 1.0),
                                       room.height() / std::max(frame.height(), 1.0));
        const QPointF origin(room.center().x() - frame.center().x() * factor,
                             room.center().y() - frame.center().y() * factor);
        const auto map = [&](QPointF p) { return origin + p * factor; };
        for (const auto& [from, to] : figure.edges)
            pages_.back().lines.emplace_back(map(places[std::size_t(from)].center()),
                                             map(places[std::size_t(to)].center()));
        // The numbers grow with the figure, alike on every figure; large print fills more
        // of each box.
        QFont font(QStringLiteral("Times New Roman"));
        const double fill = sheet_.largePrint ? 0.85 : 0.6;
        font.setPointSizeF(kBoxHeight * factor * fill * 72.0 / device_.logicalDpiY());
        // Large print asks as much more room to write as its boxes are larger.
        const double roomier = sheet_.largePrint ? kLargeBox : 1.0;
        const WritingBox needed = WritingBoxOf(puzzle);
        for (std::size_t p = 0; p < places.size(); ++p) {
            const QRectF box(map(places[p].topLeft()), map(places[p].bottomRight()));
            pages_.back().boxes.push_back({box, cell, index});
            if (box.width() < Mm(needed.width * roomier) ||
                box.height() < Mm(needed.height * roomier))
                cramped_ = true;
            if (captions[p].empty())
                continue;
            const double inset = std::min(box.width(), box.height()) * 0.08;
            Text(QString::fromStdString(captions[p]), font,
                 box.adjusted(inset, inset, -inset, -inset), Qt::AlignCenter | Qt::TextWordWrap,
                 cell, true);
        }
    }

    // The size of every box of `figure` in its unit square: a grid's boxes touch, the
    // others keep their gap.
    static QSizeF BoxSize(const velmora::Figure& figure, double larger) {
        const auto& places = figure.places;
        const int cells = figure.cellsPerPlace;
        const QSizeF wanted =
            QSizeF(kBoxWidth * cells, kBoxHeight * (1 + kTallerPerCell * (cells - 1))) * larger;
        const double gap = figure.grid ? 0 : kBoxGap;
        double scale = figure.grid ? 1e9 : kLargestGrowth;
        for (std::size_t a = 0; a < places.size(); ++a)
            for (std::size_t b = a + 1; b < places.size(); ++b) {
                const double dx = std::abs(places[a].x - places[b].x);
                const double dy = std::abs(places[a].y - places[b].y);
                if (figure.grid) // the grid's step, the same both ways
                    scale = std::min(scale, std::max(dx, dy) / wanted.height());
                else
                    scale = std::min(
                        scale, std::max(dx / (wanted.width() + gap), dy / (wanted.height() + gap)));
            }
        return figure.grid ? QSizeF(wanted.height(), wanted.height()) * scale : wanted * scale;
    }

    const Worksheet& sheet_;
    int perPage_ = 1;      // as laid out
    bool cramped_ = false; // a box smaller than a child writes in
    QPaintDevice& device_;
    QRectF area_;
    double scale_;
    std::vector<SheetPage> pages_;
};

} // namespace

std::vector<SheetPage> LayoutWorksheet(const Worksheet& sheet, QPaintDevice& device,
                                       const QRectF& area) {
    return Layout(sheet, device, area).Pages();
}

QRectF DrawnExtent(const SheetText& text, QPaintDevice& device) {
    return QFontMetricsF(text.font, &device).boundingRect(text.box, text.flags, text.text);
}

} // namespace velmora
