// The information window's core: the example list and its files, the text, the scratch file and
// the play buttons, on the "examples" fixture with a virtual clock and a recording port.
#include "../display/HeadlessProgram.h"
#include "../sound/MidiTestData.h"
#include "app/InfoSession.h"
#include "modes/Commands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace chordalis {
namespace {

using Sent = RecordingMidiOut::Sent;

TEST(InfoFiles, ExampleListsAndTheFilesTheirEntriesLoad) {
    const auto three = exampleEntries(QStringLiteral("st"), QStringLiteral("3"));
    ASSERT_EQ(three.size(), 6u);
    EXPECT_EQ(three[3], (ExampleEntry{"Sequence 2 (bass and drums only)", "st_2g.emd"}));
    EXPECT_EQ(three[4].file, QStringLiteral("st_3.emd"));

    const auto withGrooves = exampleEntries(QStringLiteral("st"), QStringLiteral("2*"));
    ASSERT_EQ(withGrooves.size(), 10u);
    EXPECT_EQ(withGrooves[4], (ExampleEntry{"Pedal Groove #1", "P01.emd"}));
    EXPECT_EQ(withGrooves[7], (ExampleEntry{"Pedal Groove #4", "P04.emd"}));
    EXPECT_EQ(exampleEntries(QStringLiteral("st"), QStringLiteral("0*")).size(), 6u);
    for (const char* none : {"", "0", "x", "-2"})
        EXPECT_TRUE(exampleEntries(QStringLiteral("st"), QLatin1String(none)).empty()) << none;
    // Sequence 10 plays its own file, not sequence 1's.
    EXPECT_EQ(exampleEntries(QStringLiteral("st"), QStringLiteral("10"))[18].file,
              QStringLiteral("st_10.emd"));
    // A damaged count lists 99 sequences, not 32,767 (the largest number the data files hold).
    const auto damaged = exampleEntries(QStringLiteral("st"), QStringLiteral("99999999999*"));
    ASSERT_EQ(damaged.size(), 2u * 99 + 6);
    EXPECT_EQ(damaged[197].file, QStringLiteral("st_99g.emd"));

    for (const char* hostile : {"../system/x", "a/b", "a\\b", "..", "x\ny", ""})
        EXPECT_FALSE(isPlainFileName(QLatin1String(hostile))) << hostile;
    EXPECT_TRUE(isPlainFileName(QStringLiteral("chord_major7")));
}

TEST(InfoFiles, AnExampleIsItsHeaderThenTheRestReversed) {
    QByteArray emd;
    for (int i = 1; i <= 20; ++i)
        emd.append(char(i));
    QByteArray mid = emd.left(14);
    for (int i = 20; i >= 15; --i)
        mid.append(char(i));
    EXPECT_EQ(decodeExample(emd), mid);
    EXPECT_EQ(decodeExample(emd.left(14)), emd.left(14));
    EXPECT_FALSE(decodeExample(emd.left(13)));
}

class InfoTest : public ::testing::Test {
protected:
    InfoTest() {
        // The cache folder, and with it the scratch file, lies in a folder of this test.
        m_home = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(m_cache.path()));
        QStandardPaths::setTestModeEnabled(true);
        out.sent.clear();
    }
    ~InfoTest() override {
        QStandardPaths::setTestModeEnabled(false);
        qputenv("HOME", m_home);
    }

