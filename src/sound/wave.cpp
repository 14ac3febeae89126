#include "wave.h"

#include <QtEndian>

namespace {

constexpr int FormatPcm = 1;
constexpr int FormatExtensible = 0xFFFE;

quint32 u32(const char *p)
{
    return qFromLittleEndian<quint32>(p);
}

quint16 u16(const char *p)
{
    return qFromLittleEndian<quint16>(p);
}

} // namespace

std::optional<Wave> Wave::parse(const QByteArray &file)
{
    const char *data = file.constData();
    const qsizetype size = file.size();
    if (size < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return std::nullopt;

    Wave wave;
    bool haveFormat = false;
    qsizetype pos = 12;
    while (pos + 8 <= size) {
        const QByteArray id = file.mid(pos, 4);
        const quint32 length = u32(data + pos + 4);
        const qsizetype body = pos + 8;
        // A chunk may claim more than the file holds: take what is there.
        const qsizetype available = qMin<qsizetype>(length, size - body);

        if (id == "fmt ") {
            if (available < 16)
                return std::nullopt;
            const int format = u16(data + body);
            wave.channels = u16(data + body + 2);
            wave.sampleRate = int(qMin<quint32>(u32(data + body + 4), 1'000'000));
            wave.bitsPerSample = u16(data + body + 14);
            haveFormat = format == FormatPcm || format == FormatExtensible;
        } else if (id == "data") {
            if (!haveFormat)
                return std::nullopt;
            wave.samples = file.mid(body, available);
            break;
        }
        // Chunks are padded to an even length.
        pos = body + qsizetype(length) + (length & 1);
    }

    const bool playable = haveFormat && (wave.channels == 1 || wave.channels == 2)
        && (wave.bitsPerSample == 8 || wave.bitsPerSample == 16) && wave.sampleRate >= 8000
        && wave.sampleRate <= 192000 && !wave.samples.isEmpty();
    if (!playable)
        return std::nullopt;
    // Drop a trailing partial frame.
    const int frameBytes = wave.channels * wave.bitsPerSample / 8;
    wave.samples.truncate(wave.samples.size() - wave.samples.size() % frameBytes);
    return wave;
}
