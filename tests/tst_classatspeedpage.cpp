// A class at speed on its own, against a faked clock: the groups done as the
// ticks pass, in turn or all together; Reset; how long the class takes at a
// speed, paused or not; and the many classes, played on a thread of their own.

#include "answerwindowfixture.h"
#include "fakes.h"
#include "answer/classatspeedpage.h"
#include "answer/manyclassesrunner.h"
#include "waiting.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

#include <chrono>
#include <optional>

namespace {

const int WaitMs = int(waitDeadline().count());
constexpr double TickSeconds = std::chrono::duration<double>(rules::TickInterval).count();

// The threads of this process that play many classes, by the name the
// system has for them (another thread may come or go meanwhile).
qsizetype manyClassesThreads()
{
    const QDir tasks(QStringLiteral("/proc/self/task"));
    qsizetype found = 0;
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile name(tasks.filePath(task + QStringLiteral("/comm")));
        found += name.open(QIODevice::ReadOnly) && name.readAll().trimmed() == "many classes";
    }
    return found;
}

} // namespace

class TestClassAtSpeedPage : public QObject
{
    Q_OBJECT

    // Runs of 10 s (50 ticks) from the prompts' starts; 6 groups, seed 321.
    SharedAnswer m_answer;
    EventLog m_log;
    FakeClock m_clock{m_log};
    std::optional<ClassAtSpeedPage> m_page;

    template<class Part> Part &part(const char *name) { return partOf<Part>(*m_page, QString::fromLatin1(name)); }
    void click(const char *name) { part<QAbstractButton>(name).click(); }
    QString state() { return part<QLabel>("state").text(); }
    void makePage()
    {
        m_page.emplace(nullptr, &m_clock);
        m_page->setAnswer(m_answer);
        part<QSpinBox>("groups").setValue(6);
        part<QSpinBox>("seed").setValue(321);
    }
    // The counts the page puts in "Our class", the groups done alone.
    stats::ClassCounts offered()
    {
        QSignalSpy spy(&*m_page, &ClassAtSpeedPage::countsOffered);
        click("offer");
        return spy.isEmpty() ? stats::ClassCounts{} : spy.front().front().value<stats::ClassCounts>();
    }

private slots:
    void initTestCase()
    {
        m_answer = std::make_shared<const stats::Answer>(libraryAnswer({4, 4}, {6, 4}, 10));
        m_clock.step = 0;
    }
    void init() { makePage(); }
    void cleanup() { m_page.reset(); }

    // Each group's runs take 50 ticks. In turn, group g of 6 starts at tick
    // g * 50 / 12 (0, 4, .. 20); together, every group at tick 0. Reset
    // starts the same class again: no group done, then the same runs.
    void groupsDoneFollowTheTicks_data()
    {
        QTest::addColumn<bool>("together");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("done");
        QTest::newRow("in turn, a tick short of the first") << false << 49 << 0;
        QTest::newRow("in turn, the first") << false << 50 << 1;
        QTest::newRow("in turn, a tick short of the last") << false << 69 << 5;
        QTest::newRow("in turn, the last") << false << 70 << 6;
        QTest::newRow("together, all at once") << true << 50 << 6;
    }
    void groupsDoneFollowTheTicks()
    {
        QFETCH(bool, together);
        QFETCH(int, ticks);
        QFETCH(int, done);
        part<QCheckBox>("together").setChecked(together);
        std::optional<stats::ClassCounts> first;
        for (bool again : {false, true}) {
            for (int tick = 0; tick < ticks; ++tick)
                click("step");
            QVERIFY2(state().startsWith(QStringLiteral("%1 of 6 groups done").arg(done)), qPrintable(state()));
            QCOMPARE(part<QAbstractButton>("offer").isEnabled(), done > 0);
            QCOMPARE(part<QAbstractButton>("step").isEnabled(), done < 6);
            const stats::ClassCounts counts = offered();
            QCOMPARE(int(counts.groups.size()), done);
            for (Scenario scenario : stats::Scenarios)
                QVERIFY(!again || counts.runs(scenario) == first->runs(scenario));
            first = counts;
            click("reset");
            QVERIFY2(state().startsWith(QStringLiteral("0 of 6")), qPrintable(state()));
        }
    }

