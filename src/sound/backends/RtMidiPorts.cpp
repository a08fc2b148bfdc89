#include "sound/backends/RtMidiPorts.h"

#include <RtMidi.h>
#include <alsa/asoundlib.h>
#include <jack/jack.h>

namespace chordalis {

namespace {

constexpr const char* ClientName = "Chordalis";

void silentJack(const char*) {}
void silentAlsa(const char*, int, const char*, int, const char*, ...) {}

// RtMidi reports a system that cannot start on the terminal before it throws, so each system is
// probed quietly first.
bool alsaSequencerAvailable() {
    snd_lib_error_set_handler(silentAlsa);
    snd_seq_t* seq = nullptr;
    const bool ok = snd_seq_open(&seq, "default", SND_SEQ_OPEN_OUTPUT, 0) == 0;
    if (seq)
        snd_seq_close(seq);
    snd_lib_error_set_handler(nullptr);
    return ok;
}

bool jackServerRunning() {
    qputenv("JACK_NO_START_SERVER", "1");
    jack_set_error_function(silentJack);
    jack_set_info_function(silentJack);
    jack_status_t status{};
    jack_client_t* client = jack_client_open("chordalis-probe", JackNoStartServer, &status);
    if (!client)
        return false;
    jack_client_close(client);
    return true;
}

void ignoreError(RtMidiError::Type, const std::string&, void*) {}

std::unique_ptr<RtMidiOut> makeOut(RtMidi::Api api) {
    try {
        auto out = std::make_unique<RtMidiOut>(api, ClientName);
        out->setErrorCallback(ignoreError, nullptr);
        return out;
    } catch (const RtMidiError&) {
        return nullptr;
    }
}

bool usable(RtMidi::Api api) {
    return api == RtMidi::LINUX_ALSA ? alsaSequencerAvailable() : jackServerRunning();
}

} // namespace

RtMidiPorts::RtMidiPorts() {
    std::vector<RtMidi::Api> compiled;
    RtMidi::getCompiledApi(compiled);
    for (RtMidi::Api api : {RtMidi::LINUX_ALSA, RtMidi::UNIX_JACK}) {
        if (std::find(compiled.begin(), compiled.end(), api) == compiled.end() || !usable(api))
            continue;
        auto out = makeOut(api);
        if (!out)
            continue;
        const unsigned count = out->getPortCount();
        for (unsigned i = 0; i < count; ++i) {
            const std::string name = out->getPortName(i);
            if (!name.empty())
                m_ports.push_back({int(api), int(i), QString::fromStdString(name)});
        }
    }
}

RtMidiPorts::~RtMidiPorts() = default;

QStringList RtMidiPorts::portNames() const {
    QStringList names;
    for (const Port& p : m_ports)
        names << p.name;
    return names;
}

std::optional<QString> RtMidiPorts::open(int device) {
    close();
    if (device < 0 || device >= int(m_ports.size()))
        return QStringLiteral("There is no MIDI output device number %1.").arg(device);
    const Port& port = m_ports[size_t(device)];
    const auto api = RtMidi::Api(port.api);
    if (!usable(api))
        return QStringLiteral("The MIDI system of \"%1\" is no longer running.").arg(port.name);
    auto out = makeOut(api);
    if (!out)
        return QStringLiteral("The MIDI system of \"%1\" could not be started.").arg(port.name);
    // Ports are renumbered when others come and go: look the port up by its name again.
    const unsigned count = out->getPortCount();
    for (unsigned i = 0; i < count; ++i) {
        if (QString::fromStdString(out->getPortName(i)) != port.name)
            continue;
        try {
            out->openPort(i, ClientName);
        } catch (const RtMidiError& e) {
            return QString::fromStdString(e.getMessage());
        }
        if (!out->isPortOpen())
            return QStringLiteral("The MIDI port \"%1\" could not be opened.").arg(port.name);
        m_out = std::move(out);
        return std::nullopt;
    }
    return QStringLiteral("The MIDI port \"%1\" is no longer there.").arg(port.name);
}

void RtMidiPorts::close() {
    m_out.reset();
}

bool RtMidiPorts::isOpen() const {
    return m_out && m_out->isPortOpen();
}

void RtMidiPorts::shortMessage(std::uint32_t word) {
    if (!m_out)
        return;
    const unsigned char bytes[3] = {static_cast<unsigned char>(statusOf(word)),
                                    static_cast<unsigned char>(data1Of(word)),
                                    static_cast<unsigned char>(data2Of(word))};
    // A program change carries one data byte.
    const size_t size = (bytes[0] & 0xF0) == 0xC0 || (bytes[0] & 0xF0) == 0xD0 ? 2 : 3;
    try {
        m_out->sendMessage(bytes, size);
    } catch (const RtMidiError&) {
        // A port that has gone: the message is lost, as a failed send is ignored.
    }
}

} // namespace chordalis
