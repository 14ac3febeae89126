#include "law/exactlaw.h"
#include "law/meetingmap.h"
#include "core/walkertick.h"
#include "core/walkrun.h"

#include <QTest>

#include <numeric>
#include <random>
#include <tuple>
#include <utility>

Q_DECLARE_METATYPE(Scenario)
Q_DECLARE_METATYPE(Point)

namespace {

using stats::Starts;

// The law of meetings over every one of the 8^(2 ticks) direction sequences,
// each played through the walk rules.
std::vector<double> enumeratedLaw(Scenario scenario, Starts starts, int ticksPerTimer)
{
    const long long sequences = 1LL << (3 * 2 * ticksPerTimer);
    std::vector<double> law(ticksPerTimer + 1, 0.0);
    for (long long sequence = 0; sequence < sequences; ++sequence) {
        WalkState walk = placedWalk(scenario, starts.momotaro, starts.dog);
        long long rest = sequence;
        // Each tick takes the next base-8 digit of the sequence as its direction.
        playRun(walk, ticksPerTimer, [&rest] { return int(std::exchange(rest, rest / 8) % 8) + 1; });
        law[walk.meetCount] += 1.0 / double(sequences);
    }
    return law;
}

// The law of meetings by carrying the chance of every state of the walk
// (both walkers' points, whether a meeting waits for its restart, the count
// so far) forward tick by tick, each walker's tick played through
// applyTick() with each of the eight directions: no renewal, no transform.
std::vector<double> lawByEveryState(Scenario scenario, Starts starts, int ticksPerTimer)
{
    constexpr std::size_t P = stats::BoardPoints;
    const WalkState placed = placedWalk(scenario, starts.momotaro, starts.dog);
    const RunMode walking = placed.runMode;
    const RunMode met = walking == RunMode::BothWalk ? RunMode::BothMet : RunMode::DogMet;
    const auto indexOf = [&](const WalkPoints &w) {
        const std::size_t pending = w.runMode == walking ? 0 : 1;
        return ((std::size_t(int(w.meetCount)) * 2 + pending) * P + std::size_t(stats::pointIndex({w.dogX, w.dogY}))) *
                   P +
               std::size_t(stats::pointIndex({w.momoX, w.momoY}));
    };
    const std::size_t counts = std::size_t(ticksPerTimer) + 1;
    std::vector<double> chance(counts * 2 * P * P, 0.0);
    chance[indexOf(placed)] = 1.0;
    for (int i = 0; i < 2 * ticksPerTimer; ++i) {
        const Walker walker = i % 2 == 0 ? Walker::Dog : Walker::Momotaro;
        std::vector<double> next(chance.size(), 0.0);
        for (std::size_t at = 0; at < chance.size(); ++at) {
            if (chance[at] == 0)
                continue;
            for (int direction = 1; direction <= 8; ++direction) {
                WalkPoints w = placed;
                const Point momo = stats::pointAt(int(at % P)), dog = stats::pointAt(int(at / P % P));
                std::tie(w.dogX, w.dogY, w.momoX, w.momoY) = std::tuple(dog.x, dog.y, momo.x, momo.y);
                w.runMode = at / P / P % 2 == 0 ? walking : met;
                w.meetCount = int(at / P / P / 2);
                applyTick(w, walker, direction);
                next[indexOf(w)] += chance[at] / 8;
            }
        }
        chance.swap(next);
    }
    std::vector<double> law(counts, 0.0);
    for (std::size_t at = 0; at < chance.size(); ++at)
        law[at / P / P / 2] += chance[at];
    return law;
}

// S(2k), the chance of no meeting in the first k tick periods, k = 0, 1, ...,
// until it falls below 1e-15: the chance of every pair of positions carried
// forward tick by tick, each walker's tick played through applyTick() with
// each of the eight directions, a meeting taking its chance off the board.
std::vector<double> noMeetingByEveryPair(Scenario scenario, Starts starts)
{
    constexpr int Pairs = stats::BoardPoints * stats::BoardPoints;
    const auto pairOf = [](Point dog, Point momo) {
        return stats::pointIndex(dog) * stats::BoardPoints + stats::pointIndex(momo);
    };
    const WalkState placed = placedWalk(scenario, starts.momotaro, starts.dog);
    // to[walker][pair * 8 + direction - 1]: the pair after the tick, -1 for a meeting.
    stats::PerWalker<std::vector<int>> to;
    for (Walker walker : stats::Walkers) {
        for (int i = 0; i < Pairs * 8; ++i) {
            const Point dog = stats::pointAt(i / 8 / stats::BoardPoints);
            const Point momo = stats::pointAt(i / 8 % stats::BoardPoints);
            WalkPoints walk = placed;
            std::tie(walk.dogX, walk.dogY, walk.momoX, walk.momoY) = std::tuple(dog.x, dog.y, momo.x, momo.y);
            const bool met = applyTick(walk, walker, i % 8 + 1) == TickAction::Met;
            to[walker].push_back(met ? -1 : pairOf({walk.dogX, walk.dogY}, {walk.momoX, walk.momoY}));
        }
    }
    std::vector<double> chance(Pairs, 0.0);
    chance[std::size_t(pairOf(starts.dog, starts.momotaro))] = 1.0;
    std::vector<double> survival{1.0};
    while (survival.back() > 1e-15) {
        for (Walker walker : stats::Walkers) {
            std::vector<double> next(Pairs, 0.0);
            for (int i = 0; i < Pairs * 8; ++i) {
                if (const int after = to[walker][std::size_t(i)]; after >= 0)
                    next[std::size_t(after)] += chance[std::size_t(i / 8)] / 8;
            }
            chance.swap(next);
        }
        survival.push_back(std::accumulate(chance.begin(), chance.end(), 0.0));
    }
    return survival;
}

} // namespace

