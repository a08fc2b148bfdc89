// Any numbers as the places of an LED frame: the packed pattern lights only the guitar's six
// strings, never bits 6 and 7 of a byte.
#include "FuzzSupport.h"
#include "ledguitar/LedPattern.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    chordalis::LedFrame frame;
    for (size_t i = 0; i + 8 <= size; i += 8) {
        int32_t fret = 0;
        int32_t string = 0;
        std::memcpy(&fret, data + i, 4);
        std::memcpy(&string, data + i + 4, 4);
        frame.push_back({fret, string});
    }
    for (bool leftHanded : {false, true}) {
        const chordalis::LedPattern pattern = chordalis::packLedFrame(frame, leftHanded);
        for (const auto& block : pattern.blocks)
            for (uint8_t byte : block)
                chordalis::fuzz::require((byte & 0xC0) == 0);
    }
    return 0;
}
