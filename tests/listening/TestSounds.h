#pragma once

#include "listening/WavReader.h"

#include <QString>
#include <optional>
#include <vector>

namespace chordalis::testsounds {

// A plucked string of our own (Karplus-Strong: a delay line, a two-point average and an all-pass
// for the fraction of a sample), tuned to hz within a tenth of a cent, started at startSeconds,
// its peak about `level` (0..1). Added into the clip, which grows to hold seconds of its sound.
void addPluck(AudioClip& clip, double hz, double startSeconds, double seconds, double level,
              unsigned seed);

// A strum: the notes (Hz), lowest first, each plucked spreadSeconds after the one before.
void addStrum(AudioClip& clip, const std::vector<double>& hz, double startSeconds, double seconds,
              double spreadSeconds, unsigned seed);

// White noise snrDb below the clip's own RMS level.
void addNoise(AudioClip& clip, double snrDb, unsigned seed);

// A note (MIDI, with a detuning in cents -100..100 by the pitch wheel over +-2 semitones) played
// by the built-in synthesizer's program (0-based General MIDI: 25 steel guitar, 33 finger bass)
// from startSeconds for seconds; several notes strummed when given more. Mono. Nothing when the
// synthesizer cannot render (no sound font), with the reason in *error.
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

// When a held note has settled, in seconds after its onset: the first voiced frame from `from` on
// after which its pitch stays within a band of one cent for 100 ms. A player reads a tuner once its
// needle stands still, and an attack that wavers (a sample's, a string's) is not read; a note
// that never settles is read from `from`. Whether it settled on the right pitch is not asked.
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

// How one key of a program sounds as the built-in synthesizer plays it, held for 1.2 s: steady
// from 0.3 s after its start, as steadiness() reads it. Nothing, with the reason in *error, when
// the synthesizer cannot render.
std::optional<Steadiness> heldKey(int program, int key, double sampleRate, QString* error);

// The grip's frets as the check takes them: string 1 first, the sounding fret or nothing.
std::vector<double> gripFrequencies(const std::vector<std::optional<int>>& frets,
                                    const std::vector<int>& tuning);

} // namespace chordalis::testsounds
