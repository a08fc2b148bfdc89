#include "HeadlessProgram.h"
#include "modes/Commands.h"
#include "modes/Modes.h"
#include "modes/RootTabs.h"

#include <gtest/gtest.h>
#include <set>

namespace chordalis {
namespace {

class TriadsTest : public ::testing::Test {
protected:
    void SetUp() override { modeDispatch(p->context(), Mode::Triads); }
    void show(const char* root, int triad, int group) {
        chooseItem(p->context(), TreeId::StringGroup, group);
        p.show(Mode::Triads, root, TreeId::Triads, triad);
    }
    // The shape as Play sounds it, strings 6 down to 1.
    QString stored() {
        QStringList out;
        for (int string = 6; string >= 1; --string)
            out << fretText(string);
        return out.join(QLatin1Char(' '));
    }
    QString fretText(int string) {
        const auto& shape = p->context().state.triadShape;
        if (!shape || !shape->fret(string))
            return QStringLiteral("xx");
        return QString::number(*shape->fret(string));
    }
    test::HeadlessProgram p;
};

TEST_F(TriadsTest, ShapesMoveToTheRootNeverOntoTheNut) {
    // root, frets, triad, group
    const std::tuple<const char*, const char*, int, int> cases[] = {
        {"C", "8 7 5 xx xx xx", 0, 0},
        {"E", "12 11 9 xx xx xx", 0, 0},  // the open string's own note: fret 12
        {"Eb", "3 1 1 xx xx xx", 1, 0},   // a semitone above it: fret 1
        {"F", "13 12 10 xx xx xx", 0, 0}, // would reach the nut: an octave up
        {"C", "xx 15 14 12 xx xx", 0, 1},
        {"G#", "4 2 0 xx xx xx", 6, 0}, // the two shapes kept in the open position
        {"Db", "xx 4 2 0 xx xx", 6, 1},
    };
    for (const auto& [root, frets, triad, group] : cases) {
        show(root, triad, group);
        EXPECT_EQ(stored(), QLatin1String(frets)) << root << triad;
    }
    EXPECT_EQ(p.signText(IndicatorColumn), "6fingerX 3finger0 2fingerX 1fingerX");
    EXPECT_EQ(p.signText(NoteNameColumn), "5Db2 4Fb2 3Abb2");
    ASSERT_EQ(p.markers().size(), 2u);
    EXPECT_EQ(p.markers()[0].label, "finger4");
    EXPECT_EQ(test::frameText(p.led().frames.back()), QStringList({"4~5", "2~4", "0~3"}));
}

TEST_F(TriadsTest, EveryShapeSoundsItsTriad) {
    const std::set<int> qualities[] = {{0, 4, 7}, {0, 3, 7}, {0, 3, 6}, {0, 4, 8}};
    for (const RootTab& tab : RootTabs) {
        for (int triad = 0; triad < TriadCount; ++triad) {
            for (int group = 0; group < 4; ++group) {
                show(tab.caption, triad, group);
                std::set<int> sounding, strings;
                for (int string = 1; string <= 6; ++string) {
                    const QString text = fretText(string);
                    if (text == QLatin1String("xx"))
                        continue;
                    EXPECT_TRUE(text.toInt() >= 0 && text.toInt() <= 15);
                    sounding.insert((Tuning{}.openNote(string) + text.toInt() - tab.root) % 12);
                    strings.insert(string);
                }
                EXPECT_EQ(sounding, qualities[triad / 3]) << tab.caption << triad << group;
                EXPECT_EQ(strings, (std::set<int>{4 - group, 5 - group, 6 - group}));
                for (const Mark& m : p.markers())
                    EXPECT_EQ(m.colour == p->context().state.colourRoot,
                              (Tuning{}.openNote(m.string) + m.fret) % 12 == tab.root);
            }
        }
    }
}

TEST_F(TriadsTest, LabelsSpellTheTriadAndOnlyTheTreeClearsThem) {
    show("Db", 6, 2);
    EXPECT_EQ(p->context().pages.triads.lblTriadName, "Db Diminished Root Position");
    EXPECT_EQ(p->context().pages.triads.lblTriadNotes, "Db Fb Abb ");
    EXPECT_EQ(p.signText(NoteNameColumn), "4Db2 3Fb2 2Abb2"); // not E and G

    p->context().pages.triads.lblTriadName = QStringLiteral("kept");
    chooseItem(p->context(), TreeId::StringGroup, 3);
    EXPECT_EQ(p->context().pages.triads.lblTriadName, "kept");

    nodeClicked(p->context(), TreeId::Triads, QStringLiteral("-1Minor"));
    EXPECT_EQ(p->context().state.selectedTriad, -1);
    EXPECT_EQ(p->context().pages.triads.lblTriadName, "No Triad Selected");
    EXPECT_TRUE(p.markers().empty());

    // Dropped D: on D-A-D the shape would span six frets: labels, no shape, and the notice.
    setInstrument(p->context(), {presetTuning(4)});
    show("C", 0, 1);
    EXPECT_EQ(stored(), "xx 15 14 12 xx xx");
    EXPECT_FALSE(p->context().pages.lblNonStandardVisible);
    show("C", 0, 0);
    EXPECT_EQ(p->context().pages.triads.lblTriadName, "C Major Root Position");
    EXPECT_TRUE(p.markers().empty());
    EXPECT_TRUE(p->context().pages.lblNonStandardVisible);
    EXPECT_EQ(playRefusal(p->context().state, Mode::Triads),
              QStringLiteral("Triad playback is not supported for non-standard tunings."));
}

TEST_F(TriadsTest, DamagedShapeIsReportedAndLeavesNothingToPlay) {
    show("C", 0, 0);
    for (const char* ini :
         {"rootnote=7\nfret=00-1-3xxxxxx\nfinger=431xxx", "rootnote=6\nfret=00-1\nfinger=431xxx",
          "rootnote=6\nfret=00-1-3xxxxxx\nfinger=4x1xxx",
          "rootnote=6\nfret=00-1??xxxxxx\nfinger=431xxx", ""}) {
        p->context().warnings.clear();
        p.writeDataFile(QStringLiteral("triad.ini"), QByteArray("[0.0]\n") + ini);
        chooseItem(p->context(), TreeId::Triads, 0);
        // The damaged shape once; the other groups' shapes the file lacks are reported too.
        EXPECT_EQ(p->warnings().messages().filter(QStringLiteral("[0.0]")).size(), 1) << ini;
        EXPECT_TRUE(p.markers().empty());
        EXPECT_EQ(stored(), "xx xx xx xx xx xx");
    }
}

} // namespace
} // namespace chordalis
