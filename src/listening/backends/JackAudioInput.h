#pragma once

#include "listening/AudioInput.h"
#include "listening/backends/JackSources.h"

namespace chordalis {

// A JACK client of the program's own with one audio input port, connected to one source: a
// capture port of the sound card or another program's output. The sink is called on the server's
// process thread with each period's samples as the server gives them (-1..1); it must only copy
// them. No server, no source: open() says so and the input stays closed. A server that stops or
// a source that goes after it was connected is the input's fault().
class JackAudioInput : public AudioInput {
public:
    ~JackAudioInput() override { close(); }

    // The server's audio sources ("system:capture_1", "program:out"), its sound card's capture
    // ports first; empty when no server runs.
    QStringList deviceNames() const override;
    // device: a source's full port name; empty: the first of deviceNames().
    std::optional<QString> open(const QString& device, Sink sink) override;
    void close() override;
    bool isOpen() const override { return m_jack.isOpen(); }
    double sampleRate() const override { return m_jack.sampleRate(); }
    std::optional<QString> fault() const override { return m_jack.fault(); }

private:
    static int process(unsigned frames, void* self);

    JackInputPort m_jack;
    Sink m_sink;
};

} // namespace chordalis
