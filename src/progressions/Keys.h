#pragma once

#include "library/Libraries.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>
#include <vector>

namespace chordalis {

// The scales a key is built on: major and the three minors, then the seven modes of the major
// scale (Ionian is major and Aeolian natural minor, listed under their own names as well).
enum class KeyMode {
    Major,
    NaturalMinor,
    HarmonicMinor,
    MelodicMinor,
    Ionian,
    Dorian,
    Phrygian,
    Lydian,
    Mixolydian,
    Aeolian,
    Locrian
};
inline constexpr int KeyModeCount = 11;

// The word the companion tool and the data file use: "major", "minor", "harmonic-minor",
// "melodic-minor", "ionian" .. "locrian"; and the name a page shows: "Harmonic Minor".
const char* keyModeWord(KeyMode mode);
QString keyModeName(KeyMode mode);
// The mode a word names (case and blanks, "-" or "_" between words ignored; "natural-minor" and
// "aeolian" are both accepted), or nothing.
std::optional<KeyMode> keyModeOf(QStringView word);
// The mode's degrees as a formula over the major scale: "1;2;b3;4;5;b6;7" for harmonic minor.
QString keyModeFormula(KeyMode mode);
// Whether the mode's 3rd is minor: its parallel key, where borrowed chords come from, is major.
bool isMinorMode(KeyMode mode);

// A note name with its letter kept apart: letter 0..6 for C..G A B, pitch class 0..11.
struct SpelledNote {
    int letter = 0;
    int pitchClass = 0;

    // "C", "F#", "Bb", "Fx", "Ebb": the letter and the accidentals that make its pitch class.
    QString name() const;
    // The note `steps` letters and `semitones` above (a major 3rd is 2 letters, 4 semitones).
    SpelledNote above(int steps, int semitones) const;
    // The note a name spells: a capital letter A..G, then any number of "b", "#" and "x".
    static std::optional<SpelledNote> of(QStringView name);
    friend bool operator==(const SpelledNote&, const SpelledNote&) = default;
};

// A chord's notes spelled above a root by a formula ("1;b3;5;b7"), each tone's letter by its
// degree; empty for a formula that is no chord (see chordMakeup).
QStringList spellChord(SpelledNote root, QStringView formula);

// What a chord does in its key, by the degree its root stands on: tonic (I, iii, vi), subdominant
// (ii, IV) or dominant (V, vii); the same rule for every mode.
enum class HarmonicFunction { Tonic, Subdominant, Dominant };
const char* functionWord(HarmonicFunction function);

// The qualities of the chords a key's scales give, each with the library chord it stands for.
enum class ChordQuality {
    Major,
    Minor,
    Diminished,
    Augmented,
    Major7,
    Dominant7,
    Minor7,
    HalfDiminished7,
    Diminished7,
    MinorMajor7,
    AugmentedMajor7,
    Dominant7Sharp5,
    Other
};
// The chord symbol's suffix after the root: "", "m", "dim", "aug", "maj7", "7", "m7", "m7b5",
// "dim7", "m(maj7)", "maj7#5", "7#5"; empty for Other.
QString qualitySuffix(ChordQuality quality);
// The interval formula: "1;3;5", "1;b3;b5;b7".
QString qualityFormula(ChordQuality quality);
// The quality of a chord stacked in thirds, from its tones' semitones above the root (3rd, 5th
// and, for a seventh chord, 7th).
ChordQuality qualityOf(int third, int fifth, std::optional<int> seventh);

// The library chord (item 0..count-1) whose formula sounds exactly these semitones above its
// root (0..11, in any order and with repeats), or -1.
int libraryChordOf(const ChordLibrary& chords, const std::vector<int>& semitones);

// One chord of a key.
struct KeyChord {
    enum class Kind { Diatonic, SecondaryDominant, Borrowed };
    Kind kind = Kind::Diatonic;
    int degree = 1;  // 1..7: the scale degree its root stands on (the target's for V7/x)
    QString numeral; // "ii7", "V7", "Imaj7", "viiø7", "bIII+", "V7/ii", "bVI"
    SpelledNote root;
    ChordQuality quality = ChordQuality::Major;
    QString symbol;    // root and suffix: "Dm7", "E#dim", "Gbaug"
    QStringList notes; // spelled, root first: "Gb", "Bb", "D"
    HarmonicFunction function = HarmonicFunction::Tonic;
    int item = -1; // the library chord, or -1 when the library has none
};

// A key: its root, its mode, its scale spelled and its chords.
struct Key {
    SpelledNote root;
    KeyMode mode = KeyMode::Major;
    std::array<SpelledNote, 7> scale;
    std::array<KeyChord, 7> triads;
    std::array<KeyChord, 7> sevenths;
    // V7 of each degree whose triad is major or minor, other than the tonic: V7/ii .. V7/vi.
    std::vector<KeyChord> secondaryDominants;
    // The parallel key's triads and sevenths that differ from this key's on their degree (from
    // the parallel natural minor for a major-3rd mode, from the parallel major otherwise).
    std::vector<KeyChord> borrowed;
};

// The key of a root as one of the 17 root tabs spell it (the tab's index 1..17) in a mode;
// `chords` gives each chord its library item (an empty library gives -1 throughout). Any tab
// index outside 1..17 gives the key of C.
Key makeKey(int rootTab, KeyMode mode, const ChordLibrary& chords);
// The same for a spelled root that no tab names (E#, Cb).
Key makeKey(SpelledNote root, KeyMode mode, const ChordLibrary& chords);

// The roman numeral of a degree 1..7 written as a theory book does, its accidental taken against
// the major scale of the key's root: "bIII", "#iv", "V". `upper` for a major or augmented chord.
QString romanNumeral(int degree, int semitonesAboveTonic, bool upper);

} // namespace chordalis
