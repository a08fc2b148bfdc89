#pragma once

namespace chordalis {

// The playback options: where notes go and how they are played.
struct PlaybackSettings {
    int device = -1;        // -1 = the built-in synthesizer, 0..n-1 = the n-th output port
    int channel = 1;        // 1..16, as the user counts
    int instrument = 25;    // General MIDI program 1..128, as the user counts
    int volume = 100;       // velocity 0..127
    int chordTempo = 90;    // 0..100, higher is faster
    int scaleTempo = 70;    // 0..100
    int arpeggioTempo = 70; // 0..100
};

struct MetronomeSettings {
    int beats = 4;   // beats per bar
    int sound1 = 76; // drum key 35..81 of the first beat of a bar
    int sound2 = 77; // drum key 35..81 of the other beats
    int tempo = 120; // beats per minute 40..400
    int channel = 9; // wire channel 0..15
};

} // namespace chordalis
