#include "app/ProgressionExport.h"

#include "modes/AppState.h"
#include "modes/Commands.h"
#include "print/ChordChart.h"
#include "progressions/ChordPro.h"
#include "progressions/MusicXml.h"
#include "sound/Metronome.h"
#include "sound/MidiOut.h"

#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <map>

namespace chordalis {

std::vector<LoopSource> loopSources(const ProgressionChart& chart) {
    std::vector<LoopSource> sources;
    const auto& chords = chart.progression.chords;
    for (size_t i = 0; i < chords.size(); ++i) {
        const ProgressionChord& c = chords[i];
        LoopSource source;
        if (i < chart.grips.size() && chart.grips[i])
            source.strum = voicingStrum(*chart.grips[i], chart.tuning);
        source.bassPitchClass = c.bass ? c.bass->pitchClass : c.root.pitchClass;
        int fifth = 7;
        for (const QString& name : c.notes) {
            if (const auto note = SpelledNote::of(name)) {
                const int interval = ((note->pitchClass - c.root.pitchClass) % 12 + 12) % 12;
                if (interval >= 6 && interval <= 8)
                    fifth = interval;
            }
        }
        source.fifthPitchClass = (c.root.pitchClass + fifth) % 12;
        source.beats = c.beats;
        sources.push_back(std::move(source));
    }
    return sources;
}

LoopOptions withPlaybackSounds(LoopOptions options, const AppState& state) {
    options.guitarChannel = std::clamp(state.playback.channel - 1, 0, 15);
    options.guitarProgram = std::clamp(state.playback.instrument - 1, 0, 127);
    options.velocity = std::clamp(state.playback.volume, 1, 127);
    options.countInAccent = state.metronome.sound1;
    options.countInBeat = state.metronome.sound2;
    options.countInChannel = std::clamp(state.metronome.channel, 0, 15);
    return options;
}

MidiScore loopMidiScore(const LoopNotes& loop, int passes, const QString& title) {
    MidiScore score;
    score.title = oneLine(title);
    // The player's beat is the metronome's whole-millisecond interval; the file keeps it exactly.
    score.beatsPerMinute = 60000.0 / metronomeInterval(loop.tempo);
    score.beatsPerBar = loop.beatsPerBar;
    if (loop.beats <= 0)
        return score;
    passes = std::clamp(passes, 1, MaxLoopPasses);
    const auto tick = [](double beat) {
        return int(std::lround(beat * MidiScore::TicksPerBeat));
    };
    const int end = tick(loop.countInBeats + loop.beats * passes);
    std::map<int, size_t> trackOf; // by wire channel
    const auto track = [&](int channel) -> MidiScore::Track& {
        channel = std::clamp(channel, 0, 15);
        auto it = trackOf.find(channel);
        if (it == trackOf.end()) {
            QString name =
                channel == DrumChannel ? QStringLiteral("Drums") : QStringLiteral("Guitar");
            for (const LoopProgram& p : loop.programs)
                if (p.channel == channel && p.program == BassProgram)
                    name = QStringLiteral("Bass");
            score.tracks.push_back({name, {}, end});
            it = trackOf.emplace(channel, score.tracks.size() - 1).first;
        }
        return score.tracks[it->second];
    };
    const auto add = [&](MidiScore::Track& t, const LoopNote& n, double offset) {
        const int channel = std::clamp(n.channel, 0, 15);
        const int on = tick(offset + n.beat);
        // However short, a note ends after it begins, so the writer cannot put its note-off first.
        const int off = std::max(on + 1, tick(offset + n.beat + n.length));
        t.events.push_back({on, packShortMessage(0x90 | channel, n.note, n.velocity)});
        t.events.push_back({off, packShortMessage(0x80 | channel, n.note, 0)});
    };
    for (const LoopProgram& p : loop.programs)
        track(p.channel).events.push_back(
            {0, packShortMessage(0xc0 | std::clamp(p.channel, 0, 15), p.program)});
    for (int pass = 0; pass < passes; ++pass)
        for (const LoopNote& n : loop.notes)
            add(track(n.channel), n, loop.countInBeats + loop.beats * pass);
    if (!loop.countIn.empty()) {
        score.tracks.push_back({QStringLiteral("Count-in"), {}, end});
        for (const LoopNote& n : loop.countIn)
            add(score.tracks.back(), n, 0.0);
    }
    return score;
}

const char* chartFormatWord(ChartFormat format) {
    switch (format) {
    case ChartFormat::ChordPro:
        return "chordpro";
    case ChartFormat::MusicXml:
        return "musicxml";
    case ChartFormat::Pdf:
        return "pdf";
    case ChartFormat::Midi:
        return "midi";
    }
    return "pdf";
}

namespace {

// Why a file cannot be written at the path before trying: no name, or a folder; else empty.
QString pathProblem(const QString& path) {
    if (path.isEmpty())
        return QStringLiteral("no file name given");
    return QFileInfo(path).isDir() ? QStringLiteral("it is a folder") : QString();
}

} // namespace

QString writeFileWhole(const QString& path, const QByteArray& bytes) {
    if (QString problem = pathProblem(path); !problem.isEmpty())
        return problem;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return {};
}

QString writeChartFile(ChartFormat format, const QString& path, const ProgressionChart& chart,
                       const ChordLibrary& chords, bool leftHanded, const LoopNotes& loop,
                       int passes) {
    switch (format) {
    case ChartFormat::ChordPro:
        return writeFileWhole(path, chordProText(chart).toUtf8());
    case ChartFormat::MusicXml:
        return writeFileWhole(path, musicXml(chart, chords));
    case ChartFormat::Midi:
        return writeFileWhole(path, midiFileBytes(loopMidiScore(loop, passes, chart.title)));
    case ChartFormat::Pdf:
        break;
    }
    // The PDF writer replaces the file as a whole too.
    if (QString problem = pathProblem(path); !problem.isEmpty())
        return problem;
    const PdfResult r = writeChordChartPdf(path, chart, defaultSheetPaper(), leftHanded);
    return r.status == PdfResult::Written ? QString() : r.message;
}

} // namespace chordalis