    QByteArray dataFile(const QString& name) const {
        QFile f(program.folderPath() + u'/' + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QByteArray scratch() const {
        QFile f(InfoSession::scratchPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
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

    QTemporaryDir m_cache;
    QByteArray m_home;
    test::HeadlessProgram program{test::HeadlessProgram::Fixture{QStringLiteral("examples")}};
    InfoSession& info = program->info();
    RecordingMidiOut& out = program.port();
};

TEST_F(InfoTest, ChordPageFillsListLoadsTheFirstExampleIntoTheCacheAndPlays) {
    program.clickItem(TreeId::Chords, 0);
    ASSERT_TRUE(program->infoCommand(Mode::Chords));
    EXPECT_TRUE(program.boxes().shown.empty());
    const InfoPage& page = info.page();
    EXPECT_EQ(page.txtInfo, QString::fromUtf8(dataFile("system/chord_major.txt")));
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
    EXPECT_TRUE(!page.cmdPlay && page.cmdPause && page.cmdReset);
    runFor(1.1);
    EXPECT_TRUE(noteSounding());
    info.pause();
    EXPECT_EQ(page.playState, ExamplePlayState::Paused);
    EXPECT_TRUE(page.cmdPlay && !page.cmdPause && page.cmdReset);
    EXPECT_FALSE(noteSounding());

    // Choosing another entry while one plays stops and rewinds first, then loads it.
    info.play();
    runFor(0.3);
    info.choose(2);
    EXPECT_FALSE(noteSounding());
    EXPECT_FALSE(program->examplePlayer().isPlaying());
    EXPECT_EQ(page.playState, ExamplePlayState::Stopped);
    EXPECT_TRUE(page.cmdPlay && !page.cmdPause && !page.cmdReset);
    EXPECT_EQ(scratch(), decodeExample(dataFile("midi/chord_major_2.emd")));

    // A pedal groove; then an entry whose file is missing: said, and nothing left to play.
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

// A cache folder that cannot be written (here a file lies in its way, which stops root too):
// the example is written to another place and plays; when no place can take it, the message
// names the real cause.
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
    const QString folder = program.folderPath();
    struct Case {
        Mode mode;
        int item;
        const char* itemWord;
        QString message;
    };
    // A hostile stem opens nothing, even where the path it builds would lead to a text.
    for (const Case& c :
         {Case{Mode::Scales, 1, "Scale",
               "ERROR: I cannot find the file: \n" + folder + "/system/../system/scale_major.txt"},
          Case{Mode::Triads, 3, nullptr,
               "ERROR: I cannot find the file: \n" + folder + "/system/.txt"}}) {
        if (c.itemWord)
            program.clickItem(TreeId::Scales, c.item);
        else
            program->context().state.selectedTriad = c.item;
        program.boxes().shown.clear();
        EXPECT_FALSE(program->infoCommand(c.mode));
        EXPECT_EQ(program.boxes().texts(), QStringList{c.message});
        EXPECT_EQ(program.boxes().shown[0].icon, BoxIcon::Stop);
        EXPECT_FALSE(info.isOpen());
    }
    EXPECT_TRUE(out.sent.empty());

    // Only the pedal grooves: the first one is loaded.
    program.clickItem(TreeId::Chords, 1);
    ASSERT_TRUE(program->infoCommand(Mode::Chords));
    EXPECT_EQ(info.page().cboInfo.size(), 6u);
    EXPECT_EQ(scratch(), decodeExample(dataFile("midi/P01.emd")));
    EXPECT_EQ(info.page().txtInfo, QString::fromLatin1(dataFile("system/chord_6.txt"))); // CR LF
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
    const QByteArray good = file(1, 96, {track(event(0, {0x90, 60, 100}) + event(96, {60, 0}))});
    const struct {
        const char* what;
        QByteArray emd;
        const char* reason;
    } cases[] = {
        {"10 bytes", good.left(10), "10 bytes long, shorter than a MIDI file header"},
        {"bad header", "MTrk" + toExample(good).mid(4), "does not begin with a MIDI file header"},
        {"truncated track", toExample(header(0, 1, 96) + chunk("MTrk", bytes({0, 0x90, 60}))),
         "middle of an event"},
    };
    program->context().state.selectedScale = 0;
    const QString emdPath = program.folderPath() + QLatin1String("/midi/scale_major_1.emd");
    for (const auto& c : cases) {
        program.writeDataFile(QStringLiteral("midi/scale_major_1.emd"), c.emd);
        program.boxes().shown.clear();
        out.sent.clear();
        ASSERT_TRUE(program->infoCommand(Mode::Scales)) << c.what;
        ASSERT_EQ(program.boxes().shown.size(), 1u) << c.what;
        const QString text = program.boxes().shown[0].text;
        EXPECT_TRUE(text.startsWith("ERROR: This example cannot be played: \n" + emdPath))
            << c.what;
        EXPECT_TRUE(text.contains(QLatin1String(c.reason))) << c.what << qPrintable(text);
        EXPECT_FALSE(info.page().cmdPlay) << c.what;
        info.play();
        runFor(2.0);
        for (const Sent& s : out.sent)
            EXPECT_NE(statusOf(s.word) & 0xF0, 0x90) << c.what;
        info.close();
    }
}

} // namespace
} // namespace chordalis
