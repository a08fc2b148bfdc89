#include "app/Settings.h"

#include "app/ProgressionSettings.h"
#include "theory/Instruments.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace chordalis;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    QString path() const { return m_dir.filePath("Chordalis.conf"); }
    QSettings store() const { return QSettings(path(), QSettings::IniFormat); }
    void writeRaw(const QByteArray& text) const {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    void save(const AppState& state) const {
        auto s = store();
        writeSettings(s, state);
    }
    AppState load(AppState state = {}) const {
        auto s = store();
        readSettings(s, state);
        return state;
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(SettingsTest, EmptyStoreGivesDefaults) {
    AppState state;
    state.instrument.tuning = presetTuning(5);
    state.leftHanded = true;
    state.playback.volume = 3;
    EXPECT_EQ(settingsTexts(load(state)), settingsTexts(AppState{}));
}

TEST_F(SettingsTest, WritesTextsThatReadBackTheSame) {
    AppState state;
    state.playback = {3, 10, 1, 127, 0, 100, 55};
    state.colourRoot = 0x00FF00;
    state.instrument.tuning = presetTuning(4);
    state.tuningSpelling = 1;
    state.fretboardFile = QStringLiteral("maple.gif");
    state.leftHanded = true;
    state.metronome = {0, 35, 81, 400, 0}; // 0 beats: every click accented
    state.ledOptionLeft = 3;
    state.view.shadePosition = true;
    save(state);
    {
        auto s = store();
        EXPECT_EQ(s.value("Fretboard/Left Handed").toString(), QStringLiteral("True"));
        EXPECT_EQ(s.value("View/Shade Position").toString(), QStringLiteral("True"));
        EXPECT_EQ(s.value("View/Outline Roots").toString(), QStringLiteral("False"));
        EXPECT_EQ(s.value("Midi/Device").toString(), QStringLiteral("3"));
        EXPECT_EQ(s.value("Tuning/6").toString(), QStringLiteral("38"));
    }
    const AppState back = load();
    EXPECT_EQ(std::pair(back.instrument, back.tuningSpelling), std::pair(state.instrument, 1));
    EXPECT_EQ(back.colourRoot, 0x00FF00);
    EXPECT_EQ(std::pair(back.playback.arpeggioTempo, back.playback.device), std::pair(55, 3));
    EXPECT_EQ(back.fretboardFile, QStringLiteral("maple.gif"));
    EXPECT_TRUE(back.leftHanded);
    EXPECT_EQ(std::pair(back.metronome.tempo, back.metronome.beats), std::pair(400, 0));
    // The LED guitar options are written but never read back.
    EXPECT_EQ(back.ledOptionLeft, 1);
}

TEST_F(SettingsTest, HandEditedValuesFallBackOrAreClamped) {
    writeRaw("[Midi]\nDevice=two\nChannel=99\nInstrument=\nVolume=-5\nChord%20Tempo=12abc\n"
             "Scale%20Tempo= 40 \n"
             "[Colour]\nRoot=0x123\nChord=999999999\n"
             "[Tuning]\nFlag=1\n1=64\n2=59\n3=55\n4=50\n5=45\n6=20\nChromatic=7\n"
             "[Fretboard]\nLeft%20Handed=maybe\n"
             "[Metronome]\nBeats=70000\nSound%201=10\nTempo=1000\nChannel=-1\n");
    const AppState state = load();
    const PlaybackSettings& p = state.playback;
    EXPECT_EQ(std::tuple(p.device, p.channel, p.instrument, p.volume, p.chordTempo, p.scaleTempo),
              std::tuple(-1, 16, 25, 0, 90, 40));
    EXPECT_EQ(std::pair(state.colourRoot, state.colourChord), std::pair(255, 0xFFFFFF));
    // Flag 1 with other notes is not standard tuning any more.
    EXPECT_EQ(std::tuple(state.tuning().preset, state.tuning().openNote(6), state.tuningSpelling),
              std::tuple(0, 33, 1)); // string 6 no lower than A1
    EXPECT_FALSE(state.leftHanded);
    const MetronomeSettings& m = state.metronome;
    EXPECT_EQ(std::tuple(m.beats, m.sound1, m.tempo, m.channel), std::tuple(32767, 35, 400, 0));
    writeRaw("[Fretboard]\nLeft%20Handed=1\n"); // a number counts as well as "True"
    EXPECT_TRUE(load().leftHanded);
}

TEST_F(SettingsTest, APresetWhoseNotesDifferIsReadAsCustomAndACommaNameSurvives) {
    // Clamped to preset 16 with other notes: custom. An unquoted comma makes a list.
    writeRaw("[Tuning]\nFlag=200\n1=200\n2=200\n3=200\n4=200\n5=200\n6=200\n"
             "[Fretboard]\nFile=my,neck.gif\n");
    const AppState state = load();
    EXPECT_EQ(state.tuning(), (Tuning{0, {67, 62, 58, 53, 48, 43}}));
    EXPECT_EQ(state.fretboardFile, QStringLiteral("my,neck.gif"));
    save(state);
    AppState again = load();
    EXPECT_EQ(again.tuning(), state.tuning());
    EXPECT_EQ(again.fretboardFile, QStringLiteral("my,neck.gif"));
    // B standard and Drop B: B1 lies below the reach of earlier versions.
    auto s = store();
    for (int preset : {4, 15, 16}) {
        const Tuning tuning = presetTuning(preset);
        AppState stored;
        stored.setInstrument({tuning});
        writeSettings(s, stored);
        EXPECT_EQ(s.value("Tuning/Flag").toString(), QString::number(preset));
        readSettings(s, again);
        EXPECT_EQ(again.tuning(), tuning);
    }
}

// Gained strings start at their default notes; a string cannot start at or past the last fret.
TEST_F(SettingsTest, NecksOfOtherSizesRoundTripAndHandEditedSizesAreMended) {
    AppState state;
    state.setInstrument(InstrumentPresets[10].instrument());
    save(state);
    const AppState back = load();
    EXPECT_EQ(back.instrument, state.instrument);
    EXPECT_EQ(back.instrument.firstFret(5), 5);
    EXPECT_EQ(back.finderSelection.size(), 5u);
    writeRaw("[Tuning]\nFlag=1\nStrings=4\nFrets=99\n1=43\n2=38\n3=500\n");
    AppState bass = load();
    EXPECT_EQ(bass.instrument.frets, MaxFrets);
    EXPECT_EQ(bass.tuning(), (Tuning{CustomPreset, {43, 38, HighestAnyOpenNote, 50}}));
    EXPECT_EQ(bass.finderSelection.size(), 4u);
    writeRaw("[Tuning]\nStrings=5\nFrets=12\nFirst Fret 5=12\nFirst Fret 4=3\nScale Length=nan\n");
    bass = load(bass);
    EXPECT_EQ(bass.instrument.firstFret(5), 0);
    EXPECT_EQ(bass.instrument.firstFret(4), 3);
    EXPECT_EQ(bass.instrument.scaleLength, AppState{}.instrument.scaleLength);
    writeRaw("[Tuning]\nStrings=12\n");
    bass = load(bass);
    EXPECT_EQ(bass.tuning().strings(), MaxStrings);
    EXPECT_EQ(bass.tuning().openNote(7), 35); // a fourth below the low E

    state.capo = Capo{2, 3, 5};
    save(state);
    bass = load(bass);
    EXPECT_EQ(bass.capo, (Capo{2, 3, 5}));
    for (const char* capo : {"[Capo]\nFret=3\nHigh String=5\nLow String=9\n",
                             "[Capo]\nFret=3\nHigh String=4\nLow String=4\n",
                             "[Tuning]\nFrets=12\n[Capo]\nFret=12\n"}) {
        writeRaw(capo);
        EXPECT_EQ(load(bass).capo, Capo{}) << capo;
    }
}

TEST_F(SettingsTest, ViewChoicesRoundTripAndUnknownWords) {
    auto store = this->store();
    AppState state;
    state.view = {MarkerLabels::Intervals, FretNumbers::Every, true, true, true, true,
                  RunRoute::AsShown,       Theme::Dark};
    writeSettings(store, state);
    EXPECT_EQ(store.value(QStringLiteral("View/Fret Numbers")).toString(), "Every Fret");
    EXPECT_EQ(store.value(QStringLiteral("View/Theme")).toString(), "Dark");
    AppState again;
    readSettings(store, again);
    EXPECT_EQ(
        std::tuple(again.view.labels, again.view.fretNumbers, again.view.run, again.view.theme),
        std::tuple(MarkerLabels::Intervals, FretNumbers::Every, RunRoute::AsShown, Theme::Dark));
    store.setValue(QStringLiteral("View/Theme"), QStringLiteral(" light "));
    readSettings(store, again);
    EXPECT_EQ(again.view.theme, Theme::Light);
    EXPECT_TRUE(again.view.shadePosition && again.view.beatIndicator);

    store.setValue(QStringLiteral("View/Labels"), QStringLiteral("notes"));
    store.setValue(QStringLiteral("View/Fret Numbers"), QStringLiteral("Roman"));
    store.setValue(QStringLiteral("View/Outline Roots"), QStringLiteral("maybe"));
    store.setValue(QStringLiteral("Playback/Scale Run"), QString());
    store.setValue(QStringLiteral("View/Theme"), QStringLiteral("Solarized"));
    readSettings(store, again);
    EXPECT_EQ(std::tuple(again.view.labels, again.view.fretNumbers, again.view.run),
              std::tuple(MarkerLabels::Notes, FretNumbers::None, RunRoute::OneOctave));
    EXPECT_EQ(again.view.theme, Theme::System);
    EXPECT_FALSE(again.view.outlineRoots);
}

// An A4 that is no number or outside 430..450 reads as 440, an unknown source as the desktop's.
TEST_F(SettingsTest, ListeningInputAndA4RoundTripAndBadValuesFallBack) {
    auto store = this->store();
    AppState state;
    state.listen = {ListenSource::JackMidi, QStringLiteral("a2j:Guitar [20] (capture): MIDI 1"),
                    432.0};
    writeSettings(store, state);
    AppState again;
    readSettings(store, again);
    EXPECT_EQ(again.listen, state.listen);
    for (const char* bad : {"abc", "429.9", "450.5", "", "nan", "-440"}) {
        store.setValue(QStringLiteral("Listen/A4"), QString::fromLatin1(bad));
        store.setValue(QStringLiteral("Listen/Source"), QStringLiteral("Bluetooth"));
        readSettings(store, again);
        EXPECT_EQ(again.listen.a4, 440.0) << bad;
        EXPECT_EQ(again.listen.source, ListenSource::Desktop) << bad;
    }
}

// Two instances on one store: neither change is lost, whichever ends last.
TEST_F(SettingsTest, EachInstanceWritesOnlyWhatItChanged) {
    save(AppState{});
    store().remove("View/Labels"); // an older store, without this key
    auto first = store();
    auto second = store();
    AppState a, b;
    readSettings(first, a);
    readSettings(second, b);
    const SettingsTexts readA = settingsTexts(a), readB = settingsTexts(b);

    a.leftHanded = true;                      // Options > Left Handed in the first
    b.view.fretNumbers = FretNumbers::Inlays; // a View choice in the second
    b.playback.volume = 90;
    EXPECT_EQ(writeChangedSettings(second, b, readB),
              QStringList({"Midi/Volume", "View/Fret Numbers", "View/Labels"}));
    EXPECT_EQ(writeChangedSettings(first, a, readA),
              QStringList({"Fretboard/Left Handed"})); // the second wrote the missing key

    const AppState back = load();
    EXPECT_TRUE(back.leftHanded);
    EXPECT_EQ(back.view.fretNumbers, FretNumbers::Inlays);
    EXPECT_EQ(back.playback.volume, 90);
    EXPECT_EQ(store().value("View/Labels").toString(), "Fingers");
}

TEST_F(SettingsTest, ProgressionChoicesRoundTripAndBadValuesFallBack) {
    // Each field other than its default.
    const ProgressionChoices chosen(KeyMode::Dorian, true, VoicingStyle::Drop2, std::pair(5, 9),
                                    StrumPattern::Fingerpicked, BassPattern::RootFifth, true, false,
                                    QStringLiteral("| Dm7 / G7 / | Cmaj7 | %"), 3);
    {
        auto s = store();
        writeProgressionChoices(s, chosen, {});
    }
    EXPECT_EQ(readProgressionChoices(store()), chosen);

    // An unreadable value gives its key's default; every other key stays.
    const auto texts = progressionChoiceTexts(chosen), defaults = progressionChoiceTexts({});
    const std::pair<const char*, QVariant> bad[] = {{"Mode", "lydian-ish"},
                                                    {"Sevenths", "maybe"},
                                                    {"Style", "drop4"},
                                                    {"Region", "9-3"},
                                                    {"Region", "0-99"},
                                                    {"Strum", "sideways"},
                                                    {"Bass", "tuba"},
                                                    {"Count-in", ""},
                                                    {"Text", QString(MaxProgressionText + 1, u'C')},
                                                    {"Meter", "13"},
                                                    {"Meter", "three"}};
    for (const auto& [key, value] : bad) {
        SCOPED_TRACE(key);
        const QString name = QStringLiteral("Progressions/") + QLatin1String(key);
        auto s = store();
        writeProgressionChoices(s, chosen, {});
        s.setValue(name, value);
        auto expected = texts;
        expected[name] = defaults[name];
        EXPECT_EQ(progressionChoiceTexts(readProgressionChoices(s)), expected);
    }
}
