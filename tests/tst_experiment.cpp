#include "errorguard.h"
#include "experiment.h"
#include "fakes.h"

#include <QTest>

namespace {

struct Setup
{
    FakeClock clock;
    ScriptedRandom random;
    ScriptedDialogs dialogs;
    RecordedEnd end;
    RecordingBoard board;
    Experiment experiment{board, {clock, random, dialogs, end}};

    Setup() { experiment.load(); }

    const WalkState &state() const { return experiment.state(); }
    QList<int> starts() const { return {state().momoStartX, state().momoStartY, state().dogStartX, state().dogStartY}; }
    QList<int> positions() const { return {state().momoX, state().momoY, state().dogX, state().dogY}; }

    void setUp(const QStringList &answers, Scenario scenario = Scenario::BothWalk)
    {
        dialogs.answers = answers;
        board.log.clear();
        experiment.setUp(scenario);
    }
};

} // namespace

class TestExperiment : public QObject
{
    Q_OBJECT

private slots:
    void setUpAsksFourPromptsAndArmsStart();
    void setUpReadsEachAnswer_data();
    void setUpReadsEachAnswer();
    void refusedAnswerKeepsEarlierAnswersOnly_data();
    void refusedAnswerKeepsEarlierAnswersOnly();
    void startReadsTheClockBeforeItsChime();
    void stopWhileAMeetingIsPendingKeepsTheMode();
};

void TestExperiment::setUpAsksFourPromptsAndArmsStart()
{
    Setup s;
    s.setUp({"4", "4", "6", "4"}, Scenario::DogWalks);
    const QString momotaro = QStringLiteral("Setting the initial position of Momotaro|Enter the %1-coordinate of the "
                                            "initial position of Momotaro as a natural number between 0 and 10.|4");
    const QString dog = QStringLiteral("Setting the initial position of Dog|Enter the %1-coordinate of the initial "
                                       "position of Dog as a natural number between 0 and 10.|%2");
    QCOMPARE(s.dialogs.prompts, QStringList({momotaro.arg("x"), momotaro.arg("y"), dog.arg("x", "6"), dog.arg("y", "4")}));
    QCOMPARE(s.board.log,
             QStringList({"cue pinpon.wav", "readout 3 Number of meetlings = 0", "visible Dog 1", "visible Momotaro 1",
                          "place Dog 6,4", "place Momotaro 4,4", "readout 1 Dog: x= 6  y= 4",
                          "readout 2 Momotaro: x= 4  y= 4", "button 2 0", "button 3 0", "button 4 0", "button 5 1",
                          "button 6 0", "readout 4 "}));
    QCOMPARE(s.state().runMode, RunMode::DogWalks);
    QVERIFY(!s.board.timers[0] && !s.board.timers[1]);
}

void TestExperiment::setUpReadsEachAnswer_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("stored"); // -1: refused
    const QList<std::pair<QString, int>> rows{
        {"7", 7}, {"1 0", 10}, {"3abc", 3}, {"2.5", 2}, {"3.5", 4}, {"9.5", 10}, {"0.4", 0}, {"abc", 0},
        {"0", 0}, {"10", 10}, {"&HA", 10}, {"1e1", 10}, {QStringLiteral("五"), 0}, {"10.5", -1}, {"-0.5", -1},
        {"-1", -1}, {"10.2", -1}, {"1e400", -1}, {"&HFFFF", -1}, {"", -1}, {QString(10000, u'9'), -1},
        {QString(10000, u' ') + u'8', 8}};
    for (const auto &[answer, stored] : rows)
        QTest::newRow(qPrintable(answer.left(12))) << answer << stored;
}

