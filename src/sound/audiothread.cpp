#include "audiothread.h"

#include "wavecache.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QMediaDevices>

#include <pulse/context.h>
#include <pulse/mainloop.h>

#include <cstdio>
#include <cstdlib>

namespace {

// A cue that waited this long for a stuck audio server is dropped: a chime
// seconds after its button would only confuse.
constexpr qint64 MaxLatenessMs = 1500;
// How long the end of the program waits for the audio thread.
constexpr int ExitWaitMs = 1000;

// How long a look at the audio server may take, and how often it is looked
// at while it is away.
constexpr int ProbeTimeoutMs = 200;
constexpr int ProbeIntervalMs = 100;

AudioThread *theThread = nullptr;
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

const QElapsedTimer &threadClock()
{
    static const QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer;
}

// Whether the audio server answers a connection within timeoutMs, asked
// with a libpulse context of its own (PipeWire answers it too).
bool serverAnswers(int timeoutMs)
{
    pa_mainloop *loop = pa_mainloop_new();
    if (!loop)
        return false;
    pa_context *context = pa_context_new(pa_mainloop_get_api(loop), "meetling");
    bool ready = false;
    if (context && pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
        QElapsedTimer timer;
        timer.start();
        for (;;) {
            const pa_context_state_t state = pa_context_get_state(context);
            ready = state == PA_CONTEXT_READY;
            const qint64 left = timeoutMs - timer.elapsed();
            if (ready || !PA_CONTEXT_IS_GOOD(state) || left <= 0)
                break;
            if (pa_mainloop_prepare(loop, int(left * 1000)) < 0 || pa_mainloop_poll(loop) < 0
                || pa_mainloop_dispatch(loop) < 0)
                break;
        }
        pa_context_disconnect(context);
    }
    if (context)
        pa_context_unref(context);
    pa_mainloop_free(loop);
    return ready;
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

} // namespace

// Lives in the audio thread and does the work of every control there.
class AudioWorker final : public QObject
{
    Q_OBJECT

public:
    void serve(const std::shared_ptr<CueRequest> &request);
    void preload(const QStringList &fileNames);

private:
    void drain();
    void carryOut(const std::shared_ptr<CueRequest> &request);
    bool serverReady();
    void checkServer();
    void holdUntilServerAnswers();
    void play(CueRequest *request, const QString &fileName);
    void retire(CueRequest *request);
    std::shared_ptr<const Wave> find(const QString &fileName);

    WaveCache m_cache;
    QHash<CueRequest *, QAudioSink *> m_sinks;
    QList<std::shared_ptr<CueRequest>> m_pending;
    bool m_busy = false;
    // Qt Multimedia connects to the server once, when first used; nothing
    // touches it before the server has answered once.
    bool m_multimediaStarted = false;
    // Whether the server must be looked at before the next sound: at first,
    // and after a stream broke.
    bool m_suspect = true;
};

void AudioWorker::serve(const std::shared_ptr<CueRequest> &request)
{
    // Stopping a stream can run a nested event loop that delivers further
    // requests: they join the list the outer call works through.
    m_pending.append(request);
    drain();
}

void AudioWorker::drain()
{
    if (m_busy)
        return;
    m_busy = true;
    while (!m_pending.isEmpty())
        carryOut(m_pending.takeFirst());
    m_busy = false;
}

bool AudioWorker::serverReady()
{
    if (!m_suspect)
        return true;
    if (!serverAnswers(ProbeTimeoutMs)) {
        if (m_multimediaStarted)
            holdUntilServerAnswers();
        return false;
    }
    m_suspect = false;
    m_multimediaStarted = true;
    return true;
}

void AudioWorker::checkServer()
{
    if (m_busy)
        return;
    m_busy = true;
    serverReady();
    m_busy = false;
    drain();
}

void AudioWorker::holdUntilServerAnswers()
{
    // Qt 6.4's PulseAudio backend gives up for good when its own reconnection
    // attempt, three seconds after it lost the server, finds no server. So
    // while the server is away this thread keeps out of its event loop's
    // timers: requests are still taken (and dropped as late), and the
    // backend's attempt runs once the server answers again.
    while (!QThread::currentThread()->isInterruptionRequested()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::X11ExcludeTimers);
        if (serverAnswers(ProbeTimeoutMs)) {
            m_suspect = false;
            return;
        }
        QThread::msleep(ProbeIntervalMs);
    }
}

