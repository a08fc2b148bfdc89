#include "CliCommands.h"

#include "CliArguments.h"
#include "CliListen.h"
#include "CliLive.h"
#include "CliPractice.h"
#include "CliProgressions.h"
#include "app/InfoSession.h"
#include "app/Json.h"
#include "app/MessageBoxes.h"
#include "app/Program.h"
#include "app/SkinChooser.h"
#include "fretboard/ChordBoxPainter.h"
#include "fretboard/Skins.h"
#include "ledguitar/SimulatedGuitar.h"
#include "modes/ChordGrips.h"
#include "modes/Chords.h"
#include "modes/Commands.h"
#include "modes/Finder.h"
#include "modes/Info.h"
#include "modes/InfoDocument.h"
#include "modes/Modes.h"
#include "modes/RootTabs.h"
#include "modes/TreeClicks.h"
#include "modes/Triads.h"
#include "print/PdfSheets.h"
#include "print/ReferenceSheet.h"
#include "sound/MidiFile.h"
#include "sound/MidiFilePlayer.h"
#include "sound/MidiTranspose.h"
#include "sound/RecordingMidiOut.h"
#include "sound/backends/OfflineRender.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPainter>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryFile>
#include <cmath>
#include <map>
#include <optional>

namespace chordalis::cli {

QString usage() {
    QString text = QStringLiteral(
        "Usage: chordalis-cli COMMAND [OPTIONS]\n"
        "\n"
        "Prints what Chordalis would show, as JSON on standard output.\n"
        "\n"
        "Commands:\n"
        "  spell --root R --formula F   Spell an interval formula for a root: note names, pitch\n"
        "                               classes, the formula and notes as the labels show them.\n"
        "                               R is a root tab: C C# Db D D# Eb E F F# Gb G G# Ab A A# Bb "
        "B\n"
        "                               F is a formula such as \"1;b3;5;b7\" (tokens of an "
        "optional\n"
        "                               f, b, #, x and a degree 1..14, separated by \";\").\n"
        "  library                      The chord, scale and triad libraries and every tree of "
        "the\n"
        "                               main window (keys, texts, parents), with the warnings "
        "that\n"
        "                               loading the data files gave.\n"
        "  voicings [OPTIONS]           Every chord of the library on the roots C..B: the\n"
        "                               voicing engine's grips as the chords page lists them\n"
        "                               (frets, fingers, caption), on the neck and capo of\n"
        "                               --tuning, --preset, --fret-count and --capo; one line.\n"
        "  show MODE [OPTIONS]          What the neck and the page show for a mode: labels, tree\n"
        "                               nodes, every mark and sign in drawing order and the LED\n"
        "                               frame. MODE is chord, scale, arpeggio, note, triad,\n"
        "                               chordscale or finder. With --led-reports also the three\n"
        "                               output reports an LED guitar with its lights on is sent\n"
        "                               for that frame, each [CMD1, Data1, ..., Data8].\n"
        "  render MODE [OPTIONS] [--png FILE] [--boxes FILE.svg|FILE.png]\n"
        "                               Writes the neck picture of that display (753 x 183 for\n"
        "                               the six-string neck of 15 frets) to a PNG file. For\n"
        "                               MODE chord or triad, --boxes writes every grip of the\n"
        "                               page (the voicings, or the triad on each string group)\n"
        "                               as chord boxes, in list order: an SVG file in which each\n"
        "                               box is a <g class=\"chord-box\"> with its frets in\n"
        "                               data-frets (a character per string from the lowest up,\n"
        "                               x muted, frets above 9 in brackets: x32010,\n"
        "                               x(10)(12)(12)(12)x) and its caption in data-caption, or\n"
        "                               a PNG picture of the same grid.\n"
        "  play MODE [OPTIONS] (--midi-log | --render FILE.wav | --live [--device N])\n"
        "                               What the page's Play button would sound, for MODE chord,\n"
        "                               scale, arpeggio, triad or finder: --midi-log prints each\n"
        "                               MIDI message with its time; --render plays them through\n"
        "                               the built-in synthesizer into a WAV file, without an\n"
        "                               audio device. The instrument's program change comes\n"
        "                               first, as the program sends it when the port opens.\n"
        "                               --live plays them through the output the program's\n"
        "                               settings choose (or device N: -1 the built-in\n"
        "                               synthesizer, 0.. the MIDI ports), in real time.\n"
        "  metronome --tempo T --seconds S [--device N]\n"
        "                               The metronome at T beats per minute (40..400) for S\n"
        "                               seconds (0.1..3600) through that output, in real time.\n"
        "  print MODE [OPTIONS] --pdf FILE\n"
        "                               Writes the printed reference sheet of that display to a\n"
        "                               PDF file (landscape, A4 or Letter as the locale has it).\n"
        "                               With several --root options or --all-roots, one page\n"
        "                               per root in one file; print chord --all-items, one page\n"
        "                               for each chord of the root.\n"
        "  info MODE --item N [--root R]\n"
        "                               The information window of an item on a root, for MODE\n"
        "                               chord, arpeggio, scale or triad: the stem and examples\n"
        "                               keys, the title, txtInfo (the text as shown, moved to the\n"
        "                               root), html (the document), the grips listed, and cboInfo\n"
        "                               (the example entries in order, each with the file it\n"
        "                               loads and whether it is there).\n"
        "  example FILE.emd (--decode OUT.mid | --midi-log | --render OUT.wav) [--root R]\n"
        "                               An example file: --decode writes the MIDI file it stands\n"
        "                               for; --midi-log prints each MIDI message the information\n"
        "                               window would send, with its time; --render plays it\n"
        "                               through the built-in synthesizer into a WAV file. With\n"
        "                               --root, moved from C to that root as the window plays it\n"
        "                               (drums unchanged).\n"
        "  find TEXT                    What a name stands for, as the search field finds it: a\n"
        "                               chord symbol on any root spelling (F#m7b5, Cbmaj7, D/F#,\n"
        "                               C7(#9)), a scale, chord or triad name with or without a\n"
        "                               root (dorian, \"A dorian\", \"hirajoshi on E\"), a name\n"
        "                               with \"arpeggio\" or \"triad\", or a note. Prints mode\n"
        "                               (chord, scale, arpeggio, note or triad), item (the\n"
        "                               library number; null for a note), root (the root tab;\n"
        "                               null when the text names no root), bass (a slash\n"
        "                               chord's bass note, else null) and name (the library's\n"
        "                               long name, with the root as typed). A text that names\n"
        "                               nothing gives status 3, a message on stderr and\n"
        "                               {\"error\", \"suggestions\"}: up to 5 nearest names.\n"
        "  listen FILE.wav [--tuning T | --preset N] [--a4 HZ] [--check FRETS]\n"
        "                               What the listening engine hears in a WAV file (PCM of\n"
        "                               8..32 bits or float, any channels and rate): frames\n"
        "                               every 10 ms (time, f0, note, cents, confidence) and\n"
        "                               events (onset time, notes, chord and symbol as the\n"
        "                               finder names them). --a4 is the reference, 430..450 Hz\n"
        "                               (default 440). --check FRETS (as --frets writes them)\n"
        "                               gives each string's verdict for the first strum:\n"
        "                               right, missing or wrong, with the note heard instead.\n"
        "  practice QUIZ --db FILE      A practice session without a window. QUIZ: find-string,\n"
        "                               find-position, find-neck, name-note, intervals,\n"
        "                               qualities, changes, scales or progressions. --answers\n"
        "                               FILE (\"-\" standard input) gives one answer a line\n"
        "                               (places as s6f3, note names, intervals as m3 or P5,\n"
        "                               qualities as maj, m7.., a count of changes, a scale's\n"
        "                               name, numerals as I V vi IV); each is judged, kept in\n"
        "                               the SQLite history FILE and printed as one JSON line\n"
        "                               with the item's Leitner box and next due time (UTC),\n"
        "                               then the summary. Without --answers the questions\n"
        "                               and their answers are printed and nothing is kept.\n"
        "                               --seed N (default 1), --questions N (default 10),\n"
        "                               the neck options, --csv FILE: every answer kept, as\n"
        "                               CSV.\n"
        "  help                         This text.\n"
        "\n"
        "Options:\n"
        "  --data DIR                   Use the data files of DIR instead of the program folder.\n"
        "  --root R                     The root tab (default C). print takes several.\n"
        "  --all-roots                  print: one page for each of the 17 root tabs.\n"
        "  --all-items                  print chord: one page for each chord of the library.\n"
        "  --item N                     The chord, scale, arpeggio or triad number (triads 0..11:\n"
        "                               3 x quality + inversion; chordscale: the chord).\n"
        "  --group G                    The triad's string group 0..3 (0 strings 6-5-4 .. 3\n"
        "                               strings 3-2-1; default 0).\n"
        "  --scale S                    The chord/scale mode's scale (default: the first\n"
        "                               recommended one).\n"
        "  --frets F                    The chord finder's selection, strings 6 to 1 (on another\n"
        "                               neck its lowest string to string 1): x not played, 0\n"
        "                               open, 1..9 a fret, (10).. higher frets; for example\n"
        "                               x32010 or x(10)(12)(12)(12)x.\n"
        "  --voicing K                  The voicing of the chord: 99 the open chord, 100 and\n"
        "                               above the voicing engine's grips, else the library's\n"
        "                               movable voicing K (default: the first listed).\n"
        "  --capo C                     A capo: FRET across the neck (1..12), or FRET:FROM-TO\n"
        "                               across strings FROM to TO only (2:5-3: strings 5, 4 and\n"
        "                               3 at the 2nd fret). Grips are searched above it.\n"
        "  --generated                  show chord, show triad: \"voicings\" lists only the\n"
        "                               voicing engine's grips, in its ranking order, in any\n"
        "                               tuning including standard.\n"
        "  --position P                 The position list entry 0..13 (0 All Positions, 1 Open,\n"
        "                               2 1st Position ..).\n"
        "  --five                       Five-note position windows instead of four-note ones.\n"
        "  --tuning NOTES               The open strings, highest first: 4 to 10 of them, as\n"
        "                               MIDI notes or names with their octave (standard:\n"
        "                               64,59,55,50,45,40 or E4,B3,G3,D3,A2,E2; a 7-string adds\n"
        "                               B1, a bass is G2,D2,A1,E1). Six notes stay within the\n"
        "                               tuning dialog's limits, any other number within C0..C8.\n"
        "                               Or a name: a preset of the tuning dialog (\"Dropped D\",\n"
        "                               \"Open C\", \"Drop B\", \"B Standard\"), 7-String\n"
        "                               Guitar, 8-String Guitar, Drop A (7-String), 4-String\n"
        "                               Bass, 5-String Bass, Ukulele, Ukulele (Low G), Baritone\n"
        "                               Ukulele, Mandolin or Tenor Banjo (with their frets).\n"
        "  --fret-count N               The neck's frets, 12..24 (default 15).\n"
        "  --preset N                   A preset tuning 1..16 (1 standard, 4 Dropped D ..).\n"
        "  --left-handed                Draw the neck for a left-handed player.\n"
        "  --led-reports                show: add \"ledReports\" (see show).\n"
        "  --skin FILE                  Draw the neck on the picture FILE of the fretboards\n"
        "                               folder (default: the built-in neck).\n"
        "  --labels L                   show, render: what the markers carry, as the View menu\n"
        "                               chooses: fingers (finger digits on chords and triads,\n"
        "                               note names elsewhere; the default), notes or intervals\n"
        "                               (from the root: 1, b3, 5 ..). show prints each marker's\n"
        "                               picture under the choice as \"shown\".\n"
        "  --instrument N               play: the General MIDI instrument 1..128 (default 25).\n"
        "  --channel N                  play: the MIDI channel 1..16 (default 1).\n"
        "  --volume N                   play: the velocity 0..127 (default 100).\n"
        "  --tempo N                    play: the speed 0..100 of the chord strum, scale or\n"
        "                               arpeggio run (defaults 90, 70, 70); metronome: beats\n"
        "                               per minute.\n"
        "  --live                       play: through the real output, in real time.\n"
        "  --device N                   play --live, metronome: the output -1 (the built-in\n"
        "                               synthesizer) or 0.. (the MIDI ports, as listed), instead\n"
        "                               of the one the program's settings choose.\n"
        "  --seconds S                  metronome: how long it clicks.\n"
        "  --pdf FILE                   print: the PDF file to write.\n"
        "  --help                       This text.\n"
        "\n"
        "Exit status: 0 success, 1 a library file is missing or the sound cannot be written or\n"
        "played (the output cannot be opened), or an information text or example cannot be\n"
        "read or played, 2 wrong arguments, 3 the Play or Info button would refuse, there is\n"
        "nothing to print, or find names nothing (the message is on stderr).\n");
    // The key and progression commands come before find, in their own file.
    text.insert(text.indexOf(QLatin1String("  find TEXT")), progressionUsage());
    return text;
}

namespace {

// A file the tool is to write must be a regular file or not be there yet: writing replaces the
// file, and a FIFO, a device or a folder must never be replaced (or, for a FIFO, block).
QString outputRefusal(const QString& path) {
    const QFileInfo fi(path);
    if (fi.exists() && !fi.isFile())
        return QStringLiteral("%1 is not a regular file; give the name of a file to write")
            .arg(path);
    return {};
}

// An input file must be a regular file: a FIFO would block, a device never end.
bool isReadableKind(const QString& path) {
    const QFileInfo fi(path);
    return !fi.exists() || fi.isFile();
}

void print(QTextStream& out, const QJsonObject& object) {
    out << QJsonDocument(object).toJson(QJsonDocument::Indented);
}

int spell(const Arguments& args, QTextStream& out, QTextStream& err) {
    const auto root = args.options.find(QStringLiteral("--root"));
    const auto formula = args.options.find(QStringLiteral("--formula"));
    if (root == args.options.end() || formula == args.options.end()) {
        err << "chordalis-cli: spell needs --root and --formula\n";
        return ExitUsage;
    }
    const auto tab = rootTabIndex(root->second);
    if (!tab) {
        err << "chordalis-cli: \"" << root->second
            << "\" is not a root; use one of C C# Db D D# Eb E F F# Gb G G# Ab A A# Bb B\n";
        return ExitUsage;
    }
    if (const auto fault = checkFormula(formula->second)) {
        err << "chordalis-cli: the formula \"" << formula->second << "\" is not valid: " << *fault
            << "\n";
        return ExitUsage;
    }
    const RootTab& r = RootTabs[size_t(*tab - 1)];
    const NoteList notes = spellFormula(formula->second, r.root, r.spelling);
    print(out, QJsonObject{{"root", root->second},
                           {"rootPitchClass", r.root},
                           {"rootSpelling", r.spelling},
                           {"formula", formula->second},
                           {"notes", toJson(notes)},
                           {"formulaText", formulaText(notes)},
                           {"notesText", notesText(notes)}});
    return ExitOk;
}

// Loads a program folder as start-up does, without the user's settings.
std::optional<int> loadProgram(Program& program, QTextStream& err) {
    if (!program.initTables())
        return ExitDataError;
    QTemporaryFile scratch; // an empty settings store: the defaults
    if (!scratch.open()) {
        err << "chordalis-cli: cannot create a temporary file\n";
        return ExitDataError;
    }
    QSettings store(scratch.fileName(), QSettings::IniFormat);
    program.loadSettings(store, QSize(1024, 768));
    program.loadLibraries();
    return std::nullopt;
}

// The devices of a headless run: virtual time, a port that records what it is sent, no guitar.
struct HeadlessDevices {
    VirtualClock* clock;
    RecordingMidiOut* port;
    Devices devices;
};

HeadlessDevices headlessDevices() {
    auto clock = std::make_unique<VirtualClock>();
    auto port = std::make_unique<RecordingMidiOut>(*clock);
    // Each message is logged at the moment it is sent, the waits passing on virtual time: the
    // log starts at 0 and the strum's hold ends at 4 s, whatever lead a queue would add.
    port->ownClock = false;
    HeadlessDevices d{clock.get(), port.get(), {}};
    d.devices.clock = std::move(clock);
    d.devices.midiOut = std::move(port);
    d.devices.led = std::make_unique<SilentLedSender>();
    return d;
}

// Message boxes of a headless run: their text goes to stderr.
class StderrBoxes : public MessageBoxes {
public:
    explicit StderrBoxes(QTextStream& err) : m_err(err) {}
    void inform(BoxIcon, const QString& text) override {
        m_err << "chordalis-cli: " << QString(text).replace(u'\n', u' ') << "\n";
    }
    bool ask(BoxIcon, const QString&) override { return true; }

private:
    QTextStream& m_err;
};

int library(const QString& folder, QTextStream& out, QTextStream& err) {
    StderrBoxes boxes(err);
    Program program(folder, boxes, headlessDevices().devices, /*quietWarnings=*/true);
    if (const auto status = loadProgram(program, err))
        return *status;
    QJsonObject result = librariesToJson(program.context().state);
    const MainPages& p = program.context().pages;
    result.insert("trees", QJsonObject{{"tvwChords", toJson(p.chords.tvwChords)},
                                       {"tvwScales", toJson(p.scales.tvwScales)},
                                       {"tvwArps", toJson(p.arpeggios.tvwArps)},
                                       {"tvwTriads", toJson(p.triads.tvwTriads)},
                                       {"tvwStringGroup", toJson(p.triads.tvwStringGroup)},
                                       {"tvwCSChords", toJson(p.chordScale.tvwCSChords)}});
    result.insert("programFolder", program.programFolder());
    result.insert("warnings", QJsonArray::fromStringList(program.warnings().messages()));
    print(out, result);
    return ExitOk;
}

struct ModeName {
    const char* name;
    Mode mode;
    TreeId tree;
    const char* itemWord;
};

constexpr std::array<ModeName, 7> ShowModes = {{
    {"chord", Mode::Chords, TreeId::Chords, "Chord"},
    {"scale", Mode::Scales, TreeId::Scales, "Scale"},
    {"arpeggio", Mode::Arpeggios, TreeId::Arpeggios, "Arpeggio"},
    {"note", Mode::Notes, TreeId::Chords, nullptr},
    {"triad", Mode::Triads, TreeId::Triads, nullptr},
    {"chordscale", Mode::ChordScale, TreeId::CSChords, "Chord"},
    {"finder", Mode::ChordFinder, TreeId::Chords, nullptr},
}};

// The neck options: --preset N or --tuning NOTES, and --fret-count N.
bool applyNeck(const Arguments& args, Program& program, QString& error) {
    AppState& state = program.context().state;
    Instrument neck = state.instrument;
    Capo capo = state.capo;
    if (!readNeckOptions(args, neck, capo, error, &state.tuningSpelling))
        return false;
    if (neck != state.instrument)
        setInstrument(program.context(), neck); // takes off a capo the new neck cannot hold
    if (args.has("--capo"))
        state.capo = capo;
    return true;
}

// Runs a display as the window would after the user's choices; fills error on bad arguments.
std::optional<int> runDisplay(Program& program, const Arguments& args, QString& error) {
    const QString modeName = args.operands.value(0);
    const auto mode = std::find_if(ShowModes.begin(), ShowModes.end(), [&](const ModeName& m) {
        return modeName == QLatin1String(m.name);
    });
    if (args.operands.size() != 1 || mode == ShowModes.end()) {
        error = QStringLiteral("%1 needs one mode: chord, scale, arpeggio, note, triad, chordscale "
                               "or finder")
                    .arg(args.command);
        return std::nullopt;
    }
    AppState& state = program.context().state;
    state.leftHanded = args.has("--left-handed");
    if (args.has("--labels")) {
        const QString labels = args.value("--labels");
        const std::map<QString, MarkerLabels> choices{
            {QStringLiteral("fingers"), MarkerLabels::Fingers},
            {QStringLiteral("notes"), MarkerLabels::Notes},
            {QStringLiteral("intervals"), MarkerLabels::Intervals}};
        const auto choice = choices.find(labels);
        if (choice == choices.end()) {
            error = QStringLiteral("--labels must be fingers, notes or intervals, not \"%1\"")
                        .arg(labels);
            return std::nullopt;
        }
        state.view.labels = choice->second;
    }
    if (!applyNeck(args, program, error))
        return std::nullopt;
    if (args.has("--skin")) {
        state.fretboardFile = args.value("--skin");
        if (!applyFretboard(program)) {
            error = QStringLiteral("cannot load the neck picture \"%1\" from %2 (a file name "
                                   "in that folder, readable as a picture)")
                        .arg(state.fretboardFile, skinFolder(program.programFolder()));
            return std::nullopt;
        }
    }

    const QString root = args.has("--root") ? args.value("--root") : QStringLiteral("C");
    const auto tab = rootTabIndex(root);
    if (!tab) {
        error = QStringLiteral("\"%1\" is not a root; use one of C C# Db D D# Eb E F F# Gb G G# Ab "
                               "A A# Bb B")
                    .arg(root);
        return std::nullopt;
    }
    selectRootTab(program.context(), *tab);

    if (PositionList* list = positionList(program.context().pages, mode->mode)) {
        if (args.has("--five"))
            fillPositionList(*list, 1);
        if (args.has("--position")) {
            const auto position =
                numberOption(args, "--position", 0, int(list->entries.size()) - 1, error);
            if (!position)
                return std::nullopt;
            list->index = *position;
        }
    } else if (args.has("--five") || args.has("--position")) {
        error = QStringLiteral("--five and --position apply to the scale, arpeggio and "
                               "chordscale modes");
        return std::nullopt;
    }
    struct OnlyFor {
        const char* option;
        const char* modeName;
        Mode mode;
    };
    const OnlyFor onlyFor[] = {{"--group", "triad", Mode::Triads},
                               {"--scale", "chordscale", Mode::ChordScale},
                               {"--frets", "finder", Mode::ChordFinder}};
    for (const OnlyFor& o : onlyFor) {
        if (args.has(o.option) && mode->mode != o.mode) {
            error = QStringLiteral("%1 applies to the %2 mode")
                        .arg(QLatin1String(o.option), QLatin1String(o.modeName));
            return std::nullopt;
        }
    }
    if (args.has("--item") && mode->mode == Mode::ChordFinder) {
        error = QStringLiteral("--item does not apply to the finder mode; give --frets");
        return std::nullopt;
    }
    if (args.has("--generated") && mode->mode != Mode::Chords && mode->mode != Mode::Triads) {
        error = QStringLiteral("--generated applies to the chord and triad modes");
        return std::nullopt;
    }
    if (args.has("--voicing") && mode->mode != Mode::Chords) {
        error = QStringLiteral("--voicing applies to the chord mode");
        return std::nullopt;
    }

    modeDispatch(program.context(), mode->mode);
    if (mode->mode == Mode::ChordFinder) {
        if (args.has("--frets")) {
            const auto selection = parseFrets(args.value("--frets"), state.instrument.strings(),
                                              state.maxFret(), error);
            if (!selection)
                return std::nullopt;
            state.finderSelection = *selection;
        }
        redrawCurrentMode(program.context()); // draws and names the selection
        return int(mode->mode);
    }
    if (mode->mode == Mode::Triads) {
        if (args.has("--group")) {
            const auto group = numberOption(args, "--group", 0,
                                            std::max(0, state.instrument.strings() - 3), error);
            if (!group)
                return std::nullopt;
            chooseItem(program.context(), TreeId::StringGroup, *group);
        }
        if (args.has("--item")) {
            const auto item = numberOption(args, "--item", 0, TriadCount - 1, error);
            if (!item)
                return std::nullopt;
            chooseItem(program.context(), TreeId::Triads, *item);
        }
        return int(mode->mode);
    }
    if (!mode->itemWord)
        return int(mode->mode);
    if (args.has("--item")) {
        const int count = mode->mode == Mode::Scales ? state.scales.count : state.chords.count;
        const auto item = numberOption(args, "--item", 0, std::max(0, count - 1), error);
        if (!item)
            return std::nullopt;
        if (!chooseItem(program.context(), mode->tree, *item)) {
            error = QStringLiteral("there is no %1 %2").arg(QLatin1String(mode->name)).arg(*item);
            return std::nullopt;
        }
    }
    if (args.has("--scale")) {
        const auto scale =
            numberOption(args, "--scale", 0, std::max(0, state.scales.count - 1), error);
        if (!scale)
            return std::nullopt;
        if (!chooseItem(program.context(), TreeId::CSScales, *scale)) {
            error = QStringLiteral("--scale needs a chord chosen with --item");
            return std::nullopt;
        }
    }
    if (args.has("--voicing")) {
        const auto voicing = numberOption(
            args, "--voicing", 0, FirstGeneratedVoicing + GeneratedVoicingsListed - 1, error);
        if (!voicing)
            return std::nullopt;
        if (!chooseItem(program.context(), TreeId::Voicings, *voicing)) {
            error = QStringLiteral("the chord has no voicing %1 for the root %2")
                        .arg(*voicing)
                        .arg(root);
            return std::nullopt;
        }
    }
    return int(mode->mode);
}

// A shape as Play sounds it, from the lowest string to string 1: fret texts ("xx" silent) and
// fingers; empty texts when there is none.
QJsonObject shapeToJson(const std::optional<Voicing>& shape, int strings) {
    QJsonArray frets;
    QJsonArray fingers;
    for (int string = strings; string >= 1; --string) {
        if (!shape) {
            frets.append(QString());
            fingers.append(QString());
            continue;
        }
        const auto fret = shape->fret(string);
        frets.append(fret ? QString::number(*fret) : QStringLiteral("xx"));
        fingers.append(shape->finger(string));
    }
    return QJsonObject{{"frets", frets}, {"fingers", fingers}};
}

// Grips as the page lists them: for each, one fret per string from string 1 down (-1 muted), the
// fingers (-1 muted, 0 open or on the capo), the caption, where it comes from and the frets
// counted from the capo.
QJsonArray voicingsToJson(const std::vector<Voicing>& voicings, const Capo& capo) {
    QJsonArray out;
    for (const Voicing& v : voicings) {
        QJsonArray frets, fingers, shape;
        for (int string = 1; string <= v.strings(); ++string) {
            const auto fret = v.fret(string);
            bool digit = false;
            const int finger = v.finger(string).toInt(&digit);
            frets.append(fret ? *fret : -1);
            fingers.append(!fret ? -1 : digit ? finger : 0);
            shape.append(fret ? *fret - capo.openFret(string) : -1);
        }
        out.append(QJsonObject{{"frets", frets},
                               {"fingers", fingers},
                               {"caption", v.caption},
                               {"source", v.generated ? "generated" : "library"},
                               {"shape", shape}});
    }
    return out;
}

// Every chord of the library on the twelve roots C..B: the voicing engine's grips as the chords
// page lists them on the neck and capo the options give, for a checker with theory of its own.
int allVoicings(const QString& folder, const Arguments& args, QTextStream& out, QTextStream& err) {
    StderrBoxes boxes(err);
    Program program(folder, boxes, headlessDevices().devices, /*quietWarnings=*/true);
    if (const auto status = loadProgram(program, err))
        return *status;
    QString error;
    if (!applyNeck(args, program, error)) {
        err << "chordalis-cli: " << error << "\n";
        return ExitUsage;
    }
    AppState& s = program.context().state;
    QJsonArray chords;
    for (int item = 0; item < s.chords.count; ++item) {
        const ChordEntry& chord = s.chords.entries[size_t(item)];
        s.selectedChord = item;
        QJsonArray roots; // pitch classes 0..11
        for (int root = 0; root < 12; ++root) {
            s.currentRoot = root;
            roots.append(voicingsToJson(generatedVoicings(s, GeneratedVoicingsListed), s.capo));
        }
        chords.append(QJsonObject{
            {"item", item}, {"name", chord.name}, {"formula", chord.formula}, {"roots", roots}});
    }
    QJsonArray tuning; // string 1 first, each string's note at the neck's fret 0
    QJsonArray firstFrets;
    bool shortString = false;
    for (int string = 1; string <= s.tuning().strings(); ++string) {
        tuning.append(s.tuning().openNote(string));
        firstFrets.append(s.instrument.firstFret(string));
        shortString = shortString || s.instrument.firstFret(string) > 0;
    }
    QJsonObject neck{{"tuning", tuning},
                     {"frets", s.maxFret()},
                     {"scaleLength", s.instrument.scaleLength},
                     {"capo", QJsonObject{{"fret", s.capo.fret},
                                          {"highString", s.capo.highString},
                                          {"lowString", s.capo.lowString}}},
                     {"chords", chords}};
    // Where strings start past the nut (the banjo's short fifth string); absent when none does.
    if (shortString)
        neck.insert("firstFrets", firstFrets);
    out << QJsonDocument(neck).toJson(QJsonDocument::Compact) << "\n";
    return ExitOk;
}

// The LED reports that sending the neck's frame writes, as a connected guitar with its lights on
// would be sent them: [CMD1, Data1, ..., Data8] each.
QJsonArray ledReportsToJson(Program& program, SimulatedGuitar& guitar) {
    guitar.clearOutputReports();
    program.context().fretboard.sendLedFrame();
    QJsonArray reports;
    for (const auto& report : guitar.ledReports()) {
        QJsonArray values;
        for (int v : report)
            values.append(v);
        reports.append(values);
    }
    return reports;
}

// The page's grips as chord boxes in an SVG or PNG file, six to a row.
QString writeBoxes(const std::vector<ChordBox>& boxes, MarkerLabels labels, const QString& path) {
    constexpr int Columns = 6;
    constexpr double CellWidth = 120, CellHeight = 170;
    const ChordBoxStyle style = printBoxStyle(labels);
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(chordBoxesSvg(boxes, style, Columns, CellWidth, CellHeight).toUtf8()) < 0 ||
            !file.commit())
            return file.errorString();
        return {};
    }
    const QImage image = chordBoxesImage(boxes, style, Columns, CellWidth, CellHeight);
    QImageWriter writer(path, "png");
    return writer.write(image) ? QString() : writer.errorString();
}

