#pragma once

#include "sound/MidiOut.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace chordalis {

// What a player hands to an output's own thread: a message for a time, or the cancel of what a
// source has queued so far.
struct QueueCommand {
    enum class Kind : std::uint8_t { Message, Cancel };
    Kind kind = Kind::Message;
    QueueSource source = QueueSource::Other;
    std::uint32_t word = 0;
    double due = 0.0;
};

// A fixed ring from one producer to one consumer without a lock, so that the consumer (an audio
// or sender thread of high priority) never waits for the producer (the window thread), whatever
// the machine does to the latter. Producers among themselves take a lock of their own.
class MessageRing {
public:
    explicit MessageRing(std::size_t capacity = 16384) : m_slots(capacity + 1) {}

    // False when the ring is full.
    bool push(const QueueCommand& c) {
        const std::size_t tail = m_tail.load(std::memory_order_relaxed);
        const std::size_t next = (tail + 1) % m_slots.size();
        if (next == m_head.load(std::memory_order_acquire))
            return false;
        m_slots[tail] = c;
        m_tail.store(next, std::memory_order_release);
        return true;
    }
    bool pop(QueueCommand& c) {
        const std::size_t head = m_head.load(std::memory_order_relaxed);
        if (head == m_tail.load(std::memory_order_acquire))
            return false;
        c = m_slots[head];
        m_head.store((head + 1) % m_slots.size(), std::memory_order_release);
        return true;
    }

private:
    std::vector<QueueCommand> m_slots;
    std::atomic<std::size_t> m_head{0};
    std::atomic<std::size_t> m_tail{0};
};

} // namespace chordalis
