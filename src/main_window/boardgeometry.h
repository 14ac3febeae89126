#pragma once

#include "forms/twips.h"

#include <QPoint>
#include <QSize>

namespace board {

// The board in the window, frame included, in twips; its sunken frame is
// BorderPixels wide on every side.
inline constexpr QRect Frame = twips::toPixels(600, 480, 6975, 4455);
inline constexpr int BorderPixels = 2;

// The board's client area (461 x 293 pixels) is 11 units wide and 12 high;
// a walker on board point (x, y) has its picture's top-left corner at (x, y)
// in those units.
inline constexpr QSize ClientSize = Frame.size() - QSize(2 * BorderPixels, 2 * BorderPixels);
inline constexpr int UnitsAcross = 11;
inline constexpr int UnitsDown = 12;

// The pixel offset of a board point from the board's client area's top-left.
constexpr QPoint pointToPixels(int x, int y)
{
    // Round to the nearest pixel: (2 * a + b) / (2 * b) for non-negative a.
    const int across = (2 * x * ClientSize.width() + UnitsAcross) / (2 * UnitsAcross);
    const int down = (2 * y * ClientSize.height() + UnitsDown) / (2 * UnitsDown);
    return {across, down};
}

} // namespace board
