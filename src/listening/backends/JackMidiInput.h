#pragma once

#include "listening/MidiInput.h"

#include <atomic>

typedef struct _jack_client jack_client_t;
typedef struct _jack_port jack_port_t;

namespace chordalis {

// A JACK client of the program's own with one MIDI input port, connected to one source (a MIDI
// guitar's or keyboard's capture port, another program's MIDI output). The held notes are kept
// and handed to the sink on the server's process thread; the sink must only copy them. No server,
// a source that is not there: open() says so. A server that stops or a source that goes after it
// was connected is the input's fault(), and the notes it held are let go.
class JackMidiInput : public MidiInput {
public:
    JackMidiInput() = default;
    ~JackMidiInput() override;
    JackMidiInput(const JackMidiInput&) = delete;
    JackMidiInput& operator=(const JackMidiInput&) = delete;

    // The server's MIDI sources, its devices' capture ports first; empty when no server runs.
    QStringList portNames() const override;
    std::optional<QString> open(const QString& port, Sink sink) override;
    void close() override;
    bool isOpen() const override { return m_client != nullptr; }
    std::optional<QString> fault() const override;

private:
    static int process(unsigned frames, void* self);

    jack_client_t* m_client = nullptr;
    jack_port_t* m_port = nullptr;
    Sink m_sink;
    QString m_source;
    HeldNotes m_held; // the process cycle's own
    std::atomic<bool> m_serverGone{false};
    std::atomic<bool> m_connected{false};
    std::atomic<bool> m_disconnected{false};
};

} // namespace chordalis
