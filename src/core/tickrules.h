#pragma once

#include "core/rules.h"
#include "core/walkstate.h"

#include <cstdint>
#include <type_traits>

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

// The rules of a walker tick are written once, for one run and for several
// runs side by side. Lanes is int for one run, or a vector with one 16-bit
// lane per run (playRunsSideBySide): a comparison then gives a mask with a
// lane per run instead of a bool, and every choice is a select (c ? a : b),
// so that runs going different ways cost no branch.
template<typename Lanes> Lanes inEveryLane(int value)
{
    if constexpr (std::is_same_v<Lanes, int>)
        return value;
    else
        return Lanes{} + std::int16_t(value);
}

// The x and y parts of one step in direction 1..8 (1 is right, then
// clockwise with y growing downwards: 3 is down, 5 left, 7 up). Any other
// direction is no step.
template<typename Lanes> Lanes stepX(Lanes direction)
{
    auto k = inEveryLane<Lanes>;
    const auto right = (direction == k(8)) | (direction == k(1)) | (direction == k(2));
    const auto left = (direction >= k(4)) & (direction <= k(6));
    return right ? k(+1) : (left ? k(-1) : k(0));
}

template<typename Lanes> Lanes stepY(Lanes direction)
{
    auto k = inEveryLane<Lanes>;
    const auto down = (direction >= k(2)) & (direction <= k(4));
    const auto up = (direction >= k(6)) & (direction <= k(8));
    return down ? k(+1) : (up ? k(-1) : k(0));
}

// A coordinate held to the board, without branches: a walk near the edges
// would keep the processor guessing which way each clamp goes.
template<typename Lanes> Lanes clampToBoard(Lanes value)
{
    auto k = inEveryLane<Lanes>;
    return value < k(0) ? k(0) : (value > k(rules::BoardMax) ? k(rules::BoardMax) : value);
}

// One step in direction 1..8, clamped to the board; any other direction
// leaves the point where it is.
inline Point stepOnBoard(Point from, int direction)
{
    return {clampToBoard(int(from.x) + stepX(direction)), clampToBoard(int(from.y) + stepY(direction))};
}

// floor(r * 8 + 1) for r in [0, 1): the direction 1..8. The value is
// positive, so cutting off its fraction is its floor.
inline int directionFromDraw(double r)
{
    return static_cast<int>(r * 8 + 1);
}

// What the rules did on one walker tick.
enum class TickAction { None, Moved, Met, Restarted };

// WalkPoints' fields, one lane per run; mode is the RunMode's value.
template<typename Lanes> struct WalkLanes
{
    Lanes dogStartX, dogStartY, momoStartX, momoStartY;
    Lanes dogX, dogY, momoX, momoY;
    Lanes mode;
    Lanes meetCount;
};

// Which runs the walker walked in, met in, and restarted in.
template<typename Mask> struct TickLanes
{
    Mask walked;
    Mask met;
    Mask restarted;
};

// The rules of one walker tick once its direction has been drawn, and nothing
// else: no clock, no random source, no window. A walker that walks in the
// current mode (Dog in both walking modes, Momotaro only when both walk)
// steps, clamped to the board, and, landing on the other walker's point,
// counts a meeting; when a meeting is pending instead, both walkers go back
// to their start points. The board window, the statistics tool and the
// answer window all run the walk through this one function.
template<Walker walker, typename Lanes> auto tickRules(WalkLanes<Lanes> &s, Lanes direction)
{
    auto k = inEveryLane<Lanes>;
    const auto bothWalk = s.mode == k(int(RunMode::BothWalk));
    const auto walks = [&] {
        if constexpr (walker == Walker::Dog)
            return bothWalk | (s.mode == k(int(RunMode::DogWalks)));
        else
            return bothWalk;
    }();
    const auto pending = (s.mode == k(int(RunMode::BothMet))) | (s.mode == k(int(RunMode::DogMet)));
    Lanes &x = walker == Walker::Dog ? s.dogX : s.momoX;
    Lanes &y = walker == Walker::Dog ? s.dogY : s.momoY;
    x = walks ? clampToBoard(x + stepX(direction)) : x;
    y = walks ? clampToBoard(y + stepY(direction)) : y;
    const auto met = walks & (s.dogX == s.momoX) & (s.dogY == s.momoY);
    s.meetCount = met ? s.meetCount + k(1) : s.meetCount;
    // Walking becomes met (BothWalk 1 -> BothMet 2, DogWalks -1 -> DogMet
    // -2) and the restart turns it back.
    s.mode = met ? s.mode * k(2) : (pending ? s.mode / k(2) : s.mode);
    s.dogX = pending ? s.dogStartX : s.dogX;
    s.dogY = pending ? s.dogStartY : s.dogY;
    s.momoX = pending ? s.momoStartX : s.momoX;
    s.momoY = pending ? s.momoStartY : s.momoY;
    return TickLanes<std::remove_const_t<decltype(met)>>{walks, met, pending};
}

// tickRules on one run: what the board window and a single run play.
inline TickAction applyTick(WalkPoints &state, Walker walker, int direction)
{
    WalkLanes<int> s{state.dogStartX, state.dogStartY, state.momoStartX, state.momoStartY,   state.dogX,
                     state.dogY,      state.momoX,     state.momoY,      int(state.runMode), state.meetCount};
    const TickLanes<int> did =
        walker == Walker::Dog ? tickRules<Walker::Dog>(s, direction) : tickRules<Walker::Momotaro>(s, direction);
    state.dogX = s.dogX;
    state.dogY = s.dogY;
    state.momoX = s.momoX;
    state.momoY = s.momoY;
    state.runMode = RunMode(s.mode);
    // Int16: a count past 32767 raises the overflow error.
    state.meetCount = s.meetCount;
    if (did.met)
        return TickAction::Met;
    if (did.walked)
        return TickAction::Moved;
    return did.restarted ? TickAction::Restarted : TickAction::None;
}
