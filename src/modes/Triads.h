#pragma once

#include "modes/ModeContext.h"

namespace chordalis {

// The triads mode: twelve triads (3 x quality + inversion, qualities Major, Minor, Diminished,
// Augmented; inversions root position, 1st, 2nd) on four string groups (0: strings 6-5-4 ..
// 3: strings 3-2-1). Each combination is one shape of triad.ini, section "<triad>.<group>", with
// frets relative to the root on the string named by "rootnote"; the display moves it to the root.

// Fills the triad labels for selectedTriad and the root, spells the triad into the note list and
// draws it; with no triad, shows "No Triad Selected" and an empty neck.
void showTriad(ModeContext& context);

// Draws the triad of selectedTriad on the string group selected in tvwStringGroup and stores the
// shape in column 0 of the voicing tables (fret text or "xx", finger character). The labels are
// left as they are. Under a non-standard tuning the neck stays empty.
void drawTriad(ModeContext& context);

} // namespace chordalis
