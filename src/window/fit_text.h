// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QFont;
class QLabel;
class QListWidget;
class QWidget;

namespace velmora {

// The figure labels and the series list are small and fixed; a long caption or item
// must still be read whole. These pick the largest size, from `base` down in half-point
// steps, at which the text fits: a label's caption within its box (wrapped, if the label wraps),
// every list item within the list's width.
// Never below `smallest` of the base size; at that point the text is clipped.
void FitLabelFont(QLabel& label, const QFont& base, double smallest = 0.6);
void FitListFont(QListWidget& list, const QFont& base);

// A fixed text on one line: a heading label, a button's, an option's or a group's title,
// as long as the language in force makes it. Its font from `base` down until the text
// fits the room the control's style leaves it, never below `smallest` of `base`.
void FitFixedText(QWidget& control, const QFont& base, double smallest = 0.5);
// The room that text has, in pixels: the control's width less its margins, indicator or
// frame.
[[nodiscard]] int FixedTextRoom(const QWidget& control);

} // namespace velmora
