#include "sound/PlaybackOptions.h"

#include "sound/SoundSettings.h"

#include <algorithm>
#include <array>

namespace chordalis {

namespace {

// The General MIDI program names as the list has always spelled them.
constexpr std::array<const char*, 128> InstrumentNames{
    "Acoustic Grand",
    "Bright Acoustic",
    "Electric Grand",
    "Honky -Tonk",
    "Electric Piano 1",
    "Electric Piano 2",
    "Harpsichord",
    "Clav",
    "Celesta",
    "Glockenspiel",
    "Music Box",
    "Vibraphone",
    "Marimba",
    "Xylophone",
    "Tubular Bells",
    "Dulcimer",
    "Drawbar Organ",
    "Percussive Organ",
    "Rock Organ",
    "Church Organ",
    "Reed Organ",
    "Accoridan",
    "Harmonica",
    "Tango Accordian",
    "Acoustic Guitar(nylon)",
    "Acoustic Guitar(Steel)",
    "Electric Guitar(jazz)",
    "Electric Guitar(clean)",
    "Electric Guitar(Muted)",
    "Overdriven Guitar",
    "Distortion Guitar",
    "Guitar Harmonics",
    "Acoustic bass",
    "Electric bass(finger)",
    "Electric bass(pick)",
    "Fretless bass",
    "Slap Bass 1",
    "Slap Bass 2",
    "Synth Bass 1",
    "Synth Bass 2",
    "Violin",
    "Viola",
    "Cello",
    "Contrabass",
    "Tremolo Strings",
    "Pizzicato Strings",
    "Orchestral Strings",
    "Timpani",
    "String Ensemble 1",
    "String Ensemble 2",
    "SynthStrings 1",
    "SynthStrings 2",
    "Choir Aahs",
    "Voice Oohs",
    "Synth Voice",
    "Orchestra Hit",
    "Trumpet",
    "Trombone",
    "Tuba",
    "Muted Trumpet",
    "French Horn",
    "Brass Section",
    "SynthBrass 1",
    "SynthBrass 2",
    "Soprano Sax",
    "Alto Sax",
    "Tenor Sax",
    "Baritone Sax",
    "Oboe",
    "English Horn",
    "Bassoon",
    "Clarinet",
    "Piccolo",
    "Flute",
    "Recorder",
    "Pan Flute",
    "Blown Bottle",
    "Skakuhachi",
    "Whistle",
    "Ocarina",
    "Lead 1 (square)",
    "Lead 2 (sawtooth)",
    "Lead 3 (calliope)",
    "Lead 4 (chiff)",
    "Lead 5 (charang)",
    "Lead 6 (voice)",
    "Lead 7 (fifths)",
    "Lead 8 (bass+lead)",
    "Pad 1 (new age)",
    "Pad 2 (warm)",
    "Pad 3 (polysynth)",
    "Pad 4 (choir)",
    "Pad 5 (bowed)",
    "Pad 6 (metallic)",
    "Pad 7 (halo)",
    "Pad 8 (sweep)",
    "FX 1 (rain)",
    "FX 2 (soundtrack)",
    "FX 3 (crystal)",
    "FX 4 (atmosphere)",
    "FX 5 (brightness)",
    "FX 6 (goblins)",
    "FX 7 (echoes)",
    "FX 8 (sci-fi)",
    "Sitar",
    "Banjo",
    "Shamisen",
    "Koto",
    "Kalimba",
    "Bagpipe",
    "Fiddle",
    "Shanai",
    "Tinkle Bell",
    "Agogo",
    "Steel Drums",
    "Woodblock",
    "Taiko Drum",
    "Melodic Tom",
    "Synth Drum",
    "Reverse Cymbal",
    "Guitar Fret Noise",
    "Breath Noise",
    "Seashore",
    "Bird Tweet",
    "Telephone Ring",
    "Helicopter",
    "Applause",
    "Gunshot",
};

} // namespace

QStringList instrumentRows() {
    QStringList rows;
    for (int i = 0; i < int(InstrumentNames.size()); ++i)
        rows << QStringLiteral(" %1%2").arg(i + 1, -5).arg(
            QLatin1String(InstrumentNames[size_t(i)]));
    return rows;
}

QStringList playbackChannelRows() {
    QStringList rows;
    for (int channel = 1; channel <= 16; ++channel)
        rows << QStringLiteral(" %1").arg(channel);
    return rows;
}

QStringList deviceRows(const QStringList& portNames) {
    return QStringList{QStringLiteral("Built-in Synthesizer")} + portNames;
}

PlaybackControls playbackControls(const PlaybackSettings& s, int portCount) {
    PlaybackControls c;
    c.deviceRow = s.device >= -1 && s.device < portCount ? s.device + 1 : 0;
    c.channelRow = std::clamp(s.channel, 1, 16) - 1;
    c.instrumentRow = std::clamp(s.instrument, 1, 128) - 1;
    c.volume = std::clamp(s.volume, 0, 127);
    c.chordTempo = std::clamp(s.chordTempo, 0, 100);
    c.scaleTempo = std::clamp(s.scaleTempo, 0, 100);
    c.arpeggioTempo = std::clamp(s.arpeggioTempo, 0, 100);
    return c;
}

void storePlaybackControls(const PlaybackControls& c, PlaybackSettings& s) {
    s.channel = c.channelRow + 1;
    s.instrument = c.instrumentRow + 1;
    s.chordTempo = c.chordTempo;
    s.scaleTempo = c.scaleTempo;
    s.arpeggioTempo = c.arpeggioTempo;
    s.volume = c.volume;
    s.device = c.deviceRow - 1;
}

} // namespace chordalis
