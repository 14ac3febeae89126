#pragma once

#include "law/classcounts.h"
#include "law/exactlaw.h"
#include "law/lawsums.h"

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

// What the answer says, worked out by verdictOf() from the answer's other
// figures and put in words where it is shown (words/verdictwords.h): how
// plainly it answers and which way it puts ahead. An answer that is not
// clear says why and names the run that would make it clear
// (answer.clearRun).
struct Verdict
{
    Outcome outcome = Outcome::Tie;
    // The faster way, when the outcome is Clear.
    std::optional<Scenario> faster;
    // The way that meets more in the run (rightWay()), none for a tie.
    std::optional<Scenario> meetsMore;
    // The way whose first meeting comes sooner on average with no time
    // limit, none when both come alike.
    std::optional<Scenario> meetsSooner;
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

// The answer for starts and runs of seconds, read from both scenarios'
// sweeps (sweepBoth(), or ExactForDog for every start) of that run's length
// and Dog start, which hold starts.momotaro.
Answer answerOf(Starts starts, double seconds, const PerScenario<ExactForDog> &sweeps);

// exact is both scenarios' figures for one run length, runsEach their laws
// compared (compareRunsEach(), up to at least MostRunsForAClass runs).
Outcome outcomeOf(const PerScenario<ExactResult> &exact, const RunsEach &runsEach);

// For an answer not clear in its run (outcomeOf()): the shortest run longer
// than that, in whole seconds up to MaxSeconds, in which it is clear, worked
// out from answer.exact and answer.runsEach and both scenarios' first-meeting
// laws for answer's starts (as ExactForDog sweeps them), with no new sweep.
// None when the answer is clear already, or when no such run exists. Costs a
// dozen meeting laws or so, of runs up to a quarter longer than the one it
// finds.
std::optional<ClearRun> shortestClearRun(const Answer &answer, PerScenario<FirstMeeting> first);

// The verdict, worked out by answerOf() into answer.verdict, from the
// answer's other figures.
Verdict verdictOf(const Answer &answer);

} // namespace stats
