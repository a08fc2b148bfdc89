#pragma once

#include "../SoundHelpers.h"

#include <algorithm>
#include <set>

namespace chordalis::test {

// The notes a recorded output has been left sounding at a time, as (channel, key), the sustain
// pedal down counting as key -1: what was sent (or queued) up to then, in time order.
inline std::set<std::pair<int, int>> sounding(std::vector<RecordingMidiOut::Sent> sent,
                                              double now) {
    std::stable_sort(sent.begin(), sent.end(),
                     [](const auto& a, const auto& b) { return a.time < b.time; });
    std::set<std::pair<int, int>> on;
    for (const auto& s : sent) {
        if (s.time > now)
            break;
        const int kind = statusOf(s.word) & 0xF0;
        const int channel = statusOf(s.word) & 0x0F;
        if (kind == 0x90 && data2Of(s.word) > 0)
            on.insert({channel, data1Of(s.word)});
        else if (kind == 0x80 || kind == 0x90)
            on.erase({channel, data1Of(s.word)});
        else if (kind == 0xB0 && data1Of(s.word) == 64 && data2Of(s.word) >= 64)
            on.insert({channel, -1});
        else if (kind == 0xB0 && data1Of(s.word) == 64)
            on.erase({channel, -1});
    }
    return on;
}

} // namespace chordalis::test

// Standard MIDI Files written byte by byte, for tests.
namespace chordalis::test::smf {

using soundtest::bytes;

inline QByteArray varLength(quint32 n) {
    QByteArray out(1, char(n & 0x7F));
    while (n >>= 7)
        out.prepend(char(0x80 | (n & 0x7F)));
    return out;
}

inline QByteArray be(quint32 value, int size) {
    QByteArray out;
    for (int i = size - 1; i >= 0; --i)
        out.append(char(value >> (8 * i) & 0xFF));
    return out;
}

// An event: its delta time, then its bytes as written (a status may be left out).
inline QByteArray event(quint32 delta, std::initializer_list<int> values) {
    return varLength(delta) + bytes(values);
}
inline QByteArray tempo(quint32 delta, quint32 microsPerQuarter) {
    return varLength(delta) + bytes({0xFF, 0x51, 0x03}) + be(microsPerQuarter, 3);
}

inline QByteArray chunk(const char* type, const QByteArray& data) {
    return QByteArray(type, 4) + be(quint32(data.size()), 4) + data;
}
// A track chunk of the events, closed by an end-of-track event after `tail` ticks.
inline QByteArray track(const QByteArray& events, quint32 tail = 0) {
    return chunk("MTrk", events + event(tail, {0xFF, 0x2F, 0x00}));
}
inline QByteArray header(int format, int tracks, int division) {
    return chunk("MThd",
                 be(quint32(format), 2) + be(quint32(tracks), 2) + be(quint32(division), 2));
}
inline QByteArray file(int format, int division, std::initializer_list<QByteArray> tracks) {
    QByteArray out = header(format, int(tracks.size()), division);
    for (const QByteArray& t : tracks)
        out += t;
    return out;
}

// The example form of a MIDI file: the header as it is, the rest last byte first.
inline QByteArray toExample(QByteArray mid) {
    std::reverse(mid.begin() + 14, mid.end());
    return mid;
}

} // namespace chordalis::test::smf
