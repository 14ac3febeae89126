#pragma once

#include "core/tickrules.h"

#include <array>
#include <cstdint>
#include <cstring>

// One run as the board window's two timers play it: in each tick period
// Dog's timer ticks first (it is started first), then Momotaro's, and every
// tick draws a direction, whatever the mode. Each timer ticks ticksPerTimer
// times (rules::ticksPerTimer). nextDirection() yields 1..8.
template<typename NextDirection> void playRun(WalkPoints &state, int ticksPerTimer, NextDirection &&nextDirection)
{
    for (int i = 0; i < ticksPerTimer; ++i) {
        applyTick(state, Walker::Dog, nextDirection());
        applyTick(state, Walker::Momotaro, nextDirection());
    }
}

// Eight runs in the eight 16-bit lanes of one 128-bit vector register, which
// every x86-64 and arm64 processor has.
using EightRuns = std::int16_t __attribute__((vector_size(16)));
inline constexpr int RunsSideBySide = 8;
// The longest run whose count a 16-bit lane holds: two meetings a tick at
// most.
inline constexpr int MostTicksSideBySide = Int16::Max / 2;

// RunsSideBySide runs from the same points, each played exactly as playRun
// plays it alone: its ticks in the same order, its directions drawn in the
// same order, by the same tickRules. nextDirection(lane) yields 1..8 for the
// run in that lane. Returns the runs' meeting counts. ticksPerTimer is at
// most MostTicksSideBySide.
template<typename NextDirection>
std::array<int, RunsSideBySide> playRunsSideBySide(const WalkPoints &placed, int ticksPerTimer,
                                                   NextDirection &&nextDirection)
{
    auto all = inEveryLane<EightRuns>;
    WalkLanes<EightRuns> runs{all(placed.dogStartX),  all(placed.dogStartY), all(placed.momoStartX),
                              all(placed.momoStartY), all(placed.dogX),      all(placed.dogY),
                              all(placed.momoX),      all(placed.momoY),     all(int(placed.runMode)),
                              all(placed.meetCount)};
    // Drawn lane by lane into memory, then loaded as one vector.
    auto directions = [&nextDirection] {
        std::int16_t drawn[RunsSideBySide];
        for (int lane = 0; lane < RunsSideBySide; ++lane)
            drawn[lane] = std::int16_t(nextDirection(lane));
        EightRuns lanes;
        std::memcpy(&lanes, drawn, sizeof lanes);
        return lanes;
    };
    for (int i = 0; i < ticksPerTimer; ++i) {
        tickRules<Walker::Dog>(runs, directions());
        tickRules<Walker::Momotaro>(runs, directions());
    }
    std::array<int, RunsSideBySide> counts;
    for (int lane = 0; lane < RunsSideBySide; ++lane)
        counts[std::size_t(lane)] = runs.meetCount[lane];
    return counts;
}

// A walk state placed for a run from the given start points.
inline WalkState placedWalk(Scenario scenario, Point momotaro, Point dog)
{
    WalkState state;
    state.setStart(StartField::MomoX, momotaro.x);
    state.setStart(StartField::MomoY, momotaro.y);
    state.setStart(StartField::DogX, dog.x);
    state.setStart(StartField::DogY, dog.y);
    state.place(scenario);
    return state;
}
