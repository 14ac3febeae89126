#pragma once

#include "law/classcounts.h"
#include "law/exactlaw.h"
#include "law/lawsums.h"

#include <QString>

#include <optional>

namespace stats {

// The longest run the tool works out: ten minutes. The law of meetings takes
// time growing with the cube of the run's length (a second at this limit).
inline constexpr double MaxSeconds = 600;

// How plainly a run of one length answers the question; the first that
// applies, in this order.
enum class Outcome {
    // Neither way can meet at all in a run this short.
    NoMeeting,
    // One way meets more in the run and, with no time limit, sooner; and at
    // most MostRunsForAClass runs of each show it 9 times in 10.
    Clear,
    // Most runs of either way count no meeting.
    TooShort,
    // One way meets more in the run, the other sooner with no time limit.
    Disagree,
    // Practically a tie: a class would need more runs of each than it can do.
    Tie,
};
// The most runs of each a class can be expected to do.
inline constexpr int MostRunsForAClass = 30;

// A run long enough for a clear answer: its length, and the way that is
// faster in it.
struct ClearRun
{
    int seconds = 0;
    Scenario faster = Scenario::BothWalk;
};

// The answer to read from the back of the room: a one-line headline, then a
// few short sentences of detail, worked out by verdictOf() (words/verdict.h).
// An answer that is not clear says why and
// names the run that would make it clear (answer.clearRun).
struct Verdict
{
    Outcome outcome = Outcome::Tie;
    // The faster way, when the outcome is Clear.
    std::optional<Scenario> faster;
    QString headline;
    QString detail;
};

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

} // namespace stats
