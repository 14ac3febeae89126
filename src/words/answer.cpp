#include "words/answer.h"

#include "words/verdict.h"

namespace stats {

Answer answerOf(Starts starts, double seconds, const PerScenario<ExactForDog> &sweeps)
{
    Answer answer;
    answer.starts = starts;
    answer.seconds = seconds;
    answer.ticksPerTimer = rules::ticksPerTimer(seconds);
    PerScenario<FirstMeeting> first;
    for (Scenario scenario : Scenarios) {
        first[scenario] = sweeps[scenario].firstMeeting(starts.momotaro);
        answer.exact[scenario] = exactResultOf(first[scenario], answer.ticksPerTimer);
    }
    answer.runsEach = compareRunsEach(answer.exact[Scenario::BothWalk].law, answer.exact[Scenario::DogWalks].law);
    answer.clearRun = shortestClearRun(answer, std::move(first));
    answer.verdict = verdictOf(answer);
    return answer;
}

QString verdictText(const Answer &answer)
{
    return answer.verdict.headline + u'\n' + answer.verdict.detail;
}

} // namespace stats
