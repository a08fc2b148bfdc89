#pragma once

#include "library/Voicings.h"
#include "modes/ModeContext.h"

#include <optional>

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
// left as they are. On any other neck than the six-string guitar in standard tuning without a
// capo the shape is the voicing engine's close shape; where the neck has none it stays empty and
// says that it cannot show the triad.
void drawTriad(ModeContext& context);

// The voicing engine's close shape of triad 0..11 on string group `group` (0: the lowest three
// strings) of the state's neck, above its capo; nothing where the neck has none.
std::optional<Voicing> generatedTriadShape(const AppState& state, int triad, int group);

} // namespace chordalis
