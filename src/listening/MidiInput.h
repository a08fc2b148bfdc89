#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace chordalis {

// The notes a MIDI instrument holds, kept from its messages: note-on (velocity 1..127) adds a
// note of any channel, note-off or note-on at velocity 0 removes it, all-notes-off and
// all-sound-off (controllers 123 and 120) clear the channel. Anything else (clock, sysex, short or
// cut messages) changes nothing.
class HeldNotes {
public:
    // One message's bytes, status first. True when the held notes changed.
    bool apply(std::span<const unsigned char> message);
    // MIDI notes 0..127, lowest first, each once however many channels hold it.
    std::vector<int> notes() const;

private:
    std::array<std::array<bool, 128>, 16> m_held{}; // per channel, per note
};

// Where played notes come from: a MIDI instrument (a MIDI guitar, a keyboard) through a port of
// the system's. An open input hands the held notes, each time they change, to the sink it was
// opened with, on a thread of the input's own; it never calls the sink after close() returns.
class MidiInput {
public:
    using Sink = std::function<void(const std::vector<int>& held)>;

    virtual ~MidiInput() = default;
    // The ports that can be listened to; empty when the MIDI system is not there.
    virtual QStringList portNames() const = 0;
    // Closes what is open, then listens to the named port. The reason, for the user, when it
    // cannot; the input then stays closed.
    virtual std::optional<QString> open(const QString& port, Sink sink) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Why an open input has stopped (its port went, the server stopped), as a sentence for the
    // user; nothing while it works or when it is closed.
    virtual std::optional<QString> fault() const = 0;
};

} // namespace chordalis
