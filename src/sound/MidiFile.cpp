#include "sound/MidiFile.h"

#include "sound/MidiOut.h"

#include <QFile>
#include <algorithm>
#include <cmath>

namespace chordalis {

namespace {

// A position in a byte range that never reads past its end.
class ByteReader {
public:
    ByteReader(const unsigned char* begin, const unsigned char* end) : m_p(begin), m_end(end) {}

    qsizetype left() const { return m_end - m_p; }
    const unsigned char* here() const { return m_p; }
    bool atEnd() const { return m_p >= m_end; }

    std::optional<unsigned> byte() {
        if (m_p >= m_end)
            return std::nullopt;
        return *m_p++;
    }
    std::optional<unsigned> peek() const {
        if (m_p >= m_end)
            return std::nullopt;
        return *m_p;
    }
    std::optional<std::uint32_t> bigEndian(int bytes) {
        if (left() < bytes)
            return std::nullopt;
        std::uint32_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v = v << 8 | *m_p++;
        return v;
    }
    bool skip(std::uint32_t bytes) {
        if (std::uint64_t(left()) < bytes)
            return false;
        m_p += bytes;
        return true;
    }
    // A variable-length quantity: at most four bytes, seven bits each. Null at the end of the
    // range; *tooLong when a fourth byte still announces another.
    std::optional<std::uint32_t> varLength(bool* tooLong) {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const auto b = byte();
            if (!b)
                return std::nullopt;
            v = v << 7 | (*b & 0x7F);
            if (!(*b & 0x80))
                return v;
        }
        *tooLong = true;
        return std::nullopt;
    }

private:
    const unsigned char* m_p;
    const unsigned char* m_end;
};

struct TickEvent {
    std::uint64_t tick;
    std::uint32_t word;
};

struct TempoChange {
    std::uint64_t tick;
    std::uint32_t microsPerQuarter;
};

// The number of data bytes after a channel status byte.
int dataBytes(unsigned status) {
    const unsigned kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

struct TrackResult {
    std::uint64_t endTick = 0;
};

// Reads the events of one track chunk. Returns the error text, or nothing when the track is
// sound; a track without an end-of-track event ends with its chunk.
std::optional<QString> readTrack(ByteReader track, int number, std::vector<TickEvent>& events,
                                 std::vector<TempoChange>& tempos, TrackResult& result) {
    auto fault = [number](const QString& what) {
        return QStringLiteral("Track %1 %2.").arg(number).arg(what);
    };
    const QString cutShort = QStringLiteral("ends in the middle of an event");
    std::uint64_t tick = 0;
    unsigned running = 0; // the last channel status, for running status
    while (!track.atEnd()) {
        bool tooLong = false;
        const auto delta = track.varLength(&tooLong);
        if (!delta)
            return fault(tooLong ? QStringLiteral("has a delta time longer than four bytes")
                                 : cutShort);
        tick += *delta;
        auto status = track.peek();
        if (!status)
            return fault(cutShort);
        if (*status < 0x80) {
            // Running status: the data bytes follow the last channel status.
            if (!running)
                return fault(QStringLiteral("has a data byte where an event should begin"));
            status = running;
        } else {
            track.byte();
        }
        if (*status >= 0x80 && *status < 0xF0) {
            running = *status;
            unsigned data[2] = {0, 0};
            for (int i = 0; i < dataBytes(*status); ++i) {
                const auto d = track.byte();
                if (!d)
                    return fault(cutShort);
                if (*d >= 0x80)
                    return fault(QStringLiteral("has a status byte where a data byte belongs"));
                data[i] = *d;
            }
            events.push_back({tick, packShortMessage(int(*status), int(data[0]), int(data[1]))});
            continue;
        }
        if (*status == 0xFF) {
            const auto type = track.byte();
            const auto length = type ? track.varLength(&tooLong) : std::nullopt;
            if (!length)
                return fault(tooLong ? QStringLiteral("has a meta event longer than four bytes "
                                                      "can say")
                                     : cutShort);
            const unsigned char* data = track.here();
            if (!track.skip(*length))
                return fault(cutShort);
            if (*type == 0x2F) { // end of track: whatever follows in the chunk is not played
                result.endTick = tick;
                return std::nullopt;
            }
            if (*type == 0x51 && *length == 3) {
                const std::uint32_t micros = std::uint32_t(data[0]) << 16 |
                                             std::uint32_t(data[1]) << 8 | std::uint32_t(data[2]);
                if (micros == 0)
                    return fault(QStringLiteral("sets a tempo of zero"));
                tempos.push_back({tick, micros});
            }
            continue;
        }
        if (*status == 0xF0 || *status == 0xF7) { // SysEx, or an escaped message: not played
            const auto length = track.varLength(&tooLong);
            if (!length || !track.skip(*length))
                return fault(tooLong ? QStringLiteral("has a SysEx event longer than four bytes "
                                                      "can say")
                                     : cutShort);
            continue;
        }
        return fault(QStringLiteral("holds the status byte 0x%1, which a MIDI file cannot hold")
                         .arg(QString::number(*status, 16).toUpper()));
    }
    result.endTick = tick;
    return std::nullopt;
}

} // namespace

std::optional<MidiSong> parseMidiFile(const QByteArray& bytes, QString* error) {
    auto fail = [error](const QString& text) {
        *error = text;
        return std::nullopt;
    };
    const auto* begin = reinterpret_cast<const unsigned char*>(bytes.constData());
    ByteReader file(begin, begin + bytes.size());
    if (bytes.size() < 14)
        return fail(QStringLiteral("The file is %1 bytes long, shorter than a MIDI file header.")
                        .arg(bytes.size()));
    if (!bytes.startsWith("MThd"))
        return fail(QStringLiteral("The file does not begin with a MIDI file header."));
    file.skip(4);
    const std::uint32_t headerLength = *file.bigEndian(4);
    if (headerLength < 6)
        return fail(QStringLiteral("The MIDI file header is %1 bytes long instead of 6.")
                        .arg(headerLength));
    MidiSong song;
    song.format = int(*file.bigEndian(2));
    song.tracks = int(*file.bigEndian(2));
    const std::uint32_t division = *file.bigEndian(2);
    if (!file.skip(headerLength - 6))
        return fail(QStringLiteral("The MIDI file header runs past the end of the file."));
    if (song.format > 1)
        return fail(QStringLiteral("The file is a MIDI file of format %1; only formats 0 and 1 "
                                   "can be played.")
                        .arg(song.format));
    if (song.tracks == 0)
        return fail(QStringLiteral("The MIDI file header announces no tracks."));

    // Seconds per tick: from the tempo map with ticks per quarter note, or fixed for SMPTE time.
    double smpteSecondsPerTick = 0.0;
    if (division & 0x8000) {
        const int framesPerSecond = -int(std::int8_t(division >> 8));
        const int ticksPerFrame = int(division & 0xFF);
        if (framesPerSecond <= 0 || ticksPerFrame == 0)
            return fail(QStringLiteral("The MIDI file header gives no valid time division."));
        const double fps = framesPerSecond == 29 ? 30000.0 / 1001.0 : double(framesPerSecond);
        smpteSecondsPerTick = 1.0 / (fps * ticksPerFrame);
    } else if (division == 0) {
        return fail(QStringLiteral("The MIDI file header gives a time division of zero."));
    }

    std::vector<TickEvent> events;
    std::vector<TempoChange> tempos;
    std::uint64_t endTick = 0;
    int found = 0;
    while (found < song.tracks) {
        if (file.left() == 0)
            return fail(QStringLiteral("The file ends after %1 of its %2 tracks.")
                            .arg(found)
                            .arg(song.tracks));
        const auto type = file.bigEndian(4);
        const auto length = type ? file.bigEndian(4) : std::nullopt;
        if (!length)
            return fail(QStringLiteral("The file ends in the middle of a chunk header."));
        const unsigned char* chunk = file.here();
        if (!file.skip(*length))
            return fail(QStringLiteral("A chunk of the file claims %1 bytes, but only %2 remain: "
                                       "the file is cut short.")
                            .arg(*length)
                            .arg(file.left()));
        if (*type != 0x4D54726B) // "MTrk"; chunks of other types are passed over
            continue;
        ++found;
        // Each track's events stay together and in order; a stable sort merges them by tick.
        std::vector<TickEvent> trackEvents;
        TrackResult result;
        if (auto fault =
                readTrack(ByteReader(chunk, chunk + *length), found, trackEvents, tempos, result))
            return fail(*fault);
        events.insert(events.end(), trackEvents.begin(), trackEvents.end());
        endTick = std::max(endTick, result.endTick);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const TickEvent& a, const TickEvent& b) { return a.tick < b.tick; });
    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });

    // Ticks to seconds along the tempo map; 120 beats per minute until the first tempo.
    size_t nextTempo = 0;
    std::uint64_t segmentTick = 0;
    double segmentSeconds = 0.0;
    double secondsPerTick =
        smpteSecondsPerTick > 0 ? smpteSecondsPerTick : 500000.0 / (1e6 * division);
    auto secondsAt = [&](std::uint64_t tick) {
        if (smpteSecondsPerTick == 0.0) {
            for (; nextTempo < tempos.size() && tempos[nextTempo].tick <= tick; ++nextTempo) {
                const TempoChange& t = tempos[nextTempo];
                segmentSeconds += double(t.tick - segmentTick) * secondsPerTick;
                segmentTick = t.tick;
                secondsPerTick = t.microsPerQuarter / (1e6 * division);
            }
        }
        return segmentSeconds + double(tick - segmentTick) * secondsPerTick;
    };
    song.events.reserve(events.size());
    for (const TickEvent& e : events)
        song.events.push_back({secondsAt(e.tick), e.word});
    const std::uint64_t lastTick = std::max(endTick, events.empty() ? 0 : events.back().tick);
    song.length = secondsAt(lastTick);
    if (song.length > MaxSongSeconds)
        return fail(QStringLiteral("The file would play for %1 minutes: its times or tempos are "
                                   "damaged.")
                        .arg(qRound64(song.length / 60.0)));
    return song;
}

