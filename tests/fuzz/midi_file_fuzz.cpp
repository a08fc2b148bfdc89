// Any bytes as an example's MIDI file: a refusal has a reason, a song is in time order and
// within the longest length the player accepts; moved to another root, a playable file stays
// playable with the same events in the same order, and moving never reads or writes outside it.
#include "sound/MidiFile.h"
#include "sound/MidiTranspose.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QString error;
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto song = chordalis::parseMidiFile(bytes, &error);
    QString moveError;
    const auto moved = chordalis::transposeMidiFile(bytes, int(size % 12), &moveError);
    if (moved && moved->size() != bytes.size())
        std::abort();
    if (!moved && moveError.isEmpty())
        std::abort();
    if (song && moved) {
        QString again;
        const auto movedSong = chordalis::parseMidiFile(*moved, &again);
        if (!movedSong || movedSong->events.size() != song->events.size())
            std::abort();
    }
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
