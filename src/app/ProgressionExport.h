#pragma once

#include "app/LoopNotes.h"
#include "progressions/Chart.h"
#include "sound/MidiFile.h"

namespace chordalis {

struct AppState;
struct ChordLibrary;

// The chart's chords as the loop plays them: each grip's notes (lowest string first; nothing when
// the chord has no grip, so the guitar rests), the bass (a slash chord's bass, else the root),
// the 5th above the root (the chord's own diminished or augmented one, else perfect) and beats.
std::vector<LoopSource> loopSources(const ProgressionChart& chart);

// The options with the sound the program plays the loop with: the playback channel, instrument
// and volume, and the metronome's count-in sounds and channel.
LoopOptions withPlaybackSounds(LoopOptions options, const AppState& state);

// Passes a MIDI file of the loop may hold: a few minutes of any progression.
inline constexpr int MaxLoopPasses = 64;

// The loop as Play plays it, as a MIDI song: its count-in (when it has one), then `passes`
// (clamped to 1..MaxLoopPasses) passes back to back, a beat lasting the metronome's interval at
// the loop's tempo as on the page. A track per channel the loop sounds on (guitar, bass, drums
// on channel 10), each beginning with its program; the count-in on a track of its own.
MidiScore loopMidiScore(const LoopNotes& loop, int passes, const QString& title);

// The files a voiced progression is written as.
enum class ChartFormat { ChordPro, MusicXml, Pdf, Midi };
inline constexpr int ChartFormatCount = 4;
// "chordpro", "musicxml", "pdf", "midi": the tool's option and JSON names.
const char* chartFormatWord(ChartFormat format);

// Writes the bytes through a temporary file renamed over the path, so that a failure leaves no
// half-written file and an existing one as it was. The reason it could not (no name, a folder,
// the system's error), or an empty text.
QString writeFileWhole(const QString& path, const QByteArray& bytes);

// Writes the chart in the format, replacing the file only when the whole of it was written: the
// ChordPro song, the MusicXML score (its chord names from `chords`), the PDF chart (mirrored
// boxes when left-handed) or the MIDI file of `loop` for `passes` passes. The reason it could
// not, or an empty text.
QString writeChartFile(ChartFormat format, const QString& path, const ProgressionChart& chart,
                       const ChordLibrary& chords, bool leftHanded, const LoopNotes& loop,
                       int passes);

} // namespace chordalis
