#include "listening/backends/JackAudioInput.h"

#include "listening/backends/JackSources.h"

#include <QByteArray>
#include <jack/jack.h>

namespace chordalis {

JackAudioInput::~JackAudioInput() {
    close();
}

QStringList JackAudioInput::deviceNames() const {
    jack_client_t* client = openQuietJackClient("chordalis-sources");
    if (!client)
        return {};
    const QStringList names = jackSources(client, JACK_DEFAULT_AUDIO_TYPE);
    jack_client_close(client);
    return names;
}

std::optional<QString> JackAudioInput::open(const QString& device, Sink sink) {
    close();
    jack_client_t* client = openQuietJackClient("Chordalis-listen");
    if (!client)
        return QStringLiteral("No JACK server is running.");
    QString source = device;
    if (source.isEmpty()) {
        const QStringList capture = jackSources(client, JACK_DEFAULT_AUDIO_TYPE);
        if (capture.isEmpty()) {
            jack_client_close(client);
            return QStringLiteral("The JACK server has no audio source to listen to.");
        }
        source = capture.front();
    }
    if (!isJackSource(client, source, JACK_DEFAULT_AUDIO_TYPE)) {
        jack_client_close(client);
        return QStringLiteral("The JACK audio source \"%1\" is not there.").arg(source);
    }
    m_client = client;
    m_sink = std::move(sink);
    m_source = source;
    m_rate = jack_get_sample_rate(client);
    m_serverGone = false;
    m_connected = false;
    m_disconnected = false;
    jack_on_info_shutdown(
        client,
        [](jack_status_t, const char*, void* self) {
            static_cast<JackAudioInput*>(self)->m_serverGone = true;
        },
        this);
    m_port = jack_port_register(client, "in", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    if (!m_port || jack_set_process_callback(client, process, this) != 0 ||
        jack_activate(client) != 0) {
        close();
        return QStringLiteral("The JACK input could not be started.");
    }
    if (jack_connect(client, source.toUtf8().constData(), jack_port_name(m_port)) != 0) {
        close();
        return QStringLiteral("The JACK audio source \"%1\" could not be connected.").arg(source);
    }
    return std::nullopt;
}

void JackAudioInput::close() {
    if (!m_client)
        return;
    // After deactivation the server calls the process cycle no more: the sink is left alone.
    if (!m_serverGone)
        jack_deactivate(m_client);
    jack_client_close(m_client);
    m_client = nullptr;
    m_port = nullptr;
    m_sink = nullptr;
    m_rate = 0.0;
}

std::optional<QString> JackAudioInput::fault() const {
    if (!m_client)
        return std::nullopt;
    if (m_serverGone)
        return QStringLiteral("The JACK server has stopped.");
    if (m_disconnected)
        return QStringLiteral("The JACK audio source \"%1\" has gone.").arg(m_source);
    return std::nullopt;
}

int JackAudioInput::process(unsigned frames, void* self) {
    auto* in = static_cast<JackAudioInput*>(self);
    // Connected in open() after activation: the first cycles may come before the connection.
    if (jack_port_connected(in->m_port) > 0)
        in->m_connected = true;
    else if (in->m_connected)
        in->m_disconnected = true;
    if (in->m_disconnected)
        return 0;
    const auto* samples = static_cast<const float*>(jack_port_get_buffer(in->m_port, frames));
    if (samples && in->m_sink)
        in->m_sink(std::span<const float>(samples, frames));
    return 0;
}

} // namespace chordalis