class TestExactLaw : public QObject
{
    Q_OBJECT

private slots:
    void sweepMatchesEveryDirectionSequence_data();
    void sweepMatchesEveryDirectionSequence();
    void firstMeetingWaitMatchesEveryPairOfPositions_data();
    void firstMeetingWaitMatchesEveryPairOfPositions();
    void lawMatchesEveryStateOfTheWalk_data();
    void lawMatchesEveryStateOfTheWalk();
    void meanMatchesTheLawsMean_data();
    void meanMatchesTheLawsMean();
    void fastDogTickMatchesThePlainOne();
    void lawCarriedOnMatchesALongerSweep();
};

void TestExactLaw::sweepMatchesEveryDirectionSequence_data()
{
    QTest::addColumn<Point>("momotaro");
    QTest::addColumn<Point>("dog");
    // Two steps apart: a meeting and its restart fit in the window twice.
    QTest::newRow("default starts") << Point{4, 4} << Point{6, 4};
    QTest::newRow("one corner") << Point{0, 0} << Point{0, 0};
    QTest::newRow("far edge") << Point{10, 3} << Point{9, 4};
    // No symmetry of the board swaps Dog's start with Momotaro's in these,
    // which would hide a map cell read from the wrong point or the wrong
    // walker's timer.
    QTest::newRow("Dog off centre") << Point{3, 5} << Point{6, 4};
    QTest::newRow("Dog off centre, Momotaro in a corner") << Point{0, 0} << Point{6, 4};
    QTest::newRow("Dog off centre, Momotaro below") << Point{7, 2} << Point{6, 4};
    QTest::newRow("Dog by an edge") << Point{3, 9} << Point{1, 8};
    QTest::newRow("Dog by an edge, Momotaro beside") << Point{1, 7} << Point{1, 8};
}