// render: the neck picture (--png) and the page's chord boxes (--boxes).
int render(Program& program, Mode mode, const Arguments& args, QTextStream& out, QTextStream& err) {
    const AppState& s = program.context().state;
    const QString png = args.value("--png");
    const QString boxes = args.value("--boxes");
    if (png.isEmpty() && boxes.isEmpty()) {
        err << "chordalis-cli: render needs --png FILE or --boxes FILE\n";
        return ExitUsage;
    }
    if (!boxes.isEmpty() && mode != Mode::Chords && mode != Mode::Triads) {
        err << "chordalis-cli: --boxes applies to render chord and render triad\n";
        return ExitUsage;
    }
    if (!boxes.isEmpty() && !boxes.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) &&
        !boxes.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        err << "chordalis-cli: --boxes writes an .svg or a .png file\n";
        return ExitUsage;
    }
    QJsonObject result;
    if (!png.isEmpty()) {
        QImageWriter writer(png, "png");
        NeckExtras extras;
        extras.labels = s.view.labels;
        if (!writer.write(program.context().fretboard.image(1.0, extras))) {
            err << "chordalis-cli: cannot write " << png << ": " << writer.errorString() << "\n";
            return ExitDataError;
        }
        const NeckGeometry& g = program.context().fretboard.geometry();
        result = QJsonObject{{"png", png}, {"width", g.width()}, {"height", g.height()}};
    }
    if (!boxes.isEmpty()) {
        const std::vector<ChordBox>& page = mode == Mode::Chords
                                                ? program.context().pages.chords.boxes
                                                : program.context().pages.triads.boxes;
        if (const QString error = writeBoxes(page, s.view.labels, boxes); !error.isEmpty()) {
            err << "chordalis-cli: cannot write " << boxes << ": " << error << "\n";
            return ExitDataError;
        }
        QJsonArray frets;
        for (const ChordBox& box : page)
            frets.append(box.fretsText());
        result.insert("boxes", boxes);
        result.insert("boxFrets", frets);
    }
    print(out, result);
    return ExitOk;
}

