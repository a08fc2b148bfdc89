#pragma once

#include "sound/MessageRing.h"
#include "sound/TimedQueue.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <semaphore.h>
#include <thread>

namespace chordalis {

// Seconds on the system's monotonic clock, the clock a sender thread sleeps on.
double monotonicNow();

// A thread of its own that sends each queued message when its time comes, sleeping to the
// absolute deadline in between, so the window thread never waits for a message to leave. Ports
// without a scheduler of their own send through it. Messages reach the thread through a ring
// without a lock: the thread, which runs at real-time priority where allowed, never waits for
// the window thread.
class PortSender {
public:
    // Sends one message; false when it was lost (the port has gone), which is counted.
    using Send = std::function<bool(std::uint32_t word)>;

    explicit PortSender(Send send);
    // Sends the queued note-offs at once, drops everything else and ends the thread.
    ~PortSender();
    PortSender(const PortSender&) = delete;
    PortSender& operator=(const PortSender&) = delete;

    // Queues a message for a time on the monotonic clock; a time already past sends it at once.
    void sendAt(std::uint32_t word, double due, QueueSource source);
    // Takes back what the source has queued so far.
    void cancel(QueueSource source);

    // Messages refused by a full queue or lost by the port.
    std::uint64_t dropped() const;
    // Messages the port lost (it has gone).
    std::uint64_t lostByPort() const { return m_portLost; }
    // Whether the thread runs with real-time priority (it tries, and does without when refused).
    bool realTime() const { return m_realTime; }

private:
    void hand(const QueueCommand& command);
    void run();
    void takeHanded(); // the sender thread's: what the ring holds goes into the queue

    Send m_send;
    std::mutex m_producers; // between threads that queue; the sender thread never takes it
    MessageRing m_ring;
    sem_t m_wake;
    TimedQueue m_queue; // the sender thread's own
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_realTime{false};
    std::atomic<std::uint64_t> m_refused{0};  // the ring was full
    std::atomic<std::uint64_t> m_lost{0};     // the queue was full, or the port lost it
    std::atomic<std::uint64_t> m_portLost{0}; // of those, the port lost
    std::thread m_thread;                     // last: starts when everything above is ready
};

} // namespace chordalis
