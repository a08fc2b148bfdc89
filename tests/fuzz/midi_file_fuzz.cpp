// Any bytes as an example's MIDI file and as the .emd it is decoded from: a refusal has a reason,
// a song is in order and within the player's length, a move to another root keeps it playable and
// stays inside it. The first line, cut at "|", serves as an item's examples value and stem.
#include "FuzzSupport.h"
#include "modes/Info.h"
#include "sound/MidiFile.h"
#include "sound/MidiTranspose.h"
#include "theory/Spelling.h"

#include <algorithm>

using namespace chordalis;
using chordalis::fuzz::require;

namespace {

void checkMidi(const QByteArray& bytes) {
    QString error, moveError;
    const auto song = parseMidiFile(bytes, &error);
    const auto moved = transposeMidiFile(bytes, int(bytes.size() % 12), &moveError);
    require(moved ? moved->size() == bytes.size() : !moveError.isEmpty());
    if (song && moved) {
        QString again;
        const auto movedSong = parseMidiFile(*moved, &again);
        require(movedSong && movedSong->events.size() == song->events.size());
    }
    require(song || !error.isEmpty());
    if (!song)
        return;
    double last = 0.0;
    for (const auto& e : song->events) {
        require(e.time >= last && e.time <= MaxSongSeconds);
        last = e.time;
    }
}

void checkExampleList(const QByteArray& line) {
    const qsizetype bar = line.indexOf('|');
    const QString examples = QString::fromUtf8(line.left(bar < 0 ? line.size() : bar));
    const QString stem = bar < 0 ? QStringLiteral("stem") : QString::fromUtf8(line.mid(bar + 1));
    const auto entries = exampleEntries(stem, examples);
    const int grooves = examples.endsWith(u'*') ? 6 : 0;
    require(int(entries.size()) == 2 * std::clamp(leadingNumber(examples), 0, 99) + grooves);
    for (const ExampleEntry& e : entries) {
        require(e.file.endsWith(QLatin1String(".emd")) && !e.caption.isEmpty());
        require(!isPlainFileName(stem) || isPlainFileName(e.file));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::inputBytes(data, size);
    checkMidi(bytes);
    const qsizetype end = bytes.indexOf('\n');
    checkExampleList(bytes.left(std::min<qsizetype>(end < 0 ? bytes.size() : end, 300)));
    const auto midi = decodeExample(bytes);
    require(midi.has_value() == (size >= 14));
    if (midi) {
        require(midi->size() == bytes.size());
        checkMidi(*midi);
    }
    return 0;
}
