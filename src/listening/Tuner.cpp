#include "listening/Tuner.h"

#include <algorithm>
#include <cmath>

namespace chordalis {

TunerReading readTuner(const Tuning& tuning, double hz, double a4) {
    TunerReading r;
    if (!(hz > 0.0) || !(a4 > 0.0) || tuning.strings() == 0)
        return r;
    const double exact = 69.0 + 12.0 * std::log2(hz / a4);
    double best = 0.0;
    for (int s = 1; s <= tuning.strings(); ++s) {
        const double off = (exact - tuning.openNote(s)) * 100.0;
        if (r.string == 0 || std::abs(off) < std::abs(best)) {
            r.string = s;
            best = off;
        }
    }
    r.openNote = tuning.openNote(r.string);
    r.stringCents = std::clamp(best, -1200.0, 1200.0);
    r.note = nearestNote(hz, a4);
    return r;
}

} // namespace chordalis
