#pragma once

#include "exactlaw.h"

#include <QColor>
#include <QScatterSeries>
#include <QSize>

#include <functional>

class QChart;
class QPainter;
class QString;

namespace stats {

struct Report;

// Each picture goes to file as PNG or SVG, by the file's extension, and is
// written whole or not at all. On failure, error says why.
bool saveLawChart(const Report &report, const QString &file, QString &error);
bool saveMeetingMap(const Report &report, const QString &file, QString &error);

// The three charts of saveLawChart, each new and the caller's, for a window
// to show: the law of meetings in a run (the class's runs marked when the
// report has them, simulated runs when it has some), the chance of no
// meeting yet against seconds, and who is ahead after 1..30 runs of each.
QChart *lawChart(const Report &report);
QChart *waitingChart(const Report &report);
QChart *runsChart(const Report &report);
// One chart alone, drawn as the pictures above are; chart stays the caller's.
bool saveChart(QChart &chart, const QString &file, QString &error);

// The pictures' size, and paint's drawing at that size saved as above.
inline constexpr QSize PictureSize{1920, 1080};
bool savePicture(const QString &file, QSize size, const std::function<void(QPainter &)> &paint, QString &error);

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

} // namespace stats
