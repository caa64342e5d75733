// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/zoom_style.h"

#include <QWidget>

namespace velmora {

int ZoomStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                           const QWidget* widget) const {
    const int base = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
    case PM_RadioButtonLabelSpacing:
    case PM_ScrollBarExtent:
    case PM_ScrollBarSliderMin: {
        const double zoom = widget ? widget->window()->property(kZoomProperty).toDouble() : 0;
        return zoom > 0 ? qRound(base * zoom) : base;
    }
    default:
        return base;
    }
}

} // namespace velmora
