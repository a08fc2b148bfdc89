#pragma once

#include "sound/MessageRing.h"
#include "sound/TimedQueue.h"

#include <QString>
#include <QStringList>
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
