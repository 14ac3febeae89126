#pragma once

#include <QMutex>
#include <QString>
#include <QStringList>
#include <QThread>

#include <functional>
#include <memory>

class AudioWorker;

// What one multimedia control asks of the audio thread. The control writes
// it and wakes the thread; the thread takes it and does the work. Only the
// latest request counts: cues asked for while the thread is busy replace
// each other instead of queueing up.
struct CueRequest
{
    QMutex mutex;
    bool stop = false;  // end what this control is sounding
    QString play;       // then play this file (empty: nothing)
    qint64 askedAt = 0; // when play was asked for, in ms of the thread's clock
    bool closed = false; // the control is gone
    bool woken = false;  // a wake-up is on its way to the thread
};

// The one thread that talks to the audio server: it opens, starts, stops and
// deletes every audio stream, finds the output device and reads the sound
// files. However long the server takes (a stalled or missing server can
// keep it inside the audio library for good), the user-interface thread
// only posts requests and never waits for it.
class AudioThread final : public QThread
{
    Q_OBJECT

public:
    // The process's audio thread, started on first use.
    static AudioThread &instance();
    // Ends the audio thread's event loop and waits at most timeoutMs for it
    // to finish. False when it is still stuck in the audio library: then it
    // must be left running and the process ended without joining it.
    static bool shutdown(int timeoutMs);

    // Wakes the thread to carry out request (once, however often it is called
    // before the thread gets to it).
    void wake(const std::shared_ptr<CueRequest> &request);
    // Reads the given sounds and reaches the audio server ahead of the first cue.
    void preload(const QStringList &fileNames);

    // The time base of CueRequest::askedAt.
    static qint64 now();

private:
    AudioThread();
    void run() override;
    bool post(std::function<void(AudioWorker &)> task);

    QMutex m_mutex;
    AudioWorker *m_worker = nullptr; // lives in the thread, never deleted
    bool m_accepting = true;
};
