#pragma once

#include "sound/MidiOut.h"
#include "sound/backends/AudioOutput.h"

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

// A FluidSynth synthesizer with the General MIDI sound font loaded: its settings and the synth,
// owned together and freed in the right order. It renders at one sample rate, for an audio
// output or into memory.
//
// Its clock is the sound it has rendered: frames divided by its rate. Timed messages wait in a
// queue of its own and are played between the synthesizer's 64-frame blocks, each at the block
// boundary nearest its time: within half a block of it (0.73 ms at 44.1 kHz, 0.67 ms at 48 kHz,
// 0.33 ms at 96 kHz).
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

    // Renders frames of interleaved stereo 16-bit samples (offline use, without audio driver),
    // playing the queued messages that fall due on the way.
    void render(short* interleaved, int frames);
    // An audio output's work (RenderAudio): renders frames of stereo floats, `stride` apart,
    // likewise, with the effects mixed in.
    void render(float* left, float* right, int stride, int frames);
    // Counts frames the output played without the synthesizer (SkippedAudio), on the rendering
    // thread, so that its clock keeps the output's time.
    void skip(int frames);

    double sampleRate() const { return m_sampleRate; }
    // Called on the rendering thread with each queued message as it is played and the frame at
    // which it takes effect (for measurements). Set before rendering starts.
    void setPlayedHook(std::function<void(std::uint32_t word, long long frame)> hook);
    // Voices sounding now (for measurements: a click starts one).
    int activeVoices() const;
    struct Handles;

private:
    SynthEngine() = default;
    // Tunes the channel's keys for the font and the program it now plays, or not at all.
    void tuneChannel(int channel, int program);
    // The length of the next piece to render from the current frame, at most `left`, ending at
    // the next block boundary; the messages due by the middle of that block are played first.
    int startPiece(int left);

    std::unique_ptr<Handles> m_h;
    double m_sampleRate = 44100.0;
};

// The built-in synthesizer as the program's output (device -1), playing through an audio output
// of the system. The synthesizer renders at the rate the output really runs at, so its clock
// counts true seconds whatever the system chose; when that rate changes, the output reports it
// as a fault and opening again follows it.
class FluidSynthOut final : public MidiOut {
public:
    // The audio output comes from the factory: the system's by default, a fake in tests.
    explicit FluidSynthOut(AudioOutputFactory audio = openSystemAudioOutput);
    ~FluidSynthOut() override;

    std::optional<QString> open(int device) override;
    void close() override;
    bool isOpen() const override { return bool(m_engine); }
    void shortMessage(std::uint32_t word) override;

    bool hasOwnClock() const override { return bool(m_engine); }
    double ownClockNow() const override;
    void shortMessageAt(std::uint32_t word, double seconds) override;
    void shortMessageAt(std::uint32_t word, double seconds, QueueSource source) override;
    void cancelQueued() override;
    void cancelQueued(QueueSource source) override;

    std::optional<OutputFault> fault() const override;
    QString outputName() const override;

    // The open synthesizer, for measurements; null while closed.
    SynthEngine* engine() const { return m_engine.get(); }
    // A played hook (see SynthEngine) for each synthesizer opened from now on, set before its
    // output starts rendering.
    void setPlayedHook(std::function<void(std::uint32_t word, long long frame)> hook) {
        m_played = std::move(hook);
    }

private:
    AudioOutputFactory m_openAudio;
    std::unique_ptr<SynthEngine> m_engine;
    std::unique_ptr<AudioOutput> m_audio; // renders from m_engine: goes before it
    std::function<void(std::uint32_t, long long)> m_played;
};

} // namespace chordalis
