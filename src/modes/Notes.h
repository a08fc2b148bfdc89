#pragma once

#include "modes/ModeContext.h"

namespace chordalis {

// The notes mode: every place of the root on the neck, frets 0..15, named as the root tab
// spells it. The note list is left as it was.
void showNote(ModeContext& context);

} // namespace chordalis
