// SPDX-License-Identifier: MIT
#pragma once

// The window is laid out in twips, 15 to a pixel at 96 dots per inch; Qt scales the pixels
// for other screens.

#include <QRect>

namespace widgets {

constexpr int twipsToPixels(int twips)
{
    return (2 * twips + 15) / 30;
}

constexpr QRect twipsRect(int x, int y, int width, int height)
{
    return QRect(twipsToPixels(x), twipsToPixels(y), twipsToPixels(width), twipsToPixels(height));
}

} // namespace widgets
