#include "modes/Chords.h"

#include "HeadlessProgram.h"
#include "modes/Modes.h"
#include "modes/RootTabs.h"

#include <gtest/gtest.h>

namespace chordalis {
namespace {

using test::HeadlessProgram;

// The keys of open chord n and of movable shape n.
QByteArray openChord(int n, int root, const char* fret, const char* finger, const char* memo) {
    const QByteArray k = QByteArray::number(n);
    return k + "rootnote=" + QByteArray::number(root) + "\n" + k + "quality=0\n" + k +
           "fret=" + fret + "\n" + k + "finger=" + finger + "\n" + k + "memo=" + memo + "\n";
}
QByteArray shape(int n, const char* fret, const char* finger, int group, int root,
                 const char* memo) {
    const QByteArray k = QByteArray::number(n);
    return k + "fret=" + fret + "\n" + k + "finger=" + finger + "\n" + k +
           "group=" + QByteArray::number(group) + "\n" + k + "root=" + QByteArray::number(root) +
           "\n" + k + "memo=" + memo + "\n";
}

// Chord 0 (maj) has open chords for C, A and D and three movable shapes; chord 1 (6) has no
// voicing at all; chord 2 (maj7) claims forty voicings, more than the list holds.
QByteArray voicings() {
    QByteArray ini = "[openchords]\nnumvoicings=3\n" +
                     openChord(0, 0, "xx0302000100", "x32010", "Open C chord") +
                     openChord(1, 9, "xx0002020200", "x01230", "Open A chord") +
                     openChord(2, 2, "xxxx00020302", "xx0132", "Open D chord") +
                     "[0]\nnumVoicings=3\n" +
                     shape(0, "00xx02010000", "1x3211", 1, 6, "E-shape barre") +
                     shape(1, "xx0002-101xx", "x2413x", 0, 5, "stretch") +
                     shape(2, "xxxx00020302", "xx1243", 0, 4, "D-shape") + "[2]\nnumVoicings=40\n";
    for (int j = 0; j < 40; ++j)
        ini += shape(j, "00xx02010000", "", 0, 6, "");
    return ini;
}

int tab(const char* caption) {
    return *rootTabIndex(QLatin1String(caption));
}

// The frets of a listed voicing, strings 6 down to 1 ("xx" not played).
QStringList frets(const AppState& s, int column) {
    QStringList out;
    for (int string = 6; string >= 1; --string) {
        const auto fret = s.voicings.at(size_t(column)).fret(string);
        out << (fret ? QString::number(*fret) : QStringLiteral("xx"));
    }
    return out;
}

QStringList nodeTexts(const TreeModel& tree) {
    QStringList out;
    for (const TreeNode& n : tree.nodes())
        out << n.text;
    return out;
}

class ChordsTest : public ::testing::Test {
protected:
    void show(const char* root, int chord) {
        rootChange(p->context(), tab(root));
        p.clickItem(TreeId::Chords, chord);
    }
    const ChordsPage& page() { return p->context().pages.chords; }

