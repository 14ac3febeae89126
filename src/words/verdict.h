#pragma once

#include "law/answer.h"
#include "law/exactlaw.h"
#include "law/lawsums.h"

#include <QString>

#include <optional>

namespace stats {

// What "faster" means wherever the answer uses the word, as one sentence a
// class can read aloud: more meetings in a run, on average.
QString fasterMeans();

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

// The verdict (law/answer.h), worked out by answerOf() (words/answer.h)
// into answer.verdict, from the answer's other figures.
Verdict verdictOf(const Answer &answer);

} // namespace stats
