// A random program folder (cut at "\n@@\n" into chord, scale, voicing, triad and finder.ini, as
// validator_folder's seeds are): each file reads through the INI reader as a plain reading gives
// it, then the libraries load, every tree's first items are shown, and what is drawn lies on the
// neck and is lit in the LED frame.
#include "FuzzSupport.h"
#include "fretboard/Fretboard.h"
#include "fretboard/LedSender.h"
#include "library/IniReader.h"
#include "library/Voicings.h"
#include "library/Warnings.h"
#include "modes/AppState.h"
#include "modes/LibraryTrees.h"
#include "modes/Modes.h"
#include "modes/Pages.h"
#include "modes/TreeClicks.h"

#include <QHash>
#include <QStringDecoder>
#include <algorithm>
#include <iterator>

using namespace chordalis;
using chordalis::fuzz::require;

namespace {

void checkNeck(const AppState& state, const Fretboard& board) {
    const LedFrame& frame = board.ledFrame();
    for (const NeckPlace& place : frame)
        require(place.fret >= 0 && place.fret <= state.maxFret() && place.string >= 1 &&
                place.string <= state.tuning().strings());
    for (const Mark& m : board.marks()) {
        require(m.string >= 1 && m.string <= state.tuning().strings() && m.fret >= -3 &&
                m.fret <= state.maxFret());
        if (m.kind != MarkKind::Sign && m.pitch >= 0)
            require(std::find(frame.begin(), frame.end(), NeckPlace{m.fret, m.string}) !=
                    frame.end());
    }
}

void checkVoicings(const std::vector<Voicing>& voicings, int strings) {
    require(voicings.size() <= size_t(MaxListedVoicings));
    for (const Voicing& v : voicings) {
        require(v.strings() == strings);
        for (int string = 1; string <= strings; ++string) {
            const auto fret = v.fret(string);
            require(!fret || (*fret >= 0 && *fret <= 24));
            const QString finger = v.finger(string);
            require(finger.isEmpty() ||
                    (finger.size() == 1 &&
                     (finger == u'x' || (finger[0] >= u'0' && finger[0] <= u'4'))));
        }
    }
}

// The file as a person reads it: lower-case section -> lower-case key -> value, first one counts.
QHash<QString, QHash<QString, QString>> plainReading(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    QHash<QString, QHash<QString, QString>> sections;
    QString section;
    bool counts = false; // inside the first occurrence of a section
    for (const QString& raw : text.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            section = (close < 0 ? line.mid(1) : line.mid(1, close - 1)).trimmed().toLower();
            counts = !sections.contains(section);
            if (counts)
                sections[section];
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!counts || eq < 0)
            continue;
        const QString key = line.left(eq).trimmed().toLower();
        if (key.isEmpty() || sections[section].contains(key))
            continue;
        QString value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
            value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        sections[section].insert(key, value.left(IniReader::MaxValueLength));
    }
    return sections;
}

// Reads the file `name` of the folder as the program does, against a plain reading of its bytes;
// then grows it by a section and reads that.
void checkReader(IniReader& reader, const QString& folder, const QString& name,
                 std::string_view bytes) {
    const QString file = name.chopped(4); // without ".ini"
    {
        // As the program reads: one look at the file for all reads of an operation.
        const IniReader::Operation reading(reader);
        const QStringList sections = reader.sections(file);
        const auto expected = plainReading(QByteArray(bytes.data(), qsizetype(bytes.size())));
        require(sections.size() == expected.size());
        for (const QString& section : sections) {
            require(reader.hasSection(file, section));
            const auto keys = expected.constFind(section.trimmed().toLower());
            require(keys != expected.constEnd());
            for (auto k = keys->constBegin(); k != keys->constEnd(); ++k) {
                const QString value = reader.readIni(file, section, k.key());
                require(value == k.value() && value.size() <= IniReader::MaxValueLength);
            }
            require(reader.readIni(file, section, QStringLiteral("no such key")).isEmpty());
        }
    }
    fuzz::writeFile(folder + u'/' + name, std::string(bytes) + "\n[fuzz added section]\nk=v\n");
    require(reader.hasSection(file, QStringLiteral("Fuzz Added Section")));
    fuzz::writeFile(folder + u'/' + name, bytes);
}

