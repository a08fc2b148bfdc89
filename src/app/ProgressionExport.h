#pragma once

#include "progressions/Chart.h"
#include "sound/MidiFile.h"

namespace chordalis {

// The chart's chords as a MIDI song, once through: a guitar part (channel 1, steel-string
// guitar) holding each chord's grip as a block chord for the beats it lasts, and with `bass` a
// bass part (channel 2, finger bass) playing each chord's bass note (a slash chord's bass, else
// its root, between E1 and D#2) for the same beats. A chord without a grip is a rest in the
// guitar part; its bass still sounds.
MidiScore progressionMidiScore(const ProgressionChart& chart, bool bass = true);

} // namespace chordalis
