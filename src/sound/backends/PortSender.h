#pragma once

#include "sound/MessageRing.h"
#include "sound/TimedQueue.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <semaphore.h>
#include <string>
#include <thread>

namespace chordalis {

// Seconds on the system's monotonic clock, the clock a sender thread sleeps on.
double monotonicNow();

// Asks for real-time scheduling (SCHED_FIFO, priority 10) for the calling thread: 0 when
// granted, else the error number of the refusal (EPERM without an rtprio limit for the user).
using RealTimeRequest = std::function<int()>;
int requestRealTime();

// Asks the kernel to keep the processors out of deep sleep states (a power-management request
// through /dev/cpu_dma_latency): from those a processor may take milliseconds to wake for a
// deadline. Returns the request's file descriptor, which holds it until closed, or the negated
// error number of the refusal (EACCES where the system grants it to no user but root).
using QuickWakeRequest = std::function<int()>;
int requestQuickWake();

// A thread of its own that sends each queued message when its time comes, sleeping to the
// absolute deadline in between, so the window thread never waits for a message to leave. Ports
// without a scheduler of their own send through it. Messages reach the thread through a ring
// without a lock: the thread, which runs at real-time priority where allowed, never waits for
// the window thread.
class PortSender {
public:
    // Sends one message; false when it was lost (the port has gone), which is counted.
    using Send = std::function<bool(std::uint32_t word)>;

    // Real-time priority is asked for with `realTime`; where it is refused the thread runs at
    // normal priority, and the reason is written to the standard error once per process. While
    // messages wait, quick wake-ups are held with `quickWake` where the system allows it.
    explicit PortSender(Send send, RealTimeRequest realTime = requestRealTime,
                        QuickWakeRequest quickWake = requestQuickWake);
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
    // Why real-time priority was refused ("" when granted, or not yet asked for).
    std::string realTimeRefusal() const;
    // Whether quick wake-ups are held now (messages wait and the system granted it), and why
    // they were refused ("" when granted, or not yet asked for).
    bool holdsQuickWake() const { return m_quickWake >= 0; }
    std::string quickWakeRefusal() const;

private:
    void hand(const QueueCommand& command);
    void run();
    void takeHanded(); // the sender thread's: what the ring holds goes into the queue

    Send m_send;
    // Held while messages wait; let go when none does.
    void holdQuickWake(bool hold);

    RealTimeRequest m_requestRealTime;
    QuickWakeRequest m_requestQuickWake;
    std::atomic<int> m_refusal{0};          // the error number of a refused real-time request
    std::atomic<int> m_quickWake{-1};       // the held request's descriptor
    std::atomic<int> m_quickWakeRefusal{0}; // the error number of a refused request
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
