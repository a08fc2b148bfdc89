#pragma once

#include <array>
#include <cstddef>

namespace chordalis {

// The tuning: element 0 the preset number (0 custom, 1 standard, 2..12 the other presets),
// elements 1..6 the MIDI note of open string 1 (highest) .. 6 (lowest).
using Tuning = std::array<int, 7>;

inline constexpr Tuning StandardTuning = {1, 64, 59, 55, 50, 45, 40};
inline constexpr int StandardPreset = 1;

// Highest fret used for note placement and the LED frame, and highest fret drawn on screen.
inline constexpr int DefaultMaxFret = 15;

// Whether the tuning is the standard preset: chords and triads are drawn and played only then.
inline bool isStandardTuning(const Tuning& tuning) {
    return tuning[0] == StandardPreset;
}

// Whether the open strings sound E A D G B E, whatever preset number the tuning carries.
inline bool hasStandardNotes(const Tuning& tuning) {
    for (std::size_t s = 1; s <= 6; ++s) {
        if (tuning[s] != StandardTuning[s])
            return false;
    }
    return true;
}

// One entry of the tuning presets list. The texts keep their blanks: they are shown as they are.
struct TuningPreset {
    const char* text;
    std::array<int, 6> notes; // strings 1..6; unused for the custom entry
    int spelling;             // the spelling column choosing the entry gives the open strings
};

inline constexpr std::array<TuningPreset, 13> TuningPresets = {{
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
}};

// The tuning of preset 1..12 (element 0 the preset number).
inline Tuning presetTuning(int preset) {
    const TuningPreset& p = TuningPresets[std::size_t(preset)];
    return {preset, p.notes[0], p.notes[1], p.notes[2], p.notes[3], p.notes[4], p.notes[5]};
}

// How far each string may be tuned: from 4 semitones below to 3 above its standard note. Index 0
// is string 1. Every preset lies within these limits.
inline constexpr std::array<int, 6> LowestOpenNote = {60, 55, 51, 46, 41, 36};
inline constexpr std::array<int, 6> HighestOpenNote = {67, 62, 58, 53, 48, 43};

// Whether a MIDI note may be the open note of string 1..6.
inline bool isOpenNoteInRange(int string, int note) {
    const std::size_t k = std::size_t(string - 1);
    return note >= LowestOpenNote[k] && note <= HighestOpenNote[k];
}

} // namespace chordalis
