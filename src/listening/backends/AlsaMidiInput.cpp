#include "listening/backends/AlsaMidiInput.h"

#include <alsa/asoundlib.h>
#include <vector>

namespace chordalis {

namespace {

constexpr unsigned ReadableSource = SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ;

QString sequencerMissing(int error) {
    return QStringLiteral("The ALSA sequencer is not available (%1).")
        .arg(QString::fromLocal8Bit(snd_strerror(error)));
}

// The sequencer's readable ports other than our own client's.
QStringList readablePorts(snd_seq_t* seq) {
    QStringList names;
    snd_seq_client_info_t* client = nullptr;
    snd_seq_port_info_t* port = nullptr;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(seq, client) >= 0) {
        const int id = snd_seq_client_info_get_client(client);
        if (id == snd_seq_client_id(seq) || id == SND_SEQ_CLIENT_SYSTEM)
            continue;
        snd_seq_port_info_set_client(port, id);
        snd_seq_port_info_set_port(port, -1);
        while (snd_seq_query_next_port(seq, port) >= 0)
            if ((snd_seq_port_info_get_capability(port) & ReadableSource) == ReadableSource)
                names << QStringLiteral("%1:%2 %3")
                             .arg(id)
                             .arg(snd_seq_port_info_get_port(port))
                             .arg(QString::fromLocal8Bit(snd_seq_port_info_get_name(port)));
    }
    return names;
}

} // namespace

AlsaMidiInput::~AlsaMidiInput() {
    close();
}

QStringList AlsaMidiInput::portNames() const {
    snd_seq_t* seq = nullptr;
    if (snd_seq_open(&seq, "default", SND_SEQ_OPEN_INPUT, SND_SEQ_NONBLOCK) < 0)
        return {};
    const QStringList names = readablePorts(seq);
    snd_seq_close(seq);
    return names;
}

std::optional<QString> AlsaMidiInput::open(const QString& port, Sink sink) {
    close();
    snd_seq_t* seq = nullptr;
    if (const int error = snd_seq_open(&seq, "default", SND_SEQ_OPEN_INPUT, SND_SEQ_NONBLOCK);
        error < 0)
        return sequencerMissing(error);
    snd_seq_addr_t source{};
    const QByteArray address = port.section(QLatin1Char(' '), 0, 0).toUtf8();
    if (address.isEmpty() || snd_seq_parse_address(seq, &source, address.constData()) < 0) {
        snd_seq_close(seq);
        return QStringLiteral("The MIDI port \"%1\" is not there.").arg(port);
    }
    snd_seq_set_client_name(seq, "Chordalis");
    const int own = snd_seq_create_simple_port(
        seq, "listen", SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE,
        SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    // The system's announcements say when the source's port or client goes.
    if (own < 0 || snd_seq_connect_from(seq, own, source.client, source.port) < 0) {
        snd_seq_close(seq);
        return QStringLiteral("The MIDI port \"%1\" could not be listened to.").arg(port);
    }
    snd_seq_connect_from(seq, own, SND_SEQ_CLIENT_SYSTEM, SND_SEQ_PORT_SYSTEM_ANNOUNCE);
    m_seq = seq;
    m_port = own;
    m_sourceClient = source.client;
    m_sourcePort = source.port;
    m_source = port;
    m_sink = std::move(sink);
    m_stopping = false;
    m_gone = false;
    m_reader = std::thread([this] { run(); });
    return std::nullopt;
}

void AlsaMidiInput::close() {
    if (!m_seq)
        return;
    m_stopping = true;
    if (m_reader.joinable())
        m_reader.join();
    snd_seq_close(m_seq);
    m_seq = nullptr;
    m_sink = nullptr;
}

std::optional<QString> AlsaMidiInput::fault() const {
    if (m_seq && m_gone)
        return QStringLiteral("The MIDI port \"%1\" has gone.").arg(m_source);
    return std::nullopt;
}

void AlsaMidiInput::run() {
    HeldNotes held;
    std::vector<pollfd> fds(size_t(snd_seq_poll_descriptors_count(m_seq, POLLIN)));
    snd_seq_poll_descriptors(m_seq, fds.data(), unsigned(fds.size()), POLLIN);
    while (!m_stopping && !m_gone) {
        // A tenth of a second at most between looks at m_stopping: close() waits no longer.
        if (poll(fds.data(), nfds_t(fds.size()), 100) <= 0)
            continue;
        snd_seq_event_t* event = nullptr;
        bool changed = false;
        while (snd_seq_event_input(m_seq, &event) >= 0 && event) {
            unsigned char bytes[3] = {0, 0, 0};
            switch (event->type) {
            case SND_SEQ_EVENT_NOTEON:
            case SND_SEQ_EVENT_NOTEOFF:
                bytes[0] =
                    static_cast<unsigned char>((event->type == SND_SEQ_EVENT_NOTEON ? 0x90 : 0x80) |
                                               (event->data.note.channel & 0x0F));
                bytes[1] = event->data.note.note & 0x7F;
                bytes[2] = event->data.note.velocity & 0x7F;
                break;
            case SND_SEQ_EVENT_CONTROLLER:
                bytes[0] = static_cast<unsigned char>(0xB0 | (event->data.control.channel & 0x0F));
                bytes[1] = static_cast<unsigned char>(event->data.control.param & 0x7F);
                bytes[2] = static_cast<unsigned char>(event->data.control.value & 0x7F);
                break;
            case SND_SEQ_EVENT_PORT_EXIT:
            case SND_SEQ_EVENT_CLIENT_EXIT:
                if (event->data.addr.client == m_sourceClient &&
                    (event->type == SND_SEQ_EVENT_CLIENT_EXIT ||
                     event->data.addr.port == m_sourcePort))
                    m_gone = true;
                break;
            default:
                break;
            }
            if (bytes[0])
                changed = held.apply(bytes) || changed;
        }
        if (m_gone && !held.notes().empty()) {
            held = HeldNotes();
            changed = true;
        }
        if (changed && m_sink)
            m_sink(held.notes());
    }
}

} // namespace chordalis
