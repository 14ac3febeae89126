#include "clock.h"
#include "errorguard.h"
#include "fonts.h"
#include "form1.h"
#include "qtdialogs.h"
#include "qtmultimediacontrol.h"
#include "randomsource.h"

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QTimer>

#include <functional>

#include <cstdio>
#include <cstdlib>

namespace {

// How long the end of the program waits for the audio thread to finish.
constexpr int ExitWaitMs = 500;

const QStringList Sounds{QStringLiteral("pinpon.wav"), QStringLiteral("endpinpon.wav"), QStringLiteral("logoff.wav")};

// Qt aborts when it cannot reach a display; say so in one line instead.
// Only X11 and Wayland desktops are checked; other platforms are left to Qt.
bool displayReachable()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return true;
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty())
        return false;
    // A local display ":N" is reachable through its socket.
    if (display.startsWith(':')) {
        const QByteArray number = display.mid(1).split('.').value(0);
        return QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X") + QString::fromLatin1(number));
    }
    return true;
}

// The last line of defence: an error that escapes a handler anyway is shown
// and ends the program instead of unwinding through the event loop.
class GuardedApplication final : public QApplication
{
public:
    GuardedApplication(int &argc, char **argv) : QApplication(argc, argv) {}
    ErrorGuard *guard = nullptr;

    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (...) {
            if (guard)
                guard->fail(std::current_exception());
            else
                std::abort();
            return false;
        }
    }
};

// Runs a task from the event loop right after a widget's first paint.
class AfterFirstPaint final : public QObject
{
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
    if (!displayReachable()) {
        std::fputs("meetling: no display to open the window on (is DISPLAY set?)\n", stderr);
        return 2;
    }

    GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Meetling experiment"));
    fonts::installSubstitutes();

    SystemClock clock;
    SplitMixRandom random(static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()));
    QtDialogs dialogs;
    QtEnder ender;
    ErrorGuard guard(dialogs, ender);
    app.guard = &guard;

    auto makeControl = []() -> std::unique_ptr<MultimediaControl> { return std::make_unique<QtMultimediaControl>(); };

    Form1 form1(WindowServices{clock, random, dialogs, ender, guard, makeControl});
    // Load the sounds and reach the audio server once the board has been
    // painted, so that the first paint never waits for the audio system.
    AfterFirstPaint preload(form1, [] { QtMultimediaControl::preload(Sounds); });
    form1.show();

    // Ending before the event loop starts (an error while loading) leaves it
    // nothing to do.
    const int status = ender.ended() ? ender.exitStatus() : app.exec();
    // The audio thread gets a moment to close its streams; one stuck in the
    // audio library (a stalled server) is not waited for. The process then
    // ends at once: no destructor may wait for that thread or trip over what
    // the audio library left behind.
    QtMultimediaControl::shutdown(ExitWaitMs);
    std::fflush(nullptr);
    std::_Exit(status);
}
