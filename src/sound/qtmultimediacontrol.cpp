#include "qtmultimediacontrol.h"

#include "audiothread.h"

#include <atomic>

namespace {

int nextControlId()
{
    static std::atomic<int> last{0};
    return ++last;
}

} // namespace

QtMultimediaControl::QtMultimediaControl() : m_id(nextControlId()) {}

QtMultimediaControl::QtMultimediaControl(AudioThread &thread) : m_thread(&thread), m_id(nextControlId()) {}

QtMultimediaControl::~QtMultimediaControl()
{
    // The audio thread stops this control's sound when it gets to it.
    if (m_used)
        thread().worker().close(m_id);
}

AudioThread &QtMultimediaControl::thread()
{
    // The process's thread is started on first use, not with the control:
    // the windows make theirs before the board is first painted.
    if (!m_thread)
        m_thread = &AudioThread::instance();
    return *m_thread;
}

void QtMultimediaControl::setFileName(const QString &fileName)
{
    m_fileName = fileName;
}

void QtMultimediaControl::setCommand(const QString &command)
{
    if (command == u"Stop" || command == u"Close") {
        if (command == u"Close")
            m_open.clear();
        ask(true, QString());
    } else if (command == u"Open") {
        m_open = m_fileName;
    } else if (command == u"Sound" && !m_open.isEmpty()) {
        ask(false, m_open);
    }
}

void QtMultimediaControl::ask(bool stop, const QString &play)
{
    m_used = true;
    thread().worker().ask(m_id, stop, play);
}

void QtMultimediaControl::preload(const QStringList &fileNames)
{
    AudioThread::instance().worker().preload(fileNames);
}

bool QtMultimediaControl::shutdown(int timeoutMs)
{
    return AudioThread::shutdownInstance(timeoutMs);
}
