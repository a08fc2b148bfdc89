#pragma once

#include "listening/Pitch.h"
#include "theory/Tuning.h"

#include <QString>
#include <cmath>

namespace chordalis {

// What the tuner pane shows for a pitch on an instrument: the string whose open note is nearest
// (the one being tuned), how far the pitch is from that open note, and the nearest note of all.
struct TunerReading {
    int string = 0;         // 1 = the highest; 0 when nothing is heard
    int openNote = -1;      // that string's open note (MIDI)
    double stringCents = 0; // the pitch against the open note, in cents: -1200..1200 (clamped)
    NoteReading note;       // the nearest note, -50..50 cents
    bool inTune() const { return string > 0 && std::abs(stringCents) <= InTuneCents; }
    // A string within this many cents of its note is in tune (the needle's green zone).
    static constexpr double InTuneCents = 2.0;
};

// The reading for f0 in Hz (0 or less: nothing heard) on the tuning, against A4 = a4 Hz. Of two
// strings equally near (a 12-string's octave pairs, a ukulele's re-entrant string) the lower
// string number wins.
TunerReading readTuner(const Tuning& tuning, double hz, double a4 = DefaultA4);

// What a tuner says for a reading. Within StringRange cents of the nearest open string: that
// string ("String 6 (E2)"), its note ("E2") and the cents from it ("-3 cents"); farther off (a
// fretted note): "Near string 1 (E4)", the nearest note of all ("E6") and the cents from that.
// The needle stands at -1 (NeedleRange cents flat or more) .. 1 (as sharp).
struct TunerText {
    QString string;
    QString note;
    QString cents;
    double needle = 0.0;
    bool inTune = false;
    bool heard = false;
    // Cents either side of the string's note that the needle spans.
    static constexpr double NeedleRange = 50.0;
    static constexpr double StringRange = 100.0;
};
TunerText tunerText(const TunerReading& reading);

} // namespace chordalis
