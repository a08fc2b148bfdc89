#pragma once

#include "modes/ModeContext.h"

#include <QString>

namespace chordalis {

// The chords mode: the chosen chord's labels and its voicings for the current root, read from
// voicing.ini ("openchords" and one section per chord number).

// Fills the chord labels for selectedChord and the root and spells the chord into the note list;
// with no chord, shows "No Chord Selected" and an empty neck.
void showChord(ModeContext& context);

// Rebuilds the voicing tables and tvwVoicings for the chord and root, selects a voicing (the
// same one as before where it exists and keepSelection is set, else the first) and draws it. A
// chord with no voicing for the root leaves the tree and tables empty, selectedVoicing -1 and
// the neck empty.
void loadVoicings(ModeContext& context, bool keepSelection);

// Lists first the grips whose lowest sounding note is the pitch class `bass` (0..11), as a slash
// chord asks: the library's grips stay above the engine's, and each part keeps its order
// otherwise. The first such grip is chosen and drawn. False, with the list as it was, when no
// listed grip has that bass.
bool putBassFirst(ModeContext& context, int bass);

// Draws selectedVoicing: fingers on circles, mute and open signs beside the nut, the sounding
// notes beyond the last fret. Nothing is drawn under a non-standard tuning.
void drawVoicing(ModeContext& context);

// The voicing tree's node key for a voicing number (99 is the open chord).
QString voicingKey(int voicing);

} // namespace chordalis
