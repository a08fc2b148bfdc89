#pragma once

#include <array>
#include <cstddef>

namespace chordalis {

// Every mark on the neck fills a cell of 21 x 21 surface units.
inline constexpr int CellSize = 21;

// The surface of the six-string, 15-fret neck the program starts with: 753 x 183 units, origin
// top left. Neck pictures (skins) are drawn for it.
inline constexpr int SurfaceWidth = 753;
inline constexpr int SurfaceHeight = 183;

// Columns that are not frets.
inline constexpr int OpenNameColumn = -1;  // the open strings' names, at the nut
inline constexpr int IndicatorColumn = -2; // mute and open signs beside the nut
inline constexpr int NoteNameColumn = -3;  // the sounding notes, beyond the last fret

// Where everything lies on the surface of a neck of some strings and frets, in surface units.
// The six-string neck of 15 frets keeps its long-standing layout unit for unit; another neck
// keeps the same cell size, fret spacing for the frets it shares with it (29 units for each fret
// past the 15th), and string spacing (wider for fewer than six strings, so that the surface keeps
// its height), and grows or shrinks the surface to fit.
class NeckGeometry {
public:
    NeckGeometry(int strings = 6, int frets = 15);

    int strings() const { return m_strings; }
    int frets() const { return m_frets; }
    // The fret a short string starts at (the banjo's fifth at 5): it is drawn from that fret's
    // wire, where a nut of its own holds it. 0 for a string from the nut and for any string
    // number outside 1..10; a fret outside 0..frets is ignored.
    int firstFret(int string) const {
        return string >= 1 && string <= int(m_firstFrets.size())
                   ? m_firstFrets[std::size_t(string - 1)]
                   : 0;
    }
    void setFirstFret(int string, int fret) {
        if (string >= 1 && string <= int(m_firstFrets.size()) && fret >= 0 && fret <= m_frets)
            m_firstFrets[std::size_t(string - 1)] = fret;
    }
    // The neck the skin pictures fit: six strings, 15 frets.
    bool isClassic() const { return m_strings == 6 && m_frets == 15; }

    int width() const { return m_width; }
    int height() const { return m_height; }

    // Left edge of the cell of column -3..frets on a right-handed neck; any other column gives 0.
    int fretOffset(int fret) const;
    // Top of the cell of string 1..strings; any other string gives 0.
    int stringRow(int string) const;
    // The cell's left edge for the hand: a left-handed neck mirrors every cell exactly.
    int fretX(int fret, bool leftHanded) const;
    int stringY(int string) const { return stringRow(string); }

    // The x of the wire that closes fret f (1..frets), and of the nut's right edge for f = 0.
    double fretWireX(int fret) const;
    // The y of the centre of string 1..strings.
    double stringCentreY(int string) const;
    double cellCentreX(int fret) const { return fretOffset(fret) + CellSize / 2.0; }

    // The board: the nut's left and right edges, the end beyond the last fret, top and bottom.
    double nutLeft() const { return 41.0; }
    double nutRight() const { return 47.0; }
    double boardEnd() const { return fretWireX(m_frets) + 5.0; }
    double boardTop() const { return stringRow(1) - 8.0; }
    double boardBottom() const { return stringRow(m_strings) + CellSize + 7.0; }

    // The frets with inlays: 3, 5, 7, 9, 12, 15, 17, 19, 21 and 24, as far as the neck reaches.
    // The 12th and 24th carry two.
    static bool isInlaid(int fret);
    static bool isDoubleInlay(int fret) { return fret == 12 || fret == 24; }

    // What a mouse press on a right-handed surface points at: the string 1..strings under a
    // height (0 for none), and across the surface -1 for the open string (beside the nut),
    // 1..frets a fret, 0 outside the frets.
    int stringAt(double y) const;
    int fretAt(double x) const;

private:
    int m_strings;
    int m_frets;
    int m_width;
    int m_height;
    std::array<int, 10> m_firstFrets{};
};

} // namespace chordalis
