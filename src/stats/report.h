#pragma once

#include "exactlaw.h"
#include "options.h"
#include "simulation.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace stats {

// Everything the tool works out for one command line.
struct Report
{
    Options options;
    PerScenario<ExactResult> exact;
    // byRuns.front() is one run of each.
    RunsEach runsEach;
    PerScenario<Simulation> simulated;
    std::optional<MeetingMap> map;

    // Whether the exact mean lies inside the simulation's 99% interval.
    bool exactInside(Scenario scenario) const;
};


// captionOf() (captions.h) as a QString.
QString scenarioCaption(Scenario scenario);
// The scenarios in plain words: "Both wander", "Momotaro waits".
QString plainName(Scenario scenario);

// A chance as a class reads it: one decimal, never rounded to 0% or 100%.
QString percent(double p);

// The scenario that meets more; none when both meet less than once in 100
// runs or differ by less than 1%.
std::optional<Scenario> fasterScenario(const Report &report);
// The answer in a few short sentences a class can read aloud: which way is
// faster, by how much, how often one run of each says otherwise (ties named
// as ties), and how many runs of each make it reliable.
QString verdict(const Report &report);
// Whether the class's own runs (options.classCounts) agree with the answer,
// and which way their averages point; for a report with class counts.
QString classVerdict(const Report &report);
// The answer, then the figures, in lines of at most width characters (the
// figures' rows take 80).
QString table(const Report &report, int width = 80);
QByteArray json(const Report &report);
QByteArray csv(const Report &report);

} // namespace stats
