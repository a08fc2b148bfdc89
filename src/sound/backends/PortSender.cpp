#include "sound/backends/PortSender.h"

#include <chrono>
#include <pthread.h>
#include <sys/prctl.h>
#include <time.h>

namespace chordalis {

double monotonicNow() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

namespace {

// std::chrono::steady_clock is CLOCK_MONOTONIC here, so a deadline in monotonicNow()'s seconds
// is a steady_clock time point, and the condition variable sleeps to it on that clock.
std::chrono::steady_clock::time_point toTimePoint(double seconds) {
    return std::chrono::steady_clock::time_point(
        std::chrono::duration_cast<std::chrono::steady_clock::duration>(
            std::chrono::duration<double>(seconds)));
}

// Finishes a wake-up that came early by a few microseconds, on the same clock.
void sleepUntil(double seconds) {
    timespec t{};
    t.tv_sec = time_t(seconds);
    t.tv_nsec = long((seconds - double(t.tv_sec)) * 1e9);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
    }
}

} // namespace

PortSender::PortSender(Send send) : m_send(std::move(send)), m_thread([this] { run(); }) {}

PortSender::~PortSender() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
    // What this port started, it ends: the note-offs still waiting go out now.
    for (const TimedMessage& m : m_queue.closeAndKeepNoteOffs())
        m_send(m.word);
}

void PortSender::sendAt(std::uint32_t word, double due, QueueSource source) {
    {
        std::lock_guard lock(m_mutex);
        m_queue.push(word, due, source);
    }
    m_wake.notify_all();
}

void PortSender::cancel(QueueSource source) {
    std::lock_guard lock(m_mutex);
    m_queue.cancel(source);
}

std::uint64_t PortSender::dropped() const {
    std::lock_guard lock(m_mutex);
    return m_queue.dropped();
}

void PortSender::run() {
    // The kernel may otherwise defer a timer's wake-up by 50 microseconds to batch it.
    prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
    sched_param param{};
    param.sched_priority = 10;
    m_realTime = pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;

    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || !m_queue.empty(); });
        if (m_stop)
            return;
        const double due = m_queue.nextDue();
        const double now = monotonicNow();
        if (due > now) {
            // Woken again by a new earlier message, a cancel, or the end.
            m_wake.wait_until(lock, toTimePoint(due));
            if (m_stop || m_queue.empty() || m_queue.nextDue() != due)
                continue;
            if (monotonicNow() < due) {
                lock.unlock();
                sleepUntil(due);
                lock.lock();
                continue;
            }
        }
        std::vector<TimedMessage> ready = m_queue.takeDue(monotonicNow());
        lock.unlock();
        std::uint64_t lost = 0;
        for (const TimedMessage& m : ready)
            lost += m_send(m.word) ? 0 : 1;
        lock.lock();
        m_queue.countDropped(lost);
    }
}

} // namespace chordalis
