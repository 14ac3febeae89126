#include "exactlaw.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace stats {

namespace {

constexpr int P = BoardPoints;
// Rows of the pair tables are padded to a multiple of four doubles, so that
// the inner loops run on whole vector registers.
constexpr int Row = (P + 3) / 4 * 4;

// The chance of a meeting on exactly the t-th tick, t = 1..ticks.
std::vector<double> firstMeetingOn(const std::vector<double> &within, int ticks)
{
    std::vector<double> on(ticks + 1, 0.0);
    for (int t = 1; t <= ticks; ++t)
        on[t] = within[t] - within[t - 1];
    return on;
}

// Tick index s of a run (0, 1, 2, ...) belongs to Dog's timer when even.
int firstWalker(int tick)
{
    return tick & 1;
}

// Past the run, the sweep goes on until the chance of no meeting yet is
// negligible or has settled into its geometric decay (its ratio over one
// tick period steady to 1e-12 across SettleSpan ticks); the rest of the tail
// is then added in closed form.
constexpr double NegligibleSurvival = 1e-13;
constexpr int SettleSpan = 100;
constexpr int MaxFirstMeetingTicks = 400'000;

// The law of meetings stops where the chance of more is below this.
constexpr double LawTail = 1e-13;

double periodRatio(const std::vector<double> &survival, std::size_t t)
{
    return survival[t] / survival[t - 2];
}

bool tailSettled(const std::vector<double> &survival)
{
    const std::size_t t = survival.size() - 1;
    if (survival[t] <= NegligibleSurvival || t >= MaxFirstMeetingTicks)
        return true;
    if (t % 2 != 0 || t < 2 * SettleSpan)
        return false;
    const double now = periodRatio(survival, t);
    return std::fabs(now - periodRatio(survival, t - SettleSpan)) <= 1e-12 * now;
}

} // namespace

int pointIndex(Point p)
{
    return int(p.y) * BoardSide + int(p.x);
}

Point pointAt(int index)
{
    return {index % BoardSide, index / BoardSide};
}

MeetingSweep::MeetingSweep(Scenario scenario)
    : m_scenario(scenario)
    , m_dogNext(P * Row, 0.0)
    , m_momoNext(scenario == Scenario::DogWalks ? P * Row : 0, 0.0)
    , m_landing(P * Row, 0.0)
    , m_next(P * Row, 0.0)
{
    for (int from = 0; from < P; ++from) {
        for (int direction = 1; direction <= 8; ++direction)
            m_destination[from][direction - 1] = pointIndex(stepOnBoard(pointAt(from), direction));
    }
}

#if defined(__x86_64__) && defined(__GNUC__)
// Built for the processor's widest vectors where it has them.
__attribute__((target_clones("avx2", "default")))
#endif
static void stepDog(const std::array<std::array<int, 8>, BoardPoints> &destination, const double *landing,
                    double *next)
{
    // Dog takes each of the eight steps with the same chance.
    for (int d = 0; d < P; ++d) {
        const auto &to = destination[d];
        const double *r0 = landing + to[0] * Row, *r1 = landing + to[1] * Row, *r2 = landing + to[2] * Row,
                     *r3 = landing + to[3] * Row, *r4 = landing + to[4] * Row, *r5 = landing + to[5] * Row,
                     *r6 = landing + to[6] * Row, *r7 = landing + to[7] * Row;
        double *out = next + d * Row;
        for (int m = 0; m < Row; ++m)
            out[m] = ((r0[m] + r1[m]) + (r2[m] + r3[m]) + ((r4[m] + r5[m]) + (r6[m] + r7[m]))) * 0.125;
    }
}

