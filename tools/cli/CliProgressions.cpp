#include "CliProgressions.h"

#include "CliCommands.h"
#include "app/Program.h"
#include "app/ProgressionExport.h"
#include "app/ProgressionGrips.h"
#include "modes/AppState.h"
#include "progressions/Keys.h"
#include "progressions/Progression.h"
#include "progressions/Voicer.h"
#include "theory/RootTabs.h"
#include "theory/Spelling.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace chordalis::cli {

namespace {

void print(QTextStream& out, const QJsonObject& object) {
    out << QJsonDocument(object).toJson(QJsonDocument::Indented);
}

const char* const RootList = "C C# Db D D# Eb E F F# Gb G G# Ab A A# Bb B";

// The root tab --root names (C when absent), or 0 with the refusal written.
int rootOption(const Arguments& args, QTextStream& err) {
    if (!args.has("--root"))
        return 1;
    const auto tab = rootTabIndex(args.value("--root"));
    if (!tab)
        err << "chordalis-cli: \"" << args.value("--root") << "\" is not a root; use one of "
            << RootList << "\n";
    return tab.value_or(0);
}

QString modeList() {
    QStringList words;
    for (int m = 0; m < KeyModeCount; ++m)
        words << QLatin1String(keyModeWord(KeyMode(m)));
    return words.join(u' ');
}

std::optional<KeyMode> modeOption(const Arguments& args, KeyMode fallback, QTextStream& err) {
    if (!args.has("--mode"))
        return fallback;
    const auto mode = keyModeOf(args.value("--mode"));
    if (!mode)
        err << "chordalis-cli: \"" << args.value("--mode") << "\" is not a mode; use one of "
            << modeList() << "\n";
    return mode;
}

QJsonObject chordToJson(const KeyChord& c) {
    return QJsonObject{{"numeral", c.numeral},
                       {"symbol", c.symbol},
                       {"notes", QJsonArray::fromStringList(c.notes)},
                       {"function", QLatin1String(functionWord(c.function))},
                       {"degree", c.degree},
                       {"item", c.item}};
}

QJsonObject partsToJson(const CostParts& p) {
    return QJsonObject{{"semitones", p.semitones}, {"notHeld", p.notHeld},
                       {"topVoice", p.topVoice},   {"shift", p.shift},
                       {"fingers", p.fingers},     {"difficulty", p.difficulty}};
}

QJsonObject summary(const VoicedProgression& v) {
    QJsonObject o = partsToJson(v.parts);
    o.insert("total", v.total);
    return o;
}

// What --midi writes: the loop with these options, this many passes.
struct LoopMidi {
    LoopOptions options;
    int passes = 1;
};

// The loop's options from --strum, --bass, --drums, --count-in and --passes; nothing, with the
// refusal written, when one cannot be read.
std::optional<LoopMidi> loopMidiOptions(const Arguments& args, const AppState& state, int tempo,
                                        int beatsPerBar, QTextStream& err) {
    LoopMidi midi;
    LoopOptions& o = midi.options;
    o = withPlaybackSounds(o, state);
    o.tempo = tempo;
    o.beatsPerBar = beatsPerBar;
    o.bass = args.has("--bass") ? BassPattern::Root : BassPattern::None;
    o.drums = args.has("--drums");
    o.countIn = args.has("--count-in");
    if (args.has("--strum")) {
        const auto pattern = strumPatternOf(args.value("--strum"));
        if (!pattern) {
            err << "chordalis-cli: \"" << args.value("--strum")
                << "\" is not a strum pattern; use whole, quarters, down-up or fingerpicked\n";
            return std::nullopt;
        }
        o.pattern = *pattern;
    }
    if (args.has("--passes")) {
        QString error;
        const auto passes = numberOption(args, "--passes", 1, MaxLoopPasses, error);
        if (!passes) {
            err << "chordalis-cli: " << error << "\n";
            return std::nullopt;
        }
        midi.passes = *passes;
    }
    return midi;
}

// The files --chordpro, --musicxml, --pdf and --midi ask for, written from the chart in that
// order; each one written is named in `written` by its format. The first file that cannot be
// written stops the others, with the reason in the returned text.
QString writeExports(const Arguments& args, const ProgressionChart& chart, const AppState& state,
                     const LoopMidi& midi, QJsonObject& written) {
    const LoopNotes loop = makeLoop(loopSources(chart), midi.options);
    for (int f = 0; f < ChartFormatCount; ++f) {
        const auto format = ChartFormat(f);
        const QByteArray option = "--" + QByteArray(chartFormatWord(format));
        if (!args.has(option.constData()))
            continue;
        const QString path = args.value(option.constData());
        const QString problem =
            writeChartFile(format, path, chart, state.chords, state.leftHanded, loop, midi.passes);
        if (!problem.isEmpty())
            return QStringLiteral("cannot write the %1 file \"%2\": %3")
                .arg(QLatin1String(chartFormatWord(format)), path, problem);
        written.insert(QLatin1String(chartFormatWord(format)), path);
    }
    return {};
}

} // namespace

