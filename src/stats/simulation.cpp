#include "simulation.h"

#include "randomsource.h"
#include "walkertick.h"
#include "walkrun.h"

#include <boost/math/distributions/students_t.hpp>
#include <boost/math/special_functions/gamma.hpp>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <thread>
#include <vector>

namespace stats {

namespace {

// Runs are handed out to the threads in blocks of this many.
constexpr std::int64_t Block = 256;

std::uint64_t runSeed(std::uint64_t seed, Scenario scenario, std::int64_t run)
{
    const std::uint64_t stream = SplitMixRandom::mix(std::uint64_t(run) * 2 + (scenario == Scenario::BothWalk ? 0 : 1));
    return SplitMixRandom::mix(seed ^ stream);
}

// The meetings of one run of the plan's scenario, run number run, from the
// points placed for it.
int simulatedRun(const SimulationPlan &plan, const WalkPoints &placed, std::int64_t run)
{
    SplitMixRandom random(runSeed(plan.seed, plan.scenario, run));
    // A copy of the placed points: no function outside this one ever sees
    // its address, so the compiler keeps them in registers.
    WalkPoints walk = placed;
    playRun(walk, plan.ticksPerTimer, [&random] { return directionFromDraw(random.next()); });
    return walk.meetCount;
}

} // namespace

Simulation simulate(const SimulationPlan &plan)
{
    Simulation result;
    result.runs = plan.runs;
    result.counts.resize(plan.runs);
    std::atomic<std::int64_t> nextBlock{0};
    const WalkState placed = placedWalk(plan.scenario, plan.starts.momotaro, plan.starts.dog);

    auto work = [&] {
        for (;;) {
            const std::int64_t first = nextBlock.fetch_add(Block);
            if (first >= plan.runs)
                return;
            const std::int64_t last = std::min(plan.runs, first + Block);
            for (std::int64_t run = first; run < last; ++run)
                result.counts[run] = std::uint16_t(simulatedRun(plan, placed, run));
            if (plan.runsDone)
                plan.runsDone->fetch_add(last - first, std::memory_order_relaxed);
        }
    };
    std::vector<std::jthread> helpers;
    for (int i = 1; i < plan.threads; ++i)
        helpers.emplace_back(work);
    work();
    helpers.clear();

    double sum = 0;
    for (std::uint16_t count : result.counts) {
        if (count >= result.histogram.size())
            result.histogram.resize(count + 1, 0);
        ++result.histogram[count];
        sum += count;
    }
    const double n = double(plan.runs);
    result.mean = sum / n;
    double squares = 0;
    for (std::size_t k = 0; k < result.histogram.size(); ++k)
        squares += double(result.histogram[k]) * (double(k) - result.mean) * (double(k) - result.mean);
    const double variance = plan.runs > 1 ? squares / (n - 1) : 0;
    result.halfWidth99 = halfWidth99(variance, plan.runs);
    return result;
}

std::optional<double> halfWidth99(double variance, std::int64_t runs)
{
    if (runs < MinRunsForInterval)
        return std::nullopt;
    const boost::math::students_t t(double(runs - 1));
    return boost::math::quantile(boost::math::complement(t, 0.005)) * std::sqrt(variance / double(runs));
}

std::optional<FitToLaw> chiSquareFit(const std::vector<std::int64_t> &histogram, const std::vector<double> &law)
{
    constexpr double LeastExpected = 5;
    const double runs = double(std::accumulate(histogram.begin(), histogram.end(), std::int64_t(0)));
    const std::size_t counts = std::max(histogram.size(), law.size());
    auto observedAt = [&](std::size_t k) { return k < histogram.size() ? double(histogram[k]) : 0.0; };
    auto expectedAt = [&](std::size_t k) { return k < law.size() ? runs * law[k] : 0.0; };

    std::vector<std::pair<double, double>> groups; // observed, expected
    double observed = 0;
    double expected = 0;
    for (std::size_t k = 0; k < counts; ++k) {
        observed += observedAt(k);
        expected += expectedAt(k);
        if (expected >= LeastExpected) {
            groups.emplace_back(observed, expected);
            observed = expected = 0;
        }
    }
    // What is left of the tail joins the last group.
    if (!groups.empty()) {
        groups.back().first += observed;
        groups.back().second += expected;
    }
    if (groups.size() < 2)
        return std::nullopt;
    FitToLaw fit;
    for (const auto &[o, e] : groups)
        fit.chiSquare += (o - e) * (o - e) / e;
    fit.degreesOfFreedom = int(groups.size()) - 1;
    fit.p = boost::math::gamma_q(fit.degreesOfFreedom / 2.0, fit.chiSquare / 2);
    return fit;
}

} // namespace stats
