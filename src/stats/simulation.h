#pragma once

#include "exactlaw.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace stats {

// Many independent runs of one scenario, each played with playRun() on a
// generator of its own, seeded from the run's number: the same seed gives
// the same counts whatever the number of threads.
struct Simulation
{
    // Meetings counted in each run, in run order.
    std::vector<std::uint16_t> counts;
    // histogram[k]: how many runs counted k meetings.
    std::vector<std::int64_t> histogram;
    double mean = 0;
    // Half the width of the 99% confidence interval of the mean.
    double halfWidth99 = 0;
};

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
