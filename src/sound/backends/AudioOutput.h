#pragma once

#include "sound/MidiOut.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace chordalis {

// Fills one period of stereo sound: `frames` samples into left and right, each `stride` floats
// apart (1 for separate buffers, 2 for one interleaved buffer). Called on the output's thread.
using RenderAudio = std::function<void(float* left, float* right, int stride, int frames)>;
// Tells the renderer that the output played `frames` frames without it (periods the system ran
// while the renderer was late), so that a clock counting rendered frames keeps true time.
using SkippedAudio = std::function<void(int frames)>;

// A system's audio output the built-in synthesizer plays through. Opening it asks the system
// the sample rate it really runs at, so that the synthesizer renders at that rate and its clock
// counts true seconds; start() then has the output call the renderer period after period, until
// the output is destroyed.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // The system: "JACK", "PulseAudio", "ALSA" or "SDL".
    virtual QString system() const = 0;
    // Frames per second, as the system reports it for this output.
    virtual double sampleRate() const = 0;
    // Starts calling the renderer; once only. Outputs that can tell when they ran on without
    // the renderer (JACK) also call `skipped`.
    virtual void start(RenderAudio render, SkippedAudio skipped) = 0;
    // Why the output no longer plays as it was opened (its server stopped, its device went, its
    // rate changed), or nothing while it does. Safe from any thread.
    virtual std::optional<OutputFault> fault() const = 0;
};

// Opens an audio output; null, with the reason in *error, when none can be opened.
using AudioOutputFactory = std::function<std::unique_ptr<AudioOutput>(QString* error)>;

// The rate asked for where the system leaves the choice to the program (PulseAudio, ALSA and
// SDL convert to their device's rate; JACK runs at its server's rate).
inline constexpr double PreferredSampleRate = 44100.0;

// The first of the system's outputs that opens: PulseAudio (which PipeWire desktops serve),
// ALSA's default device, JACK (a running server only; none is started), SDL. The environment
// variable CHORDALIS_AUDIO_OUTPUT set to "pulseaudio", "alsa", "jack" or "sdl" tries that one
// alone. The error says what each one answered.
std::unique_ptr<AudioOutput> openSystemAudioOutput(QString* error);

} // namespace chordalis
