#include "progressions/Progression.h"

#include "../ShippedLibrary.h"
#include "ChartCases.h"
#include "progressions/Voicer.h"
#include "theory/RootTabs.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <set>

using namespace chordalis;

namespace {

test::ShippedLibrary& shipped() {
    return test::shippedLibrary();
}

ProgressionReading read(const char* text, const char* root = "C", KeyMode mode = KeyMode::Major,
                        int beats = 4) {
    const Key key = makeKey(rootTabIndex(QLatin1String(root)).value_or(1), mode, shipped().chords);
    return readProgression(QString::fromUtf8(text), key, shipped().index, shipped().chords, beats);
}

// "symbol:beats@bar" for each chord.
QString chart(const ProgressionReading& r) {
    QStringList out;
    if (!r.progression)
        return QStringLiteral("refused: ") + r.error;
    for (const ProgressionChord& c : r.progression->chords)
        out << QStringLiteral("%1:%2@%3").arg(c.symbol).arg(c.beats).arg(c.bar);
    return out.join(u' ');
}

} // namespace

TEST(ProgressionReader, NumeralsAndSymbolsGiveTheChordsAPlayerReads) {
    EXPECT_EQ(chart(read("ii7 V7 Imaj7")), "Dm7:4@0 G7:4@1 Cmaj7:4@2");
    EXPECT_EQ(chart(read("i iv V7 i", "A", KeyMode::NaturalMinor)), "Am:4@0 Dm:4@1 E7:4@2 Am:4@3");
    EXPECT_EQ(chart(read("| Dm7 | G7 | Cmaj7 | % |")), "Dm7:4@0 G7:4@1 Cmaj7:4@2 Cmaj7:4@3");
    EXPECT_EQ(chart(read("|Dm7|G7|Cmaj7|%|")), "Dm7:4@0 G7:4@1 Cmaj7:4@2 Cmaj7:4@3");
    EXPECT_EQ(chart(read("bVII VI bVI #iv°7 bIII+", "C", KeyMode::NaturalMinor)),
              "Bb:4@0 Ab:4@1 Ab:4@2 F#dim7:4@3 Ebaug:4@4");
    EXPECT_EQ(chart(read("bVII bIII iv")), "Bb:4@0 Eb:4@1 Fm:4@2");
    EXPECT_EQ(chart(read("V7/ii V7/V vii°7/V IV/IV")), "A7:4@0 D7:4@1 F#dim7:4@2 Bb:4@3");
    EXPECT_EQ(chart(read("iiø7 V7b9 i(maj7) i6", "D", KeyMode::HarmonicMinor)),
              "Em7b5:4@0 A7b9:4@1 Dm(maj7):4@2 Dm6:4@3");
    EXPECT_EQ(chart(read("ii9 V13 Isus4 I6")), "Dm9:4@0 G13:4@1 Csus4:4@2 C6:4@3");
    EXPECT_EQ(chart(read("D/F# F#m7b5 Cbmaj7 E#7")), "D/F#:4@0 F#m7b5:4@1 Cbmaj7:4@2 E#7:4@3");

    const auto eb = read("bIII+", "Eb", KeyMode::HarmonicMinor);
    ASSERT_TRUE(eb.progression);
    EXPECT_EQ(eb.progression->chords[0].notes, (QStringList{"Gb", "Bb", "D"}));
    const auto secondary = read("V7/vi", "F#");
    ASSERT_TRUE(secondary.progression);
    EXPECT_EQ(secondary.progression->chords[0].notes, (QStringList{"A#", "Cx", "E#", "G#"}));
    const auto bass = read("D/F#");
    ASSERT_TRUE(bass.progression);
    EXPECT_EQ(bass.progression->chords[0].bass->name(), QStringLiteral("F#"));
}

