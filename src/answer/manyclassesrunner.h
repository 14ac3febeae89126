#pragma once

#include "answer/answerengine.h"
#include "law/classatspeed.h"

#include <QObject>
#include <QThread>

#include <atomic>
#include <cstdint>

// Plays many classes (stats::playManyClasses) on a thread of its own, on
// every core, and hands the result to the window's thread. A run asked for
// or stopped outdates the one in play: that one stops within a stretch of
// the simulation, and its result is never delivered.
class ManyClassesRunner final : public QObject
{
    Q_OBJECT

public:
    explicit ManyClassesRunner(QObject *parent = nullptr);
    // Stops the run in play and waits for the thread.
    ~ManyClassesRunner() override;

    // Plays classes of groups from seed for the starts and run length of
    // asked; played arrives once they are done. Never waits.
    void play(const SharedAnswer &asked, int groups, int classes, std::uint64_t seed);
    // Stops the run in play, if any; its result never arrives.
    void stop();
    bool playing() const { return m_playing; }

signals:
    // The classes last asked for, played.
    void played(const SharedAnswer &asked, const stats::ManyClasses &many);

private:
    void take(quint64 run, const SharedAnswer &asked, const stats::ManyClasses &many);

    // The latest run asked for, or stopped; shared with the thread, whose
    // run stops once it is outdated.
    std::atomic<quint64> m_latest{0};
    bool m_playing = false;
    QThread m_thread;
    QObject *m_worker = nullptr;
};
