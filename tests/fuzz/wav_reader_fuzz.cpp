// Any bytes as a WAV file: a refusal has a reason; a file read has a rate the listener takes, at
// least one sample and only finite ones, and writes back to a file that reads the same.
#include "listening/WavReader.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QString error;
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto clip = chordalis::readWav(bytes, &error);
    if (!clip) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    if (clip->sampleRate < 1000 || clip->sampleRate > 768000 || clip->samples.empty())
        std::abort();
    for (float s : clip->samples)
        if (!std::isfinite(s))
            std::abort();
    const auto again = chordalis::readWav(chordalis::wavBytes(*clip), &error);
    if (!again || again->samples != clip->samples || again->sampleRate != clip->sampleRate)
        std::abort();
    return 0;
}
