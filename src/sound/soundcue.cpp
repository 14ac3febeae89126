#include "soundcue.h"

#include "multimediacontrol.h"

void SoundCue(MultimediaControl &control, const QString &waveFile)
{
    control.setCommand(QStringLiteral("Stop"));
    control.setCommand(QStringLiteral("Close"));
    control.setFileName(waveFile);
    control.setCommand(QStringLiteral("Open"));
    control.setCommand(QStringLiteral("Sound"));
}
