#pragma once

#include "progressions/Chart.h"
#include "voicings/ChordTones.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace chordalis {

// A chord as a MusicXML harmony names it: one of the format's kinds ("minor-seventh") and the
// degrees added, altered or taken away from it.
struct HarmonyKind {
    struct Degree {
        int value = 1; // the degree as the chord writes it: 5, 9, 11, 13
        int alter = 0; // semitones from the major scale's degree: -1 flat, 1 sharp
        enum Type { Add, Alter, Subtract } type = Add;
        friend bool operator==(const Degree&, const Degree&) = default;
    };
    QString kind = QStringLiteral("none");
    std::vector<Degree> degrees;
};

// The kind that needs the fewest degrees added, altered or taken away to give the chord's tones
// (on a tie the fewest altered, then the smaller kind; a 13th chord's 11th is never taken away, as
// players leave it out); "none" with no degrees for a chord without tones.
HarmonyKind harmonyKindOf(const ChordMakeup& makeup);

// The chart as a MusicXML 4.0 partwise score of one guitar part: a measure per bar, the key,
// the meter and the tempo in the first; before each chord a harmony (root, kind with the symbol's
// text, the bass of a slash chord, its degrees, and a frame of the chosen grip: the shape counted
// from the nut or a capo across the neck, its first fret when it lies above the fourth, and each
// sounding string's fret counted from that first fret, 0 open; silent strings have no note) and
// the beats it lasts as rests. `chords` gives each chord its tones; a chord whose library entry has
// no formula is written with the kind "other" and its symbol.
QByteArray musicXml(const ProgressionChart& chart, const ChordLibrary& chords);

} // namespace chordalis
