#pragma once

#include <QColor>
#include <QString>

namespace chordalis {

struct Mark;

// What the markers carry as their picture on the screen. Fingers: each display's own choice
// (finger digits on chords and triads, note names elsewhere); Notes: the note name on every
// marker; Intervals: the interval from the root ("1", "b3", "#11") where the display has a root.
enum class MarkerLabels { Fingers, Notes, Intervals };

// The fret numbers written under the neck: none, the inlaid frets 3, 5, 7, 9, 12 and 15, or every
// fret 1..15.
enum class FretNumbers { None, Inlays, Every };

// What the window may add to the neck picture. The picture itself (the print, the LED frame, the
// companion tool's default rendering) stays as the displays drew it.
struct NeckExtras {
    MarkerLabels labels = MarkerLabels::Fingers;
    bool shadePosition = false;     // the chosen position's fret window shaded
    bool outlineRoots = false;      // a white ring inside every root marker
    bool highlightSounding = false; // a ring around the markers that sound during a playback
    // The window is dark: the strip of open-string names around the board takes the dark
    // window's colour and its names and signs a light ink, so that it does not glare.
    bool darkWindow = false;
    // The rings of a checked strum: a string right, missing (dashed) and wrong (crossed out).
    // Each is drawn over a dark outline, so it reads on the wood and on either strip.
    QColor checkRight{0, 170, 70};
    QColor checkMissing{240, 160, 0};
    QColor checkWrong{220, 30, 30};
};

// The picture key a marker shows under the label choice: its note name or interval where it
// has one, else the label the display gave it.
QString shownLabel(const Mark& mark, MarkerLabels labels);

// "Eb3, interval b3, 5th string, fret 6": the marker's note with its octave (middle C is C4), its
// interval from the root where it has one ("root" for the root), its string and fret ("open"
// for fret 0).
QString markerToolTip(const Mark& mark);

// Height of the strip under the neck that carries the fret numbers, in surface units.
inline constexpr int FretNumberStripHeight = 16;

} // namespace chordalis
