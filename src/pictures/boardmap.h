#pragma once

#include "law/meetingmap.h"

#include <QColor>
#include <QRectF>

#include <array>

class QPainter;
class QString;

// The one painter of the map of where to wait: the answer window's board
// and every saved map draw its cells with paintMapCells() on mapScale().
namespace stats {

// The map's colour scale, from dark blue through green to yellow, for
// 0 <= t <= 1: lighter all the way, so it reads in any colour vision.
QColor scaleColor(double t);

// The values a map's colours run over: from the least of both scenarios'
// values to the 95th percentile of them, so that a few extreme points (a
// start next to Dog) cannot turn the rest into one colour. One scale for
// both scenarios, so that a colour means the same on either.
struct MapScale
{
    double low = 0;
    double high = 0;
    // Some values lie above high: their cells carry a corner mark.
    bool clipped = false;

    // Where value falls on the scale, 0..1.
    double position(double value) const;
};
MapScale mapScale(const MeetingMap &map);

// The cells of a map on a board square (11 x 11 cells), each coloured by
// its value on scale and showing it to one decimal in textPx pixels at
// numbers (within the cell, clear of the frames), the best points framed
// black and white. The window's board and the saved map both draw with it.
void paintMapCells(QPainter &painter, const QRectF &board, const std::array<double, BoardPoints> &values, const MapScale &scale,
                   double textPx, Qt::Alignment numbers);

// Both scenarios' maps side by side with the scale under them, for Dog's
// start and runs of seconds, saved as savePicture() (picturefile.h) saves.
bool saveMeetingMap(const MeetingMap &map, const Starts &starts, double seconds, const QString &file, QString &error);

} // namespace stats
