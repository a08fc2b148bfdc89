#pragma once

#include "sound/MidiOut.h"

#include <QString>
#include <alsa/asoundlib.h>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>

namespace chordalis {

// An ALSA sequencer address: client 0..255, port 0..255.
struct SeqAddress {
    int client = 0;
    int port = 0;
    bool operator==(const SeqAddress&) const = default;
};

// The address at the end of an ALSA port's listed name ("Midi Through:Midi Through Port-0 14:0"
// gives 14:0); nothing when the name does not end in one.
std::optional<SeqAddress> seqAddressOfPortName(const QString& name);

// A channel message (note on and off, key and channel pressure, controller, program change,
// pitch bend) as a sequencer event with its channel and data; false for anything else (system
// messages, which the program never sends timed), leaving the event unchanged.
bool toSeqEvent(std::uint32_t word, snd_seq_event_t& event);

// A due time on the monotonic clock (seconds) as a time on a queue started at `queueStart` on
// the same clock; a time already past is the queue's start (the event leaves at once).
snd_seq_real_time_t queueTime(double due, double queueStart);

// The ALSA sequencer schedules the messages itself: a client of our own sends each message with
// its time to a queue of its own, and the sequencer delivers it to the port when the time comes,
// on the kernel's timer, with no thread of ours waking for it. Opened only where the sequencer
// runs (a /dev/snd/seq); the caller falls back to a sender thread of its own elsewhere.
class SequencerQueue {
public:
    // Connects to the port at `to` and starts a queue; nothing, with the reason in `error`, where
    // the sequencer is not there or refuses.
    static std::unique_ptr<SequencerQueue> open(SeqAddress to, QString* error);
    // Takes back what is queued and silences the notes it may have left sounding.
    ~SequencerQueue();
    SequencerQueue(const SequencerQueue&) = delete;
    SequencerQueue& operator=(const SequencerQueue&) = delete;

    // Queues a message for a time on the monotonic clock; a time already past sends it at once.
    void sendAt(std::uint32_t word, double due, QueueSource source);
    // Takes back what the source has queued and not yet delivered.
    void cancel(QueueSource source);
    // Messages the sequencer refused (the port has gone, or its queue is full).
    std::uint64_t lost() const { return m_lost; }

private:
    SequencerQueue() = default;

    std::mutex m_lock; // between the threads that queue
    snd_seq_t* m_seq = nullptr;
    int m_port = -1;
    int m_queue = -1;
    double m_start = 0.0;        // the queue's zero on the monotonic clock
    unsigned m_channelsUsed = 0; // bit per channel 0..15, silenced at the end
    std::atomic<std::uint64_t> m_lost{0};
};

} // namespace chordalis
