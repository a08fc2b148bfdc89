#pragma once

#include "modes/ModeContext.h"

#include <vector>

namespace chordalis {

struct AppState;
struct Grip;
struct Voicing;

// How many of the voicing engine's grips a chord lists: below the library's grips ("More
// Voicings"), and as the whole list where the library's grips do not fit the neck.
inline constexpr int MoreVoicingsListed = 24;
inline constexpr int GeneratedVoicingsListed = 30;

// The grips the chords page lists for the chosen chord and root on the neck and capo the state
// holds. In standard tuning, and in any tuning that is standard moved up or down as a whole, the
// library's grips on the frets that sound the root (moved above a capo across the neck, each
// then also named by the shape played); after them, marked generated, the voicing engine's further
// grips. On any other neck, and above a partial capo, the engine's grips alone. Each generated
// grip is captioned like the library's ("5th Position, Root 5th"), with what it leaves out, and
// its remark names its notes from the bass up. No two captions of the list are alike: a caption
// that several of the library's grips (or several of the engine's) would carry gains each one's
// frets, lowest string first ("3rd Position, Root 5th (x-3-5-4-5-x)"), as does an engine's
// caption that a library grip carries.
std::vector<Voicing> chordVoicings(ModeContext& context);

// An engine's grip as a voicing numbered `number`, marked generated, without caption or remark.
Voicing toVoicing(const Grip& grip, int number);

// The voicing engine's first `most` grips of the chosen chord and root on the state's neck and
// capo, in its ranking order, captioned (told apart among themselves) and remarked as
// chordVoicings lists them, numbered from FirstGeneratedVoicing.
std::vector<Voicing> generatedVoicings(const AppState& state, int most);

} // namespace chordalis
