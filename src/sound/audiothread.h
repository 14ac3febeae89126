#pragma once

#include "sound/audioworker.h"

#include <QString>
#include <QStringList>

#include <memory>

class QThread;

// The thread that talks to the audio server: it connects to it, opens,
// feeds and closes every audio stream and reads the sound files, through an
// AudioWorker that lives there. However long the server or a file takes,
// the calling thread only posts requests and never waits for that thread,
// except in shutdown().
//
// The thread's first work is to make its output; its last, as it ends, is
// to end that output, which closes its streams and its connection to the
// server. A program ends with shutdown() and std::_Exit().
class AudioThread final
{
public:
    // Starts the thread, which makes its output with makeOutput and takes
    // the cue times from clock.
    explicit AudioThread(AudioWorker::OutputMaker makeOutput, AudioWorker::Clock clock = cueClockMs);
    // Stops the thread; the output goes with it once the thread has ended.
    ~AudioThread();
    AudioThread(const AudioThread &) = delete;
    AudioThread &operator=(const AudioThread &) = delete;

    // The process's audio thread, started on first use with the sound module.
    static AudioThread &instance();
    // Ends the process's audio thread, if it was started (see shutdown()).
    static bool shutdownInstance(int timeoutMs);

    // The output of the first sound module of paths that is there. Without
    // one, null, and "meetling: the sounds are off (reason)" on standard error.
    static std::unique_ptr<AudioOutput> loadSoundModule(const QStringList &paths);

    AudioWorker &worker() { return *m_worker; }

    // Ends the thread's event loop and waits at most timeoutMs for it to
    // finish. False when it is still busy (a file read from a slow disk):
    // then it must be left running and the process ended without joining it.
    bool shutdown(int timeoutMs);

private:
    std::unique_ptr<QThread> m_thread;
    std::unique_ptr<AudioWorker> m_worker; // lives in m_thread
};