TEST(ProgressionReader, BarsBeatsAndRepeats) {
    EXPECT_EQ(chart(read("| C / G / | F G Am |")), "C:2@0 G:2@0 F:2@1 G:1@1 Am:1@1");
    EXPECT_EQ(chart(read("| C / / / / / |")), "C:6@0");
    EXPECT_EQ(chart(read("| C D E F G |")), "C:1@0 D:1@0 E:1@0 F:1@0 G:1@0");
    EXPECT_EQ(chart(read("|: C | G :| F |")), "C:4@0 G:4@1 C:4@2 G:4@3 F:4@4");
    EXPECT_EQ(chart(read("| C | G :|")), "C:4@0 G:4@1 C:4@2 G:4@3");
    EXPECT_EQ(chart(read("|| C G || % ||", "C", KeyMode::Major, 3)), "C:2@0 G:1@0 C:2@1 G:1@1");
    EXPECT_EQ(chart(read("C / / G")), "C:3@0 G:4@1");
}

TEST(ProgressionReader, RefusalsNameTheTokenTheyCouldNotRead) {
    // The text, and the token its refusal names.
    const std::pair<const char*, const char*> refused[] = {
        {"Dm7 H7 G7", "H7"},  {"| % | C |", "%"},
        {"| C % |", "%"},     {"/ C", "/"},
        {"V7/x", "V7/x"},     {"|: C |: G :|", "|:"},
        {"| C |: G |", "|:"}, {"Cmaj7 dorian", "dorian"},
        {"vii+", "vii+"},     {"Iqq", "Iqq"},
        {"C ☃", "☃"}};
    for (const auto& [text, token] : refused) {
        const auto r = read(text);
        EXPECT_FALSE(r.progression) << text;
        EXPECT_EQ(r.token, QString::fromUtf8(token)) << text;
        EXPECT_TRUE(r.error.contains(QString::fromUtf8(token))) << r.error.toStdString();
    }
    EXPECT_FALSE(read("").progression);
    EXPECT_FALSE(read(" | | ").progression);
    EXPECT_FALSE(read(QString(MaxProgressionText + 1, u'C').toUtf8().constData()).progression);
    QString many;
    for (int i = 0; i < 200; ++i)
        many += QStringLiteral("|: C D :| ");
    const auto r = read(many.toUtf8().constData());
    EXPECT_FALSE(r.progression);
    EXPECT_TRUE(r.error.contains(QString::number(MaxProgressionChords)));
}

TEST(ProgressionLibrary, EveryProgressionReadsInEveryRootOfItsMode) {
    Warnings warnings(true);
    const auto all = loadProgressions(shipped().ini, warnings);
    EXPECT_TRUE(warnings.messages().isEmpty()) << warnings.messages().join(u'\n').toStdString();
    EXPECT_GE(all.size(), 40u);
    std::set<QString> groups, ids;
    int twelveBar = 0;
    for (const LibraryProgression& p : all) {
        groups.insert(p.group);
        EXPECT_TRUE(ids.insert(p.id).second) << p.id.toStdString();
        for (int tab = 1; tab <= int(RootTabs.size()); ++tab) {
            const Key key = makeKey(tab, p.mode, shipped().chords);
            const auto r =
                readProgression(p.chords, key, shipped().index, shipped().chords, p.beatsPerBar);
            ASSERT_TRUE(r.progression) << p.id.toStdString() << ": " << r.error.toStdString();
            for (const ProgressionChord& c : r.progression->chords)
                EXPECT_FALSE(c.notes.isEmpty());
            if (tab == 1 && p.group == QLatin1String("Blues") && r.progression->bars == 12)
                ++twelveBar;
        }
    }
    EXPECT_GE(twelveBar, 3);
    for (const char* g : {"Pop", "Rock", "Blues", "Jazz", "Folk", "Soul", "Flamenco", "Classical"})
        EXPECT_TRUE(groups.count(QLatin1String(g))) << g;

    const auto blues = std::find_if(all.begin(), all.end(), [](const LibraryProgression& p) {
        return p.id == QLatin1String("blues-twelve");
    });
    ASSERT_NE(blues, all.end());
    const auto r = readProgression(blues->chords, makeKey(14, KeyMode::Major, shipped().chords),
                                   shipped().index, shipped().chords);
    EXPECT_EQ(chart(r), "A7:4@0 A7:4@1 A7:4@2 A7:4@3 D7:4@4 D7:4@5 A7:4@6 A7:4@7 E7:4@8 D7:4@9 "
                        "A7:4@10 E7:4@11");
}

