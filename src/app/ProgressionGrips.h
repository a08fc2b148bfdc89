#pragma once

#include "modes/ModeContext.h"
#include "progressions/Progression.h"
#include "progressions/Voicer.h"

#include <QStringList>
#include <vector>

namespace chordalis {

// How many grips of one chord the voicer weighs at most: the list's first, in its order.
inline constexpr int MaxGripsPerChord = 60;

// The grips the voicer may choose for each chord of a progression: those the chords page lists
// for the chord and root on the state's neck and capo (the library's, then the engine's); for
// the styles the list seldom holds (shell, drop 2, drop 3, triads), also the engine's grips with
// any chord tone in the bass that keep the style. With `tops` (MIDI notes, one per chord, or
// nothing for a chord left free) a chord keeps only the grips with that note on top, the engine's
// included. The state is not changed.
std::vector<VoicerChord> progressionGrips(ModeContext& context, const Progression& progression,
                                          VoicingStyle style,
                                          const std::vector<std::optional<int>>& tops = {});

// The highest sounding note of a grip on the tuning (MIDI), or -1 when no string sounds.
int topNote(const Voicing& grip, const Tuning& tuning);

// A capo that turns a progression into open shapes: with it every chord has a grip with an open
// string and every fretted note within the four frets above the capo.
struct CapoSuggestion {
    int capo = 0;            // the fret, 1..MaxSuggestedCapo
    double total = 0;        // the voicer's cost of the best path through those shapes
    QStringList shapes;      // per chord, the shape as a player names it above the capo: "G", "Em7"
    std::vector<int> choice; // per chord, the index into the grips made with that capo
};
inline constexpr int MaxSuggestedCapo = 7;

// The capos across the neck (1..MaxSuggestedCapo) with which every chord of the progression has
// an open shape on the state's neck, cheapest first, at most `count`; those dearer than the open
// shapes without a capo are left out (all are, when the progression already has open shapes and
// they cost least). The state is not changed.
std::vector<CapoSuggestion> suggestCapos(ModeContext& context, const Progression& progression,
                                         int count = 3);

} // namespace chordalis
