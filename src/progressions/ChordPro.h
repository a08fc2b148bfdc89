#pragma once

#include "progressions/Chart.h"

#include <QString>

namespace chordalis {

// The chart as a ChordPro song: title, key, tempo, time and capo directives; a {define} line for
// each chord's grip (the first grip a symbol is given; the frets from the lowest string up,
// counted from base-fret, 0 open and x silent; fingers 0 where none); then the bars, four to a
// line, each chord as [Symbol] and each further beat it holds as "/". A chord without a grip has
// no {define}. Names and titles are kept to one line, with "{", "}", "[" and "]" turned into
// round brackets and blanks inside a chord name into "_", so no text can close a directive or a
// chord early.
QString chordProText(const ProgressionChart& chart);

} // namespace chordalis
