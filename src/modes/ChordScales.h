#pragma once

#include "modes/ModeContext.h"

#include <QString>
#include <vector>

namespace chordalis {

// The chord/scale mode: a chord with one of the scales its library entry recommends, drawn in the
// chosen fret window with the root, the chord tones inside and outside the scale and the scale
// tones outside the chord each in their own colour.

// Rebuilds tvwCSScales for selectedCSChord (recommended scales first, in scale-number order,
// then all others), selects the first recommended scale, fills the chord labels and shows the
// scale. A chord that recommends no scale is shown alone, with no scale selected.
void showChordAndScales(ModeContext& context);

// Fills the scale labels for selectedCSScale (none: "No Scale Selected" and an empty note list)
// and draws chord and scale.
void showChordScale(ModeContext& context);

// Draws chordNoteList and noteList inside the fret window of cboCSPositions.
void drawChordAndScale(ModeContext& context);

// The scale numbers 0..scaleCount-1 that a relatedscaleid text names: whole decimal numbers
// between ";" ("1" does not match "12"), in ascending order, duplicates and unknown numbers left
// out.
std::vector<int> relatedScales(const QString& relatedscaleid, int scaleCount);

} // namespace chordalis
