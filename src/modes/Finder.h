#pragma once

#include "modes/AppState.h"
#include "modes/ModeContext.h"

#include <QPointF>
#include <QString>
#include <Qt>
#include <optional>

namespace chordalis {

// The chord finder: the user marks at most one fret per string on the neck; for each sounding
// string taken as the root, the set of intervals above it is looked up in finder.ini (section
// "0;4;7", key "d") and named, as a slash chord when another note is in the bass.

// What a press on the neck points at: a string 1..strings and -1 for the open string (beside the
// nut; on a string under a capo also the frets behind the capo and the capo's fret, which sound
// it), a fret, or 0 outside the frets.
struct NeckPress {
    int string = 0;
    int fret = 0;
};
// The press at a surface position of the neck's geometry (as drawn; mirrored back when
// left-handed), or nothing outside the strings.
std::optional<NeckPress> neckPressAt(const AppState& state, QPointF surfacePos);

// A mouse press at a surface position of the neck's geometry (as drawn; mirrored back when
// left-handed). The left button sets the string's value to the one under the press (-1 the open
// string beside the nut, a fret, or 0 outside the frets, which clears it), or clears it when it
// already holds that value; any other button clears the string. On a string under a capo the
// nut, the frets behind the capo and the capo's fret are all the open string, which sounds the
// capo's fret. A press outside the strings changes nothing.
void finderClick(AppState& state, Qt::MouseButton button, QPointF surfacePos);

// The finder's value of a string 1..strings: 0 not played, -1 open, n fret n.
int finderValue(const AppState& state, int string);

// The fret string 1..strings sounds at, or nothing when it is not played: the open string sounds
// the capo's fret where a capo covers it (0 elsewhere), and a fret behind the capo (left there
// when the capo was put on) sounds the capo's fret too.
std::optional<int> finderFret(const AppState& state, int string);

// Draws the selection: a mute sign for an unplayed string, an open sign (and its LED, at the
// capo's fret under a capo) for an open one, a circle with the flat-spelled note name on a
// fretted one, from string 1 to the last; then sends the LED frame.
void showFinderSelection(ModeContext& context);

// Text colours of the descriptions, packed.
inline constexpr PackedColour RootPositionColour = 192 * 65536;                       // dark blue
inline constexpr PackedColour ThirdOrFifthBassColour = 128 + 128 * 256 + 255 * 65536; // light blue
inline constexpr PackedColour OtherBassColour = 128 + 255 * 256 + 255 * 65536;        // light cyan

// The interval set of the selection above a root pitch class: "0;4;7" (ascending semitones
// 0..11); empty when no string sounds.
QString finderIntervalSet(const AppState& state, int rootPitchClass);

// The notes of the selection spelled above a root pitch class, root first: "C E G Bb".
QString finderNotes(const AppState& state, int rootPitchClass);

// The library's short name ("7#9") of the chord a finder description names ("Dominant 7th Sharp
// 9th (no 5th)": its long name, with the notes a thinned voicing leaves out in brackets); empty
// when no chord of the library has that long name.
QString finderChordName(const ChordLibrary& chords, const QString& description);

// Fills lblDescription, one per string: with string k as the root, "<root> <d>" or
// "<root> <d> / <bass>" (the bass the lowest note that sounds), or empty text when string k is
// silent or its interval set has no name; beside it the short symbol, "E7#9" or "Cmaj/E", when
// the library names that chord.
void describeFinderSelection(ModeContext& context);

} // namespace chordalis
