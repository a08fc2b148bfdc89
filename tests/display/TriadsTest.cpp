#include "library/Triads.h"

#include "HeadlessProgram.h"
#include "app/Modes.h"
#include "app/RootTabs.h"

#include <gtest/gtest.h>
#include <set>

namespace chordalis {
namespace {

using test::HeadlessProgram;

int tab(const char* caption) {
    return *rootTabIndex(QLatin1String(caption));
}

QString triadKey(int triad) {
    return QString::number(triad) + QLatin1String("ID");
}

class TriadsTest : public ::testing::Test {
protected:
    void SetUp() override { modeDispatch(*p, Mode::Triads); }

    void show(const char* root, int triad, int group) {
        rootChange(*p, tab(root));
        nodeClicked(*p, TreeId::StringGroup, triadKey(group));
        nodeClicked(*p, TreeId::Triads, triadKey(triad));
    }
    // Column 0 of the voicing tables, strings 6 down to 1.
    QStringList storedFrets() {
        QStringList out;
        for (int string = 6; string >= 1; --string)
            out << p->state.voicingFrets[size_t(string)][0];
        return out;
    }
    QStringList labelsIn(int column) {
        QStringList out;
        for (const Mark& m : p.signs(column))
            out << QString::number(m.string) + m.label;
        return out;
    }
    const TriadsPage& page() { return p->pages.triads; }

