#include "sound/soundcue.h"

#include "sound/multimediacontrol.h"

void SoundCue(MultimediaControl &control, const QString &waveFile)
{
    using Command = MultimediaControl::Command;
    control.setCommand(Command::Stop);
    control.setCommand(Command::Close);
    control.setFileName(waveFile);
    control.setCommand(Command::Open);
    control.setCommand(Command::Sound);
}
