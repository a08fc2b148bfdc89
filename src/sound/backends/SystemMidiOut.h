#pragma once

#include "sound/backends/FluidSynthOut.h"
#include "sound/backends/RtMidiPorts.h"

#include <mutex>

namespace chordalis {

// The output the program uses: device -1 is the built-in synthesizer, 0..n-1 the system's MIDI
// output ports as last listed. Start-up opens it on a thread of its own while the window already
// takes clicks: every call holds one lock, so that a note sent meanwhile waits for the opening
// rather than reaching a backend half open.
class SystemMidiOut final : public MidiOut {
public:
    std::optional<QString> open(int device) override {
        const std::lock_guard lock(m_mutex);
        closeAll();
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
        const std::lock_guard lock(m_mutex);
        closeAll();
    }
    bool isOpen() const override {
        const std::lock_guard lock(m_mutex);
        return m_current && m_current->isOpen();
    }
    void shortMessage(std::uint32_t word) override {
        const std::lock_guard lock(m_mutex);
        if (m_current)
            m_current->shortMessage(word);
    }
    bool hasOwnClock() const override {
        const std::lock_guard lock(m_mutex);
        return m_current && m_current->hasOwnClock();
    }
    double ownClockNow() const override {
        const std::lock_guard lock(m_mutex);
        return m_current ? m_current->ownClockNow() : 0.0;
    }
    void shortMessageAt(std::uint32_t word, double seconds) override {
        shortMessageAt(word, seconds, QueueSource::Other);
    }
    void shortMessageAt(std::uint32_t word, double seconds, QueueSource source) override {
        const std::lock_guard lock(m_mutex);
        if (m_current)
            m_current->shortMessageAt(word, seconds, source);
    }
    void cancelQueued() override { cancelQueued(QueueSource::Other); }
    void cancelQueued(QueueSource source) override {
        const std::lock_guard lock(m_mutex);
        if (m_current)
            m_current->cancelQueued(source);
    }
    QStringList portNames() const override {
        const std::lock_guard lock(m_mutex);
        return m_ports.portNames();
    }
    QStringList listPortsAgain() override {
        const std::lock_guard lock(m_mutex);
        return m_ports.listPortsAgain();
    }
    std::optional<OutputFault> fault() const override {
        const std::lock_guard lock(m_mutex);
        return m_current ? m_current->fault() : std::nullopt;
    }
    QString outputName() const override {
        const std::lock_guard lock(m_mutex);
        return m_current ? m_current->outputName() : QString();
    }

private:
    void closeAll() {
        m_synth.close();
        m_ports.close();
        m_current = nullptr;
    }

    mutable std::mutex m_mutex;
    FluidSynthOut m_synth;
    RtMidiPorts m_ports;
    MidiOut* m_current = nullptr;
};

} // namespace chordalis
