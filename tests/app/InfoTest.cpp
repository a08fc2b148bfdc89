// The information window's core on the "examples" fixture, a virtual clock and a recording port.
#include "../AppHelpers.h"
#include "../ShippedLibrary.h"
#include "../display/HeadlessProgram.h"
#include "../sound/MidiTestData.h"
#include "app/InfoSession.h"
#include "modes/Commands.h"
#include "modes/InfoDocument.h"
#include "modes/Modes.h"
#include "modes/RootTabs.h"
#include "sound/MidiTranspose.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace chordalis {
namespace {

using Sent = RecordingMidiOut::Sent;

TEST(InfoFiles, ExampleListsAndTheFilesTheirEntriesLoad) {
    const auto three = exampleEntries(QStringLiteral("st"), QStringLiteral("3"));
    ASSERT_EQ(three.size(), 6u);
    EXPECT_EQ(three[3], (ExampleEntry{"Sequence 2 (bass and drums only)", "st_2g.emd"}));

    const auto withGrooves = exampleEntries(QStringLiteral("st"), QStringLiteral("2*"));
    ASSERT_EQ(withGrooves.size(), 10u);
    EXPECT_EQ(withGrooves[4], (ExampleEntry{"Pedal Groove #1", "P01.emd"}));
    EXPECT_EQ(withGrooves[7], (ExampleEntry{"Pedal Groove #4", "P04.emd"}));
    EXPECT_EQ(exampleEntries(QStringLiteral("st"), QStringLiteral("0*")).size(), 6u);
    for (const char* none : {"", "0", "x", "-2"})
        EXPECT_TRUE(exampleEntries(QStringLiteral("st"), QLatin1String(none)).empty()) << none;
    EXPECT_EQ(exampleEntries("st", "10")[18].file, "st_10.emd");
    // A damaged count lists 99 sequences, not 32,767 (the largest number the data files hold).
    const auto damaged = exampleEntries(QStringLiteral("st"), QStringLiteral("99999999999*"));
    ASSERT_EQ(damaged.size(), 2u * 99 + 6);
    EXPECT_EQ(damaged[197].file, QStringLiteral("st_99g.emd"));

    const ExampleNames names = [](const QString& stem) {
        return stem == QLatin1String("st_1g") ? QStringLiteral(" Swing ii-V-I with bass and drums ")
               : stem == QLatin1String("P02") ? QStringLiteral("Swing groove")
                                              : QString();
    };
    const auto named = exampleEntries(QStringLiteral("st"), QStringLiteral("1*"), names);
    EXPECT_EQ(named[0], (ExampleEntry{"Sequence 1", "st_1.emd"}));
    EXPECT_EQ(named[1], (ExampleEntry{"Swing ii-V-I with bass and drums", "st_1g.emd"}));
    EXPECT_EQ(named[3], (ExampleEntry{"Swing groove", "P02.emd"}));

    for (const char* hostile : {"../system/x", "a/b", "a\\b", "..", "x\ny", ""})
        EXPECT_FALSE(isPlainFileName(QLatin1String(hostile))) << hostile;
    EXPECT_TRUE(isPlainFileName(QStringLiteral("chord_major7")));
}

TEST(InfoFiles, AnExampleIsItsHeaderThenTheRestReversed) {
    const QByteArray emd = QByteArray::fromHex("0102030405060708090a0b0c0d0e0f1011121314");
    EXPECT_EQ(decodeExample(emd), QByteArray::fromHex("0102030405060708090a0b0c0d0e14131211100f"));
    EXPECT_EQ(decodeExample(emd.left(14)), emd.left(14));
    EXPECT_FALSE(decodeExample(emd.left(13)));
}

// Written on C, the names are read as degrees of C major and spelled as the root's.
TEST(InfoText, NoteNamesMoveToTheRootSpelledInItsKey) {
    constexpr int CSharp = 1, Gb = 6, Bb = 10;
    const struct {
        const char* on;
        int root;
        int column;
        const char* moved;
    } cases[] = {
        {"Notes from C: C E G B", CSharp, SharpColumn, "Notes from C#: C# E# G# B#"},
        {"Other roots: G: G B D F#; F: F A C E.", CSharp, SharpColumn,
         "Other roots: G#: G# B# D# Fx; F#: F# A# C# E#."},
        {"C D Eb F G A Bb", Gb, FlatColumn, "Gb Ab Bbb Cb Db Eb Fb"},
        {"Dm7 G7 Cmaj7, Bbm6, C/E, Cm(maj7), CΔ7, CM7, Csus4, Cadd9, Cquartal.", Bb, FlatColumn,
         "Cm7 F7 Bbmaj7, Abm6, Bb/D, Bbm(maj7), BbΔ7, BbM7, Bbsus4, Bbadd9, Bbquartal."},
        {"It sits in A minor (Am7), a 3rd below E.", CSharp, SharpColumn,
         "It sits in A# minor (A#m7), a 3rd below E#."},
        // Words, the article, strings and grip shapes are no notes.
        {"A major triad. Dorian, Bebop, Ebony, CAGED. The A string, open E, low E, the "
         "Emaj7-shape and the Cmaj shape.",
         CSharp, SharpColumn,
         "A major triad. Dorian, Bebop, Ebony, CAGED. The A string, open E, low E, the "
         "Emaj7-shape and the Cmaj shape."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(moveNoteNames(QString::fromUtf8(c.on), c.root, c.column),
                  QString::fromUtf8(c.moved))
            << c.on;
    EXPECT_EQ(moveNoteNames(u"Dm7 G7 Cmaj7 in F#", 0, FlatColumn), u"Dm7 G7 Cmaj7 in F#");
}

TEST(InfoText, FretsAndPositionsMoveWithTheRootAndStayOnTheNeck) {
    const QString text = QStringLiteral("the 3rd Position, the 8th fret, fret 10 of the 6th "
                                        "string, frets 5 to 9, frets 12-10-10, frets 0-2-2.");
    EXPECT_EQ(movePositions(text, 1),
              QStringLiteral("the 4th Position, the 9th fret, fret 11 of the 6th string, frets 6 "
                             "to 10, frets 13-11-11, frets 0-2-2."));
    // Past the 12th fret a group moves an octave lower, all of it.
    EXPECT_EQ(movePositions(text, 5),
              QStringLiteral("the 8th Position, the 1st fret, fret 3 of the 6th string, frets 10 "
                             "to 14, frets 5-3-3, frets 0-2-2."));
    EXPECT_EQ(movePositions(text, 0), text);
}

TEST(InfoText, UnderlinedHeadingsBecomeSectionsAndListsStayLists) {
    const ParsedInfoText parsed = parseInfoText(
        QStringLiteral("Major 7th chord (Cmaj7)\r\n=======================\r\n\r\n"
                       "Formula:      1 3 5 7\nIntervals:    root, major 3rd,\n"
                       "              major 7th.\n\nWhat it is\n----------\nA major triad\n"
                       "with a 7th.\n\nThe grips:\n  7th Position: Shell voicing,\n"
                       "    root on the 6th.\n  8th Position: Drop 3.\nAfter the list.\n"));
    EXPECT_EQ(parsed.title, QStringLiteral("Major 7th chord (Cmaj7)"));
    ASSERT_EQ(parsed.facts.size(), 2u);
    EXPECT_EQ(parsed.facts[1], std::make_pair(QStringLiteral("Intervals"),
                                              QStringLiteral("root, major 3rd, major 7th.")));
    ASSERT_EQ(parsed.sections.size(), 1u);
    const InfoSection& section = parsed.sections[0];
    EXPECT_EQ(section.heading, QStringLiteral("What it is"));
    ASSERT_EQ(section.blocks.size(), 3u);
    EXPECT_EQ(section.blocks[0].text, QStringLiteral("A major triad with a 7th."));
    EXPECT_EQ(section.blocks[1].items, QStringList({"7th Position: Shell voicing, root on the 6th.",
                                                    "8th Position: Drop 3."}));
    EXPECT_EQ(section.blocks[2].text, QStringLiteral("After the list."));
}

class InfoTest : public ::testing::Test {
protected:
    InfoTest() { out.sent.clear(); }

    QByteArray dataFile(const QString& name) const {
        return test::readFile(program.folderPath() + u'/' + name);
    }
    QByteArray scratch() const { return test::readFile(InfoSession::scratchPath()); }
    // Lets the example play on virtual time as the player's timer would.
    void runFor(double seconds) {
        const double end = program.clock().now() + seconds;
        MidiFilePlayer& player = program->examplePlayer();
        for (double wait = player.service(); wait >= 0 && program.clock().now() + wait <= end;
             wait = player.service())
            program.clock().advance(wait);
        program.clock().advance(std::max(0.0, end - program.clock().now()));
    }
    bool noteSounding() { return !test::sounding(out.sent, program.clock().now()).empty(); }

    test::TemporaryHome m_cache;
    test::HeadlessProgram program{test::HeadlessProgram::Fixture{QStringLiteral("examples")}};
    InfoSession& info = program->info();
    RecordingMidiOut& out = program.port();
};

TEST_F(InfoTest, ChordPageFillsListLoadsTheFirstExampleIntoTheCacheAndPlays) {
    program.clickItem(TreeId::Chords, 0);
    ASSERT_TRUE(program->infoCommand(Mode::Chords));
    EXPECT_TRUE(program.boxes().shown.empty());
    const InfoPage& page = info.page();
    EXPECT_TRUE(page.txtInfo.startsWith(QLatin1String("C Major chord")));
    EXPECT_EQ(page.txtStem, QStringLiteral("chord_major"));
    ASSERT_EQ(page.cboInfo.size(), 10u); // "2*"
    EXPECT_EQ(page.cboInfoIndex, 0);

    // The scratch file is gp.mid in the cache folder, never in the program folder.
    EXPECT_TRUE(InfoSession::scratchPath().startsWith(m_cache.path()));
    EXPECT_TRUE(InfoSession::scratchPath().endsWith(QLatin1String("/gp.mid")));
    EXPECT_EQ(scratch(), decodeExample(dataFile("midi/chord_major_1.emd")));
    EXPECT_FALSE(QFile::exists(program.folderPath() + QLatin1String("/midi/gp.mid")));
    EXPECT_TRUE(page.cmdPlay && !page.cmdPause && !page.cmdReset);

    info.play();
    EXPECT_EQ(page.playState, ExamplePlayState::Playing);
    runFor(1.1);
    EXPECT_TRUE(noteSounding());
    info.pause();
    EXPECT_EQ(page.playState, ExamplePlayState::Paused);
    EXPECT_TRUE(page.cmdPlay && !page.cmdPause && page.cmdReset);
    EXPECT_FALSE(noteSounding());

    // Another entry while one plays: stopped and rewound first.
    info.play();
    runFor(0.3);
    info.choose(2);
    EXPECT_FALSE(noteSounding());
    EXPECT_FALSE(program->examplePlayer().isPlaying());
    EXPECT_EQ(scratch(), decodeExample(dataFile("midi/chord_major_2.emd")));

    info.choose(7);
    EXPECT_EQ(scratch(), decodeExample(dataFile("midi/P04.emd")));
    info.choose(3);
    EXPECT_EQ(program.boxes().texts(),
              QStringList({"ERROR: I cannot find the file: \n" + program.folderPath() +
                           "/midi/chord_major_2g.emd"}));
    EXPECT_FALSE(page.cmdPlay || page.cmdPause || page.cmdReset);
    const size_t before = out.sent.size();
    info.play();
    EXPECT_EQ(out.sent.size(), before);

    // The example plays to its end: the buttons are as after Reset.
    info.choose(0);
    bool changed = false;
    info.changed = [&] {
        changed = true;
    };
    info.play();
    runFor(10.0);
    EXPECT_TRUE(changed);
    EXPECT_EQ(page.playState, ExamplePlayState::Stopped);
    EXPECT_TRUE(page.cmdPlay && !page.cmdPause && !page.cmdReset);
    info.changed = nullptr;
}

TEST_F(InfoTest, AfterCloseNothingHangsAndChordsPlayWithTheChosenInstrument) {
    program->context().state.playback.instrument = 30;
    program->metronome().setRunning(true);
    program.clickItem(TreeId::Chords, 0);
    ASSERT_TRUE(program->infoCommand(Mode::Chords));
    EXPECT_FALSE(program->metronome().isRunning()); // nothing but the example sounds
    info.play();
    runFor(1.0);
    EXPECT_TRUE(noteSounding());
    info.close();
    EXPECT_FALSE(noteSounding());
    EXPECT_FALSE(QFile::exists(InfoSession::scratchPath()));
    EXPECT_TRUE(program->metronome().isRunning());
    EXPECT_EQ(out.sent.back().word, packShortMessage(0xC0, 29));

    program->metronome().setRunning(false);
    out.sent.clear();
    program->playCommand(Mode::Chords);
    ASSERT_FALSE(out.sent.empty());
    EXPECT_EQ(out.sent.front().word, packShortMessage(0x90, 48, 100)); // the open C, channel 1
}

// A file in the cache folder's way (which stops root too); no place at all names the cause.
TEST_F(InfoTest, AnUnwritableCacheFolderFallsBackAndTheCauseIsNamed) {
    const QString cache = QFileInfo(InfoSession::scratchPath()).absolutePath();
    QString blocker = cache;
    while (QFileInfo(blocker).absolutePath() != m_cache.path())
        blocker = QFileInfo(blocker).absolutePath(); // the first folder below the home folder
    QDir().mkpath(QFileInfo(blocker).absolutePath());
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    program.clickItem(TreeId::Chords, 0);
    ASSERT_TRUE(program->infoCommand(Mode::Chords));
    EXPECT_TRUE(program.boxes().shown.empty()) << qPrintable(program.boxes().texts().join("|"));
    const QString elsewhere = info.scratchFile();
    EXPECT_TRUE(elsewhere.startsWith(InfoSession::scratchFolders().last()));
    EXPECT_TRUE(info.page().cmdPlay);
    info.play();
    runFor(1.1);
    EXPECT_TRUE(noteSounding());
    info.close();
    EXPECT_FALSE(QFile::exists(elsewhere));

    // The temporary folder cannot take it either.
    const QByteArray tmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(blocker));
    ASSERT_TRUE(program->infoCommand(Mode::Chords));
    qputenv("TMPDIR", tmp);
    ASSERT_EQ(program.boxes().shown.size(), 1u);
    EXPECT_EQ(program.boxes().shown[0].text, "ERROR: I cannot write the file: \n" +
                                                 InfoSession::scratchPath() + "\n\n" + blocker +
                                                 " is a file, not a folder.");
    EXPECT_FALSE(info.page().cmdPlay);
    info.close();
}

TEST_F(InfoTest, ItemsWithoutATextOrWithoutExamples) {
    // A hostile stem opens nothing, even where the path it builds would lead to a text.
    const QString missing = "ERROR: I cannot find the file: \n" + program.folderPath() + "/system/";
    program.clickItem(TreeId::Scales, 1);
    EXPECT_FALSE(program->infoCommand(Mode::Scales));
    program->context().state.selectedTriad = 3;
    EXPECT_FALSE(program->infoCommand(Mode::Triads));
    EXPECT_EQ(program.boxes().texts(),
              QStringList({missing + "../system/scale_major.txt", missing + ".txt"}));
    for (const auto& shown : program.boxes().shown)
        EXPECT_EQ(shown.icon, BoxIcon::Stop);
    EXPECT_FALSE(info.isOpen());
    EXPECT_TRUE(out.sent.empty());

    // Only the pedal grooves: the first one is loaded.
    program.clickItem(TreeId::Chords, 1);
    ASSERT_TRUE(program->infoCommand(Mode::Chords));
    EXPECT_EQ(info.page().cboInfo.size(), 6u);
    EXPECT_EQ(scratch(), decodeExample(dataFile("midi/P01.emd")));
    EXPECT_TRUE(info.page().txtInfo.startsWith(QLatin1String("C Major 6th chord"))); // CR LF
    info.close();

    // No examples: the text alone, nothing to play.
    program.clickItem(TreeId::Chords, 2);
    ASSERT_TRUE(program->infoCommand(Mode::Chords));
    EXPECT_TRUE(info.page().cboInfo.empty());
    EXPECT_FALSE(info.page().cmdPlay || info.page().cmdPause || info.page().cmdReset);
    EXPECT_TRUE(program->examplePlayer().song().events.empty());
    info.close();
}

TEST_F(InfoTest, DamagedExamplesAreRefusedWithAMessageAndPlayNothing) {
    using namespace test::smf;
    const std::pair<QByteArray, const char*> cases[] = {
        {QByteArray(10, 'M'), "10 bytes long, shorter than a MIDI file header"},
        {toExample(header(0, 1, 96) + chunk("MTrk", bytes({0, 0x90, 60}))), "middle of an event"},
    };
    program->context().state.selectedScale = 0;
    for (const auto& [emd, reason] : cases) {
        program.writeDataFile(QStringLiteral("midi/scale_major_1.emd"), emd);
        program.boxes().shown.clear();
        ASSERT_TRUE(program->infoCommand(Mode::Scales)) << reason;
        ASSERT_EQ(program.boxes().shown.size(), 1u) << reason;
        const QString text = program.boxes().shown[0].text;
        EXPECT_TRUE(text.startsWith("ERROR: This example cannot be played: \n" +
                                    program.folderPath() + "/midi/scale_major_1.emd"));
        EXPECT_TRUE(text.contains(QLatin1String(reason))) << qPrintable(text);
        EXPECT_FALSE(info.page().cmdPlay) << reason;
        info.play();
        runFor(2.0);
        for (const Sent& s : out.sent)
            EXPECT_NE(statusOf(s.word) & 0xF0, 0x90) << reason;
        info.close();
    }
}

TEST(InfoOnARoot, ChordOnCSharpAndScaleOnGbWithTheExamplesMoved) {
    const test::TemporaryHome cache; // outlives the program
    test::HeadlessProgram program;
    for (const char* name : {"system/chord_major7.txt", "system/scale_dorian.txt",
                             "midi/chord_major7_1.emd", "midi/scale_dorian_1.emd"}) {
        program.writeDataFile(QLatin1String(name),
                              test::readFile(QStringLiteral(CHORDALIS_SHIPPED_DATA "/") + name));
    }
    InfoSession& info = program->info();
    selectRootTab(program->context(), *rootTabIndex(QStringLiteral("C#")));
    program.clickItem(TreeId::Chords, test::shippedLibrary().chord("maj7"));
    ASSERT_TRUE(program->infoCommand(Mode::Chords))
        << qPrintable(program.boxes().texts().join("|"));
    const InfoPage& page = info.page();
    EXPECT_EQ(page.title, QStringLiteral("C# Major 7th chord (C#maj7)"));
    EXPECT_TRUE(page.txtInfo.contains(QLatin1String("C# E# G# B#")));
    EXPECT_TRUE(page.txtInfo.contains(QLatin1String("D#m7 G#7 C#maj7"))); // the ii-V-I
    EXPECT_TRUE(page.html.contains(QLatin1String("<h2>Grips on C#</h2>")));
    EXPECT_TRUE(page.html.contains(QLatin1String(InfoNeckImage)));
    EXPECT_FALSE(page.neckPicture.isNull());
    // The grips are the voicing list's on C#.
    const auto& listed = program->context().state.voicings;
    ASSERT_FALSE(listed.empty());
    EXPECT_TRUE(page.html.contains(listed.front().caption.toHtmlEscaped()));
    EXPECT_TRUE(page.html.contains(QLatin1String(InfoBoxesImage)));
    EXPECT_FALSE(page.boxesPicture.isNull());

    ASSERT_FALSE(page.cboInfo.empty());
    EXPECT_EQ(page.cboInfo[0].caption, "Swing ii-V-I with piano, bass and drums (138 bpm)");

    // Moved up a half step.
    const auto emd =
        decodeExample(test::readFile(program.folderPath() + "/midi/chord_major7_1.emd"));
    ASSERT_TRUE(emd);
    QString error;
    EXPECT_EQ(test::readFile(info.scratchFile()), transposeMidiFile(*emd, 1, &error));
    info.close();

    // A scale on Gb, in flats throughout.
    selectRootTab(program->context(), *rootTabIndex(QStringLiteral("Gb")));
    program.clickItem(TreeId::Scales, 1); // Dorian
    ASSERT_TRUE(program->infoCommand(Mode::Scales));
    EXPECT_EQ(info.page().title, QStringLiteral("Gb Dorian scale"));
    EXPECT_TRUE(info.page().txtInfo.contains(QLatin1String("Chords it is played over: Gbm")));
    EXPECT_FALSE(info.page().html.contains(QLatin1String("Grips on")));
    EXPECT_EQ(info.page().transpose, 6);
    info.close();
    EXPECT_TRUE(program.boxes().shown.empty()) << qPrintable(program.boxes().texts().join("|"));
}

// The failure was reported when the output first failed to open: no box here.
TEST_F(InfoTest, WithoutSoundTheWindowSaysSoAndNoBoxInterrupts) {
    out.close();
    out.failOpen = true;
    program.clickItem(TreeId::Chords, 0);
    ASSERT_TRUE(program->infoCommand(Mode::Chords));
    EXPECT_TRUE(program.boxes().shown.empty()) << qPrintable(program.boxes().texts().join("|"));
    EXPECT_TRUE(info.page().soundProblem.contains(QLatin1String("no such device")));
    info.close();
    out.failOpen = false;
    ASSERT_TRUE(program->infoCommand(Mode::Chords));
    EXPECT_TRUE(info.page().soundProblem.isEmpty());
    info.close();
}

} // namespace
} // namespace chordalis
