#include "modes/Chords.h"

#include "HeadlessProgram.h"
#include "modes/Commands.h"
#include "modes/Modes.h"
#include "modes/RootTabs.h"

#include <algorithm>
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
    // The library's grips first; the engine's further grips in a folder below them.
    EXPECT_EQ(nodeTexts(page().tvwVoicings).mid(0, 5),
              QStringList({"Open Chord", "8th Position, Root 6th", "2nd Position, Root 5th",
                           "10th Position, Root 4th", "More Voicings"}));
    const auto& nodes = page().tvwVoicings.nodes();
    for (size_t k = 5; k < nodes.size(); ++k)
        EXPECT_EQ(nodes[k].parentKey, QStringLiteral("More Voicings")) << qPrintable(nodes[k].text);
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

TEST(ChordVoicings, ACaptionKeyNamesTheGripInPlaceOfTheRootString) {
    // An inversion with the root on the 2nd string and a rootless grip whose root string is
    // silent: the position stays, the caption replaces "Root 2nd"; an empty caption is none.
    HeadlessProgram p{"[openchords]\nnumvoicings=0\n[0]\nnumVoicings=3\n" +
                      shape(0, "xxxx01020002", "xx2314", 1, 2, "3 b7 1 5") +
                      "0caption=Drop 2, 1st Inversion\n" +
                      shape(1, "xx-100-100xx", "x1324x", 1, 6, "3 b7 9 5") + "1caption=Rootless\n" +
                      shape(2, "xxxx00020302", "xx1243", 0, 4, "D-shape") + "2caption=\n"};
    rootChange(p->context(), tab("C"));
    p.clickItem(TreeId::Chords, 0);
    EXPECT_EQ(nodeTexts(p->context().pages.chords.tvwVoicings).mid(0, 3),
              QStringList({"1st Position, Drop 2, 1st Inversion", "7th Position, Rootless",
                           "10th Position, Root 4th"}));
    EXPECT_EQ(frets(p->context().state, 1), QStringList({"xx", "7", "8", "7", "8", "xx"}));
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
    EXPECT_EQ(p->context().state.selectedVoicing, 2);
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

TEST_F(ChordsTest, ChordWithoutLibraryGripsListsTheEnginesAndOneNoHandHoldsLeavesNothing) {
    const AppState& s = p->context().state;
    show("C", 1); // C6: the library has no grip, the engine does
    EXPECT_EQ(page().lblChordName, QStringLiteral("Chord: C6"));
    ASSERT_FALSE(s.voicings.empty());
    EXPECT_TRUE(std::all_of(s.voicings.begin(), s.voicings.end(),
                            [](const Voicing& v) { return v.generated; }));
    EXPECT_EQ(s.selectedVoicing, FirstGeneratedVoicing);
    EXPECT_FALSE(p.markers().empty());
    EXPECT_FALSE(p->context().pages.lblNonStandardVisible);

    // Four strings all tuned to E2: no hand holds C, E and B over a C in the bass on them.
    setInstrument(p->context(), {{CustomPreset, {40, 40, 40, 40}}});
    show("C", 2);
    EXPECT_TRUE(page().tvwVoicings.isEmpty());
    EXPECT_EQ(s.selectedVoicing, -1);
    EXPECT_EQ(page().lblVoicingMemo, QStringLiteral("Notes:"));
    EXPECT_TRUE(p.markers().empty());
    EXPECT_TRUE(p->context().fretboard.ledFrame().empty());
    EXPECT_TRUE(p->context().pages.lblNonStandardVisible);
    EXPECT_EQ(playRefusal(s, Mode::Chords),
              QStringLiteral("Chord playback is not supported for non-standard tunings."));
}

TEST_F(ChordsTest, GroupFolderClearsTheChord) {
    show("C", 0);
    nodeClicked(p->context(), TreeId::Chords, QStringLiteral("0 Group"));
    EXPECT_EQ(p->context().state.selectedChord, -1);
    EXPECT_EQ(page().lblChordName, QStringLiteral("No Chord Selected"));
    EXPECT_TRUE(page().lblChordNotes.isEmpty() && page().txtChordSymbols.isEmpty());
    EXPECT_EQ(page().lblVoicingMemo, QStringLiteral("Notes:"));
    EXPECT_TRUE(page().tvwVoicings.isEmpty());
    EXPECT_TRUE(p.markers().empty());
}

TEST_F(ChordsTest, LabelsSpellTheChordForTheRootTab) {
    show("Eb", 0);
    EXPECT_EQ(page().lblChordName, QStringLiteral("Chord: Ebmaj"));
    EXPECT_EQ(page().lblChordNameVerbose, QStringLiteral("Name: Major"));
    EXPECT_EQ(page().lblChordFormula, QStringLiteral("Formula: 1, 3, 5"));
    EXPECT_EQ(page().lblChordNotes, QStringLiteral("Eb G Bb "));
    EXPECT_EQ(page().txtChordSymbols, QStringLiteral("M\n\u0394"));
    show("D#", 0);
    EXPECT_EQ(page().lblChordNotes, QStringLiteral("D# Fx A# "));
}

TEST_F(ChordsTest, VoicingsBeyondTheListAreLeftOutWithAWarning) {
    show("C", 2);
    const auto& listed = p->context().state.voicings;
    EXPECT_EQ(
        std::count_if(listed.begin(), listed.end(), [](const Voicing& v) { return !v.generated; }),
        MaxListedVoicings);
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
    EXPECT_EQ(nodeTexts(p->context().pages.chords.tvwVoicings).mid(0, 2),
              QStringList({"8th Position, Root 6th", "More Voicings"}));
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

// The pitch class a listed voicing sounds on each sounding string, lowest string first.
std::vector<int> sounded(const AppState& s, const Voicing& v) {
    std::vector<int> out;
    for (int string = v.strings(); string >= 1; --string)
        if (const auto fret = v.fret(string))
            out.push_back((s.tuning().openNote(string) + *fret) % 12);
    return out;
}

TEST_F(ChordsTest, EveryTuningAndCapoGetsGripsThatSoundTheChord) {
    const AppState& s = p->context().state;
    // Dropped D: the engine's grips, each sounding only C, E and G with C in the bass.
    setInstrument(p->context(), {presetTuning(4)});
    show("C", 0);
    ASSERT_GE(s.voicings.size(), 6u);
    for (const Voicing& v : s.voicings) {
        const auto notes = sounded(s, v);
        ASSERT_GE(notes.size(), 3u);
        EXPECT_EQ(notes.front(), 0) << qPrintable(v.caption);
        for (int pc : notes)
            EXPECT_TRUE(pc == 0 || pc == 4 || pc == 7) << qPrintable(v.caption);
        EXPECT_TRUE(v.generated);
    }
    EXPECT_FALSE(p.markers().empty());
    EXPECT_FALSE(p->context().pages.lblNonStandardVisible);
    EXPECT_TRUE(playRefusal(s, Mode::Chords).isEmpty());

    // Eb standard: the library's open C shape sounds B.
    setInstrument(p->context(), {presetTuning(2)});
    show("B", 0);
    EXPECT_EQ(s.voicings.front().caption, QStringLiteral("Open Chord"));
    EXPECT_EQ(frets(s, 0), QStringList({"xx", "3", "2", "0", "1", "0"}));
    EXPECT_EQ(sounded(s, s.voicings.front()), std::vector<int>({11, 3, 6, 11, 3}));

    // A capo at the 2nd fret: D is the C shape moved up, named by both.
    setInstrument(p->context(), {presetTuning(1)});
    p->context().state.capo = Capo{2};
    show("D", 0);
    EXPECT_EQ(s.voicings.front().caption, QStringLiteral("Open Chord (Cmaj shape)"));
    EXPECT_EQ(frets(s, 0), QStringList({"xx", "5", "4", "2", "3", "2"}));
    for (const Voicing& v : s.voicings)
        for (int string = 1; string <= 6; ++string)
            EXPECT_GE(v.fret(string).value_or(2), 2) << qPrintable(v.caption);
}

// A slash chord found by name lists the grips sounding its bass lowest first, the library's above
// the engine's, and chooses the first; a bass no grip sounds keeps the list and says so.
TEST(ChordSearch, ASlashChordPutsTheGripsWithItsBassFirst) {
    HeadlessProgram p;
    const AppState& s = p->context().state;
    auto lowest = [&](const Voicing& v) {
        const Strum notes = voicingStrum(v, s.tuning());
        return std::min_element(notes.begin(), notes.end(),
                                [](auto& a, auto& b) { return a.note < b.note; })
                   ->note %
               12;
    };
    ASSERT_EQ(p->showFound(p->search().find(u"C/E").front()), QString());
    EXPECT_EQ(p->context().pages.mode, Mode::Chords);
    ASSERT_GT(s.voicings.size(), 2u);
    EXPECT_EQ(lowest(s.voicings.front()), 4);
    EXPECT_EQ(s.selectedVoicing, s.voicings.front().number);
    EXPECT_EQ(p->context().pages.chords.tvwVoicings.selectedKey,
              voicingKey(s.voicings.front().number));
    bool bassRun = true; // the grips with E lowest, then the rest, within each part
    for (size_t k = 1; k < s.voicings.size(); ++k) {
        const Voicing& before = s.voicings[k - 1];
        const Voicing& v = s.voicings[k];
        EXPECT_FALSE(before.generated && !v.generated) << k;
        if (before.generated == v.generated && lowest(v) == 4) {
            EXPECT_EQ(lowest(before), 4) << k;
        }
        bassRun = bassRun && lowest(v) == 4;
    }
    EXPECT_FALSE(bassRun);

    p->showFound(p->search().find(u"C").front()); // the note page, then back to the chord
    ASSERT_TRUE(p->showFound(p->search().find(u"Cmaj").front()).isEmpty());
    const auto usual = s.voicings;
    const QString said = p->showFound(p->search().find(u"C/C#").front());
    EXPECT_EQ(said, "No grip of C Major has C# in the bass; the usual list is shown.");
    ASSERT_EQ(s.voicings.size(), usual.size());
    for (size_t k = 0; k < usual.size(); ++k)
        EXPECT_EQ(s.voicings[k].number, usual[k].number);
}

} // namespace
} // namespace chordalis
