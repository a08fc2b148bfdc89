#pragma once

#include <QStringList>

namespace chordalis {

struct PlaybackSettings;

// The 128 rows of the instrument list (" 1    Acoustic Grand" .. " 128  Gunshot"): a blank, the
// General MIDI program number left-aligned in five characters, the name. Row i is program i + 1.
QStringList instrumentRows();
// The 16 rows of the playback channel list (" 1" .. " 16"), row i standing for channel i + 1.
QStringList playbackChannelRows();
// The device list: row 0 the built-in synthesizer (device -1), row k + 1 the port k.
QStringList deviceRows(const QStringList& portNames);

// What the playback options dialog shows: a row of each list and the sliders' values.
struct PlaybackControls {
    int deviceRow = 0;
    int channelRow = 0;    // 0..15
    int instrumentRow = 0; // 0..127
    int volume = 0;        // 0..127
    int chordTempo = 0;    // 0..100
    int scaleTempo = 0;
    int arpeggioTempo = 0;
    friend bool operator==(const PlaybackControls&, const PlaybackControls&) = default;
};

// The controls for the settings, with `portCount` ports listed. A value the controls cannot show
// is clamped into range; a device that is not listed (a port gone since the settings were
// written) shows the built-in synthesizer.
PlaybackControls playbackControls(const PlaybackSettings& settings, int portCount);

// Stores what the controls show, in the order channel, instrument, the three tempos, volume,
// device.
void storePlaybackControls(const PlaybackControls& controls, PlaybackSettings& settings);

} // namespace chordalis
