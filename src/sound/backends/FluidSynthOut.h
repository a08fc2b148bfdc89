#pragma once

#include "sound/MidiOut.h"

#include <QString>
#include <functional>
#include <memory>

namespace chordalis {

// The synthesizer's output gain. At the synthesizer's own default (0.2) a six-string strum at
// velocity 100 peaks near -18 dBFS, too quiet beside other programs. This is the highest gain at
// which the loudest strum the options allow (velocity 127 at the fastest strum, with a
// metronome accent) still stays below full scale; a strum at volume 100 then peaks between -8
// and -6 dBFS, depending on where its notes fall against the synthesizer's 64-frame blocks.
inline constexpr double SynthGain = 0.8;

// The General MIDI sound font the system provides, or the first that exists of the usual ones;
// empty when there is none. CHORDALIS_SOUNDFONT, when set, names the file to use instead.
QString defaultSoundFont();

// A FluidSynth synthesizer with the General MIDI sound font loaded: the settings, the synth and
// the audio driver, owned together and freed in the right order.
//
// Its clock is the sound it has rendered. Timed messages wait in a queue of its own and are
// played between the synthesizer's 64-frame blocks, each at the block boundary nearest its
// time: within half a block (0.73 ms at 44.1 kHz) of it.
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
    void shortMessageAt(std::uint32_t word, double seconds,
                        QueueSource source = QueueSource::Other);
    void cancelQueued(QueueSource source = QueueSource::Other);
    // Seconds of sound the synthesizer has rendered so far.
    double clockNow() const;
    // Messages refused because the queue was full.
    std::uint64_t droppedMessages() const;

    // Starts the first audio driver that opens: pulseaudio, alsa, jack, sdl2. Returns the error
    // when none does.
    std::optional<QString> startAudio();

    // Renders frames of interleaved stereo 16-bit samples (offline use, without audio driver),
    // playing the queued messages that fall due on the way.
    void render(short* interleaved, int frames);
    // The audio driver's work: renders frames into the output buffers, likewise.
    int renderFloat(int frames, int nfx, float* fx[], int nout, float* out[]);

    double sampleRate() const { return m_sampleRate; }
    // Called on the rendering thread with each queued message as it is played and the frame at
    // which it takes effect (for measurements). Set before rendering starts.
    void setPlayedHook(std::function<void(std::uint32_t word, long long frame)> hook);
    // Voices sounding now (for measurements: a click starts one).
    int activeVoices() const;
    struct Handles;

private:
    SynthEngine() = default;
    // The length of the next piece to render from the current frame, at most `left`, ending at
    // the next block boundary; the messages due by the middle of that block are played first.
    int startPiece(int left);

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
    void shortMessageAt(std::uint32_t word, double seconds, QueueSource source) override;
    void cancelQueued() override;
    void cancelQueued(QueueSource source) override;

private:
    std::unique_ptr<SynthEngine> m_engine;
};

} // namespace chordalis
