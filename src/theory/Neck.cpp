#include "theory/Neck.h"

namespace chordalis {

int openPitchClass(const Tuning& tuning, int string) {
    if (!tuning.hasString(string))
        return 0;
    return pitchClassOfNote(tuning.openNote(string));
}

int lowestFret(const Tuning& tuning, int pitchClass, int string) {
    int d = pitchClass - openPitchClass(tuning, string);
    if (d < 0)
        d += 12;
    return d;
}

void placeNote(const Tuning& tuning, int pitchClass, int string, FretWindow window, int maxFret,
               const std::function<void(int fret, int string)>& draw) {
    // The lowest fret and every octave above it, as far as the neck reaches.
    for (int fret = lowestFret(tuning, pitchClass, string); fret <= window.high; fret += 12) {
        if (fret >= window.low && (fret < 12 || fret <= maxFret))
            draw(fret, string);
    }
}

} // namespace chordalis