QString progressionUsage() {
    return QStringLiteral(
               "  key --root R --mode MODE     The chords of a key: for each degree its numeral,\n"
               "                               function, triad and seventh chord with their "
               "notes;\n"
               "                               then the secondary dominants and the chords "
               "borrowed\n"
               "                               from the parallel key. MODE is one of\n"
               "                               %1.\n"
               "  progression TEXT --root R [--mode M] [--style S] [--region A-B] [--tuning T]\n"
               "              [--capo C]       A progression voiced on the neck: TEXT is chord "
               "symbols\n"
               "                               (\"| Dm7 | G7 | Cmaj7 | % |\"), numerals in the "
               "key\n"
               "                               (\"ii7 V7 Imaj7\"; --mode, default major) or the "
               "name of\n"
               "                               a progression of progressions.ini "
               "(\"blues-twelve\",\n"
               "                               in its own mode). Prints each chord's symbol, "
               "notes,\n"
               "                               bar and beats, the grip chosen (frets per string "
               "from\n"
               "                               string 1, -1 muted, as show chord's voicings) and "
               "the\n"
               "                               cost parts; beside them the totals of taking each\n"
               "                               chord's first grip and of a greedy choice. --style "
               "is\n"
               "                               any, open, shell, drop2, drop3 or triads; --region "
               "the\n"
               "                               frets A..B the fretted notes keep to.\n"
               "              [--tempo N] [--chordpro F] [--musicxml F] [--pdf F] [--midi F] "
               "[--bass]\n"
               "              [--strum P] [--drums] [--count-in] [--passes N]\n"
               "                               Also writes the voiced progression as a ChordPro "
               "song,\n"
               "                               a MusicXML score with chord symbols and diagrams, "
               "a\n"
               "                               printed chord chart and a MIDI file of the loop as "
               "the\n"
               "                               page plays it: strum P (whole, quarters, down-up, "
               "\n"
               "                               fingerpicked; default quarters), a bass on the "
               "chords'\n"
               "                               basses, drums on channel 10, a bar of count-in, N "
               "passes\n"
               "                               (1..64, default 1); at N beats a minute (20..300, "
               "default 100);\n"
               "                               \"written\" names the files. A file that cannot "
               "be\n"
               "                               written is an error (status 1), left as it was.\n"
               "              [--melody NOTES]  One note with its octave per chord (\"E4 F4 - "
               "G4\",\n"
               "                               \"-\" leaves a chord free): each chord's grip has "
               "that\n"
               "                               note on top. capoSuggestions lists capos that "
               "turn the\n"
               "                               progression into open shapes, cheapest first.\n")
        .arg(modeList());
}

