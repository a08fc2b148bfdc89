#pragma once

#include <functional>

class QWidget;

namespace chordalis {

// Calls `then` once from the event loop, right after the shown window's first frame has been
// painted and handed to the display.
void afterFirstFrame(QWidget* window, std::function<void()> then);

// Makes the hidden top-level window's native window and draws the window once at its size, so
// that its styles, fonts and pictures are ready. On X11 the display server is also handed that
// drawing as the window's background: it fills the window with it the moment the window is
// mapped, before the program paints, so that no empty frame shows in between; once the first
// real frame is on the screen the background is taken back (the window is then painted by the
// program alone, as before).
void prepareFirstFrame(QWidget* window);

// With CHORDALIS_TRACE_START set, start-up's moments are written to the standard error as
// "chordalis: <moment> <seconds on the monotonic clock>", for the start-up benchmark.
void traceStartUp(const char* moment);

} // namespace chordalis
