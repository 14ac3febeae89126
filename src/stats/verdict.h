#pragma once

#include "exactlaw.h"
#include "report.h"

#include <QString>

#include <optional>

namespace stats {

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

// The answer to read from the back of the room: a one-line headline, then a
// few short sentences of detail. An answer that is not clear says why and
// names the run that would make it clear (report.clearRun).
struct Verdict
{
    Outcome outcome = Outcome::Tie;
    // The faster way, when the outcome is Clear.
    std::optional<Scenario> faster;
    QString headline;
    QString detail;
};
Verdict verdictOf(const Report &report);

} // namespace stats
