#include "fakes.h"
#include "core/walkertick.h"

#include <QSet>
#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(Walker)
Q_DECLARE_METATYPE(Point)

namespace {

// A walk in progress: Momotaro and Dog placed, a run started at startTime
// (the wall clock not yet set). The start reads the clock as a tick does, the
// time of day and then the steady clock, so a tick at startTime + t reads an
// elapsed time of exactly t.
struct Walk
{
    EventLog events;
    FakeClock clock{events};
    ScriptedRandom random{&events};
    RecordingBoard board{events};
    WalkState state;

    Walk(Scenario scenario, Point momotaro, Point dog, double startTime = 1000.0)
    {
        state.setStart(StartField::MomoX, momotaro.x);
        state.setStart(StartField::MomoY, momotaro.y);
        state.setStart(StartField::DogX, dog.x);
        state.setStart(StartField::DogY, dog.y);
        state.place(scenario);
        clock.now = startTime;
        const float timeOfDay = clock.secondsSinceMidnight();
        state.markStart(timeOfDay, clock.steadySeconds());
        clock.now = startTime;
    }

    TickOutcome tick(Walker walker, int direction)
    {
        random.queueDirections({direction});
        events.lines.clear();
        return walkerTick(walker, state, clock, random, board);
    }
};

} // namespace

class TestWalkerTick : public QObject
{
    Q_OBJECT

private slots:
    void stepsAreClampedToTheBoard_data();
    void stepsAreClampedToTheBoard();
    void aWalkingTickShowsItsWorkInOrder();
    void elapsedTimeGoesByTheSteadyClock_data();
    void elapsedTimeGoesByTheSteadyClock();
    void aMeetingIsCountedThenRestartedOnTheNextTick_data();
    void aMeetingIsCountedThenRestartedOnTheNextTick();
    void momotaroStandsStillWhenOnlyDogWalks();
    void largestDrawStillGivesDirectionEight();
    void twoTicksAtOneClockReadingDrawIndependently();
};

void TestWalkerTick::stepsAreClampedToTheBoard_data()
{
    QTest::addColumn<Point>("from");
    QTest::addColumn<int>("neighbours"); // distinct points the eight steps reach
    QTest::newRow("middle") << Point{5, 5} << 8;
    QTest::newRow("edge") << Point{10, 5} << 5;
    QTest::newRow("corner") << Point{0, 0} << 3;
    QTest::newRow("far corner") << Point{10, 10} << 3;
}

void TestWalkerTick::stepsAreClampedToTheBoard()
{
    // Each of the eight directions is one step to a neighbour, every
    // neighbour is reached, and a step off the board stays where it is.
    QFETCH(Point, from);
    QFETCH(int, neighbours);
    QSet<int> reached;
    for (int d = 1; d <= 8; ++d) {
        const Point to = stepOnBoard(from, d);
        const int x = to.x, y = to.y;
        QVERIFY(x >= 0 && x <= 10 && y >= 0 && y <= 10);
        QCOMPARE_LE(qMax(qAbs(x - from.x), qAbs(y - from.y)), 1);
        reached.insert(x * 11 + y);
    }
    reached.remove(from.x * 11 + from.y);
    QCOMPARE(reached.size(), neighbours);
}

void TestWalkerTick::aWalkingTickShowsItsWorkInOrder()
{
    Walk walk(Scenario::BothWalk, {4, 4}, {6, 4});
    walk.clock.now += 12.5f;
    const TickOutcome outcome = walk.tick(Walker::Dog, 3);
    QCOMPARE(outcome.action, TickOutcome::Action::Moved);
    // The time of day and the steady time first, then a fresh reading of
    // the time of day seeds the draw.
    QCOMPARE(walk.events.lines, QStringList({"clock 1012.500000", "steady 1012.515625", "readout 4  12 / 180 sec",
                                             "visible Dog 1", "clock 1012.531250", "seed 1012.531250", "draw",
                                             "place Dog 6,5", "readout 1 Dog: x= 6  y= 5"}));
    QCOMPARE(walk.state.dogTickTime, 1012.5f);

    walk.tick(Walker::Momotaro, 7);
    QCOMPARE(walk.events.only({"visible", "place", "readout 2"}),
             QStringList({"visible Momotaro 1", "place Momotaro 4,3", "readout 2 Momotaro: x= 4  y= 3"}));
}

