#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

#include <variant>

// Sound ready for the audio output: signed 16-bit samples, interleaved, one
// or two channels.
struct Wave
{
    int sampleRate = 0;
    int channels = 0;
    QByteArray samples;
};

// Anything bigger is not a short cue; it is neither read nor decoded.
inline constexpr qint64 MaxWaveFileBytes = 16 * 1024 * 1024;

// Decodes a wave file's bytes (RIFF, RIFX, RF64 or BW64) with libsndfile:
// 8/16/24/32-bit integer, 32/64-bit float, extensible, A-law, mu-law, ADPCM
// and whatever else libsndfile reads inside a wave file. More than two
// channels are mixed down to mono;
// float samples are clipped to full scale. Gives the Wave, or a short reason
// why the bytes cannot be played ("not a sound file", "no samples", ...).
// Never reads past the end of bytes and never gives more than about ten
// minutes of sound. Decoding that is not done by deadline is given up.
std::variant<Wave, QString> decodeWave(const QByteArray &bytes,
                                       QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever));
