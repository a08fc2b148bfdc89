#include "app/Settings.h"

#include "listening/Pitch.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <type_traits>
#include <vector>

namespace chordalis {

namespace {

// The open note a string takes when a stored neck has more strings than the notes it gives:
// the six-string guitar's standard notes, and below them a fourth lower each (B1, F#1, C#1, G#0).
int defaultOpenNote(int string) {
    const std::vector<int>& standard = Tuning{}.notes;
    if (string <= int(standard.size()))
        return standard[size_t(string - 1)];
    return standard.back() - 5 * (string - int(standard.size()));
}

void resizeTuning(Tuning& tuning, int strings) {
    for (int string = tuning.strings() + 1; string <= strings; ++string)
        tuning.notes.push_back(defaultOpenNote(string));
    tuning.notes.resize(size_t(strings));
}

// Every numeric key of the store with its range, in the store's order. State is AppState or
// const AppState, so one table serves reading and writing.
template <class State, class Visit> void forEachNumericKey(State& s, Visit visit) {
    visit("Midi", "Device", -1, 255, s.playback.device);
    visit("Midi", "Channel", 1, 16, s.playback.channel);
    visit("Midi", "Instrument", 1, 128, s.playback.instrument);
    visit("Midi", "Volume", 0, 127, s.playback.volume);
    visit("Midi", "Chord Tempo", 0, 100, s.playback.chordTempo);
    visit("Midi", "Scale Tempo", 0, 100, s.playback.scaleTempo);
    visit("Midi", "Arpeggio Tempo", 0, 100, s.playback.arpeggioTempo);
    visit("Colour", "Root", 0, 0xFFFFFF, s.colourRoot);
    visit("Colour", "Chord", 0, 0xFFFFFF, s.colourChord);
    visit("Colour", "Scale", 0, 0xFFFFFF, s.colourScale);
    visit("Colour", "Both", 0, 0xFFFFFF, s.colourBoth);
    visit("Tuning", "Flag", 0, LastTuningPreset, s.instrument.tuning.preset);
    // The neck's size first: it decides which string keys there are. Reading, the strings a
    // neck gains start at their default notes.
    int strings = s.instrument.strings();
    visit("Tuning", "Strings", MinStrings, MaxStrings, strings);
    if constexpr (!std::is_const_v<State>)
        resizeTuning(s.instrument.tuning, strings);
    visit("Tuning", "Frets", MinFrets, MaxFrets, s.instrument.frets);
    // No capo is fret 0; strings 0 and 0 lay it across the neck. One the neck cannot take is
    // read as none.
    visit("Capo", "Fret", 0, Capo::MaxCapoFret, s.capo.fret);
    visit("Capo", "High String", 0, MaxStrings, s.capo.highString);
    visit("Capo", "Low String", 0, MaxStrings, s.capo.lowString);
    // Each string of a six-string guitar within the reach of the tuning dialog (7 semitones
    // below to 3 above standard); of any other neck within C0..C8.
    static const char* const StringKeys[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    for (int k = 0; k < strings; ++k) {
        const OpenNoteRange range = openNoteRange(strings, k + 1);
        visit("Tuning", StringKeys[k], range.low, range.high, s.instrument.tuning.notes[size_t(k)]);
    }
    // Where each string starts: 0 at the nut, 5 for the banjo's short fifth string.
    static const char* const FirstFretKeys[] = {
        "First Fret 1", "First Fret 2", "First Fret 3", "First Fret 4", "First Fret 5",
        "First Fret 6", "First Fret 7", "First Fret 8", "First Fret 9", "First Fret 10"};
    for (int k = 0; k < strings; ++k)
        visit("Tuning", FirstFretKeys[k], 0, Instrument::MaxFirstFret,
              s.instrument.firstFrets[size_t(k)]);
    visit("Tuning", "Chromatic", 0, 1, s.tuningSpelling);
    // Any 16-bit number the user can type; 0 or less accents every click.
    visit("Metronome", "Beats", std::numeric_limits<qint16>::min(),
          std::numeric_limits<qint16>::max(), s.metronome.beats);
    visit("Metronome", "Sound 1", 35, 81, s.metronome.sound1);
    visit("Metronome", "Sound 2", 35, 81, s.metronome.sound2);
    visit("Metronome", "Tempo", 40, 400, s.metronome.tempo);
    visit("Metronome", "Channel", 0, 15, s.metronome.channel);
}

QString path(const char* section, const char* key) {
    return QLatin1String(section) + u'/' + QLatin1String(key);
}

bool isTrue(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    const long long n = t.toLongLong(&ok);
    return t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 || (ok && n != 0);
}

QString boolText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

// A choice read back by its stored word (any case); an unknown word keeps the default.
template <class Enum, size_t N>
Enum readChoice(const QSettings& store, const char* section, const char* key,
                const std::array<Enum, N>& choices, QString (*name)(Enum), Enum fallback) {
    const QString text = store.value(path(section, key)).toString().trimmed();
    for (Enum choice : choices) {
        if (text.compare(name(choice), Qt::CaseInsensitive) == 0)
            return choice;
    }
    return fallback;
}

void readView(const QSettings& store, AppState& state) {
    ViewSettings& v = state.view;
    v = ViewSettings{};
    v.labels =
        readChoice(store, "View", "Labels",
                   std::array{MarkerLabels::Fingers, MarkerLabels::Notes, MarkerLabels::Intervals},
                   labelsName, v.labels);
    v.fretNumbers =
        readChoice(store, "View", "Fret Numbers",
                   std::array{FretNumbers::None, FretNumbers::Inlays, FretNumbers::Every},
                   fretNumbersName, v.fretNumbers);
    v.shadePosition = isTrue(store.value(path("View", "Shade Position")).toString());
    v.outlineRoots = isTrue(store.value(path("View", "Outline Roots")).toString());
    v.highlightSounding = isTrue(store.value(path("View", "Highlight Playing")).toString());
    v.beatIndicator = isTrue(store.value(path("View", "Beat Indicator")).toString());
    v.run = readChoice(store, "Playback", "Scale Run",
                       std::array{RunRoute::OneOctave, RunRoute::AsShown}, runName, v.run);
    v.theme = readChoice(store, "View", "Theme",
                         std::array{Theme::System, Theme::Light, Theme::Dark}, themeName, v.theme);
}

// The listening input by its source's word and its device's name; the tuner's A4 in Hz, where a
// text that is no number or lies outside 430..450 gives 440 (a reference pitch clamped to an
// end would tune the guitar wrong without a word).
void readListen(const QSettings& store, AppState& state) {
    ListenSettings& l = state.listen;
    l = ListenSettings{};
    l.source = readChoice(store, "Listen", "Source",
                          std::array{ListenSource::Desktop, ListenSource::Jack,
                                     ListenSource::JackMidi, ListenSource::AlsaMidi},
                          listenSourceName, l.source);
    l.device = store.value(path("Listen", "Device")).toString();
    bool ok = false;
    const double a4 = store.value(path("Listen", "A4")).toString().trimmed().toDouble(&ok);
    l.a4 = ok && a4 >= LowestA4 && a4 <= HighestA4 ? a4 : DefaultA4;
}

// Every key of the store with its text, in the order written: `set(key, text)` for each.
template <class Set> void storeTexts(const AppState& state, Set set) {
    set(path("Fretlight", "Left"), QString::number(state.ledOptionLeft));
    set(path("Fretlight", "Right"), QString::number(state.ledOptionRight));
    forEachNumericKey(state,
                      [&](const char* section, const char* key, long long, long long,
                          const auto& field) { set(path(section, key), QString::number(field)); });
    set(path("Tuning", "Scale Length"), QString::number(state.instrument.scaleLength));
    set(path("Fretboard", "File"), state.fretboardFile);
    set(path("Fretboard", "Left Handed"),
        state.leftHanded ? QStringLiteral("True") : QStringLiteral("False"));
    const ViewSettings& v = state.view;
    set(path("View", "Labels"), labelsName(v.labels));
    set(path("View", "Fret Numbers"), fretNumbersName(v.fretNumbers));
    set(path("View", "Shade Position"), boolText(v.shadePosition));
    set(path("View", "Outline Roots"), boolText(v.outlineRoots));
    set(path("View", "Highlight Playing"), boolText(v.highlightSounding));
    set(path("View", "Beat Indicator"), boolText(v.beatIndicator));
    set(path("View", "Theme"), themeName(v.theme));
    set(path("Playback", "Scale Run"), runName(v.run));
    set(path("Listen", "Source"), listenSourceName(state.listen.source));
    set(path("Listen", "Device"), state.listen.device);
    set(path("Listen", "A4"), QString::number(state.listen.a4));
}

// A whole number text: an optional sign and decimal digits, blanks around allowed.
std::optional<long long> parseWhole(const QString& text) {
    bool ok = false;
    const long long v = text.trimmed().toLongLong(&ok, 10);
    return ok ? std::optional<long long>(v) : std::nullopt;
}

} // namespace

QString labelsName(MarkerLabels labels) {
    switch (labels) {
    case MarkerLabels::Fingers:
        return QStringLiteral("Fingers");
    case MarkerLabels::Notes:
        return QStringLiteral("Notes");
    case MarkerLabels::Intervals:
        return QStringLiteral("Intervals");
    }
    return {};
}

QString fretNumbersName(FretNumbers fretNumbers) {
    switch (fretNumbers) {
    case FretNumbers::None:
        return QStringLiteral("None");
    case FretNumbers::Inlays:
        return QStringLiteral("Inlays");
    case FretNumbers::Every:
        return QStringLiteral("Every Fret");
    }
    return {};
}

QString runName(RunRoute run) {
    return run == RunRoute::AsShown ? QStringLiteral("As Shown") : QStringLiteral("One Octave");
}

QString listenSourceName(ListenSource source) {
    switch (source) {
    case ListenSource::Jack:
        return QStringLiteral("JACK");
    case ListenSource::JackMidi:
        return QStringLiteral("JACK MIDI");
    case ListenSource::AlsaMidi:
        return QStringLiteral("ALSA MIDI");
    case ListenSource::Desktop:
        break;
    }
    return QStringLiteral("Desktop");
}

QString themeName(Theme theme) {
    switch (theme) {
    case Theme::Light:
        return QStringLiteral("Light");
    case Theme::Dark:
        return QStringLiteral("Dark");
    case Theme::System:
        break;
    }
    return QStringLiteral("System");
}

void readSettings(QSettings& store, AppState& state) {
    const AppState defaults;
    state.playback = defaults.playback;
    state.colourRoot = defaults.colourRoot;
    state.colourChord = defaults.colourChord;
    state.colourScale = defaults.colourScale;
    state.colourBoth = defaults.colourBoth;
    state.instrument = defaults.instrument;
    state.tuningSpelling = defaults.tuningSpelling;
    state.metronome = defaults.metronome;
    state.capo = defaults.capo;

    forEachNumericKey(state, [&](const char* section, const char* key, long long low,
                                 long long high, auto& field) {
        if (const auto v = parseWhole(store.value(path(section, key)).toString()))
            field = int(std::clamp(*v, low, high));
    });
    // The chords and triads are drawn only in standard tuning; a store that says standard but
    // holds other notes (edited by hand) would draw them on the wrong frets.
    // The same holds for every preset: a preset number whose notes are not the preset's is read
    // as a custom tuning, so it is written back as what it really is.
    // A neck of another size than six strings is always custom.
    Instrument neck = state.instrument;
    // The scale length in millimetres decides how far a hand reaches in frets; one out of any
    // fretted instrument's range (a mandolin's 350 mm to a bass's 864, with room around them) is
    // read as the guitar's.
    bool lengthRead = false;
    const double length =
        store.value(path("Tuning", "Scale Length")).toString().trimmed().toDouble(&lengthRead);
    neck.scaleLength = lengthRead && length >= 200.0 && length <= 1200.0
                           ? length
                           : defaults.instrument.scaleLength;
    if (neck.tuning.preset > 0 && neck.tuning != presetTuning(neck.tuning.preset))
        neck.tuning.preset = CustomPreset;
    state.setInstrument(neck);

    // An unquoted name with a comma comes back as a list; its parts are the name.
    const QString file = path("Fretboard", "File");
    const QVariant stored = store.value(file);
    state.fretboardFile = !store.contains(file) ? defaults.fretboardFile
                          : stored.typeId() == QMetaType::QStringList
                              ? stored.toStringList().join(u',')
                              : stored.toString();

    const QString left = store.value(path("Fretboard", "Left Handed")).toString().trimmed();
    state.leftHanded = left.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ||
                       parseWhole(left).value_or(0) != 0;
    readView(store, state);
    readListen(store, state);
}

void writeSettings(QSettings& store, const AppState& state) {
    storeTexts(state, [&](const QString& key, const QString& text) { store.setValue(key, text); });
    store.sync();
}

SettingsTexts settingsTexts(const AppState& state) {
    SettingsTexts texts;
    storeTexts(state, [&](const QString& key, const QString& text) { texts.insert(key, text); });
    return texts;
}

QStringList writeChangedSettings(QSettings& store, const AppState& state,
                                 const SettingsTexts& asRead) {
    QStringList written;
    const SettingsTexts now = settingsTexts(state);
    for (auto it = now.begin(); it != now.end(); ++it) {
        if (it.value() == asRead.value(it.key()) && store.contains(it.key()))
            continue;
        store.setValue(it.key(), it.value());
        written << it.key();
    }
    // Merges with what another instance wrote meanwhile: only these keys are replaced.
    store.sync();
    return written;
}

} // namespace chordalis
