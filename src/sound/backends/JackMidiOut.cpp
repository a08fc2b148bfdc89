#include "sound/backends/JackMidiOut.h"

#include <QByteArray>
#include <chrono>
#include <cmath>
#include <jack/jack.h>
#include <jack/midiport.h>
#include <thread>

namespace chordalis {

namespace {

constexpr const char* ClientName = "Chordalis";

void silentJack(const char*) {}

jack_client_t* quietClient(const char* name) {
    // libjack would otherwise start a server of its own, and talk on the terminal.
    qputenv("JACK_NO_START_SERVER", "1");
    jack_set_error_function(silentJack);
    jack_set_info_function(silentJack);
    jack_status_t status{};
    return jack_client_open(name, JackNoStartServer, &status);
}

size_t messageSize(std::uint32_t word) {
    // A program change and a channel pressure carry one data byte.
    const int kind = statusOf(word) & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 2 : 3;
}

} // namespace

bool jackServerRunning() {
    jack_client_t* client = quietClient("chordalis-probe");
    if (!client)
        return false;
    jack_client_close(client);
    return true;
}

QStringList jackMidiDestinations() {
    QStringList names;
    jack_client_t* client = quietClient("chordalis-list");
    if (!client)
        return names;
    if (const char** ports =
            jack_get_ports(client, nullptr, JACK_DEFAULT_MIDI_TYPE, JackPortIsInput)) {
        for (const char** p = ports; *p; ++p)
            names << QString::fromUtf8(*p);
        jack_free(ports);
    }
    jack_client_close(client);
    return names;
}

std::unique_ptr<JackMidiOut> JackMidiOut::open(const QString& destination, QString* error) {
    std::unique_ptr<JackMidiOut> out(new JackMidiOut);
    out->m_client = quietClient(ClientName);
    if (!out->m_client) {
        *error = QStringLiteral("The MIDI system of \"%1\" is no longer running.").arg(destination);
        return nullptr;
    }
    out->m_destination = destination;
    jack_on_info_shutdown(
        out->m_client,
        [](jack_status_t, const char*, void* self) {
            static_cast<JackMidiOut*>(self)->m_serverGone = true;
        },
        out.get());
    out->m_port =
        jack_port_register(out->m_client, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    if (!out->m_port || jack_set_process_callback(out->m_client, process, out.get()) != 0 ||
        jack_activate(out->m_client) != 0) {
        *error = QStringLiteral("The MIDI system of \"%1\" could not be started.").arg(destination);
        return nullptr;
    }
    out->m_active = true;
    const QByteArray to = destination.toUtf8();
    if (!jack_port_by_name(out->m_client, to.constData())) {
        *error = QStringLiteral("The MIDI port \"%1\" is no longer there.").arg(destination);
        return nullptr;
    }
    if (jack_connect(out->m_client, jack_port_name(out->m_port), to.constData()) != 0) {
        *error = QStringLiteral("The MIDI port \"%1\" could not be opened.").arg(destination);
        return nullptr;
    }
    return out;
}

JackMidiOut::~JackMidiOut() {
    if (!m_client)
        return;
    if (m_port && m_active)
        flushNoteOffs();
    jack_deactivate(m_client);
    jack_client_close(m_client);
}

void JackMidiOut::flushNoteOffs() {
    m_closing = true;
    // One cycle is a few milliseconds; a server that has stalled is not waited for long.
    for (int i = 0; i < 200 && !m_lastWritten; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

double JackMidiOut::now() const {
    return double(jack_get_time()) * 1e-6;
}

void JackMidiOut::hand(const QueueCommand& command) {
    std::lock_guard lock(m_producers);
    if (!m_ring.push(command))
        ++m_refused;
}

void JackMidiOut::sendAt(std::uint32_t word, double due, QueueSource source) {
    hand({QueueCommand::Kind::Message, source, word, due});
}

void JackMidiOut::cancel(QueueSource source) {
    hand({QueueCommand::Kind::Cancel, source, 0, 0.0});
}

std::uint64_t JackMidiOut::dropped() const {
    return m_refused + m_lost;
}

std::optional<OutputFault> JackMidiOut::fault() const {
    if (m_serverGone)
        return OutputFault{QStringLiteral("The JACK server has stopped."), false};
    if (m_disconnected)
        return OutputFault{
            QStringLiteral("The MIDI port \"%1\" is no longer there.").arg(m_destination), false};
    return std::nullopt;
}

int JackMidiOut::process(unsigned frames, void* data) {
    auto* self = static_cast<JackMidiOut*>(data);
    void* buffer = jack_port_get_buffer(self->m_port, frames);
    jack_midi_clear_buffer(buffer);

    QueueCommand c;
    while (self->m_ring.pop(c)) {
        if (c.kind == QueueCommand::Kind::Cancel)
            self->m_queue.cancel(c.source);
        else if (!self->m_queue.push(c.word, c.due, c.source))
            ++self->m_lost;
    }

    auto write = [&](jack_nframes_t offset, std::uint32_t word) {
        const jack_midi_data_t bytes[3] = {jack_midi_data_t(statusOf(word)),
                                           jack_midi_data_t(data1Of(word)),
                                           jack_midi_data_t(data2Of(word))};
        if (jack_midi_event_write(buffer, offset, bytes, messageSize(word)) != 0)
            ++self->m_lost;
    };
    if (self->m_closing) {
        if (!self->m_lastWritten) {
            // What this port started, it ends: the note-offs still waiting go out now.
            for (const TimedMessage& m : self->m_queue.closeAndKeepNoteOffs())
                write(0, m.word);
            self->m_lastWritten = true;
        }
        return 0;
    }
    // The server applies a new connection from some later cycle on: until this port's cycle
    // has it, messages wait rather than go to no one.
    if (!self->m_connected) {
        if (!jack_port_connected(self->m_port))
            return 0;
        self->m_connected = true;
    } else if (!jack_port_connected(self->m_port)) {
        // The destination has gone: what is queued waits for the port to be opened again.
        self->m_disconnected = true;
        return 0;
    }

    // This cycle's frames and the times they stand for, on the server's smoothed clock.
    jack_nframes_t firstFrame = 0;
    jack_time_t start = 0;
    jack_time_t next = 0;
    float period = 0;
    if (jack_get_cycle_times(self->m_client, &firstFrame, &start, &next, &period) != 0 ||
        next <= start)
        return 0;
    const double begin = double(start) * 1e-6;
    const double end = double(next) * 1e-6;
    const double framesPerSecond = double(frames) / (end - begin);
    jack_nframes_t last = 0; // offsets must not go back
    // The last call's messages again, when it stood for this same cycle.
    self->m_cycle.start(firstFrame, [&](std::uint32_t offset, std::uint32_t word) {
        last = std::min(jack_nframes_t(offset), frames - 1);
        write(last, word);
    });
    TimedMessage m;
    while (self->m_queue.takeOneDue(end - 1e-9, m)) {
        const double at = std::floor((m.due - begin) * framesPerSecond + 0.5);
        auto offset = jack_nframes_t(std::clamp(at, 0.0, double(frames - 1)));
        offset = std::max(offset, last);
        write(offset, m.word);
        self->m_cycle.wrote(offset, m.word);
        last = offset;
    }
    return 0;
}

} // namespace chordalis
