#pragma once

#include "sound/multimediacontrol.h"

#include <QStringList>

class AudioThread;

// The multimedia control of the program's windows: plays wave files through
// the desktop's audio server (PulseAudio, or PipeWire's PulseAudio service).
//
// The commands only note what is to be done, hand it to an audio thread and
// return at once, whatever state the audio server is in. That thread reads
// the file (a bare name is looked up in the working directory first, else
// the program's own copy of that sound is played), opens the audio stream
// and plays it. A file that is there but cannot be played is reported once
// on standard error and the built-in sound is played instead. A server that
// goes away or stops answering costs the cues until it is back; the loss and
// the return are each said once on standard error, and the next cue after
// the server comes back sounds again.
class SoundControl final : public MultimediaControl
{
public:
    // Plays on the process's audio thread, started on the first command.
    SoundControl();
    // Plays on thread, which outlives the control.
    explicit SoundControl(AudioThread &thread);
    ~SoundControl() override;
    SoundControl(const SoundControl &) = delete;
    SoundControl &operator=(const SoundControl &) = delete;

    void setCommand(Command command) override;
    void setFileName(const QString &fileName) override;

    // Reads the given sounds and reaches the audio server ahead of the first
    // cue, on the process's audio thread.
    static void preload(const QStringList &fileNames);
    // Stops the process's audio thread before the program ends, waiting at
    // most timeoutMs. False when it is still busy (reading a slow file): the
    // process must then end without running destructors (std::_Exit).
    static bool shutdown(int timeoutMs);

private:
    AudioThread &thread();
    void ask(bool stop, const QString &play);

    AudioThread *m_thread = nullptr; // null: the process's, once used
    const int m_id; // the control's number on its thread
    QString m_fileName;
    QString m_open;
    bool m_used = false;
};
