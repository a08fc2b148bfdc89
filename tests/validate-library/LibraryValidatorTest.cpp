#include "LibraryValidator.h"

#include "../TestFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

using chordalis::LibraryValidator;
using chordalis::test::TestFolder;
namespace fs = std::filesystem;

namespace {

// The first `from` in the file becomes `to` (null: the file goes); the validator must report a
// fault starting with `where` ("file [section] key") that contains `says`, and likewise `where2`.
struct Planted {
    const char* name;
    const char* file;
    const char* from;
    const char* to;
    const char* where;
    const char* says;
    const char* where2 = nullptr;
    const char* says2 = nullptr;
};

class LibraryValidatorTest : public ::testing::Test {
protected:
    TestFolder folder;
    fs::path dir{folder.path().toStdString()};

    // The shipped library afresh: hard links where allowed (a fault replaces a file), else copies.
    void freshCopy() {
        fs::remove_all(dir);
        fs::create_directories(dir);
        std::error_code linked;
        fs::copy(CHORDALIS_SHIPPED_DATA, dir,
                 fs::copy_options::recursive | fs::copy_options::create_hard_links, linked);
        if (linked) {
            fs::remove_all(dir);
            fs::create_directories(dir);
            fs::copy(CHORDALIS_SHIPPED_DATA, dir, fs::copy_options::recursive);
        }
    }

    std::vector<std::string> faultsAfter(const Planted& p) {
        const fs::path path = dir / p.file;
        if (!p.to) {
            fs::remove(path);
        } else {
            std::ifstream in(path, std::ios::binary);
            std::string text{std::istreambuf_iterator<char>(in), {}};
            in.close();
            const size_t at = text.find(p.from);
            if (at == std::string::npos) {
                ADD_FAILURE() << p.name << ": \"" << p.from << "\" is not in " << p.file;
                return {};
            }
            text.replace(at, std::string(p.from).size(), p.to);
            fs::remove(path); // a new file, so the shipped one behind a link stays as it is
            std::ofstream(path, std::ios::binary) << text;
        }
        LibraryValidator v(dir);
        v.run();
        std::vector<std::string> texts;
        for (const auto& f : v.faults())
            texts.push_back(f.text());
        return texts;
    }

