#pragma once

#include "law/answer.h"
#include "law/meetingmap.h"
#include "stats/options.h"
#include "law/simulation.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

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

// The answer, then the figures, in lines of at most width columns (the
// figures' rows take 80).
QString table(const Report &report, int width = 80);
// The whole report for programs to read. Its sentences are in the language
// in use, its numbers as C writes them; the tool makes English the language
// first, so that the JSON reads the same whatever the user's language.
QByteArray json(const Report &report);

// The simulated runs as CSV, a line a run: the header, then each stretch of
// runs of a scenario (firstRun counted from 0) appended to out as the
// simulation hands it over, both walking first.
QByteArray csvHeader();
void appendCsv(QByteArray &out, Scenario scenario, std::int64_t firstRun, std::span<const std::uint16_t> counts);

} // namespace stats
