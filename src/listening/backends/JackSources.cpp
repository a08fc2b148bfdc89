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

bool isJackSource(jack_client_t* client, const QString& port, const char* type) {
    const jack_port_t* found = jack_port_by_name(client, port.toUtf8().constData());
    return found && (jack_port_flags(found) & JackPortIsOutput) &&
           QByteArray(jack_port_type(found)) == type;
}

} // namespace chordalis
