#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

namespace chordalis {

// How many strings a neck may have, and how many frets.
inline constexpr int MinStrings = 4;
inline constexpr int MaxStrings = 10;
inline constexpr int MinFrets = 12;
inline constexpr int MaxFrets = 24;

// Highest fret of the six-string guitar the program starts with: used for note placement, the
// LED frame and the drawn neck.
inline constexpr int DefaultMaxFret = 15;

inline constexpr int CustomPreset = 0;
inline constexpr int StandardPreset = 1;

// The open strings of a neck, string 1 (the highest-sounding) first, and the preset of the tuning
// dialog they came from: 0 custom, 1 standard tuning, 2..16 the other presets of the six-string
// guitar. A neck of another size is always custom.
struct Tuning {
    int preset = StandardPreset;
    std::vector<int> notes{64, 59, 55, 50, 45, 40}; // MIDI notes: E4 B3 G3 D3 A2 E2

    int strings() const { return int(notes.size()); }
    bool hasString(int string) const { return string >= 1 && string <= strings(); }
    // The MIDI note of open string 1..strings(); 0 for any other string number.
    int openNote(int string) const {
        return hasString(string) ? notes[std::size_t(string - 1)] : 0;
    }

    friend bool operator==(const Tuning&, const Tuning&) = default;
};

// Whether the tuning is the standard preset: chords and triads are drawn and played only then.
inline bool isStandardTuning(const Tuning& tuning) {
    return tuning.preset == StandardPreset;
}

// Whether the open strings sound E A D G B E on a six-string neck, whatever preset it carries.
inline bool hasStandardNotes(const Tuning& tuning) {
    return tuning.notes == Tuning{}.notes;
}

// How far a six-string tuning lies from standard tuning when every string is moved alike (-1 for
// Eb standard, -2 for D standard, 0 for standard itself), or nothing for any other tuning: the
// library's grips serve such a tuning on the frets they have, sounding that much lower or higher.
inline std::optional<int> standardShift(const Tuning& tuning) {
    const std::vector<int>& standard = Tuning{}.notes;
    if (tuning.notes.size() != standard.size())
        return std::nullopt;
    const int shift = tuning.notes.front() - standard.front();
    for (std::size_t k = 1; k < standard.size(); ++k) {
        if (tuning.notes[k] - standard[k] != shift)
            return std::nullopt;
    }
    return shift;
}

// One entry of the tuning presets list. The texts keep their blanks: they are shown as they are.
struct TuningPreset {
    const char* text;
    std::array<int, 6> notes; // strings 1..6; unused for the custom entry
    int spelling;             // the spelling column choosing the entry gives the open strings
};

// Numbers 0..12 are those of the settings files of every earlier version; new presets are added
// at the end, so that a stored number keeps its meaning.
inline constexpr std::array<TuningPreset, 17> TuningPresets = {{
    {" Custom ", {0, 0, 0, 0, 0, 0}, 0},
    {" Standard Tuning ", {64, 59, 55, 50, 45, 40}, 0},
    {" Eb Dropped Standard Tuning ", {63, 58, 54, 49, 44, 39}, 0},
    {" D Dropped Standard Tuning ", {62, 57, 53, 48, 43, 38}, 1},
    {" Dropped D", {64, 59, 55, 50, 45, 38}, 1},
    {" Open G (Slack Key) ", {62, 59, 55, 50, 43, 38}, 1},
    {" Open E ", {64, 59, 56, 52, 47, 40}, 1},
    {" Open D ", {62, 57, 54, 50, 45, 38}, 1},
    {" Open C ", {64, 60, 55, 48, 43, 36}, 1},
    {" Crossnote D (open D minor) ", {62, 57, 53, 50, 45, 38}, 1},
    {" Crossnote E (open E minor) ", {64, 59, 55, 52, 47, 40}, 1},
    {" D Modal ", {62, 57, 55, 50, 45, 38}, 1},
    {" G Modal (sawmill) ", {62, 60, 55, 50, 43, 38}, 1},
    {" Drop C ", {62, 57, 53, 48, 43, 36}, 1},
    {" C Standard ", {60, 55, 51, 46, 41, 36}, 0},
    {" B Standard ", {59, 54, 50, 45, 40, 35}, 1},
    {" Drop B ", {61, 56, 52, 47, 42, 35}, 1},
}};

inline constexpr int LastTuningPreset = int(TuningPresets.size()) - 1;

// The tuning of preset 1..LastTuningPreset.
inline Tuning presetTuning(int preset) {
    const TuningPreset& p = TuningPresets[std::size_t(preset)];
    return {preset, std::vector<int>(p.notes.begin(), p.notes.end())};
}

// How far each string of the six-string guitar may be tuned: from 7 semitones below (A standard,
// the lowest of the baritone tunings) to 3 above its standard note. Index 0 is string 1. Every
// preset lies within these limits.
inline constexpr std::array<int, 6> LowestOpenNote = {57, 52, 48, 43, 38, 33};
inline constexpr std::array<int, 6> HighestOpenNote = {67, 62, 58, 53, 48, 43};

// The open notes a neck of any other size may have: C0 to C8.
inline constexpr int LowestAnyOpenNote = 12;
inline constexpr int HighestAnyOpenNote = 108;

// The open notes string 1..strings of a neck with that many strings may have, inclusive: on a
// six-string guitar within the limits above, on any other neck C0..C8.
struct OpenNoteRange {
    int low = LowestAnyOpenNote;
    int high = HighestAnyOpenNote;
};
inline OpenNoteRange openNoteRange(int strings, int string) {
    if (strings != 6 || string < 1 || string > 6)
        return {};
    const std::size_t k = std::size_t(string - 1);
    return {LowestOpenNote[k], HighestOpenNote[k]};
}

// Whether a MIDI note may be the open note of string 1..strings of a neck with that many strings.
inline bool isOpenNoteInRange(int strings, int string, int note) {
    const OpenNoteRange range = openNoteRange(strings, string);
    return string >= 1 && string <= strings && note >= range.low && note <= range.high;
}

// A neck: its tuning, its frets and its scale length. The six-string guitar in standard tuning
// with 15 frets is what the program starts with.
struct Instrument {
    Tuning tuning;
    int frets = DefaultMaxFret; // the highest fret, MinFrets..MaxFrets
    double scaleLength = 648.0; // nut to saddle, in millimetres
    // Per string (index 0 is string 1), the fret a short string starts at: 0 for a string from
    // the nut, 5 for the five-string banjo's fifth string, 0..MaxFirstFret. A short string sounds
    // open at its first fret and has no frets below it; the tuning holds every string's note at
    // the neck's fret 0, so the banjo's G4 at the 5th fret is D4 there.
    std::array<int, MaxStrings> firstFrets{};

