#pragma once

#include "theory/Tuning.h"

#include <array>
#include <cstddef>

namespace chordalis {

// A fretted instrument other than the six-string guitar (whose tunings are the tuning dialog's
// presets), as the program offers it by name: its open strings (string 1, the highest-sounding,
// first), frets and scale length. Re-entrant tunings keep their order: the ukulele's G4 is
// string 4.
struct InstrumentPreset {
    const char* name;
    int strings;
    std::array<int, MaxStrings> notes; // MIDI notes, strings 1..strings
    int frets;
    double scaleLength;                          // millimetres, nut to saddle
    std::array<int, MaxStrings> firstFrets = {}; // per string: where a short string starts

    Instrument instrument() const {
        Instrument neck;
        neck.tuning = {CustomPreset, std::vector<int>(notes.begin(), notes.begin() + strings)};
        neck.frets = frets;
        neck.scaleLength = scaleLength;
        neck.firstFrets = firstFrets;
        return neck;
    }
};

// New instruments go at the end: the window's menu entries are numbered in this order.
inline constexpr std::array<InstrumentPreset, 11> InstrumentPresets = {{
    {"7-String Guitar", 7, {64, 59, 55, 50, 45, 40, 35}, 24, 648.0},
    {"8-String Guitar", 8, {64, 59, 55, 50, 45, 40, 35, 30}, 24, 686.0},
    {"4-String Bass", 4, {43, 38, 33, 28}, 20, 864.0},
    {"5-String Bass", 5, {43, 38, 33, 28, 23}, 24, 864.0},
    {"Ukulele", 4, {69, 64, 60, 67}, 15, 346.0},
    {"Ukulele (Low G)", 4, {69, 64, 60, 55}, 15, 346.0},
    {"Baritone Ukulele", 4, {64, 59, 55, 50}, 18, 483.0},
    {"Mandolin", 4, {76, 69, 62, 55}, 17, 350.0},
    {"Tenor Banjo", 4, {69, 62, 55, 48}, 19, 584.0},
    {"Drop A (7-String)", 7, {64, 59, 55, 50, 45, 40, 33}, 24, 648.0},
    // Open G, g4 D3 G3 B3 D4: the short fifth string starts at the 5th fret, where it sounds G4.
    {"5-String Banjo", 5, {62, 59, 55, 50, 67 - 5}, 22, 670.0, {0, 0, 0, 0, 5}},
}};

} // namespace chordalis
