#include "app/ProgressionExport.h"

#include "sound/MidiOut.h"

namespace chordalis {

namespace {

constexpr int GuitarChannel = 0;
constexpr int BassChannel = 1;
constexpr int GuitarProgram = 25; // General MIDI's steel-string acoustic guitar, from 0
constexpr int BassProgram = 33;   // finger bass
constexpr int GuitarVelocity = 80;
constexpr int BassVelocity = 90;
constexpr int LowestBass = 28; // E1: the bass's open low string

void addNote(MidiScore::Track& track, int channel, int note, int velocity, int from, int to) {
    track.events.push_back({from, packShortMessage(0x90 | channel, note, velocity)});
    track.events.push_back({to, packShortMessage(0x80 | channel, note, 0)});
}

} // namespace

MidiScore progressionMidiScore(const ProgressionChart& chart, bool bass) {
    MidiScore score;
    score.title = oneLine(chart.title);
    score.beatsPerMinute = chart.tempo;
    score.beatsPerBar = chart.progression.beatsPerBar;
    MidiScore::Track guitar{QStringLiteral("Guitar"), {}, 0};
    MidiScore::Track low{QStringLiteral("Bass"), {}, 0};
    guitar.events.push_back({0, packShortMessage(0xc0 | GuitarChannel, GuitarProgram)});
    low.events.push_back({0, packShortMessage(0xc0 | BassChannel, BassProgram)});
    const auto& chords = chart.progression.chords;
    // Chords start on their bar's first beat plus the beats of the chords before them in it, so
    // a bar's length is the meter's even where the reading gave it other beats.
    int barStart = 0, bar = chords.empty() ? 0 : chords.front().bar, tick = 0;
    for (size_t i = 0; i < chords.size(); ++i) {
        const ProgressionChord& c = chords[i];
        if (c.bar != bar) {
            barStart += (c.bar - bar) * chart.progression.beatsPerBar * MidiScore::TicksPerBeat;
            barStart = std::max(barStart, tick);
            bar = c.bar;
            tick = barStart;
        }
        const int end = tick + c.beats * MidiScore::TicksPerBeat;
        if (i < chart.grips.size() && chart.grips[i]) {
            const Voicing& grip = *chart.grips[i];
            for (int s = grip.strings(); s >= 1; --s) {
                if (const auto fret = grip.fret(s))
                    addNote(guitar, GuitarChannel,
                            std::clamp(chart.tuning.openNote(s) + *fret, 0, 127), GuitarVelocity,
                            tick, end);
            }
        }
        const int pitchClass = c.bass ? c.bass->pitchClass : c.root.pitchClass;
        addNote(low, BassChannel, LowestBass + (pitchClass - LowestBass % 12 + 12) % 12,
                BassVelocity, tick, end);
        tick = end;
    }
    guitar.endTick = low.endTick = tick;
    score.tracks.push_back(std::move(guitar));
    if (bass)
        score.tracks.push_back(std::move(low));
    return score;
}

} // namespace chordalis
