#include "library/Finder.h"

#include "HeadlessProgram.h"
#include "app/Modes.h"

#include <gtest/gtest.h>

namespace chordalis {
namespace {

using test::HeadlessProgram;

// Lower edges of the zones across the neck picture and the value each zone gives; the last
// edge starts the zone past the frets.
struct Zone {
    double from;
    int value;
};
constexpr Zone FretZones[] = {{20, -1},  {46, 1},   {112, 2},  {173, 3},  {231, 4},  {287, 5},
                              {339, 6},  {387, 7},  {433, 8},  {478, 9},  {521, 10}, {562, 11},
                              {599, 12}, {634, 13}, {666, 14}, {697, 15}, {727, 0}};
constexpr Zone StringZones[] = {{22, 1}, {44, 2}, {68, 3}, {92, 4}, {116, 5}, {140, 6}, {162, 0}};

TEST(FinderZones, EveryBoundaryOfStringsAndFrets) {
    int below = 0; // left of the first zone and above the first string: nothing
    for (const Zone& z : FretZones) {
        EXPECT_EQ(finderFretAt(z.from - 0.01), below) << z.from;
        EXPECT_EQ(finderFretAt(z.from), z.value) << z.from;
        below = z.value;
    }
    below = 0;
    for (const Zone& z : StringZones) {
        EXPECT_EQ(finderStringAt(z.from - 0.01), below) << z.from;
        EXPECT_EQ(finderStringAt(z.from), z.value) << z.from;
        below = z.value;
    }
    EXPECT_EQ(finderFretAt(-5), 0);
    EXPECT_EQ(finderStringAt(-5), 0);
}

TEST(FinderZones, ClicksOfBothHandsMeetTheSameZones) {
    for (const bool left : {false, true}) {
        int below = 0;
        for (const Zone& z : FretZones) {
            for (const auto& [x, expected] : {std::pair{z.from - 0.01, below}, {z.from, z.value}}) {
                AppState s;
                s.leftHanded = left;
                s.finderSelection[3] = 99; // any value but the one hit: a left click sets it
                const double surfaceX = left ? SurfaceWidth - x : x;
                finderClick(s, Qt::LeftButton, QPointF(surfaceX, 80));
                EXPECT_EQ(s.finderSelection[3], expected) << "x " << x << " left " << left;
            }
            below = z.value;
        }
    }
    // Left-handed, a press near the right edge is beside the nut.
    AppState s;
    s.leftHanded = true;
    finderClick(s, Qt::LeftButton, QPointF(720, 150));
    EXPECT_EQ(s.finderSelection[6], -1);
}

TEST(FinderClicks, LeftTogglesAndOtherButtonsClear) {
    AppState s;
    const QPointF fret3(200, 128); // string 5
    finderClick(s, Qt::LeftButton, fret3);
    EXPECT_EQ(s.finderSelection[5], 3);
    finderClick(s, Qt::LeftButton, QPointF(260, 128)); // another fret moves the note
    EXPECT_EQ(s.finderSelection[5], 4);
    finderClick(s, Qt::LeftButton, QPointF(260, 128)); // the same spot clears it
    EXPECT_EQ(s.finderSelection[5], 0);
    finderClick(s, Qt::LeftButton, fret3);
    finderClick(s, Qt::RightButton, QPointF(600, 128)); // any place on the string
    EXPECT_EQ(s.finderSelection[5], 0);
    finderClick(s, Qt::LeftButton, fret3);
    finderClick(s, Qt::MiddleButton, fret3);
    EXPECT_EQ(s.finderSelection[5], 0);
    finderClick(s, Qt::LeftButton, fret3);
    finderClick(s, Qt::LeftButton, QPointF(740, 128)); // past the last fret
    EXPECT_EQ(s.finderSelection[5], 0);
    const auto before = s.finderSelection;
    finderClick(s, Qt::LeftButton, QPointF(200, 10));   // above string 1
    finderClick(s, Qt::RightButton, QPointF(200, 170)); // below string 6
    EXPECT_EQ(s.finderSelection, before);
}

class FinderTest : public ::testing::Test {
protected:
    void SetUp() override { modeDispatch(*p, Mode::ChordFinder); }

    // Strings 6 down to 1: 0 not played, -1 open, n fret n.
    void select(std::array<int, 6> values) {
        for (int string = 6; string >= 1; --string)
            p->state.finderSelection[size_t(string)] = values[size_t(6 - string)];
        redrawCurrentMode(*p);
    }
    const FinderDescription& line(int string) {
        return p->pages.finder.lblDescription[size_t(string)];
    }