int show(const QString& folder, const Arguments& args, QTextStream& out, QTextStream& err) {
    StderrBoxes boxes(err);
    const bool ledReports = args.has("--led-reports");
    if (ledReports && args.command != QLatin1String("show")) {
        err << "chordalis-cli: --led-reports applies to show\n";
        return ExitUsage;
    }
    HeadlessDevices headless = headlessDevices();
    SimulatedGuitar* guitar = nullptr;
    if (ledReports) {
        auto simulated = std::make_unique<SimulatedGuitar>();
        guitar = simulated.get();
        headless.devices.hid = std::move(simulated);
    }
    Program program(folder, boxes, std::move(headless.devices), /*quietWarnings=*/true);
    if (const auto status = loadProgram(program, err))
        return *status;
    if (guitar) {
        program.guitar().start();
        program.guitar().setLightsOn(true);
    }
    QString error;
    const auto mode = runDisplay(program, args, error);
    if (!mode) {
        err << "chordalis-cli: " << error << "\n";
        return ExitUsage;
    }
    const AppState& s = program.context().state;
    if (args.command == QLatin1String("render"))
        return render(program, Mode(*mode), args, out, err);
    QJsonArray tuning{s.tuning().preset}; // the preset, then the open strings, string 1 first
    for (int n : s.tuning().notes)
        tuning.append(n);
    QJsonObject result{
        {"mode", args.operands.value(0)},
        {"root", QLatin1String(RootTabs[size_t(program.context().pages.rootTab - 1)].caption)},
        {"rootPitchClass", s.currentRoot},
        {"rootSpelling", s.rootSpelling},
        {"tuning", tuning},
        {"page", pageToJson(program.context().pages, Mode(*mode))},
        {"noteList", toJson(s.noteList)},
        {"neck",
         neckToJson(program.context().fretboard.picture(), program.context().pages, s.view.labels)},
        {"warnings", QJsonArray::fromStringList(program.warnings().messages())}};
    const bool generated = args.has("--generated");
    if (Mode(*mode) == Mode::Chords) {
        result.insert("selectedVoicing", s.selectedVoicing);
        result.insert(
            "voicings",
            voicingsToJson(generated ? generatedVoicings(s, GeneratedVoicingsListed) : s.voicings,
                           s.capo));
    }
    if (Mode(*mode) == Mode::Triads) {
        result.insert("selectedTriad", s.selectedTriad);
        result.insert("shape", shapeToJson(s.triadShape, s.instrument.strings()));
        std::vector<Voicing> shapes;
        const auto shown =
            generated ? generatedTriadShape(s, s.selectedTriad, s.triadGroup) : s.triadShape;
        if (shown && std::any_of(shown->frets.begin(), shown->frets.end(),
                                 [](const auto& f) { return f.has_value(); })) {
            shapes.push_back(*shown);
            shapes.back().caption = program.context().pages.triads.lblTriadName;
        }
        result.insert("voicings", voicingsToJson(shapes, s.capo));
    }
    if (s.capo.fret > 0)
        result.insert("capo", QJsonObject{{"fret", s.capo.fret},
                                          {"highString", s.capo.highString},
                                          {"lowString", s.capo.lowString}});
    if (Mode(*mode) == Mode::ChordScale) {
        result.insert("selectedCSChord", s.selectedCSChord);
        result.insert("selectedCSScale", s.selectedCSScale);
        result.insert("chordNoteList", toJson(s.chordNoteList));
    }
    if (Mode(*mode) == Mode::ChordFinder) {
        QJsonArray selection; // string 1 first
        for (int value : s.finderSelection)
            selection.append(value);
        result.insert("finderSelection", selection);
    }
    if (guitar)
        result.insert("ledReports", ledReportsToJson(program, *guitar));
    print(out, result);
    return ExitOk;
}

