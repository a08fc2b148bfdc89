#include "sound/backends/PortSender.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <sys/prctl.h>
#include <time.h>
#include <unistd.h>

namespace chordalis {

double monotonicNow() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

namespace {

timespec toTimespec(double seconds) {
    timespec t{};
    t.tv_sec = time_t(seconds);
    t.tv_nsec = long((seconds - double(t.tv_sec)) * 1e9);
    if (t.tv_nsec >= 1000000000L) {
        ++t.tv_sec;
        t.tv_nsec -= 1000000000L;
    }
    return t;
}

} // namespace

int requestRealTime() {
    sched_param param{};
    param.sched_priority = 10;
    return pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
}

int requestQuickWake() {
    const int fd = open("/dev/cpu_dma_latency", O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return -errno;
    // No sleep state that takes longer than this (in microseconds) to leave: the processors
    // stay awake, as the messages' deadlines need.
    const std::int32_t latency = 0;
    if (write(fd, &latency, sizeof latency) != ssize_t(sizeof latency)) {
        const int error = errno;
        close(fd);
        return -error;
    }
    return fd;
}

PortSender::PortSender(Send send, RealTimeRequest realTime, QuickWakeRequest quickWake)
    : m_send(std::move(send)), m_requestRealTime(std::move(realTime)),
      m_requestQuickWake(std::move(quickWake)) {
    sem_init(&m_wake, 0, 0);
    m_thread = std::thread([this] { run(); });
}

PortSender::~PortSender() {
    m_stop = true;
    sem_post(&m_wake);
    m_thread.join();
    holdQuickWake(false);
    sem_destroy(&m_wake);
    // What this port started, it ends: the note-offs still waiting go out now.
    takeHanded();
    for (const TimedMessage& m : m_queue.closeAndKeepNoteOffs())
        m_send(m.word);
}

void PortSender::hand(const QueueCommand& command) {
    {
        std::lock_guard lock(m_producers);
        if (!m_ring.push(command)) {
            ++m_refused;
            return;
        }
    }
    sem_post(&m_wake);
}

void PortSender::sendAt(std::uint32_t word, double due, QueueSource source) {
    hand({QueueCommand::Kind::Message, source, word, due});
}

void PortSender::cancel(QueueSource source) {
    hand({QueueCommand::Kind::Cancel, source, 0, 0.0});
}

std::string PortSender::realTimeRefusal() const {
    const int refusal = m_refusal;
    if (refusal == 0)
        return {};
    return std::string("real-time scheduling refused: ") + std::strerror(refusal);
}

std::string PortSender::quickWakeRefusal() const {
    const int refusal = m_quickWakeRefusal;
    if (refusal == 0)
        return {};
    return std::string("quick wake-ups refused: ") + std::strerror(refusal);
}

void PortSender::holdQuickWake(bool hold) {
    if (hold == (m_quickWake >= 0))
        return;
    if (!hold) {
        close(m_quickWake.exchange(-1));
        return;
    }
    if (m_quickWakeRefusal != 0 || !m_requestQuickWake)
        return; // asked once: the answer does not change while the program runs
    const int fd = m_requestQuickWake();
    if (fd >= 0)
        m_quickWake = fd;
    else
        m_quickWakeRefusal = -fd;
}

std::uint64_t PortSender::dropped() const {
    return m_refused + m_lost;
}

void PortSender::takeHanded() {
    QueueCommand c;
    while (m_ring.pop(c)) {
        if (c.kind == QueueCommand::Kind::Cancel)
            m_queue.cancel(c.source);
        else if (!m_queue.push(c.word, c.due, c.source))
            ++m_lost;
    }
}

void PortSender::run() {
    // The kernel may otherwise defer a timer's wake-up by 50 microseconds to batch it.
    prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
    const int refusal = m_requestRealTime ? m_requestRealTime() : EPERM;
    m_refusal = refusal;
    m_realTime = refusal == 0;
    static std::atomic<bool> said{false};
    if (refusal != 0 && !said.exchange(true))
        std::fprintf(stderr,
                     "chordalis: MIDI messages are sent at normal priority: %s "
                     "(an rtprio limit in /etc/security/limits.conf grants it)\n",
                     realTimeRefusal().c_str());

    while (!m_stop) {
        takeHanded();
        if (m_queue.empty()) {
            holdQuickWake(false);
            sem_wait(&m_wake); // until something is handed over (or the end)
            continue;
        }
        holdQuickWake(true);
        const double due = m_queue.nextDue();
        if (due > monotonicNow()) {
            // Sleeps to the deadline on the monotonic clock; a message handed over meanwhile
            // (perhaps an earlier one, or a cancel) wakes it to look again.
            const timespec deadline = toTimespec(due);
            sem_clockwait(&m_wake, CLOCK_MONOTONIC, &deadline);
            continue;
        }
        TimedMessage m;
        while (m_queue.takeOneDue(monotonicNow(), m)) {
            if (!m_send(m.word)) {
                ++m_lost;
                ++m_portLost;
            }
        }
    }
}

} // namespace chordalis