void MeetingSweep::step()
{
    const bool both = m_scenario == Scenario::BothWalk;
    // What the tick after this one starts from, once this tick's walker has
    // landed: a sure meeting where the two stand on one point. When both
    // walk, Momotaro's tick from (d, m) is Dog's tick from (m, d).
    if (both) {
        for (int d = 0; d < P; ++d) {
            for (int m = 0; m < P; ++m)
                m_landing[d * Row + m] = m_dogNext[m * Row + d];
        }
    } else {
        std::copy(m_momoNext.begin(), m_momoNext.end(), m_landing.begin());
    }
    for (int c = 0; c < P; ++c)
        m_landing[c * Row + c] = 1.0;
    stepDog(m_destination, m_landing.data(), m_next.data());

    if (both) {
        std::swap(m_dogNext, m_next);
    } else {
        // Momotaro's tick moves nothing and finds no meeting: from it, the
        // chance is Dog's of one tick less.
        std::swap(m_momoNext, m_dogNext);
        std::swap(m_dogNext, m_next);
    }
    ++m_ticks;
}

double MeetingSweep::within(Point dog, Point momotaro, Walker next) const
{
    const int d = pointIndex(dog);
    const int m = pointIndex(momotaro);
    if (next == Walker::Dog)
        return m_dogNext[d * Row + m];
    return m_scenario == Scenario::BothWalk ? m_dogNext[m * Row + d] : m_momoNext[d * Row + m];
}

double expectedMeetings(const FirstMeeting &first, int ticksPerTimer)
{
    const int ticks = 2 * ticksPerTimer;
    const std::array on{firstMeetingOn(first.within[0], ticks), firstMeetingOn(first.within[1], ticks)};
    // after[s]: the meetings still to come when the walkers leave their
    // start points at tick s. A meeting on tick s + t - 1 is followed by the
    // restart on the next tick, and walking again on the one after.
    std::vector<double> after(ticks + 2, 0.0);
    for (int s = ticks - 1; s >= 0; --s) {
        const std::vector<double> &f = on[firstWalker(s)];
        double sum = 0;
        for (int t = 1; t <= ticks - s; ++t)
            sum += f[t] * (1.0 + after[s + t + 1]);
        after[s] = sum;
    }
    return after[0];
}

std::vector<double> meetingLaw(const FirstMeeting &first, int ticksPerTimer)
{
    const int ticks = 2 * ticksPerTimer;
    const std::array on{firstMeetingOn(first.within[0], ticks), firstMeetingOn(first.within[1], ticks)};
    // leaving[s]: the chance that the walkers leave their start points at
    // tick s with k meetings counted so far.
    std::vector<double> leaving(ticks + 2, 0.0);
    std::vector<double> next(ticks + 2, 0.0);
    leaving[0] = 1.0;
    std::vector<double> law;
    double remaining = 1.0;
    while (remaining > LawTail && int(law.size()) <= ticks) {
        std::fill(next.begin(), next.end(), 0.0);
        double exactly = 0;
        for (int s = 0; s < ticks + 2; ++s) {
            const double r = leaving[s];
            if (r < 1e-20)
                continue;
            if (s >= ticks) {
                exactly += r;
                continue;
            }
            const int walker = firstWalker(s);
            const int last = ticks - s;
            exactly += r * (1.0 - first.within[walker][last]);
            const std::vector<double> &f = on[walker];
            for (int t = 1; t <= last; ++t)
                next[s + t + 1] += r * f[t];
        }
        law.push_back(exactly);
        remaining = std::accumulate(next.begin(), next.end(), 0.0);
        std::swap(leaving, next);
    }
    return law;
}

