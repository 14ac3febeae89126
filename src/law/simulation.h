#pragma once

#include "law/exactlaw.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace stats {

// Many independent runs of one scenario, each played with playRun() on a
// generator of its own, seeded from the run's number: the same seed gives
// the same counts whatever the number of threads.
struct Simulation
{
    std::int64_t runs = 0;
    // histogram[k]: how many runs counted k meetings.
    std::vector<std::int64_t> histogram;
    double mean = 0;
    // Half the width of the 99% confidence interval of the mean; none for
    // fewer than MinRunsForInterval runs.
    std::optional<double> halfWidth99;
};

// The fewest runs the simulation gives an interval for. Below it, the
// t-interval of these skewed, lumpy counts covers the exact mean less than
// 98% of the time it claims 99%.
inline constexpr std::int64_t MinRunsForInterval = 30;

// Half the width of the 99% t-interval of the mean of runs values whose
// sample variance is given: t(0.995, runs - 1) sqrt(variance / runs).
std::optional<double> halfWidth99(double variance, std::int64_t runs);

// Pearson's chi-square test of a histogram of runs against the exact law
// of one run: neighbouring counts are pooled until each group expects at
// least 5 runs, the last group taking the whole tail.
//   X2 = sum over groups (observed - expected)^2 / expected,
//   p = Q((groups - 1) / 2, X2 / 2), Q the regularised upper gamma function.
struct FitToLaw
{
    double chiSquare = 0;
    int degreesOfFreedom = 0;
    double p = 1;
};
// None when the runs are too few to form two groups.
std::optional<FitToLaw> chiSquareFit(const std::vector<std::int64_t> &histogram, const std::vector<double> &law);

struct SimulationPlan
{
    Scenario scenario = Scenario::BothWalk;
    Starts starts;
    int ticksPerTimer = 0;
    std::int64_t runs = 0;
    std::uint64_t seed = 0;
    int threads = 1;
    // Counts finished runs as they go, for a progress display; may be null.
    std::atomic<std::int64_t> *runsDone = nullptr;
};

// The meetings of a stretch of runs in run order, the first of them run
// number firstRun (from 0); false asks the simulation to stop.
using RunCounts = std::function<bool(std::int64_t firstRun, std::span<const std::uint16_t> counts)>;

// The seed of run number run (from 0) of a scenario in a simulation seeded
// with seed: simulate() plays that run with a SplitMixRandom of this seed,
// drawing one direction a walker tick.
std::uint64_t runSeed(std::uint64_t seed, Scenario scenario, std::int64_t run);

// The threads a simulation plays on unless told otherwise: as many as the
// cores the program may use, at least one.
int coresToUse();

// Plays the plan's runs on its threads, handing each stretch of their counts
// to take (when given) in run order as soon as every run before it is done:
// memory stays the same whatever the number of runs. None when take asked
// to stop; the threads then stop within a stretch.
std::optional<Simulation> simulate(const SimulationPlan &plan, const RunCounts &take = {});

} // namespace stats
