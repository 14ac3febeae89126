#pragma once

#include "law/exactlaw.h"

#include <array>
#include <vector>

namespace stats {

// Expected meetings per run for every point Momotaro could start on (index
// y * 11 + x), Dog starting on dog, in each scenario.
using MeetingMap = PerScenario<std::array<double, BoardPoints>>;
// The map read from both scenarios' sweeps of every Momotaro start
// (ExactForDog's first constructor): each cell is its sweep's
// expectedMeetings().
MeetingMap meetingMap(const PerScenario<ExactForDog> &sweeps);
// The points of a map with the most meetings: every one within a billionth
// of the best, so that points tied by the board's symmetry are all named.
std::vector<int> bestPoints(const std::array<double, BoardPoints> &values);

} // namespace stats
