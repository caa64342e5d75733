// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace velmora {

// For the start-up benchmark: when VELMORA_REPORT_FIRST_FRAME is set, prints
// "first-frame WxH" (the window's size) on stdout once `window` has been painted for
// the first time, then ends the program. Otherwise does nothing.
void ReportFirstFrameIfAsked(QWidget& window);

} // namespace velmora
