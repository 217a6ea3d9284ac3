// SPDX-License-Identifier: MIT
#pragma once

// The form was drawn with a few fixed colours (dark red units, blue links, a navy legend, a
// light grey CNC line) on a light desktop. On a dark one a fixed text colour would stand on a
// dark background, and the palette's light text on a fixed light background. Here a fixed
// background always comes with its text colour, and a fixed text colour gives way to a lighter
// or darker one of its hue where it would not read on the background it is drawn on.

#include <QColor>
#include <QPalette>

class QWidget;

namespace widgets {

// The contrast of two colours as the web's accessibility guidelines measure it, 1 to 21.
qreal contrastRatio(const QColor &a, const QColor &b);

// The least contrast a text has against its background.
inline constexpr qreal ReadableContrast = 4.5;

// colour where it reads on background; otherwise the nearest lighter or darker colour of its
// hue that does, or black or white.
QColor readableOn(const QColor &colour, const QColor &background);

// Draws the widget's text (the role) in colour, or in what readableOn makes of it on the
// widget's background, again whenever the palette changes (a desktop switching to dark).
void setTextColour(QWidget *widget, const QColor &colour,
                   QPalette::ColorRole role = QPalette::WindowText);

// A fixed background with the text colour that goes with it: the palette's own text colour
// is meant for the palette's background, not for this one.
void setFixedColours(QWidget *widget, QPalette::ColorRole backgroundRole, const QColor &background,
                     QPalette::ColorRole textRole, const QColor &text);

// The least contrast the edge of a field or an option's circle has against the window.
inline constexpr qreal VisibleContrast = 3;

// The style's edge where it stands out from window; otherwise the first mix of it with the
// palette's text colour that does (the text colour itself at last).
QColor visibleEdge(const QColor &edge, const QColor &window, const QColor &text);

// Draws the edges of text fields and option circles, over what the application's style drew,
// in a visible colour wherever the style's own is too faint on the palette (Fusion draws them
// a shade darker than the window: on a dark or black window they vanish), and a menu title
// that the keyboard chose as highlighted, which Fusion shows only while its menu is open.
void useVisibleMarks();

// The palette with every text colour that does not read on its background (a theme that
// gives both one colour) replaced by black or white. Disabled texts are left faint.
QPalette readablePalette(QPalette palette);

} // namespace widgets
