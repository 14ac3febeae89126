#include "law/answer.h"
#include "law/classatspeed.h"
#include "law/simulation.h"
#include "core/walkertick.h"
#include "core/walkrun.h"

#include <QTest>

#include <span>

Q_DECLARE_METATYPE(stats::ClassAtSpeed::Start)

class TestClassAtSpeed : public QObject
{
    Q_OBJECT

private slots:
    void aClassAtSpeedPlaysTheSimulationsRuns_data();
    void aClassAtSpeedPlaysTheSimulationsRuns();
    void manyClassesAgreeWithTheExactChance_data();
    void manyClassesAgreeWithTheExactChance();
};

// A class played on in steps of any size, paused (a step of 0) or asked to
// go back (a negative step), stands at every step where its runs played in
// one go stand, and shows the groups done, the first ones, with the counts
// the simulation plays for the same seed: its runs 0 .. groups - 1.
void TestClassAtSpeed::aClassAtSpeedPlaysTheSimulationsRuns_data()
{
    using Start = stats::ClassAtSpeed::Start;
    QTest::addColumn<QList<int>>("steps");
    QTest::addColumn<Start>("start");
    QTest::newRow("a tick at a time, as in real time") << QList<int>{1} << Start::InTurn;
    QTest::newRow("17 ticks a frame, as at 200 times") << QList<int>{17} << Start::InTurn;
    QTest::newRow("17 ticks a frame, all started together") << QList<int>{17} << Start::Together;
    QTest::newRow("paused, stepped back, then on") << QList<int>{40, 0, -5, 1, 300} << Start::InTurn;
    QTest::newRow("finished at once") << QList<int>{1'000'000} << Start::InTurn;
}

void TestClassAtSpeed::aClassAtSpeedPlaysTheSimulationsRuns()
{
    QFETCH(QList<int>, steps);
    QFETCH(stats::ClassAtSpeed::Start, start);
    const stats::Starts starts{{4, 4}, {6, 4}};
    constexpr int Ticks = 150;
    constexpr int Groups = 7;
    constexpr std::uint64_t Seed = 99;
    stats::PerScenario<std::vector<std::uint16_t>> played;
    for (Scenario scenario : stats::Scenarios) {
        stats::simulate({scenario, starts, Ticks, Groups, Seed, 1},
                        [&](std::int64_t, std::span<const std::uint16_t> counts) {
                            played[scenario].assign(counts.begin(), counts.end());
                            return true;
                        });
    }
    // Group g's run of a scenario played in one go for ticks ticks.
    auto inOneGo = [&](int g, Scenario scenario, int ticks) {
        WalkPoints walk = placedWalk(scenario, starts.momotaro, starts.dog);
        SplitMixRandom random(stats::runSeed(Seed, scenario, g));
        playRun(walk, ticks, [&random] { return directionFromDraw(random.next()); });
        return QList<int>{int(walk.dogX),  int(walk.dogY),    int(walk.momoX),
                          int(walk.momoY), int(walk.runMode), int(walk.meetCount)};
    };
    stats::ClassAtSpeed motion(starts, Ticks, Groups, Seed, start);
    for (int i = 0; !motion.finished(); ++i) {
        QVERIFY(i < 10'000);
        motion.advanceTo(motion.now() + steps[i % steps.size()]);
        const stats::ClassCounts counts = motion.counts();
        QCOMPARE(int(counts.groups.size()), motion.groupsDone());
        for (int g = 0; g < Groups; ++g) {
            for (Scenario scenario : stats::Scenarios) {
                const WalkPoints &walk = motion.walk(g, scenario);
                const QList<int> now{int(walk.dogX),  int(walk.dogY),    int(walk.momoX),
                                     int(walk.momoY), int(walk.runMode), int(walk.meetCount)};
                QCOMPARE(now, inOneGo(g, scenario, g < motion.groupsDone() ? Ticks : motion.ticksDone(g)));
                if (g < motion.groupsDone())
                    QCOMPARE(*counts.groups[std::size_t(g)].counts[scenario], int(played[scenario][std::size_t(g)]));
            }
        }
    }
    QCOMPARE(motion.groupsDone(), Groups);
}

// Many classes of a few groups, played without being shown: how often their
// totals put the right way ahead falls within the simulation's error of the
// exact chance, and the first class is the class shown.
void TestClassAtSpeed::manyClassesAgreeWithTheExactChance_data()
{
    QTest::addColumn<int>("groups");
    QTest::addColumn<int>("seconds");
    QTest::newRow("1 group, runs of 180 s") << 1 << 180;
    QTest::newRow("5 groups, runs of 60 s") << 5 << 60;
}

void TestClassAtSpeed::manyClassesAgreeWithTheExactChance()
{
    QFETCH(int, groups);
    QFETCH(int, seconds);
    const stats::Answer answer = stats::answerOf(
        {{4, 4}, {6, 4}}, seconds, stats::sweepBoth({{4, 4}, {6, 4}}, rules::ticksPerTimer(seconds), false));
    const std::optional<stats::ManyClasses> many = stats::playManyClasses(answer, groups, 1000, 5, 2);
    QVERIFY(many);
    QCOMPARE(many->exactChance, answer.runsEach.byRuns[std::size_t(groups - 1)].bothMore);
    QVERIFY2(
        many->agrees(),
        qPrintable(
            QStringLiteral("%1 right, %2..%3 expected").arg(many->right).arg(many->fewestRight).arg(many->mostRight)));
    // The 99% range is narrow: a class's ties counted as right would leave it.
    QVERIFY(many->mostRight - many->fewestRight < 100);

    stats::ClassAtSpeed shown(answer.starts, answer.ticksPerTimer, groups, 5);
    shown.advanceTo(shown.end());
    const stats::ClassCounts first = shown.counts();
    const bool right = first.sum(Scenario::BothWalk).meetings > first.sum(Scenario::DogWalks).meetings;
    const std::optional<stats::ManyClasses> one = stats::playManyClasses(answer, groups, 1, 5, 1);
    QCOMPARE(one->right, right ? 1 : 0);
}

QTEST_GUILESS_MAIN(TestClassAtSpeed)
#include "tst_classatspeed.moc"
