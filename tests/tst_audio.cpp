// Plays the cues through a real PulseAudio server (started by the test
// fixture, with a null sink) and records what reaches the sink.

#include "qtmultimediacontrol.h"
#include "soundcue.h"

#include <QAudioSink>
#include <QElapsedTimer>
#include <QProcess>

#include <QTest>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int Rate = 44100;
constexpr int Loud = 1000; // about -30 dBFS; the cues peak at -3 dBFS

int samplesFor(int ms)
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

    bool waitUntilStreaming()
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 5000) {
            pump();
            if (m_samples.size() > samplesFor(100))
                return true;
        }
        return false;
    }
    // The index of the next sample to arrive.
    qsizetype mark()
    {
        pump();
        return m_samples.size();
    }
    // Runs the event loop until ms of sound after from have arrived.
    QList<qint16> listen(qsizetype from, int ms)
    {
        QElapsedTimer timer;
        timer.start();
        while (m_samples.size() < from + samplesFor(ms) && timer.elapsed() < ms + 5000)
            pump();
        return m_samples.mid(from, samplesFor(ms));
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

// The first sample at or above the loud level, or -1.
qsizetype onset(const QList<qint16> &samples, qsizetype from = 0)
{
    for (qsizetype i = from; i < samples.size(); ++i) {
        if (std::abs(samples[i]) >= Loud)
            return i;
    }
    return -1;
}

int peak(const QList<qint16> &samples, qsizetype from, qsizetype to)
{
    int p = 0;
    for (qsizetype i = std::max<qsizetype>(from, 0); i < std::min(to, samples.size()); ++i)
        p = std::max(p, std::abs(int(samples[i])));
    return p;
}

} // namespace

class TestAudio : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void eachCueSoundsWithin300ms_data();
    void eachCueSoundsWithin300ms();
    void aSecondCueCutsTheFirst();
    void tenThousandCuesLeaveTheNextOneWorking();

private:
    Recorder *m_recorder = nullptr;
};

void TestAudio::initTestCase()
{
    QVERIFY2(!qEnvironmentVariableIsEmpty("PULSE_SERVER"), "run under the PulseAudio fixture");
    QVERIFY(QtMultimediaControl::hasAudioOutput());
    m_recorder = new Recorder;
    QVERIFY(m_recorder->waitUntilStreaming());
}

void TestAudio::eachCueSoundsWithin300ms_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("lengthMs");
    QTest::newRow("pinpon") << "pinpon.wav" << 900;
    QTest::newRow("endpinpon") << "endpinpon.wav" << 1500;
    QTest::newRow("logoff") << "logoff.wav" << 730;
}

void TestAudio::eachCueSoundsWithin300ms()
{
    QFETCH(QString, file);
    QFETCH(int, lengthMs);
    // A fresh control: the first cue on a window, loading included.
    QtMultimediaControl control;
    const qsizetype before = m_recorder->mark();
    const QList<qint16> quiet = m_recorder->listen(before - samplesFor(50), 50);
    QVERIFY2(peak(quiet, 0, quiet.size()) < Loud, "the sink was not quiet before the cue");

    const qsizetype from = m_recorder->mark();
    SoundCue(control, file);
    const QList<qint16> heard = m_recorder->listen(from, lengthMs + 600);
    const qsizetype start = onset(heard);
    QVERIFY2(start >= 0, "nothing was heard");
    QVERIFY2(start < samplesFor(300), qPrintable(QStringLiteral("onset after %1 ms").arg(start * 1000 / Rate)));
    QVERIFY(peak(heard, start, heard.size()) > 10 * Loud);
    // The whole sound, and then quiet again.
    QVERIFY(peak(heard, start + samplesFor(lengthMs + 100), heard.size()) < Loud);
}

void TestAudio::aSecondCueCutsTheFirst()
{
    QtMultimediaControl control;
    control.preload({"endpinpon.wav", "logoff.wav"});
    QTest::qWait(200);

    const qsizetype from = m_recorder->mark();
    SoundCue(control, QStringLiteral("endpinpon.wav")); // 1.5 s
    m_recorder->listen(from, 300);
    const qsizetype second = m_recorder->mark();
    SoundCue(control, QStringLiteral("logoff.wav")); // 0.73 s
    const QList<qint16> heard = m_recorder->listen(from, 2200);

    const qsizetype first = onset(heard);
    QVERIFY(first >= 0);
    // Had the first cue gone on, its last note would still ring 1.2 to 1.5 s
    // after it started.
    const int tail = peak(heard, first + samplesFor(1200), first + samplesFor(1500));
    QVERIFY2(tail < Loud, qPrintable(QStringLiteral("peak %1 where the first cue should be cut").arg(tail)));
    QVERIFY(onset(heard, second - from) >= 0);
}

void TestAudio::tenThousandCuesLeaveTheNextOneWorking()
{
    QtMultimediaControl control;
    const QStringList files{"pinpon.wav", "endpinpon.wav", "logoff.wav"};
    for (int i = 0; i < 10000; ++i) {
        SoundCue(control, files[i % 3]);
        if (i % 100 == 0)
            QCoreApplication::processEvents();
    }

    QTest::qWait(1000);
    // Each sound had its own audio stream; none is left behind.
    QVERIFY(control.findChildren<QAudioSink *>().size() <= 1);

    const qsizetype from = m_recorder->mark();
    SoundCue(control, QStringLiteral("pinpon.wav"));
    const QList<qint16> heard = m_recorder->listen(from, 600);
    const qsizetype start = onset(heard);
    QVERIFY2(start >= 0 && start < samplesFor(300), qPrintable(QStringLiteral("onset %1, peak %2").arg(start).arg(peak(heard, 0, heard.size()))));
}

QTEST_GUILESS_MAIN(TestAudio)
#include "tst_audio.moc"
