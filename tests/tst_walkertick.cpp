#include "fakes.h"
#include "walkertick.h"

#include <QTest>

Q_DECLARE_METATYPE(Walker)

namespace {

// A walk in progress: Momotaro and Dog placed, a run started at startTime.
struct Walk
{
    FakeClock clock;
    ScriptedRandom random;
    RecordingBoard board;
    WalkState state;

    Walk(Scenario scenario, Point momotaro, Point dog, float startTime = 1000.0f)
    {
        state.setStart(StartField::MomoX, momotaro.x);
        state.setStart(StartField::MomoY, momotaro.y);
        state.setStart(StartField::DogX, dog.x);
        state.setStart(StartField::DogY, dog.y);
        state.place(scenario);
        state.markStart(startTime);
        clock.now = startTime;
    }

    TickOutcome tick(Walker walker, int direction)
    {
        random.queueDirections({direction});
        board.log.clear();
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
    void elapsedReadoutFloorsTheSeconds_data();
    void elapsedReadoutFloorsTheSeconds();
    void limitActsOnlyStrictlyPast180Seconds();
    void aMeetingIsCountedThenRestartedOnTheNextTick_data();
    void aMeetingIsCountedThenRestartedOnTheNextTick();
    void momotaroStandsStillWhenOnlyDogWalks();
    void sharedStartPointsMeetOnlyWhenClampedTogether_data();
    void sharedStartPointsMeetOnlyWhenClampedTogether();
    void everyTickReseedsFromTheClock();
};

void TestWalkerTick::stepsAreClampedToTheBoard_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("toX");
    QTest::addColumn<int>("toY");

    QTest::newRow("1 right") << 5 << 5 << 1 << 6 << 5;
    QTest::newRow("2 down-right") << 5 << 5 << 2 << 6 << 6;
    QTest::newRow("3 down") << 5 << 5 << 3 << 5 << 6;
    QTest::newRow("4 down-left") << 5 << 5 << 4 << 4 << 6;
    QTest::newRow("5 left") << 5 << 5 << 5 << 4 << 5;
    QTest::newRow("6 up-left") << 5 << 5 << 6 << 4 << 4;
    QTest::newRow("7 up") << 5 << 5 << 7 << 5 << 4;
    QTest::newRow("8 up-right") << 5 << 5 << 8 << 6 << 4;
    QTest::newRow("origin up-left stays") << 0 << 0 << 6 << 0 << 0;
    QTest::newRow("origin up-right slides right") << 0 << 0 << 8 << 1 << 0;
    QTest::newRow("origin down-left slides down") << 0 << 0 << 4 << 0 << 1;
    QTest::newRow("right edge right stays") << 10 << 5 << 1 << 10 << 5;
    QTest::newRow("right edge down-right slides down") << 10 << 5 << 2 << 10 << 6;
    QTest::newRow("far corner down-right stays") << 10 << 10 << 2 << 10 << 10;
    QTest::newRow("bottom edge down-left slides left") << 3 << 10 << 4 << 2 << 10;
    QTest::newRow("top edge up stays") << 7 << 0 << 7 << 7 << 0;
    QTest::newRow("no such direction") << 5 << 5 << 9 << 5 << 5;
}

void TestWalkerTick::stepsAreClampedToTheBoard()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, direction);
    QFETCH(int, toX);
    QFETCH(int, toY);
    QCOMPARE(stepOnBoard({x, y}, direction), (Point{toX, toY}));

    // The same through a whole Dog tick.
    Walk walk(Scenario::BothWalk, {0, 10}, {x, y});
    if (x == 0 && y == 10)
        return;
    walk.tick(Walker::Dog, direction);
    QCOMPARE(QList<int>({walk.state.dogX, walk.state.dogY}), QList<int>({toX, toY}));
}

void TestWalkerTick::aWalkingTickShowsItsWorkInOrder()
{
    Walk walk(Scenario::BothWalk, {4, 4}, {6, 4});
    walk.clock.now += 12.5f;
    const TickOutcome outcome = walk.tick(Walker::Dog, 3);
    QCOMPARE(outcome.action, TickOutcome::Action::Moved);
    QCOMPARE(walk.board.log, QStringList({
                                 "readout 4  12 / 180 sec",
                                 "visible Dog 1",
                                 "place Dog 6,5",
                                 "readout 1 Dog: x= 6  y= 5",
                             }));
    QCOMPARE(walk.state.dogTickTime, 1012.5f);

    walk.tick(Walker::Momotaro, 7);
    QCOMPARE(walk.board.log.mid(1), QStringList({
                                        "visible Momotaro 1",
                                        "place Momotaro 4,3",
                                        "readout 2 Momotaro: x= 4  y= 3",
                                    }));
}

void TestWalkerTick::elapsedReadoutFloorsTheSeconds_data()
{
    QTest::addColumn<float>("start");
    QTest::addColumn<float>("tick");
    QTest::addColumn<QString>("readout");

    QTest::newRow("at start") << 1000.0f << 1000.0f << " 0 / 180 sec";
    QTest::newRow("within the first second") << 1000.0f << 1000.9f << " 0 / 180 sec";
    QTest::newRow("twelve and a half") << 1000.0f << 1012.5f << " 12 / 180 sec";
    QTest::newRow("just under a whole second") << 50000.25f << 50001.2421875f << " 0 / 180 sec";
    QTest::newRow("past the limit") << 1000.0f << 1180.25f << " 180 / 180 sec";
    QTest::newRow("across midnight") << 86399.5f << 0.75f << " 1 / 180 sec";
    QTest::newRow("long after midnight") << 86300.0f << 79.0f << " 179 / 180 sec";
}

