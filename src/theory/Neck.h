#pragma once

#include "theory/Tuning.h"

#include <functional>

namespace chordalis {

// An inclusive fret range, 0 <= low <= high <= maxFret.
struct FretWindow {
    int low = 0;
    int high = DefaultMaxFret;
    friend bool operator==(const FretWindow&, const FretWindow&) = default;
};

// A place on the neck: a fret (0 the open string) on a string (1 the highest).
struct NeckPlace {
    int fret = 0;
    int string = 0;
    friend bool operator==(const NeckPlace&, const NeckPlace&) = default;
};

// Pitch class 0..11 of a MIDI note, negative ones included.
inline int pitchClassOfNote(int note) {
    return (note % 12 + 12) % 12;
}

// Pitch class 0..11 of open string s (1..strings); 0 for any other string number.
int openPitchClass(const Tuning& tuning, int string);

// The MIDI note and the pitch class a string sounds at a fret (0 the open string).
inline int pitchAt(const Tuning& tuning, int string, int fret) {
    return tuning.openNote(string) + fret;
}
inline int pitchClassAt(const Tuning& tuning, int string, int fret) {
    return pitchClassOfNote(pitchAt(tuning, string, fret));
}

// The lowest fret 0..11 at which pitch class p sounds on string s.
int lowestFret(const Tuning& tuning, int pitchClass, int string);

// The frets of a window that a string can sound under a capo: those at or above the fret the
// capo holds it at, or a short string starts at (that fret itself is the string played open);
// the window itself on a string the capo does not cover. May come out empty (low > high).
inline FretWindow windowAboveCapo(FretWindow window, const Instrument& neck, const Capo& capo,
                                  int string) {
    const int open = openFret(neck, capo, string);
    return {window.low < open ? open : window.low, window.high};
}

// Calls draw(fret, string) for each fret of the string inside the window that sounds the pitch
// class: the lowest such fret (0..11) and each octave above it up to maxFret, lowest first.
void placeNote(const Tuning& tuning, int pitchClass, int string, FretWindow window, int maxFret,
               const std::function<void(int fret, int string)>& draw);

} // namespace chordalis
