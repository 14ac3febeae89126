#include "law/simulation.h"

#include "runtime/randomsource.h"
#include "law/statslog.h"
#include "core/walkertick.h"
#include "core/walkrun.h"

#include <QThread>

#include <boost/math/distributions/students_t.hpp>
#include <boost/math/special_functions/gamma.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <numeric>
#include <thread>
#include <vector>

namespace stats {

std::uint64_t runSeed(std::uint64_t seed, Scenario scenario, std::int64_t run)
{
    const std::uint64_t stream = SplitMixRandom::mix(std::uint64_t(run) * 2 + (scenario == Scenario::BothWalk ? 0 : 1));
    return SplitMixRandom::mix(seed ^ stream);
}

int coresToUse()
{
    return std::max(1, QThread::idealThreadCount());
}

namespace {

// The runs are played, and handed over, in stretches of this many: long
// enough that handing one over costs next to nothing, short enough that the
// first is handed over at once (a few tens of milliseconds of runs of 180 s).
constexpr std::int64_t Stretch = 4096;
// How many stretches each thread may play ahead of the one waiting to be
// handed over, so that a thread seldom waits for a slower one.
constexpr std::int64_t AheadPerThread = 2;

// The meetings of runs first..last - 1 of the plan's scenario, each from the
// points placed for it, into out[0..]. Every run draws from its own seed,
// so a run's count is the same whichever runs it is played beside.
void playStretch(const SimulationPlan &plan, const WalkPoints &placed, std::int64_t first, std::int64_t last,
                 std::uint16_t *out)
{
    std::int64_t run = first;
    if (plan.ticksPerTimer <= MostTicksSideBySide) {
        for (; run + RunsSideBySide <= last; run += RunsSideBySide) {
            std::array<SplitMixRandom, RunsSideBySide> random;
            for (int lane = 0; lane < RunsSideBySide; ++lane)
                random[std::size_t(lane)] = SplitMixRandom(runSeed(plan.seed, plan.scenario, run + lane));
            const std::array<int, RunsSideBySide> counts =
                playRunsSideBySide(placed, plan.ticksPerTimer,
                                   [&random](int lane) { return directionFromDraw(random[std::size_t(lane)].next()); });
            for (int lane = 0; lane < RunsSideBySide; ++lane)
                out[run - first + lane] = std::uint16_t(counts[std::size_t(lane)]);
        }
    }
    for (; run < last; ++run) {
        SplitMixRandom random(runSeed(plan.seed, plan.scenario, run));
        // A copy of the placed points: no function outside this one ever
        // sees its address, so the compiler keeps them in registers.
        WalkPoints walk = placed;
        playRun(walk, plan.ticksPerTimer, [&random] { return directionFromDraw(random.next()); });
        out[run - first] = std::uint16_t(walk.meetCount);
    }
}

} // namespace

std::optional<Simulation> simulate(const SimulationPlan &plan, const RunCounts &take)
{
    const WalkState placed = placedWalk(plan.scenario, plan.starts.momotaro, plan.starts.dog);
    const std::int64_t stretches = (plan.runs + Stretch - 1) / Stretch;
    // A ring of slots: stretch i is played into slot i % ringSize, and a thread
    // takes stretch i only once stretch i - ringSize, the slot's last, has been
    // handed over.
    const std::int64_t ringSize = AheadPerThread * plan.threads;
    const std::vector<std::uint16_t> empty(Stretch);
    std::vector<std::vector<std::uint16_t>> counts(static_cast<std::size_t>(ringSize), empty);
    std::vector<bool> played(static_cast<std::size_t>(ringSize));
    std::mutex mutex;
    std::condition_variable changed;
    std::int64_t next = 0;
    std::int64_t handed = 0;
    bool stopping = false;

    auto work = [&] {
        for (;;) {
            std::int64_t stretch = 0;
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return stopping || next >= stretches || next < handed + ringSize; });
                if (stopping || next >= stretches)
                    return;
                stretch = next++;
            }
            const std::int64_t first = stretch * Stretch;
            const std::int64_t last = std::min(plan.runs, first + Stretch);
            playStretch(plan, placed, first, last, counts[std::size_t(stretch % ringSize)].data());
            if (plan.runsDone)
                plan.runsDone->fetch_add(last - first, std::memory_order_relaxed);
            {
                const std::lock_guard lock(mutex);
                played[std::size_t(stretch % ringSize)] = true;
            }
            changed.notify_all();
        }
    };
    std::vector<std::jthread> threads;
    for (int i = 0; i < plan.threads; ++i)
        threads.emplace_back(work);

    Simulation result;
    result.runs = plan.runs;
    double sum = 0;
    bool stopped = false;
    for (std::int64_t stretch = 0; stretch < stretches && !stopped; ++stretch) {
        const std::size_t slot = std::size_t(stretch % ringSize);
        {
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return bool(played[slot]); });
        }
        const std::int64_t first = stretch * Stretch;
        const std::span<const std::uint16_t> done(counts[slot].data(),
                                                  std::size_t(std::min(Stretch, plan.runs - first)));
        for (std::uint16_t count : done) {
            if (count >= result.histogram.size())
                result.histogram.resize(count + 1, 0);
            ++result.histogram[count];
            sum += count;
        }
        stopped = take && !take(first, done);
        {
            const std::lock_guard lock(mutex);
            played[slot] = false;
            handed = stretch + 1;
            stopping = stopped;
        }
        changed.notify_all();
    }
    threads.clear();
    if (stopped) {
        qCDebug(lcStats) << "simulation stopped after" << std::min(plan.runs, handed * Stretch) << "runs";
        return std::nullopt;
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
