#pragma once

#include "modes/ModeContext.h"
#include "modes/Pages.h"

#include <QPointF>
#include <Qt>

namespace chordalis {

// What the main window does when the user picks a root, a mode, a position list entry or the
// handedness: set the shared state, then run the display of the current mode. The window calls
// these and shows the page models afterwards; the headless driver and the tests call them alike.

// Runs the display of the current page for the current root, as a root change does.
void redrawCurrentMode(ModeContext& context);

// Selects a root tab 1..17 and sets the root from it; other indexes change nothing.
void selectRootTab(ModeContext& context, int tab);

// A root tab 1..17 was chosen (any other index keeps the root); the current mode is redrawn.
void rootChange(ModeContext& context, int tab);

// The root tab `steps` tabs to the right (negative: to the left), round from the last tab to the
// first and back; the current mode is redrawn as on a root change.
void stepRootTab(ModeContext& context, int steps);

// A mode page was entered: its display runs with the root and selections kept.
void modeDispatch(ModeContext& context, Mode mode);

// An entry of the position list of the scales, arpeggios or chord/scale page was chosen.
void positionChosen(ModeContext& context, Mode mode, int index);
// An option button of that page's pair was clicked (0: four-note, 1: five-note windows).
void positionOptionClicked(ModeContext& context, Mode mode, int option);

// A mouse button was pressed on the neck at a position in surface units (753 x 183, as drawn).
// Only the chord finder page takes it: the selection changes, is drawn and named again.
void finderClicked(ModeContext& context, Qt::MouseButton button, QPointF surfacePos);

// A new neck (strings, tuning, frets): the finder keeps what the neck still has, the position
// lists reach as far as its frets, and the current mode is redrawn.
void setInstrument(ModeContext& context, const Instrument& instrument);
// Puts a capo on (fret 0 takes it off) and redraws; one the neck cannot take is refused (false).
bool setCapo(ModeContext& context, const Capo& capo);

// The Right Handed / Left Handed menus: the neck is redrawn for the hand.
void setLeftHanded(ModeContext& context, bool leftHanded);

// The position list of a page, or null for a page without one.
PositionList* positionList(MainPages& pages, Mode mode);

} // namespace chordalis
