#pragma once

#include "listening/AudioInput.h"
#include "listening/WavReader.h"

#include <optional>

namespace chordalis {

// An input that plays a clip, block by block, when told (tests and the benchmark): deliver()
// hands the sink the next blocks at once, on the caller's thread. Without a clip it has no device
// and refuses to open, as a machine without a microphone does; vanish() makes its device go as
// an unplugged one does: the fault is set and nothing more is delivered.
class ClipInput : public AudioInput {
public:
    explicit ClipInput(std::optional<AudioClip> clip, int blockFrames = 256);

    QStringList deviceNames() const override;
    std::optional<QString> open(const QString& device, Sink sink) override;
    void close() override;
    bool isOpen() const override { return m_open; }
    double sampleRate() const override { return m_open ? m_clip->sampleRate : 0.0; }
    std::optional<QString> fault() const override { return m_open ? m_fault : std::nullopt; }

    // Delivers up to `blocks` blocks; returns how many it delivered (0 at the clip's end, when
    // closed or after vanish()).
    int deliver(int blocks);
    void vanish();

private:
    std::optional<AudioClip> m_clip;
    int m_block;
    size_t m_position = 0;
    bool m_open = false;
    std::optional<QString> m_fault;
    Sink m_sink;
};

} // namespace chordalis
