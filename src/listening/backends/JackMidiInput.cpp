#include "listening/backends/JackMidiInput.h"

#include <jack/jack.h>
#include <jack/midiport.h>

namespace chordalis {

QStringList JackMidiInput::portNames() const {
    return jackSources(JACK_DEFAULT_MIDI_TYPE);
}

std::optional<QString> JackMidiInput::open(const QString& port, Sink sink) {
    close();
    m_sink = std::move(sink);
    m_held = HeldNotes();
    auto refused = m_jack.open("Chordalis-midi-in", JACK_DEFAULT_MIDI_TYPE, QStringLiteral("MIDI"),
                               port, process, this);
    if (refused)
        m_sink = nullptr;
    return refused;
}

void JackMidiInput::close() {
    m_jack.close();
    m_sink = nullptr;
}

int JackMidiInput::process(unsigned frames, void* self) {
    auto* in = static_cast<JackMidiInput*>(self);
    if (!in->m_jack.followConnection()) {
        // The instrument went: what it held is let go, not left lit.
        if (!in->m_held.notes().empty() && in->m_sink) {
            in->m_held = HeldNotes();
            in->m_sink({});
        }
        return 0;
    }
    void* buffer = jack_port_get_buffer(in->m_jack.port(), frames);
    bool changed = false;
    const jack_nframes_t count = buffer ? jack_midi_get_event_count(buffer) : 0;
    for (jack_nframes_t i = 0; i < count; ++i) {
        jack_midi_event_t event{};
        if (jack_midi_event_get(&event, buffer, i) == 0)
            changed = in->m_held.apply(std::span<const unsigned char>(event.buffer, event.size)) ||
                      changed;
    }
    if (changed && in->m_sink)
        in->m_sink(in->m_held.notes());
    return 0;
}

} // namespace chordalis
