#pragma once

#include <QRect>

namespace twips {

// Window layouts are given in twips (1/1440 inch); at 96 dots per inch 15
// twips make a pixel.
inline constexpr int PerPixel = 15;

constexpr QRect toPixels(int left, int top, int width, int height)
{
    return {left / PerPixel, top / PerPixel, width / PerPixel, height / PerPixel};
}

} // namespace twips
