#pragma once

#include "multimediacontrol.h"
#include "wave.h"

#include <QHash>
#include <QObject>
#include <QUrl>

#include <memory>

class QAudioSink;

// A multimedia control that plays wave files through Qt Multimedia's audio
// output (PulseAudio or PipeWire on a Linux desktop).
//
// A bare file name is looked up in the working directory first; when it is
// not there, the program's own copy of that sound is played, so the cues
// sound however the program was started. Every failure (no such sound, a
// damaged file, no audio output) is silent.
//
// Each file is read once and kept. The commands only note what is to be
// done and return at once; opening and closing the audio stream (a
// millisecond or two) happens in the event loop right after the calling
// handler, in the order the commands came.
class QtMultimediaControl final : public QObject, public MultimediaControl
{
public:
    explicit QtMultimediaControl(QObject *parent = nullptr);
    ~QtMultimediaControl() override;

    void setCommand(const QString &command) override;
    void setFileName(const QString &fileName) override;

    // Reads the given sounds ahead of their first cue.
    void preload(const QStringList &fileNames);

    // Where "Open" finds fileName: the working directory's file, else the
    // built-in copy, else an empty string.
    static QString locate(const QString &fileName);
    // Whether the system has an audio output at all. Asked once per process;
    // the sound system's own complaint about a missing server is kept quiet.
    static bool hasAudioOutput();

    // Whether a sound is being played right now (for tests and tools).
    bool sounding() const;

private:
    std::shared_ptr<const Wave> waveFor(const QString &path);
    void schedule();
    void apply();
    void retireSink();

    QString m_fileName;
    std::shared_ptr<const Wave> m_open;
    // What the event loop is to do next: stop the current sound, then start
    // m_toPlay.
    bool m_stopPending = false;
    std::shared_ptr<const Wave> m_toPlay;
    bool m_scheduled = false;

    QHash<QString, std::shared_ptr<const Wave>> m_waves;
    QAudioSink *m_sink = nullptr;
};
