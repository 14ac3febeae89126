// Benchmarks of meetling-stats, printed with the ratios they are judged by:
// the exact law against its time budget, the simulation against a loop that
// only draws the same random numbers, and two threads against one.

#include "law/answer.h"
#include "benchtable.h"
#include "law/classatspeed.h"
#include "law/exactlaw.h"
#include "law/lawsums.h"
#include "law/meetingmap.h"
#include "runtime/randomsource.h"
#include "law/simulation.h"
#include "core/rules.h"
#include "core/walkertick.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <future>
#include <map>
#include <string>

namespace {

const stats::Starts Defaults = stats::DefaultStarts;
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

// meetling-stats --map: both sweeps side by side, then the map's 242 means.
void meetingMap(benchmark::State &state)
{
    const int ticks = rules::ticksPerTimer(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(stats::meetingMap(stats::sweepBoth(Defaults, ticks, true)));
}
BENCHMARK(meetingMap)->ArgName("seconds")->Arg(600)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The answer for one Momotaro start once Dog's sweeps are done: what a drag
// of Momotaro waits for in the window.
void oneStartAnswer(benchmark::State &state)
{
    const int seconds = int(state.range(0));
    const stats::PerScenario<stats::ExactForDog> sweeps =
        stats::sweepBoth(Defaults, rules::ticksPerTimer(seconds), true);
    for (auto _ : state)
        benchmark::DoNotOptimize(stats::answerOf(Defaults, seconds, sweeps));
}
BENCHMARK(oneStartAnswer)->ArgName("seconds")->Arg(180)->Arg(600)->Unit(benchmark::kMillisecond);

// What a new Dog or run length costs the window's work ahead, on its one
// thread: both sweeps, the answers for all 121 Momotaro starts, the map.
void workAhead(benchmark::State &state)
{
    const int seconds = int(state.range(0));
    const int ticks = rules::ticksPerTimer(seconds);
    for (auto _ : state) {
        stats::PerScenario<stats::ExactForDog> sweeps;
        for (Scenario scenario : stats::Scenarios)
            sweeps[scenario] = stats::ExactForDog(scenario, Defaults.dog, ticks);
        for (int m = 0; m < stats::BoardPoints; ++m)
            benchmark::DoNotOptimize(stats::answerOf({stats::pointAt(m), Defaults.dog}, seconds, sweeps));
        benchmark::DoNotOptimize(stats::meetingMap(sweeps));
    }
}
BENCHMARK(workAhead)->ArgName("seconds")->Arg(180)->Arg(600)->Unit(benchmark::kMillisecond)->Iterations(1);

// Dog's backward tick over every pair of points, unrolled and plain: what
// the exact law's inner loop gains from its unrolling.
void dogTickBack(benchmark::State &state)
{
    const bool plain = state.range(0) != 0;
    std::vector<double> landing(stats::PairTableSize, 0.5);
    std::vector<double> next(stats::PairTableSize);
    for (auto _ : state) {
        (plain ? stats::dogTickBackPlain : stats::dogTickBack)(landing.data(), next.data());
        benchmark::DoNotOptimize(next.data());
    }
}
BENCHMARK(dogTickBack)->ArgName("plain")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

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

// The simulation hands runs to its threads in stretches of 4,096: ten of
// them, so that two threads have work to share (at Runs, one stretch, the
// second thread would have none).
constexpr std::int64_t SharedRuns = 10 * 4096;

void simulatedTicks(benchmark::State &state)
{
    const int threads = int(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(stats::simulate({Scenario::BothWalk, Defaults, Ticks, SharedRuns, 1, threads}));
    state.SetItemsProcessed(state.iterations() * SharedRuns * 2 * Ticks);
}
BENCHMARK(simulatedTicks)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the class figures add to a run of the tool: n = 1..30 runs of each
// (and on to the 99% threshold), and a class file of 30 runs of each.
void classFigures(benchmark::State &state)
{
    const std::vector<double> both = stats::exactResult(Scenario::BothWalk, Defaults, Ticks).law;
    const std::vector<double> one = stats::exactResult(Scenario::DogWalks, Defaults, Ticks).law;
    for (auto _ : state) {
        benchmark::DoNotOptimize(stats::compareRunsEach(both, one));
        benchmark::DoNotOptimize(stats::chanceOfTotalThisFar(both, 30, 250));
        benchmark::DoNotOptimize(stats::chanceOfTotalThisFar(one, 30, 200));
    }
}
BENCHMARK(classFigures)->Unit(benchmark::kMillisecond)->UseRealTime();

// The work of meetling-stats with no options on two threads: both exact
// laws side by side, the class figures, 100,000 runs of each.
void defaultRun(benchmark::State &state)
{
    for (auto _ : state) {
        auto both = std::async(std::launch::async, stats::exactResult, Scenario::BothWalk, Defaults, Ticks);
        const stats::ExactResult one = stats::exactResult(Scenario::DogWalks, Defaults, Ticks);
        benchmark::DoNotOptimize(stats::compareRunsEach(both.get().law, one.law));
        for (Scenario scenario : stats::Scenarios)
            benchmark::DoNotOptimize(stats::simulate({scenario, Defaults, Ticks, 100'000, 1, 2}));
    }
}
BENCHMARK(defaultRun)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

void hundredThousandRunsOfBoth(benchmark::State &state)
{
    for (auto _ : state) {
        for (Scenario scenario : stats::Scenarios)
            benchmark::DoNotOptimize(stats::simulate({scenario, Defaults, Ticks, 100'000, 1, 2}));
    }
}
BENCHMARK(hundredThousandRunsOfBoth)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

// 1,000 classes of a few groups, runs of 180 s from the default starts, on
// two threads: how often their totals put the right way ahead, beside the
// exact chance.
void manyClasses(benchmark::State &state)
{
    const int groups = int(state.range(0));
    const stats::Answer answer = stats::answerOf(Defaults, 180, stats::sweepBoth(Defaults, Ticks, false));
    std::optional<stats::ManyClasses> many;
    for (auto _ : state)
        many = stats::playManyClasses(answer, groups, 1000, 1, 2);
    state.counters["share"] = many->share();
    state.counters["exact"] = many->exactChance;
    benchtable::append({benchtable::format("1,000 classes of %d: right in (exact chance; its 99%% range)", groups),
                        benchtable::format("%d (%.1f%%; %d..%d)", many->right, 100 * many->exactChance,
                                           many->fewestRight, many->mostRight),
                        "-", "-", "within the range", benchtable::met(many->agrees())});
}
BENCHMARK(manyClasses)
    ->ArgName("groups")
    ->Arg(1)
    ->Arg(5)
    ->Arg(10)
    ->Arg(30)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

// Keeps each benchmark's real time per iteration and its items per second,
// to print the ratios after the table.
class RatioReporter final : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> seconds;
    std::map<std::string, double> cpu;
    std::map<std::string, double> rate;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            const std::string name = run.benchmark_name();
            seconds[name] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            cpu[name] = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
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
    auto c = [&](const char *name) { return reporter.cpu[name]; };
    auto r = [&](const char *name) { return reporter.rate[name]; };
    struct Figure
    {
        const char *measure;
        double value;
        const char *unit;
        bool atMost;
        double goal;
    };
    const Figure figures[] = {
        {"exact results, both scenarios", s("exactBothScenarios/real_time"), "s", true, 0.3},
        {"the 121-point map, 600 s, two threads", s("meetingMap/seconds:600/iterations:3/real_time"), "s", true, 1},
        {"one start's answer, 600 s, CPU", c("oneStartAnswer/seconds:600"), "s", true, 0.01},
        {"the work ahead for a new Dog, 180 s, CPU", c("workAhead/seconds:180/iterations:1"), "s", true, 0.5},
        {"the work ahead for a new Dog, 600 s, CPU", c("workAhead/seconds:600/iterations:1"), "s", true, 1.5},
        {"simulation, one thread, against draws", r("simulatedTicks/1/real_time") / r("drawsOnly/real_time"), "x",
         false, 0.5},
        {"simulation, two threads against one", r("simulatedTicks/2/real_time") / r("simulatedTicks/1/real_time"), "x",
         false, 1.8},
        {"100,000 runs of both, two threads", s("hundredThousandRunsOfBoth/iterations:2/real_time"), "s", true, 3},
        {"class figures (1..30 runs, a 30-run class)", s("classFigures/real_time"), "s", true, 0.02},
        {"the default run, two threads", s("defaultRun/iterations:2/real_time"), "s", true, 0.5},
    };
    std::printf("\nmeetling-stats against its goals\n");
    for (const Figure &figure : figures) {
        const std::string value = benchtable::format(figure.unit[0] == 'x' ? "%.2fx" : "%.3f s", figure.value);
        const std::string goal = benchtable::format(figure.unit[0] == 'x' ? "%s %.1fx" : "%s %g s",
                                                    figure.atMost ? "<=" : ">=", figure.goal);
        std::printf("  %-40s %9s   (goal %s)\n", (std::string(figure.measure) + ":").c_str(), value.c_str(),
                    goal.c_str());
        const bool met = figure.atMost ? figure.value <= figure.goal : figure.value >= figure.goal;
        benchtable::append(
            {std::string("meetling-stats: ") + figure.measure, value, "-", "-", goal, benchtable::met(met)});
    }
    benchmark::Shutdown();
    return 0;
}
