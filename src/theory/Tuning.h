#pragma once

#include <array>

namespace chordalis {

// The tuning: element 0 the preset number (0 custom, 1 standard, 2..12 the other presets),
// elements 1..6 the MIDI note of open string 1 (highest) .. 6 (lowest).
using Tuning = std::array<int, 7>;

inline constexpr Tuning StandardTuning = {1, 64, 59, 55, 50, 45, 40};
inline constexpr int StandardPreset = 1;

// Highest fret used for note placement and the LED frame, and highest fret drawn on screen.
inline constexpr int DefaultMaxFret = 15;

inline bool isStandardTuning(const Tuning& tuning) {
    return tuning[0] == StandardPreset;
}

} // namespace chordalis
