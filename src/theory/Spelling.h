#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>

namespace chordalis {

// Spelling column of a pitch class: 0 = the flat name (and every natural), 1 = the sharp name.
enum SpellingColumn : int { FlatColumn = 0, SharpColumn = 1 };

// Note names indexed by pitch class 0..11 (C = 0) and spelling column.
QString noteName(int pitchClass, int column);

// The major scale of a root as 14 characters, two per degree (letter, then " ", "b", "#" or
// "x"). Empty for the seven combinations no root tab offers (column 1 of a natural root).
QString keySpelling(int pitchClass, int column);

// One entry of a spelled formula. An empty token marks an unused entry.
struct NoteEntry {
    QString token;
    QString name;
    int pitchClass = 0;

    bool isUsed() const { return !token.isEmpty(); }
    friend bool operator==(const NoteEntry&, const NoteEntry&) = default;
};

// The current note list: 13 entries, entry 0 the root.
inline constexpr int NoteListSize = 13;
using NoteList = std::array<NoteEntry, NoteListSize>;

// Spells an interval formula ("1;b3;5;b7") for a root into a note list. Tokens beyond the 13th
// are dropped; validate with checkFormula first where the text comes from outside.
NoteList spellFormula(QStringView formula, int root, int column);

// One token's spelled name for a root (pitch class 0..11) and spelling column (0 or 1). The name
// is built from the root's major scale, so the letter follows from the degree number alone.
QString spellDegree(QStringView token, int root, int column);

// The pitch class 0..11 of a spelled name: a capital letter A..G followed by any number of "b",
// "#" and "x" ("Ex" is 6, "Cb" is 11). Anything else, lower-case letters included, gives 0.
int pitchClassOf(QStringView name);
// The MIDI note of a name with its octave: a capital letter A..G, any number of "b", "#" and
// "x", and an octave -1..9 ("E4" is 64, "Bb1" 34, "Cb4" 59, "B#3" 60, "C-1" 0). Nothing for any
// other text or a note outside 0..127.
std::optional<int> midiNoteOf(QStringView text);

// The first named entry of a note list whose name sounds the pitch class, or null.
const NoteEntry* findPitchClass(const NoteList& notes, int pitchClass);

// The tokens of a note list for display, "f" written as "bb": "1, b3, 5, bb7".
QString formulaText(const NoteList& notes);
// One token as the labels write it: "f7" is "bb7", every other token stays as it is.
QString degreeText(QStringView token);

// A spelled name with the octave it sounds in, given a MIDI note that sounds it (60 is C4). The
// octave follows the letter, as written music counts it: MIDI 60 spelled B# is "B#3", MIDI 59
// spelled Cb is "Cb4". A name that does not sound the note gets the note's own flat name.
QString nameWithOctave(QStringView name, int midiNote);

// The names of a note list, each followed by one blank: "C Eb G Bb ".
QString notesText(const NoteList& notes);

// 1st, 2nd, 3rd, 4th .. 11th, 12th, 13th .. 21st, 22nd, 23rd, 24th.
QString ordinal(int n);

// Why a formula lies outside what the library may hold, or nothing when it is sound: tokens of
// an optional "f", "b", "#" or "x" and a degree 1..14, separated by ";", at most 13 of them,
// the first being "1".
std::optional<QString> checkFormula(QStringView formula);

// The leading decimal number of a text (blanks and one sign allowed before it), 0 when there is
// none, clamped into the 16-bit range. Used for INI values and tree node keys alike.
int leadingNumber(QStringView text);

} // namespace chordalis
