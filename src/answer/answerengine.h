#pragma once

#include "law/answer.h"
#include "law/exactlaw.h"
#include "law/meetingmap.h"

#include <QHash>
#include <QMutex>
#include <QObject>
#include <QThread>

#include <atomic>
#include <memory>

// What the teacher asks: where the walkers start and how long a run lasts.
struct Question
{
    stats::Starts starts = stats::DefaultStarts;
    int seconds = int(rules::TimeLimitSeconds);

    int ticksPerTimer() const { return rules::ticksPerTimer(seconds); }
    friend bool operator==(const Question &a, const Question &b)
    {
        return a.starts.momotaro == b.starts.momotaro && a.starts.dog == b.starts.dog && a.seconds == b.seconds;
    }
};

// The exact answer to one question, as the statistics tool reports it.
using SharedAnswer = std::shared_ptr<const stats::Answer>;
using SharedMap = std::shared_ptr<const stats::MeetingMap>;

class AnswerWorker;

// Works out answers on a thread of its own and hands them to the window's
// thread. For a Dog start and run length it sweeps once for every Momotaro
// start (stats::ExactForDog), answers the question asked, then the map, then
// every other Momotaro start nearest first, so that a walker dragged with
// Dog still is answered from what is already known. A newer question
// supersedes one in flight. The work ahead (the map and the other starts)
// can be held, and goes on where it was once let go.
class AnswerEngine final : public QObject
{
    Q_OBJECT

public:
    // Why the work ahead waits: a class plays at speed, or the window is
    // hidden or minimised.
    enum class Hold { ClassPlaying, OutOfSight };

    explicit AnswerEngine(QObject *parent = nullptr);
    // Stops the worker and waits for it (a sweep stops within a tick).
    ~AnswerEngine() override;

    // Called on the window's thread. An answer already known is emitted
    // before this returns; otherwise pending is, and answered follows once
    // the answer is worked out, unless a newer question comes first. Never
    // computes anything itself.
    void ask(const Question &question);
    // Holds the work ahead for why, or lets go of it for why: it goes on
    // once nothing holds it. The answer to the question asked is worked out
    // all the same; what was being worked out ahead when the hold came is
    // finished first (one start's answer at most).
    void hold(Hold why, bool held);

signals:
    // The answer to the latest question, and only to it: its start points
    // and run length are the question's.
    void answered(SharedAnswer answer);
    // The latest question's answer is being worked out: whatever was shown
    // is no longer its answer.
    void pending();
    // Expected meetings for every Momotaro start, Dog at the latest
    // question's start; null while it is being worked out.
    void mapped(SharedMap map);
    // The worker has stopped: every start of the latest Dog is answered, or
    // the rest is held. A new question, or the hold let go, sets it going.
    void resting();

private:
    friend class AnswerWorker;
    struct Key
    {
        Point dog{};
        int ticksPerTimer = 0;
        friend bool operator==(const Key &a, const Key &b)
        {
            return a.dog == b.dog && a.ticksPerTimer == b.ticksPerTimer;
        }
    };
    static Key keyOf(const Question &question) { return {question.starts.dog, question.ticksPerTimer()}; }

    // From the worker, on the window's thread: an answer to question, or
    // the map, worked out for a generation.
    void take(quint64 generation, const Question &question, const SharedAnswer &answer, const SharedMap &map);

    // Shared with the worker. A generation is one stay of the questions on
    // one Dog start and run length: it begins whenever that key changes,
    // also back to an earlier key, when the window's thread forgets what it
    // knew. The worker starts afresh at every new generation, so that what
    // it has handed over and what the window's thread still holds are the
    // same.
    QMutex m_asked;
    Question m_latest;
    quint64 m_latestGeneration = 0;
    std::atomic<bool> m_quitting{false};
    std::atomic<bool> m_aheadHeld{false};

    // The window's thread's own.
    Question m_question;
    Key m_known;
    quint64 m_generation = 0;
    QHash<int, SharedAnswer> m_answers; // by Momotaro's start, for m_known
    SharedMap m_map;
    unsigned m_holds = 0; // a bit for each Hold
    QThread m_thread;
    AnswerWorker *m_worker = nullptr;
};
