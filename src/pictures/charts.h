#pragma once

#include "law/answer.h"
#include "law/simulation.h"

#include <QColor>
#include <QScatterSeries>

class QChart;
class QPainter;
class QRectF;
class QString;

// The answer's charts, drawn with Qt Charts: what the tool saves and the
// answer window shows.
namespace stats {

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

// The three charts of saveLawChart, each new and the caller's: the law of
// meetings in a run (the class's runs marked when the answer has them,
// simulated runs when given some), the chance of no meeting yet against
// seconds, and who is ahead after 1..30 runs of each.
QChart *lawChart(const Answer &answer, const PerScenario<Simulation> *simulated = nullptr);
QChart *waitingChart(const Answer &answer);
QChart *runsChart(const Answer &answer);
// Draws chart into area of painter, laid out at the pictures' scale, then
// scaled by scale (its text PictureTextPx * scale); chart stays the caller's.
void paintChart(QPainter &painter, QChart &chart, const QRectF &area, double scale = 1);
// One chart alone, drawn as the pictures above are, with footer (the
// context line) under it, saved as savePicture() saves; chart stays the
// caller's.
bool saveChart(QChart &chart, const QString &file, const QString &footer, QString &error);
// The three charts in one picture, the law the largest.
bool saveLawChart(const Answer &answer, const PerScenario<Simulation> *simulated, const QString &file, QString &error);

} // namespace stats
