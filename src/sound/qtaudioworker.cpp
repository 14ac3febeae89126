#include "audioworker.h"

#include "wavecache.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>

#include <pulse/context.h>
#include <pulse/mainloop.h>

#include <cstdio>

namespace {

// A cue that waited this long for a stuck audio server is dropped: a chime
// seconds after its button would only confuse.
constexpr qint64 MaxLatenessMs = 1500;
// How long, beyond what the stream's buffer holds, a sound that has been
// handed over in full may take to play out.
constexpr int DrainMarginMs = 250;

// How long a stopped sink is kept before it is deleted. When a sound runs
// out, Qt 6.4's PulseAudio sink asks the server to drain its stream and names
// itself as the receiver of the reply; stopping the sink does not withdraw
// that request, so a sink deleted at once can be called back after it is
// gone. The reply comes within milliseconds of the stop while the server runs.
constexpr int StoppedSinkKeptMs = 2000;

// How long a look at the audio server may take, and how often it is looked
// at while it is away.
constexpr int ProbeTimeoutMs = 200;
constexpr int ProbeIntervalMs = 100;

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

} // namespace

// Lives in the audio thread and does the work of every control there.
class QtAudioWorker final : public QObject, public AudioWorker
{
    Q_OBJECT

public:
    void serve(const std::shared_ptr<CueRequest> &request) override;
    void preload(const QStringList &fileNames) override;

private:
    void drain();
    void carryOut(const std::shared_ptr<CueRequest> &request);
    bool serverReady();
    void checkServer();
    void holdUntilServerAnswers();
    void play(CueRequest *request, const QString &fileName);
    void retire(CueRequest *request);
    void dispose(QAudioSink *sink);
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

void QtAudioWorker::serve(const std::shared_ptr<CueRequest> &request)
{
    // Stopping a stream can run a nested event loop that delivers further
    // requests: they join the list the outer call works through.
    m_pending.append(request);
    drain();
}

void QtAudioWorker::drain()
{
    if (m_busy)
        return;
    m_busy = true;
    while (!m_pending.isEmpty())
        carryOut(m_pending.takeFirst());
    m_busy = false;
}

bool QtAudioWorker::serverReady()
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

void QtAudioWorker::checkServer()
{
    if (m_busy)
        return;
    m_busy = true;
    serverReady();
    m_busy = false;
    drain();
}

void QtAudioWorker::holdUntilServerAnswers()
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

void QtAudioWorker::carryOut(const std::shared_ptr<CueRequest> &request)
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
    if (!closed && !fileName.isEmpty() && cueClockMs() - askedAt <= MaxLatenessMs)
        play(request.get(), fileName);
}

std::shared_ptr<const Wave> QtAudioWorker::find(const QString &fileName)
{
    WaveCache::Found found = m_cache.find(fileName);
    if (!found.complaint.isEmpty())
        std::fputs(qPrintable(found.complaint + u'\n'), stderr);
    return found.wave;
}

void QtAudioWorker::play(CueRequest *request, const QString &fileName)
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
        if (state == QAudio::IdleState) {
            // Played to the end. An idle sink still wakes this thread every
            // few milliseconds, so it goes once the server has had time to
            // play out what it holds: at most its buffer's length.
            const QAudioFormat played = sink->format();
            const int drainMs = int(played.durationForBytes(sink->bufferSize()) / 1000) + DrainMarginMs;
            QTimer::singleShot(drainMs, sink, [this, request, sink] {
                if (sink->state() == QAudio::IdleState && m_sinks.value(request) == sink) {
                    m_sinks.remove(request);
                    dispose(sink);
                }
            });
            return;
        }
        if (state != QAudio::StoppedState || sink->error() == QAudio::NoError)
            return;
        if (m_sinks.value(request) == sink) {
            m_sinks.remove(request);
            dispose(sink);
        }
        m_suspect = true;
        QMetaObject::invokeMethod(this, &QtAudioWorker::checkServer, Qt::QueuedConnection);
    });
    // The samples are shared, not copied; the buffer lives as long as its sink.
    auto *buffer = new QBuffer(sink);
    buffer->setData(wave->samples);
    buffer->open(QIODevice::ReadOnly);
    sink->start(buffer);
}

void QtAudioWorker::retire(CueRequest *request)
{
    if (QAudioSink *sink = m_sinks.take(request))
        dispose(sink);
}

void QtAudioWorker::dispose(QAudioSink *sink)
{
    // Stopped at once, so that a new sound cuts this one; deleted later.
    sink->disconnect(this);
    sink->stop();
    QTimer::singleShot(StoppedSinkKeptMs, sink, &QObject::deleteLater);
}

void QtAudioWorker::preload(const QStringList &fileNames)
{
    for (const QString &name : fileNames)
        find(name);
    if (serverReady())
        QMediaDevices::defaultAudioOutput();
}

AudioWorker *makeQtAudioWorker()
{
    return new QtAudioWorker;
}

#include "qtaudioworker.moc"
