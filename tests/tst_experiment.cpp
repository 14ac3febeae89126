#include "runtime/errorguard.h"
#include "core/experiment.h"
#include "fakes.h"

#include <QTest>

namespace {

struct Setup
{
    EventLog events;
    FakeClock clock{events};
    ScriptedRandom random;
    ScriptedDialogs dialogs{events};
    RecordedEnd end{events};
    RecordingBoard board{events};
    ErrorGuard guard{dialogs, end};
    Experiment experiment{board, {clock, random, dialogs, end, guard, {}}};

    Setup() { experiment.load(); }

    const WalkState &state() const { return experiment.state(); }
    QList<int> starts() const { return {state().momoStartX, state().momoStartY, state().dogStartX, state().dogStartY}; }
    QList<int> positions() const { return {state().momoX, state().momoY, state().dogX, state().dogY}; }

    void setUp(const QStringList &answers, Scenario scenario = Scenario::BothWalk)
    {
        dialogs.answers = answers;
        events.lines.clear();
        experiment.setUp(scenario);
    }
};

} // namespace

class TestExperiment : public QObject
{
    Q_OBJECT

private slots:
    void setUpChimesThenAsksFourPrompts();
    void setUpReadsEachAnswer_data();
    void setUpReadsEachAnswer();
    void startReadsTheClockBeforeItsChimeAndStopKeepsAMeeting();
};

void TestExperiment::setUpChimesThenAsksFourPrompts()
{
    Setup s;
    s.setUp({"4", "4", "6", "4"}, Scenario::DogWalks);
    const QString momotaro =
        QStringLiteral("prompt Setting the initial position of Momotaro|Enter the %1-coordinate of "
                       "the initial position of Momotaro as a natural number between 0 and 10.|4");
    const QString dog = QStringLiteral("prompt Setting the initial position of Dog|Enter the %1-coordinate of the "
                                       "initial position of Dog as a natural number between 0 and 10.|%2");
    QCOMPARE(s.events.only({"cue", "prompt"}), QStringList({"cue pinpon.wav", momotaro.arg("x"), momotaro.arg("y"),
                                                            dog.arg("x", "6"), dog.arg("y", "4")}));
    QCOMPARE(s.board.readouts[int(Readout::Meetings)], QStringLiteral("Number of meetlings = 0"));
}

void TestExperiment::setUpReadsEachAnswer_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("stored"); // -1: refused
    QTest::addColumn<int>("prompt");
    // How an answer is read as a number is the conversions' business; here,
    // what the set-up accepts and how it rounds, each at one of the prompts:
    // the board's edges, either side of them, and what overflows.
    const QList<std::pair<QString, int>> rows{{"7", 7},   {"3.5", 4},    {"9.5", 10},   {"0.4", 0},
                                              {"10", 10}, {"10.5", -1},  {"-0.5", -1},  {"-1", -1},
                                              {"", -1},   {"1e400", -1}, {"&HFFFF", -1}};
    for (qsizetype i = 0; i < rows.size(); ++i)
        QTest::newRow(qPrintable(rows[i].first.left(12))) << rows[i].first << rows[i].second << int(i % 4);
}

void TestExperiment::setUpReadsEachAnswer()
{
    QFETCH(QString, answer);
    QFETCH(int, stored);
    QFETCH(int, prompt);
    // Over a run that has just met: Dog stepped onto Momotaro's point.
    Setup s;
    s.setUp({"4", "4", "5", "4"});
    s.experiment.start();
    s.random.queueDirections({5});
    QCOMPARE(s.experiment.tick(Walker::Dog).action, TickOutcome::Action::Met);

    QStringList answers{"1", "2", "3", "4"};
    answers[prompt] = answer;
    s.setUp(answers, Scenario::DogWalks);
    QList<int> expected{1, 2, 3, 4};
    if (stored < 0) {
        // Refused: the answers before it are kept; the run, its walkers and its
        // meeting stay as they were. The chime sounded; enabling Problem is the
        // only other visible effect.
        expected = expected.mid(0, prompt) + QList<int>{4, 4, 5, 4}.mid(prompt);
        QCOMPARE(s.starts(), expected);
        QCOMPARE(s.state().answerText, answer);
        QCOMPARE(s.events.only({"prompt"}).size(), prompt + 1);
        QCOMPARE(s.positions(), QList<int>({4, 4, 4, 4}));
        QCOMPARE(s.state().runMode, RunMode::BothMet);
        QCOMPARE(int(s.state().meetCount), 1);
        QCOMPARE(s.events.only({"cue", "button", "place", "readout", "visible"}),
                 QStringList({"cue pinpon.wav", "button 6 1"}));
    } else {
        expected[prompt] = stored;
        QCOMPARE(s.starts(), expected);
        QCOMPARE(s.positions(), expected);
        QCOMPARE(s.state().runMode, RunMode::DogWalks);
        QCOMPARE(int(s.state().meetCount), 0);
    }
}

void TestExperiment::startReadsTheClockBeforeItsChimeAndStopKeepsAMeeting()
{
    Setup s;
    s.setUp({"4", "4", "5", "4"});
    s.clock.now = 5000.5;
    s.events.lines.clear();
    s.experiment.start();
    QCOMPARE(s.state().startTime, 5000.5f);
    // The chime's time counts toward the run; Dog's timer runs first.
    QCOMPARE(s.events.only({"clock", "cue", "timer"}),
             QStringList({"clock 5000.500000", "cue pinpon.wav", "timer Dog 1", "timer Momotaro 1"}));

    // Stopped while a meeting is pending, the run keeps it for the next Start.
    s.random.queueDirections({5});
    QCOMPARE(s.experiment.tick(Walker::Dog).action, TickOutcome::Action::Met);
    s.events.lines.clear();
    s.experiment.stop();
    QCOMPARE(s.state().runMode, RunMode::BothMet);
    QCOMPARE(s.events.only({"cue", "timer"}), QStringList({"cue pinpon.wav", "timer Dog 0", "timer Momotaro 0"}));
}

QTEST_GUILESS_MAIN(TestExperiment)
#include "tst_experiment.moc"
