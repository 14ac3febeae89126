#pragma once

#include "audiooutput.h"

#include <memory>

// The output on Qt Multimedia (PulseAudio or PipeWire on a Linux desktop),
// with the built-in sounds: the sound module's, and linked into programs
// that play through it directly.
std::unique_ptr<AudioOutput> makeQtAudioOutput();
