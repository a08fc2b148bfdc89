// Any bytes as an example's MIDI file: a refusal has a reason, a song is in time order and
// within the longest length the player accepts; moved to another root, a playable file stays
// playable with the same events in the same order, and moving never reads or writes outside it.
#include "FuzzSupport.h"
#include "sound/MidiFile.h"
#include "sound/MidiTranspose.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using chordalis::fuzz::require;
    QString error, moveError;
    const QByteArray bytes = chordalis::fuzz::inputBytes(data, size);
    const auto song = chordalis::parseMidiFile(bytes, &error);
    const auto moved = chordalis::transposeMidiFile(bytes, int(size % 12), &moveError);
    require(moved ? moved->size() == bytes.size() : !moveError.isEmpty());
    if (song && moved) {
        QString again;
        const auto movedSong = chordalis::parseMidiFile(*moved, &again);
        require(movedSong && movedSong->events.size() == song->events.size());
    }
    require(song || !error.isEmpty());
    if (!song)
        return 0;
    double last = 0.0;
    for (const auto& e : song->events) {
        require(e.time >= last && e.time <= chordalis::MaxSongSeconds);
        last = e.time;
    }
    return 0;
}
