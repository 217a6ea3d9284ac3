#pragma once

// The window is laid out in twips, 15 to a pixel at 96 dots per inch; Qt scales the pixels
// for other screens.

#include <QRect>

namespace twips {

constexpr int toPixels(int twips)
{
    return (2 * twips + 15) / 30;
}

constexpr QRect pixelRect(int x, int y, int width, int height)
{
    return QRect(toPixels(x), toPixels(y), toPixels(width), toPixels(height));
}

} // namespace twips
