#include "law/exactlaw.h"

#include "law/parityconvolution.h"
#include "law/statslog.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <future>
#include <memory>
#include <numeric>

namespace stats {

namespace {

constexpr int P = BoardPoints;

// The walker whose timer gives tick s of a run: Dog's on even s.
Walker walkerOfTick(int s)
{
    return s % 2 == 0 ? Walker::Dog : Walker::Momotaro;
}

// The chance of the first meeting on exactly the t-th tick after leaving the
// start points, t = 1..ticks, from the chance W(t) of one within t ticks:
//   f(t) = W(t) - W(t - 1).
std::vector<double> firstMeetingOn(const std::vector<double> &within, int ticks)
{
    std::vector<double> on(ticks + 1, 0.0);
    for (int t = 1; t <= ticks; ++t)
        on[t] = within[t] - within[t - 1];
    return on;
}

PerWalker<std::vector<double>> firstMeetingOn(const FirstMeeting &first, int ticks)
{
    PerWalker<std::vector<double>> on;
    for (Walker walker : Walkers)
        on[walker] = firstMeetingOn(first.within[walker], ticks);
    return on;
}

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

// The law of meetings stops where the chance of more is below this: far below
// the smallest share the tool prints (0.01%) or a simulation could show.
constexpr double LawTail = 1e-13;

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

namespace {

// g_w(j): the chance that walkers leaving their start points on a tick of
// walker w leave them again j ticks later, after one meeting: the meeting
// t = j - 1 ticks after leaving, the restart on the tick after it, and
// g_w(t + 1) = f_w(t), t = 1..ticks. Entries 0..ticks + 1.
PerWalker<std::vector<double>> leavingAgain(const FirstMeeting &first, int ticks)
{
    const PerWalker<std::vector<double>> on = firstMeetingOn(first, ticks);
    PerWalker<std::vector<double>> g;
    for (Walker walker : Walkers) {
        g[walker].assign(std::size_t(ticks) + 2, 0.0);
        for (int t = 1; t <= ticks; ++t)
            g[walker][std::size_t(t) + 1] = on[walker][std::size_t(t)];
    }
    return g;
}

// Blocks of the renewal below this long are summed directly: below it a
// transform costs more than the double loop it saves.
constexpr std::size_t DirectBlock = 64;

// The renewal u on [l, r), l even, once u[l, r) holds what every s < l adds:
// the first half is completed, what it adds to the second half is one
// convolution, then the second half is completed (divide and conquer, so
// that the whole renewal costs O(n log^2 n) instead of O(n^2 / 2)).
// byLength[b] convolves blocks of 2^b entries with the kernels.
void renew(std::vector<double> &u, std::size_t l, std::size_t r, std::size_t ticks,
           const PerWalker<std::vector<double>> &g, std::vector<std::unique_ptr<ParityConvolution>> &byLength,
           std::vector<double> &in, std::vector<double> &out)
{
    if (r - l <= DirectBlock) {
        const std::size_t reach = g[Walker::Dog].size() - 1; // g_w(j) = 0 past it
        for (std::size_t j = l + 1; j < r; ++j) {
            double sum = 0;
            for (std::size_t s = j > l + reach ? j - reach : l; s < std::min(j, ticks); ++s)
                sum += u[s] * g[walkerOfTick(int(s))][j - s];
            u[j] += sum;
        }
        return;
    }
    const std::size_t mid = l + (r - l) / 2;
    renew(u, l, mid, ticks, g, byLength, in, out);
    const std::size_t length = r - l;
    const std::size_t level = std::size_t(std::countr_zero(length));
    if (!byLength[level]) {
        byLength[level] = std::make_unique<ParityConvolution>(
            std::span(g[Walker::Dog]).first(std::min(length, g[Walker::Dog].size())),
            std::span(g[Walker::Momotaro]).first(std::min(length, g[Walker::Momotaro].size())), length);
    }
    // l is even, so an entry's parity in the block is its tick's.
    in.assign(length, 0.0);
    for (std::size_t s = l; s < std::min(mid, ticks); ++s)
        in[s - l] = u[s];
    out.resize(length);
    byLength[level]->apply(in, out);
    for (std::size_t j = mid; j < r; ++j)
        u[j] += out[j - l];
    renew(u, mid, r, ticks, g, byLength, in, out);
}

} // namespace

double expectedMeetings(const FirstMeeting &first, int ticksPerTimer)
{
    // u(j): the chance that the walkers leave their start points on tick j,
    // u(0) = 1 (the run's start) and, w(s) the walker of tick s,
    //   u(j) = sum_{s < min(j, ticks)} u(s) g_w(s)(j - s).
    // Every meeting in the run is followed by one such leaving on a tick up
    // to ticks + 1, and no other leaving is, so
    //   E N = sum_{j = 1..ticks + 1} u(j).
    const std::size_t ticks = std::size_t(2 * ticksPerTimer);
    const PerWalker<std::vector<double>> g = leavingAgain(first, int(ticks));
    std::size_t size = DirectBlock;
    while (size < ticks + 2)
        size *= 2;
    std::vector<double> u(size, 0.0);
    u[0] = 1.0;
    std::vector<std::unique_ptr<ParityConvolution>> byLength(std::size_t(std::countr_zero(size)) + 1);
    std::vector<double> in, out;
    renew(u, 0, size, ticks, g, byLength, in, out);
    return std::accumulate(u.begin() + 1, u.begin() + std::ptrdiff_t(ticks) + 2, 0.0);
}

std::vector<double> meetingLaw(const FirstMeeting &first, int ticksPerTimer)
{
    const int ticks = 2 * ticksPerTimer;
    // leaving_k(s): the chance that the walkers leave their start points on
    // tick s with k meetings counted so far; leaving_0(s) = [s = 0], and
    //   leaving_{k+1}(j) = sum_{s < ticks} leaving_k(s) g_w(s)(j - s),
    //   g_w(t + 1) = f_w(t), t = 1..ticks - s  (so j = s + t + 1 <= ticks + 1),
    //   P(N = k) = sum_{s < ticks} leaving_k(s) (1 - W_w(s)(ticks - s))
    //            + sum_{s >= ticks} leaving_k(s).
    // A first meeting t ticks after leaving on tick s falls on tick
    // s + t - 1, the restart on s + t, the next leaving on s + t + 1. The
    // step from k to k + 1 is a convolution, Dog's kernel for even s and
    // Momotaro's for odd, done by ParityConvolution.
    const std::size_t length = std::size_t(ticks) + 2;
    const PerWalker<std::vector<double>> g = leavingAgain(first, ticks);
    ParityConvolution step(g[Walker::Dog], g[Walker::Momotaro], length);
    // stay(s) = 1 - W_w(s)(ticks - s): no meeting before the run ends.
    std::vector<double> stay(std::size_t(ticks), 0.0);
    for (int s = 0; s < ticks; ++s)
        stay[std::size_t(s)] = 1.0 - first.within[walkerOfTick(s)][std::size_t(ticks - s)];
    std::vector<double> leaving(length, 0.0);
    std::vector<double> convolved(length, 0.0);
    leaving[0] = 1.0;
    std::vector<double> law;
    double remaining = 1.0;
    while (remaining > LawTail && int(law.size()) <= ticks) {
        // Leavings on the last two ticks (s >= ticks) meet no more. Nor do
        // they add to the next count: a leaving on tick s is followed by the
        // next one on s + 2 at the earliest, past what the step keeps.
        law.push_back(std::inner_product(stay.begin(), stay.end(), leaving.begin(), 0.0) + leaving[std::size_t(ticks)] +
                      leaving[std::size_t(ticks) + 1]);
        step.apply(leaving, convolved);
        remaining = std::accumulate(convolved.begin(), convolved.end(), 0.0);
        std::swap(leaving, convolved);
    }
    return law;
}

ExactResult exactResultOf(const FirstMeeting &first, int ticksPerTimer)
{
    ExactResult result;
    result.expectedMeetings = expectedMeetings(first, ticksPerTimer);
    result.law = meetingLaw(first, ticksPerTimer);
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
// until its wait has settled.
bool sweptFarEnough(FirstMeeting &first, const MeetingSweep &sweep, Point dog, Point momotaro, int runTicks)
{
    for (Walker walker : Walkers)
        first.within[walker].push_back(sweep.within(dog, momotaro, walker));
    return sweep.ticks() >= runTicks && tailSettled(first);
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
    while (!unsettled.empty()) {
        if (stop && stop())
            return;
        sweep.step();
        std::erase_if(unsettled, [&](int m) {
            return sweptFarEnough(m_first[std::size_t(m)], sweep, dog, pointAt(m), 2 * m_ticksPerTimer);
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
