#pragma once

#include "pictures/boardmap.h"

#include <QFont>

#include <optional>

class QPainter;
class QPixmap;
class QRectF;

namespace stats {

// What paintBoard() shows of a board and how. Sizes are in the painter's
// units (pixels, or points on a sheet) unless they say cells.
struct BoardLook
{
    // The axis numbers 0..10 in the painter's pen, every numberStep-th, in a
    // margin margin cells wide above and left of the board; none without one.
    double margin = 0;
    QFont numbers{};
    int numberStep = 1;
    // The grid, its lines gridWidth wide (0: a pixel), left out on cells
    // narrower than gridLeast; its inner lines only on a board framed apart.
    enum class Grid { None, Inner, Whole } grid = Grid::Whole;
    double gridWidth = 0;
    double gridLeast = 0;
    // A map's cells under the grid, their numbers mapTextPx high at
    // mapNumbers in the cell in the painter's font, the best points framed.
    const BoardHeat *heat = nullptr;
    double mapTextPx = 0;
    Qt::Alignment mapNumbers = Qt::AlignCenter;
    // The walkers' pictures walkerCells wide, drawn whole on the board; as
    // dots in their pictures' colours where narrower than dotsUnder.
    std::optional<Starts> walkers{};
    double walkerCells = 1;
    double dotsUnder = 0;
    // A ring around the walker on metAt, where the walkers have just met.
    std::optional<Point> metAt{};
};

// The one painter of the 11 x 11 board, for the answer window's board, the
// saved map, the class's run boards and the sheets: the board with its
// margin fills square. It draws in a logical square, a cell a hundred units
// wide, which the painter scales to square; only a map's cells are drawn
// in the painter's own units, to the pixel, so that no seam shows.
void paintBoard(QPainter &painter, const QRectF &square, const BoardLook &look);

// A walker's picture: its own, or scaled once to fit side x side pixels.
const QPixmap &walkerPicture(Walker walker, int side = 0);

} // namespace stats
