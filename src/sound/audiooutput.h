#pragma once

#include <QString>
#include <QStringList>

// Plays, stops and reads the sounds of every multimedia control, each known
// by its number. It is made on the audio thread and lives there; its calls
// come only from there, and may take as long as the audio server does.
class AudioOutput
{
public:
    virtual ~AudioOutput() = default;
    // Ends what control is sounding, if anything.
    virtual void stop(int control) = 0;
    // Plays fileName for control (a bare name: the working directory's file,
    // else the built-in sound); silent when there is nothing to play.
    virtual void play(int control, const QString &fileName) = 0;
    // Reads the given sounds and reaches the audio server ahead of the first cue.
    virtual void preload(const QStringList &fileNames) = 0;
};
