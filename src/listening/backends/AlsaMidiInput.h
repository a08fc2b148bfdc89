#pragma once

#include "listening/MidiInput.h"

#include <atomic>
#include <thread>

typedef struct _snd_seq snd_seq_t;

namespace chordalis {

// The ALSA sequencer's MIDI ports (a USB MIDI guitar or keyboard, another program's output): a
// port of the program's own subscribed to one source, read on a thread of the input's own, which
// hands the held notes to the sink. No sequencer (no /dev/snd/seq), a source that is not there:
// open() says so. A source that goes after it was subscribed is the input's fault(), and the notes
// it held are let go.
class AlsaMidiInput : public MidiInput {
public:
    AlsaMidiInput() = default;
    ~AlsaMidiInput() override;
    AlsaMidiInput(const AlsaMidiInput&) = delete;
    AlsaMidiInput& operator=(const AlsaMidiInput&) = delete;

    // "client:port" with the port's name after it ("24:0 USB Guitar MIDI 1"); empty without a
    // sequencer.
    QStringList portNames() const override;
    // port: as portNames() gives it, or its "client:port" alone.
    std::optional<QString> open(const QString& port, Sink sink) override;
    void close() override;
    bool isOpen() const override { return m_seq != nullptr; }
    std::optional<QString> fault() const override;

private:
    void run();

    snd_seq_t* m_seq = nullptr;
    int m_client = -1;
    int m_port = -1;
    int m_sourceClient = -1;
    int m_sourcePort = -1;
    QString m_source;
    Sink m_sink;
    std::thread m_reader;
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_gone{false};
};

} // namespace chordalis