// The playback settings a play command may change, with their ranges.
bool applyPlayback(const Arguments& args, Mode mode, AppState& state, QString& error) {
    PlaybackSettings& p = state.playback;
    int& tempo = mode == Mode::Scales      ? p.scaleTempo
                 : mode == Mode::Arpeggios ? p.arpeggioTempo
                                           : p.chordTempo;
    struct Setting {
        const char* option;
        int low, high;
        int& value;
    };
    for (const Setting& s :
         {Setting{"--instrument", 1, 128, p.instrument}, Setting{"--channel", 1, 16, p.channel},
          Setting{"--volume", 0, 127, p.volume}, Setting{"--tempo", 0, 100, tempo}}) {
        if (!args.has(s.option))
            continue;
        const auto n = numberOption(args, s.option, s.low, s.high, error);
        if (!n)
            return false;
        s.value = *n;
    }
    return true;
}

QJsonObject messageToJson(const RecordingMidiOut::Sent& m) {
    const int status = statusOf(m.word);
    QJsonArray bytes{status, data1Of(m.word)};
    if ((status & 0xF0) != 0xC0)
        bytes.append(data2Of(m.word));
    // Microseconds are as fine as any MIDI port can tell apart.
    return QJsonObject{{"time", std::round(m.time * 1e6) / 1e6}, {"bytes", bytes}};
}

