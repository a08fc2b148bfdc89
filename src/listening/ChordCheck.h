#pragma once

#include "library/IniReader.h"
#include "library/Libraries.h"
#include "listening/Polyphony.h"
#include "theory/Tuning.h"

#include <QString>
#include <optional>
#include <vector>

namespace chordalis {

// What sounds, named as the chord finder names a selection: "A Minor 7th / G" with the symbol
// "Am7/G" where the library names that chord, and the notes from the bass up ("G2 A2 C4 E4").
struct HeardChord {
    QString text;   // empty when no note sounds; the note's name when one alone sounds
    QString symbol; // empty when the library has no symbol for it
    QString notes;
};

// Names MIDI notes (any order) through the finder's interval sets (finder.ini): each note taken
// as the root, the bass first, then upwards; the first that has a name wins.
HeardChord nameHeardNotes(IniReader& ini, const ChordLibrary& chords, std::vector<int> notes);

// A string's verdict in a check of a grip.
enum class StringCheck {
    Right,   // plays its note, or is left silent as the grip says
    Missing, // its note does not sound (muted, or not struck)
    Wrong,   // another note sounds for it, or it sounds where the grip leaves it silent
};

struct StringVerdict {
    int string = 0;              // 1 = the highest
    std::optional<int> expected; // the grip's MIDI note, none for a string it leaves silent
    std::optional<int> heard;    // the note heard for it, when it is another than expected
    StringCheck check = StringCheck::Right;
};

// The share of the strongest note at which a note the grip asks for counts as sounding, and the
// share at which a note it does not ask for counts as played on a string the grip leaves silent
// (on a string that lacks its own note, ExpectedShare is enough).
inline constexpr double ExpectedShare = 0.12;
inline constexpr double UnexpectedShare = 0.25;

// Checks a strum against a grip: frets per string, string 1 first, the fret that sounds (0
// open) or nothing for a string left silent, on the instrument's tuning. A note the grip does not
// ask for is put on the string that lacks its note and could play it nearest to what it should
// play, else on a string the grip leaves silent that could play it; a note no string explains is
// left out (it is an overtone, or another instrument). Strings beyond the tuning are ignored.
std::vector<StringVerdict> checkGrip(const Instrument& instrument,
                                     const std::vector<std::optional<int>>& frets,
                                     const NoteActivations& heard);

// Checks a strum's sound (an event's stretch) against a grip, fitting only the notes a hand near
// the grip could make: each played string's fret and three frets either side, the first four
// frets of a string the grip leaves silent. Knowing what may sound, the fit does not mistake an
// overtone for a note.
std::vector<StringVerdict> checkStrum(const Instrument& instrument,
                                      const std::vector<std::optional<int>>& frets,
                                      const NoteFinder& finder, std::span<const float> sound);

// The word for a verdict: "right", "missing", "wrong".
QString checkWord(StringCheck check);

// The verdicts in words, the lowest string first: "All 6 strings right." or "String 5 missing;
// string 3 wrong (heard Ab3, not G3); 4 right." Empty for no verdicts.
QString checkSentence(const std::vector<StringVerdict>& verdicts);

} // namespace chordalis
