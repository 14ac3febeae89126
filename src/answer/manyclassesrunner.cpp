#include "answer/manyclassesrunner.h"

#include "law/simulation.h"

ManyClassesRunner::ManyClassesRunner(QObject *parent) : QObject(parent)
{
    m_thread.setObjectName(QStringLiteral("many classes"));
    // The thread's object: the runs are queued calls to it.
    m_worker = new QObject;
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start(QThread::LowPriority);
}

ManyClassesRunner::~ManyClassesRunner()
{
    stop();
    m_thread.quit();
    m_thread.wait();
}

void ManyClassesRunner::play(const SharedAnswer &asked, int groups, int classes, std::uint64_t seed)
{
    const quint64 run = ++m_latest;
    m_playing = true;
    QMetaObject::invokeMethod(
        m_worker,
        [this, run, asked, groups, classes, seed] {
            const auto outdated = [this, run] { return m_latest.load() != run; };
            if (outdated())
                return;
            const std::optional<stats::ManyClasses> many =
                stats::playManyClasses(*asked, groups, classes, seed, stats::coresToUse(), outdated);
            if (many)
                QMetaObject::invokeMethod(
                    this, [this, run, asked, many = *many] { take(run, asked, many); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void ManyClassesRunner::stop()
{
    ++m_latest;
    m_playing = false;
}

void ManyClassesRunner::take(quint64 run, const SharedAnswer &asked, const stats::ManyClasses &many)
{
    if (run != m_latest)
        return;
    m_playing = false;
    emit played(asked, many);
}
