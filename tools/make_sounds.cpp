// make_sounds: synthesises the program's three short chimes as WAV files.
//
// Usage: make_sounds <output-dir>
// Writes pinpon.wav, endpinpon.wav and logoff.wav (16-bit PCM, mono, 44100 Hz).
//
// Every note is a small bell: a sine fundamental plus two softer overtones
// that die away faster, under an exponential decay.  Raised-cosine fades at
// both ends of each note and at the end of each file keep the sound
// click-free.  Only arithmetic is involved, so every run writes the same bytes.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <span>
#include <string>
#include <vector>

namespace {

constexpr int sampleRate = 44100;
constexpr double peakLevel = 0.7079; // -3 dBFS
constexpr double attackSeconds = 0.005;
constexpr double releaseSeconds = 0.03;
constexpr double fileFadeSeconds = 0.01;

// Equal-tempered pitches in Hz (A4 = 440 Hz).
constexpr double D5 = 587.33;
constexpr double F5 = 698.46;
constexpr double G5 = 783.99;
constexpr double A5 = 880.00;
constexpr double C6 = 1046.50;
constexpr double E6 = 1318.51;

struct Partial
{
    double ratio; // frequency as a multiple of the note's pitch
    double level; // loudness relative to the fundamental
    double decayShare; // fraction of the note's decay time
};

constexpr std::array bell{
    Partial{1.0, 1.00, 1.0},
    Partial{2.0, 0.30, 0.6},
    Partial{3.0, 0.12, 0.4},
};

struct Note
{
    double hz;
    double start; // seconds from the beginning of the file
    double length; // seconds, including the release fade
};

// "Pin-pon": a high tone, then a major third lower, like a doorbell.
constexpr std::array pinpon{
    Note{E6, 0.00, 0.50},
    Note{C6, 0.30, 0.60},
};

// The doorbell chime followed by a third, lower tone to close.
constexpr std::array endPinpon{
    Note{E6, 0.00, 0.50},
    Note{C6, 0.32, 0.55},
    Note{G5, 0.64, 0.86},
};

// Four quick notes stepping down.
constexpr std::array logoff{
    Note{C6, 0.00, 0.16},
    Note{A5, 0.11, 0.16},
    Note{F5, 0.22, 0.16},
    Note{D5, 0.33, 0.40},
};

// Rises from 0 to 1 along half a cosine over the first `span` seconds.
double fadeIn(double t, double span)
{
    if (t <= 0.0)
        return 0.0;
    if (t >= span)
        return 1.0;
    return 0.5 - 0.5 * std::cos(std::numbers::pi * t / span);
}

std::vector<double> render(std::span<const Note> notes)
{
    double end = 0.0;
    for (const Note &note : notes)
        end = std::max(end, note.start + note.length);
    std::vector<double> wave(std::size_t(std::lround(end * sampleRate)), 0.0);

    for (const Note &note : notes) {
        const double decay = note.length / 3.0; // about -26 dB by the note's end
        const std::size_t first = std::size_t(std::lround(note.start * sampleRate));
        const std::size_t count = std::size_t(std::lround(note.length * sampleRate));
        for (std::size_t i = 0; i < count && first + i < wave.size(); ++i) {
            const double t = double(i) / sampleRate;
            const double envelope = fadeIn(t, attackSeconds) * fadeIn(note.length - t, releaseSeconds);
            double sum = 0.0;
            for (const Partial &partial : bell) {
                sum += partial.level * std::exp(-t / (decay * partial.decayShare)) *
                       std::sin(2.0 * std::numbers::pi * note.hz * partial.ratio * t);
            }
            wave[first + i] += envelope * sum;
        }
    }
    return wave;
}

// Scales to the target peak, fades out the file's tail and quantises to 16 bits.
std::vector<std::int16_t> finish(std::span<const double> wave)
{
    double peak = 0.0;
    for (double sample : wave)
        peak = std::max(peak, std::abs(sample));
    const double gain = peak > 0.0 ? peakLevel / peak : 0.0;

    std::vector<std::int16_t> pcm;
    pcm.reserve(wave.size());
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double secondsLeft = double(wave.size() - 1 - i) / sampleRate;
        const double sample = wave[i] * gain * fadeIn(secondsLeft, fileFadeSeconds);
        pcm.push_back(std::int16_t(std::clamp(std::lround(sample * 32767.0), -32767L, 32767L)));
    }
    return pcm;
}

// Writes `value` as `bytes` little-endian bytes, as RIFF requires.
void putLittleEndian(std::ofstream &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.put(char((value >> (8 * i)) & 0xffu));
}

bool writeWav(const std::string &path, std::span<const std::int16_t> pcm)
{
    constexpr std::uint32_t bytesPerSample = 2;
    const auto dataBytes = std::uint32_t(pcm.size() * bytesPerSample);

    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    putLittleEndian(out, 36 + dataBytes, 4);
    out.write("WAVE", 4);
    out.write("fmt ", 4);
    putLittleEndian(out, 16, 4); // size of this chunk
    putLittleEndian(out, 1, 2); // PCM
    putLittleEndian(out, 1, 2); // mono
    putLittleEndian(out, sampleRate, 4);
    putLittleEndian(out, sampleRate * bytesPerSample, 4); // bytes per second
    putLittleEndian(out, bytesPerSample, 2); // bytes per frame
    putLittleEndian(out, 16, 2); // bits per sample
    out.write("data", 4);
    putLittleEndian(out, dataBytes, 4);
    for (std::int16_t sample : pcm)
        putLittleEndian(out, std::uint16_t(sample), 2);

    out.close();
    if (!out) {
        std::fprintf(stderr, "make_sounds: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

bool makeSound(const std::string &dir, const char *name, std::span<const Note> notes)
{
    return writeWav(dir + '/' + name, finish(render(notes)));
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds <output-dir>\n");
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = makeSound(dir, "pinpon.wav", pinpon) && makeSound(dir, "endpinpon.wav", endPinpon) &&
                    makeSound(dir, "logoff.wav", logoff);
    return ok ? 0 : 1;
}
