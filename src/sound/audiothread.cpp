#include "sound/audiothread.h"

#include "sound/audiooutput.h"
#include "sound/soundlog.h"
#include "sound/soundmodule.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>
#include <QThread>

#include <cstdio>
#include <cstdlib>

namespace {

// How long destroying a thread waits for it.
constexpr int DestroyWaitMs = 1000;
// How long the end of the process waits for its audio thread.
constexpr int ExitWaitMs = 500;

// The sound module's file.
constexpr auto ModuleFile = "meetling-sound.so";

AudioThread *theInstance = nullptr;

// Beside the program (a build tree), then where it is installed.
QStringList modulePaths()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    return {programDir + u'/' + QLatin1String(ModuleFile),
            QDir::cleanPath(programDir + QStringLiteral("/" MEETLING_MODULE_DIR "/") + QLatin1String(ModuleFile))};
}

} // namespace

AudioThread::AudioThread(AudioWorker::OutputMaker makeOutput, AudioWorker::Clock clock)
    : m_thread(std::make_unique<QThread>()),
      m_worker(std::make_unique<AudioWorker>(std::move(makeOutput), std::move(clock)))
{
    m_thread->setObjectName(QStringLiteral("audio"));
    m_worker->moveToThread(m_thread.get());
    // Runs on the new thread before its event loop takes the first request.
    QObject::connect(m_thread.get(), &QThread::started, m_worker.get(), &AudioWorker::start, Qt::DirectConnection);
    // Runs on the thread after its event loop has ended: nothing of the
    // output is left to run once the thread is gone.
    QObject::connect(m_thread.get(), &QThread::finished, m_worker.get(), &AudioWorker::finish, Qt::DirectConnection);
    m_thread->start();
}

AudioThread::~AudioThread()
{
    if (!shutdown(DestroyWaitMs)) {
        // A running thread cannot be destroyed: it and its worker are left
        // to the end of the process.
        (void)m_thread.release();
        (void)m_worker.release();
    }
}

AudioThread &AudioThread::instance()
{
    // Never deleted: a thread still busy at the end cannot be.
    static AudioThread *const thread = [] {
        theInstance = new AudioThread([paths = modulePaths()] { return loadSoundModule(paths); });
        // The program ends through shutdown() and std::_Exit(), but a library
        // may end it with exit() (Qt does when the connection to the X
        // server breaks): then the thread is stopped before the exit
        // handlers registered before this one tear down what it may use.
        std::atexit([] { shutdownInstance(ExitWaitMs); });
        return theInstance;
    }();
    return *thread;
}

bool AudioThread::shutdownInstance(int timeoutMs)
{
    return !theInstance || theInstance->shutdown(timeoutMs);
}

bool AudioThread::shutdown(int timeoutMs)
{
    m_thread->quit();
    return m_thread->wait(QDeadlineTimer(timeoutMs));
}

std::unique_ptr<AudioOutput> AudioThread::loadSoundModule(const QStringList &paths)
{
    QString reason;
    for (const QString &path : paths) {
        if (!QFileInfo::exists(path))
            continue;
        // A loader going out of scope leaves its module loaded: the
        // module's code runs to the end of the process.
        QPluginLoader loader(path);
        if (auto *module = qobject_cast<SoundModule *>(loader.instance())) {
            qCDebug(lcSound, "sound module %s loaded", qPrintable(path));
            return module->makeOutput();
        }
        reason = loader.errorString();
        break;
    }
    if (reason.isEmpty())
        reason = QStringLiteral("%1 is not installed").arg(QLatin1String(ModuleFile));
    std::fprintf(stderr, "meetling: the sounds are off (%s)\n", qPrintable(reason));
    return nullptr;
}
