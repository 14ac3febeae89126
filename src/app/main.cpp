#include "app/app.h"
#include "app/appinfo.h"
#include "runtime/clock.h"
#include "forms/displaystart.h"
#include "runtime/errorguard.h"
#include "forms/fonts.h"
#include "forms/qtdialogs.h"
#include "runtime/randomsource.h"
#include "sound/soundcontrol.h"

#include <QApplication>
#include <QDateTime>
#include <QTimer>

#include <functional>

#include <cstdio>
#include <cstdlib>

namespace {

// How long the end of the program waits for the audio thread to finish.
constexpr int ExitWaitMs = 500;

const QStringList Sounds{QStringLiteral("pinpon.wav"), QStringLiteral("endpinpon.wav"), QStringLiteral("logoff.wav")};

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
    DisplayStart display("meetling");
    QApplication app(argc, argv);
    display.applicationMade();
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

    auto makeControl = []() -> std::unique_ptr<MultimediaControl> { return std::make_unique<SoundControl>(); };

    App windows(Services{clock, random, dialogs, ender, guard, makeControl});
    Form1 &form1 = windows.board();
    // The themed icon, the sounds and the audio server once the board has
    // been painted, so that the first paint waits for none of them. Like
    // every handler, this runs under the error guard.
    AfterFirstPaint preload(form1, [&guard, &form1] {
        guard.run([&form1] {
            form1.useThemeIcon();
            SoundControl::preload(Sounds);
        });
    });
    form1.show();
    // The window has been handed to the display, which has answered every
    // question on the way; the event loop starting is the sign.
    QTimer::singleShot(0, [&display] { display.windowShown(); });

    // Ending before the event loop starts (an error while loading) leaves it
    // nothing to do.
    const int status = ender.ended() ? ender.exitStatus() : app.exec();
    display.windowShown();
    // The audio thread gets a moment to close its streams; one still busy (a
    // file read from a slow disk) is not waited for. The process then ends
    // at once: no destructor may wait for that thread or trip over what it
    // left behind.
    SoundControl::shutdown(ExitWaitMs);
    std::fflush(nullptr);
    std::_Exit(status);
}

#include "main.moc"
