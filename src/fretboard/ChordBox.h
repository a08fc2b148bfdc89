#pragma once

#include "theory/Tuning.h"

#include <QString>
#include <optional>
#include <vector>

namespace chordalis {

// A grip as a vertical chord diagram ("chord box"): the strings stand upright, the lowest on
// the left (on the right for a left-handed player, as the neck is mirrored), the frets run
// downwards from the nut or from a base fret. Laid out once from the grip's frets and fingers;
// the screen, the printed sheet and the SVG and PNG files all paint this value.

// One string of a grip as the box is told it: its fret (nothing when silent), its finger 1..4
// (0 for an open string or a string on the capo) and what the display knows of its note.
struct BoxString {
    std::optional<int> fret;
    int finger = 0;
    bool root = false;
    QString note;     // spelled as the chord spells it: "Eb"
    QString interval; // from the root, as the labels write it: "b3"
};

// What stands above a string: nothing (it is fretted), an open string (an open root drawn as a
// square), or a muted string.
enum class BoxSign { Fretted, Open, OpenRoot, Mute };

// A fretted note: a dot on its string, in the row of its fret.
struct BoxDot {
    int string = 0; // 1..strings
    int fret = 0;   // the fret on the neck, not counted from the box's first row
    int finger = 0; // 1..4, 0 when the grip does not say
    bool root = false;
    QString note;
    QString interval;
};

// One finger laid flat across adjacent strings at one fret: from string `high` (the
// higher-sounding end, the smaller number) to string `low`.
struct BoxBarre {
    int fret = 0;
    int finger = 0;
    int high = 0;
    int low = 0;
};

struct ChordBox {
    int strings = 6;
    int firstFret = 1; // the fret of the first row: 1 under the nut
    int rows = 4;      // how many frets the box shows, 4 at least
    bool leftHanded = false;
    Capo capo; // drawn as a bar on the wire it lies behind, where the box shows that wire
    std::vector<BoxSign> signs;            // per string, string 1 first
    std::vector<std::optional<int>> frets; // per string, string 1 first
    std::vector<BoxDot> dots;              // every fretted note, the barres' too
    std::vector<BoxBarre> barres;
    QString caption;
    int number = -1; // what choosing the box chooses: the voicing's number, the triad's group

    // Whether the first row lies under the nut (which is then drawn as a thick bar); else the
    // first row's fret is written beside it ("5fr").
    bool showsNut() const { return firstFret == 1; }
    // The column of string 1..strings from the left, 0..strings-1: the lowest string on the
    // left, mirrored for the left hand.
    int column(int string) const { return leftHanded ? string - 1 : strings - string; }
    // The row of a fret, 0 the first, or -1 when the box does not show it.
    int row(int fret) const {
        return fret >= firstFret && fret < firstFret + rows ? fret - firstFret : -1;
    }
    // The line the capo lies on, 0 the top line (under the nut or the first row), or -1 when
    // there is no capo or it lies outside the box.
    int capoLine() const;
    // The frets as one text, from the lowest string up: a digit per string, a fret above 9 in
    // brackets, x for a silent string: "x32010", "x(10)(12)(12)(12)x".
    QString fretsText() const;
};

// The box of a grip, its strings given string 1 first. The box shows four frets at least, and
// starts at the nut when every fretted note lies in the first four frets (above a capo across
// the neck: in the first four frets above it, the capo then lying on the top line); else at the
// lowest fretted note. A finger on two or more strings at one fret, with every string between
// fretted at that fret or higher, is a barre.
ChordBox layoutChordBox(const std::vector<BoxString>& strings, const Capo& capo = {},
                        bool leftHanded = false);

} // namespace chordalis
