#pragma once

#include "fretboard/Geometry.h"
#include "print/PagePainter.h"

#include <vector>

namespace chordalis {

// The neck of a printed sheet: a black-and-white line drawing of the board's edges, the nut, the
// fret wires, the inlays with their fret numbers and the strings, placed by the same geometry as
// the neck on screen and drawn as lines, so it is sharp at any printer resolution. The surface of
// the geometry is scaled into the area; a left-handed neck is its mirror image, the nut on the
// right. The board has no edge lines, which would read as further strings: the fret wires and
// the nut end a little beyond the outer strings. An inlay that a marker centred on one of the
// points (surface units) would touch is left out, hidden under the marker.
void drawPrintableNeck(PagePainter& painter, const QRectF& area, bool leftHanded,
                       const NeckGeometry& geometry = {}, const std::vector<QPointF>& markers = {});

} // namespace chordalis
