#pragma once

#include <QColor>
#include <cstdint>

namespace chordalis {

// Colours packed as red + 256 * green + 65536 * blue, as the settings store keeps them.
using PackedColour = std::int32_t;

// A packed colour as a QColor.
QColor toQColor(PackedColour colour);

} // namespace chordalis
