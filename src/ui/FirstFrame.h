#pragma once

#include <functional>

class QImage;
class QWidget;

namespace chordalis {

// Calls `then` once from the event loop, right after the shown window's first frame has been
// painted and handed to the display.
void afterFirstFrame(QWidget* window, std::function<void()> then);

// On an X display, has the server fill the window with the picture (its content drawn out of
// sight, in device pixels) from the moment it is mapped: without it the server shows whatever lay
// under the window, black on a bare display, until the program's first frame reaches it. The
// picture stays the window's background until `clearBackground` is called; a picture of another
// size than the window, or another display, is ignored. Returns whether the picture was set.
bool showPictureOnMap(QWidget* window, const QImage& picture);
// Gives the window back the empty background Qt creates it with (nothing painted by the server),
// so that a later resize does not show the old picture.
void clearBackground(QWidget* window);

// With CHORDALIS_TRACE_START set, start-up's moments are written to the standard error as
// "chordalis: <moment> <seconds on the monotonic clock>", for the start-up benchmark.
void traceStartUp(const char* moment);

} // namespace chordalis
