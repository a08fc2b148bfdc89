#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace chordalis {

// A MIDI 1.0 short message packed into one word: status in bits 0-7, first data byte in bits
// 8-15, second data byte in bits 16-23, bits 24-31 zero.
constexpr std::uint32_t packShortMessage(int status, int data1, int data2 = 0) {
    return std::uint32_t(status & 0xFF) | std::uint32_t(data1 & 0x7F) << 8 |
           std::uint32_t(data2 & 0x7F) << 16;
}
constexpr int statusOf(std::uint32_t word) {
    return int(word & 0xFF);
}
constexpr int data1Of(std::uint32_t word) {
    return int(word >> 8 & 0xFF);
}
constexpr int data2Of(std::uint32_t word) {
    return int(word >> 16 & 0xFF);
}

// The one output port of the program. Device -1 is the built-in synthesizer, devices 0..n-1 are
// the MIDI output ports the system lists at start-up.
class MidiOut {
public:
    virtual ~MidiOut() = default;

    // Closes whatever is open, then opens the device. Returns the backend's own error text when
    // the device cannot be opened; the port then stays closed and every message is dropped.
    virtual std::optional<QString> open(int device) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Sends one short message at once. Messages to a closed port are dropped.
    virtual void shortMessage(std::uint32_t word) = 0;

    // Outputs with a clock of their own (the built-in synthesizer's sample clock) can queue a
    // message for a later time on that clock, so it lands exactly there whatever the event loop
    // is doing. Times are in seconds on that clock.
    virtual bool hasOwnClock() const { return false; }
    virtual double ownClockNow() const { return 0.0; }
    virtual void shortMessageAt(std::uint32_t /*word*/, double /*ownClockSeconds*/) {}
    // Drops the messages queued with shortMessageAt that have not been sent yet.
    virtual void cancelQueued() {}

    // The names of the output ports 0..n-1, as listed when the output was created.
    virtual QStringList portNames() const { return {}; }
};

} // namespace chordalis
