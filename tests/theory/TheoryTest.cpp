#include "modes/RootTabs.h"
#include "theory/Neck.h"
#include "theory/Positions.h"
#include "theory/Spelling.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

using namespace chordalis;

// The letter and pitch computed here from scratch.
TEST(Spelling, EveryTokenOnEveryRootTabHasTheRightLetterAndPitch) {
    const int majorSteps[7] = {0, 2, 4, 5, 7, 9, 11};
    const QString letters = QStringLiteral("CDEFGAB");
    const QString accidentals[] = {QStringLiteral("f"), QStringLiteral("b"), QString(),
                                   QStringLiteral("#"), QStringLiteral("x")};
    for (const RootTab& tab : RootTabs) {
        const QString rootName = noteName(tab.root, tab.spelling);
        const int rootLetter = int(letters.indexOf(rootName[0]));
        for (int degree = 1; degree <= 14; ++degree) {
            for (int a = 0; a < 5; ++a) {
                const QString token = accidentals[a] + QString::number(degree);
                const QString name = spellDegree(token, tab.root, tab.spelling);
                const int d = (degree - 1) % 7;
                const int expectedPc = (tab.root + majorSteps[d] + (a - 2) + 24) % 12;
                ASSERT_FALSE(name.isEmpty()) << tab.caption << " " << qPrintable(token);
                EXPECT_EQ(name[0], letters[(rootLetter + d) % 7])
                    << tab.caption << " " << qPrintable(token) << " gave " << qPrintable(name);
                EXPECT_EQ(pitchClassOf(name), expectedPc)
                    << tab.caption << " " << qPrintable(token) << " gave " << qPrintable(name);
            }
        }
    }
}

TEST(Spelling, AccidentalsBeyondDoubleAndUnlistedNames) {
    // D# major has Fx as its third; a sharpened third is F triple sharp, which sounds G#.
    EXPECT_EQ(spellDegree(u"#3", 3, 1), QStringLiteral("F#x"));
    EXPECT_EQ(pitchClassOf(u"F#x"), 8);
    // Gb major has Cb as its fourth; a double-flat fourth is C triple flat, which sounds A.
    EXPECT_EQ(spellDegree(u"f4", 6, 0), QStringLiteral("Cbbb"));
    EXPECT_EQ(pitchClassOf(u"Cbbb"), 9);
    for (const auto& [name, pc] :
         {std::pair{u"Ex", 6}, {u"e", 0}, {u"Eb ", 0}, {u"", 0}, {u"H", 0}})
        EXPECT_EQ(pitchClassOf(QStringView(name)), pc) << QString::fromUtf16(name).toStdString();
}

TEST(Spelling, DegreesBeyondTheTwoOctavesFoldIntoTheScale) {
    // Every degree maps onto one of the seven letters; 15, 22 and 23 once read past the table.
    for (int degree = 1; degree <= 64; ++degree)
        EXPECT_EQ(spellDegree(QString::number(degree), 0, 0),
                  spellDegree(QString::number((degree - 1) % 7 + 1), 0, 0))
            << degree;
    EXPECT_EQ(spellDegree(u"15", 0, 0), QStringLiteral("C"));
    EXPECT_EQ(spellDegree(u"b23", 0, 0), QStringLiteral("Db"));
    EXPECT_TRUE(spellDegree(u"0", 0, 0).isEmpty());
}

TEST(Spelling, LabelTexts) {
    const NoteList cmaj = spellFormula(u"1;3;5", 0, 0);
    EXPECT_EQ(notesText(cmaj), QStringLiteral("C E G "));
    EXPECT_EQ(formulaText(cmaj), QStringLiteral("1, 3, 5"));
    EXPECT_EQ(cmaj[1].pitchClass, 4);
    EXPECT_FALSE(cmaj[3].isUsed());

    const NoteList dim7 = spellFormula(u"1;b3;b5;f7", 0, 0);
    EXPECT_EQ(formulaText(dim7), QStringLiteral("1, b3, b5, bb7"));
    EXPECT_EQ(notesText(dim7), QStringLiteral("C Eb Gb Bbb "));
}

