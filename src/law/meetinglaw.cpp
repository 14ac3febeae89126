#include "law/exactlaw.h"

#include "law/parityconvolution.h"

#include <algorithm>
#include <bit>
#include <memory>
#include <numeric>

// The sums of a run from its first-meeting law: the law of the number of
// meetings and their expected number.
namespace stats {

namespace {

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

// The law of meetings stops where the chance of more is below this: far below
// the smallest share the tool prints (0.01%) or a simulation could show.
constexpr double LawTail = 1e-13;

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
        byLength[level] = std::make_unique<ParityConvolution>(g[Walker::Dog], g[Walker::Momotaro], length);
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

MeetingLaw meetingLaw(const FirstMeeting &first, int ticksPerTimer)
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
    MeetingLaw law;
    // remaining = P(N >= k + 1) once count k is done.
    double remaining = 1.0;
    while (remaining > LawTail && int(law.chances.size()) <= ticks) {
        // Leavings on the last two ticks (s >= ticks) meet no more. Nor do
        // they add to the next count: a leaving on tick s is followed by the
        // next one on s + 2 at the earliest, past what the step keeps.
        law.chances.push_back(std::inner_product(stay.begin(), stay.end(), leaving.begin(), 0.0) +
                              leaving[std::size_t(ticks)] + leaving[std::size_t(ticks) + 1]);
        step.apply(leaving, convolved);
        remaining = std::accumulate(convolved.begin(), convolved.end(), 0.0);
        law.mean += remaining;
        std::swap(leaving, convolved);
    }
    return law;
}

} // namespace stats
