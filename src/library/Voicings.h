#pragma once

#include "theory/Tuning.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace chordalis {

class IniReader;
class Warnings;

// One grip of a chord as listed for a root: what the neck draws, Play strums and the voicing list
// shows.
struct Voicing {
    int number = -1; // the open chord 99, movable voicing j of voicing.ini
    // Strings 1..6 (index 0 unused): the fret played, nothing when the string is not played.
    std::array<std::optional<int>, 7> frets{};
    // Strings 1..6 (index 0 unused): "x" not played, "0" open, "1".."4" the finger.
    std::array<QString, 7> fingers{};
    QString memo;
    QString caption; // "Open Chord", "8th Position, Root 6th"
    QString icon;    // the list's icon: "voicingO" open, "voicingB" barre, "voicing"
};

inline constexpr int OpenChordVoicing = 99;
// How many voicings a chord lists at most, the open chord included.
inline constexpr int MaxListedVoicings = 31;

// The voicings of chord `chord` for the root (pitch class 0..11) under the tuning, as
// voicing.ini gives them: the chord's open grip for that root first, then its movable shapes,
// each moved so that its root lands on fret 1..12 of its root string (an octave higher where the
// shape would reach below the nut). A shape with a root string outside 1..6, and shapes beyond
// what the list holds, are left out with a warning.
std::vector<Voicing> readVoicings(IniReader& ini, Warnings& warnings, int chord, int root,
                                  const Tuning& tuning);

} // namespace chordalis
