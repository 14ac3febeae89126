#include "law/answer.h"

#include "law/rightway.h"

#include <algorithm>
#include <cmath>

namespace stats {

namespace {

// Looking for a run long enough for a clear answer, each run tried is this
// much longer than the last.
constexpr double LongerRun = 1.25;

// The way whose first meeting comes sooner, on average with no time limit.
std::optional<Scenario> meetsSooner(const PerScenario<ExactResult> &exact)
{
    return larger(-exact[Scenario::BothWalk].meanFirstSeconds, -exact[Scenario::DogWalks].meanFirstSeconds);
}

} // namespace

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

Outcome outcomeOf(const PerScenario<ExactResult> &exact, const RunsEach &runsEach)
{
    if (exact[Scenario::BothWalk].expectedMeetings == 0 && exact[Scenario::DogWalks].expectedMeetings == 0)
        return Outcome::NoMeeting;
    const std::optional<Scenario> more = rightWay(exact);
    const std::optional<Scenario> sooner = meetsSooner(exact);
    const bool disagree = more && sooner && *more != *sooner;
    const bool seen = runsEach.runsFor90 >= 1 && runsEach.runsFor90 <= MostRunsForAClass;
    if (more && !disagree && seen)
        return Outcome::Clear;
    if (exact[Scenario::BothWalk].atLeastOne < 0.5 && exact[Scenario::DogWalks].atLeastOne < 0.5)
        return Outcome::TooShort;
    return disagree ? Outcome::Disagree : Outcome::Tie;
}

std::optional<ClearRun> shortestClearRun(const Answer &answer, PerScenario<FirstMeeting> first)
{
    if (outcomeOf(answer.exact, answer.runsEach) == Outcome::Clear)
        return std::nullopt;
    const int longest = int(MaxSeconds);
    for (Scenario scenario : Scenarios)
        first[scenario] = lengthened(std::move(first[scenario]), 2 * rules::ticksPerTimer(longest));
    // The outcome of a run of this many seconds, with the runs of each
    // compared only as far as a class could go.
    std::optional<Scenario> faster;
    const auto clearIn = [&](int seconds) {
        const int ticks = rules::ticksPerTimer(seconds);
        PerScenario<ExactResult> exact;
        for (Scenario scenario : Scenarios)
            exact[scenario] = exactResultOf(first[scenario], ticks);
        const RunsEach runsEach =
            compareRunsEach(exact[Scenario::BothWalk].law, exact[Scenario::DogWalks].law, MostRunsForAClass);
        if (outcomeOf(exact, runsEach) != Outcome::Clear)
            return false;
        faster = rightWay(exact);
        return true;
    };
    // In longer runs the way with the sooner first meeting pulls ahead in
    // proportion to the run's length, the spread of the counts only with its
    // square root: runs a quarter longer each time until one is clear, then
    // the gap to the last one that was not halved until it is a second.
    int notClear = int(std::floor(answer.seconds));
    int clear = notClear;
    do {
        if (clear >= longest)
            return std::nullopt;
        notClear = clear;
        clear = std::min(longest, std::max(clear + 1, int(std::ceil(clear * LongerRun))));
    } while (!clearIn(clear));
    ClearRun found{clear, *faster};
    while (clear - notClear > 1) {
        const int middle = (notClear + clear) / 2;
        if (clearIn(middle)) {
            clear = middle;
            found = {clear, *faster};
        } else {
            notClear = middle;
        }
    }
    return found;
}

Verdict verdictOf(const Answer &answer)
{
    Verdict verdict;
    verdict.outcome = outcomeOf(answer.exact, answer.runsEach);
    verdict.meetsMore = rightWay(answer.exact);
    verdict.meetsSooner = meetsSooner(answer.exact);
    if (verdict.outcome == Outcome::Clear)
        verdict.faster = verdict.meetsMore;
    return verdict;
}

} // namespace stats
