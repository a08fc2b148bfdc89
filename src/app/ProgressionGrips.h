#pragma once

#include "modes/ModeContext.h"
#include "progressions/Progression.h"
#include "progressions/Voicer.h"

#include <vector>

namespace chordalis {

// How many grips of one chord the voicer weighs at most: the list's first, in its order.
inline constexpr int MaxGripsPerChord = 60;

// The grips the voicer may choose for each chord of a progression: those the chords page lists
// for the chord and root on the state's neck and capo (the library's, then the engine's); for
// the styles the list seldom holds (shell, drop 2, drop 3, triads), also the engine's grips with
// any chord tone in the bass that keep the style. The state is not changed.
std::vector<VoicerChord> progressionGrips(ModeContext& context, const Progression& progression,
                                          VoicingStyle style);

} // namespace chordalis
