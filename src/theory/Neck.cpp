#include "theory/Neck.h"

namespace chordalis {

int openPitchClass(const Tuning& tuning, int string) {
    if (string < 1 || string > 6)
        return 0;
    return ((tuning[string] % 12) + 12) % 12;
}

int lowestFret(const Tuning& tuning, int pitchClass, int string) {
    int d = pitchClass - openPitchClass(tuning, string);
    if (d < 0)
        d += 12;
    return d;
}

void placeNote(const Tuning& tuning, int pitchClass, int string, FretWindow window, int maxFret,
               const std::function<void(int fret, int string)>& draw) {
    const int fret = lowestFret(tuning, pitchClass, string);
    if (window.low <= fret && fret <= window.high)
        draw(fret, string);
    const int octave = fret + 12;
    if (window.low <= octave && octave <= window.high && octave <= maxFret)
        draw(octave, string);
}

} // namespace chordalis
