#pragma once

#include "law/answer.h"
#include "law/classcounts.h"
#include "runtime/randomsource.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace stats {

inline constexpr int MostGroupsAtSpeed = 60;

// A class of groups, each playing one run of each scenario from the same
// start points, as simulate() plays runs 0 .. groups - 1 with the same seed:
// the same rules (playRun), the same random numbers, so the same counts,
// however the class is stepped. In turn, the groups do not press Start
// together: group g starts g / groups of half a run after the first, so that
// their runs end one after another. Together, they all start at once. Either
// way they play the same runs; only the start times differ. The class's
// clock counts tick periods from the first group's start.
class ClassAtSpeed
{
public:
    enum class Start { InTurn, Together };

    ClassAtSpeed() = default;
    ClassAtSpeed(Starts starts, int ticksPerTimer, int groups, std::uint64_t seed, Start start = Start::InTurn);

    Starts starts() const { return m_starts; }
    int ticksPerTimer() const { return m_ticksPerTimer; }
    int groups() const { return int(m_groups.size()); }
    std::uint64_t seed() const { return m_seed; }
    Start start() const { return m_start; }

    // Tick periods since the first group started.
    int now() const { return m_now; }
    // When group g starts, and when the last group's runs are done.
    int startOf(int group) const;
    int end() const;
    bool finished() const { return m_now >= end(); }

    // Plays every run on to the class's tick, never back; a tick past the
    // end stops there.
    void advanceTo(int tick);

    // Where group g's run of a scenario stands now.
    const WalkPoints &walk(int group, Scenario scenario) const;
    // How far group g is into its runs, 0..ticksPerTimer.
    int ticksDone(int group) const;
    // Groups finish in order, so the groups done are the first ones.
    int groupsDone() const;
    // The counts of the groups done.
    ClassCounts counts() const;

private:
    struct Run
    {
        WalkPoints walk;
        SplitMixRandom random = SplitMixRandom(0);
    };
    struct Group
    {
        PerScenario<Run> runs;
    };

    Starts m_starts{};
    int m_ticksPerTimer = 0;
    std::uint64_t m_seed = 0;
    Start m_start = Start::InTurn;
    int m_now = 0;
    std::vector<Group> m_groups;
};

// The class above played by many classes of the same size, without being
// shown: class c is runs c * groups .. (c + 1) * groups - 1 of simulate()
// with the seed, so the first class is the class shown. A class is right
// when the total of the right way (rightWay()) is the larger.
struct ManyClasses
{
    int classes = 0;
    int groups = 0;
    // The way the classes are counted for: the right way, or both wandering
    // when the two meet alike and neither is.
    Scenario way = Scenario::BothWalk;
    int right = 0;
    int ties = 0;
    // The exact chance that a class of this size is right, and the range
    // the number of classes right falls in 99 times in 100 at that chance
    // (the binomial law's 0.5% and 99.5% points).
    double exactChance = 0;
    int fewestRight = 0;
    int mostRight = 0;

    double share() const { return classes == 0 ? 0.0 : double(right) / classes; }
    bool agrees() const { return right >= fewestRight && right <= mostRight; }
};
// For answer's starts and run length. None when stop said yes (asked now
// and then by the simulation's stretches).
std::optional<ManyClasses> playManyClasses(const Answer &answer, int groups, int classes, std::uint64_t seed,
                                           int threads, const std::function<bool()> &stop = {});

} // namespace stats
