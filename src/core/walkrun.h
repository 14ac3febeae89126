#pragma once

#include "core/tickrules.h"

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
