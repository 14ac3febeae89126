#pragma once

#include "exactlaw.h"
#include "lawsums.h"

#include <QString>

#include <optional>

namespace stats {

struct Answer;

// What "faster" means wherever the answer uses the word, as one sentence a
// class can read aloud: more meetings in a run, on average.
QString fasterMeans();

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

// exact is both scenarios' figures for one run length, runsEach their laws
// compared (compareRunsEach(), up to at least MostRunsForAClass runs).
Outcome outcomeOf(const PerScenario<ExactResult> &exact, const RunsEach &runsEach);

// A run long enough for a clear answer: its length, and the way that is
// faster in it.
struct ClearRun
{
    int seconds = 0;
    Scenario faster = Scenario::BothWalk;
};

// For an answer not clear in its run (outcomeOf()): the shortest run longer
// than that, in whole seconds up to MaxSeconds, in which it is clear, worked
// out from answer.exact and answer.runsEach and both scenarios' first-meeting
// laws for answer's starts (as ExactForDog sweeps them), with no new sweep.
// None when the answer is clear already, or when no such run exists. Costs a
// dozen meeting laws or so, of runs up to a quarter longer than the one it
// finds.
std::optional<ClearRun> shortestClearRun(const Answer &answer, PerScenario<FirstMeeting> first);

// The answer to read from the back of the room: a one-line headline, then a
// few short sentences of detail. An answer that is not clear says why and
// names the run that would make it clear (answer.clearRun).
struct Verdict
{
    Outcome outcome = Outcome::Tie;
    // The faster way, when the outcome is Clear.
    std::optional<Scenario> faster;
    QString headline;
    QString detail;
};
// Worked out by answerOf() (answer.h) into answer.verdict, from the
// answer's other figures.
Verdict verdictOf(const Answer &answer);

} // namespace stats