namespace {

using test::grip;

VoicerChord chordOf(int root, std::vector<int> tones, std::vector<Voicing> grips) {
    return VoicerChord{root, std::move(tones), std::move(grips), std::nullopt};
}

// The pitch class of a grip's lowest sounding note.
int lowestClass(const Voicing& v, const Tuning& tuning) {
    int low = 1000;
    for (int s = 1; s <= v.strings(); ++s)
        if (v.fret(s))
            low = std::min(low, tuning.openNote(s) + *v.fret(s));
    return low % 12;
}

// The cheapest total over every combination of the grips within the constraints (a chord
// without any left out; a slash chord's grip only with its bass lowest), tried one by one.
double bruteForce(const VoicerRequest& r) {
    std::vector<std::vector<int>> allowed;
    for (const VoicerChord& chord : r.chords) {
        VoicerChord free = chord; // the bass is checked here, not by the voicer's rule
        free.bass.reset();
        std::vector<int> grips;
        for (size_t k = 0; k < chord.grips.size(); ++k)
            if (keepsConstraints(chord.grips[k], free, r.tuning, r.capo, r.constraints) &&
                (!chord.bass || lowestClass(chord.grips[k], r.tuning) == *chord.bass))
                grips.push_back(int(k));
        allowed.push_back(grips.empty() ? std::vector<int>{-1} : grips);
    }
    double best = std::numeric_limits<double>::infinity();
    std::vector<size_t> at(r.chords.size(), 0);
    for (;;) {
        std::vector<int> choice;
        for (size_t i = 0; i < at.size(); ++i)
            choice.push_back(allowed[i][at[i]]);
        best = std::min(best, costOf(r, choice).total);
        size_t i = 0;
        while (i < at.size() && ++at[i] >= allowed[i].size())
            at[i++] = 0;
        if (i == at.size())
            return best;
    }
}

} // namespace

TEST(Voicer, FindsTheOptimumThatBruteForceFinds) {
    // Some slash chords' bass is no grip's lowest note, which leaves them out.
    std::srand(29);
    for (int trial = 0; trial < 40; ++trial) {
        VoicerRequest r;
        r.weights = {double(std::rand() % 4), double(std::rand() % 4), double(std::rand() % 4),
                     double(std::rand() % 4), double(std::rand() % 4), double(std::rand() % 3)};
        if (trial % 5 == 0)
            r.constraints.lowFret = 3; // some grips, or every grip of a chord, left out
        const int chords = 2 + trial % 4;
        for (int c = 0; c < chords; ++c) {
            VoicerChord chord{std::rand() % 12, {0, 4, 7}, {}, std::nullopt};
            const int grips = 1 + std::rand() % 5;
            for (int g = 0; g < grips; ++g) {
                Voicing v;
                for (int s = 1; s <= 6; ++s) {
                    const int fret = std::rand() % 14 - 1;
                    v.setString(s, fret < 0 ? std::nullopt : std::optional<int>(fret),
                                fret <= 0 ? QString::number(fret) : QString::number(1 + s % 4));
                }
                chord.grips.push_back(v);
            }
            if (std::rand() % 3 == 0)
                chord.bass = trial % 7 == 0
                                 ? std::rand() % 12
                                 : lowestClass(chord.grips[size_t(std::rand() % grips)], r.tuning);
            r.chords.push_back(chord);
        }
        const VoicedProgression best = voiceProgression(r);
        EXPECT_NEAR(best.total, bruteForce(r), 1e-9) << "trial " << trial;
        for (size_t i = 0; i < r.chords.size(); ++i) {
            if (r.chords[i].bass && best.choice[i] >= 0) {
                EXPECT_EQ(lowestClass(r.chords[i].grips[size_t(best.choice[i])], r.tuning),
                          *r.chords[i].bass);
            }
        }
        EXPECT_NEAR(best.total, costOf(r, best.choice).total, 1e-9);
        EXPECT_LE(best.total, greedyGrips(r).total + 1e-9);
        EXPECT_LE(best.total, firstGrips(r).total + 1e-9);
    }
}

