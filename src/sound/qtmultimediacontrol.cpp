#include "qtmultimediacontrol.h"

#include "audiothread.h"

QtMultimediaControl::QtMultimediaControl() : m_request(std::make_shared<CueRequest>()) {}

QtMultimediaControl::~QtMultimediaControl()
{
    // The audio thread stops this control's sound when it gets to it.
    if (!m_used)
        return;
    {
        const QMutexLocker lock(&m_request->mutex);
        m_request->closed = true;
    }
    AudioThread::instance().wake(m_request);
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
    {
        const QMutexLocker lock(&m_request->mutex);
        if (stop) {
            // Whatever was asked to sound and has not started yet is dropped too.
            m_request->stop = true;
            m_request->play.clear();
        } else {
            m_request->play = play;
            m_request->askedAt = cueClockMs();
        }
    }
    AudioThread::instance().wake(m_request);
}

void QtMultimediaControl::preload(const QStringList &fileNames)
{
    AudioThread::instance().preload(fileNames);
}

bool QtMultimediaControl::shutdown(int timeoutMs)
{
    return AudioThread::shutdown(timeoutMs);
}