void TestExperiment::setUpReadsEachAnswer()
{
    QFETCH(QString, answer);
    QFETCH(int, stored);
    for (int prompt = 0; prompt < 4; ++prompt) {
        Setup s;
        QStringList answers{"1", "2", "3", "4"};
        answers[prompt] = answer;
        s.setUp(answers);
        QCOMPARE(s.state().answerText, stored < 0 ? answer : answers.last());
        if (stored < 0) {
            QCOMPARE(s.state().runMode, RunMode::Idle);
            QCOMPARE(s.board.log.last(), QStringLiteral("button 6 1"));
        } else {
            QList<int> expected{1, 2, 3, 4};
            expected[prompt] = stored;
            QCOMPARE(s.starts(), expected);
            QCOMPARE(s.positions(), expected);
            QCOMPARE(s.state().runMode, RunMode::BothWalk);
        }
    }
}

void TestExperiment::refusedAnswerKeepsEarlierAnswersOnly_data()
{
    QTest::addColumn<int>("prompt");
    QTest::addColumn<QString>("answer");
    for (int prompt = 1; prompt <= 4; ++prompt) {
        for (const char *answer : {"", "-1", "11"})
            QTest::addRow("prompt %d, \"%s\"", prompt, answer) << prompt << QString::fromLatin1(answer);
    }
}

void TestExperiment::refusedAnswerKeepsEarlierAnswersOnly()
{
    QFETCH(int, prompt);
    QFETCH(QString, answer);
    Setup s;
    s.setUp({"1", "2", "3", "4"});
    s.experiment.state().meetCount = 7;
    s.experiment.state().runMode = RunMode::BothMet;
    s.experiment.state().dogX = 9;

    QStringList answers = QStringList{"5", "6", "7", "8"}.mid(0, prompt - 1);
    answers.append(answer);
    s.setUp(answers, Scenario::DogWalks);

    QList<int> expected{1, 2, 3, 4};
    for (int i = 0; i < prompt - 1; ++i)
        expected[i] = 5 + i;
    QCOMPARE(s.starts(), expected);
    QCOMPARE(s.dialogs.prompts.size(), 4 + prompt);
    QCOMPARE(s.state().answerText, answer);
    QCOMPARE(s.positions(), QList<int>({1, 2, 9, 4}));
    QCOMPARE(s.state().runMode, RunMode::BothMet);
    QCOMPARE(int(s.state().meetCount), 7);
    // The chime sounded; enabling Problem is the only other visible effect.
    QCOMPARE(s.board.log, QStringList({"cue pinpon.wav", "button 6 1"}));
}

void TestExperiment::startReadsTheClockBeforeItsChime()
{
    Setup s;
    s.setUp({"4", "4", "6", "4"});
    s.clock.now = 5000.5f;
    s.board.log.clear();
    s.experiment.start();
    QCOMPARE(s.state().startTime, 5000.5f);
    QCOMPARE(s.board.log, QStringList({"cue pinpon.wav", "timer Dog 1", "timer Momotaro 1", "button 4 1", "button 5 0"}));
    QCOMPARE(s.positions(), QList<int>({4, 4, 6, 4}));
}

void TestExperiment::stopWhileAMeetingIsPendingKeepsTheMode()
{
    Setup s;
    s.setUp({"4", "4", "5", "4"});
    s.experiment.start();
    s.random.queueDirections({5});
    QCOMPARE(s.experiment.tick(Walker::Dog).action, TickOutcome::Action::Met);
    s.board.log.clear();
    s.experiment.stop();
    QCOMPARE(s.state().runMode, RunMode::BothMet);
    QCOMPARE(s.board.log, QStringList({"cue pinpon.wav", "button 2 1", "button 3 1", "button 4 0", "button 6 1",
                                       "timer Dog 0", "timer Momotaro 0"}));
    // The next set-up overwrites it.
    s.setUp({"4", "4", "6", "4"});
    QCOMPARE(s.state().runMode, RunMode::BothWalk);
    QCOMPARE(int(s.state().meetCount), 0);
}

QTEST_GUILESS_MAIN(TestExperiment)
#include "tst_experiment.moc"
