#include "HeadlessProgram.h"
#include "modes/ChordScales.h"
#include "modes/Modes.h"
#include "modes/RootTabs.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace chordalis {
namespace {

using test::HeadlessProgram;

constexpr int MajorScale = 0; // 1;2;3;4;5;6;7 in the shipped library

class ScalesTest : public ::testing::Test {
protected:
    QList<int> fretsOn(int string) {
        QList<int> frets;
        for (const Mark& m : p.markers()) {
            if (m.string == string)
                frets << m.fret;
        }
        std::sort(frets.begin(), frets.end());
        return frets;
    }

    HeadlessProgram p;
};

// Counted from the tuning alone: one marker on every place in the scale, none elsewhere; every
// root, and G on other necks.
TEST_F(ScalesTest, MajorScaleCoversTheWholeNeckForEveryRootAndTuning) {
    constexpr std::array<int, 7> Steps = {0, 2, 4, 5, 7, 9, 11};
    const int tabs = int(RootTabs.size());
    const std::vector<Instrument> necks = {
        {presetTuning(4)},
        {{CustomPreset, {64, 59, 55, 50, 45, 40, 35}}, 24},
        {{CustomPreset, {43, 38, 33, 28}}, 20},
        {{CustomPreset, {69, 64, 60, 67}}, 12},
    };
    for (int tab = 1; tab <= tabs + int(necks.size()); ++tab) {
        const bool retuned = tab > tabs; // G, on the other necks
        if (retuned)
            setInstrument(p->context(), necks[size_t(tab - tabs - 1)]);
        const Tuning& tuning = p->state().tuning();
        const int maxFret = p->state().maxFret();
        const int shown = retuned ? *rootTabIndex(QStringLiteral("G")) : tab;
        SCOPED_TRACE(QString::number(tuning.strings()).toStdString() + " strings " +
                     RootTabs[size_t(shown - 1)].caption);
        p.show(Mode::Scales, RootTabs[size_t(shown - 1)].caption, TreeId::Scales, MajorScale);
        const int root = RootTabs[size_t(shown - 1)].root;
        std::set<int> scale;
        for (int step : Steps)
            scale.insert((root + step) % 12);

        std::map<std::pair<int, int>, int> count;
        const auto pitchClass = [&](int string, int fret) {
            return (tuning.notes[size_t(string - 1)] + fret) % 12;
        };
        for (const Mark& m : p.markers()) {
            ++count[{m.string, m.fret}];
            EXPECT_EQ(pitchClassOf(m.label), pitchClass(m.string, m.fret));
            EXPECT_EQ(m.colour, pitchClassOf(m.label) == root ? p->state().colourRoot
                                                              : p->state().colourScale);
        }
        for (int string = 1; string <= tuning.strings(); ++string) {
            for (int fret = 0; fret <= maxFret; ++fret) {
                const bool inScale = scale.count(pitchClass(string, fret)) > 0;
                const int markers = count[std::pair{string, fret}];
                EXPECT_EQ(markers, inScale ? 1 : 0) << string << "/" << fret;
            }
        }
    }
}

TEST_F(ScalesTest, LabelsAndFretWindows) {
    p.show(Mode::Scales, "C", TreeId::Scales, MajorScale);
    EXPECT_EQ(p->context().pages.scales.lblScaleName, QStringLiteral("C Major"));
    EXPECT_EQ(p->context().pages.scales.lblScaleNotes, QStringLiteral("C D E F G A B "));

    positionChosen(p->context(), Mode::Scales, 2); // 1st Position, four notes: frets 1..4
    EXPECT_EQ(fretsOn(6), QList<int>({1, 3}));
    positionOptionClicked(p->context(), Mode::Scales, 1); // five notes: frets 1..5
    EXPECT_EQ(fretsOn(6), QList<int>({1, 3, 5}));

    // The capo's fret is the open string; a partial capo leaves the other strings alone.
    positionChosen(p->context(), Mode::Scales, 0);
    ASSERT_TRUE(setCapo(p->context(), {2}));
    EXPECT_EQ(fretsOn(6), QList<int>({3, 5, 7, 8, 10, 12, 13, 15}));
    EXPECT_EQ(fretsOn(3), QList<int>({2, 4, 5, 7, 9, 10, 12, 14})); // A at the capo
    ASSERT_TRUE(setCapo(p->context(), {2, 3, 5}));
    EXPECT_EQ(fretsOn(6), QList<int>({0, 1, 3, 5, 7, 8, 10, 12, 13, 15}));
    EXPECT_EQ(fretsOn(5).front(), 2);
    EXPECT_FALSE(setCapo(p->context(), {13})); // past the capo's reach: refused, kept
    EXPECT_EQ(p->state().capo, (Capo{2, 3, 5}));
    ASSERT_TRUE(setCapo(p->context(), {}));

    nodeClicked(p->context(), TreeId::Scales, QStringLiteral("0 Group"));
    EXPECT_EQ(p->context().pages.scales.lblScaleName, QStringLiteral("No Scale Selected"));
    EXPECT_TRUE(p.markers().empty());
}

TEST_F(ScalesTest, ArpeggioUsesTheChordColour) {
    p.show(Mode::Arpeggios, "A", TreeId::Arpeggios, 4); // Am7
    std::set<QString> names;
    for (const Mark& m : p.markers()) {
        names.insert(m.label);
        EXPECT_EQ(m.colour, m.label == QLatin1String("A") ? p->context().state.colourRoot
                                                          : p->context().state.colourChord);
    }
    EXPECT_EQ(names, (std::set<QString>{"A", "C", "E", "G"}));
}

TEST_F(ScalesTest, SingleNoteEverywhereUnderAnyTuning) {
    rootChange(p->context(), *rootTabIndex(QStringLiteral("F#")));
    modeDispatch(p->context(), Mode::Notes);
    // Every F# from fret 0 to 15: twice on the E strings (2, 14), once on the others.
    EXPECT_EQ(p.markers().size(), 8u);
    for (const Mark& m : p.markers()) {
        EXPECT_EQ(m.label, QStringLiteral("F#"));
        EXPECT_EQ((Tuning{}.openNote(m.string) + m.fret) % 12, 6);
    }
    rootChange(p->context(), *rootTabIndex(QStringLiteral("Gb")));
    EXPECT_EQ(p.markers()[0].label, QStringLiteral("Gb"));

    // Under a capo at the 4th fret the open strings' places are the capo's.
    ASSERT_TRUE(setCapo(p->context(), {4}));
    EXPECT_EQ(fretsOn(6), QList<int>({14}));
    EXPECT_TRUE(p->context().pages.notes.lblNotePlaces.contains("3rd string (G): 11"));
    EXPECT_TRUE(p->context().pages.notes.lblNotePlaces.contains("4th string (D): 4 (capo)\n"));
    ASSERT_TRUE(setCapo(p->context(), {}));

    setInstrument(p->context(), {presetTuning(4)}); // Dropped D
    rootChange(p->context(), *rootTabIndex(QStringLiteral("D")));
    EXPECT_EQ(fretsOn(6), QList<int>({0, 12}));
    const auto open = p.signs(OpenNameColumn);
    EXPECT_EQ(open.back().label, QStringLiteral("D2")); // string 6
}

TEST(RelatedScales, OnlyWholeNumbersBetweenSemicolonsCount) {
    const std::pair<const char*, std::vector<int>> cases[] = {
        {"0;12", {0, 12}}, {"12", {12}},        {"1", {1}},
        {"7;3;7", {3, 7}}, {"0;99;-1;20", {0}}, {" 5 ;05;+5;5.0;x;;", {5}},
        {"", {}},
    };
    for (const auto& [text, scales] : cases)
        EXPECT_EQ(relatedScales(QLatin1String(text), 20), scales) << text;
}

class ChordScalesTest : public ::testing::Test {
protected:
    void show(const char* root, int chord) {
        p.show(Mode::ChordScale, root, TreeId::CSChords, chord);
    }
    // Every marked name with the role of its colour, "C:root E:both ...".
    QString colours() {
        const std::map<PackedColour, QString> roles = {{s().colourRoot, "root"},
                                                       {s().colourBoth, "both"},
                                                       {s().colourChord, "chord"},
                                                       {s().colourScale, "scale"}};
        std::map<QString, QString> seen;
        for (const Mark& m : p.markers())
            seen.emplace(m.label + QLatin1Char(':') + roles.at(m.colour), QString());
        QStringList out;
        for (const auto& [name, unused] : seen)
            out << name;
        return out.join(QLatin1Char(' '));
    }
    const ChordScalePage& page() { return p->context().pages.chordScale; }
    const AppState& s() { return p->context().state; }
    test::HeadlessProgram p;
};

TEST_F(ChordScalesTest, RecommendedScalesInScaleOrderFirstOneChosen) {
    show("C", 4); // m7 recommends 1;5;8;2;9;45;47
    QStringList keys;
    for (const TreeNode* n : page().tvwCSScales.children(QStringLiteral("Recommended Group")))
        keys << n->key;
    EXPECT_EQ(keys.join(','), "1 Scale,2 Scale,5 Scale,8 Scale,9 Scale,45 Scale,47 Scale");
    EXPECT_EQ(page().tvwCSScales.selectedKey, "1 Scale");
    EXPECT_EQ(page().lblCSChordName + '/' + page().lblCSScaleName, "Cm7/C Dorian");

    nodeClicked(p->context(), TreeId::CSScales, QStringLiteral("5 Scale"));
    show("F#", 4); // another root keeps the chord and starts again at the first scale
    EXPECT_EQ(page().lblCSScaleNotes, "F# G# A B C# D# E ");
}

TEST_F(ChordScalesTest, EachNoteTakesTheColourOfWhereItBelongs) {
    // A is only the scale's thirteenth entry: it is drawn too.
    p->context().state.scales.entries[0].formula = QStringLiteral("1;2;3;4;5;2;7;2;2;2;2;2;6");
    show("C", 2); // C7 against C major
    nodeClicked(p->context(), TreeId::CSScales, QStringLiteral("0 Scale"));
    EXPECT_EQ(colours(), "A:scale B:scale Bb:chord C:root D:scale E:both F:scale G:both");

    nodeClicked(p->context(), TreeId::CSScales, QStringLiteral("Other Group")); // the chord alone
    EXPECT_EQ(page().lblCSScaleName, "No Scale Selected");
    EXPECT_EQ(colours(), "Bb:chord C:root E:chord G:chord");
}

TEST_F(ChordScalesTest, ChordWithoutRecommendationIsShownAlone) {
    show("C", 2);
    p->context().state.chords.entries[0].relatedscaleid.clear();
    show("D", 0);
    EXPECT_TRUE(page().tvwCSScales.children(QStringLiteral("Recommended Group")).empty());
    EXPECT_EQ(s().selectedCSScale, -1);
    EXPECT_EQ(page().lblCSChordName + '/' + page().lblCSScaleName, "Dmaj/No Scale Selected");
    EXPECT_EQ(colours(), "A:chord D:root F#:chord");

    nodeClicked(p->context(), TreeId::CSChords, QStringLiteral("2 Group"));
    EXPECT_TRUE(page().tvwCSScales.isEmpty());
    EXPECT_EQ(page().lblCSChordName, "No Chord Selected");
    EXPECT_TRUE(p.markers().empty());
}

} // namespace
} // namespace chordalis
