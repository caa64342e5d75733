// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QWidget;

namespace velmora {

// Runs `work` once `window` has been painted for the first time: what the first frame
// does not show waits until it is on the screen.
void AfterFirstFrame(QWidget& window, std::function<void()> work);

// For the start-up benchmark: when VELMORA_REPORT_FIRST_FRAME is set, prints
// "first-frame WxH" (the window's size) on stdout once `window` has been painted for
// the first time, then ends the program. Otherwise does nothing.
void ReportFirstFrameIfAsked(QWidget& window);

} // namespace velmora
