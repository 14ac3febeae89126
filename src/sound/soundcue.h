#pragma once

class MultimediaControl;
class QString;

// Plays one wave file on a window's multimedia control: stops and closes
// whatever the previous cue opened, opens waveFile and sounds it. Returns as
// soon as the sound has been started, whatever happened on the way.
void SoundCue(MultimediaControl &control, const QString &waveFile);