    int strings() const { return tuning.strings(); }
    // The first fret of string 1..strings(); 0 for any other string number.
    int firstFret(int string) const {
        return tuning.hasString(string) ? firstFrets[std::size_t(string - 1)] : 0;
    }
    static constexpr int MaxFirstFret = 12;

    friend bool operator==(const Instrument&, const Instrument&) = default;
};

// A capo at a fret 1..12 (0: none), across the whole neck or, partial, across a run of
// adjacent strings (from highString, the higher-sounding end, to lowString).
struct Capo {
    int fret = 0;
    int highString = 0; // 0 with lowString 0: every string
    int lowString = 0;

    bool isPartial() const { return highString > 0; }
    bool covers(int string) const {
        return fret > 0 && (!isPartial() || (string >= highString && string <= lowString));
    }
    // The fret an open string sounds at.
    int openFret(int string) const { return covers(string) ? fret : 0; }
    // Whether a neck of that many strings can take it: a fret 0..12, and a partial capo across at
    // least two of the neck's strings.
    bool fits(int strings) const {
        return fret >= 0 && fret <= MaxCapoFret &&
               (!isPartial() ||
                (highString >= 1 && lowString > highString && lowString <= strings));
    }
    static constexpr int MaxCapoFret = 12;
    friend bool operator==(const Capo&, const Capo&) = default;
};

// The fret string 1..strings sounds open at: its first fret, or the capo's where the capo holds
// it higher (a capo below a short string's first fret leaves that string alone).
inline int openFret(const Instrument& neck, const Capo& capo, int string) {
    const int first = neck.firstFret(string);
    return capo.openFret(string) > first ? capo.openFret(string) : first;
}

} // namespace chordalis
