#pragma once

#include "sound/Clock.h"
#include "sound/MidiOut.h"

#include <vector>

namespace chordalis {

// An output that keeps every message with the time it was sent (or queued for), read from the
// clock it is given. It never blocks and never sleeps; for tests, and for the companion tool's
// message log and offline rendering. Like a real port it starts closed and drops what is sent
// while closed, and like every real output it has a clock of its own while open (the clock it
// is given), so that players queue on it as they do on the program's outputs. `ownClock` false
// makes it an output without one, for the path players take on such an output: each message
// sent when due, with waits in between.
class RecordingMidiOut final : public MidiOut {
public:
    struct Sent {
        double time; // seconds on the clock
        std::uint32_t word;
        QueueSource source = QueueSource::Other; // who queued it; Other when sent at once
        friend bool operator==(const Sent&, const Sent&) = default;
    };

    explicit RecordingMidiOut(const Clock& clock) : m_clock(clock) {}

    std::optional<QString> open(int device) override {
        m_open = !failOpen;
        openedDevice = device;
        ++opened;
        faulted.reset(); // opened again, it plays as it should
        if (failOpen)
            return openError;
        return std::nullopt;
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    void shortMessage(std::uint32_t word) override {
        if (m_open)
            sent.push_back({m_clock.now(), word});
    }

    // Queued messages are kept with their due time, in the order queued. A closed output has no
    // clock, as the interface says.
    bool hasOwnClock() const override { return ownClock && m_open; }
    double ownClockNow() const override { return m_clock.now(); }
    void shortMessageAt(std::uint32_t word, double at) override {
        shortMessageAt(word, at, QueueSource::Other);
    }
    void shortMessageAt(std::uint32_t word, double at, QueueSource source) override {
        if (m_open)
            sent.push_back({at, word, source});
    }
    void cancelQueued() override { cancelQueued(QueueSource::Other); }
    void cancelQueued(QueueSource source) override {
        const double now = m_clock.now();
        std::erase_if(sent, [&](const Sent& s) { return s.time > now && s.source == source; });
    }

    // Like the system's, the list is taken at the first call and kept until listed again.
    QStringList portNames() const override {
        if (!m_listed)
            m_listed = ports;
        return *m_listed;
    }
    QStringList listPortsAgain() override {
        m_listed = ports;
        return ports;
    }
    std::optional<OutputFault> fault() const override { return m_open ? faulted : std::nullopt; }
    QString outputName() const override {
        return m_open ? QStringLiteral("the recording port %1").arg(openedDevice) : QString();
    }

    std::vector<Sent> sent;
    bool ownClock = true;
    bool failOpen = false;
    QString openError = QStringLiteral("no such device");
    QStringList ports; // the ports the system has now
    int openedDevice = -2;
    int opened = 0; // times open() was called
    // What fault() reports while open, as an output that has gone or changed its rate would.
    std::optional<OutputFault> faulted;

private:
    const Clock& m_clock;
    bool m_open = false;
    mutable std::optional<QStringList> m_listed;
};

} // namespace chordalis
