#include "law/simulation.h"
#include "core/walkrun.h"
#include "runtime/randomsource.h"
#include "waiting.h"

#include <QProcess>
#include <QTest>

#include <span>

Q_DECLARE_METATYPE(Point)
Q_DECLARE_METATYPE(Scenario)

class TestSimulation : public QObject
{
    Q_OBJECT

private slots:
    void eachRunCountsAsIfPlayedAlone_data();
    void eachRunCountsAsIfPlayedAlone();
    void runsComeInOrderWhateverTheThreads();
    void aClosedPipeEndsTheTool();
};

// The runs are played several side by side; each must count what it counts
// played alone from its own seed, whatever runs share its loop, in both
// scenarios, near the edges and in a stretch that does not divide evenly.
void TestSimulation::eachRunCountsAsIfPlayedAlone_data()
{
    QTest::addColumn<Scenario>("scenario");
    QTest::addColumn<Point>("momotaro");
    QTest::addColumn<Point>("dog");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("runs");
    QTest::newRow("both walk") << Scenario::BothWalk << Point{4, 4} << Point{6, 4} << 900 << 203;
    QTest::newRow("dog walks") << Scenario::DogWalks << Point{4, 4} << Point{6, 4} << 900 << 203;
    QTest::newRow("corners") << Scenario::BothWalk << Point{0, 0} << Point{10, 10} << 3000 << 21;
    QTest::newRow("side by side") << Scenario::DogWalks << Point{10, 0} << Point{9, 1} << 90 << 4099;
    QTest::newRow("one tick") << Scenario::BothWalk << Point{5, 5} << Point{5, 5} << 1 << 17;
}

void TestSimulation::eachRunCountsAsIfPlayedAlone()
{
    QFETCH(Scenario, scenario);
    QFETCH(Point, momotaro);
    QFETCH(Point, dog);
    QFETCH(int, ticks);
    QFETCH(int, runs);
    constexpr std::uint64_t Seed = 9;
    const WalkState placed = placedWalk(scenario, momotaro, dog);
    std::vector<int> alone;
    for (int run = 0; run < runs; ++run) {
        SplitMixRandom random(stats::runSeed(Seed, scenario, run));
        WalkPoints walk = placed;
        playRun(walk, ticks, [&random] { return directionFromDraw(random.next()); });
        alone.push_back(walk.meetCount);
    }
    std::vector<int> simulated;
    stats::simulate({scenario, {momotaro, dog}, ticks, runs, Seed, 2},
                    [&](std::int64_t, std::span<const std::uint16_t> stretch) {
                        simulated.insert(simulated.end(), stretch.begin(), stretch.end());
                        return true;
                    });
    QCOMPARE(simulated, alone);
}

// The counts handed over as the runs are played: stretch after stretch in
// run order, the same for a seed whatever the threads.
void TestSimulation::runsComeInOrderWhateverTheThreads()
{
    const auto streamed = [](int threads, std::uint64_t seed) {
        std::vector<std::uint16_t> counts;
        stats::simulate({Scenario::BothWalk, {{4, 4}, {6, 4}}, 50, 20'000, seed, threads},
                        [&](std::int64_t first, std::span<const std::uint16_t> stretch) {
                            counts.resize(std::size_t(first));
                            counts.insert(counts.end(), stretch.begin(), stretch.end());
                            return true;
                        });
        return counts;
    };
    const std::vector<std::uint16_t> counts = streamed(1, 42);
    QCOMPARE(counts.size(), 20'000u);
    QVERIFY(counts == streamed(3, 42));
    QVERIFY(counts != streamed(1, 43));
}

// A reader that goes away after the first line (| head -1) ends a hundred
// million runs at once, as a failed write.
void TestSimulation::aClosedPipeEndsTheTool()
{
    // Ended by timeout past the test's deadline, should it ignore the pipe:
    // never left running for the hour a hundred million runs take.
    QProcess shell;
    const QString seconds = QString::number(waitDeadline().count() / 1000 + 5);
    shell.start("sh",
                {"-c", "{ timeout -s KILL \"$1\" \"$0\" --runs 100000000 --csv -; echo \"status $?\" >&2; } | head -1",
                 MEETLING_STATS, seconds});
    QVERIFY(shell.waitForFinished(int(waitDeadline().count())));
    QCOMPARE(shell.readAllStandardOutput(), QByteArray("scenario,run,meetings\n"));
    const QByteArray said = shell.readAllStandardError();
    QVERIFY2(said.startsWith("meetling-stats: cannot write standard output: ") && said.endsWith("\nstatus 1\n"),
             said.constData());
}

QTEST_GUILESS_MAIN(TestSimulation)
#include "tst_simulation.moc"
