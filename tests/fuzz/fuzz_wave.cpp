// Feeds arbitrary bytes to the decoder the program reads sound files with:
// it must give either playable samples or a reason, and never crash.

#include "sound/wave.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::variant<Wave, QString> result = decodeWave(bytes);
    if (const auto *wave = std::get_if<Wave>(&result)) {
        const bool playable = (wave->channels == 1 || wave->channels == 2) && wave->sampleRate > 0 &&
                              !wave->samples.isEmpty() && wave->samples.size() % (2 * wave->channels) == 0;
        if (!playable)
            std::abort();
    } else if (std::get<QString>(result).isEmpty()) {
        std::abort();
    }
    return 0;
}
