// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

namespace velmora {

// The name of the window property that holds its zoom as a factor (1.0 at 100 %).
inline constexpr char kZoomProperty[] = "velmoraZoom";

// Fusion, with the parts it draws at a fixed size (option indicators, scroll bars and
// their arrows, frames) scaled by the zoom of the form they are in, so they grow with
// the rest.
class ZoomStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
};

} // namespace velmora
