#include "library/ChordScales.h"

#include "HeadlessProgram.h"
#include "app/Modes.h"
#include "app/RootTabs.h"

#include <gtest/gtest.h>
#include <map>

namespace chordalis {
namespace {

using test::HeadlessProgram;

TEST(RelatedScales, OnlyWholeNumbersBetweenSemicolonsNameScales) {
    struct Case {
        const char* text;
        int scaleCount;
        std::vector<int> scales;
    };
    const Case cases[] = {
        {"0;12", 20, {0, 12}}, {"12", 20, {12}}, // no scale 1 or 2
        {"1", 20, {1}},                          // no scale 12
        {"7;3;7", 20, {3, 7}}, {"0;99;-1;20", 20, {0}}, {" 5 ;05;+5;5.0;x;;", 20, {5}},
        {"", 20, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(relatedScales(QLatin1String(c.text), c.scaleCount), c.scales) << c.text;
}

class ChordScalesTest : public ::testing::Test {
protected:
    void SetUp() override { modeDispatch(*p, Mode::ChordScale); }

    void show(const char* root, int chord) {
        rootChange(*p, *rootTabIndex(QLatin1String(root)));
        p.clickItem(TreeId::CSChords, chord, "Chord");
    }
    // The colour of every marked note name; a name marked in two colours fails the test.
    std::map<QString, PackedColour> colours() {
        std::map<QString, PackedColour> out;
        for (const Mark& m : p.markers()) {
            const auto [it, added] = out.emplace(m.label, m.colour);
            EXPECT_EQ(it->second, m.colour) << m.label.toStdString();
        }
        return out;
    }
    QStringList children(const char* group) {
        QStringList out;
        for (const TreeNode* n : page().tvwCSScales.children(QLatin1String(group)))
            out << n->key;
        return out;
    }
    const ChordScalePage& page() { return p->pages.chordScale; }
    const AppState& s() { return p->state; }

    HeadlessProgram p;
};

TEST_F(ChordScalesTest, RecommendedScalesComeFirstInScaleOrder) {
    show("C", 4); // m7 recommends 1;5;8;2;9;45
    EXPECT_EQ(children("Recommended Group"),
              QStringList({"1 Scale", "2 Scale", "5 Scale", "8 Scale", "9 Scale", "45 Scale"}));
    EXPECT_EQ(children("Other Group").size(), s().scales.count - 6);
    EXPECT_TRUE(page().tvwCSScales.find(QStringLiteral("Recommended Group"))->expanded);
    EXPECT_EQ(page().tvwCSScales.selectedKey, QStringLiteral("1 Scale"));
    EXPECT_EQ(s().selectedCSScale, 1);
    EXPECT_EQ(page().lblCSChordName, QStringLiteral("Cm7"));
    EXPECT_EQ(page().lblCSChordNotes, QStringLiteral("C Eb G Bb "));
    EXPECT_EQ(page().lblCSScaleName, QStringLiteral("C Dorian"));
    EXPECT_EQ(page().lblCSScaleFormula, QStringLiteral("Formula: 1, 2, b3, 4, 5, 6, b7"));

    // Another root keeps the chord and starts again at the first recommended scale.
    nodeClicked(*p, TreeId::CSScales, QStringLiteral("5 Scale"));
    show("F#", 4);
    EXPECT_EQ(s().selectedCSScale, 1);
    EXPECT_EQ(page().lblCSChordName, QStringLiteral("F#m7"));
    EXPECT_EQ(page().lblCSScaleNotes, QStringLiteral("F# G# A B C# D# E "));
}

TEST_F(ChordScalesTest, EachNoteTakesTheColourOfWhereItBelongs) {
    show("C", 2);                                                 // C7: C E G Bb
    nodeClicked(*p, TreeId::CSScales, QStringLiteral("0 Scale")); // C major: no Bb, a B
    const std::map<QString, PackedColour> expected = {
        {"C", s().colourRoot},   {"E", s().colourBoth},  {"G", s().colourBoth},
        {"Bb", s().colourChord}, {"D", s().colourScale}, {"F", s().colourScale},
        {"A", s().colourScale},  {"B", s().colourScale},
    };
    EXPECT_EQ(colours(), expected);
    EXPECT_EQ(s().ledPositions.size(), int(p.markers().size()));
    EXPECT_EQ(p.led.frames.back(), s().ledPositions);

    // A group node clears the scale: the chord alone.
    nodeClicked(*p, TreeId::CSScales, QStringLiteral("Other Group"));
    EXPECT_EQ(s().selectedCSScale, -1);
    EXPECT_EQ(page().lblCSScaleName, QStringLiteral("No Scale Selected"));
    EXPECT_EQ(colours(), (std::map<QString, PackedColour>{{"C", s().colourRoot},
                                                          {"E", s().colourChord},
                                                          {"G", s().colourChord},
                                                          {"Bb", s().colourChord}}));
}

TEST_F(ChordScalesTest, TheThirteenthEntryIsDrawnToo) {
    p->state.scales.entries[0].formula = QStringLiteral("1;2;2;2;2;2;2;2;2;2;2;2;6");
    show("C", 0);
    nodeClicked(*p, TreeId::CSScales, QStringLiteral("0 Scale"));
    const auto c = colours();
    ASSERT_TRUE(c.count(QStringLiteral("A")));
    EXPECT_EQ(c.at(QStringLiteral("A")), s().colourScale);
}

TEST_F(ChordScalesTest, ChordWithoutRecommendationIsShownAlone) {
    show("C", 2);
    p->state.chords.entries[0].relatedscaleid.clear();
    show("D", 0);
    EXPECT_TRUE(children("Recommended Group").isEmpty());
    EXPECT_EQ(children("Other Group").size(), s().scales.count);
    EXPECT_EQ(s().selectedCSScale, -1);
    EXPECT_TRUE(page().tvwCSScales.selectedKey.isEmpty());
    EXPECT_EQ(page().lblCSChordName, QStringLiteral("Dmaj"));
    EXPECT_EQ(page().lblCSChordNotes, QStringLiteral("D F# A "));
    EXPECT_EQ(page().lblCSScaleName, QStringLiteral("No Scale Selected"));
    EXPECT_TRUE(page().lblCSScaleNotes.isEmpty());
    EXPECT_EQ(colours(),
              (std::map<QString, PackedColour>{
                  {"D", s().colourRoot}, {"F#", s().colourChord}, {"A", s().colourChord}}));
}

TEST_F(ChordScalesTest, NoChordEmptiesTreeLabelsAndNeck) {
    show("C", 2);
    nodeClicked(*p, TreeId::CSChords, QStringLiteral("2 Group"));
    EXPECT_EQ(s().selectedCSChord, -1);
    EXPECT_TRUE(page().tvwCSScales.isEmpty());
    EXPECT_EQ(page().lblCSChordName, QStringLiteral("No Chord Selected"));
    EXPECT_EQ(page().lblCSScaleName, QStringLiteral("No Scale Selected"));
    EXPECT_TRUE(page().lblCSChordNotes.isEmpty() && page().lblCSScaleFormula.isEmpty());
    EXPECT_TRUE(p.markers().empty());
}

TEST_F(ChordScalesTest, PositionListLimitsTheFrets) {
    show("C", 2);
    positionChosen(*p, Mode::ChordScale, 13); // "12th Position": frets 12..15
    ASSERT_FALSE(p.markers().empty());
    for (const Mark& m : p.markers()) {
        EXPECT_GE(m.fret, 12);
        EXPECT_LE(m.fret, 15);
    }
    positionOptionClicked(*p, Mode::ChordScale, 1);
    positionChosen(*p, Mode::ChordScale, 1); // "Open" with five-note windows: frets 0..4
    for (const Mark& m : p.markers())
        EXPECT_LE(m.fret, 4);
}

} // namespace
} // namespace chordalis
