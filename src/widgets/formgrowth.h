// SPDX-License-Identifier: MIT
#pragma once

// The windows are drawn in twips for a 9 point desktop font. A larger desktop font makes the
// whole form larger, as forms of that era grew under large fonts, rather than squeezing its
// texts into boxes drawn for smaller ones; at the design font nothing moves by a pixel. A
// larger screen scale needs none of this: Qt scales the pixels themselves. The form grows no
// further than its window fits on the screen's free area, and again when the font changes.

#include <QSize>
#include <QString>

#include <functional>

class QFont;
class QScreen;
class QWidget;

namespace widgets {

inline constexpr double DesignPointSize = 9;
// Beyond three times its size the form would leave any screen; a larger font is then drawn
// at the largest size instead, so that the form keeps its proportions and every text is whole.
inline constexpr double LargestGrowth = 3;

// How much larger than drawn the form is at this font: 1 up to the design size.
double fontGrowth(const QFont &font);

// The growth, up to growth, at which a form drawn at design size still fits room with extra
// around it (the window's frame and menu bar, which do not grow with it). Below 1 where even
// the design size does not fit.
double growthWithin(double growth, QSize design, QSize extra, QSize room);

// What the window's frame adds to its size: the real frame once the window is shown, a title
// bar of the style's height before.
QSize frameSize(const QWidget *window);

// A screen's size in its own pixels, whatever scale Qt draws it at: what its user calls it.
QSize screenPixels(const QScreen *screen);

// Grows form by the growth of its font, within the room of its window's screen: its fixed size
// and the place of every widget in it, each edge rounded on its own, so that neighbours stay
// neighbours and never overlap. A font beyond that growth gives way to the growth's font. Call
// it once the form's widgets stand; fitTexts then fits their fonts to their grown places, now
// and after each application font change, when the form grows again from its design size.
// Where even the design size does not fit, tooSmall (with %1 x %2 the screen's size) stands at
// the top of the form.
void growWithFont(QWidget *form, const std::function<void()> &fitTexts,
                  const QString &tooSmall = QString());

// One line on standard error when the window does not fit on its screen (a very large font
// on a small screen): the window opens all the same, and may be moved to see the rest.
void tellIfLargerThanScreen(const QWidget *window);

} // namespace widgets
