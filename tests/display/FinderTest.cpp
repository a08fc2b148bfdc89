#include "modes/Finder.h"

#include "HeadlessProgram.h"
#include "modes/Commands.h"
#include "modes/Modes.h"

#include <gtest/gtest.h>

namespace chordalis {
namespace {

// Each cell's centre, for both hands, on necks of every size.
TEST(FinderZones, EveryCellIsHitWhereItIsDrawn) {
    for (const Instrument& neck :
         {Instrument{}, Instrument{{CustomPreset, {43, 38, 33, 28}}, 20},
          Instrument{{CustomPreset, {64, 59, 55, 50, 45, 40, 35, 30}}, 24}}) {
        const NeckGeometry g(neck.strings(), neck.frets);
        for (const bool left : {false, true}) {
            for (int string = 1; string <= neck.strings(); ++string) {
                for (int fret = 1; fret <= neck.frets; ++fret) {
                    AppState s;
                    s.setInstrument(neck);
                    s.leftHanded = left;
                    finderClick(s, Qt::LeftButton,
                                QPointF(g.fretX(fret, left) + 10.5, g.stringCentreY(string)));
                    EXPECT_EQ(finderValue(s, string), fret) << string << " " << fret;
                }
            }
        }
    }
}

class FinderTest : public ::testing::Test {
protected:
    void SetUp() override { modeDispatch(p->context(), Mode::ChordFinder); }
    void select(std::array<int, 6> strings6to1) {
        for (int string = 6; string >= 1; --string)
            p->context().state.finderSelection[size_t(string - 1)] =
                strings6to1[size_t(6 - string)];
        redrawCurrentMode(p->context());
    }
    const FinderDescription& line(int string) { return p->pages().finder.description(string); }
    test::HeadlessProgram p;
};

TEST_F(FinderTest, DescriptionsNameTheChordOverItsBass) {
    constexpr PackedColour DarkBlue = 192 << 16, LightBlue = 128 | 128 << 8 | 255 << 16,
                           LightCyan = 128 | 255 << 8 | 255 << 16;
    // The symbol: the library's short name on the root as the finder spells it.
    const std::tuple<std::array<int, 6>, int, const char*, PackedColour, const char*> cases[] = {
        {{0, 3, 2, -1, 1, -1}, 5, "C Major", DarkBlue, "Cmaj"},
        {{-1, 3, 2, -1, 1, -1}, 5, "C Major / E", LightBlue, "Cmaj/E"},
        {{3, 3, 2, -1, 1, -1}, 5, "C Major / G", LightBlue, "Cmaj/G"},
        {{0, 1, 2, -1, 1, 0}, 2, "C Dominant 7th / Bb", LightCyan, "C7/Bb"},
        {{2, -1, -1, 2, 3, 2}, 4, "D Major / F#", LightBlue, "Dmaj/F#"}, // D takes sharps
        {{0, 4, 3, 3, 2, 0}, 3, "Bb Minor / Db", LightBlue, "Bbm/Db"},   // Bb takes flats
        {{2, 4, 4, 3, 0, 0}, 6, "Gb Major", DarkBlue, "Gbmaj"},          // roots always with flats
        {{0, 7, 6, 7, 8, 0}, 5, "E Dominant 7th Sharp 9th (no 5th)", DarkBlue, "E7#9"},
        {{0, 3, 4, 3, 4, 0}, 5, "C Half-Diminished 7th", DarkBlue, "Cm7b5"},
        {{0, 1, 3, 1, 2, 1}, 5, "Bb Minor 7th", DarkBlue, "Bbm7"},
    };
    for (const auto& [frets, rootString, text, colour, symbol] : cases) {
        select(frets);
        EXPECT_EQ(line(rootString).text, QLatin1String(text));
        EXPECT_EQ(line(rootString).colour, colour) << text;
        EXPECT_EQ(line(rootString).symbol, QLatin1String(symbol)) << text;
    }
    EXPECT_TRUE(line(1).text.isEmpty()); // not played

    select({-1, 0, 3, 11, 0, 0}); // E F F#: no set of them has a name
    for (int string = 1; string <= 6; ++string)
        EXPECT_TRUE(line(string).text.isEmpty());
    EXPECT_EQ(finderIntervalSet(p->context().state, 4), "0;1;2");
    // The minor 3rd beside the major 3rd is the sharp 9th; without it, a minor 3rd.
    select({8, 7, 8, 8, 0, 0});
    EXPECT_EQ(line(6).notes, "C D# E Bb");
    select({8, 6, 5, 0, 0, 0});
    EXPECT_EQ(line(6).notes, "C Eb G");

    // On a ukulele the re-entrant G sounds above the C: G C E C is C major over its root.
    setInstrument(p->context(), {{CustomPreset, {69, 64, 60, 67}}, 15});
    p->context().state.finderSelection = {3, -1, -1, -1};
    redrawCurrentMode(p->context());
    EXPECT_EQ(line(3).text, QStringLiteral("C Major"));
    EXPECT_EQ(line(3).colour, DarkBlue);
    EXPECT_EQ(line(4).text, QString()); // G C E: no name with G as the root
}

// A long name with brackets of its own is found before they are taken off.
TEST(FinderChordName, LongNamesWithAndWithoutWhatTheyLeaveOut) {
    ChordLibrary chords;
    chords.entries = {
        {QStringLiteral("7#9"), QStringLiteral("Dominant 7th Sharp 9th"), {}, {}, {}, {}},
        {QStringLiteral("m13(no11)"), QStringLiteral("Minor 13th (no 11th)"), {}, {}, {}, {}}};
    chords.count = 2;
    EXPECT_EQ(finderChordName(chords, QStringLiteral("Minor 13th (no 11th)")), "m13(no11)");
    EXPECT_EQ(finderChordName(chords, "Minor 13th (no 11th) (no 5th)"), "m13(no11)");
    EXPECT_EQ(finderChordName(chords, QStringLiteral("Dominant 7th (no 5th)")), QString());
    EXPECT_EQ(finderChordName(chords, QStringLiteral("(no 5th)")), QString());
    chords.count = 1; // entries past the count are not the library's
    EXPECT_EQ(finderChordName(chords, QStringLiteral("Minor 13th (no 11th)")), QString());
}

TEST_F(FinderTest, SelectionIsDrawnAndOnlyTheFinderPageTakesPresses) {
    select({0, 4, 3, -1, 2, 0});
    QStringList drawn;
    for (const Mark& m : p->context().fretboard.marks())
        if (m.fret != OpenNameColumn)
            drawn << QStringLiteral("%1%2@%3").arg(m.label).arg(m.fret).arg(m.string);
    EXPECT_EQ(drawn.join(' '), "fingerX-2@1 Db2@2 finger0-2@3 F3@4 Db4@5 fingerX-2@6");
    EXPECT_EQ(test::frameText(p.led().frames.back()), QStringList({"2~2", "0~3", "3~4", "4~5"}));
    for (const Mark& m : p.markers())
        EXPECT_EQ(m.colour, p->context().state.colourChord);

    modeDispatch(p->context(), Mode::Scales);
    finderClicked(p->context(), Qt::LeftButton, QPointF(30, 33));
    EXPECT_EQ(finderValue(p->state(), 1), 0);
    modeDispatch(p->context(), Mode::ChordFinder); // the selection survives other pages
    EXPECT_EQ(p.markers().size(), 3u);

    // Behind the capo at the 3rd fret, a string sounds the capo's fret: G C Eb G is C minor.
    ASSERT_TRUE(setCapo(p->context(), {3}));
    modeDispatch(p->context(), Mode::ChordFinder);
    const NeckGeometry g(6, p->state().maxFret());
    for (const int fret : {-1, 1, 3}) {
        p->context().state.finderSelection.assign(6, 0);
        finderClicked(p->context(), Qt::LeftButton,
                      QPointF(fret < 0 ? 30 : g.fretX(fret, false) + 10.5, g.stringCentreY(6)));
        EXPECT_EQ(finderValue(p->state(), 6), -1) << fret;
        EXPECT_EQ(finderFret(p->state(), 6), 3);
    }
    select({-1, 3, 5, 5, 4, 3}); // x-string 6 open at the capo: G C G C Eb G
    EXPECT_EQ(line(5).text, QStringLiteral("C Minor / G"));
    EXPECT_EQ(test::frameText(p.led().frames.back()).first(), QStringLiteral("3~1"));
    EXPECT_EQ(finderStrum(p->state()).front().note, 43); // G2, string 6 at the capo
    ASSERT_TRUE(setCapo(p->context(), {}));
}

} // namespace
} // namespace chordalis
