#include "law/answer.h"
#include "words/phrases.h"
#include "words/verdictwords.h"
#include "words/wording.h"

#include <QRegularExpression>
#include <QTest>

Q_DECLARE_METATYPE(Scenario)
Q_DECLARE_METATYPE(Point)
Q_DECLARE_METATYPE(stats::Outcome)

class TestStats : public QObject
{
    Q_OBJECT

private slots:
    void verdictHeadlineSaysHowPlainTheAnswerIs_data();
    void verdictHeadlineSaysHowPlainTheAnswerIs();
    void sentencesWrapWithinTheTerminalsColumns_data();
    void sentencesWrapWithinTheTerminalsColumns();
};

void TestStats::verdictHeadlineSaysHowPlainTheAnswerIs_data()
{
    QTest::addColumn<Point>("momotaro");
    QTest::addColumn<Point>("dog");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<stats::Outcome>("outcome");
    // The faster way: in this run when the answer is clear, else in the
    // shortest run that makes it clear, which is this long.
    QTest::addColumn<Scenario>("faster");
    QTest::addColumn<int>("clearIn");
    QTest::newRow("a clear win") << Point{4, 4} << Point{6, 4} << 180.0 << stats::Outcome::Clear << Scenario::BothWalk
                                 << 0;
    QTest::newRow("a clear win though most runs meet nowhere")
        << Point{0, 0} << Point{10, 10} << 10.0 << stats::Outcome::Clear << Scenario::BothWalk << 0;
    QTest::newRow("starting together") << Point{5, 5} << Point{5, 5} << 60.0 << stats::Outcome::Clear
                                       << Scenario::BothWalk << 0;
    QTest::newRow("a near tie") << Point{2, 1} << Point{1, 0} << 10.0 << stats::Outcome::Tie << Scenario::BothWalk
                                << 52;
    // Waiting meets more in the run, wandering meets sooner.
    QTest::newRow("meetings and waits disagree")
        << Point{9, 1} << Point{10, 0} << 10.0 << stats::Outcome::Disagree << Scenario::BothWalk << 64;
    QTest::newRow("a run too short") << Point{4, 4} << Point{5, 5} << 4.0 << stats::Outcome::TooShort
                                     << Scenario::BothWalk << 22;
    // Three ticks of each timer: ten points apart, they cannot meet.
    QTest::newRow("no meeting possible") << Point{0, 0} << Point{10, 10} << 0.6 << stats::Outcome::NoMeeting
                                         << Scenario::BothWalk << 8;
}

void TestStats::verdictHeadlineSaysHowPlainTheAnswerIs()
{
    QFETCH(Point, momotaro);
    QFETCH(Point, dog);
    QFETCH(double, seconds);
    QFETCH(stats::Outcome, outcome);
    QFETCH(Scenario, faster);
    QFETCH(int, clearIn);
    const stats::Starts starts{momotaro, dog};
    const stats::Answer answer =
        stats::answerOf(starts, seconds, stats::sweepBoth(starts, rules::ticksPerTimer(seconds), false));
    const stats::Verdict &verdict = answer.verdict;
    const QString headline = stats::headline(answer);
    const QString detail = stats::detail(answer);
    QCOMPARE(verdict.outcome, outcome);
    // Starting together is said not to count, and only then.
    QCOMPARE(detail.contains(QStringLiteral("same point")), momotaro == dog);

    if (outcome == stats::Outcome::Clear) {
        QCOMPARE(verdict.faster, faster);
        QVERIFY2(headline.startsWith(stats::doing(faster), Qt::CaseInsensitive), qPrintable(headline));
        QVERIFY(!answer.clearRun);
        // How often one run of each puts the slower way ahead.
        const stats::OneRunEach &one = answer.runsEach.byRuns.front();
        const double slowerAhead = faster == Scenario::BothWalk ? one.oneMore : one.bothMore;
        QVERIFY2(detail.contains(stats::percent(slowerAhead)), qPrintable(detail));
        return;
    }
    QCOMPARE(verdict.faster, std::nullopt);
    // The headline names the shortest run that settles it.
    QVERIFY(answer.clearRun);
    QCOMPARE(answer.clearRun->faster, faster);
    QCOMPARE(answer.clearRun->seconds, clearIn);
    const QStringList numbers = headline.split(QRegularExpression(QStringLiteral("[^0-9.]+")));
    QVERIFY2(numbers.contains(QString::number(clearIn)), qPrintable(headline));
}

// A terminal shows Japanese characters two columns wide; Japanese has no
// spaces and breaks between its phrases, never inside a word, before "、"
// or "。", nor between a number and its unit.
void TestStats::sentencesWrapWithinTheTerminalsColumns_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("English, at spaces") << "Add up the meetings of 4 runs of each, and both wandering comes out ahead"
                                        << 24
                                        << QStringList{"  Add up the meetings of", "  4 runs of each, and",
                                                       "  both wandering comes", "  out ahead"};
    QTest::newRow("Japanese, a comma kept off a line's start")
        << "ふたりとも歩き回るほうが、桃太郎が待つほうより多く出会います。" << 26
        << QStringList{"  ふたりとも", "  歩き回るほうが、桃太郎が", "  待つほうより多く", "  出会います。"};
    QTest::newRow("Japanese, words of kana kept whole")
        << "それぞれ1回ずつ実験すると、なし（「桃太郎が待つ」がおそいため）" << 14
        << QStringList{"  それぞれ", "  1回ずつ",      "  実験すると、",
                       "  なし",     "  （「桃太郎が", "  待つ」がおそいため）"};
    QTest::newRow("Japanese, a number kept with its unit")
        << "ふたりの平均は19.5回です。" << 21 << QStringList{"  ふたりの平均は", "  19.5回です。"};
}

void TestStats::sentencesWrapWithinTheTerminalsColumns()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QStringList, lines);
    QCOMPARE(stats::wrappedLines(text, width, QStringLiteral("  ")), lines);
}

QTEST_GUILESS_MAIN(TestStats)
#include "tst_stats.moc"