void TestWalkerTick::elapsedTimeGoesByTheSteadyClock_data()
{
    // The run starts at the time of day start; the tick comes at the steady
    // reading tick, with the wall clock set by shift in between.
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("tick");
    QTest::addColumn<double>("shift");
    QTest::addColumn<QString>("readout");
    QTest::addColumn<bool>("limitPassed");
    QTest::newRow("within the first second") << 1000.0 << 1000.9 << 0.0 << " 0 / 180 sec" << false;
    QTest::newRow("just under a whole second") << 50000.25 << 50001.2421875 << 0.0 << " 0 / 180 sec" << false;
    // 13 s less 2^-30: a difference that a 32-bit float would round up.
    QTest::newRow("a hair under thirteen") << 9.313225746154785e-10 << 13.0 << 0.0 << " 12 / 180 sec" << false;
    QTest::newRow("across midnight") << 86399.5 << 86400.75 << 0.0 << " 1 / 180 sec" << false;
    QTest::newRow("set back two hours") << 36000.0 << 36012.5 << -7200.0 << " 12 / 180 sec" << false;
    QTest::newRow("set forward past midnight") << 80000.0 << 80012.5 << 18000.0 << " 12 / 180 sec" << false;
    // The limit acts only strictly past 180 s, here by the clock's 1/64 s.
    QTest::newRow("at the limit") << 1000.0 << 1180.0 << 0.0 << " 180 / 180 sec" << false;
    QTest::newRow("past the limit, set back") << 36000.0 << 36180.015625 << -7200.0 << " 180 / 180 sec" << true;
}

void TestWalkerTick::elapsedTimeGoesByTheSteadyClock()
{
    // The read-out floors the seconds that have passed and the limit goes by
    // them too, whatever the wall clock does; the tick keeps its time of day.
    QFETCH(double, start);
    QFETCH(double, tick);
    QFETCH(double, shift);
    QFETCH(QString, readout);
    QFETCH(bool, limitPassed);
    Walk walk(Scenario::BothWalk, {4, 4}, {6, 4}, start);
    walk.clock.wallShift = shift;
    walk.board.timers[0] = walk.board.timers[1] = true;
    walk.clock.now = tick;
    const TickOutcome outcome = walk.tick(Walker::Dog, 1);
    QCOMPARE(walk.board.readouts[int(Readout::Time)], readout);
    QCOMPARE(walk.state.dogTickTime, float(std::fmod(tick + shift + 86400, 86400)));
    QCOMPARE(outcome.limitPassed, limitPassed);
    // Only this walker's timer stops (the buttons are the enable table's
    // business); the walker still moves.
    QCOMPARE(outcome.action, TickOutcome::Action::Moved);
    QCOMPARE(walk.board.timers[int(Walker::Dog)], !limitPassed);
    QVERIFY(walk.board.timers[int(Walker::Momotaro)]);
    QCOMPARE(int(walk.state.dogX), 7);
}

void TestWalkerTick::aMeetingIsCountedThenRestartedOnTheNextTick_data()
{
    QTest::addColumn<Walker>("restarter");
    QTest::newRow("restarted by Dog's timer") << Walker::Dog;
    QTest::newRow("restarted by Momotaro's timer") << Walker::Momotaro;
}

