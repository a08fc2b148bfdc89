#include "app/ListenInputs.h"

#include "listening/backends/AlsaMidiInput.h"
#include "listening/backends/JackAudioInput.h"
#include "listening/backends/JackMidiInput.h"
#include "listening/backends/QtAudioInput.h"

#include <QFileInfo>

namespace chordalis {

namespace {

// "24:0 USB Guitar MIDI 1" without its client:port address.
QString withoutAddress(const QString& alsaPort) {
    return alsaPort.section(QLatin1Char(' '), 1);
}

} // namespace

ListenInputs::ListenInputs()
    : ListenInputs(std::make_unique<QtAudioInput>(), std::make_unique<JackAudioInput>(),
                   std::make_unique<JackMidiInput>(), std::make_unique<AlsaMidiInput>()) {}

ListenInputs::ListenInputs(std::unique_ptr<AudioInput> desktop, std::unique_ptr<AudioInput> jack,
                           std::unique_ptr<MidiInput> jackMidi, std::unique_ptr<MidiInput> alsaMidi)
    : m_desktop(std::move(desktop)), m_jack(std::move(jack)), m_jackMidi(std::move(jackMidi)),
      m_alsaMidi(std::move(alsaMidi)) {}

ListenInputs::~ListenInputs() = default;

std::vector<ListenInputRow> ListenInputs::rows() {
    std::vector<ListenInputRow> rows{
        {ListenSource::Desktop, {}, QStringLiteral("Desktop: the default capture device")}};
    m_absent.clear();
    const auto add = [&](ListenSource source, const QStringList& names, const QString& prefix) {
        for (const QString& name : names)
            rows.push_back({source, name, prefix + name});
    };
    if (m_desktop) {
        const QStringList names = m_desktop->deviceNames();
        if (names.isEmpty())
            m_absent << QStringLiteral("The desktop offers no capture device.");
        add(ListenSource::Desktop, names, QStringLiteral("Desktop: "));
    }
    const QStringList jackAudio = m_jack ? m_jack->deviceNames() : QStringList();
    const QStringList jackMidi = m_jackMidi ? m_jackMidi->portNames() : QStringList();
    if (jackAudio.isEmpty() && jackMidi.isEmpty())
        m_absent << QStringLiteral("No JACK server runs, so no JACK input is listed.");
    add(ListenSource::Jack, jackAudio, QStringLiteral("JACK: "));
    add(ListenSource::JackMidi, jackMidi, QStringLiteral("JACK MIDI: "));
    const QStringList alsa = m_alsaMidi ? m_alsaMidi->portNames() : QStringList();
    if (alsa.isEmpty())
        m_absent << (QFileInfo::exists(QStringLiteral("/dev/snd/seq"))
                         ? QStringLiteral("The ALSA sequencer has no MIDI port to listen to.")
                         : QStringLiteral("This machine has no ALSA sequencer, so no ALSA MIDI "
                                          "port is listed."));
    add(ListenSource::AlsaMidi, alsa, QStringLiteral("ALSA MIDI: "));
    return rows;
}

AudioInput* ListenInputs::audio(ListenSource source) const {
    switch (source) {
    case ListenSource::Desktop:
        return m_desktop.get();
    case ListenSource::Jack:
        return m_jack.get();
    case ListenSource::JackMidi:
    case ListenSource::AlsaMidi:
        break;
    }
    return nullptr;
}

MidiInput* ListenInputs::midi(ListenSource source) const {
    if (source == ListenSource::JackMidi)
        return m_jackMidi.get();
    if (source == ListenSource::AlsaMidi)
        return m_alsaMidi.get();
    return nullptr;
}

QString ListenInputs::resolve(const ListenSettings& choice) const {
    if (choice.device.isEmpty() || choice.source != ListenSource::AlsaMidi || !m_alsaMidi)
        return choice.device;
    const QStringList ports = m_alsaMidi->portNames();
    if (ports.contains(choice.device))
        return choice.device;
    const QString name = withoutAddress(choice.device);
    for (const QString& port : ports)
        if (!name.isEmpty() && withoutAddress(port) == name)
            return port;
    return choice.device;
}

} // namespace chordalis
