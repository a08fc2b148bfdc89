#include "fretboard/Geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace chordalis {

namespace {

// The six-string, 15-fret layout: left edges of the cells of frets 1..15, tops of the rows of
// strings 1..6, the bands a press picks a string in, and the zones it picks a fret in (beside the
// nut, then frets 1..15, ending where the last fret's zone ends).
constexpr std::array<int, 15> ClassicFrets = {66,  129, 189, 245, 300, 349, 396, 442,
                                              486, 528, 568, 604, 637, 669, 699};
constexpr std::array<int, 6> ClassicRows = {22, 46, 70, 94, 119, 143};
constexpr std::array<int, 7> ClassicBands = {22, 44, 68, 92, 116, 140, 162};
constexpr std::array<int, 17> ClassicZones = {20,  46,  112, 173, 231, 287, 339, 387, 433,
                                              478, 521, 562, 599, 634, 666, 697, 727};

constexpr int ExtraFretSpacing = 29; // each fret past the 15th
constexpr int RowSpacing = 24;       // strings of a neck with more than six
constexpr int FirstRow = 22;
constexpr int LastClassicRow = 143;
constexpr int NoteNameGap = 31;  // from the last fret's cell to the sounding note names
constexpr int RightMargin = 23;  // beyond the note names' cells
constexpr int BottomMargin = 40; // below the last string's row

} // namespace

NeckGeometry::NeckGeometry(int strings, int frets)
    : m_strings(std::max(1, strings)), m_frets(std::clamp(frets, 1, 99)) {
    m_width = fretOffset(NoteNameColumn) + RightMargin;
    m_height = m_strings <= 6 ? LastClassicRow + BottomMargin : stringRow(m_strings) + BottomMargin;
}

int NeckGeometry::fretOffset(int fret) const {
    switch (fret) {
    case NoteNameColumn:
        return fretOffset(m_frets) + NoteNameGap;
    case IndicatorColumn:
        return 18;
    case OpenNameColumn:
    case 0:
        return 0;
    default:
        break;
    }
    if (fret < 0 || fret > m_frets)
        return 0;
    if (fret <= 15)
        return ClassicFrets[std::size_t(fret - 1)];
    return ClassicFrets.back() + ExtraFretSpacing * (fret - 15);
}

int NeckGeometry::stringRow(int string) const {
    if (string < 1 || string > m_strings)
        return 0;
    if (m_strings == 6)
        return ClassicRows[std::size_t(string - 1)];
    if (m_strings > 6)
        return FirstRow + RowSpacing * (string - 1);
    // Fewer strings spread over the six-string neck's height.
    if (m_strings == 1)
        return FirstRow;
    return FirstRow +
           int(std::lround(double(LastClassicRow - FirstRow) * (string - 1) / (m_strings - 1)));
}

int NeckGeometry::fretX(int fret, bool leftHanded) const {
    if (fret < NoteNameColumn || fret > m_frets)
        return 0;
    return leftHanded ? (m_width - CellSize) - fretOffset(fret) : fretOffset(fret);
}

double NeckGeometry::fretWireX(int fret) const {
    if (fret <= 0)
        return nutRight();
    if (fret >= m_frets)
        return fretOffset(m_frets) + CellSize + 4.0;
    return (fretOffset(fret) + CellSize + fretOffset(fret + 1)) / 2.0;
}

double NeckGeometry::stringCentreY(int string) const {
    return stringRow(string) + CellSize / 2.0;
}

bool NeckGeometry::isInlaid(int fret) {
    switch (fret) {
    case 3:
    case 5:
    case 7:
    case 9:
    case 12:
    case 15:
    case 17:
    case 19:
    case 21:
    case 24:
        return true;
    default:
        return false;
    }
}

int NeckGeometry::stringAt(double y) const {
    if (m_strings == 6) {
        for (int string = 1; string <= 6; ++string) {
            if (y >= ClassicBands[std::size_t(string - 1)] && y < ClassicBands[std::size_t(string)])
                return string;
        }
        return 0;
    }
    // Each string's band reaches halfway to its neighbours' rows, and as far beyond the outer
    // strings.
    const double half = m_strings > 1 ? (stringRow(2) - stringRow(1)) / 2.0 : RowSpacing / 2.0;
    for (int string = 1; string <= m_strings; ++string) {
        const double centre = stringCentreY(string);
        if (y >= centre - half && y < centre + half)
            return string;
    }
    return 0;
}

int NeckGeometry::fretAt(double x) const {
    if (m_frets == 15) {
        if (x < ClassicZones.front() || x >= ClassicZones.back())
            return 0;
        for (std::size_t i = 1; i < ClassicZones.size(); ++i) {
            if (x < ClassicZones[i])
                return i == 1 ? -1 : int(i) - 1;
        }
        return 0;
    }
    // Beside the nut the open string; then each fret up to a little past its closing wire.
    if (x < ClassicZones[0])
        return 0;
    if (x < ClassicZones[1])
        return -1;
    for (int fret = 1; fret <= m_frets; ++fret) {
        if (x < fretWireX(fret) + (fret == m_frets ? 3.0 : 4.0))
            return fret;
    }
    return 0;
}

} // namespace chordalis
