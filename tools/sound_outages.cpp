// sound_outages: how many cues are heard after the audio server goes away in
// the ways a classroom machine sees (killed, restarted again and again,
// stopped during a sound), played through the sound module as the program
// plays them.
//
// Usage, on a private server (pulse.sh starts and stops it):
//   sh tests/audio/pulse.sh run build/sound_outages tests/audio/pulse.sh build/meetling-sound.so
// It needs MEETLING_PULSE_DIR set to the server's folder: pulse.sh run sets
// PULSE_SERVER, so the tool takes the folder from it.
//
// After each event it cues pinpon.wav 8 times, one a second, and prints how
// many were heard: a cue counts when a loud sample reaches the null sink's
// monitor within 0.5 s of it. About four minutes in all.

#include "audiothread.h"
#include "qtmultimediacontrol.h"
#include "soundcue.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <signal.h>

namespace {

constexpr int Rate = 44100;
constexpr int Loud = 1000;

// Records the null sink's monitor while it lives.
class Recorder
{
public:
    Recorder()
    {
        m_parec.start(QStringLiteral("parec"), {"-d", "meetling_sink.monitor", "--format=s16le", "--rate=44100",
                                                 "--channels=1", "--raw", "--latency-msec=10"});
        QElapsedTimer timer;
        timer.start();
        while (m_samples.size() < Rate / 10 && timer.elapsed() < 10000)
            pump();
    }
    ~Recorder()
    {
        m_parec.kill();
        m_parec.waitForFinished();
    }

    // Whether a loud sample arrives within 0.5 s of now.
    bool loudWithinHalfASecond()
    {
        const qsizetype from = m_samples.size();
        QElapsedTimer timer;
        timer.start();
        while (m_samples.size() < from + Rate / 2 && timer.elapsed() < 3000)
            pump();
        const auto end = m_samples.begin() + std::min(m_samples.size(), from + Rate / 2);
        return std::any_of(m_samples.begin() + from, end, [](qint16 s) { return std::abs(s) >= Loud; });
    }

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

private:
    QProcess m_parec;
    QByteArray m_bytes;
    QList<qint16> m_samples;
};

class Outages
{
public:
    Outages(QString pulseSh, QString dir, QtMultimediaControl &control)
        : m_pulseSh(std::move(pulseSh)), m_dir(std::move(dir)), m_control(control)
    {
    }

    void startServer() { QProcess::execute(QStringLiteral("sh"), {m_pulseSh, QStringLiteral("start"), m_dir}); }

    void signalServer(int signal)
    {
        const pid_t server = serverPid();
        if (server <= 0 || ::kill(server, signal) != 0)
            return;
        QElapsedTimer timer;
        timer.start();
        while ((signal == SIGKILL || signal == SIGTERM) && ::kill(server, 0) == 0 && timer.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }

    void cue(const char *name) { SoundCue(m_control, QString::fromLatin1(name)); }

    // Lets time pass, the program's event loop running.
    void pass(int ms)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, int(ms - timer.elapsed()));
    }

    // Eight cues a second apart; prints how many were heard.
    void report(const char *after)
    {
        Recorder recorder;
        QString marks;
        for (int i = 0; i < 8; ++i) {
            cue("pinpon.wav");
            marks += recorder.loudWithinHalfASecond() ? u'+' : u'-';
            pass(500);
        }
        std::printf("%-48s heard %lld of 8 [%s]\n", after, qlonglong(marks.count(u'+')), qPrintable(marks));
        std::fflush(stdout);
    }

private:
    pid_t serverPid() const
    {
        QFile file(m_dir + QStringLiteral("/pulse/pid"));
        return file.open(QIODevice::ReadOnly) ? pid_t(file.readAll().trimmed().toInt()) : 0;
    }

    QString m_pulseSh;
    QString m_dir;
    QtMultimediaControl &m_control;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString server = qEnvironmentVariable("PULSE_SERVER");
    if (argc != 3 || !server.startsWith(u"unix:") || !server.endsWith(u"/native")) {
        std::fputs("usage: pulse.sh run sound_outages PULSE_SH SOUND_MODULE\n", stderr);
        return 2;
    }
    const QString dir = server.mid(5).chopped(7);
    AudioThread thread([module = QString::fromLocal8Bit(argv[2])] { return AudioThread::loadSoundModule({module}); });
    QtMultimediaControl control(thread);
    Outages o(QString::fromLocal8Bit(argv[1]), dir, control);

    o.report("at first");
    for (const auto &[signal, name] : {std::pair{SIGKILL, "killed (KILL) while idle, away 5 s"},
                                       std::pair{SIGTERM, "killed (TERM) while idle, away 5 s"}}) {
        o.signalServer(signal);
        o.pass(5000);
        o.startServer();
        o.report(name);
    }
    o.cue("endpinpon.wav");
    o.pass(300);
    o.signalServer(SIGKILL);
    o.pass(5000);
    o.startServer();
    o.report("killed during a cue, away 5 s");
    for (int i = 0; i < 15; ++i) {
        o.signalServer(SIGKILL);
        o.startServer();
        o.cue("logoff.wav");
        o.pass(2000);
    }
    o.report("restarted every 2 s for 30 s");
    for (int i = 0; i < 15; ++i) {
        o.signalServer(SIGKILL);
        o.cue("logoff.wav");
        o.pass(1000);
        o.startServer();
        o.pass(1000);
    }
    o.report("away 1 s in every 2 for 30 s");
    o.cue("endpinpon.wav");
    o.pass(200);
    o.signalServer(SIGSTOP);
    for (int i = 0; i < 30; ++i) {
        o.cue("logoff.wav");
        o.pass(1000);
    }
    o.signalServer(SIGCONT);
    o.report("stopped 30 s during a cue, then continued");

    thread.shutdown(500);
    std::fflush(nullptr);
    std::_Exit(0);
}
