#include "sound/wave.h"

#include <sndfile.h>

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// The decoded samples of one sound stay below this (about ten minutes of
// stereo at 48 kHz).
constexpr qint64 MaxDecodedBytes = 128 * 1024 * 1024;
constexpr sf_count_t FramesPerRead = 4096;
constexpr int MinRate = 1000;
constexpr int MaxRate = 384000;

// libsndfile's virtual I/O over a byte array.
struct Memory
{
    const QByteArray &bytes;
    sf_count_t position = 0;
};

Memory &memory(void *user)
{
    return *static_cast<Memory *>(user);
}

sf_count_t length(void *user)
{
    return memory(user).bytes.size();
}

sf_count_t seek(sf_count_t offset, int whence, void *user)
{
    Memory &m = memory(user);
    const sf_count_t size = m.bytes.size();
    sf_count_t base = 0;
    if (whence == SEEK_CUR)
        base = m.position;
    else if (whence == SEEK_END)
        base = size;
    else if (whence != SEEK_SET)
        return -1;
    if ((offset > 0 && base > size - offset) || base + offset < 0)
        return -1;
    m.position = base + offset;
    return m.position;
}

sf_count_t read(void *buffer, sf_count_t count, void *user)
{
    Memory &m = memory(user);
    const sf_count_t n = std::clamp<sf_count_t>(m.bytes.size() - m.position, 0, std::max<sf_count_t>(count, 0));
    std::memcpy(buffer, m.bytes.constData() + m.position, size_t(n));
    m.position += n;
    return n;
}

sf_count_t write(const void *, sf_count_t, void *)
{
    return 0;
}

sf_count_t tell(void *user)
{
    return memory(user).position;
}

struct CloseSndfile
{
    void operator()(SNDFILE *file) const { sf_close(file); }
};

qint16 toInt16(float v)
{
    // NaN compares false both ways and becomes silence.
    if (!(v > -1.0f))
        return v < 0.0f ? -32767 : 0;
    if (v >= 1.0f)
        return 32767;
    return qint16(std::lrint(v * 32767.0f));
}

} // namespace

std::variant<Wave, QString> decodeWave(const QByteArray &bytes, QDeadlineTimer deadline)
{
    if (bytes.size() > MaxWaveFileBytes)
        return QStringLiteral("larger than %1 MiB").arg(MaxWaveFileBytes / (1024 * 1024));

    // Only wave files: left to guess, libsndfile would also take other
    // formats, and the MPEG decoder behind it prints its complaints about
    // damaged data on standard error.
    const QByteArray riff = bytes.left(4);
    if ((riff != "RIFF" && riff != "RIFX" && riff != "RF64" && riff != "BW64") || bytes.mid(8, 4) != "WAVE")
        return QStringLiteral("not a wave file");

    SF_VIRTUAL_IO io{length, seek, read, write, tell};
    Memory source{bytes};
    SF_INFO info{};
    const std::unique_ptr<SNDFILE, CloseSndfile> file(sf_open_virtual(&io, SFM_READ, &info, &source));
    if (!file)
        return QStringLiteral("not a sound file libsndfile reads: %1").arg(QString::fromUtf8(sf_strerror(nullptr)));
    if (info.channels < 1 || info.channels > 1024)
        return QStringLiteral("%1 channels").arg(info.channels);
    if (info.samplerate < MinRate || info.samplerate > MaxRate)
        return QStringLiteral("sample rate %1 Hz").arg(info.samplerate);

    const int outChannels = info.channels <= 2 ? info.channels : 1;
    const qint64 maxFrames = MaxDecodedBytes / (2 * outChannels);
    Wave wave{info.samplerate, outChannels, {}};
    // Room for what the header announces, but never far more than the bytes
    // could hold: a damaged header may announce anything.
    wave.samples.reserve(qsizetype(std::min<qint64>({qint64(info.frames), maxFrames, bytes.size() + 4096})) *
                         outChannels * 2);
    std::vector<float> block(size_t(FramesPerRead * info.channels));
    qint64 frames = 0;
    for (;;) {
        const sf_count_t got = sf_readf_float(file.get(), block.data(), FramesPerRead);
        if (got <= 0)
            break;
        if (frames + got > maxFrames)
            return QStringLiteral("longer than %1 seconds").arg(maxFrames / info.samplerate);
        if (deadline.hasExpired())
            return QStringLiteral("too slow to decode");
        const qsizetype at = wave.samples.size();
        wave.samples.resize(at + qsizetype(got) * outChannels * 2);
        char *out = wave.samples.data() + at;
        for (sf_count_t f = 0; f < got; ++f) {
            const float *in = block.data() + f * info.channels;
            if (outChannels == info.channels) {
                for (int c = 0; c < outChannels; ++c, out += 2)
                    qToLittleEndian<qint16>(toInt16(in[c]), out);
            } else {
                // Many channels: their mean, so that nothing clips.
                double sum = 0;
                for (int c = 0; c < info.channels; ++c)
                    sum += in[c];
                qToLittleEndian<qint16>(toInt16(float(sum / info.channels)), out);
                out += 2;
            }
        }
        frames += got;
    }
    if (frames == 0)
        return QStringLiteral("no samples");
    wave.samples.squeeze();
    return wave;
}
