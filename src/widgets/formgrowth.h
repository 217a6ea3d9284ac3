#pragma once

// The windows are drawn in twips for a 9 point desktop font. A larger desktop font makes the
// whole form larger, as forms of that era grew under large fonts, rather than squeezing its
// texts into boxes drawn for smaller ones; at the design font nothing moves by a pixel. A
// larger screen scale needs none of this: Qt scales the pixels themselves.

class QFont;
class QWidget;

namespace widgets {

inline constexpr double DesignPointSize = 9;
// Beyond three times its size the form would leave any screen; a larger font is then drawn
// at the largest size instead, so that the form keeps its proportions and every text is whole.
inline constexpr double LargestGrowth = 3;

// How much larger than drawn the form is at this font: 1 up to the design size.
double fontGrowth(const QFont &font);

// Grows form by the growth of its font: its fixed size and the place of every widget in it,
// each edge rounded on its own, so that neighbours stay neighbours and never overlap. A font
// beyond the largest growth gives way to the largest growth's font. Call it once the form's
// widgets stand, before their fonts are fitted.
void growWithFont(QWidget *form);

// One line on standard error when the window does not fit on its screen (a very large font
// on a small screen): the window opens all the same, and may be moved to see the rest.
void tellIfLargerThanScreen(const QWidget *window);

} // namespace widgets