constexpr std::pair<TreeId, Mode> Trees[] = {
    {TreeId::Chords, Mode::Chords},       {TreeId::Voicings, Mode::Chords},
    {TreeId::Scales, Mode::Scales},       {TreeId::Arpeggios, Mode::Arpeggios},
    {TreeId::Triads, Mode::Triads},       {TreeId::StringGroup, Mode::Triads},
    {TreeId::CSChords, Mode::ChordScale}, {TreeId::CSScales, Mode::ChordScale},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString folder = fuzz::scratchFolder();
    static const char* const names[] = {"chord.ini", "scale.ini", "voicing.ini", "triad.ini",
                                        "finder.ini"};
    const auto parts = fuzz::inputParts(data, size, std::size(names));
    IniReader ini(folder);
    for (size_t k = 0; k < parts.size(); ++k) {
        fuzz::writeFile(folder + u'/' + QLatin1String(names[k]), parts[k]);
        checkReader(ini, folder, QLatin1String(names[k]), parts[k]);
    }

    AppState state;
    state.resetSelections();
    MainPages pages;
    SilentLedSender led;
    Fretboard board(state.neckSettings(), led);
    Warnings warnings(/*quiet=*/true);
    ModeContext context{state, pages, ini, board, warnings};

    loadLibraries(context);
    const int chords = state.chords.count;
    require(chords >= 0 && state.chords.entries.size() == size_t(chords) + 1);
    require(state.scales.count >= 0 && state.scales.entries.size() == size_t(state.scales.count));

    // The voicings of the first chords on every root, as the voicing list would show them.
    for (int chord = 0; chord < std::min(chords, 3); ++chord)
        for (int root = 0; root < 12; ++root)
            checkVoicings(readVoicings(ini, warnings, chord, root, state.tuning()), 6);

    // A tuning, hand and root from the input, then the first items of every tree on their pages.
    if (size > 0) {
        const int preset = 1 + data[size - 1] % 12;
        Instrument neck = state.instrument;
        neck.tuning = presetTuning(preset);
        if (data[0] & 0x80) { // a seven-string neck with a low B and 24 frets
            neck.tuning.preset = CustomPreset;
            neck.tuning.notes.push_back(35);
            neck.frets = MaxFrets;
        }
        state.tuningSpelling = TuningPresets[size_t(preset)].spelling;
        setInstrument(context, neck);
        state.leftHanded = (data[size - 1] & 0x80) != 0;
    }
    rootChange(context, 1 + int(size > 0 ? data[0] % 17 : 0));
    for (const auto& [tree, mode] : Trees) {
        modeDispatch(context, mode);
        checkNeck(state, board);
        const TreeModel& model = treeModel(pages, tree);
        for (int i = 0; i < std::min(model.size(), 4); ++i) {
            nodeClicked(context, tree, model.nodes()[size_t(i)].key);
            checkNeck(state, board);
        }
    }
    checkVoicings(state.voicings, state.tuning().strings()); // six, or the seven-string's seven
    // Every position of the pages that list them, with the chosen items kept.
    for (Mode mode : {Mode::Scales, Mode::Arpeggios, Mode::ChordScale}) {
        modeDispatch(context, mode);
        for (int option = 0; option <= 1; ++option) {
            positionOptionClicked(context, mode, option);
            for (int i = 0; i < positionList(pages, mode)->entries.size(); ++i) {
                positionChosen(context, mode, i);
                checkNeck(state, board);
            }
        }
    }
    modeDispatch(context, Mode::Notes);
    checkNeck(state, board);

    // The finder names C major and a selection made from the input.
    modeDispatch(context, Mode::ChordFinder);
    state.finderSelection = {-1, 1, -1, 2, 3, 0};
    modeDispatch(context, Mode::ChordFinder);
    checkNeck(state, board);
    const size_t hash = qHash(QByteArrayView(data, qsizetype(size)));
    for (int string = 1; string <= 6; ++string)
        state.finderSelection[size_t(string - 1)] = int((hash >> (4 * string)) % 17) - 1;
    modeDispatch(context, Mode::ChordFinder);
    checkNeck(state, board);
    return 0;
}
