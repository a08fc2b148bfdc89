#pragma once

#include "modes/Pages.h"
#include "sound/Player.h"

#include <QString>

namespace chordalis {

struct AppState;
struct Voicing;

// The refusal of a page's Play button for the current state, or an empty text when it may play.
QString playRefusal(const AppState& state, Mode mode);

// The refusal of a page's Info button for the current state, or an empty text when the
// information of the chosen item may be shown. Pages without an Info button refuse nothing.
QString infoRefusal(const AppState& state, Mode mode);

// The strings of a voicing that sound under the tuning, lowest string first.
Strum voicingStrum(const Voicing& voicing, const Tuning& tuning);
// The strings the chord finder has selected (0 not played, -1 open, n fret n).
Strum finderStrum(const AppState& state);

// The notes of the note list (entries 0..11) where the neck shows them inside the window, one per
// pitch, lowest first: the place on the lowest string where a pitch lies on two strings.
Strum shownNotes(const AppState& state, FretWindow window);

// Plays what the page shows: the chosen voicing, the triad shape or the finder's notes strummed,
// the scale or arpeggio run (one octave from the root, or up and down through the notes shown
// in the window, as state.view.run chooses). The refusals must have been checked.
void playShown(const AppState& state, Player& player, Mode mode, FretWindow window = {});

} // namespace chordalis
