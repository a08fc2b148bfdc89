#pragma once

#include "fretboard/ChordBox.h"
#include "modes/ModeContext.h"

namespace chordalis {

struct AppState;
struct Voicing;

// Draws a grip of the chords or triads page, one string at a time from the lowest: a mute sign
// for a silent string; for a sounding one its note's name beyond the last fret (in the note
// list's own spelling) and an open sign (red for the root) or a circle with the finger, the root
// in the root's colour. Every sounding place goes into the LED frame, which is then sent. The
// neck must have been cleared.
void drawGrip(ModeContext& context, const Voicing& grip);

// The grip as a chord box on the state's neck, capo and hand, its notes spelled and its root
// found as drawGrip finds them, captioned with the grip's caption.
ChordBox gripBox(const AppState& state, const Voicing& grip);

} // namespace chordalis
