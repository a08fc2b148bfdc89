#include "library/LibraryLoader.h"

#include "../TestFolder.h"
#include "fretboard/LedSender.h"
#include "library/IniReader.h"
#include "library/Warnings.h"
#include "modes/AppState.h"
#include "modes/LibraryTrees.h"
#include "modes/Pages.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace chordalis;
using chordalis::test::TestFolder;

namespace {

// The library of the small fixture, or of the given files, loaded.
struct Loaded {
    Loaded() {
        dir.copyFixture("small");
        load();
    }
    explicit Loaded(const QByteArray& chord, const QByteArray& scale = {},
                    const QByteArray& triad = {}) {
        dir.write("chord.ini", chord);
        dir.write("scale.ini", scale);
        dir.write("triad.ini", triad);
        dir.write("voicing.ini", "[openchords]\nnumvoicings=0\n");
        dir.write("finder.ini", "[0;4;7]\nd=Major\n");
        load();
    }
    void load() {
        ModeContext context{state, pages, ini, board, warnings};
        loadLibraries(context);
    }
    void reload() {
        warnings.clear();
        load();
    }

    TestFolder dir;
    IniReader ini{dir.path()};
    AppState state;
    MainPages pages;
    Warnings warnings{true};
    SilentLedSender led;
    Fretboard board{state.neckSettings(), led};

    bool warned(const QString& part) const {
        for (const QString& m : warnings.messages())
            if (m.contains(part))
                return true;
        return false;
    }
};

QStringList keysUnder(const TreeModel& tree, const QString& parent) {
    QStringList keys;
    for (const TreeNode* n : tree.children(parent))
        keys << n->key;
    return keys;
}

} // namespace

TEST(LibraryLoader, BuildsTheTreesOfEveryPage) {
    Loaded l;
    EXPECT_TRUE(l.warnings.messages().isEmpty()) << qPrintable(l.warnings.messages().join('\n'));

    const TreeModel& chords = l.pages.chords.tvwChords;
    ASSERT_EQ(chords.size(), 2 + 6);
    EXPECT_EQ(chords.find("0 Group")->text, QStringLiteral("Major Chords"));
    EXPECT_EQ(keysUnder(chords, "All Group"),
              QStringList({"0 Chord - All", "1 Chord - All", "2 Chord - All"}));
    EXPECT_EQ(keysUnder(chords, "0 Group"), QStringList({"0 Chord", "1 Chord", "2 Chord"}));
    EXPECT_EQ(chords.find("1 Chord")->text, QStringLiteral("6"));
    EXPECT_EQ(l.state.chords.entries[0].chordsymbols, QStringLiteral("M;\u0394"));
    EXPECT_EQ(l.pages.chordScale.tvwCSChords.size(), chords.size());
    EXPECT_EQ(keysUnder(l.pages.arpeggios.tvwArps, "0 Group"),
              QStringList({"0 Arpeggio", "1 Arpeggio", "2 Arpeggio"}));
    const TreeModel& scales = l.pages.scales.tvwScales;
    EXPECT_EQ(scales.find("0 Group")->text, QStringLiteral("Major Modes")); // no suffix
    EXPECT_EQ(scales.find("1 Scale - All")->text, QStringLiteral("Lydian"));

    const TreeModel& triads = l.pages.triads.tvwTriads;
    EXPECT_EQ(keysUnder(triads, {}),
              QStringList({"-1Major", "-1Minor", "-1Diminished", "-1Augmented"}));
    EXPECT_EQ(keysUnder(triads, "-1Diminished"), QStringList({"6ID", "7ID", "8ID"}));
    EXPECT_EQ(l.pages.triads.tvwStringGroup.selectedKey, QStringLiteral("0ID"));
    EXPECT_EQ(l.state.triads.entries[11].formula, QStringLiteral("1;3;#5"));
    EXPECT_EQ(l.state.chords.entries.size(), 4u);
    EXPECT_EQ(l.state.scales.entries.size(), 2u);
}

TEST(LibraryLoader, DamagedFilesLoadWithWarnings) {
    Loaded l("[totals]\nnumchords=4\nnumgroups=1\n[groups]\n0=Major\n"
             "[0]\nname=ok\nformula=1;3;5\ngroup=0\n"
             "[1]\nname=bad formula\nformula=1;;5\ngroup=0\n"
             "[2]\nname=lost\nformula=1;b3;5\ngroup=7\n",
             "[totals]\nnumscales=-3\n", "");

    EXPECT_EQ(l.state.chords.entries[0].formula, QStringLiteral("1;3;5"));
    EXPECT_EQ(l.state.chords.entries[1].name, QStringLiteral("bad formula"));
    EXPECT_TRUE(l.state.chords.entries[1].formula.isEmpty());
    EXPECT_TRUE(l.warned("chord.ini [1] formula \"1;;5\""));
    const TreeModel& chords = l.pages.chords.tvwChords;
    EXPECT_TRUE(chords.contains("2 Chord - All"));
    EXPECT_FALSE(chords.contains("2 Chord"));
    EXPECT_FALSE(l.pages.arpeggios.tvwArps.contains("2 Arpeggio"));
    EXPECT_TRUE(l.warned("chord.ini [2] group \"7\""));
    EXPECT_EQ(l.state.chords.count, 4);
    ASSERT_TRUE(chords.contains("3 Chord - All"));
    EXPECT_EQ(chords.find("3 Chord - All")->text, QString());
    EXPECT_TRUE(l.warned("1 of its chord sections are missing"));
    EXPECT_EQ(l.state.scales.count, 0);
    EXPECT_EQ(l.pages.scales.tvwScales.size(), 1);
    EXPECT_TRUE(l.warned("numscales is \"-3\""));
    EXPECT_EQ(l.state.triads.entries.size(), 12u);
    EXPECT_TRUE(l.warned("triad.ini: section [11] is missing"));
}

