// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/zoom_style.h"

#include <QImage>
#include <QStyleOptionSlider>
#include <QWidget>

#include <algorithm>
#include <utility>
#include <vector>

namespace velmora {
namespace {

std::vector<std::pair<const QWidget*, double>>& Zooms() {
    static std::vector<std::pair<const QWidget*, double>> zooms;
    return zooms;
}

// The zoom of the form `widget` sits in; 0 outside one.
double ZoomOf(const QWidget* widget) {
    const auto& zooms = Zooms();
    for (; widget; widget = widget->parentWidget())
        for (const auto& [form, zoom] : zooms)
            if (form == widget)
                return zoom;
    return 0;
}

} // namespace

void SetFormZoom(const QWidget* form, double zoom) {
    auto& zooms = Zooms();
    zooms.erase(std::remove_if(zooms.begin(), zooms.end(),
                               [form](const auto& entry) { return entry.first == form; }),
                zooms.end());
    if (zoom > 0)
        zooms.emplace_back(form, zoom);
}

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
