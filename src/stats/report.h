#pragma once

#include "exactlaw.h"
#include "options.h"
#include "simulation.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace stats {

// A run long enough for a clear answer: its length, and the way that is
// faster in it.
struct ClearRun
{
    int seconds = 0;
    Scenario faster = Scenario::BothWalk;
};

// Everything the tool works out for one command line.
struct Report
{
    Options options;
    PerScenario<ExactResult> exact;
    // byRuns.front() is one run of each.
    RunsEach runsEach;
    // For an answer that is not clear in a run this long, the shortest run
    // that makes it clear (shortestClearRun() below); none if no run up to
    // MaxSeconds does.
    std::optional<ClearRun> clearRun;
    PerScenario<Simulation> simulated;
    std::optional<MeetingMap> map;

    // Whether the exact mean lies inside the simulation's 99% interval.
    bool exactInside(Scenario scenario) const;
};


// captionOf() (captions.h) as a QString.
QString scenarioCaption(Scenario scenario);
// The scenarios in plain words: "Both wander", "Momotaro waits".
QString plainName(Scenario scenario);
// The same as the subject of a sentence: "both wandering", "Momotaro waiting".
QString doing(Scenario scenario);

// A chance as a class reads it: one decimal, never rounded to 0% or 100%.
QString percent(double p);
// "1 run of each", "4 runs of each".
QString runsOfEach(int runs);

// For an answer not clear in report's run (outcomeOf(), verdict.h): the
// shortest run longer than that, in whole seconds up to MaxSeconds, in which
// it is clear, worked out from report.exact and both scenarios' first-meeting
// laws for report's starts (as firstMeeting() or ExactForDog sweep them),
// with no new sweep. None when the answer is clear already, or when no such
// run exists. Costs a dozen meeting laws or so, of runs up to a quarter
// longer than the one it finds.
std::optional<ClearRun> shortestClearRun(const Report &report, PerScenario<FirstMeeting> first);

// The faster scenario (fasterMeans(), verdict.h) when the answer is clear
// in this run; none otherwise.
std::optional<Scenario> fasterScenario(const Report &report);
// The answer as one text: verdictOf()'s headline (verdict.h), a line break,
// then its detail.
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
