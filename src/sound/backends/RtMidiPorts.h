#pragma once

#include "sound/MidiOut.h"

#include <memory>
#include <vector>

class RtMidiOut;

namespace chordalis {

// The MIDI output ports of the system: the ALSA sequencer's, then JACK's when a JACK server
// runs. A system that cannot start (no sequencer device, no JACK server) lists nothing and says
// nothing. The list is taken once, when the object is made: ports are numbered by it.
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

private:
    struct Port {
        int api;   // RtMidi::Api
        int index; // the port's number within its system
        QString name;
    };
    std::vector<Port> m_ports;
    std::unique_ptr<RtMidiOut> m_out;
};

} // namespace chordalis