    HeadlessProgram p{voicings()};
};

TEST_F(ChordsTest, MovableShapesAreTransposedAboveTheNut) {
    show("C", 0);
    EXPECT_EQ(nodeTexts(page().tvwVoicings),
              QStringList({"Open Chord", "8th Position, Root 6th", "2nd Position, Root 5th",
                           "10th Position, Root 4th"}));
    EXPECT_EQ(frets(p->context().state, 1), QStringList({"8", "xx", "10", "9", "8", "8"}));
    EXPECT_EQ(page().tvwVoicings.find(QStringLiteral("0Voicing"))->icon,
              QStringLiteral("voicingB"));
    EXPECT_EQ(page().tvwVoicings.find(QStringLiteral("99Voicing"))->icon,
              QStringLiteral("voicingO"));

    // At E the root string is open, so the shape moves up to frets 12..14, never to the nut.
    rootChange(p->context(), tab("E"));
    EXPECT_EQ(frets(p->context().state, 0), QStringList({"12", "xx", "14", "13", "12", "12"}));
    EXPECT_EQ(page().tvwVoicings.nodes()[0].text, QStringLiteral("12th Position, Root 6th"));

    // A stored -1 below a root on the open A string lands at fret 11.
    rootChange(p->context(), tab("A"));
    EXPECT_EQ(frets(p->context().state, 2), QStringList({"xx", "12", "14", "11", "13", "xx"}));
    EXPECT_EQ(page().tvwVoicings.nodes()[2].text, QStringLiteral("11th Position, Root 5th"));
}

TEST_F(ChordsTest, OpenChordShowsOpenAndMutedStringsWithTheRootInRed) {
    show("C", 0);
    ASSERT_EQ(p->context().state.selectedVoicing, 99);
    QStringList indicator;
    for (const Mark& m : p.signs(IndicatorColumn))
        indicator << QString::number(m.string) + m.label;
    EXPECT_EQ(indicator, QStringList({"6fingerX", "3finger0", "1finger0"})); // open E is no root
    QStringList names;
    for (const Mark& m : p.signs(NoteNameColumn))
        names << m.label;
    EXPECT_EQ(names, QStringList({"C2", "E2", "G2", "C2", "E2"}));
    const auto rootOnA = p.markersAt(3, 5);
    ASSERT_EQ(rootOnA.size(), 1u);
    EXPECT_EQ(rootOnA[0].colour, p->context().state.colourRoot);
    EXPECT_EQ(rootOnA[0].label, QStringLiteral("finger3"));
    EXPECT_EQ(p.markersAt(2, 4)[0].colour, p->context().state.colourChord);
    EXPECT_EQ(test::frameText(p->context().fretboard.ledFrame()),
              QStringList({"3~5", "2~4", "0~3", "1~2", "0~1"}));
    EXPECT_EQ(p.led().frames.back(), p->context().fretboard.ledFrame());
    EXPECT_EQ(page().lblVoicingMemo, QStringLiteral("Notes: Open C chord"));

    rootChange(p->context(), tab("A"));
    const auto openA = p.signs(IndicatorColumn);
    ASSERT_EQ(openA.size(), 3u);
    EXPECT_EQ(openA[1].string, 5);
    EXPECT_EQ(openA[1].label, QStringLiteral("finger0red"));
}

TEST_F(ChordsTest, RootChangeKeepsTheVoicingWhereItExists) {
    show("C", 0);
    nodeClicked(p->context(), TreeId::Voicings, QStringLiteral("2Voicing"));
    rootChange(p->context(), tab("D"));
    EXPECT_EQ(page().tvwVoicings.selectedKey, QStringLiteral("2Voicing"));

    nodeClicked(p->context(), TreeId::Voicings, QStringLiteral("99Voicing"));
    rootChange(p->context(), tab("A")); // has an open major chord too
    EXPECT_EQ(p->context().state.selectedVoicing, 99);
    rootChange(p->context(), tab("E")); // has none: the first voicing
    EXPECT_EQ(p->context().state.selectedVoicing, 0);
    EXPECT_EQ(page().tvwVoicings.selectedKey, QStringLiteral("0Voicing"));

    // A click in the chords tree always starts at the first voicing.
    rootChange(p->context(), tab("C"));
    nodeClicked(p->context(), TreeId::Voicings, QStringLiteral("1Voicing"));
    p.clickItem(TreeId::Chords, 0);
    EXPECT_EQ(p->context().state.selectedVoicing, 99);
}

// A chord without voicings, and a group folder, leave no voicing, marker or light behind.
TEST_F(ChordsTest, ChordWithoutVoicingsOrAFolderLeavesNothingBehind) {
    show("C", 0);
    p.clickItem(TreeId::Chords, 1);
    EXPECT_EQ(page().lblChordName, QStringLiteral("Chord: C6"));
    EXPECT_EQ(p->context().state.selectedVoicing, -1);
    EXPECT_TRUE(p->context().state.voicings.empty());
    EXPECT_TRUE(p->context().fretboard.ledFrame().empty());
    show("C", 0);
    nodeClicked(p->context(), TreeId::Chords, QStringLiteral("0 Group"));
    EXPECT_EQ(p->context().state.selectedChord, -1);
    EXPECT_TRUE(page().lblChordNotes.isEmpty() && page().txtChordSymbols.isEmpty());
    EXPECT_EQ(page().lblChordName, QStringLiteral("No Chord Selected"));
    EXPECT_EQ(page().lblVoicingMemo, QStringLiteral("Notes:"));
    EXPECT_TRUE(page().tvwVoicings.isEmpty());
    EXPECT_TRUE(p.markers().empty());
}

TEST_F(ChordsTest, LabelsSpellTheChordForTheRootTab) {
    show("Eb", 0);
    EXPECT_EQ(page().lblChordName + u'|' + page().lblChordNotes, "Chord: Ebmaj|Eb G Bb ");
    EXPECT_EQ(page().txtChordSymbols, QStringLiteral("M\n\u0394"));
    show("D#", 0);
    EXPECT_EQ(page().lblChordNotes, QStringLiteral("D# Fx A# "));
}

TEST_F(ChordsTest, VoicingsBeyondTheListAreLeftOutWithAWarning) {
    show("C", 2);
    EXPECT_EQ(page().tvwVoicings.size(), MaxListedVoicings);
    ASSERT_EQ(p->warnings().messages().size(), 1);
    EXPECT_TRUE(
        p->warnings().messages()[0].startsWith(QLatin1String("voicing.ini [2] numVoicings")));
}

TEST(ChordVoicings, ShapesOffTheNeckOrWithUnknownFingersAreLeftOutWithAWarning) {
    HeadlessProgram p{"[openchords]\nnumvoicings=1\n" +
                      openChord(0, 0, "xx-902000100", "x32010", "negative fret") +
                      "[0]\nnumVoicings=5\n" + shape(0, "9999999999", "111111", 0, 6, "") +
                      shape(1, "009999999999", "111111", 0, 6, "") +
                      shape(2, "00xx02010000", "1x3217", 0, 6, "finger 7") +
                      shape(3, "00xx02010000", "113211", 0, 6, "fingered, not played") +
                      shape(4, "00xx02010000", "1x3211", 1, 6, "E-shape barre")};
    rootChange(p->context(), tab("C"));
    p.clickItem(TreeId::Chords, 0);
    // Only the sound shape is listed; each other one is named once.
    EXPECT_EQ(nodeTexts(p->context().pages.chords.tvwVoicings),
              QStringList({"8th Position, Root 6th"}));
    const QStringList said = p->warnings().messages();
    EXPECT_EQ(said.size(), 5) << qPrintable(said.join('\n'));
    for (const char* part : {"[openchords] 0: fret \"-9\"", "[0] 0: fret \"9999999999\"",
                             "[0] 1: the shape reaches past fret 24", "[0] 2: finger \"7\"",
                             "[0] 3: string 5 is silent"})
        EXPECT_TRUE(said.filter(QLatin1String(part)).size() == 1) << part;
    // Nothing off the neck is drawn or lit.
    for (const QString& led : test::frameText(p->context().fretboard.ledFrame()))
        EXPECT_FALSE(led.startsWith(u'-')) << qPrintable(led);
}

TEST_F(ChordsTest, NonStandardTuningListsVoicingsButDrawsNone) {
    setInstrument(p->context(), {presetTuning(4)}); // Dropped D
    show("C", 0);
    EXPECT_EQ(page().lblChordName, QStringLiteral("Chord: Cmaj"));
    EXPECT_EQ(page().tvwVoicings.size(), 4);
    EXPECT_EQ(page().lblVoicingMemo, QStringLiteral("Notes: Open C chord"));
    EXPECT_TRUE(p.markers().empty());
    EXPECT_TRUE(p.signs(IndicatorColumn).empty());
    EXPECT_TRUE(p->context().pages.lblNonStandardVisible);
}

} // namespace
} // namespace chordalis