// The one sweep for every Momotaro start, read as the answer and as the map.
void TestExactLaw::sweepMatchesEveryDirectionSequence()
{
    QFETCH(Point, momotaro);
    QFETCH(Point, dog);
    const int ticks = 3;
    const stats::PerScenario<stats::ExactForDog> sweeps = stats::sweepBoth({momotaro, dog}, ticks, true);
    const stats::MeetingMap map = stats::meetingMap(sweeps);
    for (Scenario scenario : stats::Scenarios) {
        const QString name = scenario == Scenario::BothWalk ? "both" : "one";
        const stats::ExactResult exact = stats::exactResultOf(sweeps[scenario].firstMeeting(momotaro), ticks);
        const std::vector<double> law = enumeratedLaw(scenario, {momotaro, dog}, ticks);
        double mean = 0;
        for (std::size_t k = 0; k < law.size(); ++k) {
            const double got = k < exact.law.size() ? exact.law[k] : 0.0;
            QVERIFY2(std::fabs(got - law[k]) < 1e-12,
                     qPrintable(QStringLiteral("%1, P(N = %2): %3 against %4").arg(name).arg(k).arg(got).arg(law[k])));
            mean += double(k) * law[k];
        }
        QCOMPARE_LE(std::fabs(exact.expectedMeetings - mean), 1e-12);
        QCOMPARE_LE(std::fabs(map[scenario][std::size_t(stats::pointIndex(momotaro))] - mean), 1e-12);
    }
}

void TestExactLaw::firstMeetingWaitMatchesEveryPairOfPositions_data()
{
    QTest::addColumn<Scenario>("scenario");
    QTest::addColumn<Point>("momotaro");
    QTest::addColumn<Point>("dog");
    QTest::newRow("both, diagonal neighbours") << Scenario::BothWalk << Point{4, 4} << Point{5, 5};
    QTest::newRow("one, diagonal neighbours") << Scenario::DogWalks << Point{4, 4} << Point{5, 5};
    QTest::newRow("both, Dog beside a corner") << Scenario::BothWalk << Point{0, 0} << Point{2, 1};
}

void TestExactLaw::firstMeetingWaitMatchesEveryPairOfPositions()
{
    QFETCH(Scenario, scenario);
    QFETCH(Point, momotaro);
    QFETCH(Point, dog);
    // A run of 2 s: the mean and the median lie well past it.
    const int ticks = 10;
    const stats::ExactResult exact = stats::exactResult(scenario, {momotaro, dog}, ticks);
    const std::vector<double> survival = noMeetingByEveryPair(scenario, {momotaro, dog});
    // The first meeting comes in period K, and P(K > k) = S(2k).
    const double period = 0.2;
    const double mean = period * std::accumulate(survival.begin(), survival.end(), 0.0);
    const auto half = std::find_if(survival.begin(), survival.end(), [](double s) { return s <= 0.5; });
    QCOMPARE(exact.medianFirstSeconds.value_or(-1.0), period * double(half - survival.begin()));
    QVERIFY2(std::fabs(exact.meanFirstSeconds - mean) <= 1e-9 * mean,
             qPrintable(QStringLiteral("%1 against %2").arg(exact.meanFirstSeconds).arg(mean)));
    for (int k = 0; k <= ticks; ++k)
        QCOMPARE_LE(std::fabs(exact.noMeetingYet[std::size_t(k)] - survival[std::size_t(k)]), 1e-12);
}

void TestExactLaw::lawMatchesEveryStateOfTheWalk_data()
{
    QTest::addColumn<Scenario>("scenario");
    QTest::addColumn<Point>("momotaro");
    QTest::addColumn<Point>("dog");
    QTest::addColumn<int>("ticksPerTimer");
    // Runs long enough for several meetings, each law worked out on a
    // transform of 3 * 2^a points (10 ticks a timer) and of 2^a (15).
    QTest::newRow("both, default starts, 2 s") << Scenario::BothWalk << Point{4, 4} << Point{6, 4} << 10;
    QTest::newRow("one, default starts, 2 s") << Scenario::DogWalks << Point{4, 4} << Point{6, 4} << 10;
    QTest::newRow("both, a corner and beside it, 3 s") << Scenario::BothWalk << Point{0, 0} << Point{1, 1} << 15;
    QTest::newRow("one, by an edge, 3 s") << Scenario::DogWalks << Point{1, 7} << Point{1, 8} << 15;
}