// What a playback sent, as the --midi-log JSON (headed by `what`) or rendered into the --render
// WAV file through the built-in synthesizer.
int writePlayed(const RecordingMidiOut& port, double seconds, const QJsonObject& what,
                const Arguments& args, QTextStream& out, QTextStream& err) {
    if (args.has("--midi-log")) {
        QJsonArray messages;
        for (const auto& m : port.sent)
            messages.append(messageToJson(m));
        QJsonObject log = what;
        log.insert(QStringLiteral("seconds"), std::round(seconds * 1e6) / 1e6);
        log.insert(QStringLiteral("messages"), messages);
        print(out, log);
        return ExitOk;
    }
    const QString wav = args.value("--render");
    QString error;
    const auto sound = renderMessages(port.sent, /*tailSeconds=*/1.5, &error);
    if (!sound || !writeWav(*sound, wav, &error)) {
        err << "chordalis-cli: cannot render " << wav << ": " << error << "\n";
        return ExitDataError;
    }
    print(out, QJsonObject{{"wav", wav},
                           {"sampleRate", sound->sampleRate},
                           {"frames", sound->frames()},
                           {"messages", int(port.sent.size())}});
    return ExitOk;
}

int play(const QString& folder, const Arguments& args, QTextStream& out, QTextStream& err) {
    const QString modeName = args.operands.value(0);
    const std::map<QString, Mode> playable{{QStringLiteral("chord"), Mode::Chords},
                                           {QStringLiteral("scale"), Mode::Scales},
                                           {QStringLiteral("arpeggio"), Mode::Arpeggios},
                                           {QStringLiteral("triad"), Mode::Triads},
                                           {QStringLiteral("finder"), Mode::ChordFinder}};
    const auto mode = playable.find(modeName);
    if (args.operands.size() != 1 || mode == playable.end()) {
        err << "chordalis-cli: play needs one mode: chord, scale, arpeggio, triad or finder\n";
        return ExitUsage;
    }
    if (int(args.has("--midi-log")) + int(args.has("--render")) + int(args.has("--live")) != 1) {
        err << "chordalis-cli: play needs one of --midi-log, --render FILE.wav or --live\n";
        return ExitUsage;
    }
    if (args.has("--device") && !args.has("--live")) {
        err << "chordalis-cli: --device is for --live\n";
        return ExitUsage;
    }
    StderrBoxes boxes(err);
    // Virtual time: the waits take no time, and each message keeps the time it would be sent.
    HeadlessDevices headless = headlessDevices();
    const VirtualClock& clock = *headless.clock;
    const RecordingMidiOut& port = *headless.port;
    Program program(folder, boxes, std::move(headless.devices), /*quietWarnings=*/true);
    if (const auto status = loadProgram(program, err))
        return *status;
    QString error;
    if (!runDisplay(program, args, error) ||
        !applyPlayback(args, mode->second, program.context().state, error)) {
        err << "chordalis-cli: " << error << "\n";
        return ExitUsage;
    }
    if (const QString refusal = playRefusal(program.context().state, mode->second);
        !refusal.isEmpty()) {
        err << "chordalis-cli: " << refusal << "\n";
        return ExitRefused;
    }

    program.openSound(); // the instrument of the options
    program.playCommand(mode->second);
    if (args.has("--live")) // played again through the real output, for as long as it lasts
        return livePlay(
            folder, args, mode->second, clock.now(),
            [&](Program& live, QString& e) {
                return runDisplay(live, args, e) &&
                       applyPlayback(args, mode->second, live.context().state, e);
            },
            QJsonObject{{"mode", modeName}}, out, err);
    return writePlayed(port, clock.now(), QJsonObject{{"mode", modeName}}, args, out, err);
}

