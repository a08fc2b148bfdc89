#include "sound/backends/RtMidiPorts.h"

#include "sound/backends/JackMidiOut.h"
#include "sound/backends/PortSender.h"
#include "sound/backends/SequencerQueue.h"

#include <RtMidi.h>
#include <alsa/asoundlib.h>
#include <limits>

namespace chordalis {

namespace {

constexpr const char* ClientName = "Chordalis";

void silentAlsa(const char*, int, const char*, int, const char*, ...) {}

// RtMidi reports a system that cannot start on the terminal before it throws, so the sequencer
// is probed quietly first.
bool alsaSequencerAvailable() {
    snd_lib_error_set_handler(silentAlsa);
    snd_seq_t* seq = nullptr;
    const bool ok = snd_seq_open(&seq, "default", SND_SEQ_OPEN_OUTPUT, 0) == 0;
    if (seq)
        snd_seq_close(seq);
    snd_lib_error_set_handler(nullptr);
    return ok;
}

void ignoreError(RtMidiError::Type, const std::string&, void*) {}

std::unique_ptr<RtMidiOut> makeAlsaOut() {
    try {
        auto out = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, ClientName);
        out->setErrorCallback(ignoreError, nullptr);
        return out;
    } catch (const RtMidiError&) {
        return nullptr;
    }
}

bool alsaCompiled() {
    std::vector<RtMidi::Api> compiled;
    RtMidi::getCompiledApi(compiled);
    return std::find(compiled.begin(), compiled.end(), RtMidi::LINUX_ALSA) != compiled.end();
}

constexpr double Now = -std::numeric_limits<double>::infinity(); // a time always past

} // namespace

RtMidiPorts::RtMidiPorts() = default;

RtMidiPorts::~RtMidiPorts() {
    close();
}

const std::vector<RtMidiPorts::Port>& RtMidiPorts::ports() const {
    if (!m_listed) {
        m_listed = true;
        m_ports.clear();
        if (alsaCompiled() && alsaSequencerAvailable()) {
            if (auto out = makeAlsaOut()) {
                const unsigned count = out->getPortCount();
                for (unsigned i = 0; i < count; ++i) {
                    const std::string name = out->getPortName(i);
                    if (!name.empty())
                        m_ports.push_back(
                            {int(RtMidi::LINUX_ALSA), int(i), QString::fromStdString(name)});
                }
            }
        }
        const QStringList jack = jackMidiDestinations();
        for (qsizetype i = 0; i < jack.size(); ++i)
            m_ports.push_back({int(RtMidi::UNIX_JACK), int(i), jack[i]});
    }
    return m_ports;
}

QStringList RtMidiPorts::listPortsAgain() {
    m_listed = false; // the open port keeps its connection: it is found by name, not number
    return portNames();
}

QStringList RtMidiPorts::portNames() const {
    QStringList names;
    for (const Port& p : ports())
        names << p.name;
    return names;
}

std::optional<QString> RtMidiPorts::open(int device) {
    close();
    const std::vector<Port>& list = ports();
    if (device < 0 || device >= int(list.size()))
        return QStringLiteral("There is no MIDI output device number %1.").arg(device);
    const Port& port = list[size_t(device)];

    if (port.api == int(RtMidi::UNIX_JACK)) {
        QString error;
        m_jack = JackMidiOut::open(port.name, &error);
        if (!m_jack)
            return error;
        m_openName = port.name;
        return std::nullopt;
    }

    if (!alsaSequencerAvailable())
        return QStringLiteral("The MIDI system of \"%1\" is no longer running.").arg(port.name);
    // The sequencer's own queue where it gives one; else RtMidi and a sender thread of ours.
    if (const auto address = seqAddressOfPortName(port.name)) {
        if ((m_queue = SequencerQueue::open(*address, nullptr))) {
            m_openName = port.name;
            return std::nullopt;
        }
    }
    auto out = makeAlsaOut();
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
        m_alsa = std::move(out);
        m_openName = port.name;
        m_sender = std::make_unique<PortSender>([alsa = m_alsa.get()](std::uint32_t word) {
            const unsigned char bytes[3] = {static_cast<unsigned char>(statusOf(word)),
                                            static_cast<unsigned char>(data1Of(word)),
                                            static_cast<unsigned char>(data2Of(word))};
            const int kind = bytes[0] & 0xF0;
            const size_t size = kind == 0xC0 || kind == 0xD0 ? 2 : 3;
            try {
                alsa->sendMessage(bytes, size);
                return true;
            } catch (const RtMidiError&) {
                return false; // a port that has gone: the message is lost
            }
        });
        return std::nullopt;
    }
    return QStringLiteral("The MIDI port \"%1\" is no longer there.").arg(port.name);
}

void RtMidiPorts::close() {
    m_sender.reset(); // sends what it still owes in note-offs, before the port goes
    m_alsa.reset();
    m_queue.reset();
    m_jack.reset();
    m_openName.clear();
}

std::optional<OutputFault> RtMidiPorts::fault() const {
    if (m_jack)
        return m_jack->fault();
    if ((m_sender && m_sender->lostByPort() > 0) || (m_queue && m_queue->lost() > 0))
        return OutputFault{
            QStringLiteral("The MIDI port \"%1\" is no longer there.").arg(m_openName), false};
    return std::nullopt;
}

bool RtMidiPorts::isOpen() const {
    return m_jack || m_queue || (m_alsa && m_alsa->isPortOpen());
}

double RtMidiPorts::ownClockNow() const {
    if (m_jack)
        return m_jack->now();
    return m_sender || m_queue ? monotonicNow() : 0.0;
}

void RtMidiPorts::shortMessage(std::uint32_t word) {
    // Through the same path as the timed messages: one thread writes the port, in time order.
    shortMessageAt(word, Now, QueueSource::Other);
}

void RtMidiPorts::shortMessageAt(std::uint32_t word, double seconds) {
    shortMessageAt(word, seconds, QueueSource::Other);
}

void RtMidiPorts::shortMessageAt(std::uint32_t word, double seconds, QueueSource source) {
    if (m_jack)
        m_jack->sendAt(word, seconds, source);
    else if (m_queue)
        m_queue->sendAt(word, seconds, source);
    else if (m_sender)
        m_sender->sendAt(word, seconds, source);
}

void RtMidiPorts::cancelQueued() {
    cancelQueued(QueueSource::Other);
}

void RtMidiPorts::cancelQueued(QueueSource source) {
    if (m_jack)
        m_jack->cancel(source);
    else if (m_queue)
        m_queue->cancel(source);
    else if (m_sender)
        m_sender->cancel(source);
}

std::uint64_t RtMidiPorts::droppedMessages() const {
    if (m_jack)
        return m_jack->dropped();
    if (m_queue)
        return m_queue->lost();
    return m_sender ? m_sender->dropped() : 0;
}

} // namespace chordalis
