#pragma once

#include "listening/AudioInput.h"

#include <atomic>

typedef struct _jack_client jack_client_t;
typedef struct _jack_port jack_port_t;

namespace chordalis {

// A JACK client of the program's own with one audio input port, connected to one source: a
// capture port of the sound card or another program's output. The sink is called on the server's
// process thread with each period's samples as the server gives them (-1..1); it must only copy
// them. No server, no source: open() says so and the input stays closed. A server that stops or
// a source that goes after it was connected is the input's fault().
class JackAudioInput : public AudioInput {
public:
    JackAudioInput() = default;
    ~JackAudioInput() override;
    JackAudioInput(const JackAudioInput&) = delete;
    JackAudioInput& operator=(const JackAudioInput&) = delete;

    // The server's audio sources ("system:capture_1", "program:out"), its sound card's capture
    // ports first; empty when no server runs.
    QStringList deviceNames() const override;
    // device: a source's full port name; empty: the first of deviceNames().
    std::optional<QString> open(const QString& device, Sink sink) override;
    void close() override;
    bool isOpen() const override { return m_client != nullptr; }
    double sampleRate() const override { return m_rate; }
    std::optional<QString> fault() const override;

private:
    static int process(unsigned frames, void* self);

    jack_client_t* m_client = nullptr;
    jack_port_t* m_port = nullptr;
    Sink m_sink;
    QString m_source;
    double m_rate = 0.0;
    std::atomic<bool> m_serverGone{false};
    std::atomic<bool> m_connected{false};    // the process cycle has seen the connection
    std::atomic<bool> m_disconnected{false}; // connected once, and no longer
};

} // namespace chordalis
