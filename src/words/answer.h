#pragma once

#include "law/answer.h"
#include "law/exactlaw.h"

#include <QString>

namespace stats {

// The answer for starts and runs of seconds, read from both scenarios'
// sweeps (sweepBoth(), or ExactForDog for every start) of that run's length
// and Dog start, which hold starts.momotaro.
Answer answerOf(Starts starts, double seconds, const PerScenario<ExactForDog> &sweeps);

// The verdict as one text: its headline, a line break, then its detail.
QString verdictText(const Answer &answer);

} // namespace stats
