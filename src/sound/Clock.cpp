#include "sound/Clock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <thread>

namespace chordalis {

void EventLoopClock::waitSeconds(float seconds) {
    const double end = now() + double(seconds);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // A nested loop per wait: a second play started inside it runs to its end there, after which
    // this wait resumes and ends on time (or at once, if it is already over). The loop is woken a
    // little early and the last stretch slept, since timers wake late on a busy machine.
    for (double left = end - now(); left > FineWait; left = end - now()) {
        QEventLoop loop;
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(int((left - FineWait) * 1000.0));
        if (loop.exec() != 0)
            return; // the application is ending: nested loops no longer run
    }
    sleepUntil(end);
}

} // namespace chordalis

namespace chordalis {

void EventLoopClock::sleepUntil(double time) {
    const double left = time - now();
    if (left > 0)
        std::this_thread::sleep_for(std::chrono::duration<double>(std::min(left, 0.005)));
}

} // namespace chordalis