    // The page says how long the class takes at the speed chosen; played
    // against the clock, its last group is done then, and not a frame
    // before. A pause holds the class where it is for as long as it lasts.
    void classTakesTheTimeItSays_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<bool>("together");
        QTest::addColumn<double>("pause");
        QTest::newRow("10 times, in turn") << 10 << false << 0.0;
        QTest::newRow("10 times, together") << 10 << true << 0.0;
        QTest::newRow("20 times, paused an hour half way") << 20 << false << 3600.0;
    }
    void classTakesTheTimeItSays()
    {
        QFETCH(int, speed);
        QFETCH(bool, together);
        QFETCH(double, pause);
        m_clock.now = 0;
        part<QCheckBox>("together").setChecked(together);
        auto &speeds = part<QComboBox>("speed");
        speeds.setCurrentIndex(speeds.findData(speed));
        const QString said = part<QLabel>("timing").text();
        const QRegularExpressionMatch takes = QRegularExpression(QStringLiteral("takes ([0-9.]+) s")).match(said);
        QVERIFY2(takes.hasMatch(), qPrintable(said));
        const double seconds = takes.captured(1).toDouble();
        QSignalSpy playing(&*m_page, &ClassAtSpeedPage::playingChanged);
        click("play");
        // Each frame reads the clock once.
        auto frameAt = [&](double now) {
            m_clock.now = now;
            const qsizetype reads = m_log.lines.size();
            QTRY_VERIFY_WITH_TIMEOUT(m_log.lines.size() > reads, WaitMs);
        };
        // Paused a tenth of a tick into a tick: that tenth is played again.
        const double tick = TickSeconds / speed;
        const double lost = pause > 0 ? tick / 10 : 0;
        if (pause > 0) {
            frameAt(seconds / 2 + lost);
            click("play");
            m_clock.now += pause;
            click("play");
        }
        const double end = pause + seconds + lost;
        frameAt(end - tick / 2);
        QVERIFY2(!state().startsWith(QStringLiteral("6 of 6")), qPrintable(state()));
        frameAt(end + 1e-9);
        QVERIFY2(state().startsWith(QStringLiteral("6 of 6")), qPrintable(state()));
        // Done, the class stops by itself.
        QCOMPARE(playing.last().front().toBool(), false);
        QCOMPARE(playing.count(), pause > 0 ? 4 : 2);
    }

    // The many classes are played for the class as it is when they arrive: a
    // class started again stops what was playing, whose result never comes;
    // the page gone, no thread of theirs is left.
    void manyClassesArriveForTheLatestClass()
    {
        QSignalSpy played(m_page->findChild<ManyClassesRunner *>(), &ManyClassesRunner::played);
        const QLabel &many = part<QLabel>("manyClasses");
        click("many");
        QVERIFY(!part<QAbstractButton>("many").isEnabled());
        part<QSpinBox>("groups").setValue(5);
        QVERIFY(many.isHidden() && part<QAbstractButton>("many").isEnabled());
        click("many");
        QTRY_VERIFY_WITH_TIMEOUT(many.text().startsWith(QStringLiteral("In ")), WaitMs);
        QVERIFY2(many.text().contains(QStringLiteral("of 5 groups")), qPrintable(many.text()));
        QVERIFY(part<QAbstractButton>("many").isEnabled());
        QCOMPARE(played.count(), 1);
        QCOMPARE(manyClassesThreads(), 1);
        m_page.reset();
        // A thread waited for may take a moment more to leave the system's list.
        QTRY_COMPARE_WITH_TIMEOUT(manyClassesThreads(), 0, WaitMs);
    }
};

QTEST_MAIN(TestClassAtSpeedPage)
#include "tst_classatspeedpage.moc"
