#include "sound/pulseoutput.h"

#include "sound/soundlog.h"
#include "sound/wavecache.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QTimer>

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/mainloop.h>
#include <pulse/operation.h>
#include <pulse/sample.h>
#include <pulse/timeval.h>
#include <pulse/stream.h>

#include <algorithm>
#include <cstdio>

namespace {

// How often the server's messages are read while a connection is being made
// or a sound is handed over, and, more slowly, while the sounds handed over
// play out (only their streams' closing waits for it). Idle, nothing wakes
// the audio thread.
constexpr int PumpIntervalMs = 20;
constexpr int PlayOutPumpIntervalMs = 100;
// How long a new connection, or a new stream on it, may wait for the
// server's answer. A server that takes longer is stalled (stopped, or hung):
// the connection is dropped, and the next cue makes a new one.
constexpr int AnswerTimeoutMs = 1000;
// How long, beyond its own length, a sound may take to play out before its
// stream is dropped anyway.
constexpr int PlayOutMarginMs = 3000;
// How much of a sound the server takes ahead of its playing: a whole cue
// is handed over at once, and a longer sound in parts this long.
constexpr pa_usec_t BufferUsec = 2 * PA_USEC_PER_SEC;
// The most of the server's messages read in one go.
constexpr int MaxDispatchRounds = 64;

qint64 lengthMs(const Wave &wave)
{
    return wave.samples.size() / (2 * wave.channels) * 1000 / wave.sampleRate;
}

void say(const char *line)
{
    std::fprintf(stderr, "meetling: %s\n", line);
    std::fflush(stderr);
}

} // namespace

// Lives on the audio thread and plays every control's sounds there, each on
// a stream of its own, through one connection to the server and libpulse's
// plain main loop, which only this thread runs. No libpulse thread and no
// callback: the thread reads what the server said and then looks at the
// states of the connection, the streams and their drains. So a lost or
// restarted server is simply a connection that failed: it is dropped with
// its streams, and the next cue connects afresh to whatever server is there.
class PulseOutput final : public QObject, public AudioOutput
{
public:
    PulseOutput();
    ~PulseOutput() override;

    void stop(int control) override;
    void play(int control, const QString &fileName) override;
    void preload(const QStringList &fileNames) override;

private:
    struct Sound
    {
        std::shared_ptr<const Wave> wave;
        pa_stream *stream = nullptr; // null: waits for the connection
        qsizetype written = 0;
        pa_operation *drain = nullptr; // asked for once all is written
        QDeadlineTimer answerBy; // the stream must be ready by then
        QDeadlineTimer doneBy; // and played out by then
    };
    enum class Next { Keep, Drop, ServerStalled };

    // Whether sound has been heard through this output, and the server lost
    // since: each change is said once on standard error.
    enum class Link { Unknown, Working, Lost };

    bool connectToServer();
    void pump();
    // Sends what was asked of the server and reads what it said, not waiting.
    void exchange();
    void advance();
    Next advance(Sound &sound);
    void open(Sound &sound);
    void release(Sound &sound);
    void dropServer();
    std::shared_ptr<const Wave> find(const QString &fileName);

    WaveCache m_cache;
    pa_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    QDeadlineTimer m_answerBy; // the connection must be ready by then
    QHash<int, Sound> m_sounds;
    // Streams stopped before the server confirmed them: libpulse can
    // disconnect a stream only once it has been made, so each is kept until
    // then.
    QList<pa_stream *> m_closing;
    QTimer m_pump;
    Link m_link = Link::Unknown;
};

PulseOutput::PulseOutput() : m_loop(pa_mainloop_new())
{
    connect(&m_pump, &QTimer::timeout, this, &PulseOutput::pump);
}

PulseOutput::~PulseOutput()
{
    m_link = Link::Unknown; // ending is not losing the server
    dropServer();
    if (m_loop)
        pa_mainloop_free(m_loop);
}

bool PulseOutput::connectToServer()
{
    if (m_context)
        return true;
    if (!m_loop)
        return false;
    m_context = pa_context_new(pa_mainloop_get_api(m_loop), "Meetling experiment");
    if (!m_context)
        return false;
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        qCDebug(lcSound, "cannot reach the audio server: %s", pa_strerror(pa_context_errno(m_context)));
        dropServer();
        return false;
    }
    m_answerBy.setRemainingTime(AnswerTimeoutMs);
    return true;
}