    HeadlessProgram p;
};

TEST_F(TriadsTest, ShapesMoveToTheRootAndAnOctaveUpRatherThanToTheNut) {
    struct Case {
        const char* root;
        int triad;
        int group;
        QStringList frets; // strings 6 down to 1
    };
    const Case cases[] = {
        {"C", 0, 0, {"8", "7", "5", "xx", "xx", "xx"}},
        // The root string's own note goes to fret 12, not to the open string.
        {"E", 0, 0, {"12", "11", "9", "xx", "xx", "xx"}},
        {"D", 1, 0, {"14", "12", "12", "xx", "xx", "xx"}},
        // A semitone above the open note the root sits at fret 1 ...
        {"Eb", 1, 0, {"3", "1", "1", "xx", "xx", "xx"}},
        // ... unless another string of the shape would reach the nut: then the whole shape is
        // played an octave higher, and stored so for playing.
        {"F", 0, 0, {"13", "12", "10", "xx", "xx", "xx"}},
        {"C", 0, 1, {"xx", "15", "14", "12", "xx", "xx"}},
    };
    for (const Case& c : cases) {
        show(c.root, c.triad, c.group);
        EXPECT_EQ(storedFrets(), c.frets) << c.root << " " << c.triad << "." << c.group;
        for (const Mark& m : p.markers())
            EXPECT_EQ(m.fret, p->state.voicingFrets[size_t(m.string)][0].toInt());
    }
}

// Every triad on every string group for every root tab sounds exactly the triad's three notes
// on the group's strings, within the neck's frets, the root marked as such.
TEST_F(TriadsTest, EveryShapeSoundsTheTriadForEveryRoot) {
    const std::set<int> intervals[] = {{0, 4, 7}, {0, 3, 7}, {0, 3, 6}, {0, 4, 8}};
    for (const RootTab& rootTab : RootTabs) {
        const int root = rootTab.root;
        for (int triad = 0; triad < TriadCount; ++triad) {
            for (int group = 0; group < 4; ++group) {
                const std::string where = std::to_string(triad) + "." + std::to_string(group) +
                                          " root " + rootTab.caption;
                show(rootTab.caption, triad, group);
                std::set<int> sounding;
                int strings = 0;
                for (int string = 1; string <= 6; ++string) {
                    const QString& fret = p->state.voicingFrets[size_t(string)][0];
                    if (fret == QLatin1String("xx"))
                        continue;
                    ++strings;
                    EXPECT_GE(fret.toInt(), 0) << where;
                    EXPECT_LE(fret.toInt(), 15) << where;
                    sounding.insert(
                        ((StandardTuning[size_t(string)] + fret.toInt()) % 12 - root + 12) % 12);
                    // The strings of the group and only those sound.
                    EXPECT_TRUE(string <= 6 - group && string >= 4 - group) << where;
                }
                EXPECT_EQ(strings, 3) << where;
                EXPECT_EQ(sounding, intervals[triad / 3]) << where;
                for (const Mark& m : p.markers()) {
                    const int pc = (StandardTuning[size_t(m.string)] + m.fret) % 12;
                    EXPECT_EQ(m.colour == p->state.colourRoot, pc == root) << where;
                }
            }
        }
    }
    EXPECT_TRUE(p->warnings.messages().isEmpty());
}

TEST_F(TriadsTest, TwoDiminishedShapesAreShownInTheOpenPosition) {
    struct Case {
        const char* root;
        int group;
        QStringList frets;
        QStringList indicator; // string and sign
        QStringList led;
    };
    const Case cases[] = {
        {"G#",
         0,
         {"4", "2", "0", "xx", "xx", "xx"},
         {"4finger0", "3fingerX", "2fingerX", "1fingerX"},
         {"4~6", "2~5", "0~4"}},
        {"Db",
         1,
         {"xx", "4", "2", "0", "xx", "xx"},
         {"6fingerX", "3finger0", "2fingerX", "1fingerX"},
         {"4~5", "2~4", "0~3"}},
    };
    for (const Case& c : cases) {
        show(c.root, 6, c.group);
        EXPECT_EQ(storedFrets(), c.frets) << c.root;
        EXPECT_EQ(labelsIn(IndicatorColumn), c.indicator) << c.root;
        EXPECT_TRUE(p.signs(NoteNameColumn).empty()) << c.root;
        const auto markers = p.markers();
        ASSERT_EQ(markers.size(), 2u);
        EXPECT_EQ(markers[0].colour, p->state.colourRoot);
        EXPECT_EQ(markers[0].label, QStringLiteral("finger4"));
        EXPECT_EQ(markers[1].colour, p->state.colourChord);
        EXPECT_EQ(markers[1].label, QStringLiteral("finger2"));
        // The open string is lit too, so the guitar shows the whole triad.
        EXPECT_EQ(p.led.frames.back(), c.led) << c.root;
    }
    // Other roots take the ordinary way.
    show("A", 6, 0);
    EXPECT_EQ(p.markers().size(), 3u);
}

TEST_F(TriadsTest, NotesAreNamedInTheTriadsOwnSpelling) {
    show("Db", 6, 2);
    EXPECT_EQ(page().lblTriadName, QStringLiteral("Db Diminished Root Position"));
    EXPECT_EQ(page().lblTriadFormula, QStringLiteral("Formula: 1, b3, b5"));
    EXPECT_EQ(page().lblTriadNotes, QStringLiteral("Db Fb Abb "));
    QStringList names;
    for (const Mark& m : p.signs(NoteNameColumn))
        names << m.label;
    names.sort();
    EXPECT_EQ(names, QStringList({"Abb2", "Db2", "Fb2"}));

    show("C#", 6, 2);
    EXPECT_EQ(page().lblTriadNotes, QStringLiteral("C# E G "));
}

TEST_F(TriadsTest, StringGroupRedrawsButKeepsTheLabels) {
    show("C", 0, 0);
    const QStringList before = storedFrets();
    p->pages.triads.lblTriadName = QStringLiteral("kept");
    nodeClicked(*p, TreeId::StringGroup, QStringLiteral("3ID"));
    EXPECT_EQ(page().lblTriadName, QStringLiteral("kept"));
    EXPECT_NE(storedFrets(), before);
    EXPECT_EQ(storedFrets().mid(0, 3), QStringList({"xx", "xx", "xx"}));
}

TEST_F(TriadsTest, QualityFolderClearsTheTriad) {
    show("C", 0, 0);
    nodeClicked(*p, TreeId::Triads, QStringLiteral("-1Minor"));
    EXPECT_EQ(p->state.selectedTriad, -1);
    EXPECT_EQ(page().lblTriadName, QStringLiteral("No Triad Selected"));
    EXPECT_TRUE(page().lblTriadFormula.isEmpty() && page().lblTriadNotes.isEmpty());
    EXPECT_TRUE(p.markers().empty());
}

TEST_F(TriadsTest, NonStandardTuningFillsTheLabelsButNotTheNeck) {
    p->state.tuning = presetTuning(4); // Dropped D
    show("C", 0, 0);
    EXPECT_EQ(page().lblTriadName, QStringLiteral("C Major Root Position"));
    EXPECT_TRUE(p.markers().empty());
    EXPECT_TRUE(p->pages.lblNonStandardVisible);
    modeDispatch(*p, Mode::Scales);
    EXPECT_FALSE(p->pages.lblNonStandardVisible);
}

TEST_F(TriadsTest, DamagedShapeIsReportedAndNothingIsLeftToPlay) {
    show("C", 0, 0);
    const QByteArray damaged[] = {
        "[0.0]\nfret=00-1-3xxxxxx\nfinger=431xxx\nrootnote=7\n",
        "[0.0]\nfret=00-1\nfinger=431xxx\nrootnote=6\n",
        "[0.0]\nfret=00-1-3xxxxxx\nfinger=4x1xxx\nrootnote=6\n",
        "[0.0]\nfret=00-1??xxxxxx\nfinger=431xxx\nrootnote=6\n",
        "[1.1]\n",
    };
    for (const QByteArray& ini : damaged) {
        p->warnings.clear();
        p.writeDataFile(QStringLiteral("triad.ini"), ini);
        nodeClicked(*p, TreeId::Triads, QStringLiteral("0ID"));
        EXPECT_EQ(p->warnings.messages().size(), 1) << ini.constData();
        EXPECT_TRUE(p.markers().empty()) << ini.constData();
        EXPECT_EQ(storedFrets(), QStringList(6, QStringLiteral("xx"))) << ini.constData();
    }
}

} // namespace
} // namespace chordalis
