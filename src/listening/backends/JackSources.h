#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <optional>

typedef struct _jack_client jack_client_t;
typedef struct _jack_port jack_port_t;

namespace chordalis {

// A client of the running JACK server, quietly: never starting a server, never talking on the
// terminal. Null when no server runs.
jack_client_t* openQuietJackClient(const char* name);

// The output ports of that JACK type (JACK_DEFAULT_AUDIO_TYPE, JACK_DEFAULT_MIDI_TYPE): the
// devices' capture ports first, then other programs' outputs.
QStringList jackSources(jack_client_t* client, const char* type);
// The same through a client of its own; empty when no server runs.
QStringList jackSources(const char* type);

// A JACK client of the program's own with one input port of a type, connected to one source of
// that type; what the audio and MIDI inputs share. Its process callback runs on the server's
// thread from open() until close() returns.
class JackInputPort {
public:
    JackInputPort() = default;
    ~JackInputPort() { close(); }
    JackInputPort(const JackInputPort&) = delete;
    JackInputPort& operator=(const JackInputPort&) = delete;

    // Opens the client `name` with the input port, sets the callback and connects the source
    // (empty: the first of jackSources). `kind` names the type for the user ("audio", "MIDI").
    // The reason when it cannot: no server, no such source, a refusal; then it stays closed.
    std::optional<QString> open(const char* name, const char* type, const QString& kind,
                                const QString& source, int (*process)(unsigned, void*), void* self);
    void close();
    bool isOpen() const { return m_client != nullptr; }
    jack_port_t* port() const { return m_port; }
    // Frames per second of the server; 0 when closed.
    double sampleRate() const;
    // The server stopped, or the source went after it was connected; nothing while it works or
    // when closed.
    std::optional<QString> fault() const;
    // In the process cycle: false once the source has gone (the port was connected, and is no
    // longer). The first cycles may come before open() has connected it.
    bool followConnection();

private:
    jack_client_t* m_client = nullptr;
    jack_port_t* m_port = nullptr;
    QString m_kind;
    QString m_source;
    std::atomic<bool> m_serverGone{false};
    std::atomic<bool> m_connected{false};
    std::atomic<bool> m_disconnected{false};
};

} // namespace chordalis
