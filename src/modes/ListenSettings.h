#pragma once

#include <QString>

namespace chordalis {

// Where listening takes its input from: the desktop's capture devices, a JACK audio source, or
// the notes of a MIDI instrument through JACK or the ALSA sequencer.
enum class ListenSource { Desktop, Jack, JackMidi, AlsaMidi };

// The listening choices kept in the settings (section Listen): the source and its device by
// name (empty: the source's default, so a device that comes back under another number is found
// again), and the tuner's reference pitch.
struct ListenSettings {
    ListenSource source = ListenSource::Desktop;
    QString device;
    double a4 = 440.0; // Hz, 430..450; a stored value outside or not a number reads as 440
    bool operator==(const ListenSettings&) const = default;
};

} // namespace chordalis
