#pragma once

#include "modes/AppState.h"
#include "modes/ModeContext.h"
#include "theory/Neck.h"
#include "theory/Positions.h"

namespace chordalis {

// The scales mode: the chosen scale's labels and its notes inside the chosen fret window.
void showScale(ModeContext& context);

// Puts entries 0..11 of the note list on the neck as square markers labelled with their names,
// every occurrence inside the window on strings 6 down to 1, the root in one colour and the
// other entries in another. Later entries cover earlier ones at the same place.
void placeNoteList(ModeContext& context, FretWindow window, PackedColour rootColour,
                   PackedColour otherColour);

// Tells the neck the fret window of the list's chosen position, after its clear; "All Positions"
// has none.
void markPositionWindow(ModeContext& context, const PositionList& list, FretWindow window);

} // namespace chordalis
