#pragma once

#include "core/tickrules.h"
#include "core/walkstate.h"

#include <array>
#include <functional>
#include <optional>
#include <vector>

// The meeting statistics of a run worked out from the probability law of the
// walk, with no sampling: the walkers' positions are a Markov chain over the
// 121 x 121 pairs of board points, stepped with the same clamped moves as
// applyTick(), and after every meeting the run starts afresh from the start
// points, so the count of meetings is a renewal process over the tick
// sequence Dog, Momotaro, Dog, ...
//
// Ticks throughout: the ticks of a run are numbered s = 0, 1, 2, ... in the
// order they come, Dog's timer on even s and Momotaro's on odd s, so that
// ticks 2k - 2 and 2k - 1 fall in tick period k, at 0.2 k seconds; a run has
// ticks 0 .. 2 ticksPerTimer - 1. A count t of ticks is how many have passed
// since the walkers left their start points: "within t ticks" of leaving at
// tick s means on one of the ticks s .. s + t - 1.
namespace stats {

inline constexpr int BoardSide = rules::BoardMax + 1;
inline constexpr int BoardPoints = BoardSide * BoardSide;

// Board points by number, y * 11 + x, and back.
int pointIndex(Point p);
Point pointAt(int index);

// The two scenarios, in the order the table and the pictures show them.
inline constexpr std::array<Scenario, 2> Scenarios{Scenario::BothWalk, Scenario::DogWalks};
// The two walkers, in the order their timers tick.
inline constexpr std::array<Walker, 2> Walkers{Walker::Dog, Walker::Momotaro};

// One value for each member of a two-member enum (Scenario, Walker), indexed
// by the member itself.
template<typename Key, typename T> struct PerKey
{
    T &operator[](Key key) { return values[std::size_t(key)]; }
    const T &operator[](Key key) const { return values[std::size_t(key)]; }

    std::array<T, 2> values{};
};
template<typename T> using PerScenario = PerKey<Scenario, T>;
template<typename T> using PerWalker = PerKey<Walker, T>;

constexpr Scenario otherScenario(Scenario scenario)
{
    return scenario == Scenario::BothWalk ? Scenario::DogWalks : Scenario::BothWalk;
}

struct Starts
{
    Point momotaro;
    Point dog;
};
inline constexpr Starts DefaultStarts{rules::DefaultMomotaroStart, rules::DefaultDogStart};

// The first meeting after the walkers leave their start points, whichever
// walker's timer ticks first.
struct FirstMeeting
{
    // within[w][t]: the chance of a meeting within the first t ticks when
    // walker w's timer ticks first; t = 0..ticks swept, the same for both.
    PerWalker<std::vector<double>> within;
};

struct ExactResult
{
    double expectedMeetings = 0;
    // law[k]: the chance of exactly k meetings in a run; the last entries
    // stop where the remaining chance falls below 1e-13.
    std::vector<double> law;
    double atLeastOne = 0;
    // With no time limit. The median is absent when the chance of no meeting
    // yet never falls to one half.
    double meanFirstSeconds = 0;
    std::optional<double> medianFirstSeconds;
    // noMeetingYet[k]: the chance of no meeting in the first k tick periods
    // (0.2 k seconds), k = 0..ticksPerTimer.
    std::vector<double> noMeetingYet;
};

// The one sweep of the exact law: for one scenario and Dog starting on dog,
// the first-meeting laws of the Momotaro starts asked for (one, or every
// point of the board), all read from the same ticks of one MeetingSweep.
// The single answer, the window's answers for a dragged Momotaro and the map
// of where to wait all come from here. The sweep goes on until every start
// asked for has settled (a few hundred milliseconds for all of them in a run
// of 180 s). stop is asked once a tick; when it says yes the sweep ends
// early, complete() is false, and no law may be asked for.
class ExactForDog
{
public:
    ExactForDog() = default;
    // Every Momotaro start.
    ExactForDog(Scenario scenario, Point dog, int ticksPerTimer, const std::function<bool()> &stop = {});
    // starts.momotaro alone.
    ExactForDog(Scenario scenario, Starts starts, int ticksPerTimer);

