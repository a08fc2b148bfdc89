#include "listening/Tuner.h"

#include "theory/Neck.h"
#include "theory/Spelling.h"

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

namespace {

QString noteText(int note) {
    return nameWithOctave(noteName(pitchClassOfNote(note), FlatColumn), note);
}

} // namespace

TunerText tunerText(const TunerReading& reading) {
    TunerText t;
    if (reading.string <= 0) {
        t.string = QStringLiteral("Nothing heard");
        return t;
    }
    t.heard = true;
    // Within a semitone of an open string the string is being tuned: note and cents are the
    // string's. Farther off a fretted note sounds: its own note and cents, the string beside.
    const bool tuning = std::abs(reading.stringCents) <= TunerText::StringRange;
    const double cents = tuning ? reading.stringCents : reading.note.cents;
    t.string = (tuning ? QStringLiteral("String %1 (%2)") : QStringLiteral("Near string %1 (%2)"))
                   .arg(reading.string)
                   .arg(noteText(reading.openNote));
    t.note = noteText(tuning ? reading.openNote : reading.note.note);
    const long rounded = std::lround(cents);
    t.cents = QStringLiteral("%1%2 cents")
                  .arg(rounded > 0 ? QStringLiteral("+") : QString())
                  .arg(rounded);
    t.needle = std::clamp(cents / TunerText::NeedleRange, -1.0, 1.0);
    t.inTune = std::abs(cents) <= TunerReading::InTuneCents;
    return t;
}

} // namespace chordalis
