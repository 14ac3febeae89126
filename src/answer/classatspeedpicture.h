#pragma once

#include "law/classatspeed.h"

class QChart;
class QString;

// The law of meetings in a run with the groups done marked on it, as the
// statistics tool marks simulated runs, and their averages so far drawn as
// thin lines beside the exact ones; titled for a picture, untitled for the
// page, where a key says what it shows in words that wrap. The caller owns it.
QChart *classChart(const stats::Answer &answer, const stats::ClassCounts &done, bool titled);

// The class at speed as a picture: headline and state above, the boards and
// the chart of the groups done below, footer under them. On failure, error
// says why.
bool saveClassAtSpeed(const stats::Answer &answer, const stats::ClassAtSpeed &motion, const QString &headline,
                      const QString &state, const QString &file, const QString &footer, QString &error);
