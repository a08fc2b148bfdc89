#pragma once

#include <QElapsedTimer>
#include <functional>

namespace chordalis {

// Time for the play routines: a monotonic clock in seconds and a wait that keeps the user
// interface alive.
class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since an arbitrary fixed start; never goes back, unaffected by the time of day.
    virtual double now() const = 0;
    // Waits the given seconds while events (clicks, timers, a second Play) go on being handled.
    // Pending events are handled at least once, also for a wait of zero or less.
    virtual void waitSeconds(float seconds) = 0;
    // Sleeps to a moment at most a few milliseconds away, without handling events: the last
    // stretch before a message that must leave on time, which a timer cannot hit exactly.
    virtual void sleepUntil(double time) = 0;
};

// The program's clock: a nested event loop woken by a precise timer, so the CPU is idle while
// it waits.
class EventLoopClock final : public Clock {
public:
    EventLoopClock() { m_timer.start(); }
    double now() const override { return double(m_timer.nsecsElapsed()) * 1e-9; }
    void waitSeconds(float seconds) override;
    void sleepUntil(double time) override;

    // The last stretch of a wait that is slept rather than left to a timer, in seconds.
    static constexpr double FineWait = 0.003;

private:
    QElapsedTimer m_timer;
};

// Virtual time for tests and offline rendering: a wait advances the time at once. A hook runs
// inside each wait, as the user's events would.
class VirtualClock final : public Clock {
public:
    double now() const override { return m_now; }
    void waitSeconds(float seconds) override {
        const double start = m_now;
        if (duringWait)
            duringWait();
        if (seconds > 0)
            m_now = std::max(m_now, start + double(seconds));
    }
    void sleepUntil(double time) override { m_now = std::max(m_now, time); }
    void advance(double seconds) { m_now += seconds; }

    std::function<void()> duringWait;

private:
    double m_now = 0.0;
};

} // namespace chordalis
