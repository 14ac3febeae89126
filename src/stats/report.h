#pragma once

#include "answer.h"
#include "meetingmap.h"
#include "options.h"
#include "simulation.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>

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
// The simulated runs as CSV, a line a run: the header, then each stretch of
// runs of a scenario (firstRun counted from 0) appended to out as the
// simulation hands it over, both walking first.
QByteArray csvHeader();
void appendCsv(QByteArray &out, Scenario scenario, std::int64_t firstRun, std::span<const std::uint16_t> counts);

} // namespace stats
