#pragma once

#include <array>
#include <cstddef>

namespace chordalis {

// The neck surface: 753 x 183 units, origin top left. Every mark fills a cell of 21 x 21 units.
inline constexpr int SurfaceWidth = 753;
inline constexpr int SurfaceHeight = 183;
inline constexpr int CellSize = 21;

// Columns that are not frets.
inline constexpr int OpenNameColumn = -1;  // the open strings' names, at the nut
inline constexpr int IndicatorColumn = -2; // mute and open signs beside the nut
inline constexpr int NoteNameColumn = -3;  // the sounding notes, beyond the last fret

// Left edge of the cell of columns -3..15 on a right-handed neck; any other column gives 0.
inline constexpr int fretOffset(int fret) {
    constexpr std::array<int, 19> Offsets = {730, 18,  0,   0,   66,  129, 189, 245, 300, 349,
                                             396, 442, 486, 528, 568, 604, 637, 669, 699};
    return fret >= -3 && fret <= 15 ? Offsets[std::size_t(fret + 3)] : 0;
}

// Top of the cell of string 1..6; any other string gives 0.
inline constexpr int stringRow(int string) {
    constexpr std::array<int, 6> Rows = {22, 46, 70, 94, 119, 143};
    return string >= 1 && string <= 6 ? Rows[std::size_t(string - 1)] : 0;
}

// The cell's left edge for the hand: a left-handed neck mirrors every cell exactly.
inline constexpr int fretX(int fret, bool leftHanded) {
    if (fret < -3 || fret > 15)
        return 0;
    return leftHanded ? (SurfaceWidth - CellSize) - fretOffset(fret) : fretOffset(fret);
}

inline constexpr int stringY(int string) {
    return stringRow(string);
}

} // namespace chordalis
