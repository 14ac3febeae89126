#pragma once

// What reaches the null sink of the tests' private PulseAudio server
// (tests/audio/pulse.sh), recorded from its monitor with parec.

#include "waiting.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QList>
#include <QProcess>

#include <algorithm>
#include <cstdlib>

inline constexpr int Rate = 44100;
inline constexpr int Loud = 1000; // about -30 dBFS; the cues peak at -3 dBFS

inline int samplesFor(int ms)
{
    return Rate * ms / 1000;
}

// Records the sink's monitor as 16-bit mono samples.
class Recorder
{
public:
    Recorder()
    {
        m_parec.start(QStringLiteral("parec"), {"-d", "meetling_sink.monitor", "--format=s16le", "--rate=44100",
                                                "--channels=1", "--raw", "--latency-msec=10"});
    }
    ~Recorder()
    {
        m_parec.kill();
        m_parec.waitForFinished();
    }

    // True once the monitor streams.
    bool streaming() { return listen(mark(), 100).size() == samplesFor(100); }
    // The index of the next sample to arrive.
    qsizetype mark()
    {
        pump();
        return m_samples.size();
    }
    // Runs the event loop until ms of sound after from have arrived.
    QList<qint16> listen(qsizetype from, int ms)
    {
        const QDeadlineTimer deadline(waitDeadline() + std::chrono::milliseconds(ms));
        while (m_samples.size() < from + samplesFor(ms) && !deadline.hasExpired())
            pump();
        return m_samples.mid(from, samplesFor(ms));
    }
    // Runs the event loop until a sample at or above the loud level arrives
    // after from; its index, or -1 if none came before the wait deadline.
    qsizetype waitForOnset(qsizetype from)
    {
        const QDeadlineTimer deadline(waitDeadline());
        for (qsizetype i = from; !deadline.hasExpired(); pump()) {
            for (; i < m_samples.size(); ++i) {
                if (std::abs(m_samples[i]) >= Loud)
                    return i;
            }
        }
        return -1;
    }

private:
    void pump()
    {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        m_parec.waitForReadyRead(5);
        m_bytes += m_parec.readAllStandardOutput();
        const qsizetype whole = m_bytes.size() / 2;
        const auto *data = reinterpret_cast<const qint16 *>(m_bytes.constData());
        m_samples.append(QList<qint16>(data, data + whole));
        m_bytes.remove(0, whole * 2);
    }

    QProcess m_parec;
    QByteArray m_bytes;
    QList<qint16> m_samples;
};

inline int peak(const QList<qint16> &samples, qsizetype from, qsizetype to)
{
    int p = 0;
    for (qsizetype i = std::max<qsizetype>(from, 0); i < std::min(to, samples.size()); ++i)
        p = std::max(p, std::abs(int(samples[i])));
    return p;
}

// A stretch of loud sound, from its first loud sample to one past its last.
struct Stretch
{
    qsizetype begin = 0;
    qsizetype end = 0;
};

// The loud stretches of samples, in order; loud samples less than 20 ms
// apart (a tone's zero crossings) are one stretch.
inline QList<Stretch> loudStretches(const QList<qint16> &samples)
{
    QList<Stretch> stretches;
    for (qsizetype i = 0; i < samples.size(); ++i) {
        if (std::abs(samples[i]) < Loud)
            continue;
        if (!stretches.isEmpty() && i - stretches.back().end < samplesFor(20))
            stretches.back().end = i + 1;
        else
            stretches.append({i, i + 1});
    }
    return stretches;
}