// The printed sheet of a display, one page per root, into a PDF file.
int printSheets(const QString& folder, const Arguments& args, QTextStream& out, QTextStream& err) {
    const QString pdf = args.value("--pdf");
    if (pdf.isEmpty()) {
        err << "chordalis-cli: print needs --pdf FILE\n";
        return ExitUsage;
    }
    QStringList roots = args.roots;
    if (args.has("--all-roots")) {
        if (!roots.isEmpty()) {
            err << "chordalis-cli: give either --root or --all-roots, not both\n";
            return ExitUsage;
        }
        for (const RootTab& tab : RootTabs)
            roots << QLatin1String(tab.caption);
    }
    if (roots.isEmpty())
        roots << QStringLiteral("C");

    StderrBoxes boxes(err);
    Program program(folder, boxes, headlessDevices().devices, /*quietWarnings=*/true);
    if (const auto status = loadProgram(program, err))
        return *status;
    // One page per root, or with --all-items per chord of each root.
    struct Page {
        QString root;
        int item = -1;
    };
    std::vector<Page> pages;
    const bool allItems = args.has("--all-items");
    if (allItems && (args.operands.value(0) != QLatin1String("chord") || args.has("--item"))) {
        err << "chordalis-cli: --all-items applies to print chord, without --item\n";
        return ExitUsage;
    }
    for (const QString& root : roots) {
        if (!allItems)
            pages.push_back({root});
        for (int item = 0; allItems && item < program.context().state.chords.count; ++item)
            pages.push_back({root, item});
    }
    if (pages.empty()) {
        err << "chordalis-cli: the library has no chord to print\n";
        return ExitRefused;
    }
    QString error;
    auto display = [&](const Page& wanted) -> std::optional<Mode> {
        Arguments page = args;
        page.options[QStringLiteral("--root")] = wanted.root;
        if (wanted.item >= 0)
            page.options[QStringLiteral("--item")] = QString::number(wanted.item);
        const auto mode = runDisplay(program, page, error);
        return mode ? std::optional<Mode>(Mode(*mode)) : std::nullopt;
    };
    // A booklet of every chord leaves out the chords the neck has no grip of, and says which.
    QJsonArray skipped;
    if (allItems) {
        std::vector<Page> printable;
        for (const Page& page : pages) {
            const auto mode = display(page);
            if (!mode) {
                err << "chordalis-cli: " << error << "\n";
                return ExitUsage;
            }
            if (printRefusal(program.context().state, *mode).isEmpty())
                printable.push_back(page);
            else
                skipped.append(program.context().pages.chords.lblChordName);
        }
        pages = printable;
        if (pages.empty()) {
            err << "chordalis-cli: " << NothingToPrint << "\n";
            return ExitRefused;
        }
    }
    // The first page runs once before the file is opened, for its title and to refuse wrong
    // arguments without touching the file.
    const auto first = display(pages.front());
    if (!first) {
        err << "chordalis-cli: " << error << "\n";
        return ExitUsage;
    }
    const QString title = sheetTitle(program.context().state, program.context().pages, *first);
    const QPageSize paper = defaultSheetPaper();
    const PdfResult result = writeSheetsPdf(
        pdf, sheetPageLayout(paper), int(pages.size()), title,
        [&, shown = *first](PagePainter& painter, int k, int part, int& parts) mutable -> QString {
            // A sheet's further pages draw the display its first page showed.
            const auto mode = part == 0 ? display(pages[size_t(k)]) : std::optional<Mode>(shown);
            if (mode)
                shown = *mode;
            if (!mode)
                return error;
            if (QString refusal = printRefusal(program.context().state, *mode);
                !refusal.isEmpty()) {
                if (pages.size() > 1)
                    refusal += QStringLiteral(" (root %1)").arg(pages[size_t(k)].root);
                if (allItems)
                    refusal += QStringLiteral(" (chord %1)").arg(pages[size_t(k)].item);
                error.clear();
                return refusal;
            }
            parts = drawReferenceSheet(painter, program.context().state, program.context().pages,
                                       *mode, program.context().fretboard.picture(), part);
            return {};
        });
    switch (result.status) {
    case PdfResult::Written:
        break;
    case PdfResult::Refused:
        err << "chordalis-cli: " << result.message << "\n";
        return error.isEmpty() ? ExitRefused : ExitUsage;
    case PdfResult::Failed:
        err << "chordalis-cli: cannot write " << pdf << ": " << result.message << "\n";
        return ExitDataError;
    }
    print(out, QJsonObject{{"pdf", pdf},
                           {"mode", args.operands.value(0)},
                           {"pages", result.pages},
                           {"skipped", skipped},
                           {"roots", QJsonArray::fromStringList(roots)},
                           {"paper", paper.name()},
                           {"title", title}});
    return ExitOk;
}

