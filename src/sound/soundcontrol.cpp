#include "sound/soundcontrol.h"

#include "sound/audiothread.h"

#include <atomic>

namespace {

int nextControlId()
{
    static std::atomic<int> last{0};
    return ++last;
}

} // namespace

SoundControl::SoundControl() : m_id(nextControlId())
{}

SoundControl::SoundControl(AudioThread &thread) : m_thread(&thread), m_id(nextControlId())
{}

SoundControl::~SoundControl()
{
    // The audio thread stops this control's sound when it gets to it.
    if (m_used)
        thread().worker().close(m_id);
}

AudioThread &SoundControl::thread()
{
    // The process's thread is started on first use, not with the control:
    // the windows make theirs before the board is first painted.
    if (!m_thread)
        m_thread = &AudioThread::instance();
    return *m_thread;
}

void SoundControl::setFileName(const QString &fileName)
{
    m_fileName = fileName;
}

void SoundControl::setCommand(Command command)
{
    switch (command) {
    case Command::Close: m_open.clear(); [[fallthrough]];
    case Command::Stop: ask(true, QString()); break;
    case Command::Open: m_open = m_fileName; break;
    case Command::Sound:
        if (!m_open.isEmpty())
            ask(false, m_open);
        break;
    }
}

void SoundControl::ask(bool stop, const QString &play)
{
    m_used = true;
    thread().worker().ask(m_id, stop, play);
}

void SoundControl::preload(const QStringList &fileNames)
{
    AudioThread::instance().worker().preload(fileNames);
}

bool SoundControl::shutdown(int timeoutMs)
{
    return AudioThread::shutdownInstance(timeoutMs);
}
