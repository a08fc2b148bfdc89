#pragma once

#include <QColor>
#include <array>

class QPainter;

namespace chordalis {

// The board of every drawn neck, in surface units: the nut's left and right edges, the end of
// the board beyond fret 15, and the board's top and bottom edges.
inline constexpr double NeckNutLeft = 41.0;
inline constexpr double NeckNutRight = 47.0;
inline constexpr double NeckBoardEnd = 729.0;
inline constexpr double NeckBoardTop = 14.0;
inline constexpr double NeckBoardBottom = 171.0;

// The look of a drawn neck: the wood, its grain, the inlays and the binding. Everything else
// (frets, nut, strings, margins) is the same on every neck, placed by the geometry tables.
struct NeckLook {
    // The board across its width, edge to middle to edge (5 gradient stops, top to bottom).
    std::array<QColor, 5> wood;
    QColor darkGrain;         // streaks darker than the wood, alpha the least opacity
    QColor lightGrain;        // streaks lighter than the wood
    int darkGrainSpread = 60; // each streak's alpha: the least plus 0..spread
    int lightGrainSpread = 35;
    int streaks = 90; // how many streaks of grain
    unsigned seed = 1957;
    enum class Inlays { Dots, Blocks } inlays = Inlays::Dots;
    std::array<QColor, 3> inlay;                   // centre, middle, rim of an inlay
    QColor binding;                                // transparent: no binding
    QColor plainString = QColor(0xd8, 0xd8, 0xd4); // strings 1 and 2
    QColor woundString = QColor(0xc4, 0xa8, 0x6e); // strings 3 to 6
};

// The rosewood neck the program draws itself, shown until a skin picture is chosen.
NeckLook rosewoodLook();

// Paints a neck of the look into the 753 x 183 surface: light margins where the open-string
// names, the signs and the sounding note names are written, the board from the nut beside the
// indicator column to beyond fret 15, fret wires between the marker cells, inlays at frets 3, 5,
// 7, 9, 12 and 15, and the strings through the centres of the marker rows. Painted in surface
// units through whatever transform the painter carries, so it is sharp at any size.
void paintNeck(QPainter& painter, const NeckLook& look);

// The built-in rosewood neck.
void paintBuiltInNeck(QPainter& painter);

// The x of the wire that closes fret f (1..15), and of the nut's right edge for f = 0.
double fretWireX(int fret);

// The y of the centre of string 1..6.
double stringCentreY(int string);

} // namespace chordalis
