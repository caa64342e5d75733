// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/zoom_style.h"

#include <QImage>
#include <QStyleOptionSlider>
#include <QWidget>

namespace velmora {
namespace {

// The zoom of the form `widget` sits in; 0 outside one.
double ZoomOf(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget())
        if (const QVariant zoom = widget->property(kZoomProperty); zoom.isValid())
            return zoom.toDouble();
    return 0;
}

} // namespace

int ZoomStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                           const QWidget* widget) const {
    const int base = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
    case PM_RadioButtonLabelSpacing:
    case PM_ScrollBarExtent:
    case PM_ScrollBarSliderMin:
    case PM_DefaultFrameWidth: {
        const double zoom = ZoomOf(widget);
        return zoom > 0 ? qRound(base * zoom) : base;
    }
    default:
        return base;
    }
}

// Fusion sizes a scroll bar's arrows by the DPI of the option's font: give it one as
// many dots per inch larger as the zoom, and the arrows grow with their buttons.
void ZoomStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                   QPainter* painter, const QWidget* widget) const {
    const double zoom = ZoomOf(widget);
    const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != CC_ScrollBar || !slider || zoom <= 1.0)
        return QProxyStyle::drawComplexControl(control, option, painter, widget);
    QImage zoomedDpi(1, 1, QImage::Format_ARGB32);
    const int dotsPerMetre = qRound(slider->fontMetrics.fontDpi() * zoom / 0.0254);
    zoomedDpi.setDotsPerMeterX(dotsPerMetre);
    zoomedDpi.setDotsPerMeterY(dotsPerMetre);
    QStyleOptionSlider zoomed = *slider;
    zoomed.fontMetrics = QFontMetrics(widget ? widget->font() : QFont(), &zoomedDpi);
    QProxyStyle::drawComplexControl(control, &zoomed, painter, widget);
}

} // namespace velmora
