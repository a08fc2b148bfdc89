#include "sound/backends/SequencerQueue.h"

#include "sound/backends/PortSender.h"

#include <QRegularExpression>
#include <cerrno>
#include <cmath>

namespace chordalis {

namespace {

void silentAlsa(const char*, int, const char*, int, const char*, ...) {}

// Removes what the queue still holds for output: of one source, or of all (tag < 0).
void removeQueued(snd_seq_t* seq, int queue, int tag) {
    snd_seq_remove_events_t* remove = nullptr;
    if (snd_seq_remove_events_malloc(&remove) < 0)
        return;
    unsigned condition = SND_SEQ_REMOVE_OUTPUT;
    if (tag >= 0) {
        condition |= SND_SEQ_REMOVE_TAG_MATCH;
        snd_seq_remove_events_set_tag(remove, tag);
    }
    snd_seq_remove_events_set_queue(remove, queue);
    snd_seq_remove_events_set_condition(remove, condition);
    snd_seq_remove_events(seq, remove);
    snd_seq_remove_events_free(remove);
}

} // namespace

std::optional<SeqAddress> seqAddressOfPortName(const QString& name) {
    static const QRegularExpression Address(QStringLiteral("\\s(\\d{1,3}):(\\d{1,3})$"));
    const QRegularExpressionMatch m = Address.match(name);
    if (!m.hasMatch())
        return std::nullopt;
    const SeqAddress a{m.captured(1).toInt(), m.captured(2).toInt()};
    if (a.client > 255 || a.port > 255)
        return std::nullopt;
    return a;
}

bool toSeqEvent(std::uint32_t word, snd_seq_event_t& ev) {
    const int status = statusOf(word);
    const int channel = status & 0x0F;
    const int d1 = data1Of(word) & 0x7F, d2 = data2Of(word) & 0x7F;
    switch (status & 0xF0) {
    case 0x80:
        snd_seq_ev_set_noteoff(&ev, channel, d1, d2);
        return true;
    case 0x90:
        snd_seq_ev_set_noteon(&ev, channel, d1, d2);
        return true;
    case 0xA0:
        snd_seq_ev_set_keypress(&ev, channel, d1, d2);
        return true;
    case 0xB0:
        snd_seq_ev_set_controller(&ev, channel, d1, d2);
        return true;
    case 0xC0:
        snd_seq_ev_set_pgmchange(&ev, channel, d1);
        return true;
    case 0xD0:
        snd_seq_ev_set_chanpress(&ev, channel, d1);
        return true;
    case 0xE0:
        snd_seq_ev_set_pitchbend(&ev, channel, ((d2 << 7) | d1) - 8192);
        return true;
    default:
        return false;
    }
}

snd_seq_real_time_t queueTime(double due, double queueStart) {
    const double after = std::isfinite(due) ? due - queueStart : 0.0;
    if (!(after > 0.0))
        return {0, 0};
    double whole = 0.0;
    const double fraction = std::modf(after, &whole);
    snd_seq_real_time_t t{unsigned(whole), unsigned(std::lround(fraction * 1e9))};
    if (t.tv_nsec >= 1000000000u) {
        ++t.tv_sec;
        t.tv_nsec -= 1000000000u;
    }
    return t;
}

std::unique_ptr<SequencerQueue> SequencerQueue::open(SeqAddress to, QString* error) {
    auto fail = [error](const QString& why, int code) {
        if (error)
            *error = why + QStringLiteral(": ") + QString::fromLocal8Bit(snd_strerror(code));
        return nullptr;
    };
    snd_lib_error_set_handler(silentAlsa);
    struct RestoreAlsa {
        ~RestoreAlsa() { snd_lib_error_set_handler(nullptr); }
    } restore;
    std::unique_ptr<SequencerQueue> q(new SequencerQueue);
    // Never blocking: a window thread queueing a long run must not wait for the sequencer's pool
    // to drain. The pool is made large enough for the longest run queued at once.
    if (const int e = snd_seq_open(&q->m_seq, "default", SND_SEQ_OPEN_OUTPUT, SND_SEQ_NONBLOCK);
        e < 0) {
        q->m_seq = nullptr;
        return fail(QStringLiteral("The MIDI sequencer could not be opened"), e);
    }
    snd_seq_set_client_name(q->m_seq, "Chordalis");
    snd_seq_set_client_pool_output(q->m_seq, 4000);
    snd_seq_set_output_buffer_size(q->m_seq, 64 * 1024);
    q->m_port = snd_seq_create_simple_port(
        q->m_seq, "Chordalis output", SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
        SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    if (q->m_port < 0)
        return fail(QStringLiteral("The MIDI sequencer gave no port"), q->m_port);
    if (const int e = snd_seq_connect_to(q->m_seq, q->m_port, to.client, to.port); e < 0)
        return fail(
            QStringLiteral("The MIDI port %1:%2 could not be reached").arg(to.client).arg(to.port),
            e);
    q->m_queue = snd_seq_alloc_named_queue(q->m_seq, "Chordalis");
    if (q->m_queue < 0)
        return fail(QStringLiteral("The MIDI sequencer gave no queue"), q->m_queue);
    snd_seq_start_queue(q->m_seq, q->m_queue, nullptr);
    snd_seq_drain_output(q->m_seq);
    // The queue's zero on the monotonic clock: now less the time the queue has run already.
    double running = 0.0;
    snd_seq_queue_status_t* status = nullptr;
    if (snd_seq_queue_status_malloc(&status) == 0) {
        if (snd_seq_get_queue_status(q->m_seq, q->m_queue, status) == 0) {
            const snd_seq_real_time_t* t = snd_seq_queue_status_get_real_time(status);
            running = t->tv_sec + t->tv_nsec * 1e-9;
        }
        snd_seq_queue_status_free(status);
    }
    q->m_start = monotonicNow() - running;
    return q;
}

SequencerQueue::~SequencerQueue() {
    if (!m_seq)
        return;
    if (m_queue >= 0) {
        removeQueued(m_seq, m_queue, -1);
        // What was taken back may have left notes sounding: every channel used is silenced.
        for (int channel = 0; channel < 16; ++channel) {
            if (!(m_channelsUsed & (1u << channel)))
                continue;
            snd_seq_event_t ev;
            snd_seq_ev_clear(&ev);
            snd_seq_ev_set_source(&ev, m_port);
            snd_seq_ev_set_subs(&ev);
            snd_seq_ev_set_direct(&ev);
            snd_seq_ev_set_controller(&ev, channel, 123, 0); // all notes off
            snd_seq_event_output(m_seq, &ev);
        }
        snd_seq_drain_output(m_seq);
        snd_seq_stop_queue(m_seq, m_queue, nullptr);
        snd_seq_free_queue(m_seq, m_queue);
    }
    snd_seq_close(m_seq);
}

void SequencerQueue::sendAt(std::uint32_t word, double due, QueueSource source) {
    snd_seq_event_t ev;
    snd_seq_ev_clear(&ev);
    if (!toSeqEvent(word, ev))
        return;
    const std::lock_guard<std::mutex> lock(m_lock);
    snd_seq_ev_set_source(&ev, m_port);
    snd_seq_ev_set_subs(&ev);
    ev.tag = static_cast<unsigned char>(source);
    snd_seq_real_time_t when = queueTime(due, m_start);
    snd_seq_ev_schedule_real(&ev, m_queue, 0, &when);
    m_channelsUsed |= 1u << (statusOf(word) & 0x0F);
    // What the sequencer's pool cannot take yet stays in our buffer and goes with the next
    // drain; only a full buffer or a failed drain loses a message.
    if (snd_seq_event_output(m_seq, &ev) < 0) {
        ++m_lost; // not taken: our buffer and the sequencer's pool are full
        return;
    }
    if (const int e = snd_seq_drain_output(m_seq); e < 0 && e != -EAGAIN)
        ++m_lost;
}

void SequencerQueue::cancel(QueueSource source) {
    const std::lock_guard<std::mutex> lock(m_lock);
    removeQueued(m_seq, m_queue, static_cast<int>(source));
}

} // namespace chordalis
