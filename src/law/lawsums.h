#pragma once

#include <vector>

// Sums of the laws of meetings: what several runs of each scenario add up
// to, compared between the scenarios or with a class's own total.
namespace stats {

// A run, or several, of each scenario, as a class would compare them.
struct OneRunEach
{
    double bothMore = 0;
    double tie = 0;
    double oneMore = 0;
};

// n runs of each scenario, their totals compared, as a class that runs each
// a few times would: byRuns[n - 1] for n = 1 .. at least leastRuns,
// and on while a threshold below is not yet reached, up to mostRuns. The
// scenario with more expected meetings is the right one; a tie does not
// count as its win.
struct RunsEach
{
    std::vector<OneRunEach> byRuns;
    // The fewest runs of each with which the right scenario's total is the
    // larger at least 90% (99%) of the time; 0 if not within mostRuns.
    int runsFor90 = 0;
    int runsFor99 = 0;
};
inline constexpr int MinRunsCompared = 30;
inline constexpr int MaxRunsCompared = 200;
// mostRuns at most MaxRunsCompared; a mostRuns below leastRuns stops byRuns there.
RunsEach compareRunsEach(const std::vector<double> &bothLaw, const std::vector<double> &oneLaw,
                         int mostRuns = MaxRunsCompared, int leastRuns = MinRunsCompared);

// For a class that counted total meetings in runs runs of one scenario, the
// chance that runs runs count a total at least this far from the expected
// total, on either side: 1 for a total right on it, small for an unusual one.
double chanceOfTotalThisFar(const std::vector<double> &law, int runs, long long total);

} // namespace stats
