#pragma once

#include "sound/backends/FluidSynthOut.h"
#include "sound/backends/RtMidiPorts.h"

namespace chordalis {

// The output the program uses: device -1 is the built-in synthesizer, 0..n-1 the system's MIDI
// output ports as last listed.
class SystemMidiOut final : public MidiOut {
public:
    std::optional<QString> open(int device) override {
        close();
        if (device < 0) {
            m_current = &m_synth;
        } else {
            m_current = &m_ports;
        }
        auto error = m_current->open(device);
        if (error)
            m_current = nullptr;
        return error;
    }
    void close() override {
        m_synth.close();
        m_ports.close();
        m_current = nullptr;
    }
    bool isOpen() const override { return m_current && m_current->isOpen(); }
    void shortMessage(std::uint32_t word) override {
        if (m_current)
            m_current->shortMessage(word);
    }
    bool hasOwnClock() const override { return m_current && m_current->hasOwnClock(); }
    double ownClockNow() const override { return m_current ? m_current->ownClockNow() : 0.0; }
    void shortMessageAt(std::uint32_t word, double seconds) override {
        shortMessageAt(word, seconds, QueueSource::Other);
    }
    void shortMessageAt(std::uint32_t word, double seconds, QueueSource source) override {
        if (m_current)
            m_current->shortMessageAt(word, seconds, source);
    }
    void cancelQueued() override { cancelQueued(QueueSource::Other); }
    void cancelQueued(QueueSource source) override {
        if (m_current)
            m_current->cancelQueued(source);
    }
    QStringList portNames() const override { return m_ports.portNames(); }
    QStringList listPortsAgain() override { return m_ports.listPortsAgain(); }
    std::optional<OutputFault> fault() const override {
        return m_current ? m_current->fault() : std::nullopt;
    }
    QString outputName() const override { return m_current ? m_current->outputName() : QString(); }

private:
    FluidSynthOut m_synth;
    RtMidiPorts m_ports;
    MidiOut* m_current = nullptr;
};

} // namespace chordalis