void TestWalkerTick::elapsedReadoutFloorsTheSeconds()
{
    QFETCH(float, start);
    QFETCH(float, tick);
    QFETCH(QString, readout);
    Walk walk(Scenario::BothWalk, {4, 4}, {6, 4}, start);
    walk.clock.now = tick;
    walk.tick(Walker::Dog, 1);
    QCOMPARE(walk.board.readouts[int(Readout::Time)], readout);
}

void TestWalkerTick::limitActsOnlyStrictlyPast180Seconds()
{
    Walk walk(Scenario::BothWalk, {4, 4}, {6, 4});
    walk.board.timers[0] = walk.board.timers[1] = true;
    walk.board.buttons[1] = walk.board.buttons[2] = false;

    walk.clock.now = 1180.0f;
    QVERIFY(!walk.tick(Walker::Dog, 1).limitPassed);
    QVERIFY(walk.board.timers[int(Walker::Dog)]);

    walk.clock.now = 1180.015625f;
    const TickOutcome outcome = walk.tick(Walker::Dog, 1);
    QVERIFY(outcome.limitPassed);
    QCOMPARE(outcome.action, TickOutcome::Action::Moved);
    QCOMPARE(walk.board.log.mid(0, 5), QStringList({
                                           "readout 4  180 / 180 sec",
                                           "timer Dog 0",
                                           "button 4 0",
                                           "button 2 1",
                                           "button 3 1",
                                       }));
    // The other timer, Start and Problem are left alone; the walker still moves.
    QVERIFY(walk.board.timers[int(Walker::Momotaro)]);
    QCOMPARE(walk.board.log.filter("button").size(), 3);
    QCOMPARE(int(walk.state.dogX), 8);

    // Across midnight the limit still counts from the start.
    Walk late(Scenario::BothWalk, {4, 4}, {6, 4}, 86300.0f);
    late.clock.now = 80.5f;
    QVERIFY(late.tick(Walker::Dog, 1).limitPassed);
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
    QCOMPARE(walk.board.log.last(), QStringLiteral("readout 3 Number of meetlings = 1"));

    QCOMPARE(walk.tick(restarter, 1).action, TickOutcome::Action::Restarted);
    QCOMPARE(walk.state.runMode, RunMode::BothWalk);
    QCOMPARE(QList<int>({walk.state.dogX, walk.state.dogY, walk.state.momoX, walk.state.momoY}),
             QList<int>({6, 4, 4, 4}));
    // Only the time, the picture shown and the sound: nothing moves on this tick.
    QCOMPARE(walk.board.log.size(), 3);
    QCOMPARE(walk.board.log.last(), QStringLiteral("cue logoff.wav"));
    QCOMPARE(walk.board.places, 2);
    QCOMPARE(int(walk.state.meetCount), 1);
}

void TestWalkerTick::momotaroStandsStillWhenOnlyDogWalks()
{
    Walk walk(Scenario::DogWalks, {5, 5}, {6, 5});
    for (int d = 1; d <= 8; ++d) {
        const TickOutcome outcome = walk.tick(Walker::Momotaro, d);
        QCOMPARE(outcome.action, TickOutcome::Action::None);
        QCOMPARE(walk.board.log, QStringList({"readout 4  0 / 180 sec", "visible Momotaro 1"}));
    }
    QCOMPARE(walk.tick(Walker::Dog, 5).action, TickOutcome::Action::Met);
    QCOMPARE(walk.state.runMode, RunMode::DogMet);
    QCOMPARE(walk.tick(Walker::Momotaro, 1).action, TickOutcome::Action::Restarted);
    QCOMPARE(walk.state.runMode, RunMode::DogWalks);
    QCOMPARE(QList<int>({walk.state.dogX, walk.state.momoX}), QList<int>({6, 5}));
}

void TestWalkerTick::sharedStartPointsMeetOnlyWhenClampedTogether_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("direction");
    QTest::addColumn<bool>("meets");
    QTest::newRow("middle of the board") << 5 << 5 << 1 << false;
    QTest::newRow("corner, step off the board") << 0 << 0 << 6 << true;
    QTest::newRow("corner, step onto the board") << 0 << 0 << 3 << false;
    QTest::newRow("edge, step along it") << 10 << 4 << 3 << false;
    QTest::newRow("edge, step off it") << 10 << 4 << 1 << true;
}

void TestWalkerTick::sharedStartPointsMeetOnlyWhenClampedTogether()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, direction);
    QFETCH(bool, meets);
    Walk walk(Scenario::BothWalk, {x, y}, {x, y});
    QCOMPARE(walk.tick(Walker::Dog, direction).action == TickOutcome::Action::Met, meets);
    QCOMPARE(int(walk.state.meetCount), meets ? 1 : 0);
}

void TestWalkerTick::everyTickReseedsFromTheClock()
{
    Walk walk(Scenario::DogWalks, {0, 0}, {10, 10});
    walk.state.runMode = RunMode::Idle;
    walk.clock.now = 1000.2f;
    walk.tick(Walker::Dog, 1);
    walk.tick(Walker::Momotaro, 1);
    QCOMPARE(walk.random.seeds, QList<float>({1000.2f, 1000.2f}));
    QVERIFY(walk.random.draws.isEmpty()); // drawn even when nobody walks
}

QTEST_GUILESS_MAIN(TestWalkerTick)
#include "tst_walkertick.moc"
