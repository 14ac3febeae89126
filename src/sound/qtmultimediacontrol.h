#pragma once

#include "multimediacontrol.h"

#include <QStringList>

#include <memory>

struct CueRequest;

// A multimedia control that plays wave files through Qt Multimedia's audio
// output (PulseAudio or PipeWire on a Linux desktop).
//
// The commands only note what is to be done, hand it to the process's audio
// thread and return at once, whatever state the audio server is in. That
// thread reads the file (a bare name is looked up in the working directory
// first, else the program's own copy of that sound is played), opens the
// audio stream and plays it. A file that is there but cannot be played is
// reported once on standard error and the built-in sound is played instead;
// every other failure (no audio server, a stream that breaks) is silent, and
// the next cue after the server comes back sounds again.
class QtMultimediaControl final : public MultimediaControl
{
public:
    QtMultimediaControl();
    ~QtMultimediaControl() override;
    QtMultimediaControl(const QtMultimediaControl &) = delete;
    QtMultimediaControl &operator=(const QtMultimediaControl &) = delete;

    void setCommand(const QString &command) override;
    void setFileName(const QString &fileName) override;

    // Reads the given sounds and reaches the audio server ahead of the first
    // cue, on the audio thread.
    static void preload(const QStringList &fileNames);
    // Stops the audio thread before the program ends, waiting at most
    // timeoutMs. False when it is stuck in the audio library: the process
    // must then end without running destructors (std::_Exit).
    static bool shutdown(int timeoutMs);

private:
    void ask(bool stop, const QString &play);

    QString m_fileName;
    QString m_open;
    bool m_used = false;
    std::shared_ptr<CueRequest> m_request;
};
