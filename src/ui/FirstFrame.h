#pragma once

#include <functional>

class QWidget;

namespace chordalis {

// Calls `then` once from the event loop, right after the shown window's first frame has been
// painted and handed to the display.
void afterFirstFrame(QWidget* window, std::function<void()> then);

// With CHORDALIS_TRACE_START set, start-up's moments are written to the standard error as
// "chordalis: <moment> <seconds on the monotonic clock>", for the start-up benchmark.
void traceStartUp(const char* moment);

} // namespace chordalis
