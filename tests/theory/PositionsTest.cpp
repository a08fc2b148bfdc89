#include "theory/Positions.h"

#include "theory/Neck.h"

#include <gtest/gtest.h>
#include <vector>

using namespace chordalis;

namespace {

PositionList listAt(int option, int index) {
    PositionList list = initialPositionList();
    fillPositionList(list, option);
    list.index = index;
    return list;
}

} // namespace

// Every occurrence on the whole neck is checked by the scale display's tests; here the limits.
TEST(Neck, TheOctaveAboveNeverPassesMaxFret) {
    std::vector<int> frets;
    placeNote(Tuning{}, 5, 6, FretWindow{0, 15}, 12, [&](int f, int) { frets.push_back(f); });
    EXPECT_EQ(frets, std::vector<int>({1}));
    EXPECT_EQ(lowestFret(presetTuning(4), 4, 6), 2); // E on a D string
}

TEST(Positions, WindowsOfBothOptions) {
    struct Case {
        int option, index, low, high;
    };
    const Case cases[] = {{0, 0, 0, 15},   {1, 0, 0, 15},   {0, 1, 0, 3},   {1, 1, 0, 4},
                          {0, 2, 1, 4},    {1, 2, 1, 5},    {0, 6, 5, 8},   {1, 6, 5, 9},
                          {0, 12, 11, 14}, {1, 12, 11, 15}, {0, 13, 12, 15}};
    for (const Case& c : cases)
        EXPECT_EQ(fretWindow(listAt(c.option, c.index)), (FretWindow{c.low, c.high}))
            << c.option << "/" << c.index;
}

TEST(Positions, SwitchingOptionsKeepsTheSelectionInsideTheList) {
    const std::pair<int, int> toFive[] = {{13, 12}, {12, 11}, {6, 6}, {0, 0}, {11, 11}};
    for (const auto& [before, after] : toFive) {
        PositionList list = listAt(0, before);
        fillPositionList(list, 1);
        EXPECT_EQ(list.index, after) << before;
        EXPECT_EQ(list.option, 1);
        fillPositionList(list, 0); // back to four keeps the index
        EXPECT_EQ(list.index, after);
        EXPECT_EQ(list.entries.back(), QStringLiteral("12th Position"));
    }
}

// A neck of more or fewer frets lists every window that ends on it, with the same rule for the
// last two entries when the option turns to five-note windows.
TEST(Positions, ListsReachAsFarAsTheNeck) {
    PositionList list = initialPositionList(24);
    EXPECT_EQ(list.entries.size(), 23);
    EXPECT_EQ(list.entries.back(), QStringLiteral("21st Position"));
    list.index = 22;
    EXPECT_EQ(fretWindow(list, 24), (FretWindow{21, 24}));
    fillPositionList(list, 1, 24);
    EXPECT_EQ(list.entries.back(), QStringLiteral("20th Position"));
    EXPECT_EQ(list.index, 21);
    EXPECT_EQ(fretWindow(list, 24), (FretWindow{20, 24}));
    EXPECT_EQ(initialPositionList(12).entries.back(), QStringLiteral("9th Position"));
}
