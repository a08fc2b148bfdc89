#pragma once

#include "theory/Tuning.h"
#include "voicings/ChordTones.h"

#include <array>
#include <optional>
#include <vector>

namespace chordalis {

// Whether some string sounds higher than the string above it (the ukulele's G4 beside its C4):
// on such a neck the lowest note is no bass, so a grip need not have the root lowest, and its
// caption does not name what is.
inline bool isReentrant(const Tuning& tuning) {
    for (int s = 1; s < tuning.strings(); ++s) {
        if (tuning.openNote(s + 1) > tuning.openNote(s))
            return true;
    }
    return false;
}

// What to search grips for.
struct GripRequest {
    ChordMakeup chord;
    int root = 0; // pitch class 0..11
    Instrument instrument;
    Capo capo;
    // Also grips with another chord tone than the root in the bass (inversions).
    bool inversions = false;
};

// What the ranking weighs of a grip, each a count or a yes (1) or no (0).
enum GripFeature : int {
    Position,    // frets from the capo (or nut) to the lowest fretted fret; 0 in open position
    FourFrets,   // spans four frets
    FiveFrets,   // spans five frets
    InnerMutes,  // muted strings between sounding ones
    TopMutes,    // muted strings above the highest sounding string
    BottomMutes, // muted strings below the bass
    Omitted,     // tones of the chord left out
    OmittedRank, // how far down the order of omissions they go (5th 1, 9th 2, 11th 3)
    Sounding,    // sounding strings
    Fingers,     // fingers used
    Barre,       // the index finger lies across strings
    Inversion,   // another tone than the root in the bass
    Doubled,     // extra copies of tones other than the root and the 5th
    OpensLow,    // open strings in a grip that stays within four frets of the nut or capo
    OpensHigh,   // open strings in a grip that reaches higher
    FeatureCount
};
using GripWeights = std::array<double, FeatureCount>;

// The ranking fitted to the library's hand-written grips (bench/GripBench.cpp --fit).
extern const GripWeights DefaultGripWeights;

// A grip of a chord on a neck.
struct Grip {
    std::vector<int> frets;   // per string, string 1 first: -1 muted, else the fret played
    std::vector<int> fingers; // per string: -1 muted, 0 open (or on the capo), 1..4 the finger
    int bassString = 0;       // the lowest sounding string
    int bassTone = 0;         // the bass note's semitones above the root: 0 root position
    int lowFret = 0;          // the lowest fretted fret; the capo's fret (or 0) when none is
    int span = 0;             // frets from the lowest fretted to the highest, inclusive
    int fingerCount = 0;
    bool barre = false;       // the index finger lies across two strings or more
    std::vector<int> omitted; // the degrees left out (5, 9, 11), as the chord states them
    GripWeights features{};   // what the ranking weighs, by GripFeature
    double cost = 0;          // the ranking: lower first

    int strings() const { return int(frets.size()); }
    int fret(int string) const { return frets[size_t(string - 1)]; }
    bool sounds(int string) const { return frets[size_t(string - 1)] >= 0; }
};

// Limits every grip keeps, whatever the neck.
inline constexpr int MaxGripFingers = 4;
inline constexpr int MaxGripSpan = 5;          // frets, where the frets are short enough
inline constexpr int PlainGripSpan = 4;        // frets, anywhere on the neck
inline constexpr double MaxStretchMm = 134.0;  // a hand's reach: frets 1..4 of a 648 mm neck
inline constexpr int MaxSoundingStrings = 7;   // a strum a hand controls
inline constexpr int MaxGripsPerSearch = 5000; // the search never lists more

// Every grip of the chord on the neck above the capo that a hand can play, ranked by what
// players prefer: fewer stretches, lower positions, fuller sound, the root in the bass, fewer
// muted inner strings. Each grip sounds every required tone of the chord and only chord tones,
// the root in the bass unless inversions are asked for; it is fingered with at most four
// fingers (the index finger alone barring over strings pressed higher, no two fingers spread
// more than one fret wider than they lie apart on the hand), spans at most four frets (five
// where they lie within a hand's reach), mutes inner strings only beside a fretted string, and
// sounds at least three strings (two for a two-tone chord). The bass is the lowest note that
// sounds, whichever string sounds it (a ukulele's re-entrant G is no bass). A plain function over
// values: the search is bounded by the neck and returns at most MaxGripsPerSearch grips; a capo
// the neck cannot take (see Capo::fits), a neck of more than MaxStrings strings, or a string
// starting past MaxFirstFret or the last fret, gives none. A short string (the banjo's fifth)
// is open at its first fret or the capo's, whichever is higher, and has no fret below it.
std::vector<Grip> searchGrips(const GripRequest& request);

// The close shape of a three-tone chord (the tones in the chord's order: root, 3rd, 5th) on three
// adjacent strings, the lowest of them `lowString`, with the tone `inversion` (0 the root, 1 the
// 3rd, 2 the 5th) in the bass and the other two each the nearest above: at the lowest place above
// the capo where every string is fretted, within a hand's span and four fingers; nothing where the
// neck has none.
std::optional<Grip> closeTriad(const ChordMakeup& triad, int root, int inversion,
                               const Instrument& instrument, const Capo& capo, int lowString);

// Orders grips by the weighted sum of their features, lowest first (stable), setting their cost.
void rankGrips(std::vector<Grip>& grips, const GripWeights& weights = DefaultGripWeights);

// The distance in millimetres from the wire before fret `low` to fret `high`'s wire on a neck
// of the scale length: how far the hand reaches for a grip from `low` to `high`.
double stretchMm(double scaleLength, int low, int high);

// Fingers for the fretted strings of a grip (frets per string, string 1 first; -1 muted, values
// at or below `openFret` of a string open), or nothing when four fingers cannot hold it: the
// index finger takes the lowest fret, barring the strings between where none is open or muted,
// and a finger may lie across adjacent strings of one fret. Nothing, too, for more than
// MaxStrings strings or fewer open frets than frets.
std::optional<std::vector<int>> fingerGrip(const std::vector<int>& frets,
                                           const std::vector<int>& openFrets);

} // namespace chordalis
