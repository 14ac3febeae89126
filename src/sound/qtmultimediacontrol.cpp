#include "qtmultimediacontrol.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>

namespace {

// Anything bigger is not a short cue; it is not read.
constexpr qint64 MaxWaveBytes = 16 * 1024 * 1024;

// Drops every message while it lives: used around the one call that makes
// Qt Multimedia connect to the audio server and complain when there is none.
class QuietMessages
{
public:
    QuietMessages() : m_previous(qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {})) {}
    ~QuietMessages() { qInstallMessageHandler(m_previous); }
    QuietMessages(const QuietMessages &) = delete;
    QuietMessages &operator=(const QuietMessages &) = delete;

private:
    QtMessageHandler m_previous;
};

QAudioFormat formatOf(const Wave &wave)
{
    QAudioFormat format;
    format.setSampleRate(wave.sampleRate);
    format.setChannelCount(wave.channels);
    format.setSampleFormat(wave.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return format;
}

} // namespace

QtMultimediaControl::QtMultimediaControl(QObject *parent)
    : QObject(parent)
{
}

QtMultimediaControl::~QtMultimediaControl()
{
    // Deleting the sink runs the event loop, which may deliver a queued
    // apply(): leave it nothing to do.
    m_toPlay = nullptr;
    m_stopPending = false;
    retireSink();
}

bool QtMultimediaControl::hasAudioOutput()
{
    static const bool found = [] {
        const QuietMessages quiet;
        return !QMediaDevices::audioOutputs().isEmpty();
    }();
    return found;
}

QString QtMultimediaControl::locate(const QString &fileName)
{
    // Only a bare name is looked up; anything with a directory part is not
    // one of the program's sounds.
    if (fileName.isEmpty() || fileName.contains(u'/') || fileName.contains(u'\\'))
        return {};
    const QFileInfo local(fileName);
    if (local.isFile())
        return local.absoluteFilePath();
    const QString builtIn = QStringLiteral(":/sounds/") + fileName;
    if (QFileInfo::exists(builtIn))
        return builtIn;
    return {};
}

std::shared_ptr<const Wave> QtMultimediaControl::waveFor(const QString &path)
{
    if (path.isEmpty())
        return nullptr;
    // A replacement dropped into the working directory is picked up by its
    // new modification time.
    const QFileInfo info(path);
    const QString key = path + u'@' + QString::number(info.lastModified().toMSecsSinceEpoch());
    if (const auto known = m_waves.constFind(key); known != m_waves.constEnd())
        return *known;

    std::shared_ptr<const Wave> wave;
    QFile file(path);
    if (info.size() <= MaxWaveBytes && file.open(QIODevice::ReadOnly)) {
        if (std::optional<Wave> parsed = Wave::parse(file.read(MaxWaveBytes)))
            wave = std::make_shared<const Wave>(std::move(*parsed));
    }
    m_waves.insert(key, wave);
    return wave;
}

void QtMultimediaControl::setFileName(const QString &fileName)
{
    m_fileName = fileName;
}

void QtMultimediaControl::setCommand(const QString &command)
{
    if (command == u"Stop" || command == u"Close") {
        // Whatever was asked to sound and has not started yet is dropped too.
        m_toPlay = nullptr;
        m_stopPending = true;
        if (command == u"Close")
            m_open = nullptr;
        schedule();
    } else if (command == u"Open") {
        m_open = waveFor(locate(m_fileName));
    } else if (command == u"Sound") {
        if (m_open) {
            m_toPlay = m_open;
            schedule();
        }
    }
}

void QtMultimediaControl::schedule()
{
    if (m_scheduled)
        return;
    m_scheduled = true;
    QMetaObject::invokeMethod(this, &QtMultimediaControl::apply, Qt::QueuedConnection);
}

void QtMultimediaControl::retireSink()
{
    // A stopped sink is never started again: Qt 6.4's PulseAudio sink goes
    // quiet after a few restarts. Each sound gets a fresh one, and the old
    // one is deleted here and now, not later: deleting a sink runs the event
    // loop, which must not find other sinks half-deleted.
    if (QAudioSink *sink = std::exchange(m_sink, nullptr)) {
        sink->stop();
        delete sink;
    }
}

void QtMultimediaControl::apply()
{
    // Deleting a sink runs the event loop, where further cues may arrive;
    // they only note their commands (m_scheduled is still set), and this
    // loop carries them out in turn.
    while (m_stopPending || m_toPlay) {
        m_stopPending = false;
        const std::shared_ptr<const Wave> wave = std::exchange(m_toPlay, nullptr);
        // Whether it was asked to stop or to play, what sounds now ends.
        retireSink();
        if (!wave || !hasAudioOutput())
            continue;
        m_sink = new QAudioSink(QMediaDevices::defaultAudioOutput(), formatOf(*wave), this);
        // The samples are shared, not copied; the buffer lives as long as its sink.
        auto *buffer = new QBuffer(m_sink);
        buffer->setData(wave->samples);
        buffer->open(QIODevice::ReadOnly);
        m_sink->start(buffer);
    }
    m_scheduled = false;
}

void QtMultimediaControl::preload(const QStringList &fileNames)
{
    for (const QString &name : fileNames)
        waveFor(locate(name));
    hasAudioOutput();
}

bool QtMultimediaControl::sounding() const
{
    return m_sink && m_sink->state() == QAudio::ActiveState;
}
