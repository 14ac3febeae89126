#include "answer/answerengine.h"

#include "answer/answerlog.h"
#include "law/answer.h"

#include <optional>

// The engine's thread: one object, driven by queued calls of work().
class AnswerWorker final : public QObject
{
public:
    explicit AnswerWorker(AnswerEngine &engine) : m_engine(engine) {}

    // Answers the latest question, then every other start of the same Dog,
    // looking again at the latest question before each start.
    void work();

private:
    struct Asked
    {
        Question question;
        quint64 generation = 0;
    };
    Asked latest()
    {
        QMutexLocker lock(&m_engine.m_asked);
        return {m_engine.m_latest, m_engine.m_latestGeneration};
    }
    bool sweep(const AnswerEngine::Key &key);
    void rest()
    {
        QMetaObject::invokeMethod(
            &m_engine, [engine = &m_engine] { emit engine->resting(); }, Qt::QueuedConnection);
    }
    SharedAnswer answerFor(const Question &question) const;
    std::optional<int> nextUnanswered(Point from) const;

    AnswerEngine &m_engine;
    std::optional<AnswerEngine::Key> m_key;
    stats::PerScenario<stats::ExactForDog> m_sweeps;
    // What has been handed over in m_workingFor.
    quint64 m_workingFor = 0;
    std::array<bool, stats::BoardPoints> m_answered{};
    bool m_mapHanded = false;
    // The map being filled in, and how many of its points are done.
    std::shared_ptr<stats::MeetingMap> m_map;
    int m_mapped = 0;
};

bool AnswerWorker::sweep(const AnswerEngine::Key &key)
{
    // Superseded when the latest question has another Dog or run length.
    const auto stop = [&] { return m_engine.m_quitting || !(AnswerEngine::keyOf(latest().question) == key); };
    m_key.reset();
    for (Scenario scenario : stats::Scenarios) {
        m_sweeps[scenario] = stats::ExactForDog(scenario, key.dog, key.ticksPerTimer, stop);
        if (!m_sweeps[scenario].complete())
            return false;
    }
    m_key = key;
    m_map = std::make_shared<stats::MeetingMap>();
    m_mapped = 0;
    return true;
}

SharedAnswer AnswerWorker::answerFor(const Question &question) const
{
    return std::make_shared<const stats::Answer>(stats::answerOf(question.starts, question.seconds, m_sweeps));
}

std::optional<int> AnswerWorker::nextUnanswered(Point from) const
{
    std::optional<int> nearest;
    int nearestDistance = 0;
    for (int index = 0; index < stats::BoardPoints; ++index) {
        if (m_answered[std::size_t(index)])
            continue;
        const Point p = stats::pointAt(index);
        const int distance = std::max(std::abs(int(p.x) - int(from.x)), std::abs(int(p.y) - int(from.y)));
        if (!nearest || distance < nearestDistance) {
            nearest = index;
            nearestDistance = distance;
        }
    }
    return nearest;
}

void AnswerWorker::work()
{
    while (!m_engine.m_quitting) {
        const auto [question, generation] = latest();
        const AnswerEngine::Key key = AnswerEngine::keyOf(question);
        if (!(m_key == key) && !sweep(key))
            continue;
        if (generation != m_workingFor) {
            m_workingFor = generation;
            m_answered.fill(false);
            m_mapHanded = false;
        }
        const int asked = stats::pointIndex(question.starts.momotaro);
        if (m_answered[std::size_t(asked)] && !m_mapHanded && !m_engine.m_aheadHeld) {
            // The map a point at a time, so that a newly asked start waits
            // for one point's work at most.
            if (m_mapped < stats::BoardPoints) {
                for (Scenario scenario : stats::Scenarios)
                    (*m_map)[scenario][std::size_t(m_mapped)] =
                        m_sweeps[scenario].expectedMeetings(stats::pointAt(m_mapped));
                ++m_mapped;
            }
            if (m_mapped == stats::BoardPoints) {
                m_mapHanded = true;
                SharedMap map = m_map;
                QMetaObject::invokeMethod(
                    &m_engine,
                    [engine = &m_engine, generation, question, map] {
                        engine->take(generation, question, nullptr, map);
                    },
                    Qt::QueuedConnection);
            }
            continue;
        }
        Question next = question;
        if (m_answered[std::size_t(asked)]) {
            const std::optional<int> other =
                m_engine.m_aheadHeld ? std::nullopt : nextUnanswered(question.starts.momotaro);
            if (!other) {
                rest();
                return;
            }
            next.starts.momotaro = stats::pointAt(*other);
        }
        const SharedAnswer answer = answerFor(next);
        m_answered[std::size_t(stats::pointIndex(next.starts.momotaro))] = true;
        QMetaObject::invokeMethod(
            &m_engine,
            [engine = &m_engine, generation, next, answer] { engine->take(generation, next, answer, nullptr); },
            Qt::QueuedConnection);
    }
}

AnswerEngine::AnswerEngine(QObject *parent) : QObject(parent)
{
    m_thread.setObjectName(QStringLiteral("answer"));
    m_worker = new AnswerWorker(*this);
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start(QThread::LowPriority);
}

AnswerEngine::~AnswerEngine()
{
    m_quitting = true;
    m_thread.quit();
    m_thread.wait();
}

void AnswerEngine::ask(const Question &question)
{
    m_question = question;
    const Key key = keyOf(question);
    const bool newKey = !(key == m_known);
    if (newKey) {
        m_known = key;
        ++m_generation;
        m_answers.clear();
        m_map.reset();
    }
    {
        QMutexLocker lock(&m_asked);
        m_latest = question;
        m_latestGeneration = m_generation;
    }
    // Asked even when the answer is known: the worker then goes on with the
    // starts nearest the new one.
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker] { worker->work(); }, Qt::QueuedConnection);
    if (newKey)
        emit mapped(nullptr);
    const auto known = m_answers.constFind(stats::pointIndex(question.starts.momotaro));
    if (known != m_answers.constEnd())
        emit answered(*known);
    else
        emit pending();
}

void AnswerEngine::hold(Hold why, bool held)
{
    const unsigned bit = 1u << unsigned(why);
    const unsigned holds = held ? m_holds | bit : m_holds & ~bit;
    if (holds == m_holds)
        return;
    m_holds = holds;
    m_aheadHeld = holds != 0;
    qCDebug(lcAnswer) << (holds ? "work ahead held" : "work ahead goes on");
    if (!holds)
        QMetaObject::invokeMethod(
            m_worker, [worker = m_worker] { worker->work(); }, Qt::QueuedConnection);
}

void AnswerEngine::take(quint64 generation, const Question &question, const SharedAnswer &answer, const SharedMap &map)
{
    // Worked out for a Dog start or run length since left.
    if (generation != m_generation) {
        qCDebug(lcAnswer) << "dropped, worked out for an earlier Dog or run length:"
                          << (answer ? "an answer" : "the map");
        return;
    }
    if (answer) {
        m_answers.insert(stats::pointIndex(question.starts.momotaro), answer);
        if (question == m_question)
            emit answered(answer);
    }
    if (map) {
        m_map = map;
        emit mapped(map);
    }
}
