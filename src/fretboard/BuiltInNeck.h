#pragma once

class QPainter;

namespace chordalis {

// The neck picture the program draws itself, shown until a skin picture is chosen: a rosewood
// fingerboard in the 753 x 183 surface with the nut beside the indicator column, fret wires
// between the marker cells, inlays at frets 3, 5, 7, 9, 12 and 15, and light margins where the
// open-string names, the signs and the sounding note names are written. Painted in surface units
// through whatever transform the painter carries, so it is sharp at any size.
void paintBuiltInNeck(QPainter& painter);

// The x of the wire that closes fret f (1..15), and of the nut's right edge for f = 0.
double fretWireX(int fret);

} // namespace chordalis
