#include "law/meetingmap.h"

#include <algorithm>

namespace stats {

namespace {

// The points within this share of the best count as the best: points tied by
// the board's symmetry differ only by rounding (about 1e-15 of the value),
// while a point that truly meets less falls short by far more.
constexpr double BestTie = 1e-9;

} // namespace

MeetingMap meetingMap(const PerScenario<ExactForDog> &sweeps)
{
    MeetingMap map;
    for (Scenario scenario : Scenarios) {
        for (int m = 0; m < BoardPoints; ++m)
            map[scenario][std::size_t(m)] = sweeps[scenario].expectedMeetings(pointAt(m));
    }
    return map;
}

std::vector<int> bestPoints(const std::array<double, BoardPoints> &values)
{
    const double best = *std::max_element(values.begin(), values.end());
    std::vector<int> points;
    for (int index = 0; index < BoardPoints; ++index) {
        if (values[std::size_t(index)] >= best * (1 - BestTie))
            points.push_back(index);
    }
    return points;
}

} // namespace stats
