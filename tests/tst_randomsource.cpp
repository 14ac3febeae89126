#include "fakes.h"
#include "runtime/randomsource.h"
#include "core/walkertick.h"

#include <QTest>

#include <cmath>

class TestRandomSource : public QObject
{
    Q_OBJECT

private slots:
    void largestDrawStillGivesDirectionEight();
    void twoTicksAtOneClockReadingDrawIndependently();
};

void TestRandomSource::largestDrawStillGivesDirectionEight()
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

void TestRandomSource::twoTicksAtOneClockReadingDrawIndependently()
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

QTEST_GUILESS_MAIN(TestRandomSource)
#include "tst_randomsource.moc"
