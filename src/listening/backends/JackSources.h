#pragma once

#include <QString>
#include <QStringList>

typedef struct _jack_client jack_client_t;

namespace chordalis {

// A client of the running JACK server, quietly: never starting a server, never talking on the
// terminal. Null when no server runs.
jack_client_t* openQuietJackClient(const char* name);

// The output ports of that JACK type (JACK_DEFAULT_AUDIO_TYPE, JACK_DEFAULT_MIDI_TYPE): the
// devices' capture ports first, then other programs' outputs.
QStringList jackSources(jack_client_t* client, const char* type);

// Whether `port` is an output port of that type on the server.
bool isJackSource(jack_client_t* client, const QString& port, const char* type);

} // namespace chordalis
