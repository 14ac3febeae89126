// Plays the cues through a real PulseAudio server (started by the test
// fixture, with a null sink) and records what reaches the sink; stalls,
// stops and restarts that server under the program.

#include "sound/audiothread.h"
#include "monitor.h"
#include "sound/soundcontrol.h"
#include "sound/soundcue.h"
#include "waiting.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
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
// libsndfile. Loud from end to end: heard, it is one loud stretch.
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

// How many streams the server plays (ours: the recorder's is a record
// stream).
int sinkInputs()
{
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), {"list", "short", "sink-inputs"});
    return pactl.waitForFinished(int(waitDeadline().count())) ? int(pactl.readAllStandardOutput().count('\n')) : -1;
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
        QMetaObject::invokeMethod(
            &m_thread.worker(), [] { return ::gettid(); }, Qt::BlockingQueuedConnection, &m_audioTid);
        QVERIFY(wakeups() >= 0);
    }

    // Nothing of the previous test still sounds: the audio thread sleeps once
    // every sound has played out.
    void init() { QVERIFY(waitUntilIdle()); }

    void soundComesBackWhenTheServerDoes()
    {
        // The first cue of the process finds no server at all; then the server
        // starts, and later it is killed while idle and started again.
        m_recorder.reset();
        QCOMPARE(pulse("stop"), QString());
        SoundControl control(m_thread);
        for (const char *when : {"started after the program", "killed while idle after a cue"}) {
            if (m_recorder) {
                m_recorder.reset();
                QVERIFY(killServer());
            }
            // Nothing can be heard of this cue; the thread tries the missing
            // server and gives up on it.
            SoundCue(control, QStringLiteral("pinpon.wav"));
            QVERIFY(waitUntilIdle());
            QCOMPARE(pulse("start"), QString());
            m_recorder = std::make_unique<Recorder>();
            QVERIFY(m_recorder->streaming());
            const qint64 back = cueUntilHeard(control);
            qInfo("server %s: sound back after %lld ms", when, back);
            QVERIFY2(back >= 0, when);
        }
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
        // Where the sound is loud, found in the recording from its first loud
        // sample on: the file's 250 ms tone in one piece, or the built-in
        // sound's notes over most of its 900 ms.
        const QList<qint16> heard = m_recorder->listen(start, 1200);
        const QList<Stretch> loud = loudStretches(heard);
        const QStringList lines = err.lines();
        QCOMPARE(lines.size(), reason.isEmpty() ? 0 : 1);
        if (format != 0) {
            QCOMPARE(loud.size(), 1);
            const qsizetype length = loud[0].end - loud[0].begin;
            QVERIFY2(length > samplesFor(230) && length < samplesFor(270), "the file's own tone was not heard");
            // Half of full scale: not noise, nor channels summed into clipping.
            QVERIFY(peak(heard, 0, heard.size()) < 20000);
        } else {
            QVERIFY2(loud.back().end > samplesFor(500), "the built-in sound was not heard");
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
        const qsizetype last = loudStretches(heard).back().end;
        QVERIFY2(last < samplesFor(1200), qPrintable(QStringLiteral("loud until %1 samples in").arg(last)));
        // After the last loud sample, only the quiet tone.
        QVERIFY2(peak(heard, last, heard.size()) > Loud / 10, "the second cue was not heard");
    }

    void aStalledServerHoldsNeitherTheLoopNorALateCue()
    {
        // A connection that works, with nothing left to play: what the server
        // has been given plays on once it runs again.
        auto control = std::make_unique<SoundControl>(m_thread);
        QVERIFY(cueUntilHeard(*control) >= 0);
        QVERIFY(waitUntilIdle());
        CapturedStderr err;
        const pid_t server = serverPid();
        QVERIFY(server > 0);
        QCOMPARE(::kill(server, SIGSTOP), 0);
        auto resume = qScopeGuard([server] { ::kill(server, SIGCONT); });

        // The server stays stopped for 3.2 s, past the one-second deadline
        // twice over: a cue at once waits for its stream on the working
        // connection, and at 1.6 s a window's control is deleted and another
        // made, whose cue waits for a new connection. Meanwhile a 10 ms timer
        // measures how late the event loop runs.
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0;
        qint64 worst = 0;
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] {
            worst = std::max(worst, clock.elapsed() - last);
            last = clock.elapsed();
            if (++ticks == 160)
                control = std::make_unique<SoundControl>(m_thread);
            if (ticks == 1 || ticks == 160)
                SoundCue(*control, QStringLiteral("pinpon.wav"));
        });
        ticker.start(10);
        QTest::qWait(3200);
        ticker.stop();
        const qsizetype from = m_recorder->mark();
        ::kill(server, SIGCONT);
        resume.dismiss();
        qInfo("largest gap between 10 ms ticks while the server was stopped: %lld ms", worst);
        // A loop held by the server would show the whole stall; the margin is
        // for a busy build machine.
        QVERIFY2(worst < 500, qPrintable(QString::number(worst)));

        // Once the server runs again, the cues asked while it was stopped stay
        // unheard: they are seconds late. The next one sounds. What the sink
        // records for the stopped time may come at once as it catches up:
        // 1.5 s more is after the server ran again.
        const int late = peak(m_recorder->listen(from, 3200 + 1500), 0, samplesFor(3200 + 1500));
        QVERIFY2(late < Loud, qPrintable(QStringLiteral("a late cue heard at %1").arg(late)));
        QVERIFY(cueUntilHeard(*control) >= 0);
        const QStringList lines = err.lines();
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].startsWith(u"meetling: the sound is lost: "), qPrintable(lines[0]));
        QCOMPARE(lines[1], u"meetling: the sound is back");
    }

    void aSinkThatPlaysNothingHoldsACueOnlyUntilItsDeadline()
    {
        // A suspended sink takes the stream and its sound but plays nothing.
        // The stream is closed a few seconds after the sound should have
        // ended, and nothing of it is heard when the sink plays again.
        SoundControl control(m_thread);
        const auto suspend = [](const char *on) {
            return QProcess::execute(QStringLiteral("pactl"), {"suspend-sink", "meetling_sink", on}) == 0;
        };
        QVERIFY(suspend("1"));
        auto resume = qScopeGuard([&] { suspend("0"); });
        SoundCue(control, QStringLiteral("pinpon.wav"));
        const int deadline = int(waitDeadline().count());
        QVERIFY2(QTest::qWaitFor([] { return sinkInputs() == 1; }, deadline), "no stream made");
        QVERIFY2(QTest::qWaitFor([] { return sinkInputs() == 0; }, deadline), "the stream is kept");
        QVERIFY(waitUntilIdle());
        const qsizetype from = m_recorder->mark();
        QVERIFY(suspend("0"));
        resume.dismiss();
        QVERIFY(peak(m_recorder->listen(from, 1500), 0, samplesFor(1500)) < Loud);
    }

    void aCueCutWhileItsStreamIsMadeLeavesNothingOpen()
    {
        // The server stops for a moment, well within its deadline, so that the
        // first cue's stream is still being made when the second cue cuts it.
        SoundControl control(m_thread);
        QVERIFY(cueUntilHeard(control) >= 0);
        QVERIFY(waitUntilIdle());
        const pid_t server = serverPid();
        QVERIFY(server > 0);
        QCOMPARE(::kill(server, SIGSTOP), 0);
        auto resume = qScopeGuard([server] { ::kill(server, SIGCONT); });
        const qsizetype from = m_recorder->mark();
        for (const char *cue : {"endpinpon.wav", "pinpon.wav"}) {
            // The audio thread has taken the cue once it slept and woke again.
            const qint64 before = wakeups();
            SoundCue(control, QString::fromLatin1(cue));
            QVERIFY(QTest::qWaitFor([&] { return wakeups() >= before + 3; }, int(waitDeadline().count())));
        }
        ::kill(server, SIGCONT);
        resume.dismiss();
        QVERIFY2(m_recorder->waitForOnset(from) >= 0, "the second cue was not heard");
        // Once it has played out, the thread sleeps and the server plays no
        // stream of ours.
        QVERIFY(waitUntilIdle());
        QTRY_COMPARE_WITH_TIMEOUT(sinkInputs(), 0, int(waitDeadline().count()));
    }

    void theThreadSaysOnlyWhatTheUserMustKnow_data()
    {
        QTest::addColumn<QString>("module");
        QTest::addColumn<QString>("said"); // the start of the one line said; empty: none
        QTest::newRow("no module") << QDir::currentPath() + QStringLiteral("/none/meetling-sound.so")
                                   << "meetling: the sounds are off (";
        QTest::newRow("ended after its cues") << QStringLiteral(MEETLING_SOUND_MODULE) << "";
    }

    void theThreadSaysOnlyWhatTheUserMustKnow()
    {
        QFETCH(QString, module);
        QFETCH(QString, said);
        CapturedStderr err;
        AudioThread thread([module] { return AudioThread::loadSoundModule({module}); });
        {
            SoundControl control(thread);
            thread.worker().preload({QStringLiteral("pinpon.wav")});
            for (int i = 0; i < 3; ++i)
                SoundCue(control, QStringLiteral("pinpon.wav"));
            if (said.isEmpty())
                QVERIFY(cueUntilHeard(control) >= 0);
        }
        // Once the thread has worked through all of them, it ends.
        QMetaObject::invokeMethod(
            &thread.worker(), [] {}, Qt::BlockingQueuedConnection);
        QVERIFY(thread.shutdown(int(waitDeadline().count())));
        const QStringList lines = err.lines();
        QCOMPARE(lines.size(), said.isEmpty() ? 0 : 1);
        QVERIFY2(said.isEmpty() || lines[0].startsWith(said), qPrintable(lines.value(0)));
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

    // How often the audio thread has gone to sleep; -1 if unknown.
    qint64 wakeups() const
    {
        QFile status(QStringLiteral("/proc/self/task/%1/status").arg(m_audioTid));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray text = status.readAll();
        const QByteArray key = "\nvoluntary_ctxt_switches:";
        const qsizetype at = text.indexOf(key);
        return at < 0 ? -1 : text.mid(at + key.size()).split('\n').first().trimmed().toLongLong();
    }

    // Polls until the audio thread sleeps through half a second: no stream is
    // open and no pump runs. False if it never does before the wait deadline.
    bool waitUntilIdle()
    {
        const QDeadlineTimer deadline(waitDeadline());
        for (qint64 last = wakeups(); !deadline.hasExpired();) {
            QTest::qWait(500);
            const qint64 now = wakeups();
            if (now - last <= 1)
                return true;
            last = now;
        }
        return false;
    }

    AudioThread &m_thread;
    pid_t m_audioTid = 0;
    std::unique_ptr<Recorder> m_recorder;
};

// Plays through the sound module as built, and ends as the program does,
// without waiting for anything the audio thread left behind.
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