int keyCommand(Program& program, const Arguments& args, QTextStream& out, QTextStream& err) {
    const int tab = rootOption(args, err);
    const auto mode = modeOption(args, KeyMode::Major, err);
    if (tab == 0 || !mode)
        return ExitUsage;
    const Key key = makeKey(tab, *mode, program.state().chords);
    QJsonArray degrees, scale, secondary, borrowed;
    for (int d = 0; d < 7; ++d) {
        scale.append(key.scale[size_t(d)].name());
        degrees.append(
            QJsonObject{{"degree", d + 1},
                        {"note", key.scale[size_t(d)].name()},
                        {"numeral", key.triads[size_t(d)].numeral},
                        {"function", QLatin1String(functionWord(key.triads[size_t(d)].function))},
                        {"triad", chordToJson(key.triads[size_t(d)])},
                        {"seventh", chordToJson(key.sevenths[size_t(d)])}});
    }
    for (const KeyChord& c : key.secondaryDominants)
        secondary.append(chordToJson(c));
    for (const KeyChord& c : key.borrowed)
        borrowed.append(chordToJson(c));
    print(out, QJsonObject{{"root", key.root.name()},
                           {"mode", QLatin1String(keyModeWord(key.mode))},
                           {"scale", scale},
                           {"degrees", degrees},
                           {"secondaryDominants", secondary},
                           {"borrowed", borrowed}});
    return ExitOk;
}

