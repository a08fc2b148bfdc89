#pragma once

#include "sound/MidiOut.h"

#include <cstdint>
#include <vector>

namespace chordalis {

// A message waiting for its time on an output's clock.
struct TimedMessage {
    double due = 0.0; // seconds on the output's clock
    std::uint32_t word = 0;
    QueueSource source = QueueSource::Other;
    std::uint64_t order = 0; // queue order, which breaks ties between equal times
};

// True for a note-off, also in its note-on form with velocity 0.
constexpr bool isNoteOff(std::uint32_t word) {
    const int kind = statusOf(word) & 0xF0;
    return kind == 0x80 || (kind == 0x90 && data2Of(word) == 0);
}

// The messages an output holds for later, in time order, messages of equal time in the order
// they were queued (a note-off queued before a note-on of the same time goes first). Holds at
// most `capacity` messages: what does not fit is counted as dropped, never silently lost. Not
// thread-safe: each output guards its queue with its own lock.
class TimedQueue {
public:
    explicit TimedQueue(std::size_t capacity = 16384);

    // False (and counted as dropped) when the queue is full.
    bool push(std::uint32_t word, double due, QueueSource source);
    // Takes the messages due at or before `until`, earliest first.
    std::vector<TimedMessage> takeDue(double until);
    // Takes the earliest message when it is due at or before `until`. For callers that must not
    // allocate (an audio thread).
    bool takeOneDue(double until, TimedMessage& out);
    // The time of the earliest message; only when the queue is not empty.
    double nextDue() const;
    bool empty() const { return m_heap.empty(); }
    std::size_t size() const { return m_heap.size(); }

    // Drops what the source has queued. Returns how many messages went.
    std::size_t cancel(QueueSource source);
    // Empties the queue and returns its note-offs, earliest first: an output that closes sends
    // them at once, so that no note it started is left sounding.
    std::vector<TimedMessage> closeAndKeepNoteOffs();

    // Messages refused because the queue was full, or counted by the output as lost on the way.
    std::uint64_t dropped() const { return m_dropped; }
    void countDropped(std::uint64_t n = 1) { m_dropped += n; }

private:
    std::vector<TimedMessage> m_heap; // a min-heap on (due, order)
    std::size_t m_capacity;
    std::uint64_t m_nextOrder = 0;
    std::uint64_t m_dropped = 0;
};

} // namespace chordalis
