#pragma once

#include "fretboard/Colour.h"
#include "fretboard/Geometry.h"
#include "fretboard/LedSender.h"
#include "theory/Neck.h"

#include <QString>
#include <optional>
#include <vector>

namespace chordalis {

// What a display shows on the neck, as values. A display fills it once; the screen paints it,
// the printed sheet draws it, the LED guitar lights its places and the companion tool prints it,
// none of them working out notes, frets or colours again.

// The kinds of mark: coloured markers, and pictures on the bare neck (signs).
enum class MarkKind { Circle, Square, Sign };

// Which of the user's four colours a marker takes: the root, a chord tone, a scale tone, or a
// note of both the chord and the scale.
enum class ColourRole { Root, Chord, Scale, Both };

// What a sign says, and the column it stands in: the open strings' names at the nut, the mute
// and open signs beside it (the open sign red when the open string is the root; on a string
// under the capo, in the capo's fret column), the sounding notes' names beyond the last fret.
enum class SignKind { OpenName, Mute, Open, OpenRoot, NoteName };

// What a display knows about the note under a marker: its spelled name, its interval from the
// root as the labels write it ("b3"), and on a grip the finger 1..4 that frets it (0 none). Any
// may be empty.
struct MarkInfo {
    QString note;
    QString interval;
    int finger = 0;
};

// One thing on the neck, in surface units of the picture's geometry.
struct Mark {
    MarkKind kind = MarkKind::Sign;
    ColourRole role = ColourRole::Chord; // markers: the colour it takes
    PackedColour colour{};               // markers: that colour when the display drew
    SignKind sign = SignKind::NoteName;  // signs: what the sign says
    QString label;                       // picture key ("finger3", "C", "F#2", "fingerX")
    int fret = 0;                        // column -3..frets
    int string = 0;                      // 1..strings
    int x = 0;                           // cell's top-left corner
    int y = 0;
    // Markers: the MIDI note the string sounds at the fret under the tuning of the drawing, and
    // what the display said about it. Names (signs) carry their note in `note`.
    int pitch = -1;
    QString note;
    QString interval;
    int finger = 0;

    bool isMarker() const { return kind != MarkKind::Sign; }
};

// The kind's name as the companion tool prints it: "circle", "square", "sign".
QString markKindName(MarkKind kind);
// The role's name as the companion tool prints it: "root", "chord", "scale", "both".
QString colourRoleName(ColourRole role);

// A string's verdict when a strum was checked against the grip shown: its note sounds (or it is
// silent as the grip says), its note is missing (muted, not struck), or a wrong note sounds on it.
enum class CheckMark { Right, Missing, Wrong };

struct CheckedString {
    int string = 0; // 1..strings
    CheckMark check = CheckMark::Right;
    bool operator==(const CheckedString&) const = default;
};

struct NeckPicture {
    NeckGeometry geometry;
    bool leftHanded = false;
    // Markers and signs in drawing order; a picture starts with the open strings' names.
    std::vector<Mark> marks;
    // The places the LED guitar lights, lowest string first.
    LedFrame led;
    // The fret window of the chosen position; nothing when all positions are shown.
    std::optional<FretWindow> positionWindow;
    // The capo, drawn just behind its fret wire; fret 0 when there is none.
    Capo capo;
    // The last check of a strum against the grip drawn, string by string; a display's clear
    // forgets it. Painted as a ring around the string's marker or sign.
    std::vector<CheckedString> checked;

    std::vector<Mark> markers() const;
    std::vector<Mark> signs() const;
    // The sign of a kind on a string, or null.
    const Mark* sign(SignKind kind, int string) const;
};

// The column a sign of the kind stands in.
int signColumn(SignKind kind);

} // namespace chordalis