std::optional<MidiSong> readMidiFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    if (file.size() > MaxMidiFileBytes) {
        *error = QStringLiteral("The file is %1 bytes long, too large for a MIDI example.")
                     .arg(file.size());
        return std::nullopt;
    }
    return parseMidiFile(file.readAll(), error);
}

} // namespace chordalis

namespace chordalis {

namespace {

void appendVarLen(QByteArray& out, std::uint32_t value) {
    unsigned char bytes[5];
    int n = 0;
    do {
        bytes[n++] = static_cast<unsigned char>(value & 0x7f);
        value >>= 7;
    } while (value != 0 && n < 5);
    while (n > 1)
        out.append(char(bytes[--n] | 0x80));
    out.append(char(bytes[0]));
}

void appendBig(QByteArray& out, std::uint32_t value, int bytes) {
    for (int k = bytes - 1; k >= 0; --k)
        out.append(char((value >> (8 * k)) & 0xff));
}

void appendMeta(QByteArray& out, int delta, int type, const QByteArray& data) {
    appendVarLen(out, std::uint32_t(delta));
    out.append(char(0xff));
    out.append(char(type));
    appendVarLen(out, std::uint32_t(data.size()));
    out.append(data);
}

QByteArray trackName(const QString& name) {
    QByteArray bytes = name.toUtf8();
    if (bytes.size() > 127) {
        bytes.truncate(127);
        while (!bytes.isEmpty() && (uchar(bytes.back()) & 0xc0) == 0x80)
            bytes.chop(1); // no broken character at the end
        if (!bytes.isEmpty() && uchar(bytes.back()) >= 0xc0)
            bytes.chop(1);
    }
    return bytes;
}

void appendChunk(QByteArray& out, const QByteArray& body) {
    out.append("MTrk", 4);
    appendBig(out, std::uint32_t(body.size()), 4);
    out.append(body);
}

} // namespace

QByteArray midiFileBytes(const MidiScore& score) {
    QByteArray out("MThd", 4);
    appendBig(out, 6, 4);
    appendBig(out, 1, 2);
    appendBig(out, std::uint32_t(score.tracks.size() + 1), 2);
    appendBig(out, MidiScore::TicksPerBeat, 2);

    QByteArray conductor;
    appendMeta(conductor, 0, 0x03, trackName(score.title));
    const double bpm = std::clamp(score.beatsPerMinute, 1.0, 1000.0);
    QByteArray tempo;
    appendBig(tempo, std::uint32_t(std::lround(60'000'000.0 / bpm)), 3);
    appendMeta(conductor, 0, 0x51, tempo);
    const int beats = std::clamp(score.beatsPerBar, 1, 32);
    // Beats over a quarter (2 as a power of two), 24 clocks a click, 8 32nds a quarter.
    QByteArray meter;
    meter.append(char(beats)).append(char(2)).append(char(24)).append(char(8));
    appendMeta(conductor, 0, 0x58, meter);
    appendMeta(conductor, 0, 0x2f, {});
    appendChunk(out, conductor);

    for (const MidiScore::Track& track : score.tracks) {
        std::vector<MidiScore::Event> events = track.events;
        // At one tick a note ends before the next begins, so a repeated note sounds again.
        auto isOff = [](std::uint32_t w) {
            return (statusOf(w) & 0xf0) == 0x80 ||
                   ((statusOf(w) & 0xf0) == 0x90 && data2Of(w) == 0);
        };
        std::stable_sort(events.begin(), events.end(), [&](const auto& a, const auto& b) {
            return std::max(0, a.tick) != std::max(0, b.tick)
                       ? std::max(0, a.tick) < std::max(0, b.tick)
                       : isOff(a.word) && !isOff(b.word);
        });
        QByteArray body;
        appendMeta(body, 0, 0x03, trackName(track.name));
        int now = 0;
        for (const MidiScore::Event& e : events) {
            const int status = statusOf(e.word);
            if (status < 0x80 || status >= 0xf0)
                continue; // no channel message: it has no place in a track
            const int tick = std::max(0, e.tick);
            appendVarLen(body, std::uint32_t(tick - now));
            now = tick;
            body.append(char(status));
            body.append(char(data1Of(e.word) & 0x7f));
            if ((status & 0xe0) != 0xc0) // program and channel pressure carry one data byte
                body.append(char(data2Of(e.word) & 0x7f));
        }
        appendMeta(body, std::max(0, track.endTick - now), 0x2f, {});
        appendChunk(out, body);
    }
    return out;
}

} // namespace chordalis
