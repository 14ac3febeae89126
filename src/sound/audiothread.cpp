#include "audiothread.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <cstdio>
#include <cstdlib>

namespace {

// How long the end of the program waits for the audio thread.
constexpr int ExitWaitMs = 1000;

// The sound module's file, and the function in it that makes its worker.
constexpr auto ModuleFile = "meetling-sound.so";
constexpr auto ModuleEntry = "meetling_make_audio_worker";

AudioThread *theThread = nullptr;
AudioThread::WorkerMaker linkedMaker = nullptr;
QtMessageHandler previousHandler = nullptr;

// The audio library complains from its own threads (a missing server, a
// broken stream); the program's sound fails silently instead, so whatever
// Qt says outside the user-interface thread is dropped.
void quietAudioThreads(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    const QCoreApplication *app = QCoreApplication::instance();
    if (type != QtFatalMsg && app && QThread::currentThread() != app->thread())
        return;
    if (previousHandler)
        previousHandler(type, context, text);
}

// The process's end waits for the thread when nobody has stopped it before
// (the program stops it itself); a thread stuck in the audio library is
// not joined, so the process ends at once.
void stopAtExit()
{
    if (!AudioThread::shutdown(ExitWaitMs)) {
        std::fflush(nullptr);
        std::_Exit(EXIT_SUCCESS);
    }
}

// Beside the program (a build tree), then where it is installed.
QStringList modulePaths()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    return {programDir + u'/' + QLatin1String(ModuleFile),
            QDir::cleanPath(programDir + QStringLiteral("/" MEETLING_MODULE_DIR "/") + QLatin1String(ModuleFile))};
}

AudioWorker *loadWorker(const QStringList &paths)
{
    QString reason;
    for (const QString &path : paths) {
        if (!QFileInfo::exists(path))
            continue;
        QLibrary module(path);
        if (const auto make = reinterpret_cast<AudioThread::WorkerMaker>(module.resolve(ModuleEntry)))
            return make();
        reason = module.errorString();
        break;
    }
    if (reason.isEmpty())
        reason = QStringLiteral("%1 is not installed").arg(QLatin1String(ModuleFile));
    std::fprintf(stderr, "meetling: the sounds are off (%s)\n", qPrintable(reason));
    return nullptr;
}

} // namespace

AudioThread::AudioThread() : m_modulePaths(modulePaths()), m_mailbox(new QObject)
{
    previousHandler = qInstallMessageHandler(quietAudioThreads);
    m_mailbox->moveToThread(this);
    setObjectName(QStringLiteral("audio"));
    start();
}

void AudioThread::useWorkerMaker(WorkerMaker maker)
{
    linkedMaker = maker;
}

AudioThread &AudioThread::instance()
{
    // Never deleted: a thread stuck in the audio library cannot be.
    static AudioThread *const thread = [] {
        theThread = new AudioThread;
        qAddPostRoutine(stopAtExit);
        return theThread;
    }();
    return *thread;
}

bool AudioThread::shutdown(int timeoutMs)
{
    if (!theThread)
        return true;
    theThread->requestInterruption();
    theThread->quit();
    return theThread->wait(QDeadlineTimer(timeoutMs));
}

void AudioThread::run()
{
    // Requests posted meanwhile wait in the thread's queue.
    m_worker = linkedMaker ? linkedMaker() : loadWorker(m_modulePaths);
    exec();
    const QMutexLocker lock(&m_mutex);
    m_accepting = false;
    // The worker and its streams are left to the end of the process: the
    // audio library's own threads may still call back into a stream being
    // deleted now.
}

bool AudioThread::post(std::function<void(AudioWorker &)> task)
{
    const QMutexLocker lock(&m_mutex);
    if (!m_accepting)
        return false;
    QMetaObject::invokeMethod(
        m_mailbox,
        [this, task = std::move(task)] {
            if (m_worker)
                task(*m_worker);
        },
        Qt::QueuedConnection);
    return true;
}

void AudioThread::wake(const std::shared_ptr<CueRequest> &request)
{
    {
        const QMutexLocker lock(&request->mutex);
        if (std::exchange(request->woken, true))
            return;
    }
    if (!post([request](AudioWorker &worker) { worker.serve(request); })) {
        const QMutexLocker lock(&request->mutex);
        request->woken = false;
    }
}

void AudioThread::preload(const QStringList &fileNames)
{
    post([fileNames](AudioWorker &worker) { worker.preload(fileNames); });
}
