#include "CliListen.h"

#include "CliCommands.h"
#include "library/LibraryLoader.h"
#include "library/Warnings.h"
#include "listening/ChordCheck.h"
#include "listening/Listener.h"
#include "listening/WavReader.h"
#include "theory/Neck.h"
#include "theory/Spelling.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace chordalis::cli {

namespace {

// Rounded for people and diffs: 0.1 ms, 0.01 Hz, 0.1 cent, 0.001 of confidence.
double rounded(double value, double step) {
    return std::round(value / step) * step;
}

QString noteText(int note) {
    return nameWithOctave(noteName(pitchClassOfNote(note), FlatColumn), note);
}

} // namespace

int listen(const QString& folder, const Arguments& args, QTextStream& out, QTextStream& err) {
    if (args.operands.size() != 1) {
        err << "chordalis-cli: listen needs one WAV file\n\n" << usage();
        return ExitUsage;
    }
    QString error;
    Instrument instrument;
    Capo noCapo; // listen takes no --capo
    if (!readNeckOptions(args, instrument, noCapo, error)) {
        err << "chordalis-cli: " << error << "\n";
        return ExitUsage;
    }
    double a4 = DefaultA4;
    if (args.has("--a4")) {
        bool ok = false;
        a4 = args.value("--a4").toDouble(&ok);
        if (!ok || !(a4 >= LowestA4 && a4 <= HighestA4)) {
            err << "chordalis-cli: --a4 takes a reference pitch from 430 to 450 Hz, not \""
                << args.value("--a4") << "\"\n";
            return ExitUsage;
        }
    }
    std::optional<std::vector<int>> selection;
    if (args.has("--check")) {
        selection =
            parseFrets(args.value("--check"), instrument.strings(), instrument.frets, error);
        if (!selection) {
            err << "chordalis-cli: --check: " << error << "\n";
            return ExitUsage;
        }
    }
    const QString path = args.operands.first();
    const auto clip = readWavFile(path, &error);
    if (!clip) {
        err << "chordalis-cli: " << error << "\n";
        return ExitDataError;
    }
    if (!(clip->sampleRate >= LowestListenRate && clip->sampleRate <= HighestListenRate)) {
        err << "chordalis-cli: " << path << ": a sample rate of " << clip->sampleRate
            << " Hz cannot be listened to (" << LowestListenRate << " to " << HighestListenRate
            << " Hz)\n";
        return ExitDataError;
    }
    IniReader ini(folder);
    Warnings warnings(true);
    LibraryLoader loader(ini, warnings);
    const ChordLibrary chords = loader.loadChords();
    if (chords.count == 0) {
        err << "chordalis-cli: no chord library in " << folder << "\n";
        return ExitDataError;
    }

    Listener listener(clip->sampleRate, a4);
    listener.push(clip->samples);
    listener.finish();
    QJsonArray frames;
    for (const PitchFrame& f : listener.takeFrames()) {
        const bool voiced = f.pitch.voiced();
        frames.append(
            QJsonObject{{"time", rounded(f.time, 1e-4)},
                        {"f0", voiced ? QJsonValue(rounded(f.pitch.f0, 0.01)) : QJsonValue()},
                        {"note", voiced ? QJsonValue(noteText(f.note.note)) : QJsonValue()},
                        {"cents", voiced ? QJsonValue(rounded(f.note.cents, 0.1)) : QJsonValue()},
                        {"confidence", rounded(f.pitch.confidence, 0.001)}});
    }
    const std::vector<NoteEvent> events = listener.takeEvents();
    QJsonArray eventList;
    for (const NoteEvent& e : events) {
        const std::vector<int> notes = e.notes.above(DefaultShare);
        const HeardChord chord = nameHeardNotes(ini, chords, notes);
        QJsonArray names, midi;
        for (int n : notes) {
            names.append(noteText(n));
            midi.append(n);
        }
        eventList.append(QJsonObject{{"time", rounded(e.time, 1e-4)},
                                     {"notes", names},
                                     {"midi", midi},
                                     {"chord", chord.text},
                                     {"symbol", chord.symbol}});
    }
    QJsonObject result{{"file", path},
                       {"sampleRate", clip->sampleRate},
                       {"seconds", rounded(clip->seconds(), 1e-4)},
                       {"a4", a4},
                       {"frames", frames},
                       {"events", eventList}};
    if (selection) {
        // The finder's values: 0 not played, -1 open, n fret n.
        std::vector<std::optional<int>> frets;
        for (int v : *selection)
            frets.push_back(v == 0 ? std::nullopt : std::optional<int>(std::max(v, 0)));
        const std::vector<float> strum =
            events.empty() ? std::vector<float>{} : events.front().sound;
        QJsonArray verdicts;
        for (const StringVerdict& v : checkStrum(instrument, frets, listener.noteFinder(), strum))
            verdicts.append(QJsonObject{
                {"string", v.string},
                {"expected", v.expected ? QJsonValue(noteText(*v.expected)) : QJsonValue()},
                {"heard", v.heard ? QJsonValue(noteText(*v.heard)) : QJsonValue()},
                {"verdict", checkWord(v.check)}});
        result.insert(
            "check",
            QJsonObject{{"frets", args.value("--check")},
                        {"strum", events.empty() ? QJsonValue()
                                                 : QJsonValue(rounded(events.front().time, 1e-4))},
                        {"strings", verdicts}});
    }
    out << QJsonDocument(result).toJson(QJsonDocument::Indented);
    return ExitOk;
}

} // namespace chordalis::cli
