// The answer engine with no window: whatever it emits is the answer to the
// question asked last, however the questions come, and it stops cleanly.

#include "answer/answerengine.h"
#include "law/answer.h"
#include "waiting.h"

#include <QtTest>

Q_DECLARE_METATYPE(Point)
Q_DECLARE_METATYPE(AnswerEngine::Hold)

namespace {

const int WaitMs = int(waitDeadline().count());

Question question(Point momotaro, Point dog, int seconds = 60)
{
    return {{momotaro, dog}, seconds};
}

// Asks an engine and checks, as each answer and map arrives, that it belongs
// to the question asked last.
class Asker
{
public:
    explicit Asker(AnswerEngine &engine) : m_engine(engine)
    {
        QObject::connect(&engine, &AnswerEngine::answered, &engine, [this](const SharedAnswer &a) {
            const stats::Answer &o = *a;
            if (!(o.starts.momotaro == m_asked.starts.momotaro && o.starts.dog == m_asked.starts.dog &&
                  o.seconds == m_asked.seconds))
                m_wrong << QStringLiteral("an answer for Momotaro (%1, %2), Dog (%3, %4)")
                               .arg(int(o.starts.momotaro.x))
                               .arg(int(o.starts.momotaro.y))
                               .arg(int(o.starts.dog.x))
                               .arg(int(o.starts.dog.y));
            m_answer = a;
            checkMap();
        });
        QObject::connect(&engine, &AnswerEngine::pending, &engine, [this] { m_answer.reset(); });
        QObject::connect(&engine, &AnswerEngine::mapped, &engine, [this](const SharedMap &map) {
            m_map = map;
            checkMap();
        });
    }

    void ask(const Question &q)
    {
        m_asked = q;
        m_answer.reset();
        m_engine.ask(q);
    }
    bool answered() const { return m_answer != nullptr; }
    // Asks q and says whether its answer was there at once.
    bool answersAtOnce(const Question &q)
    {
        ask(q);
        return answered();
    }
    bool mapped() const { return m_map != nullptr; }
    const QStringList &wrong() const { return m_wrong; }

private:
    // The map's value at the asked start is that answer's own figure.
    void checkMap()
    {
        if (!m_map || !m_answer)
            return;
        const std::size_t at = std::size_t(stats::pointIndex(m_asked.starts.momotaro));
        for (Scenario s : stats::Scenarios) {
            if (std::abs((*m_map)[s][at] - m_answer->exact[s].expectedMeetings) > 1e-12)
                m_wrong << QStringLiteral("a map for another Dog");
        }
    }

    AnswerEngine &m_engine;
    Question m_asked;
    SharedAnswer m_answer;
    SharedMap m_map;
    QStringList m_wrong;
};

} // namespace

class TestAnswerEngine : public QObject
{
    Q_OBJECT

private slots:
    // Dog one step and straight back, then Momotaro one step: the engine
    // forgot what it knew of that Dog when Dog left, and must work it out
    // again rather than leave the new start unanswered.
    void dogThereAndBackThenMomotaro()
    {
        AnswerEngine engine;
        Asker asker(engine);
        asker.ask(question({4, 4}, {6, 4}));
        QTRY_VERIFY_WITH_TIMEOUT(asker.answered() && asker.mapped(), WaitMs);
        // Every start of this Dog handed over: asking any is answered at once.
        QTRY_VERIFY_WITH_TIMEOUT(asker.answersAtOnce(question({10, 10}, {6, 4})), WaitMs);
        for (const Point dog : {Point{7, 4}, Point{6, 4}})
            asker.ask(question({10, 10}, dog));
        asker.ask(question({5, 4}, {6, 4}));
        QTRY_VERIFY_WITH_TIMEOUT(asker.answered() && asker.mapped(), WaitMs);
        QVERIFY2(asker.wrong().isEmpty(), qPrintable(asker.wrong().join(u'\n')));
    }

