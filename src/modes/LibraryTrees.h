#pragma once

#include "modes/ModeContext.h"

namespace chordalis {

// Loads the chord, scale and triad libraries into the shared state and builds the trees of the
// main window from them, with every page reset to show nothing chosen. An item whose group names
// no folder is listed in the all-items folder only, with a warning.
void loadLibraries(ModeContext& context);

} // namespace chordalis