int info(const QString& folder, const Arguments& args, QTextStream& out, QTextStream& err) {
    const QString modeName = args.operands.value(0);
    const std::map<QString, Mode> modes{{QStringLiteral("chord"), Mode::Chords},
                                        {QStringLiteral("arpeggio"), Mode::Arpeggios},
                                        {QStringLiteral("scale"), Mode::Scales},
                                        {QStringLiteral("triad"), Mode::Triads}};
    const auto mode = modes.find(modeName);
    if (args.operands.size() != 1 || mode == modes.end()) {
        err << "chordalis-cli: info needs one mode: chord, arpeggio, scale or triad\n";
        return ExitUsage;
    }
    if (!args.has("--item")) {
        // The Info button's refusal with nothing chosen.
        err << "chordalis-cli: " << infoRefusal(AppState{}, mode->second) << " (give --item N)\n";
        return ExitRefused;
    }
    StderrBoxes boxes(err);
    Program program(folder, boxes, headlessDevices().devices, /*quietWarnings=*/true);
    if (const auto status = loadProgram(program, err))
        return *status;
    const AppState& s = program.context().state;
    const int count = mode->second == Mode::Triads   ? TriadCount
                      : mode->second == Mode::Scales ? s.scales.count
                                                     : s.chords.count;
    QString error;
    const auto item = numberOption(args, "--item", 0, std::max(0, count - 1), error);
    if (!item || count == 0) {
        err << "chordalis-cli: " << (item ? QStringLiteral("the library is empty") : error) << "\n";
        return ExitUsage;
    }
    // The page as its Info button finds it: the item chosen, on the root.
    if (!runDisplay(program, args, error)) {
        err << "chordalis-cli: " << error << "\n";
        return ExitUsage;
    }
    ModeContext& context = program.context();
    const InfoKeys keys = readInfoKeys(context.ini, mode->first, *item);
    const InfoText text = readInfoText(folder, keys.stem);
    if (!text.error.isEmpty()) {
        err << "chordalis-cli: " << QString(text.error).replace(u'\n', u' ') << "\n";
        return ExitDataError;
    }
    const InfoContent content =
        composeInfo(s, mode->first, *item, text.text, infoGrips(context, mode->first, *item));
    QJsonArray grips;
    for (const Voicing& v : content.grips) {
        QJsonArray frets;
        for (int string = 1; string <= v.strings(); ++string)
            frets.append(v.fret(string) ? *v.fret(string) : -1);
        grips.append(QJsonObject{{"caption", v.caption}, {"frets", frets}, {"memo", v.memo}});
    }
    QJsonArray entries;
    for (const ExampleEntry& e :
         exampleEntries(keys.stem, keys.examples, exampleNamesFrom(context.ini))) {
        const QString path = examplePath(folder, e.file);
        entries.append(QJsonObject{{"entry", e.caption},
                                   {"file", e.file},
                                   {"path", path},
                                   {"exists", QFileInfo(path).isFile()}});
    }
    print(out,
          QJsonObject{{"mode", modeName},
                      {"item", *item},
                      {"info", keys.stem},
                      {"examples", keys.examples},
                      {"textFile", text.path},
                      {"root", QLatin1String(RootTabs[size_t(context.pages.rootTab - 1)].caption)},
                      {"transpose", s.currentRoot},
                      {"title", content.title},
                      {"txtInfo", plainTextOf(content.html)},
                      {"html", content.html},
                      {"grips", grips},
                      {"cboInfo", entries}});
    return ExitOk;
}

