#pragma once

#include "classcounts.h"
#include "exactlaw.h"
#include "lawsums.h"
#include "verdict.h"

#include <QString>

#include <optional>

namespace stats {

// The exact answer to one question, where the walkers start and how long a
// run lasts: what the tool's report and the answer window both show.
struct Answer
{
    Starts starts;
    double seconds = 0;
    int ticksPerTimer = 0;
    PerScenario<ExactResult> exact;
    // Both laws compared over several runs of each; byRuns.front() is one
    // run of each.
    RunsEach runsEach;
    // For an answer that is not clear in a run this long, the shortest run
    // that makes it clear (shortestClearRun()); none if no run up to
    // MaxSeconds does.
    std::optional<ClearRun> clearRun;
    Verdict verdict;
    // The class's own counts, when it has some: not worked out but given by
    // whoever holds them (the tool's --class file, the window's table), for
    // classVerdict() and the law chart to hold against the exact laws.
    std::optional<ClassCounts> classCounts;
};

// The answer for starts and runs of seconds, read from both scenarios'
// sweeps (sweepBoth(), or ExactForDog for every start) of that run's length
// and Dog start, which hold starts.momotaro.
Answer answerOf(Starts starts, double seconds, const PerScenario<ExactForDog> &sweeps);

// The verdict as one text: its headline, a line break, then its detail.
QString verdictText(const Answer &answer);

} // namespace stats
