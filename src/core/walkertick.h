#pragma once

#include "core/tickrules.h"
#include "core/walkstate.h"

class BoardOps;
class Clock;
class RandomSource;

// What one walker tick did, for callers that want to know without looking at
// the window.
struct TickOutcome
{
    using Action = TickAction;
    Action action = Action::None;
    bool limitPassed = false;
    int direction = 0;
};

// One tick of the walker's timer: the elapsed-time read-out and the time limit
// (both timed on the steady clock from the run's steady start; the tick's
// time of day is kept in the state), showing the walker, a fresh reseed and
// draw, then the rules of applyTick(), shown on the window: the walker's
// picture and position read-out when it moved, the meeting read-out when it
// met, the meeting sound when it restarted. Acts on the window only through
// board, in the order the window must show it.
TickOutcome walkerTick(Walker walker, WalkState &state, Clock &clock, RandomSource &random, BoardOps &board);
