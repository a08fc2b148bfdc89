#include "listening/backends/JackMidiInput.h"

#include "listening/backends/JackSources.h"

#include <jack/jack.h>
#include <jack/midiport.h>

namespace chordalis {

JackMidiInput::~JackMidiInput() {
    close();
}

QStringList JackMidiInput::portNames() const {
    jack_client_t* client = openQuietJackClient("chordalis-sources");
    if (!client)
        return {};
    const QStringList names = jackSources(client, JACK_DEFAULT_MIDI_TYPE);
    jack_client_close(client);
    return names;
}

std::optional<QString> JackMidiInput::open(const QString& port, Sink sink) {
    close();
    jack_client_t* client = openQuietJackClient("Chordalis-midi-in");
    if (!client)
        return QStringLiteral("No JACK server is running.");
    if (!isJackSource(client, port, JACK_DEFAULT_MIDI_TYPE)) {
        jack_client_close(client);
        return QStringLiteral("The JACK MIDI source \"%1\" is not there.").arg(port);
    }
    m_client = client;
    m_sink = std::move(sink);
    m_source = port;
    m_held = HeldNotes();
    m_serverGone = false;
    m_connected = false;
    m_disconnected = false;
    jack_on_info_shutdown(
        client,
        [](jack_status_t, const char*, void* self) {
            static_cast<JackMidiInput*>(self)->m_serverGone = true;
        },
        this);
    m_port = jack_port_register(client, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    if (!m_port || jack_set_process_callback(client, process, this) != 0 ||
        jack_activate(client) != 0) {
        close();
        return QStringLiteral("The JACK MIDI input could not be started.");
    }
    if (jack_connect(client, port.toUtf8().constData(), jack_port_name(m_port)) != 0) {
        close();
        return QStringLiteral("The JACK MIDI source \"%1\" could not be connected.").arg(port);
    }
    return std::nullopt;
}

void JackMidiInput::close() {
    if (!m_client)
        return;
    // After deactivation the server calls the process cycle no more: the sink is left alone.
    if (!m_serverGone)
        jack_deactivate(m_client);
    jack_client_close(m_client);
    m_client = nullptr;
    m_port = nullptr;
    m_sink = nullptr;
}

std::optional<QString> JackMidiInput::fault() const {
    if (!m_client)
        return std::nullopt;
    if (m_serverGone)
        return QStringLiteral("The JACK server has stopped.");
    if (m_disconnected)
        return QStringLiteral("The JACK MIDI source \"%1\" has gone.").arg(m_source);
    return std::nullopt;
}

int JackMidiInput::process(unsigned frames, void* self) {
    auto* in = static_cast<JackMidiInput*>(self);
    if (in->m_disconnected)
        return 0;
    // Connected in open() after activation: the first cycles may come before the connection.
    if (jack_port_connected(in->m_port) > 0) {
        in->m_connected = true;
    } else if (in->m_connected) {
        // The instrument went: what it held is let go, not left lit.
        in->m_disconnected = true;
        if (!in->m_held.notes().empty() && in->m_sink) {
            in->m_held = HeldNotes();
            in->m_sink({});
        }
        return 0;
    }
    void* buffer = jack_port_get_buffer(in->m_port, frames);
    bool changed = false;
    const jack_nframes_t count = buffer ? jack_midi_get_event_count(buffer) : 0;
    for (jack_nframes_t i = 0; i < count; ++i) {
        jack_midi_event_t event{};
        if (jack_midi_event_get(&event, buffer, i) == 0)
            changed = in->m_held.apply(std::span<const unsigned char>(event.buffer, event.size)) ||
                      changed;
    }
    if (changed && in->m_sink)
        in->m_sink(in->m_held.notes());
    return 0;
}

} // namespace chordalis
