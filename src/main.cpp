#include "app.h"
#include "appinfo.h"
#include "clock.h"
#include "errorguard.h"
#include "fonts.h"
#include "qtdialogs.h"
#include "qtmultimediacontrol.h"
#include "randomsource.h"

#include <QApplication>
#include <QDateTime>
#include <QTimer>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include <cstdio>
#include <cstdlib>

namespace {

// How long the end of the program waits for the audio thread to finish.
constexpr int ExitWaitMs = 500;
// How long the display may take to let the board window be shown.
constexpr std::chrono::seconds DisplayAnswerTime{8};

const QStringList Sounds{QStringLiteral("pinpon.wav"), QStringLiteral("endpinpon.wav"), QStringLiteral("logoff.wav")};

// While the application object is being made, Qt's messages are held back.
// Qt ends the process with a fatal message (and an abort) when no platform
// plugin can open the display; that becomes one line and exit status 2.
// Made without a display, the program has nothing else to say.
struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};
QtMessageHandler previousHandler = nullptr;
QList<HeldMessage> heldMessages;

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtFatalMsg) {
        heldMessages.append({type, QByteArray(context.category), text});
        return;
    }
    // The platform plugin's own complaint (such as "could not connect to
    // display junk") says more than the general fatal message that follows.
    QString reason = text;
    for (const HeldMessage &held : std::as_const(heldMessages)) {
        if (held.category.startsWith("qt.qpa")) {
            reason = held.text;
            break;
        }
    }
    reason = reason.section(u'\n', 0, 0).simplified().left(160);
    std::fprintf(stderr, "meetling: cannot open a window on the display (%s)\n", reason.toLocal8Bit().constData());
    std::fflush(stderr);
    std::_Exit(2);
}

void holdQtMessages()
{
    previousHandler = qInstallMessageHandler(holdMessage);
}

// Hands what was held to the previous handler and gives it back its place.
void releaseQtMessages()
{
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage &held : std::as_const(heldMessages)) {
        const QMessageLogContext context(nullptr, 0, nullptr, held.category.constData());
        qt_message_output(held.type, context, held.text);
    }
    heldMessages.clear();
}

// Ends the program with the one-line error and status 2 unless disarmed
// within DisplayAnswerTime. An X server that accepts the connection and then
// never answers (a hung or stopped one) would otherwise hold the program in
// the platform plugin for good, saying nothing.
class DisplayWatchdog
{
public:
    DisplayWatchdog() : m_thread([this] { watch(); }) {}
    ~DisplayWatchdog() { disarm(); }
    DisplayWatchdog(const DisplayWatchdog &) = delete;
    DisplayWatchdog &operator=(const DisplayWatchdog &) = delete;

    void disarm()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_disarmed = true;
        }
        m_wake.notify_one();
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    void watch()
    {
        std::unique_lock lock(m_mutex);
        if (m_wake.wait_for(lock, DisplayAnswerTime, [this] { return m_disarmed; }))
            return;
        std::fputs("meetling: cannot open a window on the display (it does not answer)\n", stderr);
        std::fflush(stderr);
        std::_Exit(2);
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_disarmed = false;
    std::thread m_thread; // last: starts once the rest is made
};

// Runs a task from the event loop right after a widget's first paint.
class AfterFirstPaint final : public QObject
{
    Q_OBJECT

public:
    AfterFirstPaint(QWidget &widget, std::function<void()> task) : m_task(std::move(task))
    {
        widget.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_task) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, std::exchange(m_task, nullptr));
        }
        return false;
    }

private:
    std::function<void()> m_task;
};

} // namespace

int main(int argc, char **argv)
{
    DisplayWatchdog watchdog;
    holdQtMessages();
    QApplication app(argc, argv);
    releaseQtMessages();
    QApplication::setApplicationName(QStringLiteral("Meetling experiment"));
    // Ties the windows to the installed desktop entry (and so to its name and
    // icon in docks and window switchers); the board window also takes its
    // icon from the theme by this name.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(AppId));
    fonts::installSubstitutes();

    SystemClock clock;
    SplitMixRandom random(static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()));
    QtDialogs dialogs;
    QtEnder ender;
    ErrorGuard guard(dialogs, ender);

    auto makeControl = []() -> std::unique_ptr<MultimediaControl> { return std::make_unique<QtMultimediaControl>(); };

    App windows(Services{clock, random, dialogs, ender, guard, makeControl});
    Form1 &form1 = windows.board();
    // The themed icon, the sounds and the audio server once the board has
    // been painted, so that the first paint waits for none of them. Like
    // every handler, this runs under the error guard.
    AfterFirstPaint preload(form1, [&guard, &form1] {
        guard.run([&form1] {
            form1.useThemeIcon();
            QtMultimediaControl::preload(Sounds);
        });
    });
    form1.show();
    // The window has been handed to the display, which has answered every
    // question on the way; the event loop starting is the sign.
    QTimer::singleShot(0, [&watchdog] { watchdog.disarm(); });

    // Ending before the event loop starts (an error while loading) leaves it
    // nothing to do.
    const int status = ender.ended() ? ender.exitStatus() : app.exec();
    watchdog.disarm();
    // The audio thread gets a moment to close its streams; one stuck in the
    // audio library (a stalled server) is not waited for. The process then
    // ends at once: no destructor may wait for that thread or trip over what
    // the audio library left behind.
    QtMultimediaControl::shutdown(ExitWaitMs);
    std::fflush(nullptr);
    std::_Exit(status);
}

#include "main.moc"
