// Benchmarks of meetling-stats, printed with the ratios they are judged by:
// the exact law against its time budget, the simulation against a loop that
// only draws the same random numbers, and two threads against one.

#include "exactlaw.h"
#include "randomsource.h"
#include "simulation.h"
#include "walkertick.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

const stats::Starts Defaults{{4, 4}, {6, 4}};
constexpr int Ticks = 900;
constexpr std::int64_t Runs = 4000;

void exactBothScenarios(benchmark::State &state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(stats::exactResult(Scenario::BothWalk, Defaults, Ticks));
        benchmark::DoNotOptimize(stats::exactResult(Scenario::DogWalks, Defaults, Ticks));
    }
}
BENCHMARK(exactBothScenarios)->Unit(benchmark::kMillisecond)->UseRealTime();

void meetingMap(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(stats::meetingMap(Defaults.dog, Ticks));
}
BENCHMARK(meetingMap)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Draws the directions of Runs runs, as the simulation does, and nothing else.
void drawsOnly(benchmark::State &state)
{
    for (auto _ : state) {
        int sum = 0;
        for (std::int64_t run = 0; run < Runs; ++run) {
            SplitMixRandom random(SplitMixRandom::mix(std::uint64_t(run)));
            for (int i = 0; i < 2 * Ticks; ++i)
                sum += directionFromDraw(random.next());
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * Runs * 2 * Ticks);
}
BENCHMARK(drawsOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

void simulatedTicks(benchmark::State &state)
{
    const int threads = int(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(stats::simulate({Scenario::BothWalk, Defaults, Ticks, Runs, 1, threads}));
    state.SetItemsProcessed(state.iterations() * Runs * 2 * Ticks);
}
BENCHMARK(simulatedTicks)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void hundredThousandRunsOfBoth(benchmark::State &state)
{
    for (auto _ : state) {
        for (Scenario scenario : {Scenario::BothWalk, Scenario::DogWalks})
            benchmark::DoNotOptimize(stats::simulate({scenario, Defaults, Ticks, 100'000, 1, 2}));
    }
}
BENCHMARK(hundredThousandRunsOfBoth)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

// Keeps each benchmark's real time per iteration and its items per second,
// to print the ratios after the table.
class RatioReporter final : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> seconds;
    std::map<std::string, double> rate;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            const std::string name = run.benchmark_name();
            seconds[name] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            if (const auto items = run.counters.find("items_per_second"); items != run.counters.end())
                rate[name] = items->second;
        }
    }
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto s = [&](const char *name) { return reporter.seconds[name]; };
    auto r = [&](const char *name) { return reporter.rate[name]; };
    std::printf("\nmeetling-stats against its goals\n");
    std::printf("  exact results, both scenarios:         %7.3f s   (goal under 0.3 s)\n", s("exactBothScenarios/real_time"));
    std::printf("  the 121-point map:                     %7.3f s   (goal under 10 s)\n", s("meetingMap/iterations:3/real_time"));
    std::printf("  simulation, one thread, against draws: %7.2fx    (goal at least 0.5x; %.0f against %.0f ticks/s)\n",
                r("simulatedTicks/1/real_time") / r("drawsOnly/real_time"), r("simulatedTicks/1/real_time"), r("drawsOnly/real_time"));
    std::printf("  simulation, two threads against one:   %7.2fx    (goal at least 1.8x)\n",
                r("simulatedTicks/2/real_time") / r("simulatedTicks/1/real_time"));
    std::printf("  100,000 runs of both, two threads:     %7.3f s   (goal under 3 s)\n",
                s("hundredThousandRunsOfBoth/iterations:2/real_time"));
    benchmark::Shutdown();
    return 0;
}
