#include "law/simulation.h"
#include "waiting.h"

#include <QProcess>
#include <QTest>

#include <span>

class TestSimulation : public QObject
{
    Q_OBJECT

private slots:
    void runsComeInOrderWhateverTheThreads();
    void aClosedPipeEndsTheTool();
};

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
