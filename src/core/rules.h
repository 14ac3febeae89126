#pragma once

#include <chrono>

// The fixed numbers of the experiment.
namespace rules {

// Board points run 0..BoardMax in both directions.
inline constexpr int BoardMax = 10;
// Both walker timers tick this often.
inline constexpr std::chrono::milliseconds TickInterval{200};
// A run ends at the first tick strictly past this many seconds.
inline constexpr float TimeLimitSeconds = 180.0f;
inline constexpr double SecondsPerDay = 86400.0;

} // namespace rules
