#include "ui/FirstFrame.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <ctime>

namespace chordalis {

namespace {

// Watches a window for its first exposure; the frame is painted and flushed while that event is
// handled, so what follows is queued behind it.
class FirstFrameWatcher : public QObject {
public:
    FirstFrameWatcher(QWindow* window, std::function<void()> then)
        : QObject(window), m_then(std::move(then)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = static_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && window->isExposed() && m_then) {
            QTimer::singleShot(0, window, std::move(m_then));
            m_then = nullptr;
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_then;
};

} // namespace

void afterFirstFrame(QWidget* window, std::function<void()> then) {
    if (!window)
        return then();
    QWindow* handle = window->windowHandle();
    if (!handle || handle->isExposed()) {
        // Not shown on a display (or already on it): nothing to wait for.
        QTimer::singleShot(0, window, std::move(then));
        return;
    }
    handle->installEventFilter(new FirstFrameWatcher(handle, std::move(then)));
}

void traceStartUp(const char* moment) {
    static const bool tracing = !qEnvironmentVariableIsEmpty("CHORDALIS_TRACE_START");
    if (!tracing)
        return;
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    std::fprintf(stderr, "chordalis: %s %.6f\n", moment,
                 double(t.tv_sec) + double(t.tv_nsec) * 1e-9);
    std::fflush(stderr);
}

} // namespace chordalis
