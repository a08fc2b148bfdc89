#include "sound/MidiTranspose.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>

namespace chordalis {

namespace {

constexpr int LowestBassNote = 28; // E1

using KeyVisitor = std::function<void(int channel, qsizetype keyAt)>;

// A variable-length quantity at `at` (at most four bytes); the position after it, or -1.
qsizetype skipVarLength(const QByteArray& b, qsizetype at, std::uint32_t* value) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        if (at >= b.size())
            return -1;
        const auto c = std::uint8_t(b[at++]);
        v = v << 7 | (c & 0x7F);
        if (!(c & 0x80)) {
            *value = v;
            return at;
        }
    }
    return -1;
}

// Calls the visitor with the channel and the byte position of each note key in the track bytes
// [begin, end): note off, note on and key pressure. An error text when the track cannot be read.
std::optional<QString> walkTrack(const QByteArray& b, qsizetype begin, qsizetype end,
                                 const KeyVisitor& visit) {
    const QString broken = QStringLiteral("A track of the MIDI file is damaged.");
    qsizetype at = begin;
    unsigned running = 0;
    while (at < end) {
        std::uint32_t delta = 0;
        at = skipVarLength(b, at, &delta);
        if (at < 0 || at >= end)
            return broken;
        unsigned status = std::uint8_t(b[at]);
        if (status < 0x80) {
            if (!running)
                return broken;
            status = running;
        } else {
            ++at;
        }
        if (status < 0xF0) {
            running = status;
            const unsigned kind = status & 0xF0;
            const int data = kind == 0xC0 || kind == 0xD0 ? 1 : 2;
            if (at + data > end)
                return broken;
            if (kind == 0x80 || kind == 0x90 || kind == 0xA0)
                visit(int(status & 0x0F), at);
            at += data;
            continue;
        }
        if (status == 0xFF) {
            if (at >= end)
                return broken;
            const auto type = std::uint8_t(b[at++]);
            std::uint32_t length = 0;
            at = skipVarLength(b, at, &length);
            if (at < 0 || length > std::uint32_t(end - at))
                return broken;
            at += length;
            if (type == 0x2F)
                return std::nullopt;
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            std::uint32_t length = 0;
            at = skipVarLength(b, at, &length);
            if (at < 0 || length > std::uint32_t(end - at))
                return broken;
            at += length;
            continue;
        }
        return broken;
    }
    return std::nullopt;
}

std::uint32_t bigEndian32(const QByteArray& b, qsizetype at) {
    return std::uint32_t(std::uint8_t(b[at])) << 24 | std::uint32_t(std::uint8_t(b[at + 1])) << 16 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 8 | std::uint32_t(std::uint8_t(b[at + 3]));
}

// Every track chunk of the file walked with the visitor.
std::optional<QString> walkFile(const QByteArray& b, const KeyVisitor& visit) {
    if (b.size() < 14 || !b.startsWith("MThd"))
        return QStringLiteral("The file does not begin with a MIDI file header.");
    qsizetype at = 8 + qsizetype(bigEndian32(b, 4));
    if (at < 14 || at > b.size())
        return QStringLiteral("The MIDI file header runs past the end of the file.");
    while (b.size() - at >= 8) {
        const std::uint32_t length = bigEndian32(b, at + 4);
        const qsizetype begin = at + 8;
        if (length > std::uint64_t(b.size() - begin))
            return QStringLiteral("A chunk of the MIDI file runs past the end of the file.");
        if (b.mid(at, 4) == "MTrk")
            if (auto fault = walkTrack(b, begin, begin + qsizetype(length), visit))
                return fault;
        at = begin + qsizetype(length);
    }
    return std::nullopt;
}

} // namespace

int channelShift(int semitones, int low, int high) {
    const int up = ((semitones % 12) + 12) % 12;
    if (up == 0)
        return 0;
    const int down = up - 12;
    const int floor = low < LowestBassNote ? 0 : LowestBassNote;
    auto fits = [&](int shift) {
        return low + shift >= floor && high + shift <= 127;
    };
    // The smaller move first; of a tritone's two, the one towards middle C (60).
    int first = up < -down ? up : down;
    if (up == -down)
        first = (low + high) / 2 < 60 ? up : down;
    const int second = first == up ? down : up;
    if (fits(first))
        return first;
    if (fits(second))
        return second;
    return low + second >= 0 && high + second <= 127 ? second : first;
}

std::optional<QByteArray> transposeMidiFile(const QByteArray& smf, int semitones, QString* error) {
    std::array<int, 16> low;
    std::array<int, 16> high;
    low.fill(128);
    high.fill(-1);
    const auto fault = walkFile(smf, [&](int channel, qsizetype keyAt) {
        const int key = std::uint8_t(smf[keyAt]) & 0x7F;
        low[size_t(channel)] = std::min(low[size_t(channel)], key);
        high[size_t(channel)] = std::max(high[size_t(channel)], key);
    });
    if (fault) {
        *error = *fault;
        return std::nullopt;
    }
    std::array<int, 16> shift{};
    for (size_t c = 0; c < shift.size(); ++c)
        if (int(c) != DrumChannel && high[c] >= 0)
            shift[c] = channelShift(semitones, low[c], high[c]);
    QByteArray moved = smf;
    walkFile(smf, [&](int channel, qsizetype keyAt) {
        const int key = std::uint8_t(smf[keyAt]) & 0x7F;
        moved[keyAt] = char(std::clamp(key + shift[size_t(channel)], 0, 127));
    });
    return moved;
}

} // namespace chordalis