    // Dog moved while the answers for its last start are still on their way:
    // none of them is taken for an answer about the new start.
    void answersForADogLeftAreDropped()
    {
        AnswerEngine engine;
        Asker asker(engine);
        // Long runs: each start's answer takes a while, so that one is
        // always being worked out when Dog moves, and comes late.
        asker.ask(question({4, 4}, {6, 4}, 300));
        QTRY_VERIFY_WITH_TIMEOUT(asker.answered() && asker.mapped(), WaitMs);
        asker.ask(question({4, 4}, {6, 5}, 300));
        // The late one is among the starts nearest Momotaro's.
        for (int x = 2; x <= 6; ++x) {
            for (int y = 2; y <= 6; ++y) {
                asker.ask(question({x, y}, {6, 5}, 300));
                QTRY_VERIFY_WITH_TIMEOUT(asker.answered(), WaitMs);
            }
        }
        QVERIFY2(asker.wrong().isEmpty(), qPrintable(asker.wrong().join(u'\n')));
    }

    // Held, the engine answers each question asked and works out nothing
    // else, until nothing holds it: then the map and every other start.
    void workAheadWaitsWhileHeld_data()
    {
        using Hold = AnswerEngine::Hold;
        QTest::addColumn<QList<Hold>>("holds");
        QTest::addColumn<QList<Hold>>("letGo");
        QTest::newRow("a class playing") << QList<Hold>{Hold::ClassPlaying} << QList<Hold>{Hold::ClassPlaying};
        QTest::newRow("hidden while a class plays, shown, then paused")
            << QList<Hold>{Hold::ClassPlaying, Hold::OutOfSight} << QList<Hold>{Hold::OutOfSight, Hold::ClassPlaying};
    }

    void workAheadWaitsWhileHeld()
    {
        QFETCH(QList<AnswerEngine::Hold>, holds);
        QFETCH(QList<AnswerEngine::Hold>, letGo);
        AnswerEngine engine;
        Asker asker(engine);
        QStringList said;
        connect(&engine, &AnswerEngine::answered, &engine, [&] { said << QStringLiteral("answered"); });
        connect(&engine, &AnswerEngine::resting, &engine, [&] { said << QStringLiteral("resting"); });
        for (AnswerEngine::Hold why : holds)
            engine.hold(why, true);
        // Each start asked is answered, and the worker rests after it: the
        // next start is not known before it is asked.
        int x = 0;
        for (AnswerEngine::Hold why : letGo) {
            said.clear();
            asker.ask(question({x, 4}, {6, 4}));
            QTRY_VERIFY_WITH_TIMEOUT(
                said.endsWith(QStringLiteral("resting")) && said.contains(QStringLiteral("answered")), WaitMs);
            QVERIFY(!asker.mapped());
            asker.ask(question({x + 1, 4}, {6, 4}));
            QVERIFY(!asker.answered());
            x += 2;
            engine.hold(why, false);
        }
        QTRY_VERIFY_WITH_TIMEOUT(asker.mapped(), WaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(asker.answersAtOnce(question({10, 10}, {6, 4})), WaitMs);
        QVERIFY2(asker.wrong().isEmpty(), qPrintable(asker.wrong().join(u'\n')));
    }

    // The engine goes away in the middle of the longest sweep, with answers
    // on their way to it: nothing of it is left running or called.
    void destroyedMidSweep()
    {
        for (int wait : {0, 2, 30}) {
            std::optional<AnswerEngine> engine(std::in_place);
            Asker asker(*engine);
            asker.ask(question({0, 0}, {10, 10}, 10));
            QTRY_VERIFY_WITH_TIMEOUT(asker.answered(), WaitMs);
            asker.ask(question({0, 0}, {10, 9}, int(stats::MaxSeconds)));
            // When, in the sweep, the engine goes: the moment varied, not a wait.
            QTest::qWait(wait);
            engine.reset();
            QCoreApplication::processEvents();
        }
    }
};

QTEST_GUILESS_MAIN(TestAnswerEngine)
#include "tst_answerengine.moc"
