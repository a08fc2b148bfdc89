// Any bytes as a WAV file: a refusal has a reason; a file read has a rate the listener takes, at
// least one sample and only finite ones, and writes back to a file that reads the same.
#include "FuzzSupport.h"
#include "listening/WavReader.h"

#include <algorithm>
#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using chordalis::fuzz::require;
    QString error;
    const auto clip = chordalis::readWav(chordalis::fuzz::inputBytes(data, size), &error);
    require(clip || !error.isEmpty());
    if (!clip)
        return 0;
    require(clip->sampleRate >= 1000 && clip->sampleRate <= 768000 && !clip->samples.empty());
    require(std::all_of(clip->samples.begin(), clip->samples.end(),
                        [](float s) { return std::isfinite(s); }));
    const auto again = chordalis::readWav(chordalis::wavBytes(*clip), &error);
    require(again && again->samples == clip->samples && again->sampleRate == clip->sampleRate);
    return 0;
}
