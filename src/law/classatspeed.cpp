#include "law/classatspeed.h"

#include "law/lawsums.h"
#include "law/rightway.h"
#include "law/simulation.h"
#include "core/walkertick.h"
#include "core/walkrun.h"

#include <boost/math/distributions/binomial.hpp>

#include <algorithm>

namespace stats {

ClassAtSpeed::ClassAtSpeed(Starts starts, int ticksPerTimer, int groups, std::uint64_t seed, Start start)
    : m_starts(starts), m_ticksPerTimer(ticksPerTimer), m_seed(seed), m_start(start),
      m_groups(std::size_t(std::clamp(groups, 1, MostGroupsAtSpeed)))
{
    for (std::size_t g = 0; g < m_groups.size(); ++g) {
        for (Scenario scenario : Scenarios) {
            Run &run = m_groups[g].runs[scenario];
            run.walk = placedWalk(scenario, starts.momotaro, starts.dog);
            run.random = SplitMixRandom(runSeed(seed, scenario, std::int64_t(g)));
        }
    }
}

int ClassAtSpeed::startOf(int group) const
{
    if (m_start == Start::Together)
        return 0;
    return int(std::int64_t(group) * m_ticksPerTimer / (2 * groups()));
}

int ClassAtSpeed::end() const
{
    return startOf(groups() - 1) + m_ticksPerTimer;
}

int ClassAtSpeed::ticksDone(int group) const
{
    return std::clamp(m_now - startOf(group), 0, m_ticksPerTimer);
}

void ClassAtSpeed::advanceTo(int tick)
{
    tick = std::min(tick, end());
    if (tick <= m_now)
        return;
    for (int g = 0; g < groups(); ++g) {
        const int from = ticksDone(g);
        const int to = std::clamp(tick - startOf(g), 0, m_ticksPerTimer);
        for (Scenario scenario : Scenarios) {
            Run &run = m_groups[std::size_t(g)].runs[scenario];
            playRun(run.walk, to - from, [&run] { return directionFromDraw(run.random.next()); });
        }
    }
    m_now = tick;
}

const WalkPoints &ClassAtSpeed::walk(int group, Scenario scenario) const
{
    return m_groups[std::size_t(group)].runs[scenario].walk;
}

int ClassAtSpeed::groupsDone() const
{
    int done = 0;
    while (done < groups() && ticksDone(done) == m_ticksPerTimer)
        ++done;
    return done;
}

ClassCounts ClassAtSpeed::counts() const
{
    ClassCounts counts;
    for (int g = 0; g < groupsDone(); ++g) {
        ClassGroup group;
        for (Scenario scenario : Scenarios)
            group.counts[scenario] = int(walk(g, scenario).meetCount);
        counts.groups.push_back(group);
    }
    return counts;
}

std::optional<ManyClasses> playManyClasses(const Answer &answer, int groups, int classes, std::uint64_t seed,
                                           int threads, const std::function<bool()> &stop)
{
    ManyClasses many;
    many.classes = classes;
    many.groups = groups;
    PerScenario<std::vector<long long>> totals;
    for (Scenario scenario : Scenarios) {
        std::vector<long long> &total = totals[scenario];
        total.assign(std::size_t(classes), 0);
        const SimulationPlan plan{scenario, answer.starts, answer.ticksPerTimer, std::int64_t(classes) * groups, seed,
                                  threads,  nullptr};
        const auto played = simulate(plan, [&](std::int64_t firstRun, std::span<const std::uint16_t> counts) {
            for (std::size_t i = 0; i < counts.size(); ++i)
                total[std::size_t((firstRun + std::int64_t(i)) / groups)] += counts[i];
            return !(stop && stop());
        });
        if (!played)
            return std::nullopt;
    }
    // The classes are counted for the way that is right; where neither is,
    // for both wandering.
    const Scenario counted = rightWay(answer.exact).value_or(Scenario::BothWalk);
    many.way = counted;
    for (std::size_t c = 0; c < std::size_t(classes); ++c) {
        const long long right = totals[counted][c];
        const long long other = totals[otherScenario(counted)][c];
        many.right += right > other ? 1 : 0;
        many.ties += right == other ? 1 : 0;
    }

    const RunsEach compared = int(answer.runsEach.byRuns.size()) >= groups
                                  ? answer.runsEach
                                  : compareRunsEach(answer.exact[Scenario::BothWalk].law,
                                                    answer.exact[Scenario::DogWalks].law, groups, groups);
    const OneRunEach &exact = compared.byRuns[std::size_t(groups - 1)];
    many.exactChance = counted == Scenario::BothWalk ? exact.bothMore : exact.oneMore;
    const boost::math::binomial_distribution<> law(classes, many.exactChance);
    many.fewestRight = int(boost::math::quantile(law, 0.005));
    many.mostRight = int(boost::math::quantile(boost::math::complement(law, 0.005)));
    return many;
}

} // namespace stats