void TestWalkerTick::aMeetingIsCountedThenRestartedOnTheNextTick()
{
    QFETCH(Walker, restarter);
    Walk walk(Scenario::BothWalk, {4, 4}, {6, 4});
    walk.tick(Walker::Dog, 5); // Dog to (5, 4)
    QCOMPARE(walk.tick(Walker::Dog, 5).action, TickOutcome::Action::Met); // onto Momotaro at (4, 4)
    QCOMPARE(walk.state.runMode, RunMode::BothMet);
    QCOMPARE(int(walk.state.meetCount), 1);
    QCOMPARE(walk.events.lines.last(), QStringLiteral("readout 3 Number of meetlings = 1"));

    QCOMPARE(walk.tick(restarter, 1).action, TickOutcome::Action::Restarted);
    QCOMPARE(walk.state.runMode, RunMode::BothWalk);
    QCOMPARE(QList<int>({walk.state.dogX, walk.state.dogY, walk.state.momoX, walk.state.momoY}),
             QList<int>({6, 4, 4, 4}));
    // Only the time, the picture shown and the sound: nothing moves on this tick.
    QCOMPARE(walk.events.only({"readout", "visible", "place", "cue"}),
             QStringList({"readout 4  0 / 180 sec", QStringLiteral("visible %1 1").arg(RecordingBoard::name(restarter)),
                          "cue logoff.wav"}));
    QCOMPARE(int(walk.state.meetCount), 1);
}

void TestWalkerTick::momotaroStandsStillWhenOnlyDogWalks()
{
    Walk walk(Scenario::DogWalks, {5, 5}, {6, 5});
    for (int d = 1; d <= 8; ++d) {
        const TickOutcome outcome = walk.tick(Walker::Momotaro, d);
        QCOMPARE(outcome.action, TickOutcome::Action::None);
        QCOMPARE(walk.events.only({"readout", "visible", "place", "cue"}),
                 QStringList({"readout 4  0 / 180 sec", "visible Momotaro 1"}));
    }
    QCOMPARE(walk.tick(Walker::Dog, 5).action, TickOutcome::Action::Met);
    QCOMPARE(walk.state.runMode, RunMode::DogMet);
    QCOMPARE(walk.tick(Walker::Momotaro, 1).action, TickOutcome::Action::Restarted);
    QCOMPARE(walk.state.runMode, RunMode::DogWalks);
    QCOMPARE(QList<int>({walk.state.dogX, walk.state.momoX}), QList<int>({6, 5}));
}

void TestWalkerTick::largestDrawStillGivesDirectionEight()
{
    QCOMPARE(directionFromDraw(SplitMixRandom::toUnit(~0ULL)), 8);
    QCOMPARE(directionFromDraw(SplitMixRandom::toUnit(0)), 1);
    // The draw just below each eighth is still the lower direction.
    for (int d = 1; d < 8; ++d) {
        const std::uint64_t eighth = std::uint64_t(d) << 61;
        QCOMPARE(directionFromDraw(SplitMixRandom::toUnit(eighth - (1ULL << 32))), d);
        QCOMPARE(directionFromDraw(SplitMixRandom::toUnit(eighth)), d + 1);
    }
}

void TestWalkerTick::twoTicksAtOneClockReadingDrawIndependently()
{
    // The two timers tick back to back and usually read the same clock
    // value; their walkers' directions must still agree only about one time
    // in eight (a reseed that forgot the old state would make them agree
    // every time).
    EventLog events;
    FakeClock clock(events);
    clock.step = 0; // the same reading for both
    SplitMixRandom random(99);
    RecordingBoard board(events);
    WalkState state;
    state.place(Scenario::BothWalk);
    state.markStart(30000.0f, 30000.0);
    int agree = 0;
    constexpr int Ticks = 8000;
    for (int i = 0; i < Ticks; ++i) {
        clock.now = 30000.0f + float(i % 800) * 0.2f;
        const int dog = walkerTick(Walker::Dog, state, clock, random, board).direction;
        const int momotaro = walkerTick(Walker::Momotaro, state, clock, random, board).direction;
        agree += dog == momotaro;
    }
    QVERIFY2(agree > Ticks / 8 * 0.8 && agree < Ticks / 8 * 1.2, qPrintable(QString::number(agree)));
}

QTEST_GUILESS_MAIN(TestWalkerTick)
#include "tst_walkertick.moc"
