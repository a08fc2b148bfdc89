#pragma once

#include <QString>
#include <array>
#include <vector>

namespace chordalis {

// How far each key of a General MIDI program sounds from its note in a sound font, as measured
// from the font by chordalis-font-tuning: the steady pitch of each key, once its attack has
// settled. The synthesizer tunes each key of the program by the opposite amount, so that a
// reference tool sounds in tune whatever the font's samples were recorded at.
struct ProgramOffsets {
    int program = 0;                 // 0-based General MIDI program, bank 0
    std::array<double, 128> cents{}; // how sharp each key sounds; 0 where nothing was measured
};

// The offsets measured from the font at `path`, for the programs measured, or nothing for a font
// no table was measured from. A font is known by its size and its SHA-256 (worked out once per
// file and process).
const std::vector<ProgramOffsets>* fontOffsets(const QString& path);

// Whether new synthesizers tune the keys of a known font (true unless turned off): the measuring
// tool and its test turn it off to hear the font as it is.
void setFontTuningApplied(bool applied);
bool fontTuningApplied();

} // namespace chordalis
