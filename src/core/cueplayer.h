#pragma once

class QString;

// Plays one wave file on the multimedia control of the window that owns it.
class CuePlayer
{
public:
    virtual ~CuePlayer() = default;
    virtual void playCue(const QString &waveFile) = 0;
};
