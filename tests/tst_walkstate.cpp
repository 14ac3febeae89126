#include "walkstate.h"

#include <QTest>

Q_DECLARE_METATYPE(RunMode)

class TestWalkState : public QObject
{
    Q_OBJECT

private slots:
    void loadStateIsIdleAtTheOrigin();
    void placeCopiesStartsAndResetsTheCount();
    void meetingAndRestartFollowTheScenario_data();
    void meetingAndRestartFollowTheScenario();
    void whoWalksInWhichMode_data();
    void whoWalksInWhichMode();
};

void TestWalkState::loadStateIsIdleAtTheOrigin()
{
    WalkState state;
    state.meetCount = 3;
    state.runMode = RunMode::BothMet;
    state.resetOnLoad();
    QCOMPARE(state.runMode, RunMode::Idle);
    QCOMPARE(int(state.meetCount), 0);
    for (Int16 v : {state.dogStartX, state.dogStartY, state.momoStartX, state.momoStartY, state.dogX, state.dogY,
                    state.momoX, state.momoY})
        QCOMPARE(int(v), 0);
}

void TestWalkState::placeCopiesStartsAndResetsTheCount()
{
    WalkState state;
    state.setStart(StartField::MomoX, 4);
    state.setStart(StartField::MomoY, 5);
    state.setStart(StartField::DogX, 6);
    state.setStart(StartField::DogY, 7);
    state.meetCount = 12;
    state.place(Scenario::DogWalks);
    QCOMPARE(state.runMode, RunMode::DogWalks);
    QCOMPARE(int(state.meetCount), 0);
    QCOMPARE(QList<int>({state.momoX, state.momoY, state.dogX, state.dogY}), QList<int>({4, 5, 6, 7}));
    state.place(Scenario::BothWalk);
    QCOMPARE(state.runMode, RunMode::BothWalk);
}

void TestWalkState::meetingAndRestartFollowTheScenario_data()
{
    QTest::addColumn<RunMode>("walking");
    QTest::addColumn<RunMode>("met");
    QTest::newRow("both walk") << RunMode::BothWalk << RunMode::BothMet;
    QTest::newRow("dog walks") << RunMode::DogWalks << RunMode::DogMet;
}

void TestWalkState::meetingAndRestartFollowTheScenario()
{
    QFETCH(RunMode, walking);
    QFETCH(RunMode, met);
    WalkState state;
    state.setStart(StartField::MomoX, 2);
    state.setStart(StartField::DogX, 9);
    state.setStart(StartField::DogY, 1);
    state.place(walking == RunMode::BothWalk ? Scenario::BothWalk : Scenario::DogWalks);
    state.dogX = 3;
    state.momoY = 8;

    state.recordMeeting();
    QCOMPARE(state.runMode, met);
    QCOMPARE(int(state.meetCount), 1);
    QVERIFY(state.metPending());
    // A second meeting in the met phase counts but does not change the mode.
    state.recordMeeting();
    QCOMPARE(state.runMode, met);
    QCOMPARE(int(state.meetCount), 2);

    state.restartAfterMeeting();
    QCOMPARE(state.runMode, walking);
    QVERIFY(!state.metPending());
    QCOMPARE(QList<int>({state.momoX, state.momoY, state.dogX, state.dogY}), QList<int>({2, 0, 9, 1}));
    // Restart outside the met phase still sends the walkers home.
    state.dogX = 5;
    state.restartAfterMeeting();
    QCOMPARE(state.runMode, walking);
    QCOMPARE(int(state.dogX), 9);
}

void TestWalkState::whoWalksInWhichMode_data()
{
    QTest::addColumn<RunMode>("mode");
    QTest::addColumn<bool>("dog");
    QTest::addColumn<bool>("momotaro");
    QTest::newRow("idle") << RunMode::Idle << false << false;
    QTest::newRow("both walk") << RunMode::BothWalk << true << true;
    QTest::newRow("dog walks") << RunMode::DogWalks << true << false;
    QTest::newRow("both met") << RunMode::BothMet << false << false;
    QTest::newRow("dog met") << RunMode::DogMet << false << false;
}

void TestWalkState::whoWalksInWhichMode()
{
    QFETCH(RunMode, mode);
    QFETCH(bool, dog);
    QFETCH(bool, momotaro);
    WalkState state;
    state.runMode = mode;
    QCOMPARE(state.walking(Walker::Dog), dog);
    QCOMPARE(state.walking(Walker::Momotaro), momotaro);
}

QTEST_GUILESS_MAIN(TestWalkState)
#include "tst_walkstate.moc"