TEST(LibraryLoader, TruncatedEmptyAndAbsurdFiles) {
    Loaded l("[totals]\nnumchords=2\nnumgroups=1\n[groups]\n0=Major\n[0]\nname=ma",
             "[totals]\nnumscales=30000\nnumgroups=99999\n", "\x01\x02garbage");
    EXPECT_EQ(l.state.chords.entries[0].name, QStringLiteral("ma"));
    EXPECT_TRUE(l.state.chords.entries[0].formula.isEmpty());
    EXPECT_TRUE(l.pages.chords.tvwChords.contains("1 Chord - All"));
    EXPECT_TRUE(l.warned("chord.ini: numchords is 2 but 1 of its chord sections are missing; "
                         "those chords have no name and no notes"));
    EXPECT_EQ(l.state.scales.count, LibraryLoader::MaxItems);
    EXPECT_TRUE(l.warned("numscales is 30000"));
    EXPECT_EQ(l.pages.triads.tvwTriads.size(), 16);
}

TEST(LibraryLoader, ADamagedCountIsSaidOnceNamingTheFilesValue) {
    for (const QByteArray& chord :
         {QByteArray(), QByteArray("\x7f\x45\x4c\x46\x02\x01\x00\x00"),
          QByteArray("[0]\nname=maj\n"), QByteArray("[totals]\nnumchords=abc\n")}) {
        Loaded l(chord, "[totals]\nnumscales=\n");
        EXPECT_EQ(l.state.chords.count, 0);
        EXPECT_TRUE(l.warned("chord.ini has no [totals] numchords") ||
                    l.warned("chord.ini [totals] numchords is \"abc\", not a number"))
            << qPrintable(l.warnings.messages().join('\n'));
        EXPECT_TRUE(l.warned("scale.ini has no [totals] numscales"));
    }
    // Not a line for each missing item.
    Loaded l("[totals]\nnumchords=99999\nnumgroups=1\n[groups]\n0=Major\n"
             "[0]\nname=maj\nformula=1;3;5\ngroup=0\n",
             "[totals]\nnumscales=0\n");
    EXPECT_TRUE(l.warned("numchords is 99999; only the first 5000 are read"));
    const QStringList chordLines = l.warnings.messages().filter(QLatin1String("chord.ini"));
    EXPECT_EQ(chordLines.size(), 2) << qPrintable(chordLines.join('\n'));
    EXPECT_TRUE(l.warned("numchords is 99999 (read as 5000) but 4999 of its chord sections"));
}

TEST(LibraryLoader, HugeFilesAndEndlessLinesStillLoad) {
    QByteArray chord = "[totals]\nnumchords=1\nnumgroups=1\n[groups]\n0=Major\n";
    chord += QByteArray(10 << 20, ';').replace(QByteArray(64, ';'), QByteArray(63, ';') + '\n');
    chord += "[0]\nname=" + QByteArray(200000, 'm') + "\nformula=1;3;5\ngroup=0\n";
    Loaded l(chord, "[totals]\nnumscales=0\n");
    ASSERT_EQ(l.state.chords.count, 1);
    EXPECT_TRUE(l.state.chords.entries[0].name.startsWith(QLatin1String("mmmm")));
    EXPECT_EQ(l.state.chords.entries[0].formula, QStringLiteral("1;3;5"));
}

TEST(LibraryLoader, FilesThatAreThereButNotReadAreNamedAndAnAbsentOneIsNot) {
    Loaded l("[totals]\nnumchords=0\n", "[totals]\nnumscales=0\n");
    QFile big(l.dir.filePath("chord.ini"));
    ASSERT_TRUE(big.open(QIODevice::ReadWrite) && big.resize(IniReader::MaxFileSize + 1));
    big.close();
    ASSERT_TRUE(QFile::remove(l.dir.filePath("scale.ini")));
    ASSERT_TRUE(QDir(l.dir.path()).mkdir("scale.ini"));
    ASSERT_TRUE(QFile::remove(l.dir.filePath("finder.ini")));
    ASSERT_EQ(::mkfifo(qPrintable(l.dir.filePath("finder.ini")), 0600), 0);
    l.reload();
    EXPECT_TRUE(l.warned("chord.ini is 16.0 MB; files over 16 MB are not read"));
    EXPECT_TRUE(l.warned("scale.ini is not a regular file; it is not read"));
    EXPECT_TRUE(l.warned("finder.ini is not a regular file; it is not read"));
    EXPECT_FALSE(l.warned("voicing.ini")) << qPrintable(l.warnings.messages().join('\n'));
    // An absent file is start-up's business.
    ASSERT_TRUE(QFile::remove(l.dir.filePath("voicing.ini")));
    l.reload();
    EXPECT_FALSE(l.warned("voicing.ini"));
}

TEST(LibraryLoader, AnEmptyOrBinaryVoicingOrFinderFileIsNamed) {
    for (const QByteArray& damaged :
         {QByteArray(), QByteArray("\x7f\x45\x4c\x46\x02\x01\x00\x00\xff\xfe", 10),
          QByteArray("0fret=00xx020100\n")}) {
        Loaded l("[totals]\nnumchords=0\n", "[totals]\nnumscales=0\n");
        l.dir.write("voicing.ini", damaged);
        l.dir.write("finder.ini", damaged);
        l.reload();
        EXPECT_TRUE(l.warned("voicing.ini has no sections (the file is empty or damaged)"))
            << qPrintable(l.warnings.messages().join('\n'));
        EXPECT_TRUE(l.warned("finder.ini has no sections"));
    }
}