// The law, through the renewal of the first meeting and its transform,
// against the walk's every state carried forward.
void TestExactLaw::lawMatchesEveryStateOfTheWalk()
{
    QFETCH(Scenario, scenario);
    QFETCH(Point, momotaro);
    QFETCH(Point, dog);
    QFETCH(int, ticksPerTimer);
    const stats::ExactResult exact = stats::exactResult(scenario, {momotaro, dog}, ticksPerTimer);
    const std::vector<double> law = lawByEveryState(scenario, {momotaro, dog}, ticksPerTimer);
    QVERIFY(law[2] > 0.01); // a law of several meetings, not only of the first
    for (std::size_t k = 0; k < law.size(); ++k) {
        const double got = k < exact.law.size() ? exact.law[k] : 0.0;
        QVERIFY2(std::fabs(got - law[k]) < 1e-12,
                 qPrintable(QStringLiteral("P(N = %1): %2 against %3").arg(k).arg(got).arg(law[k])));
    }
}

void TestExactLaw::meanMatchesTheLawsMean_data()
{
    QTest::addColumn<Scenario>("scenario");
    QTest::addColumn<int>("ticksPerTimer");
    // From one block of the renewal's direct sums to many levels of its
    // halving, and both kinds of transform length.
    QTest::newRow("both, 3 s") << Scenario::BothWalk << 15;
    QTest::newRow("one, 20 s") << Scenario::DogWalks << 100;
    QTest::newRow("both, 60 s") << Scenario::BothWalk << 300;
    QTest::newRow("one, 180 s") << Scenario::DogWalks << 900;
    QTest::newRow("both, 600 s") << Scenario::BothWalk << 3000;
}

// The expected count, from the renewal density (the map's), against the
// mean of the law of the count, from its convolutions count by count (the
// answer's): two sums of the same first-meeting law that share nothing but
// it.
void TestExactLaw::meanMatchesTheLawsMean()
{
    QFETCH(Scenario, scenario);
    QFETCH(int, ticksPerTimer);
    const stats::FirstMeeting first = stats::firstMeeting(scenario, stats::DefaultStarts, ticksPerTimer);
    const stats::MeetingLaw law = stats::meetingLaw(first, ticksPerTimer);
    QVERIFY(law.mean > 0.05);
    QCOMPARE_LE(std::fabs(stats::expectedMeetings(first, ticksPerTimer) - law.mean), 1e-9);
}

void TestExactLaw::fastDogTickMatchesThePlainOne()
{
    std::vector<double> landing(stats::PairTableSize);
    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    std::generate(landing.begin(), landing.end(), [&] { return chance(random); });
    std::vector<double> fast(stats::PairTableSize, -1.0);
    std::vector<double> plain(stats::PairTableSize, -1.0);
    stats::dogTickBack(landing.data(), fast.data());
    stats::dogTickBackPlain(landing.data(), plain.data());
    for (int i = 0; i < stats::PairTableSize; ++i)
        QVERIFY2(std::fabs(fast[i] - plain[i]) <= 1e-14,
                 qPrintable(QStringLiteral("at %1: %2 against %3").arg(i).arg(fast[i]).arg(plain[i])));
}

void TestExactLaw::lawCarriedOnMatchesALongerSweep()
{
    // The sweep of a 10 s run stops long before 300 s; the slower scenario
    // has then still a 4.5% chance of no meeting yet.
    const Starts starts{{0, 0}, {10, 10}};
    const int ticks = 2 * rules::ticksPerTimer(300);
    for (Scenario scenario : stats::Scenarios) {
        const stats::FirstMeeting carried =
            stats::lengthened(stats::firstMeeting(scenario, starts, rules::ticksPerTimer(10)), ticks);
        const stats::FirstMeeting swept = stats::firstMeeting(scenario, starts, ticks / 2);
        for (Walker walker : stats::Walkers) {
            for (int t = 0; t <= ticks; ++t)
                QCOMPARE_LE(std::fabs(carried.within[walker][t] - swept.within[walker][t]), 1e-9);
        }
    }
}

QTEST_GUILESS_MAIN(TestExactLaw)
#include "tst_exactlaw.moc"
