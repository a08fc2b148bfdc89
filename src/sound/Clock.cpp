#include "sound/Clock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cmath>

namespace chordalis {

void EventLoopClock::waitSeconds(float seconds) {
    const double end = now() + double(seconds);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // A nested loop per wait: a second play started inside it runs to its end there, after which
    // this wait resumes and ends on time (or at once, if it is already over).
    for (double left = end - now(); left > 0; left = end - now()) {
        QEventLoop loop;
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        // Whole milliseconds, rounded up: the timer never fires before the end.
        timer.start(int(std::ceil(left * 1000.0)));
        if (loop.exec() != 0)
            break; // the application is ending: nested loops no longer run
    }
}

} // namespace chordalis
