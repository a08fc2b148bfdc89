#pragma once

#include "sound/MessageRing.h"
#include "sound/TimedQueue.h"

#include <QString>
#include <QStringList>
#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>

typedef struct _jack_client jack_client_t;
typedef struct _jack_port jack_port_t;

namespace chordalis {

// Whether a JACK server runs (asked quietly, never starting one).
bool jackServerRunning();
// The MIDI inputs of the running JACK server, the places our output can be connected to; empty
// when no server runs.
QStringList jackMidiDestinations();

// What a MIDI port wrote in its last cycle. A client woken late can read the frame of the cycle
// after the one it was called for; what it writes in that call is never read, and its next call
// reads the same frame again. That call writes the messages again, at the same frames, rather
// than lose them. (A receiver late in the same way may then get them twice.)
class CycleMessages {
public:
    // Starts a cycle at the server's frame; when the last call stood for the same frame, calls
    // write(offset, word) with each message it wrote, which this call has then written too.
    template <class Write> void start(std::uint32_t firstFrame, Write write) {
        if (m_started && firstFrame == m_frame) {
            for (std::size_t i = 0; i < m_count; ++i)
                write(m_kept[i].first, m_kept[i].second);
            return;
        }
        m_started = true;
        m_frame = firstFrame;
        m_count = 0;
    }
    // A message written in this cycle at the offset. A cycle's messages beyond the first 256 are
    // not kept.
    void wrote(std::uint32_t offset, std::uint32_t word) {
        if (m_count < m_kept.size())
            m_kept[m_count++] = {offset, word};
    }

private:
    std::array<std::pair<std::uint32_t, std::uint32_t>, 256> m_kept{};
    std::size_t m_count = 0;
    std::uint32_t m_frame = 0;
    bool m_started = false;
};

// A JACK client of the program's own with one MIDI output connected to one destination. Every
// message is written in the server's process cycle at the frame of its time on the server's
// clock, so a message queued a period ahead lands on its frame exactly; one that comes later
// lands at the start of the next cycle. Messages reach the process cycle through a ring without a
// lock: the cycle never waits for the window thread.
class JackMidiOut {
public:
    // Null, with the reason in *error, when the server or the destination is not there.
    static std::unique_ptr<JackMidiOut> open(const QString& destination, QString* error);
    // Sends the queued note-offs in one last cycle, then leaves the server.
    ~JackMidiOut();
    JackMidiOut(const JackMidiOut&) = delete;
    JackMidiOut& operator=(const JackMidiOut&) = delete;

    // Seconds on the server's clock.
    double now() const;
    void sendAt(std::uint32_t word, double due, QueueSource source);
    void cancel(QueueSource source);
    // Messages refused by a full queue or a full cycle buffer.
    std::uint64_t dropped() const;
    // The server has stopped, or the destination went away (its client ended, its device was
    // unplugged) after the port had been connected to it.
    std::optional<OutputFault> fault() const;

private:
    JackMidiOut() = default;
    static int process(unsigned frames, void* self);
    void hand(const QueueCommand& command);
    void flushNoteOffs();

    jack_client_t* m_client = nullptr;
    jack_port_t* m_port = nullptr;
    std::mutex m_producers; // between threads that queue; the process cycle never takes it
    MessageRing m_ring;
    TimedQueue m_queue;       // the process cycle's own
    CycleMessages m_cycle;    // the process cycle's own
    bool m_active = false;    // the server calls the process cycle
    bool m_connected = false; // the process cycle has seen the connection (its own)
    QString m_destination;
    std::atomic<bool> m_serverGone{false};
    std::atomic<bool> m_disconnected{false}; // connected once, and no longer
    std::atomic<bool> m_closing{false};
    std::atomic<bool> m_lastWritten{false}; // the closing cycle has sent the note-offs
    std::atomic<std::uint64_t> m_refused{0};
    std::atomic<std::uint64_t> m_lost{0};
};

} // namespace chordalis
