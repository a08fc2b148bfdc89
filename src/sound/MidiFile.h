#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace chordalis {

// A Standard MIDI File (format 0 or 1) read into the channel messages it plays, each at its time
// in seconds under the file's tempo map. Meta events other than the tempo, and SysEx events, are
// read past and not played.
struct MidiSong {
    struct Event {
        double time = 0.0;      // seconds from the start
        std::uint32_t word = 0; // a packed short message (see MidiOut.h)
    };
    // In time order; events at the same time keep the order of their tracks, then of each track.
    std::vector<Event> events;
    // Seconds from the start to the last event or the end of the longest track, whichever is
    // later: a rest at the end of a groove is part of it.
    double length = 0.0;
    int format = 0;
    int tracks = 0;
};

// Files larger than this are refused unread; examples are a few kilobytes.
inline constexpr qint64 MaxMidiFileBytes = 4 * 1024 * 1024;
// A file that would play longer than this is taken as damaged (a wild delta time or tempo).
inline constexpr double MaxSongSeconds = 3600.0;

// Reads a Standard MIDI File from its bytes. Null, with a sentence for the user in *error, when
// the bytes are no playable file: too short, a bad header, another format, a track cut short or
// running past its chunk, a data byte without a status, a tempo of zero, a song longer than
// MaxSongSeconds. Never reads outside the bytes, whatever they hold.
std::optional<MidiSong> parseMidiFile(const QByteArray& bytes, QString* error);

// Reads and parses a file; the error also covers a file that cannot be read or is too large.
std::optional<MidiSong> readMidiFile(const QString& path, QString* error);

} // namespace chordalis

namespace chordalis {

// A song to write as a Standard MIDI File of format 1: a first track with the tempo and the
// meter, then one track per part.
struct MidiScore {
    struct Event {
        int tick = 0;           // from the start, TicksPerBeat to a beat
        std::uint32_t word = 0; // a packed short message (see MidiOut.h)
    };
    struct Track {
        QString name;
        std::vector<Event> events; // any order: written by tick, note-offs before note-ons
        int endTick = 0;           // the track lasts to here at least (a rest at the end)
    };
    static constexpr int TicksPerBeat = 480;
    QString title;
    double beatsPerMinute = 120; // a quarter note a beat; kept within 1..1000
    int beatsPerBar = 4;         // the meter's numerator over a quarter, 1..32
    std::vector<Track> tracks;
};

// The file's bytes: header, the tempo and meter track named after the title, then the parts.
// Names are written in UTF-8, cut to 127 bytes; a tick below 0 is written as 0.
QByteArray midiFileBytes(const MidiScore& score);

} // namespace chordalis
