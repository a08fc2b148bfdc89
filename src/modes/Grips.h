#pragma once

#include "modes/ModeContext.h"

namespace chordalis {

struct Voicing;

// Draws a grip of the chords or triads page, one string at a time from the lowest: a mute sign
// for a silent string; for a sounding one its note's name beyond the last fret (in the note
// list's own spelling) and an open sign (red for the root) or a circle with the finger, the root
// in the root's colour. Every sounding place goes into the LED frame, which is then sent. The
// neck must have been cleared.
void drawGrip(ModeContext& context, const Voicing& grip);

} // namespace chordalis
