#include "modes/ChordScales.h"

#include "HeadlessProgram.h"
#include "modes/Modes.h"
#include "modes/RootTabs.h"

#include <gtest/gtest.h>
#include <map>

namespace chordalis {
namespace {

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
    void SetUp() override { modeDispatch(p->context(), Mode::ChordScale); }
    void show(const char* root, int chord) {
        rootChange(p->context(), *rootTabIndex(QLatin1String(root)));
        p.clickItem(TreeId::CSChords, chord);
    }
    // Every marked name with the role of its colour, "C:root E:both ..."; a name drawn in two
    // colours shows twice.
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
    EXPECT_EQ(p.led().frames.back().size(), p.markers().size());

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