int progressionCommand(Program& program, const Arguments& args, QTextStream& out,
                       QTextStream& err) {
    const QString text = args.operands.join(u' ').trimmed();
    if (text.isEmpty()) {
        err << "chordalis-cli: progression needs a TEXT, such as \"ii7 V7 Imaj7\"\n";
        return ExitUsage;
    }
    const int tab = rootOption(args, err);
    if (tab == 0)
        return ExitUsage;
    // A name of the library brings its chords, mode and meter.
    QString chords = text;
    QString title = text;
    KeyMode fallback = KeyMode::Major;
    int beats = 4;
    Warnings quiet(true);
    for (const LibraryProgression& p : loadProgressions(program.context().ini, quiet)) {
        if (p.id == text || p.name.compare(text, Qt::CaseInsensitive) == 0) {
            chords = p.chords;
            title = p.name;
            fallback = p.mode;
            beats = p.beatsPerBar;
        }
    }
    const auto mode = modeOption(args, fallback, err);
    if (!mode)
        return ExitUsage;
    VoicerConstraints constraints;
    if (args.has("--style")) {
        const auto style = voicingStyleOf(args.value("--style"));
        if (!style) {
            err << "chordalis-cli: \"" << args.value("--style")
                << "\" is not a style; use any, open, shell, drop2, drop3 or triads\n";
            return ExitUsage;
        }
        constraints.style = *style;
    }
    if (args.has("--region")) {
        static const QRegularExpression range(QStringLiteral("^(\\d{1,2})-(\\d{1,2})$"));
        const auto m = range.match(args.value("--region"));
        const int frets = program.state().maxFret();
        if (!m.hasMatch() || m.captured(1).toInt() > m.captured(2).toInt() ||
            m.captured(2).toInt() > frets) {
            err << "chordalis-cli: --region must be two frets A-B, A no higher than B, within "
                   "0.."
                << frets << ", not \"" << args.value("--region") << "\"\n";
            return ExitUsage;
        }
        constraints.lowFret = m.captured(1).toInt();
        constraints.highFret = m.captured(2).toInt();
    }
    int tempo = ProgressionChart::DefaultChartTempo;
    if (args.has("--tempo")) {
        QString error;
        const auto value = numberOption(args, "--tempo", ProgressionChart::MinChartTempo,
                                        ProgressionChart::MaxChartTempo, error);
        if (!value) {
            err << "chordalis-cli: " << error << "\n";
            return ExitUsage;
        }
        tempo = *value;
    }
    const AppState& state = program.state();
    const Key key = makeKey(tab, *mode, state.chords);
    const auto midi = loopMidiOptions(args, state, tempo, beats, err);
    if (!midi)
        return ExitUsage;
    const ProgressionReading reading =
        readProgression(chords, key, program.search(), state.chords, beats);
    if (!reading.progression) {
        err << "chordalis-cli: " << reading.error << "\n";
        print(out, QJsonObject{{"error", reading.error}, {"token", reading.token}});
        return ExitUsage;
    }
    const Progression& p = *reading.progression;
    VoicerRequest request;
    std::vector<std::optional<int>> tops;
    if (args.has("--melody")) {
        // One note with its octave per chord as played (repeats written out); "-" leaves a chord
        // free.
        const QStringList notes = args.value("--melody").split(u' ', Qt::SkipEmptyParts);
        for (const QString& n : notes) {
            const auto note = n == u'-' ? std::optional<int>() : midiNoteOf(n);
            if (!note && n != u'-') {
                err << "chordalis-cli: --melody: \"" << n
                    << "\" is not a note with its octave, such as E4 or Bb3, nor \"-\"\n";
                return ExitUsage;
            }
            tops.push_back(note);
        }
        if (tops.size() != p.chords.size()) {
            err << "chordalis-cli: --melody gives " << tops.size() << " note(s) for "
                << p.chords.size()
                << " chord(s); give one per chord, \"-\" for a chord left free\n";
            return ExitUsage;
        }
    }
    request.chords = progressionGrips(program.context(), p, constraints.style, tops);
    request.tuning = state.tuning();
    request.capo = state.capo;
    constraints.melody = tops;
    request.constraints = constraints;
    const VoicedProgression best = voiceProgression(request);
    QJsonArray list;
    int unvoiced = 0;
    for (size_t i = 0; i < p.chords.size(); ++i) {
        const ProgressionChord& c = p.chords[i];
        QJsonObject o{{"text", c.text},
                      {"symbol", c.symbol},
                      {"notes", QJsonArray::fromStringList(c.notes)},
                      {"bar", c.bar + 1},
                      {"beats", c.beats},
                      {"item", c.item},
                      {"cost", partsToJson(best.steps[i])}};
        if (i < tops.size() && tops[i])
            o.insert("melody", *tops[i]);
        if (best.choice[i] >= 0) {
            const Voicing& v = request.chords[i].grips[size_t(best.choice[i])];
            QJsonArray frets, fingers;
            for (int s = 1; s <= v.strings(); ++s) {
                frets.append(v.fret(s) ? *v.fret(s) : -1);
                fingers.append(v.finger(s));
            }
            o.insert("frets", frets);
            o.insert("fingers", fingers);
            o.insert("caption", v.caption);
        } else {
            o.insert("frets", QJsonValue::Null);
            o.insert("noGrip",
                     c.bass && c.bass->pitchClass != c.root.pitchClass
                         ? QStringLiteral("no grip within the style, region and melody sounds "
                                          "%1 lowest")
                               .arg(c.bass->name())
                         : QStringLiteral("no grip within the style, region and melody"));
            ++unvoiced;
        }
        list.append(o);
    }
    QJsonObject result{{"root", key.root.name()},
                       {"mode", QLatin1String(keyModeWord(*mode))},
                       {"style", QLatin1String(voicingStyleWord(constraints.style))},
                       {"bars", p.bars},
                       {"beatsPerBar", p.beatsPerBar},
                       {"chords", list},
                       {"cost", summary(best)},
                       {"firstGrips", summary(firstGrips(request))},
                       {"greedy", summary(greedyGrips(request))}};
    QJsonArray capos;
    for (const CapoSuggestion& c : suggestCapos(program.context(), p))
        capos.append(QJsonObject{{"capo", c.capo},
                                 {"total", c.total},
                                 {"shapes", QJsonArray::fromStringList(c.shapes)}});
    result.insert("capoSuggestions", capos);
    ProgressionChart chart{title, key.root, *mode, tempo, p, {}, request.tuning, request.capo};
    for (size_t i = 0; i < p.chords.size(); ++i)
        chart.grips.push_back(
            best.choice[i] >= 0
                ? std::optional<Voicing>(request.chords[i].grips[size_t(best.choice[i])])
                : std::nullopt);
    QJsonObject written;
    const QString failure = writeExports(args, chart, state, *midi, written);
    if (!written.isEmpty() || !failure.isEmpty())
        result.insert("written", written);
    if (!failure.isEmpty())
        result.insert("error", failure);
    print(out, result);
    if (!failure.isEmpty()) {
        err << "chordalis-cli: " << failure << "\n";
        return ExitDataError;
    }
    if (unvoiced > 0)
        err << "chordalis-cli: " << unvoiced
            << " chord(s) have no grip within the style, region and melody asked for, or none "
               "with a slash chord's bass lowest (\"frets\": null)\n";
    return unvoiced > 0 ? ExitRefused : ExitOk;
}

} // namespace chordalis::cli
