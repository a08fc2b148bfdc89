#pragma once

#include "fretboard/Geometry.h"

#include <QColor>
#include <array>

class QPainter;

namespace chordalis {

// The look of a drawn neck: the wood, its grain, the inlays and the binding. Everything else
// (frets, nut, strings, margins) is the same on every neck, placed by the geometry tables.
struct NeckLook {
    // The margins around the board, where the names and signs stand (top and bottom of a
    // gradient): paper, or the dark window's colours in a dark window.
    std::array<QColor, 2> paper = {QColor(0xf7, 0xf4, 0xee), QColor(0xea, 0xe5, 0xdb)};
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

// Paints a neck of the look over the surface of the geometry: light margins where the
// open-string names, the signs and the sounding note names are written, the board from the nut
// beside the indicator column to beyond the last fret, fret wires between the marker cells,
// inlays at the inlaid frets, and the strings through the centres of the marker rows. Painted in
// surface units through whatever transform the painter carries, so it is sharp at any size.
void paintNeck(QPainter& painter, const NeckLook& look, const NeckGeometry& geometry = {});

// The built-in rosewood neck; `dark`: its margins in the dark window's colours.
void paintBuiltInNeck(QPainter& painter, const NeckGeometry& geometry = {}, bool dark = false);

// The margins' colours in a dark window.
std::array<QColor, 2> darkPaper();

// Where the inlay dots of a fret lie across the neck: one in the middle, or two for the 12th
// and 24th.
std::array<double, 2> inlayDotsY(const NeckGeometry& geometry);
double singleInlayY(const NeckGeometry& geometry);

} // namespace chordalis
