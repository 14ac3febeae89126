#include "forms/displaystart.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

// How long the display may take to let the first window be shown.
constexpr std::chrono::seconds DisplayAnswerTime{8};

struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};
const char *programName = "";
QtMessageHandler previousHandler = nullptr;
QList<HeldMessage> heldMessages;

[[noreturn]] void cannotOpen(const QString &reason)
{
    std::fprintf(stderr, "%s: cannot open a window on the display (%s)\n", programName,
                 reason.toLocal8Bit().constData());
    std::fflush(stderr);
    std::_Exit(2);
}

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
    cannotOpen(reason.section(u'\n', 0, 0).simplified().left(160));
}

} // namespace

// Ends the program unless disarmed within DisplayAnswerTime; the platform
// plugin would otherwise wait for a silent display for good.
class DisplayStart::Watchdog
{
public:
    Watchdog() : m_thread([this] { watch(); }) {}
    ~Watchdog() { disarm(); }

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
        if (!m_wake.wait_for(lock, DisplayAnswerTime, [this] { return m_disarmed; }))
            cannotOpen(QStringLiteral("it does not answer"));
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_disarmed = false;
    std::thread m_thread; // last: starts once the rest is made
};

DisplayStart::DisplayStart(const char *program) : m_watchdog(std::make_unique<Watchdog>())
{
    programName = program;
    previousHandler = qInstallMessageHandler(holdMessage);
}

DisplayStart::~DisplayStart()
{
    windowShown();
}

void DisplayStart::applicationMade()
{
    // The previous handler gets its place back, and what was held.
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage &held : std::as_const(heldMessages)) {
        const QMessageLogContext context(nullptr, 0, nullptr, held.category.constData());
        qt_message_output(held.type, context, held.text);
    }
    heldMessages.clear();
}

void DisplayStart::windowShown()
{
    m_watchdog->disarm();
}
