#pragma once

#include "listening/WavReader.h"

#include <QString>
#include <optional>
#include <vector>

namespace chordalis::testsounds {

// A plucked string of our own (Karplus-Strong), tuned to hz within a tenth of a cent, peaking
// about `level` (0..1), added into the clip, which grows to hold it.
void addPluck(AudioClip& clip, double hz, double startSeconds, double seconds, double level,
              unsigned seed);

// A strum: the notes (Hz), lowest first, each plucked spreadSeconds after the one before.
void addStrum(AudioClip& clip, const std::vector<double>& hz, double startSeconds, double seconds,
              double spreadSeconds, unsigned seed);

// White noise snrDb below the clip's own RMS level.
void addNoise(AudioClip& clip, double snrDb, unsigned seed);

// Notes (MIDI, detuned by -100..100 cents) on the built-in synthesizer's 0-based General MIDI
// program, strummed, in mono; nothing, with the reason in *error, without a sound font.
std::optional<AudioClip> renderNotes(const std::vector<int>& notes, double cents, int program,
                                     double seconds, double sampleRate, QString* error,
                                     double spreadSeconds = 0.0);

} // namespace chordalis::testsounds

#include "listening/Listener.h"

namespace chordalis::testsounds {

// What the listening engine makes of a clip fed to it in blocks of `block` samples.
struct Heard {
    std::vector<PitchFrame> frames;
    std::vector<NoteEvent> events;
};
Heard listenTo(const AudioClip& clip, double a4 = DefaultA4, int block = 256);

// Pitch frames of a held note between onset+from and onset+to seconds: how many, how many voiced,
// how many of those within `cents` of hz.
struct PitchScore {
    int frames = 0;
    int voiced = 0;
    int within = 0;
    double worstCents = 0.0;
    void add(const PitchScore& other);
    double share() const { return voiced ? double(within) / voiced : 0.0; }
};
PitchScore scorePitch(const std::vector<PitchFrame>& frames, double onset, double hz,
                      double from = 0.1, double to = 1.0, double cents = 2.0);

// When a held note has settled after its onset, as a player reads a tuner once its needle stands
// still: the first voiced frame from `from` after which it stays within a cent for 100 ms.
double settledAfter(const std::vector<PitchFrame>& frames, double onset, double from = 0.1,
                    double to = 1.0);

// How steady a held note is: its median in the same frames, and the share of voiced frames within
// `cents` of that median (a sound font's sample may be tuned a few cents off; it stays there).
struct Steadiness {
    double medianHz = 0.0;
    double share = 0.0;
};
Steadiness steadiness(const std::vector<PitchFrame>& frames, double onset, double from = 0.1,
                      double to = 1.0, double cents = 2.0);

// How steady one key of a program sounds held for 1.2 s on the built-in synthesizer, from 0.3 s.
std::optional<Steadiness> heldKey(int program, int key, double sampleRate, QString* error);

// The grip's frets as the check takes them: string 1 first, the sounding fret or nothing.
std::vector<double> gripFrequencies(const std::vector<std::optional<int>>& frets,
                                    const std::vector<int>& tuning);

} // namespace chordalis::testsounds