void PulseOutput::dropServer()
{
    for (Sound &sound : m_sounds)
        release(sound);
    m_sounds.clear();
    for (pa_stream *stream : std::as_const(m_closing))
        pa_stream_unref(stream);
    m_closing.clear();
    if (m_context) {
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
        m_context = nullptr;
    }
    m_pump.stop();
    if (m_link == Link::Working) {
        say("the sound is lost: the audio server went away or stopped answering; it comes back with the server");
        m_link = Link::Lost;
    }
}

void PulseOutput::pump()
{
    exchange();
    advance();
}

void PulseOutput::exchange()
{
    if (!m_loop)
        return;
    for (int round = 0; round < MaxDispatchRounds; ++round) {
        if (pa_mainloop_iterate(m_loop, 0, nullptr) <= 0)
            break;
    }
}

void PulseOutput::advance()
{
    if (m_context) {
        const pa_context_state_t state = pa_context_get_state(m_context);
        if (!PA_CONTEXT_IS_GOOD(state) || (state != PA_CONTEXT_READY && m_answerBy.hasExpired())) {
            qCDebug(lcSound, "connection dropped: %s",
                    PA_CONTEXT_IS_GOOD(state) ? "no answer in time" : pa_strerror(pa_context_errno(m_context)));
            dropServer();
            return;
        }
        if (state == PA_CONTEXT_READY && m_link != Link::Working) {
            qCDebug(lcSound, "connected to the audio server");
            if (m_link == Link::Lost)
                say("the sound is back");
            m_link = Link::Working;
        }
    }
    for (auto it = m_sounds.begin(); it != m_sounds.end();) {
        const Next next = advance(*it);
        if (next == Next::ServerStalled) {
            qCDebug(lcSound, "connection dropped: a stream not made in time");
            dropServer();
            return;
        }
        if (next == Next::Drop) {
            release(*it);
            it = m_sounds.erase(it);
        } else {
            ++it;
        }
    }
    m_closing.removeIf([](pa_stream *stream) {
        const pa_stream_state_t state = pa_stream_get_state(stream);
        if (state == PA_STREAM_CREATING)
            return false;
        if (state == PA_STREAM_READY)
            pa_stream_disconnect(stream);
        pa_stream_unref(stream);
        return true;
    });
    const bool connecting = m_context && pa_context_get_state(m_context) != PA_CONTEXT_READY;
    if (!connecting && m_sounds.isEmpty() && m_closing.isEmpty()) {
        // The streams just closed are closed on the server too before the
        // thread sleeps, not on the next cue: a sink that was not playing
        // would otherwise play them once it does.
        exchange();
        m_pump.stop();
        return;
    }
    const bool handingOver =
        connecting || !m_closing.isEmpty() ||
        std::any_of(m_sounds.cbegin(), m_sounds.cend(), [](const Sound &sound) { return !sound.drain; });
    const int interval = handingOver ? PumpIntervalMs : PlayOutPumpIntervalMs;
    if (!m_pump.isActive() || m_pump.interval() != interval)
        m_pump.start(interval);
}