    void expectCaught(const std::vector<Planted>& cases) {
        for (const Planted& p : cases) {
            SCOPED_TRACE(p.name);
            freshCopy();
            const std::vector<std::string> faults = faultsAfter(p);
            std::string all;
            for (const std::string& f : faults)
                all += "\n  " + f;
            for (const auto& [where, says] : {std::pair{p.where, p.says}, {p.where2, p.says2}}) {
                if (!where)
                    continue;
                bool found = false;
                for (const std::string& f : faults)
                    found = found || (f.rfind(where, 0) == 0 && f.find(says) != std::string::npos);
                EXPECT_TRUE(found) << "no fault \"" << where << ": ..." << says << "...\"" << all;
            }
        }
    }
};

TEST_F(LibraryValidatorTest, TheShippedLibraryIsCleanCompleteAndSummedUp) {
    freshCopy();
    LibraryValidator v(dir);
    v.run();
    for (const auto& f : v.faults())
        ADD_FAILURE() << f.text();
    const auto& s = v.summary();
    EXPECT_GE(s.chords, 110);
    EXPECT_GE(s.scales, 60);
    EXPECT_EQ(s.triadShapes, 48);
    // Six for most chords; the chords that fill the hand list what one hand holds, one at least.
    for (int n : s.movablePerChord)
        EXPECT_GE(n, 1);
    EXPECT_GT(s.openChords, 0);
    EXPECT_GE(s.finderSets, s.chords);
    // Every chord has its information text.
    for (const auto& w : v.warnings())
        EXPECT_EQ(w.text().rfind("chord.ini", 0), std::string::npos) << w.text();
    // The summary names every chord below the counts asked for.
    const auto named = [](const std::vector<std::pair<std::string, int>>& list, int n) {
        return std::count_if(list.begin(), list.end(),
                             [&](const auto& entry) { return entry.second == n; });
    };
    const auto& fifth = s.perChordByRootString.at(5);
    const auto few = s.fewOnRootString.count(5) ? s.fewOnRootString.at(5)
                                                : std::vector<std::pair<std::string, int>>();
    EXPECT_EQ(named(few, 0), std::count(fifth.begin(), fifth.end(), 0));
    EXPECT_EQ(named(few, 1), std::count(fifth.begin(), fifth.end(), 1));
    // Only chords with no rooted shape on the 6th string at all stand there on rootless grips.
    const auto& sixth = s.perChordByRootString.at(6);
    EXPECT_EQ(named(s.fewOnRootString.at(6), 0), std::count(sixth.begin(), sixth.end(), 0));
    EXPECT_GT(s.inversions, 100);
    EXPECT_GT(s.rootless, 30);
    const std::string text = v.summaryText();
    EXPECT_NE(text.find("Fewer than two with the root on the 5th string"), std::string::npos);
    EXPECT_NE(text.find("13#9 0"), std::string::npos);
}

TEST_F(LibraryValidatorTest, CatchesTextsFormulasNamesAndFilesThatDisagreeWithTheLibrary) {
    expectCaught({
        {"a formula line with the wrong 7th", "system/chord_major7.txt", "Formula:      1 3 5 7\n",
         "Formula:      1 3 5 b7\n", "chord.ini [3] info", "shows the formula \"1 3 5 b7\""},
        {"notes spelled with the wrong letter", "system/chord_diminished7.txt",
         "Notes from C: C Eb Gb Bbb\n", "Notes from C: C Eb Gb A\n", "chord.ini [13] info",
         "they are \"C Eb Gb Bbb\""},
        {"a text without its formula", "system/chord_minor.txt",
         "Formula:", "Formel:", "chord.ini [1] info", "has no \"Formula:\" line"},
        {"scales listed in another order", "system/chord_minor7.txt",
         "Scales to play over it: Dorian, Natural Minor",
         "Scales to play over it: Natural Minor, Dorian", "chord.ini [4] relatedscaleid",
         "lists other scales"},
        {"minor 7th with a major 7th", "chord.ini", "formula=1;b3;5;b7\n", "formula=1;b3;5;7\n",
         "chord.ini [4] formula", "is not the chord m7", "chord.ini [21] formula",
         "chord 4 sounds the same notes"},
        {"a degree beyond 14", "chord.ini", "formula=1;3;5\n", "formula=1;3;15\n",
         "chord.ini [0] formula", "outside 1 to 14"},
        {"a triple sharp on some root", "chord.ini", "formula=1;3;#5\n", "formula=1;3;x5\n",
         "chord.ini [15] formula", "more than a double sharp or flat"},
        {"tokens out of order", "scale.ini", "formula=1;2;3;5;6\n", "formula=1;2;5;3;6\n",
         "scale.ini [7] formula", "ascend"},
        {"Dorian with a minor 6th", "scale.ini", "formula=1;2;b3;4;5;6;b7\n",
         "formula=1;2;b3;4;5;b6;b7\n", "scale.ini [1] formula", "the Dorian scale"},
        {"related scales", "chord.ini", "relatedscaleid=1;5;8;2;9;45",
         "relatedscaleid=1;5;8;2;9;45;0;999", "chord.ini [4] relatedscaleid",
         "scale 0 (Major) lacks the chord tone(s) b3, b7", "chord.ini [4] relatedscaleid",
         "\"999\" is not a scale number"},
        {"a symbol of two chords", "chord.ini", "chordsymbols=M;Maj;major",
         "chordsymbols=M;Maj;major;m7", "chord.ini [4] name", "also stands for chord 0"},
        {"another scale's name", "scale.ini", "altname=Pentatonic Minor;",
         "altname=Pentatonic Minor;Aeolian;", "scale.ini [8] altname", "also names scale 5"},
        {"an other name nobody uses", "scale.ini", "altname=Pentatonic Minor;",
         "altname=Pentatonic Minor;Moonlight Minor;", "scale.ini [8] altname",
         "no scale is known by the name \"Moonlight Minor\""},
        {"an other name of a different scale", "scale.ini", "Name=Dominant Pentatonic\naltname=\n",
         "Name=Dominant Pentatonic\naltname=Second Mode of Major Pentatonic\n",
         "scale.ini [38] formula", "not give the notes of the Second Mode of Major Pentatonic"},
        {"another name for a chord's set", "finder.ini", "d=Minor 7th\n", "d=Minor Seventh\n",
         "finder.ini [0;3;7;10] d", "the chord m7 with these notes is \"Minor 7th\""},
        {"a chord's set missing", "finder.ini", "[0;4;8]\nd=Augmented\n", "", "finder.ini [0;4;8]",
         "the section is missing"},
        {"intervals out of order", "finder.ini", "[0;4;7]\n", "[0;7;4]\n", "finder.ini [0;7;4]",
         "ascend"},
        {"a thinned chord on the wrong set", "finder.ini", "[0;4;10]\nd=Dominant 7th (no 5th)",
         "[0;4;10]\nd=Dominant 7th (no 3rd)", "finder.ini [0;4;10] d", "is the set [0;7;10]"},
        {"an inverted triad named as a thinned chord", "finder.ini", "[0;4;7]\nd=Major\n",
         "[0;4;7]\nd=Major\n\n[0;3;8]\nd=Minor Flat 6th (no 5th)\n", "finder.ini [0;3;8] d",
         "is maj with its 3 in the bass; leave the set unnamed"},
        {"a count beyond the sections", "chord.ini", "numchords=110", "numchords=111",
         "chord.ini [110]", "the section is missing"},
        {"CR line ends", "finder.ini", "d=Major\n", "d=Major\r\n", "finder.ini: ", "CR characters"},
        {"a key in the wrong case", "scale.ini", "Group=0", "group=0", "scale.ini [0] group",
         "must be written \"Group\""},
        {"a key twice", "chord.ini", "name=maj\n", "name=maj\nname=maj\n", "chord.ini [0] name",
         "appears twice"},
        {"a stem used twice", "scale.ini", "info=scale_dorian", "info=scale_major",
         "scale.ini [1] info", "also used by scale.ini [0]"},
        {"a stem that is not file-safe", "chord.ini", "info=chord_major\n", "info=Chord Major\n",
         "chord.ini [0] info", "is not a stem"},
        {"examples without their files", "chord.ini", "examples=2*\n", "examples=3*\n",
         "chord.ini [0] examples", "midi/chord_major_3.emd is missing", "chord.ini [0] examples",
         "midi/chord_major_3g.emd is missing"},
        {"a pedal groove missing", "midi/P01.emd", "", nullptr, "chord.ini [0] examples",
         "midi/P01.emd is missing"},
        // Phrygian's first backing alone (Cm Db) never sounds its b7.
        {"a scale's backings without one of its notes", "scale.ini",
         "info=scale_phrygian\nexamples=2*", "info=scale_phrygian\nexamples=1*",
         "scale.ini [2] examples", "no backing sounds the scale's b7;"},
        // A track length of 4 GB in an example, read for the notes its backing sounds.
        {"an example with a track longer than the file", "midi/scale_hirajoshi_1.emd", "krTM",
         "\xff\xff\xff\xffkrTM", nullptr, nullptr},
        {"a missing file", "finder.ini", "", nullptr, "finder.ini: ", "the file is missing"},
    });
}

TEST_F(LibraryValidatorTest, CatchesGripsThatDoNotSoundOrPlayAsTheirNamesAndRemarksSay) {
    expectCaught({
        {"a wrong note in the E-shape", "voicing.ini", "1fret=000202010000", "1fret=000202010001",
         "voicing.ini [0] 1fret", "the 1st string sounds b9, which is not in the chord"},
        {"the E-shape without its 3rd", "voicing.ini", "1fret=000202010000\n1finger=134211",
         "1fret=000202000000\n1finger=134111", "voicing.ini [0] 1fret",
         "the chord tone(s) 3 do not sound"},
        {"a root string off its fret", "voicing.ini", "0root=6", "0root=5", "voicing.ini [0] 0fret",
         "must play relative fret 00"},
        {"a shape that leaves the neck", "voicing.ini", "1fret=000202010000\n1finger=134211",
         "1fret=000202010004\n1finger=134214", "voicing.ini [0] 1fret", "off the neck",
         "voicing.ini [0] 1finger", "span 5 frets, but the remark does not call it a stretch"},
        {"a wrong note in the open C", "voicing.ini", "0fret=xx0302000100", "0fret=xx0302000101",
         "voicing.ini [openchords] 0fret", "open Cmaj: the 1st string sounds 4"},
        {"the open C with its 3rd in the bass", "voicing.ini", "0fret=xx0302000100\n0finger=x32010",
         "0fret=000302000100\n0finger=032010", "voicing.ini [openchords] 0fret",
         "the lowest note is the 3, not the root"},
        {"two open chords for one root", "voicing.ini", "1rootnote=2", "1rootnote=0",
         "voicing.ini [openchords] 1quality", "a second open C"},
        {"a missing no-5th remark", "voicing.ini", "Open C7 chord. No 5th.", "Open C7 chord.",
         "voicing.ini [openchords] 9memo", "the remark should say \"No 5th.\""},
        {"a remark naming the wrong root string", "voicing.ini",
         "E-shape barre, root on the 6th string", "E-shape barre, root on the 5th string",
         "voicing.ini [0] 1memo", "puts the root on the 5th string"},
        {"too few voicings", "voicing.ini", "[15]\nnumVoicings=7", "[15]\nnumVoicings=5",
         "voicing.ini [15] numVoicings", "it needs at least 6", "voicing.ini [15] 5fret",
         "has no place here"},
        {"an open chord without an open string", "voicing.ini",
         "0fret=xx0302000100\n0finger=x32010", "0fret=xx03050505xx\n0finger=x1234x",
         "voicing.ini [openchords] 0fret", "sounds no open string and does not reach the nut"},
        {"an open chord up the neck", "voicing.ini", "0fret=xx0302000100\n0finger=x32010",
         "0fret=xx0302000108\n0finger=x32014", "voicing.ini [openchords] 0fret",
         "reaches fret 8, beyond the first position"},
        {"a barre across an open string", "voicing.ini", "1fret=xxxx00020302\n1finger=xx0132",
         "1fret=xxxx02000202\n1finger=xx1011", "voicing.ini [openchords] 1finger",
         "crosses the open 3rd string"},
        {"a no-5th remark on a full chord", "voicing.ini", "0memo=Open C chord.",
         "0memo=Open C chord. No 5th.", "voicing.ini [openchords] 0memo",
         "says \"No 5th.\", but no chord tone is left out"},
        {"a remark muting a played string", "voicing.ini", "0memo=Open C chord.",
         "0memo=Open C chord, string 5 muted.", "voicing.ini [openchords] 0memo",
         "calls the 5th string muted"},
        {"no voicing with its root on the 5th string", "voicing.ini", "[15]\nnumVoicings=7",
         "[15]\nnumVoicings=2", "voicing.ini [15] numVoicings",
         "no voicing of aug has its root on the 5th string"},
        {"a shape whose root is not in the bass", "voicing.ini", "5fret=xx0002020200",
         "5fret=000002020200", "voicing.ini [0] 5root",
         "the root string 5 is not the lowest string played"},
        {"7#11 without its 4th-string voicing", "voicing.ini", "[29]\nnumVoicings=7",
         "[29]\nnumVoicings=6", "voicing.ini [29] numVoicings",
         "no voicing of 7#11 has its root on the 4th string, though a shape can be played "
         "there, for example the frets xxxx00010102 with the fingers xx1234"},
        {"7b13 without its 4th-string voicing", "voicing.ini", "[39]\nnumVoicings=7",
         "[39]\nnumVoicings=6", "voicing.ini [39] numVoicings",
         "the frets xxxx00030102 with the fingers xx1423"},
        {"one finger on two frets", "voicing.ini", "1finger=134211", "1finger=134213",
         "voicing.ini [0] 1finger", "finger 3 presses two frets"},
        {"a lower finger on a higher fret", "voicing.ini", "5finger=x13331", "5finger=x31113",
         "voicing.ini [0] 5finger", "fretted higher than"},
        {"a barre the remark does not mention", "voicing.ini",
         "E-shape barre, root on the 6th string: 1 5 1 3 5 1. Index finger barre across strings "
         "6 to 1.",
         "E-shape, root on the 6th string: 1 5 1 3 5 1.", "voicing.ini [0] 1finger",
         "the remark does not call it a barre"},
        {"a barre across a silent string", "voicing.ini", "1fret=000202010000\n1finger=134211",
         "1fret=0002xx010000\n1finger=13x211", "voicing.ini [0] 1finger",
         "crosses the silent 4th string"},
        {"neighbouring fingers three frets apart", "voicing.ini", "x341xx", "x231xx",
         "voicing.ini [10] ", "fingers 1 and 2 lie 3 frets apart"},
        {"a middle-finger barre under higher notes", "voicing.ini", "7finger=x13141",
         "7finger=x23242", "voicing.ini [2] 7finger",
         "finger 2 lies flat across the 4th string under a higher note"},
        {"an open string fingered", "voicing.ini", "0finger=x32010", "0finger=x32011",
         "voicing.ini [openchords] 0finger", "open and needs the finger '0'"},
        {"a 1st inversion with the root in the bass", "triad.ini",
         "[1.0]\nfret=020000xxxxxx\nfinger=312xxx\nrootnote=4",
         "[1.0]\nfret=00-1-3xxxxxx\nfinger=431xxx\nrootnote=6", "triad.ini [1.0] fret",
         "the lowest note is the 1, not the 3rd"},
        {"a triad with a wrong note", "triad.ini", "[9.2]\nfret=xxxx00-1-1xx",
         "[9.2]\nfret=xxxx00-1-2xx", "triad.ini [9.2] fret", "which is not in the chord"},
        {"a triad on the wrong strings", "triad.ini", "[0.1]\nfret=xx00-1-3xxxx",
         "[0.1]\nfret=00-1-3xxxxxx", "triad.ini [0.1] fret", "must play strings 5-4-3"},
        {"an 11 chord with its 3rd", "chord.ini", "formula=1;5;b7;9;11\n",
         "formula=1;3;5;b7;9;11\n", "chord.ini [27] formula",
         "the 11th lies a minor 9th above the major 3rd"},
        {"a #9 below the 3rd", "voicing.ini", "4fret=xx00-10001xx", "4fret=xx00-20002xx",
         "voicing.ini [33] 4fret", "the #9 lies below the 3rd and sounds as a minor 3rd"},
        {"one grip with the root on the 5th string", "voicing.ini",
         "3fret=xx00010201xx\n3finger=x1243x\n3group=0\n3root=5",
         "3fret=xx00010201xx\n3finger=x1243x\n3group=0\n3root=6", "voicing.ini [12] numVoicings",
         "1 voicing(s) of dim have the root on the 5th string; it has 2 playable shapes"},
        {"two partial barres and two more fingers", "voicing.ini",
         "1fret=000202010000\n1finger=134211", "1fret=000202010103\n1finger=133224",
         "voicing.ini [0] 1finger", "two partial barres and two more fingers"},
        {"a 13th chord's remark that does not name the 9th it leaves out", "voicing.ini",
         "1 b7 3 13. No 5th or 9th.", "1 b7 3 13. No 5th.", "voicing.ini [28] ",
         "should say \"No 5th or 9th.\", not \"No 5th.\""},
        {"voicings out of reading order", "voicing.ini", "3fret=xx00-1-3-2-3\n3finger=x43121",
         "3fret=xx0002020200\n3finger=x13331", "voicing.ini [0] 4root",
         "belongs before voicing 3; voicings are listed by root string 6 to 3"},
        // 9#11 names its 9th: a grip without it is the 7#11 grip.
        {"a 9#11 grip without the 9th its name states", "voicing.ini",
         "1fret=00-100-1-1xx\n1finger=21311x", "1fret=00-100xx-1xx\n1finger=213x1x",
         "voicing.ini [30] 1fret", "the chord tone(s) 9 do not sound"},
        {"an inversion whose bass is another tone than its caption names", "voicing.ini",
         "13caption=Drop 2, 1st Inversion", "13caption=Drop 2, 2nd Inversion",
         "voicing.ini [3] 13fret", "not the 5 the caption names"},
        {"a drop 3 caption on a drop 2 grip", "voicing.ini", "11caption=Drop 2, Root Position",
         "11caption=Drop 3, Root Position", "voicing.ini [3] 11caption",
         "four strings with the second-lowest silent"},
        {"a rootless grip that plays its root string", "voicing.ini",
         "6fret=xx-100-100xx\n6finger=x1324x", "6fret=00-100-100xx\n6finger=21324x",
         "voicing.ini [7] 6fret", "of a rootless grip must be silent"},
        {"a caption the list does not know", "voicing.ini", "6caption=Rootless", "6caption=Shell",
         "voicing.ini [7] 6caption", "is none of Rootless"},
        {"a quartal grip that is no stack of 4ths", "voicing.ini",
         "0fret=00000000xxxx\n0finger=1111xx\n0group=0\n0root=6\n0memo=Four-note stack",
         "0fret=0000020003xx\n0finger=11314x\n0group=0\n0root=6\n0memo=Four-note stack",
         "voicing.ini [109] 0fret", "not a stack of 4ths"},
    });
}

// The help pages may draw with SVG, whose shapes close themselves (<circle ... />).
TEST_F(LibraryValidatorTest, HelpPagesMayHoldSelfClosingShapesButNotUnclosedElements) {
    freshCopy();
    const std::vector<std::string> faults =
        faultsAfter({"SVG shapes and an open element", "userguide/index.htm", "</body>",
                     "<svg><circle r=\"1\"/><line x1=\"0\" /></svg><div></body>",
                     "userguide/index.htm", "never closed"});
    std::string all;
    for (const std::string& f : faults)
        all += "\n  " + f;
    EXPECT_NE(all.find("<div> is never closed"), std::string::npos) << all;
    EXPECT_EQ(all.find("circle"), std::string::npos) << all;
    EXPECT_EQ(all.find("<line"), std::string::npos) << all;
}

} // namespace

