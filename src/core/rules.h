#pragma once

#include <chrono>
#include <cmath>

// The fixed numbers of the experiment.
namespace rules {

// Board points run 0..BoardMax in both directions.
inline constexpr int BoardMax = 10;
// Both walker timers tick this often.
inline constexpr std::chrono::milliseconds TickInterval{200};
// A run ends at the first tick strictly past this many seconds.
inline constexpr float TimeLimitSeconds = 180.0f;

// How many times each walker timer ticks in a run limited to limitSeconds.
// A timer's ticks fall at 0.2 s, 0.4 s, ... after Start, each a little late,
// and the first tick past the limit still moves before it stops its timer:
// so a run of 180 s has 900 ticks per timer, the last at 180 s and a bit.
inline int ticksPerTimer(double limitSeconds)
{
    const long long limitMs = std::llround(limitSeconds * 1000);
    const long long periodMs = TickInterval.count();
    return limitMs <= 0 ? 1 : int((limitMs + periodMs - 1) / periodMs);
}

} // namespace rules
