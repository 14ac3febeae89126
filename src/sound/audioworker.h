#pragma once

#include <QMutex>
#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>

// The time base of CueRequest::askedAt, in ms: the steady clock, which the
// program and its sound module share.
inline qint64 cueClockMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// What one multimedia control asks of the audio thread. The control writes
// it and wakes the thread; the thread takes it and does the work. Only the
// latest request counts: cues asked for while the thread is busy replace
// each other instead of queueing up.
struct CueRequest
{
    QMutex mutex;
    bool stop = false;   // end what this control is sounding
    QString play;        // then play this file (empty: nothing)
    qint64 askedAt = 0;  // when play was asked for (cueClockMs)
    bool closed = false; // the control is gone
    bool woken = false;  // a wake-up is on its way to the thread
};

// Does the audio thread's work: plays, stops and reads the sounds. It is
// made on the audio thread and lives there; its calls come only from there.
// The one that talks to the audio server lives in the sound module, which
// the program loads on the audio thread once the board has been painted, so
// that starting the program waits neither for the audio and sound-file
// libraries nor for the server.
class AudioWorker
{
public:
    virtual ~AudioWorker() = default;
    // Carries out what request asks for now.
    virtual void serve(const std::shared_ptr<CueRequest> &request) = 0;
    // Reads the given sounds and reaches the audio server ahead of the first cue.
    virtual void preload(const QStringList &fileNames) = 0;
};

// The sound module's worker, on Qt Multimedia (linked into the module, and
// into the tests that play through a real server).
AudioWorker *makeQtAudioWorker();
