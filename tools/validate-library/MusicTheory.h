#pragma once

#include <array>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// The music theory the validator checks the library against. It is written here on its own,
// from the major scale and step patterns, and shares nothing with the program's spelling or
// fretboard code, so that a mistake in one cannot hide the same mistake in the other.
namespace chordalis {

// One token of an interval formula, for example "b3" or "#11".
struct FormulaToken {
    std::string text;
    int accidental = 0; // -2 (f) .. +2 (x)
    int degree = 0;     // 1..14
    int semitones = 0;  // above the root; degrees 8..14 lie an octave higher
    int pitchClass() const { return ((semitones % 12) + 12) % 12; }
};

// Parses a formula within the limits the program accepts: 1 to 13 tokens separated by ";", each
// an optional f, b, # or x and a degree 1..14, the first token "1". On failure returns nothing
// and sets *error.
std::optional<std::vector<FormulaToken>> parseFormula(std::string_view formula, std::string* error);

// The pitch classes of a parsed formula.
std::set<int> pitchClasses(const std::vector<FormulaToken>& tokens);

// The faults of a formula's writing: tokens out of ascending pitch, degree letters going
// backwards, two tokens of one pitch class, and roots among the 17 of the root tabs at which a
// token would need more than a double sharp or flat.
std::vector<std::string> formulaWritingFaults(const std::vector<FormulaToken>& tokens);

// The number a chord symbol is built on: 13 in "13#9#11", 11 in "m11b5", 9 in "maj9(add11)" and
// "m(maj9)(b6)", 6 in "6/9"; 0 where there is none ("sus2", "add9", "quartal"). A number after
// an accidental or "add" is an altered or added tone, not this one.
int chordSymbolNumber(std::string_view name);

// The tokens a voicing of the chord so named may leave out, as guitarists do: the perfect 5th of
// a chord of four or more notes (not where "(b6)" says the b6 stands beside it), and the natural
// 9th and 11th that an 11th or 13th chord implies without its name stating them: C13 may drop
// its 9th and 11th, C13#11 its 9th, while C9#11, Cmaj9(add11) and C6/9#11 name their 9th. Every
// tone the name states sounds in every voicing.
std::set<std::string> omissibleTokens(const std::vector<FormulaToken>& tokens,
                                      std::string_view name);

// The formula that a chord name stands for when read as a chord symbol after its root ("m7b5"
// gives 1;b3;b5;b7, "13" gives 1;3;5;b7;9;13), or nothing for a name it cannot read.
std::optional<std::vector<std::string>> formulaOfChordName(std::string_view name);

// The pitch classes of a scale known by this name (the name or a common other name), or nothing.
// "Dorian Mode" reads as Dorian, and "Fifth Mode of Major Pentatonic" as that scale started on
// its fifth note.
std::optional<std::set<int>> referenceScale(std::string_view name);

// MIDI notes of the open strings in standard tuning, indexed by string 1..6 (index 0 unused).
inline constexpr std::array<int, 7> OpenString = {0, 64, 59, 55, 50, 45, 40};

// A pitch class written with a flat for black keys (messages only).
std::string noteName(int pitchClass);

// "1st", "2nd", "3rd", "4th" ...
std::string ordinalText(int n);

} // namespace chordalis
