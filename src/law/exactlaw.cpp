#include "law/exactlaw.h"

#include "law/statslog.h"

#include <algorithm>
#include <cmath>
#include <future>
#include <numeric>

namespace stats {

namespace {

constexpr int P = BoardPoints;

// Past the run, the sweep goes on until the chance of no meeting yet is
// negligible or has settled into its geometric decay; the rest of the tail
// is then added in closed form.
//
// Below this the chance of no meeting yet adds less to the mean wait than
// any digit the tool prints: what is left of the tail is at most
// NegligibleSurvival / (1 - q) tick periods, q the decay ratio a period,
// which is under a billionth of a second even for the slowest starts
// (q about 0.998).
constexpr double NegligibleSurvival = 1e-13;
// The decay counts as settled when its ratio over one tick period has moved by
// less than this, relatively, across SettleSpan ticks: well above the drift
// the sweep's rounding gives it (about 1e-15 a tick), well below anything the
// mean or the median could show.
constexpr double SettledRatioDrift = 1e-12;
constexpr int SettleSpan = 100;
// A bound on the sweep past the run (over 11 hours of walking), for a decay
// that never settles.
constexpr int MaxFirstMeetingTicks = 400'000;

// S(t) = 1 - W_Dog(t): the chance of no meeting on ticks 0 .. t - 1 of a run.
double survival(const FirstMeeting &first, std::size_t t)
{
    return 1.0 - first.within[Walker::Dog][t];
}

// The last tick t a first-meeting law holds W(t) for.
std::size_t lastSwept(const FirstMeeting &first)
{
    return first.within[Walker::Dog].size() - 1;
}

// The chance of no meeting yet over one tick period (two ticks) ending on
// tick t: S(t) / S(t - 2).
double periodRatio(const FirstMeeting &first, std::size_t t)
{
    return survival(first, t) / survival(first, t - 2);
}

bool tailSettled(const FirstMeeting &first)
{
    const std::size_t t = lastSwept(first);
    if (survival(first, t) <= NegligibleSurvival || t >= MaxFirstMeetingTicks)
        return true;
    if (t % 2 != 0 || t < 2 * SettleSpan)
        return false;
    const double now = periodRatio(first, t);
    return std::fabs(now - periodRatio(first, t - SettleSpan)) <= SettledRatioDrift * now;
}

// Where each board point's eight steps land: destinations()[point][k - 1] for
// direction k.
using StepTable = std::array<std::array<int, 8>, BoardPoints>;
StepTable destinations()
{
    StepTable to{};
    for (int from = 0; from < P; ++from) {
        for (int direction = 1; direction <= 8; ++direction)
            to[from][direction - 1] = pointIndex(stepOnBoard(pointAt(from), direction));
    }
    return to;
}

#if defined(__x86_64__) && defined(__GNUC__)
// Built for the processor's widest vectors where it has them.
__attribute__((target_clones("avx2", "default")))
#endif
void dogTickBackRows(const StepTable &destination, const double *landing, double *next)
{
    for (int d = 0; d < P; ++d) {
        const auto &to = destination[d];
        const double *r0 = landing + to[0] * PairRow, *r1 = landing + to[1] * PairRow, *r2 = landing + to[2] * PairRow,
                     *r3 = landing + to[3] * PairRow, *r4 = landing + to[4] * PairRow, *r5 = landing + to[5] * PairRow,
                     *r6 = landing + to[6] * PairRow, *r7 = landing + to[7] * PairRow;
        double *out = next + d * PairRow;
        for (int m = 0; m < PairRow; ++m)
            out[m] = ((r0[m] + r1[m]) + (r2[m] + r3[m]) + ((r4[m] + r5[m]) + (r6[m] + r7[m]))) * 0.125;
    }
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

void dogTickBack(const double *landing, double *next)
{
    static const StepTable destination = destinations();
    dogTickBackRows(destination, landing, next);
}

void dogTickBackPlain(const double *landing, double *next)
{
    for (int d = 0; d < P; ++d) {
        for (int m = 0; m < PairRow; ++m) {
            double sum = 0;
            for (int direction = 1; direction <= 8; ++direction)
                sum += landing[pointIndex(stepOnBoard(pointAt(d), direction)) * PairRow + m];
            next[d * PairRow + m] = sum / 8;
        }
    }
}

MeetingSweep::MeetingSweep(Scenario scenario)
    : m_scenario(scenario), m_dogNext(PairTableSize, 0.0),
      m_momoNext(scenario == Scenario::DogWalks ? PairTableSize : 0, 0.0), m_landing(PairTableSize, 0.0),
      m_next(PairTableSize, 0.0)
{}

void MeetingSweep::step()
{
    // With D_t and M_t the chances of a meeting within t ticks from (d, m),
    // Dog's or Momotaro's timer next (D_0 = M_0 = 0):
    //   D_{t+1}(d, m) = 1/8 sum_k L_t(step(d, k), m),
    //   L_t(d', m)    = 1 if d' = m (they meet), else M_t(d', m);
    //   M_t(d, m)     = D_t(m, d) when both walk: the walkers swap roles;
    //   M_{t+1}(d, m) = D_t(d, m) when Dog walks alone: Momotaro's tick moves
    //                   nothing and finds no meeting.
    const bool both = m_scenario == Scenario::BothWalk;
    if (both) {
        for (int d = 0; d < P; ++d) {
            for (int m = 0; m < P; ++m)
                m_landing[d * PairRow + m] = m_dogNext[m * PairRow + d];
        }
    } else {
        std::copy(m_momoNext.begin(), m_momoNext.end(), m_landing.begin());
    }
    for (int c = 0; c < P; ++c)
        m_landing[c * PairRow + c] = 1.0;
    dogTickBack(m_landing.data(), m_next.data());

    if (both) {
        std::swap(m_dogNext, m_next);
    } else {
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
        return m_dogNext[d * PairRow + m];
    return m_scenario == Scenario::BothWalk ? m_dogNext[m * PairRow + d] : m_momoNext[d * PairRow + m];
}

FirstMeeting lengthened(FirstMeeting first, int ticks)
{
    // S_w(t) = S_w(t - 2) q past the sweep, q the settled ratio S(t) / S(t - 2)
    // at its last even tick, kept within 0..1 where a chance of no meeting
    // yet rounded to nothing leaves the ratio meaningless.
    const std::size_t lastEven = lastSwept(first) & ~std::size_t(1);
    const double before = survival(first, lastEven - 2);
    const double ratio = before > 0 ? std::clamp(survival(first, lastEven) / before, 0.0, 1.0) : 0.0;
    for (Walker walker : Walkers) {
        std::vector<double> &within = first.within[walker];
        for (std::size_t t = within.size(); t <= std::size_t(ticks); ++t)
            within.push_back(1.0 - (1.0 - within[t - 2]) * ratio);
    }
    return first;
}

ExactResult exactResultOf(const FirstMeeting &first, int ticksPerTimer)
{
    ExactResult result;
    MeetingLaw law = meetingLaw(first, ticksPerTimer);
    result.expectedMeetings = law.mean;
    result.law = std::move(law.chances);
    result.atLeastOne = 1.0 - result.law.front();

    // The first meeting falls in tick period K = k when it comes on tick
    // 2k - 2 or 2k - 1, so P(K > k) = S(2k), and
    //   mean K   = sum_{k >= 0} S(2k),
    //   median K = the least k with S(2k) <= 1/2.
    // Past the sweep, S decays by the ratio q a period: the tail of the sum is
    // S(2j) q / (1 - q), j the last period swept, and S(2j) q^i <= 1/2 from
    // i = ceil(log(1/2 / S(2j)) / log q).
    const double period = std::chrono::duration<double>(rules::TickInterval).count();
    double periodsSum = 0;
    std::optional<int> median;
    const int swept = int(lastSwept(first));
    for (int k = 0; 2 * k <= swept; ++k) {
        periodsSum += survival(first, 2 * k);
        if (!median && survival(first, 2 * k) <= 0.5)
            median = k;
    }
    const int lastEven = swept & ~1;
    const double tail = survival(first, lastEven);
    if (tail > NegligibleSurvival) {
        const double ratio = periodRatio(first, lastEven);
        if (ratio < 1) {
            periodsSum += tail * ratio / (1 - ratio);
            if (!median)
                median = lastEven / 2 + int(std::ceil(std::log(0.5 / tail) / std::log(ratio)));
        }
    }
    result.meanFirstSeconds = period * periodsSum;
    if (median)
        result.medianFirstSeconds = period * *median;

    // noMeetingYet[k] = P(K > k) = S(2k).
    result.noMeetingYet.reserve(ticksPerTimer + 1);
    for (int k = 0; k <= ticksPerTimer; ++k)
        result.noMeetingYet.push_back(survival(first, 2 * k));
    return result;
}

namespace {

FirstMeeting noTicksYet()
{
    FirstMeeting first;
    for (Walker walker : Walkers)
        first.within[walker].push_back(0.0);
    return first;
}

// Takes in one more tick of the sweep for a start pair; says whether that
// pair's first meeting is now known far enough: through the run, and on
// until its wait has settled. A wait that settled within the run stays
// settled: later in a long run the chance of no meeting yet is so small that
// the rounding of 1 - W hides its steady ratio, and the sweep would go on
// until it is negligible, over twice the run for the slowest starts.
bool sweptFarEnough(FirstMeeting &first, bool &settled, const MeetingSweep &sweep, Point dog, Point momotaro,
                    int runTicks)
{
    for (Walker walker : Walkers)
        first.within[walker].push_back(sweep.within(dog, momotaro, walker));
    settled = settled || tailSettled(first);
    return sweep.ticks() >= runTicks && settled;
}

} // namespace

ExactForDog::ExactForDog(Scenario scenario, Point dog, int ticksPerTimer, const std::function<bool()> &stop)
    : m_ticksPerTimer(ticksPerTimer)
{
    std::vector<int> every(P);
    std::iota(every.begin(), every.end(), 0);
    sweep(scenario, dog, every, stop);
}

ExactForDog::ExactForDog(Scenario scenario, Starts starts, int ticksPerTimer) : m_ticksPerTimer(ticksPerTimer)
{
    sweep(scenario, starts.dog, {pointIndex(starts.momotaro)}, {});
}

void ExactForDog::sweep(Scenario scenario, Point dog, const std::vector<int> &asked, const std::function<bool()> &stop)
{
    // Each start's law stops growing where that start's alone would have
    // stopped the sweep, so that a law is the same however many starts
    // share its sweep.
    m_first.assign(P, FirstMeeting{});
    for (int m : asked)
        m_first[std::size_t(m)] = noTicksYet();
    MeetingSweep sweep(scenario);
    std::vector<int> unsettled = asked;
    std::array<bool, P> settled{};
    while (!unsettled.empty()) {
        if (stop && stop())
            return;
        sweep.step();
        std::erase_if(unsettled, [&](int m) {
            return sweptFarEnough(m_first[std::size_t(m)], settled[std::size_t(m)], sweep, dog, pointAt(m),
                                  2 * m_ticksPerTimer);
        });
    }
    qCDebug(lcStats) << "swept" << sweep.ticks() << "ticks for" << asked.size() << "Momotaro starts";
    m_complete = true;
}

const FirstMeeting &ExactForDog::firstMeeting(Point momotaro) const
{
    return m_first[std::size_t(pointIndex(momotaro))];
}

double ExactForDog::expectedMeetings(Point momotaro) const
{
    return stats::expectedMeetings(firstMeeting(momotaro), m_ticksPerTimer);
}

PerScenario<ExactForDog> sweepBoth(Starts starts, int ticksPerTimer, bool every)
{
    PerScenario<ExactForDog> sweeps;
    const auto sweepOne = [&](Scenario scenario) {
        sweeps[scenario] =
            every ? ExactForDog(scenario, starts.dog, ticksPerTimer) : ExactForDog(scenario, starts, ticksPerTimer);
    };
    auto both = std::async(std::launch::async, sweepOne, Scenario::BothWalk);
    sweepOne(Scenario::DogWalks);
    both.get();
    return sweeps;
}

FirstMeeting firstMeeting(Scenario scenario, Starts starts, int ticksPerTimer)
{
    return ExactForDog(scenario, starts, ticksPerTimer).firstMeeting(starts.momotaro);
}

ExactResult exactResult(Scenario scenario, Starts starts, int ticksPerTimer)
{
    return exactResultOf(firstMeeting(scenario, starts, ticksPerTimer), ticksPerTimer);
}

} // namespace stats
