#pragma once

#include "fretboard/LedSender.h"

#include <array>
#include <cstdint>

namespace chordalis {

inline constexpr int LedFrets = 24;  // frets 0..23
inline constexpr int LedStrings = 6; // strings 1..6
inline constexpr int LedBlocks = 3;  // of eight frets each

// The bit of a string in an LED byte: string 1 0x20 .. string 6 0x01; a left-handed guitar
// takes string s as 7 - s. Strings outside 1..6 give 0.
uint8_t ledStringBit(int string, bool leftHanded);

// What the guitar lights: three blocks of eight bytes, byte n of block b (1..3) holding fret
// 8(b - 1) + n, one bit per string; bits 6 and 7 stay 0.
struct LedPattern {
    std::array<std::array<uint8_t, 8>, LedBlocks> blocks{};

    uint8_t byteOfFret(int fret) const { return blocks[size_t(fret / 8)][size_t(fret % 8)]; }
    bool operator==(const LedPattern&) const = default;
};

// Packs an LED frame (any order, repeats allowed). Frets outside 0..23 and strings outside 1..6
// light nothing.
LedPattern packLedFrame(const LedFrame& frame, bool leftHanded);

} // namespace chordalis
