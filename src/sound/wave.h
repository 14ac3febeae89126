#pragma once

#include <QByteArray>

#include <optional>

// The sound data of a wave file: uncompressed PCM samples and how to play
// them.
struct Wave
{
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0; // 8 (unsigned) or 16 (signed, little-endian)
    QByteArray samples;

    // Reads a RIFF/WAVE file's bytes. Only plain PCM with 8 or 16 bits, one
    // or two channels and a sample rate from 8 to 192 kHz is taken; anything
    // else, or a damaged file, gives nothing. Never reads past the end.
    static std::optional<Wave> parse(const QByteArray &file);
};