    HeadlessProgram p;
};

constexpr PackedColour DarkBlue = 192 << 16;
constexpr PackedColour LightBlue = 128 | 128 << 8 | 255 << 16;
constexpr PackedColour LightCyan = 128 | 255 << 8 | 255 << 16;

TEST_F(FinderTest, DescriptionsNameTheChordFromEachStringWithTheBass) {
    struct Case {
        std::array<int, 6> frets; // strings 6 down to 1
        int rootString;
        const char* text;
        PackedColour colour;
    };
    const Case cases[] = {
        {{0, 3, 2, -1, 1, -1}, 5, "C Major", DarkBlue},
        {{-1, 3, 2, -1, 1, -1}, 5, "C Major / E", LightBlue},       // third in the bass
        {{3, 3, 2, -1, 1, -1}, 5, "C Major / G", LightBlue},        // fifth in the bass
        {{0, 1, 2, -1, 1, 0}, 2, "C Dominant 7th / Bb", LightCyan}, // seventh in the bass
        {{2, -1, -1, 2, 3, 2}, 4, "D Major / F#", LightBlue},       // D takes sharps
        {{0, 4, 3, 3, 2, 0}, 3, "Bb Minor / Db", LightBlue},        // Bb takes flats
        {{2, 4, 4, 3, 0, 0}, 6, "Gb Major", DarkBlue},              // roots are named with flats
    };
    for (const Case& c : cases) {
        select(c.frets);
        EXPECT_EQ(line(c.rootString).text, QLatin1String(c.text)) << c.text;
        EXPECT_EQ(line(c.rootString).colour, c.colour) << c.text;
    }
}

TEST_F(FinderTest, SilentStringsAndUnknownSetsLeaveEmptyLines) {
    select({0, -1, -1, -1, 1, -1}); // A D G C E
    EXPECT_TRUE(line(6).text.isEmpty());
    EXPECT_EQ(finderIntervalSet(p->state, 9), QStringLiteral("0;3;5;7;10")); // above A

    select({-1, 0, 3, 11, 0, 0}); // E F F#: no set of these has a name
    for (int string = 1; string <= 6; ++string)
        EXPECT_TRUE(line(string).text.isEmpty()) << string;
    EXPECT_EQ(finderIntervalSet(p->state, 4), QStringLiteral("0;1;2"));

    select({0, 0, 0, 0, 0, 0});
    for (int string = 1; string <= 6; ++string)
        EXPECT_TRUE(line(string).text.isEmpty());
    EXPECT_TRUE(p.markers().empty());
}

TEST_F(FinderTest, SelectionIsDrawnWithFlatNamesSignsAndLeds) {
    select({0, 4, 3, -1, 2, 0});
    QStringList indicator;
    for (const Mark& m : p.signs(IndicatorColumn))
        indicator << QString::number(m.string) + m.label;
    EXPECT_EQ(indicator, QStringList({"1fingerX", "3finger0", "6fingerX"}));
    QStringList markers;
    for (const Mark& m : p.markers())
        markers << QStringLiteral("%1@%2:%3").arg(m.label).arg(m.fret).arg(m.string);
    EXPECT_EQ(markers, QStringList({"Db@2:2", "F@3:4", "Db@4:5"}));
    for (const Mark& m : p.markers()) {
        EXPECT_EQ(m.kind, QStringLiteral("circle"));
        EXPECT_EQ(m.colour, p->state.colourChord);
    }
    EXPECT_EQ(p.led.frames.back(), QStringList({"2~2", "0~3", "3~4", "4~5"}));
}

TEST_F(FinderTest, NeckPressesCountOnlyOnTheFinderPage) {
    modeDispatch(*p, Mode::Scales);
    finderClicked(*p, Qt::LeftButton, QPointF(200, 128));
    EXPECT_EQ(p->state.finderSelection[5], 0);

    modeDispatch(*p, Mode::ChordFinder);
    finderClicked(*p, Qt::LeftButton, QPointF(200, 128)); // C on string 5
    finderClicked(*p, Qt::LeftButton, QPointF(140, 104)); // E on string 4
    finderClicked(*p, Qt::LeftButton, QPointF(30, 80));   // open G
    EXPECT_EQ(line(5).text, QStringLiteral("C Major"));
    EXPECT_EQ(p.markers().size(), 2u);

    // A press beside the strings changes nothing but still redraws.
    const size_t frames = p.led.frames.size();
    finderClicked(*p, Qt::LeftButton, QPointF(200, 5));
    EXPECT_GT(p.led.frames.size(), frames);
    EXPECT_EQ(line(5).text, QStringLiteral("C Major"));

    // The selection survives other pages.
    modeDispatch(*p, Mode::Chords);
    modeDispatch(*p, Mode::ChordFinder);
    EXPECT_EQ(p.markers().size(), 2u);
    EXPECT_EQ(p->state.finderSelection[3], -1);
}

} // namespace
} // namespace chordalis