void AudioWorker::carryOut(const std::shared_ptr<CueRequest> &request)
{
    bool stop = false;
    bool closed = false;
    QString fileName;
    qint64 askedAt = 0;
    {
        const QMutexLocker lock(&request->mutex);
        stop = std::exchange(request->stop, false);
        fileName = std::exchange(request->play, QString());
        askedAt = request->askedAt;
        closed = request->closed;
        request->woken = false;
    }
    if (stop || closed || !fileName.isEmpty())
        retire(request.get());
    if (!closed && !fileName.isEmpty() && AudioThread::now() - askedAt <= MaxLatenessMs)
        play(request.get(), fileName);
}

std::shared_ptr<const Wave> AudioWorker::find(const QString &fileName)
{
    WaveCache::Found found = m_cache.find(fileName);
    if (!found.complaint.isEmpty())
        std::fputs(qPrintable(found.complaint + u'\n'), stderr);
    return found.wave;
}

void AudioWorker::play(CueRequest *request, const QString &fileName)
{
    const std::shared_ptr<const Wave> wave = find(fileName);
    if (!wave || !serverReady())
        return;
    // Asked afresh for every sound: after the server restarts or first
    // appears, the new output is found here.
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        m_suspect = true;
        return;
    }
    QAudioFormat format;
    format.setSampleRate(wave->sampleRate);
    format.setChannelCount(wave->channels);
    format.setSampleFormat(QAudioFormat::Int16);

    // A stopped sink is never started again: Qt 6.4's PulseAudio sink goes
    // quiet after a few restarts. Each sound gets a fresh one.
    auto *sink = new QAudioSink(device, format, this);
    m_sinks.insert(request, sink);
    // A broken stream (the server went away) is dropped as soon as it breaks.
    connect(sink, &QAudioSink::stateChanged, this, [this, request, sink](QAudio::State state) {
        if (state != QAudio::StoppedState || sink->error() == QAudio::NoError)
            return;
        if (m_sinks.value(request) == sink) {
            m_sinks.remove(request);
            sink->deleteLater();
        }
        m_suspect = true;
        QMetaObject::invokeMethod(this, &AudioWorker::checkServer, Qt::QueuedConnection);
    });
    // The samples are shared, not copied; the buffer lives as long as its sink.
    auto *buffer = new QBuffer(sink);
    buffer->setData(wave->samples);
    buffer->open(QIODevice::ReadOnly);
    sink->start(buffer);
}

void AudioWorker::retire(CueRequest *request)
{
    if (QAudioSink *sink = m_sinks.take(request)) {
        sink->stop();
        delete sink;
    }
}

void AudioWorker::preload(const QStringList &fileNames)
{
    for (const QString &name : fileNames)
        find(name);
    if (serverReady())
        QMediaDevices::defaultAudioOutput();
}

AudioThread::AudioThread()
{
    threadClock();
    previousHandler = qInstallMessageHandler(quietAudioThreads);
    m_worker = new AudioWorker;
    m_worker->moveToThread(this);
    setObjectName(QStringLiteral("audio"));
    start();
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
    exec();
    const QMutexLocker lock(&m_mutex);
    m_accepting = false;
    // The worker and its streams are left to the end of the process: the
    // audio library's own threads may still call back into a stream being
    // deleted now.
}

qint64 AudioThread::now()
{
    return threadClock().elapsed();
}

bool AudioThread::post(std::function<void(AudioWorker &)> task)
{
    const QMutexLocker lock(&m_mutex);
    if (!m_accepting)
        return false;
    AudioWorker *worker = m_worker;
    QMetaObject::invokeMethod(worker, [worker, task = std::move(task)] { task(*worker); }, Qt::QueuedConnection);
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

#include "audiothread.moc"