PulseOutput::Next PulseOutput::advance(Sound &sound)
{
    if (pa_context_get_state(m_context) != PA_CONTEXT_READY)
        return Next::Keep; // the connection's own deadline bounds this wait
    if (!sound.stream) {
        open(sound);
        if (!sound.stream)
            return Next::Drop;
    }
    switch (pa_stream_get_state(sound.stream)) {
    case PA_STREAM_UNCONNECTED:
    case PA_STREAM_CREATING: return sound.answerBy.hasExpired() ? Next::ServerStalled : Next::Keep;
    case PA_STREAM_FAILED:
        qCDebug(lcSound, "stream failed: %s", pa_strerror(pa_context_errno(m_context)));
        return Next::Drop;
    case PA_STREAM_TERMINATED: return Next::Drop;
    case PA_STREAM_READY: break;
    }
    if (sound.doneBy.hasExpired()) {
        qCDebug(lcSound, "stream dropped: not played out in time");
        return Next::Drop;
    }
    if (sound.drain)
        return pa_operation_get_state(sound.drain) == PA_OPERATION_RUNNING ? Next::Keep : Next::Drop;

    // As much as the server's buffer takes now, in whole frames; the rest on
    // a later pump. Once all is written, the drain starts it playing even
    // when it is shorter than the buffer.
    const size_t room = pa_stream_writable_size(sound.stream);
    if (room == size_t(-1))
        return Next::Drop;
    const qsizetype frame = 2 * sound.wave->channels;
    const qsizetype left = sound.wave->samples.size() - sound.written;
    const qsizetype now = std::min<qsizetype>(left, qsizetype(room) / frame * frame);
    if (now > 0) {
        if (pa_stream_write(sound.stream, sound.wave->samples.constData() + sound.written, size_t(now), nullptr, 0,
                            PA_SEEK_RELATIVE) < 0)
            return Next::Drop;
        sound.written += now;
    }
    if (sound.written == sound.wave->samples.size()) {
        sound.drain = pa_stream_drain(sound.stream, nullptr, nullptr);
        if (!sound.drain)
            return Next::Drop;
    }
    return Next::Keep;
}

void PulseOutput::open(Sound &sound)
{
    const pa_sample_spec format{PA_SAMPLE_S16LE, uint32_t(sound.wave->sampleRate), uint8_t(sound.wave->channels)};
    sound.stream = pa_stream_new(m_context, "cue", &format, nullptr);
    if (!sound.stream)
        return;
    // The stream starts playing once its buffer is full or, for a shorter
    // sound, once the drain asks for it: either comes with the first write.
    const uint32_t bufferBytes = uint32_t(pa_usec_to_bytes(BufferUsec, &format));
    const pa_buffer_attr buffer{uint32_t(-1), bufferBytes, uint32_t(-1), uint32_t(-1), uint32_t(-1)};
    if (pa_stream_connect_playback(sound.stream, nullptr, &buffer, PA_STREAM_NOFLAGS, nullptr, nullptr) < 0) {
        pa_stream_unref(std::exchange(sound.stream, nullptr));
        return;
    }
    sound.answerBy.setRemainingTime(AnswerTimeoutMs);
    sound.doneBy.setRemainingTime(AnswerTimeoutMs + lengthMs(*sound.wave) + PlayOutMarginMs);
}

void PulseOutput::release(Sound &sound)
{
    if (sound.drain) {
        pa_operation_cancel(sound.drain);
        pa_operation_unref(std::exchange(sound.drain, nullptr));
    }
    pa_stream *stream = std::exchange(sound.stream, nullptr);
    if (!stream)
        return;
    switch (pa_stream_get_state(stream)) {
    case PA_STREAM_CREATING: m_closing.append(stream); return;
    case PA_STREAM_READY: pa_stream_disconnect(stream); break;
    default: break;
    }
    pa_stream_unref(stream);
}

std::shared_ptr<const Wave> PulseOutput::find(const QString &fileName)
{
    WaveCache::Found found = m_cache.find(fileName);
    if (!found.complaint.isEmpty())
        std::fputs(qPrintable(found.complaint + u'\n'), stderr);
    return found.wave;
}

void PulseOutput::play(int control, const QString &fileName)
{
    stop(control);
    std::shared_ptr<const Wave> wave = find(fileName);
    if (!wave)
        return;
    // What the server said since the last look comes first: a connection
    // that broke while nothing played is found broken here, and replaced.
    pump();
    if (!connectToServer())
        return;
    Sound sound;
    sound.wave = std::move(wave);
    m_sounds.insert(control, std::move(sound));
    advance();
}

void PulseOutput::stop(int control)
{
    auto it = m_sounds.find(control);
    if (it == m_sounds.end())
        return;
    release(*it);
    m_sounds.erase(it);
}

void PulseOutput::preload(const QStringList &fileNames)
{
    for (const QString &name : fileNames)
        find(name);
    pump();
    if (connectToServer())
        advance();
}

std::unique_ptr<AudioOutput> makePulseOutput()
{
    return std::make_unique<PulseOutput>();
}