TEST(Voicer, CostPartsOfAHandWorkedMove) {
    // C (x32010) to Am (x02210): C E G C E to A E A C E. The hand keeps its 1st and
    // 2nd fingers; the 3rd finger leaves the A string, and the 3rd string's note moves.
    VoicerRequest r;
    r.chords = {chordOf(0, {0, 4, 7}, {grip("x32010", "x32010")}),
                chordOf(9, {0, 3, 7}, {grip("x02210", "x02310")})};
    const VoicedProgression v = costOf(r, {0, 0});
    const CostParts& step = v.steps[1];
    EXPECT_DOUBLE_EQ(step.topVoice, 0); // E4 stays on top
    EXPECT_DOUBLE_EQ(step.shift, 0);    // both at the 1st fret
    EXPECT_DOUBLE_EQ(step.fingers, 2);  // the A string lifts, the G string is pressed
    EXPECT_DOUBLE_EQ(step.notHeld, 0);  // C and E both held at their pitch
    // C3 and A2 3 apart, G3 and A3 2, each counted from both chords and halved.
    EXPECT_DOUBLE_EQ(step.semitones, 5);
    EXPECT_DOUBLE_EQ(v.steps[0].difficulty, 0.75 + 0.5); // three fingers, one silent string
}

TEST(Voicer, StylesRegionsAndStringsKeepTheirGrips) {
    const Tuning standard;
    const Capo none;
    const VoicerChord cmaj7 = chordOf(0, {0, 4, 7, 11}, {});
    const VoicerChord c = chordOf(0, {0, 4, 7}, {});
    auto keeps = [&](const char* frets, const char* fingers, const VoicerChord& chord,
                     VoicingStyle style) {
        VoicerConstraints k;
        k.style = style;
        return keepsConstraints(grip(frets, fingers), chord, standard, none, k);
    };
    EXPECT_TRUE(keeps("xxaccc", "xx1234", cmaj7, VoicingStyle::Drop2));
    EXPECT_FALSE(keeps("xxaccc", "xx1234", cmaj7, VoicingStyle::Drop3));
    EXPECT_TRUE(keeps("8x998x", "1x234x", cmaj7, VoicingStyle::Drop3));
    EXPECT_FALSE(keeps("8x998x", "1x234x", cmaj7, VoicingStyle::Drop2));
    EXPECT_FALSE(keeps("x32000", "x12000", cmaj7, VoicingStyle::Drop2)); // C E G B E: five notes
    EXPECT_TRUE(keeps("8x99xx", "1x23xx", cmaj7, VoicingStyle::Shell));
    EXPECT_FALSE(keeps("xx998x", "xx123x", cmaj7, VoicingStyle::Shell)); // B in the bass
    EXPECT_FALSE(keeps("x3xx00", "x1xx00", cmaj7, VoicingStyle::Shell)); // spread over five strings
    EXPECT_TRUE(keeps("xxx553", "xxx123", c, VoicingStyle::Triads));
    EXPECT_FALSE(keeps("xxx553", "xxx123", cmaj7, VoicingStyle::Triads));
    EXPECT_FALSE(keeps("xx5x53", "xx1x23", c, VoicingStyle::Triads));
    EXPECT_TRUE(keeps("x32010", "x12030", c, VoicingStyle::OpenAndBarre));
    VoicerConstraints open;
    open.style = VoicingStyle::OpenAndBarre;
    EXPECT_TRUE(keepsConstraints(grip("8aa988", "134211"), c, standard, none, open));
    EXPECT_FALSE(keeps("xxa98x", "xx123x", c, VoicingStyle::OpenAndBarre));

    VoicerConstraints region;
    region.lowFret = 5;
    region.highFret = 8;
    EXPECT_TRUE(keepsConstraints(grip("xxx558", "xxx123"), c, standard, none, region));
    EXPECT_FALSE(keepsConstraints(grip("xxx559", "xxx123"), c, standard, none, region));
    EXPECT_FALSE(keepsConstraints(grip("x32010", "x12030"), c, standard, none, region));
    VoicerConstraints strings;
    strings.strings = {1, 2, 3};
    EXPECT_TRUE(keepsConstraints(grip("xxx553", "xxx123"), c, standard, none, strings));
    EXPECT_FALSE(keepsConstraints(grip("xx5553", "xx1234"), c, standard, none, strings));
    // Above a capo at the 2nd fret, the capo's fret is the open string.
    Capo capo;
    capo.fret = 2;
    VoicerConstraints atCapo;
    atCapo.lowFret = 2;
    atCapo.style = VoicingStyle::OpenAndBarre;
    EXPECT_TRUE(keepsConstraints(grip("x54232", "x12344"), c, standard, capo, atCapo));

    for (const char* word : {"any", "open", "shell", "drop2", "drop3", "triads"})
        EXPECT_EQ(voicingStyleWord(*voicingStyleOf(QLatin1String(word))), std::string(word));
    EXPECT_FALSE(voicingStyleOf(QStringLiteral("drop4")));
}

