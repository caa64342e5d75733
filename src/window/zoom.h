// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace velmora {

// The classroom zoom steps, in percent; 100 is the layout as designed.
inline constexpr std::array<int, 7> kZoomSteps{100, 125, 150, 175, 200, 250, 300};

[[nodiscard]] constexpr bool IsZoomStep(int percent) {
    for (int step : kZoomSteps)
        if (step == percent)
            return true;
    return false;
}

} // namespace velmora
