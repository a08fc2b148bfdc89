#pragma once

#include "listening/AudioInput.h"
#include "listening/MidiInput.h"
#include "modes/ListenSettings.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace chordalis {

// One input the user can listen to, as the sound settings list it.
struct ListenInputRow {
    ListenSource source = ListenSource::Desktop;
    QString device;  // empty: the source's default
    QString caption; // "Desktop: Built-in Microphone", "JACK MIDI: a2j:Guitar [20] (capture)"
    bool operator==(const ListenInputRow&) const = default;
};

// The inputs listening can use: the desktop's capture devices (Qt Multimedia), JACK audio
// sources and JACK MIDI sources when a server runs, the ALSA sequencer's MIDI ports where a
// sequencer exists. Lists them by name and hands out the input of a source; the window keeps one
// for its whole life.
class ListenInputs {
public:
    // The system's own inputs.
    ListenInputs();
    // Given inputs (tests); a null one lists nothing and is refused with a reason.
    ListenInputs(std::unique_ptr<AudioInput> desktop, std::unique_ptr<AudioInput> jack,
                 std::unique_ptr<MidiInput> jackMidi, std::unique_ptr<MidiInput> alsaMidi);
    ~ListenInputs();

    // Every input to choose from now, the desktop's default first; a source with nothing to offer
    // is left out and said in absent().
    std::vector<ListenInputRow> rows();
    // Sentences for what rows() found missing ("No JACK server runs, so no JACK input is
    // listed."), one per source.
    const QStringList& absent() const { return m_absent; }

    // The audio input of a source, null for a MIDI source or one not given.
    AudioInput* audio(ListenSource source) const;
    // The MIDI input of a source, null for an audio source or one not given.
    MidiInput* midi(ListenSource source) const;
    static bool isMidi(ListenSource source) {
        return source == ListenSource::JackMidi || source == ListenSource::AlsaMidi;
    }

    // The device to open for a choice: its name as listed, or, for an ALSA port whose numbers
    // changed since it was chosen (plugged into another socket), the listed port of the same
    // name. Empty stays empty (the source's default).
    QString resolve(const ListenSettings& choice) const;

private:
    std::unique_ptr<AudioInput> m_desktop;
    std::unique_ptr<AudioInput> m_jack;
    std::unique_ptr<MidiInput> m_jackMidi;
    std::unique_ptr<MidiInput> m_alsaMidi;
    QStringList m_absent;
};

} // namespace chordalis
