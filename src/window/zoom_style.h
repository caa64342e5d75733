// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

namespace velmora {

// Records the zoom of `form` as a factor (1.0 at 100 %); 0 forgets the form. The style
// asks for it on every metric it scales, so it is kept where a pointer finds it, not as a
// named property that each lookup would search for by name up the parents.
void SetFormZoom(const QWidget* form, double zoom);

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
