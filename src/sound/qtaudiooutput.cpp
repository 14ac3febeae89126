#include "qtaudiooutput.h"

#include "wavecache.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QElapsedTimer>
#include <QHash>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>

#include <pulse/context.h>
#include <pulse/mainloop.h>

#include <cstdio>

namespace {

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
class QtAudioOutput final : public QObject, public AudioOutput
{
    Q_OBJECT

public:
    QtAudioOutput();

    void stop(int control) override;
    void play(int control, const QString &fileName) override;
    void preload(const QStringList &fileNames) override;

private:
    bool serverReady();
    void lookForServer();
    void holdUntilServerAnswers();
    void dispose(QAudioSink *sink);
    std::shared_ptr<const Wave> find(const QString &fileName);

    WaveCache m_cache;
    QHash<int, QAudioSink *> m_sinks; // what each control is sounding
    // Looks at the server every ProbeIntervalMs while it is away.
    QTimer m_probe;
    // Whether the server must be looked at before the next sound: at first,
    // and after a stream broke. Qt Multimedia connects to the server once,
    // when first used; nothing touches it before the server has answered.
    bool m_suspect = true;
    bool m_multimediaStarted = false;
};

QtAudioOutput::QtAudioOutput()
{
    m_probe.setInterval(ProbeIntervalMs);
    connect(&m_probe, &QTimer::timeout, this, &QtAudioOutput::lookForServer);
}

bool QtAudioOutput::serverReady()
{
    if (!m_suspect)
        return true;
    if (m_probe.isActive())
        return false;
    lookForServer();
    if (m_suspect)
        m_probe.start();
    return !m_suspect;
}

void QtAudioOutput::lookForServer()
{
    if (!serverAnswers(ProbeTimeoutMs)) {
        if (m_multimediaStarted)
            holdUntilServerAnswers();
        return;
    }
    m_suspect = false;
    m_multimediaStarted = true;
    m_probe.stop();
}

void QtAudioOutput::holdUntilServerAnswers()
{
    // Qt 6.4's PulseAudio backend gives up for good when its own reconnection
    // attempt, a timer on this thread three seconds after it lost the server,
    // finds no server. So once the backend is in use, this thread keeps out
    // of its event loop while the server is away: it runs nothing else and
    // only looks for the server. The controls' requests wait meanwhile (the
    // latest of each) and are dropped as late once it is back; ending the
    // program interrupts the wait.
    QThread *thread = QThread::currentThread();
    while (!thread->isInterruptionRequested()) {
        if (serverAnswers(ProbeTimeoutMs))
            return;
        QThread::msleep(ProbeIntervalMs);
    }
}

std::shared_ptr<const Wave> QtAudioOutput::find(const QString &fileName)
{
    WaveCache::Found found = m_cache.find(fileName);
    if (!found.complaint.isEmpty())
        std::fputs(qPrintable(found.complaint + u'\n'), stderr);
    return found.wave;
}

void QtAudioOutput::play(int control, const QString &fileName)
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
    m_sinks.insert(control, sink);
    // A broken stream (the server went away) is dropped as soon as it breaks.
    connect(sink, &QAudioSink::stateChanged, this, [this, control, sink](QAudio::State state) {
        if (state == QAudio::IdleState) {
            // Played to the end. An idle sink still wakes this thread every
            // few milliseconds, so it goes once the server has had time to
            // play out what it holds: at most its buffer's length.
            const QAudioFormat played = sink->format();
            const int drainMs = int(played.durationForBytes(sink->bufferSize()) / 1000) + DrainMarginMs;
            QTimer::singleShot(drainMs, sink, [this, control, sink] {
                if (sink->state() == QAudio::IdleState && m_sinks.value(control) == sink) {
                    m_sinks.remove(control);
                    dispose(sink);
                }
            });
            return;
        }
        if (state != QAudio::StoppedState || sink->error() == QAudio::NoError)
            return;
        if (m_sinks.value(control) == sink) {
            m_sinks.remove(control);
            dispose(sink);
        }
        m_suspect = true;
        m_probe.start();
    });
    // The samples are shared, not copied; the buffer lives as long as its sink.
    auto *buffer = new QBuffer(sink);
    buffer->setData(wave->samples);
    buffer->open(QIODevice::ReadOnly);
    sink->start(buffer);
}

void QtAudioOutput::stop(int control)
{
    if (QAudioSink *sink = m_sinks.take(control))
        dispose(sink);
}

void QtAudioOutput::dispose(QAudioSink *sink)
{
    // Stopped at once, so that a new sound cuts this one; deleted later.
    sink->disconnect(this);
    sink->stop();
    QTimer::singleShot(StoppedSinkKeptMs, sink, &QObject::deleteLater);
}

void QtAudioOutput::preload(const QStringList &fileNames)
{
    for (const QString &name : fileNames)
        find(name);
    if (serverReady())
        QMediaDevices::defaultAudioOutput();
}

std::unique_ptr<AudioOutput> makeQtAudioOutput()
{
    return std::make_unique<QtAudioOutput>();
}

#include "qtaudiooutput.moc"
