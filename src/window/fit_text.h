// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QFont;
class QLabel;
class QListWidget;

namespace velmora {

// The figure labels and the series list are small and fixed; a long caption or item
// must still be read whole. These pick the largest size, from `base` down in half-point
// steps, at which the text fits: a label's caption within its box (wrapped, if the label wraps),
// every list item within the list's width.
// Never below `smallest` of the base size; at that point the text is clipped.
void FitLabelFont(QLabel& label, const QFont& base, double smallest = 0.6);
void FitListFont(QListWidget& list, const QFont& base);

} // namespace velmora
