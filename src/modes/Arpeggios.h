#pragma once

#include "modes/ModeContext.h"

namespace chordalis {

// The arpeggios mode: the chosen chord's notes, shown like a scale inside the chosen window.
void showArpeggio(ModeContext& context);

} // namespace chordalis
