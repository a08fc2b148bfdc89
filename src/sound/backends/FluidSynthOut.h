#pragma once

#include "sound/MidiOut.h"

#include <QString>
#include <memory>

namespace chordalis {

// The synthesizer's output gain. At the synthesizer's own default (0.2) a six-string strum at
// velocity 100 peaks near -18 dBFS, too quiet beside other programs; this gain brings it near
// -6 dBFS, which leaves room for louder instruments and the metronome without clipping.
inline constexpr double SynthGain = 0.8;

// The General MIDI sound font the system provides, or the first that exists of the usual ones;
// empty when there is none. CHORDALIS_SOUNDFONT, when set, names the file to use instead.
QString defaultSoundFont();

// A FluidSynth synthesizer with the General MIDI sound font loaded: the settings, the synth and
// its sequencer, owned together and freed in the right order.
class SynthEngine {
public:
    // Creates the synthesizer at the sample rate and loads the sound font. Returns null and the
    // reason in *error when that fails.
    static std::unique_ptr<SynthEngine> create(const QString& soundFont, double sampleRate,
                                               QString* error);
    ~SynthEngine();
    SynthEngine(const SynthEngine&) = delete;
    SynthEngine& operator=(const SynthEngine&) = delete;

    // Plays one short message at once (note on/off, program change, controllers).
    void shortMessage(std::uint32_t word);
    // Queues a message for the given time on the synthesizer's clock (seconds of sound rendered).
    void shortMessageAt(std::uint32_t word, double seconds);
    void cancelQueued();
    // Seconds of sound the synthesizer has rendered so far.
    double clockNow() const;

    // Starts the first audio driver that opens: pulseaudio, alsa, jack, sdl2. Returns the error
    // when none does.
    std::optional<QString> startAudio();

    // Renders frames of interleaved stereo 16-bit samples (offline use, without audio driver).
    void render(short* interleaved, int frames);

    double sampleRate() const { return m_sampleRate; }
    // Voices sounding now (for measurements: a click starts one).
    int activeVoices() const;
    struct Handles;

private:
    SynthEngine() = default;
    std::unique_ptr<Handles> m_h;
    double m_sampleRate = 44100.0;
};

// The built-in synthesizer as the program's output (device -1), playing through the system's
// sound server.
class FluidSynthOut final : public MidiOut {
public:
    std::optional<QString> open(int device) override;
    void close() override { m_engine.reset(); }
    bool isOpen() const override { return bool(m_engine); }
    void shortMessage(std::uint32_t word) override;

    bool hasOwnClock() const override { return bool(m_engine); }
    double ownClockNow() const override;
    void shortMessageAt(std::uint32_t word, double seconds) override;
    void cancelQueued() override;

private:
    std::unique_ptr<SynthEngine> m_engine;
};

} // namespace chordalis