TEST_F(LibraryValidatorTest, HostileValuesEndInFaultsNotCrashesOrHangs) {
    // Long values once overflowed the stack of the pattern matcher; huge example counts threw or
    // asked for billions of file names; a stem too long for a file name threw.
    const std::string letters(26000, 'a');
    const std::string longStem = "info=" + letters + "\n";
    const std::string stem300 = "info=" + std::string(300, 'a') + "\n";
    const std::string longSection = "[0;" + std::string(14000, '1') + "]\n";
    const std::string longD = "d=" + letters + " (no 5th)\n";
    expectCaught({
        {"a stem of 26,000 letters", "chord.ini", "info=chord_major\n", longStem.c_str(),
         "chord.ini [0] info", "longer than 100"},
        {"a stem too long for a file name", "chord.ini", "info=chord_major\n", stem300.c_str(),
         "chord.ini [0] info", "longer than 100"},
        {"examples beyond an int", "chord.ini", "examples=2*\n", "examples=99999999999\n",
         "chord.ini [0] examples", "more than 99"},
        {"a billion examples", "chord.ini", "examples=2*\n", "examples=999999999*\n",
         "chord.ini [0] examples", "more than 99"},
        {"a section name of 14,000 characters", "finder.ini", "[0;3]\n", longSection.c_str(),
         "finder.ini [0;1111", "not a list of intervals"},
        {"a description of 26,000 letters", "finder.ini", "d=Minor (no 5th)\n", longD.c_str(),
         nullptr, nullptr},
    });
    // A folder, a FIFO and an endless device where a library file should be.
    for (const char* kind : {"folder", "fifo", "device"}) {
        SCOPED_TRACE(kind);
        freshCopy();
        const fs::path chord = dir / "chord.ini";
        fs::remove(chord);
        if (std::string(kind) == "folder")
            fs::create_directory(chord);
        else if (std::string(kind) == "fifo")
            ASSERT_EQ(mkfifo(chord.c_str(), 0600), 0);
        else
            fs::create_symlink("/dev/zero", chord);
        LibraryValidator v(dir);
        v.run();
        bool said = false;
        for (const auto& f : v.faults())
            said = said || f.text().rfind("chord.ini: cannot be read", 0) == 0;
        EXPECT_TRUE(said);
    }
}
