#include "sound/audioworker.h"

#include "sound/audiooutput.h"
#include "sound/soundlog.h"

#include <QMutexLocker>

#include <chrono>

qint64 cueClockMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

AudioWorker::AudioWorker(OutputMaker makeOutput, Clock clock)
    : m_makeOutput(std::move(makeOutput)), m_clock(std::move(clock))
{}

AudioWorker::~AudioWorker() = default;

void AudioWorker::start()
{
    m_output = m_makeOutput();
}

void AudioWorker::finish()
{
    m_output.reset();
}

void AudioWorker::note(int control, const std::function<void(Request &)> &change)
{
    bool posted = false;
    {
        const QMutexLocker lock(&m_mutex);
        posted = m_waiting.contains(control);
        change(m_waiting[control]);
    }
    if (!posted)
        QMetaObject::invokeMethod(
            this, [this, control] { serve(control); }, Qt::QueuedConnection);
}

void AudioWorker::ask(int control, bool stop, const QString &play)
{
    const qint64 now = m_clock();
    note(control, [&](Request &request) {
        if (stop) {
            // Whatever was asked to sound and has not started yet is dropped too.
            request.stop = true;
            request.play.clear();
        }
        if (!play.isEmpty()) {
            request.play = play;
            request.askedAt = now;
        }
    });
}

void AudioWorker::close(int control)
{
    note(control, [](Request &request) { request.closed = true; });
}

void AudioWorker::preload(const QStringList &fileNames)
{
    QMetaObject::invokeMethod(
        this,
        [this, fileNames] {
            if (m_output)
                m_output->preload(fileNames);
        },
        Qt::QueuedConnection);
}

void AudioWorker::serve(int control)
{
    Request request;
    {
        const QMutexLocker lock(&m_mutex);
        request = m_waiting.take(control);
    }
    carryOut(control, request);
}

void AudioWorker::carryOut(int control, const Request &request)
{
    if (!m_output)
        return;
    if (request.stop || request.closed || !request.play.isEmpty())
        m_output->stop(control);
    if (request.closed || request.play.isEmpty())
        return;
    const qint64 waited = m_clock() - request.askedAt;
    if (waited <= MaxLatenessMs)
        m_output->play(control, request.play);
    else
        qCDebug(lcSound, "%s not played: it waited %lld ms", qPrintable(request.play), qlonglong(waited));
}
