#include "law/lawsums.h"

#include "law/rightway.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace stats {

namespace {

// A law over the whole numbers k = offset, offset + 1, ..., held as p(k).
// Values under Negligible at either end are dropped after each sum, which
// keeps repeated sums near their spread instead of their whole range; what
// is dropped stays far below any printed digit.
struct SpanLaw
{
    static constexpr double Negligible = 1e-18;

    std::vector<double> p;
    std::ptrdiff_t offset = 0;

    void trim()
    {
        std::size_t begin = 0;
        std::size_t end = p.size();
        while (end > begin + 1 && p[end - 1] < Negligible)
            --end;
        while (begin + 1 < end && p[begin] < Negligible)
            ++begin;
        p = std::vector<double>(p.begin() + std::ptrdiff_t(begin), p.begin() + std::ptrdiff_t(end));
        offset += std::ptrdiff_t(begin);
    }

    // The law of the sum of two independent values, one of each law:
    //   (a * b)(k) = sum_j a(k - j) b(j).
    SpanLaw plus(const SpanLaw &other) const
    {
        SpanLaw sum;
        sum.offset = offset + other.offset;
        sum.p.assign(p.size() + other.p.size() - 1, 0.0);
        for (std::size_t i = 0; i < p.size(); ++i) {
            for (std::size_t j = 0; j < other.p.size(); ++j)
                sum.p[i + j] += p[i] * other.p[j];
        }
        sum.trim();
        return sum;
    }
};

// How often the scenario that meets more must come out ahead for runsFor90
// and runsFor99.
constexpr double NineTimesInTen = 0.9;
constexpr double NinetyNineTimesInAHundred = 0.99;

// Two distances of a total from the expected total that are equal in whole
// arithmetic may differ by the rounding of the expected total (a sum of at
// most a few thousand products, off by far less than this); distances that
// truly differ, differ by far more than this.
constexpr double SameDistance = 1e-9;

double meanOf(const std::vector<double> &law)
{
    double mean = 0;
    for (std::size_t k = 0; k < law.size(); ++k)
        mean += double(k) * law[k];
    return mean;
}

} // namespace

RunsEach compareRunsEach(const std::vector<double> &bothLaw, const std::vector<double> &oneLaw, int mostRuns,
                         int leastRuns)
{
    // The difference of the totals after n runs of each is the sum of n
    // independent differences X - Y of one run each, X ~ bothLaw, Y ~ oneLaw:
    //   d(k)   = sum_i bothLaw(i) oneLaw(i - k)
    //   D_1    = d,   D_n = D_{n-1} * d
    //   bothMore = sum_{k > 0} D_n(k),  tie = D_n(0),  oneMore = sum_{k < 0} D_n(k).
    SpanLaw d;
    d.offset = -std::ptrdiff_t(oneLaw.size()) + 1;
    d.p.assign(bothLaw.size() + oneLaw.size() - 1, 0.0);
    for (std::size_t i = 0; i < bothLaw.size(); ++i) {
        for (std::size_t j = 0; j < oneLaw.size(); ++j)
            d.p[i + oneLaw.size() - 1 - j] += bothLaw[i] * oneLaw[j];
    }
    d.trim();
    // With no right way (the two meet alike) no runs of each get the right
    // answer.
    const std::optional<Scenario> right = rightWay(meanOf(bothLaw), meanOf(oneLaw));

    RunsEach result;
    SpanLaw total = d;
    for (int n = 1;; ++n) {
        if (n > 1)
            total = total.plus(d);
        OneRunEach compared;
        for (std::size_t i = 0; i < total.p.size(); ++i) {
            const std::ptrdiff_t k = total.offset + std::ptrdiff_t(i);
            (k > 0 ? compared.bothMore : k == 0 ? compared.tie : compared.oneMore) += total.p[i];
        }
        result.byRuns.push_back(compared);
        const double rightShare = !right ? 0.0 : *right == Scenario::BothWalk ? compared.bothMore : compared.oneMore;
        if (result.runsFor90 == 0 && rightShare >= NineTimesInTen)
            result.runsFor90 = n;
        if (result.runsFor99 == 0 && rightShare >= NinetyNineTimesInAHundred)
            result.runsFor99 = n;
        if (n >= mostRuns || (n >= leastRuns && result.runsFor99 != 0))
            break;
    }
    return result;
}

double chanceOfTotalThisFar(const std::vector<double> &law, int runs, long long total)
{
    // T_n, the total of n runs, has the n-fold sum of the one-run law as its
    // law; the chance asked for is P(|T_n - n m| >= |total - n m|), m the
    // mean of one run.
    SpanLaw one;
    one.p = law;
    one.trim();
    SpanLaw sum = one;
    for (int n = 1; n < runs; ++n)
        sum = sum.plus(one);
    const double centre = runs * meanOf(law);
    const double distance = std::fabs(double(total) - centre);
    double chance = 0;
    for (std::size_t i = 0; i < sum.p.size(); ++i) {
        // A total just as far away counts, whatever the rounding.
        if (std::fabs(double(sum.offset + std::ptrdiff_t(i)) - centre) >= distance - SameDistance)
            chance += sum.p[i];
    }
    return std::min(chance, 1.0);
}

} // namespace stats
