#include "MusicTheory.h"

#include "IniFile.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace chordalis;

namespace {

std::string formulaText(const std::optional<std::vector<std::string>>& tokens) {
    if (!tokens)
        return "(unreadable)";
    std::string out;
    for (const std::string& t : *tokens)
        out += (out.empty() ? "" : ";") + t;
    return out;
}

std::vector<FormulaToken> parsed(const char* formula) {
    std::string error;
    auto tokens = parseFormula(formula, &error);
    EXPECT_TRUE(tokens) << formula << ": " << error;
    return tokens.value_or(std::vector<FormulaToken>{});
}

// The rules a plain reading gets wrong.
TEST(MusicTheory, ChordNamesReadAsChordSymbols) {
    const std::pair<const char*, const char*> table[] = {
        {"dim7", "1;b3;b5;f7"},         {"13", "1;3;5;b7;9;13"}, // no 11th over a major 3rd
        {"m13", "1;b3;5;b7;9;11;13"},                            // but over a minor one
        {"m(b6)", "1;b3;5;b6"},                                  // a b6 beside the 5th
        {"m7b6", "1;b3;b6;b7"},                                  // and in its place
        {"11", "1;5;b7;9;11"},                                   // no 3rd under the natural 11th
        {"dim7(maj7)", "1;b3;b5;f7;7"}, {"quartal", "1;4;b7;b10"},
        {"7zz", "(unreadable)"},        {"8", "(unreadable)"},
    };
    for (const auto& [name, formula] : table)
        EXPECT_EQ(formulaText(formulaOfChordName(name)), formula) << name;
}

TEST(MusicTheory, FormulasOutsideTheLoadersLimitsAreRejected) {
    for (const char* bad :
         {"", "1;;3", "1;3;15", "3;5", "1;3;5;", "1; 3", "1;2;3;4;5;6;7;8;9;10;11;12;13;14"}) {
        std::string error;
        EXPECT_FALSE(parseFormula(bad, &error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
    EXPECT_EQ(parsed("1;b3;#11;f7")[2].semitones, 18);
    EXPECT_EQ(parsed("1;b3;#11;f7")[3].pitchClass(), 9);
}

TEST(MusicTheory, WritingFaults) {
    EXPECT_TRUE(formulaWritingFaults(parsed("1;b2;#2;3;#4;5;6;b7")).empty());
    EXPECT_TRUE(formulaWritingFaults(parsed("1;b3;b5;f7")).empty()); // Fbb on Gb is fine
    const auto descending = formulaWritingFaults(parsed("1;5;3"));
    ASSERT_FALSE(descending.empty());
    EXPECT_NE(descending[0].find("ascend"), std::string::npos);
    // "#7" repeats the root, and on D# it would be C triple sharp.
    const auto faults = formulaWritingFaults(parsed("1;3;5;#7"));
    auto says = [&](const char* part) {
        return std::any_of(faults.begin(), faults.end(),
                           [&](const std::string& f) { return f.find(part) != std::string::npos; });
    };
    EXPECT_TRUE(says("repeats a note"));
    EXPECT_TRUE(says("on the root D# \"#7\" needs more than a double sharp"));
}

TEST(MusicTheory, AVoicingSoundsEveryToneTheNameStates) {
    using Set = std::set<std::string>;
    const auto may = [](const char* formula, const char* name) {
        return omissibleTokens(parsed(formula), name);
    };
    EXPECT_EQ(may("1;3;5", "maj"), Set{});
    EXPECT_EQ(may("1;3;5;b7", "7"), Set{"5"});
    EXPECT_EQ(may("1;3;5;b7;9;#11", "9#11"), Set{"5"});                // the 9th is named
    EXPECT_EQ(may("1;b3;5;b7;9;11;13", "m13"), (Set{"5", "9", "11"})); // implied by the 13
    EXPECT_EQ(may("1;3;5;b7;#9;#11;13", "13#9#11"), Set{"5"});         // the #11 stays
    EXPECT_EQ(may("1;3;#5;b7;9;#11", "9#5#11"), Set{});
    EXPECT_EQ(may("1;3;5;7;9;11", "maj9(add11)"), Set{"5"});
    EXPECT_EQ(may("1;3;5;b7;9;#11;13", "13#11"), (Set{"5", "9"}));
    EXPECT_EQ(may("1;b3;5;b6;7", "m(maj7)(b6)"), Set{}); // "(b6)" stands beside the 5th
    EXPECT_EQ(chordSymbolNumber("m(maj9)(b6)"), 9);
    EXPECT_EQ(chordSymbolNumber("dim7(maj7)"), 7);
    EXPECT_EQ(chordSymbolNumber("mb6(addb9)"), 0);
    EXPECT_EQ(chordSymbolNumber("add11"), 0);
}

TEST(MusicTheory, ScalesAreKnownByTheirNamesAndModesByTheirPlaceInTheirScale) {
    EXPECT_EQ(referenceScale("Dorian"), (std::set<int>{0, 2, 3, 5, 7, 9, 10}));
    EXPECT_EQ(referenceScale("Super Locrian"), referenceScale("Altered"));
    EXPECT_EQ(referenceScale("Diminished Half-Whole"), (std::set<int>{0, 1, 3, 4, 6, 7, 9, 10}));
    EXPECT_FALSE(referenceScale("Dorianish"));
    // The flamenco scale has a perfect 5th; the altered scale a major 3rd and no 5th.
    EXPECT_EQ(referenceScale("Spanish Eight-Tone"), (std::set<int>{0, 1, 3, 4, 5, 7, 8, 10}));
    EXPECT_EQ(referenceScale("Altered"), (std::set<int>{0, 1, 3, 4, 6, 8, 10}));
    EXPECT_EQ(referenceScale("Dorian Mode"), referenceScale("Dorian"));
    EXPECT_EQ(referenceScale("Fifth Mode of Major Pentatonic"), referenceScale("Minor Pentatonic"));
    EXPECT_EQ(referenceScale("Seventh Mode of Melodic Minor"), referenceScale("Altered"));
    EXPECT_EQ(referenceScale("First Mode of Harmonic Minor"), referenceScale("Harmonic Minor"));
    EXPECT_FALSE(referenceScale("Sixth Mode of Major Pentatonic")); // it has five notes
    EXPECT_FALSE(referenceScale("Second Mode of Dorianish"));
    EXPECT_FALSE(referenceScale("Tenth Mode of Chromatic"));
}

std::vector<std::string> problemTexts(const IniFile& ini) {
    std::vector<std::string> out;
    for (const auto& p : ini.problems())
        out.push_back("[" + p.section + "] " + p.key + ": " + p.message);
    return out;
}

TEST(IniFile, ReadsValuesAsTheProgramDoes) {
    const IniFile ini = IniFile::parse("; a comment\n[Totals]\nNumChords = \"16\"\n"
                                       "numchords=99\n[totals]\nnumgroups=3\n");
    EXPECT_EQ(ini.value("totals", "numchords"), "16"); // quotes off, first occurrence counts
    EXPECT_EQ(ini.value("TOTALS", "NUMCHORDS"), "16");
    EXPECT_FALSE(ini.value("totals", "numgroups")); // the repeated section is never read
    EXPECT_FALSE(ini.value("groups", "0"));
    EXPECT_EQ(problemTexts(ini),
              (std::vector<std::string>{"[Totals] NumChords: blanks around \"=\"",
                                        "[Totals] numchords: the key appears twice",
                                        "[totals] : the section appears twice"}));
}

TEST(IniFile, NotesWhatAShippedFileMustNotContain) {
    const IniFile ini = IniFile::parse("\xEF\xBB\xBFkey=1\r\n [a\nno equals sign\n[b]\nx=\xFF");
    EXPECT_EQ(problemTexts(ini),
              (std::vector<std::string>{"[] : starts with a byte order mark",
                                        "[] : has CR characters; lines must end in LF only",
                                        "[] : the last line has no line end", "[] : is not UTF-8",
                                        "[] : line 1 holds a key outside any section",
                                        "[] : line 2 has blanks at its start or end",
                                        "[] : line 2 is a malformed section header",
                                        "[] : line 3 is neither a section, a key nor a comment"}));
    EXPECT_TRUE(IniFile::parse("[a]\nk=\xC3\xA9\xE2\x88\x86\n").problems().empty());
}

} // namespace