TEST(Spelling, FormulaLimits) {
    for (const char* good :
         {"1", "1;3;5", "1;b3;b5;f7", "1;x2;#11;b13;14", "1;2;3;4;5;6;7;9;11;13;b9;#9;#11"})
        EXPECT_FALSE(checkFormula(QString::fromLatin1(good)).has_value()) << good;
    for (const char* bad :
         {"", "1;;5", "1;3;", "1;0", "1;15", "1; 3", "1;3;5 ", "1;bb3", "1;y3", "3;5;1", "1;b",
          "1;2;3;4;5;6;7;9;11;13;b9;#9;#11;b13", "1;3;5\t", "1;103"})
        EXPECT_TRUE(checkFormula(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(Spelling, LeadingNumbers) {
    const std::pair<const char*, int> cases[] = {
        {"12 Chord - All", 12}, {"-1Major", -1},   {" 7", 7}, {"-3", -3}, {"xx", 0}, {"", 0},
        {"99999999999", 32767}, {"-99999", -32768}};
    for (const auto& [text, n] : cases)
        EXPECT_EQ(leadingNumber(QString::fromLatin1(text)), n) << text;
}

TEST(Spelling, NamesWithOctavesFollowTheLetter) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"C", 60, "C4"},     {"B#", 60, "B#3"}, {"Cb", 59, "Cb4"},
        {"Eb", 51, "Eb3"},   {"E", 40, "E2"},   {"Bx", 61, "Bx3"},
        {"Dbb", 60, "Dbb4"}, {"C", 61, "Db4"},  {"", 64, "E4"}};
    for (const auto& [name, midi, text] : cases) {
        EXPECT_EQ(nameWithOctave(QString::fromLatin1(name), midi), QLatin1String(text)) << text;
        EXPECT_EQ(midiNoteOf(QString::fromLatin1(text)), midi) << text;
    }
    EXPECT_EQ(std::tuple(midiNoteOf(u"C-1"), midiNoteOf(u"G9"), midiNoteOf(u"Cb-1")),
              std::tuple(0, 127, std::nullopt));
    for (const char* bad : {"G#9", "E", "H2", "e4", "E+4", "E10"})
        EXPECT_EQ(midiNoteOf(QString::fromLatin1(bad)), std::nullopt) << bad;
    EXPECT_EQ(degreeText(u"f7"), QStringLiteral("bb7"));
    EXPECT_EQ(degreeText(u"#11"), QStringLiteral("#11"));
}

static PositionList listAt(int option, int index) {
    PositionList list = initialPositionList();
    fillPositionList(list, option);
    list.index = index;
    return list;
}

// Every occurrence on the whole neck is checked by the scale display's tests; here the limits.
TEST(Neck, TheOctaveAboveNeverPassesMaxFret) {
    std::vector<int> frets;
    placeNote(Tuning{}, 5, 6, FretWindow{0, 15}, 12, [&](int f, int) { frets.push_back(f); });
    EXPECT_EQ(frets, std::vector<int>({1}));
    EXPECT_EQ(lowestFret(presetTuning(4), 4, 6), 2); // E on a D string
}

TEST(Positions, WindowsOfBothOptions) {
    // The option, the index and the window it gives.
    const std::tuple<int, int, int, int> cases[] = {
        {0, 0, 0, 15},   {1, 0, 0, 15},   {0, 1, 0, 3},   {1, 1, 0, 4},
        {0, 2, 1, 4},    {1, 2, 1, 5},    {0, 6, 5, 8},   {1, 6, 5, 9},
        {0, 12, 11, 14}, {1, 12, 11, 15}, {0, 13, 12, 15}};
    for (const auto& [option, index, low, high] : cases)
        EXPECT_EQ(fretWindow(listAt(option, index)), (FretWindow{low, high})) << option << index;
}

TEST(Positions, SwitchingOptionsKeepsTheSelectionInsideListsAsLongAsTheNeck) {
    const std::pair<int, int> toFive[] = {{13, 12}, {12, 11}, {6, 6}, {0, 0}, {11, 11}};
    for (const auto& [before, after] : toFive) {
        PositionList list = listAt(0, before);
        fillPositionList(list, 1);
        EXPECT_EQ(list.index, after) << before;
        fillPositionList(list, 0); // back to four keeps the index
        EXPECT_EQ(list.index, after);
        EXPECT_EQ(list.entries.back(), QStringLiteral("12th Position"));
    }
    // Lists reach as far as the neck.
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
