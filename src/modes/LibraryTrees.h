#pragma once

#include "modes/ModeContext.h"

namespace chordalis {

class TreeModel;

// Loads the chord, scale and triad libraries into the shared state and builds the trees of the
// main window from them, with every page reset to show nothing chosen. An item whose group names
// no folder is listed in the all-items folder only, with a warning.
void loadLibraries(ModeContext& context);

// The triads' string groups of a neck: every three adjacent strings, from the lowest ("Strings
// 6-5-4" is group 0 of six strings), the group `selected` chosen.
void buildStringGroups(TreeModel& groups, int strings, int selected);

} // namespace chordalis
