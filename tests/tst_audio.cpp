// Plays the cues through a real PulseAudio server (started by the test
// fixture, with a null sink) and records what reaches the sink; stalls,
// stops and restarts that server under the program.

#include "audiothread.h"
#include "monitor.h"
#include "soundcontrol.h"
#include "soundcue.h"
#include "waiting.h"
#include "wave.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTimer>

#include <QTest>

#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Whatever the code under test writes to standard error while it lives, or
// until lines() is asked for.
class CapturedStderr
{
public:
    CapturedStderr()
    {
        m_file.open();
        std::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
        ::dup2(m_file.handle(), STDERR_FILENO);
    }
    ~CapturedStderr() { lines(); }
    QStringList lines()
    {
        if (m_saved >= 0) {
            std::fflush(stderr);
            ::dup2(m_saved, STDERR_FILENO);
            ::close(std::exchange(m_saved, -1));
        }
        m_file.seek(0);
        return QString::fromLocal8Bit(m_file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

private:
    QTemporaryFile m_file;
    int m_saved = -1;
};

// A 250 ms tone of 660 Hz, at half of full scale unless told, written by
// libsndfile.
bool writeTone(const QString &path, int format, int channels, int rate, float level = 0.5f)
{
    SF_INFO info{0, rate, channels, format, 0, 0};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    std::vector<float> samples;
    for (int f = 0; f < rate / 4; ++f)
        samples.insert(samples.end(), size_t(channels), level * float(std::sin(f * 2 * M_PI * 660 / rate)));
    return file && sf_writef_float(file, samples.data(), rate / 4) == rate / 4 && sf_close(file) == 0;
}

QString pulse(const QString &command)
{
    const int status = QProcess::execute(QStringLiteral("sh"), {qEnvironmentVariable("MEETLING_PULSE_SH"), command,
                                                               qEnvironmentVariable("MEETLING_PULSE_DIR")});
    return status == 0 ? QString() : QStringLiteral("pulse.sh %1 failed").arg(command);
}

pid_t serverPid()
{
    QFile file(qEnvironmentVariable("MEETLING_PULSE_DIR") + QStringLiteral("/pulse/pid"));
    return file.open(QIODevice::ReadOnly) ? pid_t(file.readAll().trimmed().toInt()) : 0;
}

// Kills the server with no chance to say goodbye; true once it is gone.
bool killServer()
{
    const pid_t server = serverPid();
    if (server <= 0 || ::kill(server, SIGKILL) != 0)
        return false;
    return QTest::qWaitFor([server] { return ::kill(server, 0) != 0; }, int(waitDeadline().count()));
}

} // namespace

class TestAudio : public QObject
{
    Q_OBJECT

public:
    explicit TestAudio(AudioThread &thread) : m_thread(thread) {}

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("PULSE_SERVER"), "run under the PulseAudio fixture");
        m_recorder = std::make_unique<Recorder>();
        QVERIFY(m_recorder->streaming());
    }

    void soundComesBackWhenTheServerDoes()
    {
        // The first cue of the process finds no server at all; then the server
        // starts, and later it is restarted under a working stream.
        m_recorder.reset();
        QCOMPARE(pulse("stop"), QString());
        SoundControl control(m_thread);
        SoundCue(control, QStringLiteral("pinpon.wav"));
        // Nothing can be heard of this cue: the wait only gives the audio thread
        // time to try the missing server and give up on it.
        QTest::qWait(500);
        for (const char *when : {"started after the program", "killed while idle after a cue"}) {
            if (m_recorder) {
                m_recorder.reset();
                QVERIFY(killServer());
                // Away for seconds, long enough for a library's one reconnection
                // attempt to find nothing: the length of the outage is the point
                // of this wait.
                SoundCue(control, QStringLiteral("pinpon.wav"));
                QTest::qWait(4500);
            }
            QCOMPARE(pulse("start"), QString());
            m_recorder = std::make_unique<Recorder>();
            QVERIFY(m_recorder->streaming());
            const qint64 back = cueUntilHeard(control);
            qInfo("server %s: sound back after %lld ms", when, back);
            QVERIFY2(back >= 0, when);
        }
    }

    void soundComesBackAfterRestartsInARow()
    {
        // Five kills and restarts in about ten seconds, a cue after each.
        SoundControl control(m_thread);
        m_recorder.reset();
        for (int restart = 0; restart < 5; ++restart) {
            QVERIFY(killServer());
            QCOMPARE(pulse("start"), QString());
            SoundCue(control, QStringLiteral("logoff.wav"));
            // Time for that cue to find the new server, and for the next kill
            // to come two seconds after this one: the pace is the point.
            QTest::qWait(2000);
        }
        m_recorder = std::make_unique<Recorder>();
        QVERIFY(m_recorder->streaming());
        const qint64 back = cueUntilHeard(control);
        qInfo("after five restarts: sound back after %lld ms", back);
        QVERIFY(back >= 0);
    }

    void eachWaveKindSoundsOrFallsBack_data()
    {
        QTest::addColumn<int>("format"); // libsndfile's format of pinpon.wav; 0: made otherwise
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("rate");
        QTest::addColumn<QString>("reason"); // empty: the file itself is heard
        // Sample formats are libsndfile's business; these rows take each of the
        // program's own paths: mono at another rate, stereo, mixed down.
        QTest::newRow("8-bit, 22.05 kHz") << (SF_FORMAT_WAV | SF_FORMAT_PCM_U8) << 1 << 22050 << "";
        QTest::newRow("extensible 24-bit") << (SF_FORMAT_WAVEX | SF_FORMAT_PCM_24) << 2 << 44100 << "";
        QTest::newRow("6 channels") << (SF_FORMAT_WAVEX | SF_FORMAT_PCM_16) << 6 << 48000 << "";
        QTest::newRow("no file: built-in") << 0 << 0 << 0 << "";
        QTest::newRow("damaged") << 0 << 1 << 0 << "not a sound file libsndfile reads";
        QTest::newRow("over 16 MiB") << 0 << 2 << 0 << "larger than 16 MiB";
        QTest::newRow("named pipe") << 0 << 3 << 0 << "a named pipe";
        QTest::newRow("directory") << 0 << 4 << 0 << "a directory";
    }

    void eachWaveKindSoundsOrFallsBack()
    {
        QFETCH(int, format);
        QFETCH(int, channels);
        QFETCH(int, rate);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString home = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        const auto back = qScopeGuard([&] { QDir::setCurrent(home); });
        const QString file = QStringLiteral("pinpon.wav");
        if (format != 0) {
            QVERIFY(writeTone(file, format, channels, rate));
            // Mono and stereo pass as they are; more channels are mixed down.
            QFile written(file);
            QVERIFY(written.open(QIODevice::ReadOnly));
            QCOMPARE(std::get<Wave>(decodeWave(written.readAll())).channels, channels <= 2 ? channels : 1);
        } else if (channels == 1 || channels == 2) {
            QFile damaged(file);
            QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write("RIFF????WAVEfmt garbage") > 0);
            QVERIFY(channels == 1 || damaged.resize(17 * 1024 * 1024));
        } else if (channels == 3) {
            QCOMPARE(::mkfifo("pinpon.wav", 0600), 0);
        } else if (channels == 4) {
            QVERIFY(QDir().mkdir(file));
        }

        CapturedStderr err;
        SoundControl control(m_thread);
        const qsizetype from = m_recorder->mark();
        SoundCue(control, file);
        // A file that cannot be played is reported once, however often it is cued.
        if (format == 0)
            SoundCue(control, file);
        const qsizetype start = m_recorder->waitForOnset(from);
        QVERIFY2(start >= 0, "nothing heard");
        // From the first loud sample on: the file's 250 ms tone, or the built-in
        // 900 ms sound.
        const QList<qint16> heard = m_recorder->listen(start, 900);
        const QStringList lines = err.lines();
        QCOMPARE(lines.size(), reason.isEmpty() ? 0 : 1);
        if (format != 0) {
            QVERIFY2(peak(heard, samplesFor(150), samplesFor(230)) >= Loud && peak(heard, samplesFor(400), heard.size()) < Loud,
                     "the file's own tone was not heard");
            // Half of full scale: not noise, nor channels summed into clipping.
            QVERIFY(peak(heard, 0, heard.size()) < 20000);
        } else {
            QVERIFY2(peak(heard, samplesFor(450), samplesFor(650)) >= Loud, "the built-in sound was not heard");
            const QString expected = QStringLiteral("meetling: cannot play pinpon.wav (%1").arg(reason);
            for (const QString &line : lines)
                QVERIFY2(line.startsWith(expected) && line.endsWith(u"); using the built-in sound"), qPrintable(line));
        }
    }

    void aSecondCueCutsTheFirst()
    {
        // The second cue is a quiet tone, so that whatever loud comes after it is
        // the first cue going on, however late either cue is heard.
        QTemporaryDir dir;
        const QString home = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        const auto back = qScopeGuard([&] { QDir::setCurrent(home); });
        QVERIFY(writeTone(QStringLiteral("logoff.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, Rate, 0.01f));
        SoundControl control(m_thread);

        const qsizetype from = m_recorder->mark();
        SoundCue(control, QStringLiteral("endpinpon.wav")); // 1.5 s
        const qsizetype first = m_recorder->waitForOnset(from);
        QVERIFY2(first >= 0, "the first cue was not heard");
        m_recorder->listen(first, 300);
        SoundCue(control, QStringLiteral("logoff.wav"));
        const QList<qint16> heard = m_recorder->listen(first, 1800);

        // Had the first cue gone on, its last note would still ring 1.2 to 1.5 s
        // after it started.
        qsizetype last = samplesFor(1800) - 1;
        while (last > 0 && std::abs(heard.value(last)) < Loud)
            --last;
        const int tail = peak(heard, samplesFor(1200), samplesFor(1500));
        QVERIFY2(tail < Loud, qPrintable(QStringLiteral("peak %1 where the first cue should be cut").arg(tail)));
        // After the last loud sample, only the quiet tone.
        QVERIFY2(peak(heard, last + 1, heard.size()) > Loud / 10, "the second cue was not heard");
    }

    void aControlClosedAsItsSoundRunsOutIsNotCalledBack()
    {
        // When a sound runs out, the server is asked to drain its stream, and its
        // answer comes a moment later. The built-in pinpon.wav lasts 0.9 s: its
        // control is closed at moments around that end, each time a new one.
        for (int closeAfterMs = 850; closeAfterMs <= 1025; closeAfterMs += 25) {
            auto control = std::make_unique<SoundControl>(m_thread);
            const qsizetype from = m_recorder->mark();
            SoundCue(*control, QStringLiteral("pinpon.wav"));
            const qsizetype start = m_recorder->waitForOnset(from);
            QVERIFY2(start >= 0, "nothing heard");
            m_recorder->listen(start, closeAfterMs);
        }
        // A late answer would have reached a closed control by now.
        m_recorder->listen(m_recorder->mark(), 300);
    }

    void aStalledServerNeverHoldsTheEventLoop()
    {
        auto control = std::make_unique<SoundControl>(m_thread);
        QVERIFY(cueUntilHeard(*control) >= 0);
        const pid_t server = serverPid();
        QVERIFY(server > 0);
        QCOMPARE(::kill(server, SIGSTOP), 0);
        auto resume = qScopeGuard([server] { ::kill(server, SIGCONT); });

        // Cues every 100 ms from the event loop, as the ticks and buttons send
        // them, while a 10 ms timer measures how late the loop runs; at 1.6 s, a
        // window's control is deleted and another made. The wait lasts as long
        // as the stall it measures.
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0;
        qint64 worst = 0;
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] {
            worst = std::max(worst, clock.elapsed() - last);
            last = clock.elapsed();
            if (++ticks % 10 == 0)
                SoundCue(*control, QStringLiteral("logoff.wav"));
            if (ticks == 160)
                control = std::make_unique<SoundControl>(m_thread);
        });
        ticker.start(10);
        QTest::qWait(3000);
        ticker.stop();
        ::kill(server, SIGCONT);
        resume.dismiss();
        qInfo("largest gap between 10 ms ticks while the server was stopped: %lld ms", worst);
        // A loop held by the server would show the whole 3 s stall; the margin
        // is for a busy build machine.
        QVERIFY2(worst < 500, qPrintable(QString::number(worst)));

        // Once the server runs again, so do the cues.
        QVERIFY(cueUntilHeard(*control) >= 0);
    }

    void withoutItsModuleTheThreadGoesOnSilentlyAndSaysSoOnce()
    {
        CapturedStderr err;
        AudioThread thread([] { return AudioThread::loadSoundModule({QDir::currentPath() + QStringLiteral("/none/meetling-sound.so")}); });
        {
            SoundControl control(thread);
            thread.worker().preload({QStringLiteral("pinpon.wav")});
            for (int i = 0; i < 3; ++i)
                SoundCue(control, QStringLiteral("pinpon.wav"));
        }
        // Once the thread has worked through all of them.
        QMetaObject::invokeMethod(&thread.worker(), [] {}, Qt::BlockingQueuedConnection);
        QVERIFY(thread.shutdown(int(waitDeadline().count())));
        const QStringList lines = err.lines();
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines[0].startsWith(u"meetling: the sounds are off ("), qPrintable(lines[0]));
    }

private:
    // Cues pinpon.wav every 500 ms until it is heard; the time it took, or
    // -1 if the wait deadline passed first.
    qint64 cueUntilHeard(SoundControl &control)
    {
        QElapsedTimer timer;
        timer.start();
        const QDeadlineTimer deadline(waitDeadline());
        while (!deadline.hasExpired()) {
            const qsizetype from = m_recorder->mark();
            SoundCue(control, QStringLiteral("pinpon.wav"));
            if (peak(m_recorder->listen(from, 500), 0, samplesFor(500)) >= Loud)
                return timer.elapsed();
        }
        return -1;
    }

    AudioThread &m_thread;
    std::unique_ptr<Recorder> m_recorder;
};

// Plays through the sound module as built, and ends as the program does:
// the streams are left to the end of the process, whose exit handlers in
// the audio library would race its own threads.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    AudioThread thread([] { return AudioThread::loadSoundModule({QStringLiteral(MEETLING_SOUND_MODULE)}); });
    TestAudio test(thread);
    const int status = QTest::qExec(&test, argc, argv);
    thread.shutdown(500);
    std::fflush(nullptr);
    std::_Exit(status);
}

#include "tst_audio.moc"
