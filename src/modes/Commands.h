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

// Plays what the page shows: the chosen voicing, the triad shape or the finder's notes strummed,
// the scale or arpeggio run. The refusals must have been checked.
void playShown(const AppState& state, Player& player, Mode mode);

} // namespace chordalis
