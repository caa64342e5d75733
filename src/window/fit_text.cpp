// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/fit_text.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
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

QString FixedText(const QWidget& control) {
    if (const auto* box = qobject_cast<const QGroupBox*>(&control))
        return box->title();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control))
        return QString(button->text()).remove(QLatin1Char('&'));
    if (const auto* label = qobject_cast<const QLabel*>(&control))
        return label->text();
    return {};
}

} // namespace

int FixedTextRoom(const QWidget& control) {
    const QStyle* style = control.style();
    if (qobject_cast<const QRadioButton*>(&control))
        return control.width() -
               style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, &control) -
               style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, &control);
    if (qobject_cast<const QPushButton*>(&control))
        return control.width() - 2 * style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &control);
    if (qobject_cast<const QGroupBox*>(&control))
        return control.width() - 16; // the frame's corners either side of the title
    if (const auto* label = qobject_cast<const QLabel*>(&control))
        return label->contentsRect().width();
    return control.width();
}

void FitFixedText(QWidget& control, const QFont& base, double smallest) {
    const QString text = FixedText(control);
    const int room = FixedTextRoom(control);
    const QFont font = LargestFitting(
        base, [&](const QFont& f) { return QFontMetrics(f).horizontalAdvance(text) <= room; },
        smallest);
    if (control.font() != font)
        control.setFont(font);
}

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
