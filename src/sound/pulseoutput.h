#pragma once

#include "sound/audiooutput.h"

#include <memory>

// The output that plays through the audio server (PulseAudio, or PipeWire's
// PulseAudio service) with libpulse, with the built-in sounds: the sound
// module's, and linked into programs that play through it directly.
std::unique_ptr<AudioOutput> makePulseOutput();
