// Any bytes as the settings store: what is read is within range and consistent, and writing it
// and reading it back gives the same settings and the same store again.
#include "FuzzSupport.h"
#include "app/Settings.h"

#include <QFile>
#include <QSettings>
#include <tuple>

using namespace chordalis;
using chordalis::fuzz::require;

namespace {

// Every setting the store keeps.
auto settingsOf(const AppState& s) {
    const PlaybackSettings& p = s.playback;
    const MetronomeSettings& m = s.metronome;
    const ViewSettings& v = s.view;
    return std::tuple(p.device, p.channel, p.instrument, p.volume, p.chordTempo, p.scaleTempo,
                      p.arpeggioTempo, s.colourRoot, s.colourChord, s.colourScale, s.colourBoth,
                      s.instrument, s.capo, s.tuningSpelling, m.beats, m.sound1, m.sound2, m.tempo,
                      m.channel, s.fretboardFile, s.leftHanded, v.labels, v.fretNumbers,
                      v.shadePosition, v.outlineRoots, v.highlightSounding, v.beatIndicator, v.run);
}

void checkRanges(const AppState& s) {
    const PlaybackSettings& p = s.playback;
    require(p.device >= -1 && p.device <= 255 && p.channel >= 1 && p.channel <= 16);
    require(p.instrument >= 1 && p.instrument <= 128 && p.volume >= 0 && p.volume <= 127);
    for (int tempo : {p.chordTempo, p.scaleTempo, p.arpeggioTempo})
        require(tempo >= 0 && tempo <= 100);
    for (PackedColour colour : {s.colourRoot, s.colourChord, s.colourScale, s.colourBoth})
        require(colour >= 0 && colour <= 0xFFFFFF);
    // A neck of 4 to 10 strings within reach, a preset number only for exactly its notes, and a
    // capo only where the neck can hold it.
    const Instrument& neck = s.instrument;
    const int strings = neck.strings();
    require(strings >= MinStrings && strings <= MaxStrings);
    require(neck.frets >= MinFrets && neck.frets <= MaxFrets);
    for (int string = 1; string <= strings; ++string)
        require(isOpenNoteInRange(strings, string, neck.tuning.openNote(string)));
    require(neck.tuning.preset >= 0 && neck.tuning.preset <= 12);
    require(neck.tuning.preset == 0 || neck.tuning == presetTuning(neck.tuning.preset));
    require(s.capo.fits(strings) && s.capo.fret < neck.frets);
    require(s.finderSelection.size() == size_t(strings));
    const MetronomeSettings& m = s.metronome;
    require(m.sound1 >= 35 && m.sound1 <= 81 && m.sound2 >= 35 && m.sound2 <= 81);
    require(m.tempo >= 40 && m.tempo <= 400 && m.channel >= 0 && m.channel <= 15);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString folder = fuzz::scratchFolder();
    // Fresh names each time: QSettings keeps what it read of a file while its size and time
    // look the same.
    static unsigned run = 0;
    ++run;
    const QString input = folder + QStringLiteral("/in-%1.conf").arg(run);
    const QString first = folder + QStringLiteral("/first-%1.conf").arg(run);
    const QString second = folder + QStringLiteral("/second-%1.conf").arg(run);
    fuzz::writeFile(input, std::string_view(reinterpret_cast<const char*>(data), size));

    auto readFrom = [](const QString& file) {
        QSettings store(file, QSettings::IniFormat);
        AppState state;
        readSettings(store, state);
        return state;
    };
    auto writeTo = [](const QString& file, const AppState& state) {
        QSettings store(file, QSettings::IniFormat);
        writeSettings(store, state);
        store.sync();
        require(store.status() == QSettings::NoError);
    };
    const AppState read = readFrom(input);
    checkRanges(read);
    writeTo(first, read);
    const AppState again = readFrom(first);
    require(settingsOf(again) == settingsOf(read));
    writeTo(second, again);
    require(fuzz::fileBytes(first) == fuzz::fileBytes(second));
    QFile::remove(input);
    QFile::remove(first);
    QFile::remove(second);
    return 0;
}
