#pragma once

#include "listening/MidiInput.h"
#include "listening/backends/JackSources.h"

namespace chordalis {

// A JACK client of the program's own with one MIDI input port, connected to one source (a MIDI
// guitar's or keyboard's capture port, another program's MIDI output). The held notes are kept
// and handed to the sink on the server's process thread; the sink must only copy them. No server,
// a source that is not there: open() says so. A server that stops or a source that goes after it
// was connected is the input's fault(), and the notes it held are let go.
class JackMidiInput : public MidiInput {
public:
    ~JackMidiInput() override { close(); }

    // The server's MIDI sources, its devices' capture ports first; empty when no server runs.
    QStringList portNames() const override;
    // port: a source's full port name; empty: the first of portNames().
    std::optional<QString> open(const QString& port, Sink sink) override;
    void close() override;
    bool isOpen() const override { return m_jack.isOpen(); }
    std::optional<QString> fault() const override { return m_jack.fault(); }

private:
    static int process(unsigned frames, void* self);

    JackInputPort m_jack;
    Sink m_sink;
    HeldNotes m_held; // the process cycle's own while open
};

} // namespace chordalis
