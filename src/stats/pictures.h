#pragma once

#include "exactlaw.h"

#include <QColor>
#include <QScatterSeries>
#include <QSize>

#include <functional>

class QChart;
class QDate;
class QPainter;
class QString;

namespace stats {

struct Report;

// Each picture goes to file as PNG or SVG, by the file's extension, and is
// written whole or not at all. On failure, error says why.
bool saveLawChart(const Report &report, const QString &file, QString &error);
bool saveMeetingMap(const Report &report, const QString &file, QString &error);

// What a picture, a page or a copied answer is about, in a line under it:
// "Momotaro starts at (4, 4), Dog at (6, 4); runs of 180 s. 8 December 2026".
QString contextLine(const Starts &starts, double seconds, const QDate &date);

// The three charts of saveLawChart, each new and the caller's, for a window
// to show: the law of meetings in a run (the class's runs marked when the
// report has them, simulated runs when it has some), the chance of no
// meeting yet against seconds, and who is ahead after 1..30 runs of each.
QChart *lawChart(const Report &report);
QChart *waitingChart(const Report &report);
QChart *runsChart(const Report &report);
// One chart alone, drawn as the pictures above are, with footer (the
// context line) under it; chart stays the caller's.
bool saveChart(QChart &chart, const QString &file, const QString &footer, QString &error);
// Draws chart into area of painter, laid out at the pictures' scale; chart
// stays the caller's.
void paintChart(QPainter &painter, QChart &chart, const QRectF &area);

// The pictures' size, and paint's drawing at that size saved as above.
inline constexpr QSize PictureSize{1920, 1080};
bool savePicture(const QString &file, QSize size, const std::function<void(QPainter &)> &paint, QString &error);
// The pixel size of the pictures' text and of their titles at PictureSize.
inline constexpr int PictureTextPx = 28;
inline constexpr int PictureTitlePx = 40;
// A line of text at the bottom of a picture of size, in the pictures' text
// size: where the footer goes. paintFooter draws it there.
QRect footerArea(QSize size);
void paintFooter(QPainter &painter, QSize size, const QString &text);

// How each scenario is drawn: Okabe and Ito's colours for both walking
// (vermillion) and for Momotaro waiting (blue), told apart in every colour
// vision, and besides its own fill, mark shape and line style, so that no
// colour has to be seen. Its bars and marks stand left or right of a count.
struct Look
{
    QColor color;
    Qt::BrushStyle fill;
    QScatterSeries::MarkerShape mark;
    Qt::PenStyle line;
    double offset;
};
const Look &lookOf(Scenario scenario);
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

} // namespace stats
