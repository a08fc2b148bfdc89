#pragma once

// Charts written by hand for the export tests: chords with their bars, beats and grips.

#include "progressions/Chart.h"

#include <cstring>

namespace chordalis::test {

inline Voicing grip(const char* frets, const char* fingers) {
    // Written from the lowest string up, as players read a grip: "x32010"; a fret above 9 as a
    // letter ("a" is 10).
    const int n = int(strlen(frets));
    Voicing v(n);
    for (int k = 0; k < n; ++k) {
        const int s = n - k;
        const char f = frets[k];
        v.setString(s, f == 'x' ? std::nullopt : std::optional<int>(f - '0' + (f > '9' ? -39 : 0)),
                    QString(QChar(fingers[k])));
    }
    return v;
}

struct Chord {
    const char* symbol;
    int letter, pitchClass, item, bar, beats;
    const char* frets; // nullptr: no grip
    const char* fingers;
    int bassLetter = -1, bassPitch = 0;
};

inline ProgressionChart chartOf(const std::vector<Chord>& chords, int meter, Capo capo = {},
                                const char* title = "Test") {
    ProgressionChart c;
    c.title = QString::fromUtf8(title);
    c.capo = capo;
    c.progression.beatsPerBar = meter;
    for (const Chord& k : chords) {
        ProgressionChord pc;
        pc.symbol = QLatin1String(k.symbol);
        pc.root = {k.letter, k.pitchClass};
        pc.item = k.item;
        pc.bar = k.bar;
        pc.beats = k.beats;
        if (k.bassLetter >= 0)
            pc.bass = SpelledNote{k.bassLetter, k.bassPitch};
        c.progression.chords.push_back(pc);
        c.grips.push_back(k.frets ? std::optional<Voicing>(grip(k.frets, k.fingers))
                                  : std::nullopt);
        c.progression.bars = k.bar + 1;
    }
    return c;
}

} // namespace chordalis::test
