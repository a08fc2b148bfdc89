#pragma once

#include "fretboard/ChordBox.h"
#include "modes/AppState.h"
#include "modes/ModeContext.h"
#include "theory/Neck.h"
#include "theory/Positions.h"

namespace chordalis {

// The scales mode: the chosen scale's labels and its notes inside the chosen fret window.
void showScale(ModeContext& context);

// Puts entries 0..11 of the note list on the neck as square markers labelled with their names,
// every occurrence inside the window from the lowest string up, the root in the root's colour and
// the other entries in the colour of `others`. Later entries cover earlier ones at the same place.
void placeNoteList(ModeContext& context, FretWindow window, ColourRole others);

// Every place of a note inside the window, from the lowest string up, as a labelled square.
void placeEntry(ModeContext& context, FretWindow window, const NoteEntry& entry, ColourRole role);

// Tells the neck the fret window of the list's chosen position, after its clear; "All Positions"
// has none.
void markPositionWindow(ModeContext& context, const PositionList& list, FretWindow window);

// Each position of the list but "All Positions" as a box of its fret window, captioned with the
// list's entry: every note of the note list inside the window (the root as a square), open
// strings above the box. For the printed scale sheet.
std::vector<ChordBox> positionBoxes(const AppState& state, const PositionList& list);

} // namespace chordalis
