#pragma once

#include "sound/TimedQueue.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace chordalis {

// Seconds on the system's monotonic clock, the clock a sender thread sleeps on.
double monotonicNow();

// A thread of its own that sends each queued message when its time comes, sleeping to the
// absolute deadline in between, so the window thread never waits for a message to leave. Ports
// without a scheduler of their own send through it.
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
    void cancel(QueueSource source);

    // Messages refused by a full queue or lost by the port.
    std::uint64_t dropped() const;
    // Whether the thread runs with real-time priority (it tries, and does without when refused).
    bool realTime() const { return m_realTime; }

private:
    void run();

    Send m_send;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    TimedQueue m_queue;
    bool m_stop = false;
    std::atomic<bool> m_realTime{false};
    std::thread m_thread; // last: starts when everything above is ready
};

} // namespace chordalis
