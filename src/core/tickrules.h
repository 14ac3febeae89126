#pragma once

#include "core/rules.h"
#include "core/walkstate.h"

#include <array>

// A board point.
struct Point
{
    Int16 x;
    Int16 y;
    friend bool operator==(const Point &a, const Point &b) { return int(a.x) == int(b.x) && int(a.y) == int(b.y); }
};

namespace rules {

// Where the walkers start until someone says otherwise: the board's set-up
// suggests these, and the answer window and the statistics tool begin here.
inline constexpr Point DefaultMomotaroStart{4, 4};
inline constexpr Point DefaultDogStart{6, 4};

} // namespace rules

namespace detail {

struct Delta
{
    int dx;
    int dy;
};

// Directions 1..8 at indexes 0..7.
inline constexpr std::array<Delta, 8> Directions{
    {{+1, 0}, {+1, +1}, {0, +1}, {-1, +1}, {-1, 0}, {-1, -1}, {0, -1}, {+1, -1}}};

// Written without branches: a walk near the edges would keep the
// processor guessing which way each clamp goes. Taking a plain int (a board
// coordinate plus one step cannot overflow) lets the compiler see that the
// result is in range, so it needs no overflow check.
inline Int16 clampToBoard(int value)
{
    return Int16(value < 0 ? 0 : (value > rules::BoardMax ? rules::BoardMax : value));
}

} // namespace detail

// One step in direction 1..8 (1 is right, then clockwise with y growing
// downwards: 3 is down, 5 left, 7 up), clamped to the board. Any other
// direction leaves the point where it is.
inline Point stepOnBoard(Point from, int direction)
{
    if (direction < 1 || direction > int(detail::Directions.size()))
        return from;
    const detail::Delta d = detail::Directions[direction - 1];
    return {detail::clampToBoard(int(from.x) + d.dx), detail::clampToBoard(int(from.y) + d.dy)};
}

// floor(r * 8 + 1) for r in [0, 1): the direction 1..8. The value is
// positive, so cutting off its fraction is its floor.
inline int directionFromDraw(double r)
{
    return static_cast<int>(r * 8 + 1);
}

// What the rules did on one walker tick.
enum class TickAction { None, Moved, Met, Restarted };

// The rules of one walker tick once its direction has been drawn, and nothing
// else: no clock, no random source, no window. A walker that walks in the
// current mode steps (clamped to the board) and, landing on the other
// walker's point, counts a meeting; when a meeting is pending instead, both
// walkers go back to their start points. The board window and the
// statistics tool both run the walk through this one function.
inline TickAction applyTick(WalkPoints &state, Walker walker, int direction)
{
    const bool isDog = walker == Walker::Dog;
    if (state.walking(walker)) {
        // Fields read and written by name, never through a reference: the
        // simulation's compiler can then keep the whole state in registers.
        if (isDog) {
            const Point to = stepOnBoard({state.dogX, state.dogY}, direction);
            state.dogX = to.x;
            state.dogY = to.y;
        } else {
            const Point to = stepOnBoard({state.momoX, state.momoY}, direction);
            state.momoX = to.x;
            state.momoY = to.y;
        }
        if (int(state.dogX) == int(state.momoX) && int(state.dogY) == int(state.momoY)) {
            state.recordMeeting();
            return TickAction::Met;
        }
        return TickAction::Moved;
    }
    if (state.metPending()) {
        state.restartAfterMeeting();
        return TickAction::Restarted;
    }
    return TickAction::None;
}
