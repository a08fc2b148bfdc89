#include "listening/backends/JackAudioInput.h"

#include <jack/jack.h>

namespace chordalis {

QStringList JackAudioInput::deviceNames() const {
    return jackSources(JACK_DEFAULT_AUDIO_TYPE);
}

std::optional<QString> JackAudioInput::open(const QString& device, Sink sink) {
    close();
    m_sink = std::move(sink);
    auto refused = m_jack.open("Chordalis-listen", JACK_DEFAULT_AUDIO_TYPE, QStringLiteral("audio"),
                               device, process, this);
    if (refused)
        m_sink = nullptr;
    return refused;
}

void JackAudioInput::close() {
    m_jack.close();
    m_sink = nullptr;
}

int JackAudioInput::process(unsigned frames, void* self) {
    auto* in = static_cast<JackAudioInput*>(self);
    if (!in->m_jack.followConnection())
        return 0;
    const auto* samples =
        static_cast<const float*>(jack_port_get_buffer(in->m_jack.port(), frames));
    if (samples && in->m_sink)
        in->m_sink(std::span<const float>(samples, frames));
    return 0;
}

} // namespace chordalis
