#pragma once

#include "tickrules.h"
#include "walkstate.h"

class BoardOps;
class Clock;
class RandomSource;

// Whole seconds between two clock readings, as the elapsed-time read-out shows
// them. A tick that reads an earlier time of day than the start has crossed
// midnight, so a day is added.
double elapsedSeconds(float startTime, float tickTime);

// What one walker tick did, for callers that want to know without looking at
// the window.
struct TickOutcome
{
    using Action = TickAction;
    Action action = Action::None;
    bool limitPassed = false;
    int direction = 0;
};

// One tick of the walker's timer: the elapsed-time read-out, the time limit,
// showing the walker, a fresh reseed and draw, then the rules of applyTick(),
// shown on the window: the walker's picture and position read-out when it
// moved, the meeting read-out when it met, the meeting sound when it
// restarted. Acts on the window only through board, in the order the window
// must show it.
TickOutcome walkerTick(Walker walker, WalkState &state, Clock &clock, RandomSource &random, BoardOps &board);
