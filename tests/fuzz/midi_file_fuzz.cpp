// Any bytes as an example's MIDI file: a refusal has a reason, a song is in time order and
// within the longest length the player accepts.
#include "sound/MidiFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QString error;
    const auto song = chordalis::parseMidiFile(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)), &error);
    if (!song) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    double last = 0.0;
    for (const auto& e : song->events) {
        if (e.time < last || e.time > chordalis::MaxSongSeconds)
            std::abort();
        last = e.time;
    }
    return 0;
}
