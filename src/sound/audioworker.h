#pragma once

#include "sound/audiooutput.h"

#include <QHash>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// A cue that waited this long for the audio thread (a file read from a slow
// disk keeps it busy) is dropped: a chime seconds after its button would only
// confuse.
inline constexpr qint64 MaxLatenessMs = 1500;

// The steady clock in ms: when a cue was asked for, and how late it is.
qint64 cueClockMs();

// The audio thread's object: takes what the multimedia controls ask for and
// has the output carry it out there. The controls call it from their own
// thread; it only notes the request and posts itself a queued call, never
// waiting for the audio thread. Cues asked for while that thread is busy
// replace each other: only the latest of each control counts, and it is
// dropped when it waited longer than MaxLatenessMs.
class AudioWorker final : public QObject
{
    Q_OBJECT

public:
    // Makes the output, on the audio thread; null: no sound at all.
    using OutputMaker = std::function<std::unique_ptr<AudioOutput>()>;
    using Clock = std::function<qint64()>;

    AudioWorker(OutputMaker makeOutput, Clock clock);
    ~AudioWorker() override;

    // From any thread: control's sound stops, then (unless play is empty)
    // play sounds; either replaces what control asked for before that the
    // audio thread has not yet taken.
    void ask(int control, bool stop, const QString &play);
    // From any thread: control is gone; its sound stops.
    void close(int control);
    // From any thread: the output reads the given sounds and reaches the
    // audio server ahead of the first cue.
    void preload(const QStringList &fileNames);

    // Makes the output; on the audio thread, before any request.
    void start();
    // Ends the output, closing its streams and its connection to the audio
    // server; on the audio thread, as it ends.
    void finish();

private:
    struct Request
    {
        bool stop = false;
        QString play;
        qint64 askedAt = 0;
        bool closed = false;
    };

    // Changes what control asks for and, unless a call is on its way, posts one.
    void note(int control, const std::function<void(Request &)> &change);
    void serve(int control);
    void carryOut(int control, const Request &request);

    OutputMaker m_makeOutput;
    Clock m_clock;
    QMutex m_mutex;
    QHash<int, Request> m_waiting; // asked for, not yet taken; a call is posted for each
    // Used on the audio thread alone.
    std::unique_ptr<AudioOutput> m_output;
};
