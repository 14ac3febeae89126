#pragma once

#include "answer.h"
#include "meetingmap.h"
#include "options.h"
#include "simulation.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The tool's report: the answer, the simulation and the map as a table,
// JSON or CSV.
namespace stats {

// Everything the tool works out for one command line.
struct Report
{
    Options options;
    Answer answer;
    PerScenario<Simulation> simulated;
    std::optional<MeetingMap> map;

    // Whether the exact mean lies inside the simulation's 99% interval.
    bool exactInside(Scenario scenario) const;
};

// The answer, then the figures, in lines of at most width characters (the
// figures' rows take 80).
QString table(const Report &report, int width = 80);
QByteArray json(const Report &report);
// Every simulated run's count, a line a run.
QByteArray csv(const Report &report);

} // namespace stats
