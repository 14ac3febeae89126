#pragma once

#include "exactlaw.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

namespace stats {

// Many independent runs of one scenario, each played with playRun() on a
// generator of its own, seeded from the run's number: the same seed gives
// the same counts whatever the number of threads.
struct Simulation
{
    // Meetings counted in each run, in run order.
    std::vector<std::uint16_t> counts;
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

Simulation simulate(const SimulationPlan &plan);

} // namespace stats
