#pragma once

#include "progressions/Keys.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <vector>

namespace chordalis {

class SearchIndex;
class IniReader;
class Warnings;

// One chord of a progression as it sounds in the chosen key.
struct ProgressionChord {
    QString text;   // as written: "V7/ii", "Dm7", "bVII"
    QString symbol; // root, suffix and bass: "A7", "D/F#"
    SpelledNote root;
    int item = -1;                   // the library chord
    std::optional<SpelledNote> bass; // a slash chord's bass
    QStringList notes;               // spelled, root first (the bass not included)
    int bar = 0;                     // 0.. in playing order, repeats written out
    int beats = 4;                   // how long it sounds
};

struct Progression {
    std::vector<ProgressionChord> chords;
    int bars = 0;
    int beatsPerBar = 4;
};

// What reading a progression gives: the chords, or why not and the token that could not be read.
struct ProgressionReading {
    std::optional<Progression> progression;
    QString error; // "cannot read \"H7\": not a chord symbol or a numeral"
    QString token;
};

// Progressions longer than this (repeats written out) are refused: no chart holds more.
inline constexpr int MaxProgressionChords = 512;
// Texts longer than this (UTF-16 units) are refused before they are read.
inline constexpr qsizetype MaxProgressionText = 8000;

// Reads a progression written as chord symbols ("| Dm7 | G7 | Cmaj7 | % |", by the search's
// parser) or as Roman numerals in the key ("ii7 V7 Imaj7", "i iv V7 i", "V7/V", "bVII"), the two
// mixed as a player likes. Bars lie between "|" ("||" is a bar line too); without any "|" each
// chord is a bar. "%" alone in a bar repeats the bar before; "|:" and ":|" play what lies between
// twice (not nested). A "/" after a chord holds it one beat more, a bar with "/" lasting the
// beats it counts; a bar without shares `beatsPerBar` (1..12) evenly, the first chords taking
// what is left over, and a bar with more chords than beats gives each one beat. Empty bars are
// skipped.
//
// A numeral without an accidental names the key's own degree (iv in C minor is F minor, VI in
// C minor is Ab); with "b" or "#" it alters the major scale's degree of the key's root (bVI is
// Ab in C major or minor). Its case gives the 3rd where its suffix does not ("ii7" is Dm7, "V7"
// G7, "ii9" Dm9); "°", "ø", "+" and "(maj7)" are read as theory books write them. "X/Y" with a
// numeral Y is X of Y's major key ("V7/ii" is A7 in C).
ProgressionReading readProgression(QStringView text, const Key& key, const SearchIndex& index,
                                   const ChordLibrary& chords, int beatsPerBar = 4);

// A named progression of the shipped library (progressions.ini).
struct LibraryProgression {
    QString id;    // the section: "blues-twelve"
    QString name;  // "Twelve-bar blues"
    QString group; // "Blues"
    KeyMode mode = KeyMode::Major;
    int beatsPerBar = 4;
    QString chords; // as readProgression reads it
};

// Every progression of progressions.ini in file order. A section without a name or chords, or
// with a mode or meter that cannot be read, is left out with a warning naming it.
std::vector<LibraryProgression> loadProgressions(IniReader& ini, Warnings& warnings);

} // namespace chordalis
