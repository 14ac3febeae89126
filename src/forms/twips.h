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

// A control's place and size in twips, relative to its container's client
// area.
struct Rect
{
    int left, top, width, height;
    constexpr QRect pixels() const { return toPixels(left, top, width, height); }
};

} // namespace twips
