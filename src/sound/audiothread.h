#pragma once

#include "audioworker.h"

#include <QMutex>
#include <QString>
#include <QStringList>
#include <QThread>

#include <functional>
#include <memory>

// The one thread that talks to the audio server: it opens, starts, stops and
// deletes every audio stream, finds the output device and reads the sound
// files. However long the server takes (a stalled or missing server can
// keep it inside the audio library for good), the user-interface thread
// only posts requests and never waits for it.
//
// The thread's first work is to load the sound module and make its worker;
// without the module the program goes on without sound and says so once.
class AudioThread final : public QThread
{
    Q_OBJECT

public:
    using WorkerMaker = AudioWorker *(*)();
    // Makes the worker with maker instead of loading the sound module (for
    // programs that link the worker in); before the thread's first use.
    static void useWorkerMaker(WorkerMaker maker);

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

private:
    AudioThread();
    void run() override;
    bool post(std::function<void(AudioWorker &)> task);

    QStringList m_modulePaths; // where the sound module may be, in order
    QMutex m_mutex;
    QObject *m_mailbox = nullptr;    // lives in the thread, never deleted
    AudioWorker *m_worker = nullptr; // made and used in the thread, never deleted
    bool m_accepting = true;
};