ExactResult exactResult(Scenario scenario, Starts starts, int ticksPerTimer)
{
    const int runTicks = 2 * ticksPerTimer;
    MeetingSweep sweep(scenario);
    FirstMeeting first;
    // The chance of no meeting yet after t ticks, starting with Dog's.
    std::vector<double> survival{1.0};
    for (auto &w : first.within)
        w.push_back(0.0);

    while (sweep.ticks() < runTicks || !tailSettled(survival)) {
        sweep.step();
        const double dogFirst = sweep.within(starts.dog, starts.momotaro, Walker::Dog);
        survival.push_back(1.0 - dogFirst);
        if (sweep.ticks() <= runTicks) {
            first.within[0].push_back(dogFirst);
            first.within[1].push_back(sweep.within(starts.dog, starts.momotaro, Walker::Momotaro));
        }
    }

    ExactResult result;
    result.expectedMeetings = expectedMeetings(first, ticksPerTimer);
    result.law = meetingLaw(first, ticksPerTimer);
    result.atLeastOne = 1.0 - result.law.front();

    // The first meeting falls in tick period k (at 0.2 k s) when it comes on
    // tick 2k - 1 or 2k; so P(period >= k) = survival[2k - 2].
    const double period = std::chrono::duration<double>(rules::TickInterval).count();
    double periodsSum = 0;
    int median = -1;
    const int swept = sweep.ticks();
    for (int k = 0; 2 * k <= swept; ++k) {
        periodsSum += survival[2 * k];
        if (median < 0 && survival[2 * k] <= 0.5)
            median = k;
    }
    // Whatever survives the sweep decays geometrically, period by period.
    const int lastEven = swept & ~1;
    const double tail = survival[lastEven];
    if (tail > NegligibleSurvival) {
        const double ratio = periodRatio(survival, lastEven);
        if (ratio < 1) {
            periodsSum += tail * ratio / (1 - ratio);
            if (median < 0)
                median = lastEven / 2 + int(std::ceil(std::log(0.5 / tail) / std::log(ratio)));
        }
    }
    result.meanFirstSeconds = period * periodsSum;
    result.medianFirstSeconds = period * median;

    result.noMeetingYet.reserve(ticksPerTimer + 1);
    for (int k = 0; k <= ticksPerTimer; ++k)
        result.noMeetingYet.push_back(survival[2 * k]);
    return result;
}

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

double meanOf(const std::vector<double> &law)
{
    double mean = 0;
    for (std::size_t k = 0; k < law.size(); ++k)
        mean += double(k) * law[k];
    return mean;
}

} // namespace

RunsEach compareRunsEach(const std::vector<double> &bothLaw, const std::vector<double> &oneLaw)
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
    const bool bothRight = meanOf(bothLaw) >= meanOf(oneLaw);

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
        const double right = bothRight ? compared.bothMore : compared.oneMore;
        if (result.runsFor90 == 0 && right >= 0.9)
            result.runsFor90 = n;
        if (result.runsFor99 == 0 && right >= 0.99)
            result.runsFor99 = n;
        if (n >= MaxRunsCompared || (n >= MinRunsCompared && result.runsFor99 != 0))
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
        if (std::fabs(double(sum.offset + std::ptrdiff_t(i)) - centre) >= distance - 1e-9)
            chance += sum.p[i];
    }
    return std::min(chance, 1.0);
}

MeetingMap meetingMap(Point dog, int ticksPerTimer)
{
    MeetingMap map;
    for (Scenario scenario : {Scenario::DogWalks, Scenario::BothWalk}) {
        MeetingSweep sweep(scenario);
        std::vector<FirstMeeting> firsts(P);
        for (FirstMeeting &first : firsts) {
            for (auto &w : first.within)
                w.assign(1, 0.0);
        }
        while (sweep.ticks() < 2 * ticksPerTimer) {
            sweep.step();
            for (int m = 0; m < P; ++m) {
                firsts[m].within[0].push_back(sweep.within(dog, pointAt(m), Walker::Dog));
                firsts[m].within[1].push_back(sweep.within(dog, pointAt(m), Walker::Momotaro));
            }
        }
        auto &values = map[scenario];
        for (int m = 0; m < P; ++m)
            values[m] = expectedMeetings(firsts[m], ticksPerTimer);
    }
    return map;
}

std::vector<int> bestPoints(const std::array<double, BoardPoints> &values)
{
    const double best = *std::max_element(values.begin(), values.end());
    std::vector<int> points;
    for (int index = 0; index < BoardPoints; ++index) {
        if (values[std::size_t(index)] >= best * (1 - 1e-9))
            points.push_back(index);
    }
    return points;
}

} // namespace stats
