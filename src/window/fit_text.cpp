// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/fit_text.h"

#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QStyle>

#include <functional>

namespace velmora {
namespace {

// Never smaller than `share` of the base size; at that point the text is clipped.
QFont LargestFitting(const QFont& base, const std::function<bool(const QFont&)>& fits,
                     double share = 0.6) {
    QFont font = base;
    const double smallest = base.pointSizeF() * share;
    while (!fits(font) && font.pointSizeF() - 0.5 >= smallest)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    return font;
}

} // namespace

void FitLabelFont(QLabel& label, const QFont& base, double smallest) {
    const QRect box = label.contentsRect();
    const QString text = label.text();
    label.setFont(LargestFitting(
        base,
        [&](const QFont& font) {
            const QRect needed = QFontMetrics(font).boundingRect(
                QRect(0, 0, box.width(), box.height()),
                int(label.alignment()) | (label.wordWrap() ? Qt::TextWordWrap : 0), text);
            return needed.width() <= box.width() && needed.height() <= box.height();
        },
        smallest));
}

void FitListFont(QListWidget& list, const QFont& base) {
    // The item delegate keeps this margin on each side of an item's text.
    const int margin = list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1;
    // Room for the text once the vertical scroll bar shows, as it does for every series.
    const int room = list.width() - 2 * list.frameWidth() -
                     list.verticalScrollBar()->sizeHint().width() - 2 * margin;
    list.setFont(LargestFitting(base, [&](const QFont& font) {
        const QFontMetrics metrics(font);
        for (int row = 0; row < list.count(); ++row)
            if (metrics.horizontalAdvance(list.item(row)->text()) > room)
                return false;
        return true;
    }));
}

} // namespace velmora
