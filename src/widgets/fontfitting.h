// SPDX-License-Identifier: MIT
#pragma once

// The windows have fixed sizes, and the user's desktop font may be larger than the one they
// were drawn for: a caption that does not fit takes a smaller font rather than losing its end.
// Fonts are never made larger than the one the widget inherits, nor smaller than 6 points.

#include <QFont>
#include <QList>

class QWidget;

namespace widgets {

// The largest font, no larger than the one the widget inherits from its parent, in which the
// widget's text (a label's, a button's or a field's) fits it. Bold and underline stay the
// widget's own.
QFont fittingFont(const QWidget *widget);

// Gives the widget its fitting font; called again after its text changed, the font may grow
// back up to the inherited size.
void fitFont(QWidget *widget);

// The same with one size for the group, so that rows and blocks look alike: the largest size
// in which every text fits its widget.
void fitFonts(const QList<QWidget *> &widgets);

} // namespace widgets
