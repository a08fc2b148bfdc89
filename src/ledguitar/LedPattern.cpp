#include "ledguitar/LedPattern.h"

namespace chordalis {

uint8_t ledStringBit(int string, bool leftHanded) {
    if (string < 1 || string > LedStrings)
        return 0;
    if (leftHanded)
        string = 7 - string;
    return uint8_t(0x40 >> string); // 1: 0x20 .. 6: 0x01
}

LedPattern packLedFrame(const LedFrame& frame, bool leftHanded) {
    LedPattern pattern;
    for (const NeckPlace& place : frame) {
        if (place.fret < 0 || place.fret >= LedFrets)
            continue;
        pattern.blocks[size_t(place.fret / 8)][size_t(place.fret % 8)] |=
            ledStringBit(place.string, leftHanded);
    }
    return pattern;
}

} // namespace chordalis
