#include "IniFile.h"

#include <gtest/gtest.h>

using chordalis::IniFile;

namespace {

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
