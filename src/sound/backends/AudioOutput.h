#pragma once

#include "sound/MidiOut.h"

#include <QString>
#include <cstdint>
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

// Follows the frame counter of a server that runs on through the cycles its client misses
// (JACK), so that a renderer counting its frames keeps the server's time. Told at each cycle the
// server's frame at the cycle's start, as the client read it, it answers how many frames the
// client missed before it.
//
// A client woken late can read the frame of the cycle after the one it is called for: its next
// call then reads the same frame again, and counting the first gap as missed would put the
// renderer a cycle ahead of the server for good. So a gap counts as missed once the next cycle
// still shows it: after a real miss the renderer plays one cycle late, then catches up.
class ServerFrames {
public:
    // A gap longer than this many frames is no lost time (a stopped server, freewheeling): the
    // count starts again from the server's frame.
    explicit ServerFrames(std::int64_t longestGap) : m_longestGap(longestGap) {}
    // The frames missed before this cycle, which starts at `first` and lasts `frames`.
    int missedBefore(std::uint32_t first, int frames);

private:
    std::int64_t m_longestGap;
    bool m_running = false;
    std::uint32_t m_next = 0;   // the server's frame the renderer's next cycle stands for
    std::int64_t m_pending = 0; // the gap the last cycle saw, not yet counted
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
