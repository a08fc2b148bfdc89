#pragma once

#include "library/Voicings.h"
#include "theory/Tuning.h"

#include <QString>
#include <optional>
#include <vector>

namespace chordalis {

// The grips a progression's voicer may choose from for one chord.
struct VoicerChord {
    int root = 0;           // pitch class 0..11
    std::vector<int> tones; // the chord's semitones above the root, 0..11, root first
    std::vector<Voicing> grips;
    // A slash chord's bass, pitch class 0..11: a grip keeps it only with this note lowest.
    std::optional<int> bass;
};

// What kind of grip the player asks for.
enum class VoicingStyle {
    Any,
    OpenAndBarre, // an open string within the first four frets above the nut or capo, or a barre
    Shell,  // three strings: the root lowest, the 3rd and the 7th (or 6th; the 5th in a triad)
    Drop2,  // four adjacent strings, a close chord with its second voice from the top dropped
    Drop3,  // the same with the third voice from the top dropped
    Triads, // three adjacent strings sounding a three-tone chord once each
};
// "any", "open", "shell", "drop2", "drop3", "triads"; and back (nothing for another word).
const char* voicingStyleWord(VoicingStyle style);
std::optional<VoicingStyle> voicingStyleOf(const QString& word);

// Where the grips may lie.
struct VoicerConstraints {
    // Every fretted string within lowFret..highFret (absolute frets); open strings only when the
    // region starts at the nut or at the capo.
    int lowFret = 0;
    int highFret = MaxFrets;
    // The strings (1..) that may sound; empty for all.
    std::vector<int> strings;
    VoicingStyle style = VoicingStyle::Any;
    // The melody on top: per chord, the MIDI note the grip's highest sounding note must be, or
    // nothing to leave it free; chords beyond the list are free.
    std::vector<std::optional<int>> melody;
};

// The weights of each part of the cost; all parts are 0 or more.
struct VoicerWeights {
    double semitones = 0.5;  // per semitone the voices move (each note to the nearest of the next)
    double notHeld = 1.0;    // per tone two chords share that no voice holds at its pitch
    double topVoice = 0.5;   // per semitone the highest note moves
    double shift = 1.0;      // per fret the hand's position moves
    double fingers = 0.5;    // per string whose fretted note is lifted, placed or moved
    double difficulty = 1.0; // per unit of a grip's own difficulty
};

// A cost split into its parts, each in its own unit (semitones, tones, frets, strings, units).
struct CostParts {
    double semitones = 0;
    double notHeld = 0;
    double topVoice = 0;
    double shift = 0;
    double fingers = 0;
    double difficulty = 0;

    double total(const VoicerWeights& w) const {
        return w.semitones * semitones + w.notHeld * notHeld + w.topVoice * topVoice +
               w.shift * shift + w.fingers * fingers + w.difficulty * difficulty;
    }
    CostParts& operator+=(const CostParts& o);
};

struct VoicerRequest {
    std::vector<VoicerChord> chords;
    Tuning tuning;
    Capo capo;
    VoicerConstraints constraints;
    VoicerWeights weights;
};

// The grip chosen for each chord and what it costs.
struct VoicedProgression {
    // Per chord: the index into its grips, or -1 when none lies within the constraints (such a
    // chord is left out of the path: its neighbours are weighed against each other).
    std::vector<int> choice;
    // Per chord: its grip's difficulty and the move from the chord before it that has a grip.
    std::vector<CostParts> steps;
    CostParts parts; // summed over the chords
    double total = 0;
};

// Whether a grip keeps the constraints, given its chord; the melody is the voicer's to check, by
// the chord's place in the progression.
bool keepsConstraints(const Voicing& grip, const VoicerChord& chord, const Tuning& tuning,
                      const Capo& capo, const VoicerConstraints& constraints);

// The grips that minimise the total cost over the whole progression (dynamic programming over
// the chords, exact): time grows with the chords times the square of the grips per chord.
VoicedProgression voiceProgression(const VoicerRequest& request);
// For comparison: each chord's first grip within the constraints; and each chord's cheapest grip
// given the one chosen before it.
VoicedProgression firstGrips(const VoicerRequest& request);
VoicedProgression greedyGrips(const VoicerRequest& request);
// The cost of a given choice (one index per chord, -1 to leave a chord out), in the same terms.
VoicedProgression costOf(const VoicerRequest& request, const std::vector<int>& choice);

} // namespace chordalis
