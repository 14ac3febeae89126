#pragma once

#include "walkstate.h"

class BoardOps;
class Clock;
class RandomSource;

// A board point.
struct Point
{
    Int16 x;
    Int16 y;
    friend bool operator==(const Point &a, const Point &b) { return int(a.x) == int(b.x) && int(a.y) == int(b.y); }
};

// One step in direction 1..8 (1 is right, then clockwise with y growing
// downwards: 3 is down, 5 left, 7 up), clamped to the board. Any other
// direction leaves the point where it is.
Point stepOnBoard(Point from, int direction);

// floor(r * 8 + 1) for r in [0, 1): the direction 1..8.
int directionFromDraw(double r);

// Whole seconds between two clock readings, as the elapsed-time read-out shows
// them. A tick that reads an earlier time of day than the start has crossed
// midnight, so a day is added.
double elapsedSeconds(float startTime, float tickTime);

// What one walker tick did, for callers that want to know without looking at
// the window.
struct TickOutcome
{
    enum class Action { None, Moved, Met, Restarted };
    Action action = Action::None;
    bool limitPassed = false;
    int direction = 0;
};

// One tick of the walker's timer: the elapsed-time read-out, the time limit,
// showing the walker, a fresh reseed and draw, then moving (and counting a
// meeting) or, when a meeting is pending, the restart with its sound. Acts on
// the window only through board, in the order the window must show it.
TickOutcome walkerTick(Walker walker, WalkState &state, Clock &clock, RandomSource &random, BoardOps &board);
