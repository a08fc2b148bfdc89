#pragma once

#include "sound/MidiOut.h"

#include <memory>
#include <vector>

class RtMidiOut;

namespace chordalis {

class JackMidiOut;
class PortSender;
class SequencerQueue;

// The MIDI output ports of the system: the ALSA sequencer's, then JACK's when a JACK server
// runs. A system that cannot start (no sequencer device, no JACK server) lists nothing and says
// nothing. The list is taken at the first call that needs it (start-up takes it while the
// splash is up) and again at listPortsAgain: ports are numbered by the last list.
//
// Every message goes out on time without the window thread waiting for it: a JACK port is
// written by a JACK client of our own at the frame of the message's time, an ALSA port through
// the sequencer's own timed queue (the sequencer delivers each message at its time), or, where
// that queue cannot be had, by a sender thread sleeping to each message's time.
class RtMidiPorts final : public MidiOut {
public:
    RtMidiPorts();
    ~RtMidiPorts() override;

    // Opens port `device` of the list.
    std::optional<QString> open(int device) override;
    void close() override;
    bool isOpen() const override;
    void shortMessage(std::uint32_t word) override;
    QStringList portNames() const override;
    QStringList listPortsAgain() override;

    bool hasOwnClock() const override { return isOpen(); }
    double ownClockNow() const override;
    void shortMessageAt(std::uint32_t word, double seconds) override;
    void shortMessageAt(std::uint32_t word, double seconds, QueueSource source) override;
    void cancelQueued() override;
    void cancelQueued(QueueSource source) override;

    // Messages the open port refused or lost since it was opened.
    std::uint64_t droppedMessages() const;

    // A JACK port whose server stopped or whose destination went; an ALSA port that lost a
    // message (the port is no longer there).
    std::optional<OutputFault> fault() const override;
    QString outputName() const override { return m_openName; }

private:
    struct Port {
        int api;   // RtMidi::Api
        int index; // the port's number within its system
        QString name;
    };
    const std::vector<Port>& ports() const;

    mutable bool m_listed = false;
    mutable std::vector<Port> m_ports;
    std::unique_ptr<SequencerQueue> m_queue; // an ALSA port, timed by the sequencer
    std::unique_ptr<RtMidiOut> m_alsa;       // an ALSA port, timed by m_sender
    std::unique_ptr<PortSender> m_sender;    // sends to m_alsa: goes before it
    std::unique_ptr<JackMidiOut> m_jack;
    QString m_openName; // the open port's name
};

} // namespace chordalis
