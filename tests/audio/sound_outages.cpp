// sound_outages: how many cues are heard after the audio server goes away in
// the ways a classroom machine sees (killed, restarted again and again,
// stopped during a sound), played through the sound module as the program
// plays them.
//
// Usage, on a private server (pulse.sh starts and stops it):
//   sh tests/audio/pulse.sh run build/tests/sound_outages tests/audio/pulse.sh build/meetling-sound.so
// pulse.sh run sets PULSE_SERVER to the server's socket in a folder of its
// own; the tool restarts the server in that folder.
//
// After each event it cues pinpon.wav 8 times, one a second, and prints how
// many were heard: a cue counts when a loud sample reaches the null sink's
// monitor within 0.5 s of it. About four minutes in all.

#include "audiothread.h"
#include "monitor.h"
#include "soundcontrol.h"
#include "soundcue.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cstdio>

#include <signal.h>

namespace {

class Outages
{
public:
    Outages(QString pulseSh, QString dir, SoundControl &control)
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
        recorder.streaming();
        QString marks;
        for (int i = 0; i < 8; ++i) {
            const qsizetype from = recorder.mark();
            cue("pinpon.wav");
            marks += peak(recorder.listen(from, 500), 0, samplesFor(500)) >= Loud ? u'+' : u'-';
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
    SoundControl &m_control;
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
    AudioThread thread([module = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath()] {
        return AudioThread::loadSoundModule({module});
    });
    SoundControl control(thread);
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
