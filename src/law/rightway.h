#pragma once

#include "law/exactlaw.h"

#include <optional>

namespace stats {

// The way with the larger of two figures, one for each way (both wandering's
// first); none when they are equal.
constexpr std::optional<Scenario> larger(double both, double one)
{
    if (both == one)
        return std::nullopt;
    return both > one ? Scenario::BothWalk : Scenario::DogWalks;
}

// The right answer to "which way is faster": the way that meets more in a
// run, on average. When both meet exactly alike neither way is right, and
// none is given: no number of runs of each then gets the right answer.
constexpr std::optional<Scenario> rightWay(double bothMeetings, double oneMeetings)
{
    return larger(bothMeetings, oneMeetings);
}

inline std::optional<Scenario> rightWay(const PerScenario<ExactResult> &exact)
{
    return rightWay(exact[Scenario::BothWalk].expectedMeetings, exact[Scenario::DogWalks].expectedMeetings);
}

} // namespace stats
