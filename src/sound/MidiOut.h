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

// Who queued a timed message: each player takes back only its own.
enum class QueueSource { Other = 0, Playback = 1, Metronome = 2, Loop = 3 };

// Why an open output no longer plays as it did.
struct OutputFault {
    QString reason; // for the user, a sentence: "The JACK server has stopped."
    // The output still plays, but not as it was opened (its sample rate changed): opening it
    // again follows the change. Otherwise it has gone (its server stopped, its device was
    // unplugged) and plays nothing until it is back.
    bool changed = false;
    friend bool operator==(const OutputFault&, const OutputFault&) = default;
};

// The one output port of the program. Device -1 is the built-in synthesizer, devices 0..n-1 are
// the MIDI output ports the system lists at start-up (or when asked to list them again).
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

    // Every open output of the program has a clock of its own (the built-in synthesizer's
    // sample clock, the JACK server's clock, the system's monotonic clock behind a sender thread)
    // and can queue a message for a later time on it, so that it lands exactly there whatever the
    // window thread is doing. Times are in seconds on that clock. A closed output has none.
    virtual bool hasOwnClock() const { return false; }
    virtual double ownClockNow() const { return 0.0; }
    // Queues a message for its time (a time already past sends it as soon as possible).
    // Untimed callers and the two-argument forms use QueueSource::Other.
    virtual void shortMessageAt(std::uint32_t /*word*/, double /*ownClockSeconds*/) {}
    virtual void shortMessageAt(std::uint32_t word, double ownClockSeconds, QueueSource) {
        shortMessageAt(word, ownClockSeconds);
    }
    // Drops the messages queued with shortMessageAt that have not been sent yet: those of one
    // source, or without an argument those of QueueSource::Other.
    virtual void cancelQueued() {}
    virtual void cancelQueued(QueueSource) { cancelQueued(); }

    // The names of the output ports 0..n-1, as last listed: when the output was first asked,
    // or at the last listPortsAgain.
    virtual QStringList portNames() const { return {}; }
    // Lists the system's output ports again (a device plugged in or unplugged since) and numbers
    // them by the new list from then on; an open port stays open. Returns the new list. Called
    // on the thread that opens the output, never while it opens.
    virtual QStringList listPortsAgain() { return portNames(); }

    // Why the open output stopped playing as it was opened, or nothing while it works (and
    // while it is closed). Cheap enough to ask a few times a second.
    virtual std::optional<OutputFault> fault() const { return std::nullopt; }
    // What plays, for the user: "the built-in synthesizer through JACK at 48000 Hz", a port's
    // name; empty while closed.
    virtual QString outputName() const { return {}; }
};

} // namespace chordalis
