#pragma once

#include "sound/audiooutput.h"

#include <QtPlugin>

#include <memory>

// The sound module, a Qt plugin: the program loads it on its audio thread
// once the board has been painted, so that starting the program waits
// neither for libpulse and libsndfile nor for the server.
class SoundModule
{
public:
    virtual ~SoundModule() = default;
    // Makes the output that plays through the audio server; called on the
    // audio thread, where the output then lives.
    virtual std::unique_ptr<AudioOutput> makeOutput() = 0;
};

#define SoundModule_iid "io.github.meetling.SoundModule/1"
Q_DECLARE_INTERFACE(SoundModule, SoundModule_iid)
