#include "audiothread.h"

#include "audiooutput.h"
#include "soundmodule.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QPluginLoader>
#include <QThread>

#include <cstdio>

namespace {

// How long destroying a thread waits for it.
constexpr int DestroyWaitMs = 1000;

// The sound module's file.
constexpr auto ModuleFile = "meetling-sound.so";

AudioThread *theInstance = nullptr;

// Qt Multimedia and its audio backends complain from the audio thread (a
// missing server, a broken stream); the program's sound fails silently
// instead, so their categories are turned off. Every other category keeps
// the rules it had.
QLoggingCategory::CategoryFilter previousFilter = nullptr;

void quietAudioBackend(QLoggingCategory *category)
{
    if (previousFilter)
        previousFilter(category);
    if (qstrncmp(category->categoryName(), "qt.multimedia", 13) != 0)
        return;
    for (const QtMsgType type : {QtDebugMsg, QtInfoMsg, QtWarningMsg, QtCriticalMsg})
        category->setEnabled(type, false);
}

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
    static const bool filtered = [] {
        previousFilter = QLoggingCategory::installFilter(quietAudioBackend);
        return true;
    }();
    Q_UNUSED(filtered);
    m_thread->setObjectName(QStringLiteral("audio"));
    m_worker->moveToThread(m_thread.get());
    // Runs on the new thread before its event loop takes the first request.
    QObject::connect(m_thread.get(), &QThread::started, m_worker.get(), &AudioWorker::start, Qt::DirectConnection);
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
    // Never deleted: a thread stuck in the audio library cannot be.
    static AudioThread *const thread = [] {
        theInstance = new AudioThread([paths = modulePaths()] { return loadSoundModule(paths); });
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
    // Interruption ends the output's wait for an absent server.
    m_thread->requestInterruption();
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
        if (auto *module = qobject_cast<SoundModule *>(loader.instance()))
            return module->makeOutput();
        reason = loader.errorString();
        break;
    }
    if (reason.isEmpty())
        reason = QStringLiteral("%1 is not installed").arg(QLatin1String(ModuleFile));
    std::fprintf(stderr, "meetling: the sounds are off (%s)\n", qPrintable(reason));
    return nullptr;
}
