#pragma once

#include "theory/Tuning.h"

#include <QString>
#include <optional>
#include <vector>

namespace chordalis {

class IniReader;
class Warnings;

// One grip of a chord as listed for a root: what the neck draws, Play strums and the voicing list
// shows.
struct Voicing {
    // A grip on a neck of that many strings, every string silent.
    explicit Voicing(int strings = 6)
        : frets(std::size_t(strings)), fingers(std::size_t(strings), QStringLiteral("x")) {}

    int number = -1; // the open chord 99, movable voicing j of voicing.ini
    // Per string, string 1 first: the fret played, nothing when the string is not played.
    std::vector<std::optional<int>> frets;
    // Per string, string 1 first: "x" not played, "0" open, "1".."4" the finger.
    std::vector<QString> fingers;
    QString memo;
    QString caption;        // "Open Chord", "8th Position, Root 6th"
    QString icon;           // the list's icon: "voicingO" open, "voicingB" a barre, "voicing" none
    bool generated = false; // found by the voicing engine rather than written in voicing.ini

    int strings() const { return int(frets.size()); }
    // The fret of string 1..strings(), nothing when it is silent or not on this grip's neck.
    std::optional<int> fret(int string) const {
        return string >= 1 && string <= strings() ? frets[std::size_t(string - 1)] : std::nullopt;
    }
    // The finger of string 1..strings(); "x" for a string the grip does not have.
    QString finger(int string) const {
        return string >= 1 && string <= strings() ? fingers[std::size_t(string - 1)]
                                                  : QStringLiteral("x");
    }
    // Sets string 1..strings(); any other string number changes nothing.
    void setString(int string, std::optional<int> fret, const QString& finger) {
        if (string < 1 || string > strings())
            return;
        frets[std::size_t(string - 1)] = fret;
        fingers[std::size_t(string - 1)] = finger;
    }
};

inline constexpr int OpenChordVoicing = 99;
// The numbers of the voicing engine's grips: the first is 100, the next 101 and so on.
inline constexpr int FirstGeneratedVoicing = 100;
// How many voicings a chord lists at most, the open chord included.
inline constexpr int MaxListedVoicings = 31;

// The voicings of chord `chord` for the root (pitch class 0..11) under the tuning, in the order
// the voicing list shows them. Each movable shape is moved so that its root lands on fret 1..12
// of its root string, and an octave higher where it would reach below the nut: a movable shape
// never takes an open string (at the nut it would be the open chord, listed apart), so it lies at
// positions 1..12 and reaches fret 15 at most. First comes the open chord of that root; where
// there is none, the grip a teacher shows first: the lowest full barre (E- or A-shape and their
// kin) with the root in the bass on the 6th or 5th string, else the lowest such grip within three
// frets. Then the grips with the root in the bass by root string (6th first), then the inversions
// and rootless grips by bass string, each string's up the neck. Numbers are the file's (99 the
// open chord, j movable shape j), whatever the order. A shape with a root string outside 1..6,
// and shapes beyond what the list holds, are left out with a warning.
std::vector<Voicing> readVoicings(IniReader& ini, Warnings& warnings, int chord, int root,
                                  const Tuning& tuning);

} // namespace chordalis
