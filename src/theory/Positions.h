#pragma once

#include "theory/Neck.h"

#include <QStringList>

namespace chordalis {

// A position list with its pair of option buttons ("4 note positions", "5 note positions"), as
// the scales, arpeggios and chord/scale pages show it.
struct PositionList {
    QStringList entries; // "All Positions", "Open", "1st Position" ..
    int index = 0;       // the selected entry
    int option = 0;      // 0 = "4 note positions", 1 = "5 note positions"
};

inline constexpr const char* FourNoteOption = "4 note positions";
inline constexpr const char* FiveNoteOption = "5 note positions";

// Rebuilds the list after option button k (0 or 1) was clicked, keeping the selection inside the
// rebuilt list. The list holds every window that ends on the neck: on a neck of 15 frets up to
// "12th Position" with four-note windows, "11th Position" with five-note ones, and when the
// option turns to five-note windows the last two four-note entries ("11th", "12th") step down one.
void fillPositionList(PositionList& list, int option, int maxFret = DefaultMaxFret);

// The fret window of the list's selected entry for its option. maxFret bounds "All Positions".
FretWindow fretWindow(const PositionList& list, int maxFret = DefaultMaxFret);

// A list as start-up leaves it: four-note option, "All Positions".
PositionList initialPositionList(int maxFret = DefaultMaxFret);

} // namespace chordalis