TEST(Voicer, AChordWithoutAnAllowedGripIsLeftOutAndItsNeighboursJoined) {
    VoicerRequest r;
    r.constraints.lowFret = 5;
    r.chords = {chordOf(0, {0, 4, 7}, {grip("xxx558", "xxx123"), grip("x32010", "x12030")}),
                chordOf(7, {0, 4, 7}, {grip("320003", "120003")}),
                chordOf(5, {0, 4, 7}, {grip("xxx565", "xxx123")})};
    const VoicedProgression v = voiceProgression(r);
    EXPECT_EQ(v.choice, (std::vector<int>{0, -1, 0}));
    EXPECT_GT(v.steps[2].semitones, 0); // weighed against the C before the G
    EXPECT_TRUE(voiceProgression(VoicerRequest{}).choice.empty());
}

TEST(ProgressionLibrary, ADamagedSectionIsLeftOutWithAWarningAndTheRestRead) {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("progressions.ini")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[good]\nname=Good\nmode=Dorian\nmeter=3\nchords=i7 IV7\n"
               "[no-chords]\nname=Empty\n"
               "[bad-mode]\nname=Bad\nmode=majorish\nchords=I\n"
               "[bad-meter]\nname=Long\nmeter=40\nchords=I\n");
    file.close();
    IniReader ini(dir.path());
    Warnings warnings(true);
    const auto all = loadProgressions(ini, warnings);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].mode, KeyMode::Dorian);
    EXPECT_EQ(all[0].beatsPerBar, 3);
    ASSERT_EQ(warnings.messages().size(), 3);
    EXPECT_TRUE(warnings.messages()[1].contains(QStringLiteral("majorish")));
    // No file at all: nothing, and nothing to say.
    QTemporaryDir empty;
    IniReader none(empty.path());
    Warnings quiet(true);
    EXPECT_TRUE(loadProgressions(none, quiet).empty());
    EXPECT_TRUE(quiet.messages().isEmpty());
}