int example(const Arguments& args, QTextStream& out, QTextStream& err) {
    const int actions =
        int(args.has("--decode")) + int(args.has("--render")) + int(args.has("--midi-log"));
    if (args.operands.size() != 1 || actions != 1) {
        err << "chordalis-cli: example needs one FILE.emd and one of --decode OUT.mid, "
               "--midi-log or --render OUT.wav\n";
        return ExitUsage;
    }
    const QString path = args.operands.first();
    if (!isReadableKind(path)) {
        err << "chordalis-cli: cannot read " << path << ": not a regular file\n";
        return ExitDataError;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "chordalis-cli: cannot read " << path << ": " << file.errorString() << "\n";
        return ExitDataError;
    }
    if (file.size() > MaxMidiFileBytes) {
        err << "chordalis-cli: " << path << " is too large for an example\n";
        return ExitDataError;
    }
    const QByteArray bytes = file.readAll();
    auto mid = decodeExample(bytes);
    if (!mid) {
        err << "chordalis-cli: " << path << " is " << bytes.size()
            << " bytes long, shorter than a MIDI file header\n";
        return ExitDataError;
    }
    // Moved from C to the root, as the information window plays it.
    const QString root = args.has("--root") ? args.value("--root") : QStringLiteral("C");
    const auto tab = rootTabIndex(root);
    if (!tab) {
        err << "chordalis-cli: \"" << root << "\" is not a root; use one of C C# Db D D# Eb E F "
            << "F# Gb G G# Ab A A# Bb B\n";
        return ExitUsage;
    }
    if (const int semitones = RootTabs[size_t(*tab - 1)].root; semitones != 0) {
        QString damage;
        if (const auto moved = transposeMidiFile(*mid, semitones, &damage))
            mid = moved;
        else if (parseMidiFile(*mid, &damage)) { // unreadable for moving, though it plays
            err << "chordalis-cli: " << path << " cannot be moved to " << root << ": " << damage
                << "\n";
            return ExitDataError;
        }
    }
    QString problem;
    const auto song = parseMidiFile(*mid, &problem);
    if (args.has("--decode")) {
        const QString target = args.value("--decode");
        QSaveFile save(target);
        if (!save.open(QIODevice::WriteOnly) || save.write(*mid) != mid->size() || !save.commit()) {
            err << "chordalis-cli: cannot write " << target << ": " << save.errorString() << "\n";
            return ExitDataError;
        }
        QJsonObject result{{"emd", path},
                           {"mid", target},
                           {"root", root},
                           {"bytes", int(mid->size())},
                           {"playable", bool(song)}};
        if (song) {
            result.insert("format", song->format);
            result.insert("tracks", song->tracks);
            result.insert("events", int(song->events.size()));
            result.insert("seconds", std::round(song->length * 1e6) / 1e6);
        } else {
            result.insert("problem", problem);
        }
        print(out, result);
        return ExitOk;
    }
    if (!song) {
        err << "chordalis-cli: " << path << " cannot be played: " << problem << "\n";
        return ExitDataError;
    }
    // Played as the information window plays it, on virtual time into a recording port.
    VirtualClock clock;
    RecordingMidiOut port(clock);
    port.ownClock = false; // the player's timer path: each message logged when it is due
    port.open(-1);
    {
        MidiFilePlayer player(port, clock);
        player.load(*song);
        player.play();
        for (double wait = player.service(); wait >= 0; wait = player.service())
            clock.advance(wait);
    }
    return writePlayed(port, clock.now(), QJsonObject{{"example", path}, {"root", root}}, args, out,
                       err);
}

// The place a name stands for, or the refusal with the nearest names.
int find(const QString& folder, const Arguments& args, QTextStream& out, QTextStream& err) {
    const QString text = args.operands.join(u' ').trimmed();
    if (text.isEmpty()) {
        err << "chordalis-cli: find needs a TEXT, such as F#m7b5 or \"A dorian\"\n";
        return ExitUsage;
    }
    StderrBoxes boxes(err);
    Program program(folder, boxes, headlessDevices().devices, /*quietWarnings=*/true);
    if (!program.initTables())
        return ExitDataError;
    program.loadLibraries();
    const auto found = program.search().find(text);
    if (found.empty()) {
        const QStringList near = program.search().suggest(text);
        const QString error =
            QStringLiteral("no chord, scale, arpeggio, triad or note is called \"%1\"").arg(text);
        err << "chordalis-cli: " << error;
        if (!near.isEmpty())
            err << "; nearest: " << near.join(QLatin1String(", "));
        err << "\n";
        print(out,
              QJsonObject{{"error", error}, {"suggestions", QJsonArray::fromStringList(near)}});
        return ExitRefused;
    }
    const Found& f = found.front();
    auto orNull = [](bool present, const QJsonValue& value) {
        return present ? value : QJsonValue(QJsonValue::Null);
    };
    print(out,
          QJsonObject{
              {"mode", QLatin1String(foundModeWord(f.mode))},
              {"item", orNull(f.item >= 0, f.item)},
              {"root", orNull(f.rootTab > 0,
                              f.rootTab > 0 ? QLatin1String(RootTabs[size_t(f.rootTab - 1)].caption)
                                            : QLatin1String())},
              {"bass", orNull(f.bass >= 0, f.bassName)},
              {"name", f.name}});
    return ExitOk;
}

// The key and progression commands, on the program folder loaded as start-up loads it and the
// neck the options give.
int keysAndProgressions(const QString& folder, const Arguments& args, QTextStream& out,
                        QTextStream& err) {
    StderrBoxes boxes(err);
    Program program(folder, boxes, headlessDevices().devices, /*quietWarnings=*/true);
    if (const auto status = loadProgram(program, err))
        return *status;
    if (args.command == QLatin1String("key")) {
        if (!args.operands.isEmpty()) {
            err << "chordalis-cli: unexpected argument \"" << args.operands.first() << "\"\n";
            return ExitUsage;
        }
        return keyCommand(program, args, out, err);
    }
    QString error;
    if (!applyNeck(args, program, error)) {
        err << "chordalis-cli: " << error << "\n";
        return ExitUsage;
    }
    return progressionCommand(program, args, out, err);
}

} // namespace

int run(const QStringList& args, const QString& defaultFolder, QTextStream& out, QTextStream& err) {
    QString error;
    const auto parsed = parseArguments(args, error);
    if (!parsed) {
        err << "chordalis-cli: " << error << "\n\n" << usage();
        return ExitUsage;
    }
    const QString& command = parsed->command;
    if (command == QLatin1String("help")) {
        out << usage();
        return ExitOk;
    }
    if (const auto option = optionNotFor(*parsed)) {
        err << "chordalis-cli: " << *option << " does not apply to " << command << "\n\n"
            << usage();
        return ExitUsage;
    }
    for (const char* option : {"--png", "--render", "--decode", "--pdf", "--boxes", "--csv"})
        if (parsed->has(option))
            if (const QString refusal = outputRefusal(parsed->value(option)); !refusal.isEmpty()) {
                err << "chordalis-cli: " << refusal << "\n";
                return ExitUsage;
            }
    const auto data = parsed->options.find(QStringLiteral("--data"));
    const QString folder = data != parsed->options.end() ? data->second : defaultFolder;
    if (command == QLatin1String("show") || command == QLatin1String("render"))
        return show(folder, *parsed, out, err);
    if (command == QLatin1String("play"))
        return play(folder, *parsed, out, err);
    if (command == QLatin1String("print"))
        return printSheets(folder, *parsed, out, err);
    if (command == QLatin1String("info"))
        return info(folder, *parsed, out, err);
    if (command == QLatin1String("example"))
        return example(*parsed, out, err);
    if (command == QLatin1String("metronome"))
        return liveMetronome(folder, *parsed, out, err);
    if (command == QLatin1String("find"))
        return find(folder, *parsed, out, err);
    if (command == QLatin1String("key") || command == QLatin1String("progression"))
        return keysAndProgressions(folder, *parsed, out, err);
    if (command == QLatin1String("listen"))
        return listen(folder, *parsed, out, err);
    if (command == QLatin1String("practice"))
        return practice(folder, *parsed, out, err);
    if (!parsed->operands.isEmpty()) {
        err << "chordalis-cli: unexpected argument \"" << parsed->operands.first() << "\"\n\n"
            << usage();
        return ExitUsage;
    }
    if (command == QLatin1String("spell"))
        return spell(*parsed, out, err);
    if (command == QLatin1String("library"))
        return library(folder, out, err);
    if (command == QLatin1String("voicings"))
        return allVoicings(folder, *parsed, out, err);
    err << "chordalis-cli: unknown command \"" << command << "\"\n\n" << usage();
    return ExitUsage;
}

} // namespace chordalis::cli
