#include "listening/backends/JackSources.h"

#include <QByteArray>
#include <jack/jack.h>

namespace chordalis {

namespace {

void silentJack(const char*) {}

QStringList ports(jack_client_t* client, const char* type, unsigned long flags) {
    QStringList names;
    if (const char** found = jack_get_ports(client, nullptr, type, JackPortIsOutput | flags)) {
        for (const char** p = found; *p; ++p)
            names << QString::fromUtf8(*p);
        jack_free(found);
    }
    return names;
}

bool isSource(jack_client_t* client, const QString& port, const char* type) {
    const jack_port_t* found = jack_port_by_name(client, port.toUtf8().constData());
    return found && (jack_port_flags(found) & JackPortIsOutput) &&
           QByteArray(jack_port_type(found)) == type;
}

} // namespace

jack_client_t* openQuietJackClient(const char* name) {
    qputenv("JACK_NO_START_SERVER", "1");
    jack_set_error_function(silentJack);
    jack_set_info_function(silentJack);
    jack_status_t status{};
    return jack_client_open(name, JackNoStartServer, &status);
}

QStringList jackSources(jack_client_t* client, const char* type) {
    QStringList names = ports(client, type, JackPortIsPhysical);
    for (const QString& name : ports(client, type, 0))
        if (!names.contains(name))
            names << name;
    return names;
}

QStringList jackSources(const char* type) {
    jack_client_t* client = openQuietJackClient("chordalis-sources");
    if (!client)
        return {};
    const QStringList names = jackSources(client, type);
    jack_client_close(client);
    return names;
}

std::optional<QString> JackInputPort::open(const char* name, const char* type, const QString& kind,
                                           const QString& source, int (*process)(unsigned, void*),
                                           void* self) {
    close();
    jack_client_t* client = openQuietJackClient(name);
    if (!client)
        return QStringLiteral("No JACK server is running.");
    QString from = source;
    if (from.isEmpty()) {
        const QStringList all = jackSources(client, type);
        if (all.isEmpty()) {
            jack_client_close(client);
            return QStringLiteral("The JACK server has no %1 source to listen to.").arg(kind);
        }
        from = all.front();
    }
    if (!isSource(client, from, type)) {
        jack_client_close(client);
        return QStringLiteral("The JACK %1 source \"%2\" is not there.").arg(kind, from);
    }
    m_client = client;
    m_kind = kind;
    m_source = from;
    m_serverGone = false;
    m_connected = false;
    m_disconnected = false;
    jack_on_info_shutdown(
        client,
        [](jack_status_t, const char*, void* input) {
            static_cast<JackInputPort*>(input)->m_serverGone = true;
        },
        this);
    m_port = jack_port_register(client, "in", type, JackPortIsInput, 0);
    if (!m_port || jack_set_process_callback(client, process, self) != 0 ||
        jack_activate(client) != 0) {
        close();
        return QStringLiteral("The JACK %1 input could not be started.").arg(kind);
    }
    if (jack_connect(client, from.toUtf8().constData(), jack_port_name(m_port)) != 0) {
        close();
        return QStringLiteral("The JACK %1 source \"%2\" could not be connected.").arg(kind, from);
    }
    return std::nullopt;
}

void JackInputPort::close() {
    if (!m_client)
        return;
    // After deactivation the server calls the process callback no more.
    if (!m_serverGone)
        jack_deactivate(m_client);
    jack_client_close(m_client);
    m_client = nullptr;
    m_port = nullptr;
}

double JackInputPort::sampleRate() const {
    return m_client ? double(jack_get_sample_rate(m_client)) : 0.0;
}

std::optional<QString> JackInputPort::fault() const {
    if (!m_client)
        return std::nullopt;
    if (m_serverGone)
        return QStringLiteral("The JACK server has stopped.");
    if (m_disconnected)
        return QStringLiteral("The JACK %1 source \"%2\" has gone.").arg(m_kind, m_source);
    return std::nullopt;
}

bool JackInputPort::followConnection() {
    if (m_disconnected)
        return false;
    if (jack_port_connected(m_port) > 0)
        m_connected = true;
    else if (m_connected)
        m_disconnected = true;
    return !m_disconnected;
}

} // namespace chordalis
