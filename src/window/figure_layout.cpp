// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/figure_layout.h"

#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <optional>

namespace velmora {
namespace {

constexpr double kGap = 4; // between two labels, so their frames never touch
constexpr double kLineShown = 10;
constexpr double kGridReach = 12;
constexpr double kNarrowestSum = 40;

bool Overlap(const QRectF& a, const QRectF& b) {
    return a.adjusted(-kGap, -kGap, kGap, kGap).intersects(b);
}

QRectF Around(QPointF centre, QSizeF size) {
    return {centre - QPointF(size.width() / 2, size.height() / 2), size};
}

// A grid's columns or rows: the boundaries between the places' distinct coordinates,
// and one half a step beyond the first and the last.
std::vector<double> Boundaries(std::vector<double> at) {
    std::sort(at.begin(), at.end());
    at.erase(std::unique(at.begin(), at.end(), [](double a, double b) { return b - a < 0.5; }),
             at.end());
    if (at.size() < 2)
        return {};
    const double step = (at.back() - at.front()) / double(at.size() - 1);
    std::vector<double> lines{at.front() - step / 2};
    for (double centre : at)
        lines.push_back(centre + step / 2);
    return lines;
}

struct Grid {
    std::vector<double> columns, rows;
};

Grid GridOf(const std::vector<QPointF>& centres) {
    std::vector<double> xs, ys;
    for (const QPointF& centre : centres) {
        xs.push_back(centre.x());
        ys.push_back(centre.y());
    }
    return {Boundaries(xs), Boundaries(ys)};
}

// The largest share of `largest` at which no two places overlap (and each stays within its
// box of a grid), never below half of it.
QSizeF PlaceSize(const Figure& figure, const std::vector<QPointF>& centres, QSizeF largest,
                 const Grid* grid) {
    if (grid && grid->columns.size() > 1 && grid->rows.size() > 1) {
        const QSizeF box(grid->columns[1] - grid->columns[0], grid->rows[1] - grid->rows[0]);
        largest = largest.boundedTo(box - QSizeF(2 * kGap, 2 * kGap));
    }
    for (double share = 1.0; share > 0.5; share -= 0.02) {
        const QSizeF size = largest * share;
        const auto apart = [&size](QPointF a, QPointF b, double gap) {
            return std::abs(a.x() - b.x()) >= size.width() + gap ||
                   std::abs(a.y() - b.y()) >= size.height() + gap;
        };
        bool clear = true;
        for (std::size_t i = 0; clear && i < centres.size(); ++i)
            for (std::size_t j = i + 1; clear && j < centres.size(); ++j)
                clear = apart(centres[i], centres[j], kGap);
        // Between neighbours on a line some of the line still shows.
        for (const FigureLine& line : figure.lines)
            for (std::size_t k = 1; clear && !figure.grid && k < line.cells.size(); ++k)
                clear = apart(centres[std::size_t(line.cells[k - 1])],
                              centres[std::size_t(line.cells[k])], kLineShown);
        if (clear)
            return size;
    }
    return largest * 0.5;
}

// The smallest convex polygon around the points: a sum is never put inside it.
QPolygonF Hull(std::vector<QPointF> points) {
    std::sort(points.begin(), points.end(), [](const QPointF& a, const QPointF& b) {
        return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
    });
    const auto turn = [](const QPointF& o, const QPointF& a, const QPointF& b) {
        return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
    };
    std::vector<QPointF> hull;
    for (int pass = 0; pass < 2; ++pass) {
        const std::size_t start = hull.size();
        for (const QPointF& point : points) {
            while (hull.size() >= start + 2 && turn(hull[hull.size() - 2], hull.back(), point) <= 0)
                hull.pop_back();
            hull.push_back(point);
        }
        hull.pop_back();
        std::reverse(points.begin(), points.end());
    }
    return QPolygonF(QList<QPointF>(hull.begin(), hull.end()));
}

// How far a sum may move from where its figure puts it, nearest first.
const std::vector<QPointF>& Shifts() {
    static const std::vector<QPointF> shifts = [] {
        constexpr int kReach = 80, kStep = 2;
        std::vector<QPointF> all;
        for (int dx = -kReach; dx <= kReach; dx += kStep)
            for (int dy = -kReach; dy <= kReach; dy += kStep)
                if (dx * dx + dy * dy <= kReach * kReach)
                    all.emplace_back(dx, dy);
        std::stable_sort(all.begin(), all.end(), [](const QPointF& a, const QPointF& b) {
            return QPointF::dotProduct(a, a) < QPointF::dotProduct(b, b);
        });
        return all;
    }();
    return shifts;
}

// The figure's unit square drawn over `square`; its sums kept within `area`, if they can.
FigureLayout LayOutOnce(const Figure& figure, const QRectF& square, const QRectF& area,
                        QSizeF largestPlace, QSizeF sum) {
    const auto map = [&square](double x, double y) {
        return QPointF(square.left() + x * square.width(), square.top() + y * square.height());
    };
    std::vector<QPointF> centres;
    for (const FigurePlace& place : figure.places)
        centres.push_back(map(place.x, place.y));
    const Grid grid = figure.grid ? GridOf(centres) : Grid{};
    const QSizeF placeSize =
        PlaceSize(figure, centres, largestPlace, figure.grid ? &grid : nullptr);

    FigureLayout layout;
    QPointF middle;
    for (const QPointF& centre : centres) {
        layout.places.push_back(Around(centre, placeSize));
        middle += centre / double(centres.size());
    }
    std::vector<QRectF> taken = layout.places;
    if (figure.grid && !grid.columns.empty() && !grid.rows.empty()) {
        taken.push_back(QRectF(QPointF(grid.columns.front(), grid.rows.front()),
                               QPointF(grid.columns.back(), grid.rows.back())));
        for (double x : grid.columns)
            layout.lines.emplace_back(x, grid.rows.front(), x, grid.rows.back());
        for (double y : grid.rows)
            layout.lines.emplace_back(grid.columns.front(), y, grid.columns.back(), y);
    }
    for (const auto& [from, to] : figure.edges)
        layout.lines.emplace_back(centres[std::size_t(from)], centres[std::size_t(to)]);

    // Each sum where the figure says or the nearest place to it within `area` that covers
    // no place, no grid and no other sum; failing that, moved outwards until it covers
    // none, out of `area`, so the figure shrinks.
    const auto clear = [&taken](const QRectF& box) {
        return std::none_of(taken.begin(), taken.end(),
                            [&box](const QRectF& other) { return Overlap(box, other); });
    };
    const QPolygonF hull = Hull(centres);
    // Sums side by side, as under a grid's columns, as narrow as their places.
    for (const FigureLine& one : figure.lines)
        for (const FigureLine& other : figure.lines) {
            const QPointF a = map(one.labelX, one.labelY), b = map(other.labelX, other.labelY);
            if (&one != &other && std::abs(a.y() - b.y()) < sum.height())
                sum.setWidth(
                    std::max(kNarrowestSum, std::min(sum.width(), std::abs(a.x() - b.x()) - kGap)));
        }
    for (const FigureLine& line : figure.lines) {
        const QRectF wanted = Around(map(line.labelX, line.labelY), sum);
        std::optional<QRectF> found;
        for (const QPointF& shift : Shifts()) {
            // A grid's sums stand in rows and columns: moved far, one reads as another's.
            if (figure.grid && QPointF::dotProduct(shift, shift) > kGridReach * kGridReach)
                break;
            const QRectF box = wanted.translated(shift);
            if (area.contains(box) && clear(box) && !hull.intersects(QPolygonF(box))) {
                found = box;
                break;
            }
        }
        if (!found) {
            QRectF box = wanted;
            QPointF away = box.center() - middle;
            const double length = std::hypot(away.x(), away.y());
            away = length < 1e-9 ? QPointF(0, 1) : away / length;
            for (int step = 0; step < 400 && !clear(box); ++step)
                box.translate(away);
            found = box;
        }
        layout.sums.push_back(*found);
        taken.push_back(*found);
    }
    return layout;
}

QRectF Bounds(const FigureLayout& layout) {
    QRectF bounds;
    for (const auto* rects : {&layout.places, &layout.sums})
        for (const QRectF& rect : *rects)
            bounds |= rect;
    for (const QLineF& line : layout.lines)
        bounds |= QRectF(line.p1(), line.p2()).normalized();
    return bounds;
}

} // namespace

FigureLayout LayOutFigure(const Figure& figure, const QRectF& area, QSizeF largestPlace,
                          QSizeF sum) {
    // The square shrinks by what sticks out on each side until nothing does; the places
    // move less than the square's edge, so it takes a few rounds.
    QRectF square = area;
    FigureLayout layout = LayOutOnce(figure, square, area, largestPlace, sum);
    for (int round = 0; round < 60; ++round) {
        const QRectF bounds = Bounds(layout);
        const double left = std::max(0.0, area.left() - bounds.left());
        const double top = std::max(0.0, area.top() - bounds.top());
        const double right = std::max(0.0, bounds.right() - area.right());
        const double bottom = std::max(0.0, bounds.bottom() - area.bottom());
        if (left + top + right + bottom < 0.25)
            break;
        square.adjust(left, top, -right, -bottom);
        layout = LayOutOnce(figure, square, area, largestPlace, sum);
    }
    // Centred in what is left of `area`.
    const QPointF centring = area.center() - Bounds(layout).center();
    const QRectF room = area.translated(-centring);
    if (room.contains(Bounds(layout))) {
        for (auto* rects : {&layout.places, &layout.sums})
            for (QRectF& rect : *rects)
                rect.translate(centring);
        for (QLineF& line : layout.lines)
            line.translate(centring);
    }
    // Whatever still sticks out is moved in, whole.
    for (auto* rects : {&layout.places, &layout.sums})
        for (QRectF& rect : *rects)
            rect.moveTo(std::clamp(rect.left(), area.left(), area.right() - rect.width()),
                        std::clamp(rect.top(), area.top(), area.bottom() - rect.height()));
    return layout;
}

} // namespace velmora