    bool complete() const { return m_complete; }
    // For a start asked for: each start's law stops growing where a sweep
    // for that start alone would have stopped.
    const FirstMeeting &firstMeeting(Point momotaro) const;
    // The expected meetings of that start by the renewal, much quicker alone
    // than exactResultOf(firstMeeting(momotaro), ticksPerTimer), whose
    // expectedMeetings it equals within rounding: a cell of the map.
    double expectedMeetings(Point momotaro) const;

private:
    void sweep(Scenario scenario, Point dog, const std::vector<int> &asked, const std::function<bool()> &stop);

    int m_ticksPerTimer = 0;
    bool m_complete = false;
    // By Momotaro's start point (pointIndex); empty for a start not asked for.
    std::vector<FirstMeeting> m_first;
};

// Both scenarios' sweeps side by side, on a thread each: for starts.momotaro
// alone, or for every Momotaro start when every is true.
PerScenario<ExactForDog> sweepBoth(Starts starts, int ticksPerTimer, bool every);

// The first-meeting law of one scenario and start pair, swept through a run
// of ticksPerTimer ticks of each timer and on until the wait for a first
// meeting has settled into its geometric decay (often far past the run):
// ExactForDog(scenario, starts, ticksPerTimer).firstMeeting(starts.momotaro).
FirstMeeting firstMeeting(Scenario scenario, Starts starts, int ticksPerTimer);
// Everything above for a run of ticksPerTimer ticks of each timer, from a
// law swept at least that far (as firstMeeting() sweeps it).
ExactResult exactResultOf(const FirstMeeting &first, int ticksPerTimer);
// The same from the start: exactResultOf(firstMeeting(...), ticksPerTimer).
ExactResult exactResult(Scenario scenario, Starts starts, int ticksPerTimer);

// first carried on to ticks ticks, for runs longer than the sweep went: past
// its end the chance of no meeting yet keeps, for either walker ticking
// first, the geometric decay per tick period it had settled into.
FirstMeeting lengthened(FirstMeeting first, int ticks);

// The expected meetings per run of one start pair, from its first-meeting law
// swept at least through the run.
double expectedMeetings(const FirstMeeting &first, int ticksPerTimer);
// The chance of exactly k meetings per run, k = 0, 1, ..., and the expected
// count from the same steps: E N = sum_{k >= 1} P(N >= k).
struct MeetingLaw
{
    std::vector<double> chances;
    double mean = 0;
};
MeetingLaw meetingLaw(const FirstMeeting &first, int ticksPerTimer);

// The pair tables of the sweep below: [dog point * PairRow + Momotaro point].
// Each row is padded with zeros to a multiple of four doubles, so that the
// inner loop runs on whole vector registers.
inline constexpr int PairRow = (BoardPoints + 3) / 4 * 4;
inline constexpr int PairTableSize = BoardPoints * PairRow;

// Dog's tick, backwards in time, for every pair of points at once:
//   next(d, m) = 1/8 sum_{k = 1..8} landing(step(d, k), m),
// step the clamped move of stepOnBoard(). landing and next each hold
// PairTableSize values and must not overlap. Unrolled over the eight steps,
// this is the inner loop of the exact law.
void dogTickBack(const double *landing, double *next);
// The same, written plainly, one pair and one step at a time: the reference
// the fast one is checked and timed against.
void dogTickBackPlain(const double *landing, double *next);

// Steps the chance of a meeting backwards in time for all 121 x 121 position
// pairs at once: after t calls of step(), within() is the chance that the
// walkers meet within the next t ticks from the given positions.
class MeetingSweep
{
public:
    explicit MeetingSweep(Scenario scenario);

    void step();
    double within(Point dog, Point momotaro, Walker next) const;
    int ticks() const { return m_ticks; }

private:
    Scenario m_scenario;
    int m_ticks = 0;
    // Pair tables (PairRow above): D_t, the chance with Dog's timer ticking
    // next.
    std::vector<double> m_dogNext;
    // M_t, the same with Momotaro's timer next; kept only when Dog walks
    // alone (when both walk it is D_t with the walkers swapped).
    std::vector<double> m_momoNext;
    std::vector<double> m_landing;
    std::vector<double> m_next;
};

} // namespace stats
