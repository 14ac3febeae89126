#pragma once

#include "law/meetingmap.h"

#include <QColor>

#include <array>

class QString;

// The map of where to wait: its colours, and its saved picture.
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

// A map over the board: a value for every point (pointIndex) and the scale
// its colours run over, as the answer window's board and the saved map
// draw it (paintBoard(), boardpainter.h).
struct BoardHeat
{
    std::array<double, BoardPoints> values{};
    MapScale scale;
};

// Both scenarios' maps side by side with the scale under them, for Dog's
// start and runs of seconds, saved as savePicture() (picturefile.h) saves.
bool saveMeetingMap(const MeetingMap &map, const Starts &starts, double seconds, const QString &file, QString &error);

} // namespace stats
